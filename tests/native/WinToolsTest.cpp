#include "common/WinTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "platform/memory/Memory.h"

using platform::memory::RecordingDialogs;
using platform::memory::TestPlatform;
using Shown = RecordingDialogs::Shown;

namespace {

const std::string kKey = "\\Software\\Meltrax Software\\Kalmo\\2.0";

std::vector<std::pair<std::string, std::string>> Errors(const RecordingDialogs& d) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const Shown& s : d.shown)
    if (s.kind == Shown::Error) out.push_back({s.place, s.text});
  return out;
}

using Report = std::vector<std::pair<std::string, std::string>>;

// A registry whose every call fails unexpectedly.
class ThrowingRegistry : public platform::memory::MemoryRegistry {
 public:
  std::optional<std::vector<std::string>> ValueNames(Root, const std::string&) override {
    throw std::runtime_error("rejestr padł");
  }
};

}  // namespace

TEST(RegistryStrings, ReadsReportAMissingKeyAndIgnoreLetterCase) {
  TestPlatform t;
  EXPECT_EQ(GetRegistryString(kKey, "ZnakiFiltrujace"), "");
  EXPECT_EQ(Errors(t.dialogs), (Report{{"U:WinTools F:GetRegistryString",
                                        "Nie mogę otworzyć klucza: " + kKey + ", var = ZnakiFiltrujace"}}));
  t.dialogs.shown.clear();

  t.registry.CreateKey(Root::CurrentUser, kKey);
  t.registry.WriteString(Root::CurrentUser, kKey, "ZnakiFiltrujace", "-[");
  EXPECT_EQ(GetRegistryString(kKey, "znakifiltrujace"), "-[");
  EXPECT_EQ(GetRegistryString(kKey, "Brak"), "");  // a missing value is no fault
  EXPECT_TRUE(t.dialogs.shown.empty());

  EXPECT_EQ(GetRegistryStringFromKey(Root::LocalMachine, "\\System\\Brak", "LoggingPath"), "");
  EXPECT_EQ(Errors(t.dialogs),
            (Report{{"U:WinTools F:GetRegistryStringFromKey",
                     "Nie mogę otworzyć klucza:  key = -2147483646, subkey = \\System\\Brak, var = LoggingPath"}}));
}

TEST(RegistryStrings, SetWritesOnlyAnExistingValue) {
  TestPlatform t;
  t.registry.CreateKey(Root::CurrentUser, kKey);
  SetRegistryString(kKey, "Brak", "wartość");
  EXPECT_EQ(t.registry.Find(Root::CurrentUser, kKey, "Brak"), nullptr);
  EXPECT_EQ(Errors(t.dialogs),
            (Report{{"U:WinTools P:SetRegistryString",
                     "Podana zmienna nie istnieje w kluczu! klucz: " + kKey + ", varname: Brak, value: wartość"}}));
  t.dialogs.shown.clear();

  t.registry.WriteString(Root::CurrentUser, kKey, "Aktywnosc3D", "Nie");
  SetRegistryString(kKey, "AKTYWNOSC3D", "Tak");
  EXPECT_TRUE(t.dialogs.shown.empty());
  const auto* v = t.registry.Find(Root::CurrentUser, kKey, "Aktywnosc3D");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->name, "Aktywnosc3D");
  EXPECT_EQ(t.registry.ReadString(Root::CurrentUser, kKey, "Aktywnosc3D"), "Tak");

  SetRegistryString("\\Software\\Brak", "x", "y");
  EXPECT_EQ(Errors(t.dialogs), (Report{{"U:WinTools P:SetRegistryString",
                                        "Nie mogę otworzyć klucza: \\Software\\Brak, var = x"}}));
  EXPECT_FALSE(t.registry.KeyExists(Root::CurrentUser, "\\Software\\Brak"));
}

TEST(RegistryStrings, InKeyVariantsNameTheRootAsANumber) {
  TestPlatform t;
  const std::string modem = "\\System\\CurrentControlSet\\Services\\Class\\Modem\\0000";
  SetRegistryStringInKey(Root::LocalMachine, modem, "LoggingPath", "C:\\x");
  CreateRegistryStringInKey(Root::LocalMachine, modem, "LoggingPath", "C:\\x");
  EXPECT_EQ(Errors(t.dialogs),
            (Report{{"U:WinTools P:SetRegistryStringInKey",
                     "Nie mogę otworzyć klucza:  key = -2147483646, subkey = " + modem + ", var = LoggingPath"},
                    {"U:WinTools P:CreateRegistryStringInKey",
                     "Nie mogę otworzyć klucza:  key = -2147483646, subkey = " + modem + ", var = LoggingPath"}}));
  t.dialogs.shown.clear();

  t.registry.CreateKey(Root::LocalMachine, modem);
  SetRegistryStringInKey(Root::LocalMachine, modem, "LoggingPath", "C:\\x");
  EXPECT_EQ(t.registry.Find(Root::LocalMachine, modem, "LoggingPath"), nullptr);
  CreateRegistryStringInKey(Root::LocalMachine, modem, "LoggingPath", "C:\\ModemLog.txt");
  EXPECT_EQ(t.registry.ReadString(Root::LocalMachine, modem, "LoggingPath"), "C:\\ModemLog.txt");
  CreateRegistryStringInKey(Root::LocalMachine, modem, "loggingpath", "C:\\inna.txt");
  EXPECT_EQ(t.registry.ReadString(Root::LocalMachine, modem, "LoggingPath"), "C:\\ModemLog.txt");
  SetRegistryStringInKey(Root::LocalMachine, modem, "LOGGINGPATH", "C:\\Windows\\ModemLog.txt");
  EXPECT_EQ(t.registry.ReadString(Root::LocalMachine, modem, "LoggingPath"), "C:\\Windows\\ModemLog.txt");
  EXPECT_EQ(Errors(t.dialogs),
            (Report{{"U:WinTools P:SetRegistryStringInKey", "Podana zmienna nie istnieje w kluczu! klucz: " + modem +
                                                                ", varname: LoggingPath, value: C:\\x"},
                    {"U:WinTools P:CreateRegistryStringInKey", "Podana zmienna (loggingpath) już istnieje w kluczu!"}}));
}

TEST(RegistryBinary, RecordsRoundTripAndOnlyExistingValuesAreSet) {
  TestPlatform t;
  t.registry.CreateKey(Root::CurrentUser, kKey);
  uint8_t record[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  SetRegistryBinary(kKey, "TodayInfo", record, sizeof record);
  EXPECT_EQ(t.registry.Find(Root::CurrentUser, kKey, "TodayInfo"), nullptr);
  CreateRegistryBinary(kKey, "TodayInfo", record, sizeof record);
  record[0] = 99;
  SetRegistryBinary(kKey, "todayinfo", record, sizeof record);

  uint8_t back[8] = {};
  EXPECT_TRUE(GetRegistryBinary(kKey, "TODAYINFO", back, sizeof back));
  EXPECT_EQ(std::vector<uint8_t>(back, back + 8), (std::vector<uint8_t>{99, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Errors(t.dialogs), (Report{{"U:WinTools P:SetRegistryBinary", "Podana zmienna nie istnieje w kluczu:TodayInfo"}}));
  t.dialogs.shown.clear();

  // Another size would put a different layout into the record: the buffer stays as it was.
  uint8_t other[4] = {7, 7, 7, 7};
  EXPECT_FALSE(GetRegistryBinary(kKey, "TodayInfo", other, sizeof other));
  EXPECT_EQ(std::vector<uint8_t>(other, other + 4), (std::vector<uint8_t>{7, 7, 7, 7}));
  t.registry.WriteString(Root::CurrentUser, kKey, "Tekst", "abcd");
  EXPECT_FALSE(GetRegistryBinary(kKey, "Tekst", other, sizeof other));
  EXPECT_EQ(other[0], 7);
  EXPECT_EQ(Errors(t.dialogs).size(), 2u);
  // Each damaged value is kept aside before defaults can be saved over it, and only the first time.
  EXPECT_EQ(t.registry.ReadBinary(Root::CurrentUser, kKey, "TodayInfoUszkodzony"),
            (std::vector<uint8_t>{99, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(t.registry.ReadString(Root::CurrentUser, kKey, "TekstUszkodzony"), "abcd");
  record[0] = 1;
  SetRegistryBinary(kKey, "TodayInfo", record, sizeof record);
  EXPECT_FALSE(GetRegistryBinary(kKey, "TodayInfo", other, sizeof other));
  EXPECT_EQ(t.registry.ReadBinary(Root::CurrentUser, kKey, "TodayInfoUszkodzony")->at(0), 99);
  t.dialogs.shown.clear();

  EXPECT_FALSE(GetRegistryBinary(kKey, "Ustawienia", back, sizeof back));
  EXPECT_FALSE(GetRegistryBinary("\\Software\\Brak", "Ustawienia", back, sizeof back));
  CreateRegistryBinary("\\Software\\Brak", "Ustawienia", record, sizeof record);
  EXPECT_FALSE(t.registry.KeyExists(Root::CurrentUser, "\\Software\\Brak"));
  EXPECT_EQ(Errors(t.dialogs),
            (Report{{"U:WinTools P:GetRegistryBinary",
                     "Podana zmienna nie istnieje w kluczu! klucz: " + kKey + ", varname: Ustawienia"},
                    {"U:WinTools P:GetRegistryBinary",
                     "Nie mogę otworzyć klucza! klucz: \\Software\\Brak, varname: Ustawienia"},
                    {"U:WinTools P:CreateRegistryBinary", "Nie mogę otworzyć klucza: \\Software\\Brak, var = Ustawienia"}}));
}

TEST(RegistryBinary, InKeyVariants) {
  TestPlatform t;
  const std::string modem = "\\System\\CurrentControlSet\\Services\\Class\\Modem\\0001";
  const uint8_t on = 1;
  SetRegistryBinaryInKey(Root::LocalMachine, modem, "Logging", &on, 1);
  CreateRegistryBinaryInKey(Root::LocalMachine, modem, "Logging", &on, 1);
  t.registry.CreateKey(Root::LocalMachine, modem);
  SetRegistryBinaryInKey(Root::LocalMachine, modem, "Logging", &on, 1);
  EXPECT_EQ(Errors(t.dialogs),
            (Report{{"U:WinTools P:SetRegistryBinary", "Nie mogę otworzyć klucza: " + modem + ", var = Logging"},
                    {"U:WinTools P:CreateRegistryBinaryInKey",
                     "Nie mogę otworzyć klucza:  key = -2147483646, subkey = " + modem + ", var = Logging"},
                    {"U:WinTools P:SetRegistryBinary", "Podana zmienna: Logging nie istnieje w kluczu: " + modem}}));
  CreateRegistryBinaryInKey(Root::LocalMachine, modem, "Logging", &on, 1);
  const uint8_t off = 0;
  SetRegistryBinaryInKey(Root::LocalMachine, modem, "logging", &off, 1);
  EXPECT_EQ(t.registry.ReadBinary(Root::LocalMachine, modem, "Logging"), std::vector<uint8_t>{0});
  EXPECT_EQ(Errors(t.dialogs).size(), 3u);
}

TEST(RegistryValues, ExistenceIgnoresLetterCaseAndReportsAMissingKey) {
  TestPlatform t;
  t.registry.CreateKey(Root::CurrentUser, kKey);
  t.registry.WriteBinary(Root::CurrentUser, kKey, "OpcjeOstrzegania", {1});
  EXPECT_TRUE(ZmiennaRejestrowaIstnieje(kKey, "opcjeostrzegania"));
  EXPECT_FALSE(ZmiennaRejestrowaIstnieje(kKey, "OpcjeSchowka"));
  EXPECT_TRUE(CzyZmiennaRejestrowaIstniejewKluczu(Root::CurrentUser, kKey, "OPCJEOSTRZEGANIA"));
  EXPECT_TRUE(t.dialogs.shown.empty());
  EXPECT_FALSE(ZmiennaRejestrowaIstnieje("\\Brak", "x"));
  EXPECT_FALSE(CzyZmiennaRejestrowaIstniejewKluczu(Root::ClassesRoot, "\\Brak", "x"));
  EXPECT_EQ(Errors(t.dialogs),
            (Report{{"U:WinTools F:ZmiennaRejestrowaIstnieje", "Nie mogę otworzyć klucza: \\Brak, var = x"},
                    {"U:WinTools F:CzyZmiennaRejestrowaIstniejewKluczu",
                     "Nie mogę otworzyć klucza:  key = -2147483648, subkey = \\Brak, var = x"}}));
}

TEST(RegistryValues, UnexpectedFailuresAreShownAndPassedOn) {
  TestPlatform t;
  ThrowingRegistry broken;
  platform::Services s = platform::Current();
  s.registry = &broken;
  platform::Services previous = platform::Install(s);
  EXPECT_THROW(GetRegistryString(kKey, "x"), std::runtime_error);
  EXPECT_THROW(SetRegistryBinary(kKey, "x", "a", 1), std::runtime_error);
  platform::Install(previous);
  EXPECT_EQ(Errors(t.dialogs), (Report{{"U:WinTools F:GetRegistryString", "Błąd nierozpoznany - raise"},
                                       {"U:WinTools P:SetRegistryBinary", "Błąd nierozpoznany - raise"}}));
}

TEST(Modems, CountedFromTheClassKeyAndAMissingClassIsNoFault) {
  TestPlatform t;
  const std::string cls = "\\System\\CurrentControlSet\\Services\\Class\\Modem";
  EXPECT_EQ(DajLiczbeModemow(), 0);
  t.registry.CreateKey(Root::LocalMachine, "\\System\\CurrentControlSet\\Services\\Class\\Net");
  EXPECT_EQ(DajLiczbeModemow(), 0);
  EXPECT_TRUE(t.dialogs.shown.empty());
  t.registry.CreateKey(Root::LocalMachine, cls + "\\0000");
  t.registry.CreateKey(Root::LocalMachine, cls + "\\0001");
  EXPECT_EQ(DajLiczbeModemow(), 2);
  t.registry.lockedKeys.push_back(cls);
  EXPECT_EQ(DajLiczbeModemow(), 0);
  EXPECT_EQ(Errors(t.dialogs), (Report{{"U:WinTools F:DajLiczbeModemow",
                                        "Nie mogę otworzyć klucza:  HKEY_LOCAL_MACHINE, subkey = " + cls}}));
}

TEST(FileTypes, DescriptionsExtensionsAndUser) {
  TestPlatform t;
  t.registry.CreateKey(Root::ClassesRoot, ".txt");
  t.registry.WriteString(Root::ClassesRoot, ".txt", "", "txtfile");
  t.registry.CreateKey(Root::ClassesRoot, "txtfile");
  t.registry.WriteString(Root::ClassesRoot, "txtfile", "", "Dokument tekstowy");
  t.registry.CreateKey(Root::ClassesRoot, ".XYZ");
  t.registry.WriteString(Root::ClassesRoot, ".XYZ", "", "xyzfile");  // type key missing
  t.registry.CreateKey(Root::ClassesRoot, ".ŻÓŁW");
  t.registry.CreateKey(Root::ClassesRoot, "CLSID");
  EXPECT_EQ(DajOpisRozszerzenia(".txt"), "Dokument tekstowy");
  EXPECT_EQ(DajOpisRozszerzenia(".xyz"), "");
  EXPECT_EQ(DajOpisRozszerzenia(".żółw"), "");
  EXPECT_TRUE(t.dialogs.shown.empty());
  EXPECT_EQ(DajOpisRozszerzenia(".brak"), "");
  EXPECT_EQ(Errors(t.dialogs), (Report{{"U:WinTools F:DajOpisRozszerzenia",
                                        "Nie mogę otworzyć klucza:  HKEY_CLASSES_ROOT, subkey = .brak, var = (Domyślna)"}}));

  TStringList ext{"już"};
  DajListeZarejestrowanychRozszerzen(ext);
  std::sort(ext.begin() + 1, ext.end());
  EXPECT_EQ(ext, (TStringList{"już", ".txt", ".xyz", ".żółw"}));

  EXPECT_EQ(DajNazweUzytkownika(), "Unknown");
  t.registry.CreateKey(Root::LocalMachine, "\\Network\\Logon");
  EXPECT_EQ(DajNazweUzytkownika(), "");
  t.registry.WriteString(Root::LocalMachine, "\\Network\\Logon", "username", "Łucja");
  EXPECT_EQ(DajNazweUzytkownika(), "Łucja");
}

TEST(FileTypes, IconFileAndIndexFromDefaultIcon) {
  TestPlatform t;
  auto type = [&](const std::string& ext, const std::string& icon) {
    std::string name = ext.substr(1) + "file";
    t.registry.CreateKey(Root::ClassesRoot, ext);
    t.registry.WriteString(Root::ClassesRoot, ext, "", name);
    t.registry.CreateKey(Root::ClassesRoot, name + "\\DefaultIcon");
    t.registry.WriteString(Root::ClassesRoot, name + "\\DefaultIcon", "", icon);
  };
  t.files.AddFile("C:\\Programy\\edytor.exe", "");
  type(".txt", "C:\\Programy\\edytor.exe,3");
  type(".doc", "C:\\Programy\\edytor.exe,abc");
  type(".bmp", "\"C:\\Programy\\edytor.exe\",-2");
  type(".ini", "shell32.dll,7");
  type(".log", "C:\\Programy\\edytor.exe");
  t.registry.CreateKey(Root::ClassesRoot, ".bez");
  t.registry.WriteString(Root::ClassesRoot, ".bez", "", "bezfile");

  std::string file;
  int index = -1;
  ASSERT_TRUE(DajPlikIkonyDlaRozszerzenia(".txt", file, index));
  EXPECT_EQ(file, "C:\\Programy\\edytor.exe");
  EXPECT_EQ(index, 3);
  ASSERT_TRUE(DajPlikIkonyDlaRozszerzenia(".doc", file, index));
  EXPECT_EQ(index, 0);
  ASSERT_TRUE(DajPlikIkonyDlaRozszerzenia(".bmp", file, index));
  EXPECT_EQ(file, "C:\\Programy\\edytor.exe");
  EXPECT_EQ(index, -2);
  ASSERT_TRUE(DajPlikIkonyDlaRozszerzenia(".ini", file, index));
  EXPECT_EQ(file, "C:\\WINDOWS\\system32\\shell32.dll");
  EXPECT_EQ(index, 7);
  ASSERT_TRUE(DajPlikIkonyDlaRozszerzenia(".log", file, index));
  EXPECT_EQ(index, 0);
  file = "bez zmian";
  EXPECT_FALSE(DajPlikIkonyDlaRozszerzenia(".bez", file, index));
  EXPECT_FALSE(DajPlikIkonyDlaRozszerzenia(".brak", file, index));
  EXPECT_EQ(file, "bez zmian");
  EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST(WindowPositionTexts, MaxOrFourNumbersAndDamagedTextIsRefused) {
  EXPECT_EQ(WindowPositionText({true, 1, 2, 3, 4}), "Max");
  EXPECT_EQ(WindowPositionText({false, 10, 20, 640, 480}), "10#20#640#480");
  EXPECT_EQ(WindowPositionText({false, -8, -8, 1040, 784}), "-8#-8#1040#784");

  WindowPosition p = WindowPositionFromText("10#20#640#480");
  EXPECT_TRUE(p.valid);
  EXPECT_FALSE(p.maximized);
  EXPECT_EQ(p.left, 10);
  EXPECT_EQ(p.top, 20);
  EXPECT_EQ(p.width, 640);
  EXPECT_EQ(p.height, 480);
  p = WindowPositionFromText("-8##-8#1040#784");  // runs of separators collapse
  EXPECT_TRUE(p.valid);
  EXPECT_EQ(p.top, -8);
  EXPECT_EQ(p.height, 784);
  p = WindowPositionFromText("Max");
  EXPECT_TRUE(p.valid && p.maximized);
  for (const char* bad : {"", "10#20#640", "10#20#x#480", "10#20#640#480px", "max", "10#20#99999999999#1"}) {
    WindowPosition q = WindowPositionFromText(bad);
    EXPECT_FALSE(q.valid) << bad;
    EXPECT_FALSE(q.maximized) << bad;
  }
}

TEST(WindowTitles, AllNonEmptyTitlesCutAtNulAnd200Characters) {
  TestPlatform t;
  std::string longTitle(250, 'x');
  t.desktop.windows = {{"Kalmo", false}, {"", false}, {std::string("Notatnik\0śmieci", 15), true}, {longTitle, false}};
  TStringList list;
  ListWindowTitles(list);
  EXPECT_EQ(list, (TStringList{"Kalmo", "Notatnik", std::string(200, 'x')}));
  EXPECT_TRUE(IsWindowTitleOpen("Nota"));
  EXPECT_FALSE(IsWindowTitleOpen("nota"));  // letter case counts
  EXPECT_FALSE(IsWindowTitleOpen("śmieci"));
}

TEST(WindowTitles, FilteredTitlesFollowTheDocumentRule) {
  TestPlatform t;
  t.desktop.windows = {
      {"Microsoft Word - Raport.doc", false},
      {"Menu - wyskakujące", true},                      // pop-up
      {"  Notatnik (tylko do odczytu) - list.txt  ", false},
      {"Kalkulator", false},                             // no filter character
      {"Edytor [Tryb zgodności] - umowa.doc", false},
      {"[Bez myślnika] plik", false},                    // "[" qualifies, brackets stay
      {"Eksploracja - C:\\", false},
      {"(cały tytuł w nawiasie)", false},
      {"\t-\r", false},
      {std::string(198, 'a') + "-x", false},             // the dash is the 199th character
      {std::string(199, 'a') + "-", false},              // the dash is cut off
  };
  TStringList list;
  ListFilteredWindowTitles(list, "-[");
  EXPECT_EQ(list, (TStringList{"Microsoft Word - Raport.doc", "Notatnik  - list.txt", "Edytor  - umowa.doc",
                               "[Bez myślnika] plik", "-", std::string(198, 'a') + "-"}));
  TStringList none;
  ListFilteredWindowTitles(none, "");
  EXPECT_TRUE(none.empty());
}

TEST(ScreenSaver, SwitchesOnlyWhenTheOptionSaysSo) {
  TestPlatform t;
  t.desktop.screenSaverActive = true;
  DisableScreenSaver(false);
  EXPECT_EQ(t.desktop.screenSaverChanges, 0);
  EXPECT_TRUE(ScreenSaverActive());
  DisableScreenSaver(true);
  EXPECT_FALSE(ScreenSaverActive());
  EnableScreenSaver(false);
  EXPECT_FALSE(ScreenSaverActive());
  EnableScreenSaver(true);
  EXPECT_TRUE(ScreenSaverActive());
  EXPECT_EQ(t.desktop.screenSaverChanges, 2);

  EXPECT_EQ(ScreenSaverTimeout(), 300);
  t.desktop.screenSaverTimeout = std::nullopt;
  t.desktop.screenSaverActive = std::nullopt;
  EXPECT_EQ(ScreenSaverTimeout(), 0);
  EXPECT_FALSE(ScreenSaverActive());
}

TEST(Programs, RunProgramPassesTheShowStateAndTheError) {
  TestPlatform t;
  t.processes.result = 2;
  EXPECT_EQ(RunProgram("Explorer /e,C:\\Dane", 1), 2u);
  ASSERT_EQ(t.processes.started.size(), 1u);
  EXPECT_EQ(t.processes.started[0].commandLine, "Explorer /e,C:\\Dane");
  EXPECT_EQ(t.processes.started[0].showState, 1);
}
