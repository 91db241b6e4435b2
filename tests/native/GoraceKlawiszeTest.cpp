#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Cp1250.h"
#include "common/Dyskowe.h"
#include "keyboard/GoraceKlawisze.h"
#include "keyboard/GoracyKlawisz.h"
#include "platform/memory/Memory.h"

using platform::memory::RecordingDialogs;
using platform::memory::TestPlatform;

namespace {

const std::string kPlik = "C:\\Kalmo\\Jan_hotkey.dat";

class NagrywajacyHook : public KeyHook {
 public:
  bool WlaczSledzenieKlawiatury(uintptr_t) override { return true; }
  void WylaczSledzenieKlawiatury() override {}
  void WyzerujTabliceKlawiszy() override { calls.push_back("zeruj"); }
  void DodajGoracyKlawisz(uint16_t shortcut) override { calls.push_back(std::to_string(shortcut)); }
  bool AktywnoscLewegoAltu(bool) override { return true; }
  void DajPozycjeKaretki(PunktKaretki& point) override { point = karetka; }
  std::vector<std::string> calls;
  PunktKaretki karetka{7, 11};
};

class NagrywajacyWykonawca : public WykonawcaHotkeyow {
 public:
  void RozpocznijPrzerwe() override { log.push_back("przerwa"); }
  void PokazOkno(uint8_t zadanie) override { log.push_back("okno " + std::to_string(zadanie)); }
  void PokazSchowek(uintptr_t focus) override { log.push_back("schowek " + std::to_string(focus)); }
  void PokazListeSkrotow() override { log.push_back("skroty"); }

  std::vector<std::string> log;
};

// The file as the program stores it: Windows-1250 with CR LF.
void Zapisz(TestPlatform& p, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& l : lines) bytes += cp1250::FromUtf8(l) + "\r\n";
  p.files.AddFile(kPlik, bytes);
}

}  // namespace

TEST(ShortCutText, NamesModifiersInFixedOrder) {
  EXPECT_EQ(ShortCutToText(0x6050), "Shift+Ctrl+P");
  EXPECT_EQ(ShortCutToText(0xE041), "Shift+Ctrl+Alt+A");
  EXPECT_EQ(ShortCutToText(0x8041), "Alt+A");
  EXPECT_EQ(ShortCutToText(0x40BB), "Ctrl+=");
  EXPECT_EQ(ShortCutToText(0x0070), "F1");
  EXPECT_EQ(ShortCutToText(0x407B), "Ctrl+F12");
  EXPECT_EQ(ShortCutToText(0x4030), "Ctrl+0");
  EXPECT_EQ(ShortCutToText(0x402D), "Ctrl+Ins");
  EXPECT_EQ(ShortCutToText(0x2022), "Shift+PgDn");
  EXPECT_EQ(ShortCutToText(0x0D), "Enter");
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(ShortCutToText(0x6000), "");  // modifiers without a key
  EXPECT_EQ(ShortCutToText(0x40FF), "");  // a key without a name
}

TEST(ShortCutText, ParsesNamesSpacesAndLetterCase) {
  EXPECT_EQ(TextToShortCut("Ctrl+="), 0x40BB);
  EXPECT_EQ(TextToShortCut("Shift+Ctrl+P"), 0x6050);
  EXPECT_EQ(TextToShortCut("Ctrl + D"), 0x4044);
  EXPECT_EQ(TextToShortCut(" Ctrl+D "), 0x4044);
  EXPECT_EQ(TextToShortCut("ctrl+shift+i"), 0x6049);  // any order, any case
  EXPECT_EQ(TextToShortCut("Alt+Space"), 0x8020);
  EXPECT_EQ(TextToShortCut("Del"), 0x2E);
  EXPECT_EQ(TextToShortCut("Home"), 0x24);
  EXPECT_EQ(TextToShortCut("Ctrl+Left"), 0x4025);
  EXPECT_EQ(TextToShortCut("Ctrl+Num +"), 0x406B);
  EXPECT_EQ(TextToShortCut("Ctrl+Num+"), 0x406B);
  EXPECT_EQ(TextToShortCut("Ctrl+F13"), 0x407C);
}

TEST(ShortCutText, TextThatNamesNoKeyIsZero) {
  EXPECT_EQ(TextToShortCut(""), 0);
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut("Shift+Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut("Ctrl+Ą"), 0);
  EXPECT_EQ(TextToShortCut("Ctrl+PP"), 0);
  EXPECT_EQ(TextToShortCut("Win+P"), 0);
  EXPECT_EQ(TextToShortCut("F0"), 0);
  EXPECT_EQ(TextToShortCut("F25"), 0);
  EXPECT_EQ(TextToShortCut("Przerwa"), 0);
}

TEST(ShortCutText, EveryNamedKeyRoundTripsWithEveryModifierSet) {
  int named = 0;
  for (int vk = 1; vk < 256; ++vk) {
    for (uint16_t mods : {0, 0x2000, 0x4000, 0x8000, 0x6000, 0xA000, 0xC000, 0xE000}) {
      const uint16_t value = static_cast<uint16_t>(vk | mods);
      const std::string text = ShortCutToText(value);
      if (text.empty()) continue;
      if (mods == 0) ++named;
      EXPECT_EQ(TextToShortCut(text), value) << text;
    }
  }
  // Letters, digits, F1-F24 and the named keys all have texts; nothing else does.
  EXPECT_EQ(named, 26 + 10 + 24 + 46);
}

TEST(HotkeyLine, SplitsFieldsAndKeepsParenthesisedPath) {
  EXPECT_EQ(PoleSkrotu("Shift+Ctrl+P#Przerwa"), "Shift+Ctrl+P");
  EXPECT_EQ(PoleOpisu("Shift+Ctrl+P#Przerwa"), "Przerwa");
  EXPECT_EQ(PoleOpisu("Ctrl+D#Wyświetla historię schowka#reszta"), "Wyświetla historię schowka");
  EXPECT_EQ(PoleOpisu("Ctrl+D##Przerwa"), "Przerwa");  // runs of separators count as one
  EXPECT_EQ(PoleOpisu("Ctrl+D"), "");
  EXPECT_EQ(PoleSkrotu("#Przerwa"), "");
  // A "#" inside the program path does not end the field.
  EXPECT_EQ(PoleOpisu("Ctrl+R#Uruchamia wybraną aplikację (C:\\Gry#1\\a.exe)#x"),
            "Uruchamia wybraną aplikację (C:\\Gry#1\\a.exe)");
}

TEST(HotkeyLine, DescriptionToTaskIgnoresRemarksAndNeedsExactText) {
  EXPECT_EQ(OpisToZadanie("Przerwa"), 1);
  EXPECT_EQ(OpisToZadanie("Przerwa (na kawę)"), 1);
  EXPECT_EQ(OpisToZadanie("  Przerwa  "), 1);
  EXPECT_EQ(OpisToZadanie("Wyświetla informacje dnia"), 2);
  EXPECT_EQ(OpisToZadanie("Wyświetla statystykę"), 3);
  EXPECT_EQ(OpisToZadanie("Wyświetla listę monitorowanych dokumentów"), 4);
  EXPECT_EQ(OpisToZadanie("Uruchamia wybraną aplikację (C:\\a.exe)"), 5);
  EXPECT_EQ(OpisToZadanie("Wyświetla historię schowka"), 7);
  EXPECT_EQ(OpisToZadanie("Wyświetla listę skrótów"), 8);
  EXPECT_EQ(OpisToZadanie("przerwa"), 0);  // case matters
  EXPECT_EQ(OpisToZadanie("Przerwa)("), 0);  // ")" before "(" is no parenthesised part
  EXPECT_EQ(OpisToZadanie(""), 0);
  EXPECT_EQ(OpisToZadanie("Opcje"), 0);
}

TEST(HotkeyLine, ProgramPathIsTakenForTaskFiveOnly) {
  HotkeyRecord r = ParsujLinieHotkeya("Ctrl + Shift + N#Uruchamia wybraną aplikację (C:\\Windows\\notepad.exe)");
  EXPECT_EQ(r.Skrot, 0x604E);
  EXPECT_EQ(r.Zadanie, 5);
  EXPECT_EQ(r.Parametr, "C:\\Windows\\notepad.exe");

  r = ParsujLinieHotkeya("Ctrl+B#Przerwa (C:\\nie.exe)");
  EXPECT_EQ(r.Zadanie, 1);
  EXPECT_EQ(r.Parametr, "");

  // A path with its own brackets keeps the binding and the whole path.
  r = ParsujLinieHotkeya("Ctrl+R#Uruchamia wybraną aplikację (C:\\Program Files (x86)\\App\\app.exe)");
  EXPECT_EQ(r.Zadanie, 5);
  EXPECT_EQ(r.Parametr, "C:\\Program Files (x86)\\App\\app.exe");
  r = ParsujLinieHotkeya("Ctrl+R#Uruchamia wybraną aplikację (C:\\a)b\\x.exe)");
  EXPECT_EQ(r.Zadanie, 5);
  EXPECT_EQ(r.Parametr, "C:\\a)b\\x.exe");

  // Cut to 255 characters, counting a Polish letter as one.
  std::string longPath = "C:\\";
  for (int i = 0; i < 300; ++i) longPath += "ż";
  r = ParsujLinieHotkeya("Ctrl+R#Uruchamia wybraną aplikację (" + longPath + ")");
  std::string expected = "C:\\";
  for (int i = 0; i < 252; ++i) expected += "ż";
  EXPECT_EQ(r.Parametr, expected);

  r = ParsujLinieHotkeya("Ctrl+Q#Coś innego");
  EXPECT_EQ(r.Skrot, 0x4051);
  EXPECT_EQ(r.Zadanie, 0);
  r = ParsujLinieHotkeya("");
  EXPECT_EQ(r.Skrot, 0);
  EXPECT_EQ(r.Zadanie, 0);
}

TEST(THotKeys, LoadsTheDefaultFileAndRegistersInOrder) {
  TestPlatform p;
  Zapisz(p, {"Shift+Ctrl+P#Przerwa", "Ctrl+=#Wyświetla listę monitorowanych dokumentów",
             "Ctrl+D#Wyświetla historię schowka", "Shift+Ctrl+I#Wyświetla informacje dnia"});
  NagrywajacyHook hook;
  THotKeys t(kPlik, hook);
  ASSERT_EQ(t.Ilosc(), 4);
  EXPECT_EQ(t.Rekord(1).Skrot, 0x6050);
  EXPECT_EQ(t.Rekord(1).Zadanie, 1);
  EXPECT_EQ(t.Rekord(2).Skrot, 0x40BB);
  EXPECT_EQ(t.Rekord(2).Zadanie, 4);
  EXPECT_EQ(t.Rekord(3).Zadanie, 7);
  EXPECT_EQ(t.Rekord(4).Skrot, 0x6049);
  EXPECT_EQ(hook.calls, (std::vector<std::string>{"zeruj", "24656", "16571", "16452", "24649"}));
  EXPECT_TRUE(p.dialogs.shown.empty());

  EXPECT_EQ(t.ZadanieToSkrot(1), "Shift+Ctrl+P");
  EXPECT_EQ(t.ZadanieToSkrot(4), "Ctrl+=");
  EXPECT_EQ(t.ZadanieToSkrot(3), "");
  EXPECT_EQ(t.ZadanieToSkrot(6), "");
}

TEST(THotKeys, MissingFileLeavesTableAsItIs) {
  TestPlatform p;
  Zapisz(p, {"Ctrl+D#Wyświetla historię schowka"});
  NagrywajacyHook hook;
  THotKeys t(kPlik, hook);
  ASSERT_EQ(t.Ilosc(), 1);
  p.files.DeleteFile(kPlik);
  t.WczytajHotkeye();
  EXPECT_EQ(t.Ilosc(), 1);
  EXPECT_EQ(t.Rekord(1).Zadanie, 7);

  TestPlatform empty;
  NagrywajacyHook hook2;
  THotKeys none(kPlik, hook2);
  EXPECT_EQ(none.Ilosc(), 0);
  EXPECT_EQ(hook2.calls, std::vector<std::string>{"zeruj"});
  EXPECT_TRUE(empty.dialogs.shown.empty());
}

TEST(THotKeys, ReloadReplacesRecordsAndLibraryCopy) {
  TestPlatform p;
  Zapisz(p, {"Ctrl+A#Przerwa", "Ctrl+B#Wyświetla statystykę", "Ctrl+C#Uruchamia wybraną aplikację (x.exe)"});
  NagrywajacyHook hook;
  THotKeys t(kPlik, hook);
  Zapisz(p, {"Ctrl+E#Wyświetla statystykę"});
  hook.calls.clear();
  t.WczytajHotkeye();
  t.ZarejestrujHotkeye();
  EXPECT_EQ(t.Ilosc(), 1);
  EXPECT_EQ(hook.calls, (std::vector<std::string>{"zeruj", std::to_string(0x4045)}));
  EXPECT_EQ(t.ZnajdzHotkey(0x4043).Zadanie, 0);  // the old program binding is gone
  EXPECT_EQ(t.ZnajdzHotkey(0x4041).Zadanie, 0);
}

TEST(THotKeys, KeepsTheFirstFifteenLinesOfALongerFile) {
  TestPlatform p;
  std::vector<std::string> lines;
  for (int i = 0; i < 20; ++i) lines.push_back("Ctrl+F" + std::to_string(i + 1) + "#Przerwa");
  Zapisz(p, lines);
  NagrywajacyHook hook;
  THotKeys t(kPlik, hook);
  EXPECT_EQ(t.Ilosc(), 15);
  EXPECT_EQ(t.Rekord(15).Skrot, 0x4070 + 14);
  EXPECT_EQ(hook.calls.size(), 16u);
  EXPECT_EQ(hook.calls.back(), std::to_string(0x4070 + 14));
  EXPECT_EQ(t.ZnajdzHotkey(0x4070 + 15).Zadanie, 0);  // Ctrl+F16 was the sixteenth line
  // The user hears of it once, not at every reload.
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_EQ(p.dialogs.shown[0].text,
            "Plik gorących klawiszy zawiera więcej niż 15 pozycji. Używanych jest pierwszych 15, pozostałe są "
            "pomijane.");
  t.WczytajHotkeye();
  EXPECT_EQ(p.dialogs.shown.size(), 1u);
}

TEST(THotKeys, EmptyFileAndBlankLinesRegisterNoShortcutZero) {
  TestPlatform p;
  p.files.AddFile(kPlik, "");
  NagrywajacyHook hook;
  NagrywajacyWykonawca w;
  THotKeys t(kPlik, hook);
  EXPECT_EQ(t.Ilosc(), 0);
  EXPECT_EQ(hook.calls, std::vector<std::string>{"zeruj"});
  Zapisz(p, {"", "Ctrl+Nic#Przerwa", "   ", "#Wyświetla statystykę", "Ctrl+A#Przerwa"});
  hook.calls.clear();
  t.WczytajHotkeye();
  t.ZarejestrujHotkeye();
  EXPECT_EQ(t.Ilosc(), 3);
  EXPECT_EQ(hook.calls, (std::vector<std::string>{"zeruj", std::to_string(0x4041)}));
  EXPECT_EQ(t.ZadanieToSkrot(1), "Ctrl+A");  // the keyless record does not hide the binding
  EXPECT_EQ(t.ZadanieToSkrot(3), "");
  // A message with value 0 finds nothing, though two records have no key.
  EXPECT_EQ(t.ZnajdzHotkey(0).Zadanie, 0);
  t.MyHotKeyMessageProc(0, 0, w);
  EXPECT_TRUE(w.log.empty());
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST(THotKeys, FindReturnsFirstOfDuplicatesAndUnknownLinesStayRegistered) {
  TestPlatform p;
  Zapisz(p, {"Ctrl+K#Nic takiego", "Ctrl + D#Wyświetla statystykę", "Ctrl+D#Przerwa",
             "Shift+Ctrl+P#Przerwa (po obiedzie)"});
  NagrywajacyHook hook;
  THotKeys t(kPlik, hook);
  EXPECT_EQ(t.ZnajdzHotkey(0x4044).Zadanie, 3);
  EXPECT_EQ(t.ZnajdzHotkey(0x6050).Zadanie, 1);
  EXPECT_EQ(t.ZnajdzHotkey(0x404B).Zadanie, 0);
  EXPECT_EQ(t.ZnajdzHotkey(0x404B).Skrot, 0x404B);  // found, but without a task
  EXPECT_EQ(t.ZnajdzHotkey(0x4058).Skrot, 0);
  // The unknown line is still handed to the library.
  EXPECT_EQ(hook.calls[1], std::to_string(0x404B));
  EXPECT_EQ(t.ZadanieToSkrot(3), "Ctrl+D");
}

TEST(THotKeys, TaskDescriptionsAndTheirList) {
  TestPlatform p;
  NagrywajacyHook hook;
  THotKeys t(kPlik, hook);
  EXPECT_EQ(t.ZadanieToOpis(5), "Uruchamia wybraną aplikację");
  EXPECT_EQ(t.ZadanieToOpis(8), "Wyświetla listę skrótów");
  EXPECT_TRUE(p.dialogs.shown.empty());
  for (uint8_t code : {0, 6, 9}) {
    p.dialogs.shown.clear();
    EXPECT_EQ(t.ZadanieToOpis(code), "");
    ASSERT_EQ(p.dialogs.shown.size(), 1u) << int(code);
    EXPECT_EQ(p.dialogs.shown[0].kind, RecordingDialogs::Shown::Error);
    EXPECT_EQ(p.dialogs.shown[0].place, "THotKeys.ZadanieToOpis");
    EXPECT_EQ(p.dialogs.shown[0].text, "Nierozpoznane zadanie");
  }
  TStringList list{"stare"};
  t.WypelnijListeZadan(list);
  EXPECT_EQ(list, (TStringList{"Przerwa", "Wyświetla informacje dnia", "Wyświetla statystykę",
                               "Wyświetla listę monitorowanych dokumentów", "Wyświetla historię schowka",
                               "Wyświetla listę skrótów", "Uruchamia wybraną aplikację"}));
  for (const auto& opis : list) EXPECT_EQ(t.ZadanieToOpis(t.OpisToZadanie(opis)), opis);
}

TEST(THotKeys, PressesRunTheirTasks) {
  TestPlatform p;
  Zapisz(p, {"Ctrl+A#Przerwa", "Ctrl+B#Wyświetla informacje dnia", "Ctrl+C#Wyświetla statystykę",
             "Ctrl+E#Wyświetla listę monitorowanych dokumentów", "Ctrl+K#Nieznane"});
  NagrywajacyHook hook;
  NagrywajacyWykonawca w;
  THotKeys t(kPlik, hook);
  // Only the low 16 bits of wParam carry the value.
  t.MyHotKeyMessageProc(0x12340000u | 0x4041, 0, w);
  t.MyHotKeyMessageProc(0x4042, 0, w);
  t.MyHotKeyMessageProc(0x4043, 0, w);
  t.MyHotKeyMessageProc(0x4045, 0, w);
  t.WykonajHotkey(HotkeyRecord{0x4044, 7, ""}, 30, w);  // the history at the caret of focus window 30
  // Registered without a task, and not registered at all: ignored without a word.
  t.MyHotKeyMessageProc(0x404B, 0, w);
  t.MyHotKeyMessageProc(0x4058, 0, w);
  EXPECT_EQ(w.log, (std::vector<std::string>{"przerwa", "okno 2", "okno 3", "okno 4", "schowek 30"}));
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST(THotKeys, RunningAProgramReportsItsFailures) {
  TestPlatform p;
  NagrywajacyHook hook;
  NagrywajacyWykonawca w;
  THotKeys t(kPlik, hook);
  HotkeyRecord r{0x4052, 5, "\"C:\\Program Files\\Gra\\gra.exe\" -x"};

  t.WykonajHotkey(r, 0, w);
  ASSERT_EQ(p.processes.started.size(), 1u);
  EXPECT_EQ(p.processes.started[0].commandLine, r.Parametr);  // brings its own quotes: unchanged
  EXPECT_EQ(p.processes.started[0].showState, 1);
  EXPECT_TRUE(w.log.empty());
  EXPECT_TRUE(p.dialogs.shown.empty());

  p.processes.result = 2;
  w.log.clear();
  t.WykonajHotkey(r, 0, w);
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_EQ(p.dialogs.shown[0].kind, RecordingDialogs::Shown::Message);
  EXPECT_EQ(p.dialogs.shown[0].text, "Plik \"C:\\Program Files\\Gra\\gra.exe\" -x nie istnieje!");
  EXPECT_EQ(p.dialogs.shown[0].picture, platform::rkOstrzezenie);

  p.processes.result = 5;
  p.dialogs.shown.clear();
  w.log.clear();
  t.WykonajHotkey(r, 0, w);
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_EQ(p.dialogs.shown[0].kind, RecordingDialogs::Shown::Error);
  EXPECT_EQ(p.dialogs.shown[0].place, "TfrmGlowna.MyHotKeyMessageProc - WykonajHotkey");
  EXPECT_EQ(p.dialogs.shown[0].text, "Błąd nr:5");

  // A program that exists starts in its own folder, a path with spaces quoted, so that
  // "C:\Program.exe" cannot be started in its place.
  p.processes.result = 0;
  p.files.AddFile("C:\\Program Files\\x\\y.exe", "");
  p.files.AddFile("C:\\Program.exe", "");
  t.WykonajHotkey(HotkeyRecord{0x4052, 5, "C:\\Program Files\\x\\y.exe"}, 0, w);
  EXPECT_EQ(p.processes.started.back().commandLine, "\"C:\\Program Files\\x\\y.exe\"");
  EXPECT_EQ(p.processes.started.back().folder, "C:\\Program Files\\x");
}

TEST(THotKeys, AParameterThatIsNoFileIsReadAsACommandLine) {
  TestPlatform p;
  p.files.AddFile("C:\\Windows\\notepad.exe", "");
  p.files.AddFile("C:\\Program Files\\Gra\\gra.exe", "");
  p.files.AddFile("C:\\Program.exe", "");
  p.files.AddFile("C:\\a.exe", "");
  p.files.AddDirectory("C:\\Dane");
  struct Przypadek {
    const char* parametr;
    const char* linia;
    const char* folder;
  };
  const Przypadek przypadki[] = {
      // An existing file, quoted, in its folder; a drive's root is "C:\", not the drive's current folder.
      {"C:\\Program Files\\Gra\\gra.exe", "\"C:\\Program Files\\Gra\\gra.exe\"", "C:\\Program Files\\Gra"},
      {"C:\\a.exe", "\"C:\\a.exe\"", "C:\\"},
      // Program then arguments, as lines written by hand were started before.
      {"C:\\Windows\\notepad.exe C:\\Dane\\notatki.txt", "\"C:\\Windows\\notepad.exe\" C:\\Dane\\notatki.txt",
       "C:\\Windows"},
      {"C:\\Program Files\\Gra\\gra.exe -pelny ekran", "\"C:\\Program Files\\Gra\\gra.exe\" -pelny ekran",
       "C:\\Program Files\\Gra"},
      // A program of the search path: the line as it stands, the folder unknown.
      {"notepad C:\\Dane\\notatki.txt", "notepad C:\\Dane\\notatki.txt", ""},
      // Its own quotes: as it stands, the folder of the quoted program.
      {"\"C:\\Program Files\\Gra\\gra.exe\" -x", "\"C:\\Program Files\\Gra\\gra.exe\" -x", "C:\\Program Files\\Gra"},
      // A program that is gone is one quoted name (its message names it), never "C:\Program.exe";
      // its folder, gone too, is not given.
      {"C:\\Program Files\\Stara\\stara.exe", "\"C:\\Program Files\\Stara\\stara.exe\"", ""},
      {"C:\\Dane\\brak.exe", "\"C:\\Dane\\brak.exe\"", "C:\\Dane"},
  };
  for (const Przypadek& c : przypadki) {
    const PolecenieProgramu pp = PolecenieDlaProgramu(c.parametr);
    EXPECT_EQ(pp.linia, c.linia) << c.parametr;
    EXPECT_EQ(pp.folder, c.folder) << c.parametr;
  }
}

TEST(THotKeys, TasksWithoutCommandAreReported) {
  TestPlatform p;
  NagrywajacyHook hook;
  NagrywajacyWykonawca w;
  THotKeys t(kPlik, hook);
  for (uint8_t code : {6, 9, 255}) {
    p.dialogs.shown.clear();
    t.WykonajHotkey(HotkeyRecord{0x4041, code, ""}, 0, w);
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(p.dialogs.shown[0].place, "TfrmGlowna.MyHotKeyMessageProc - WykonajHotkey");
    EXPECT_EQ(p.dialogs.shown[0].text, "Gorący klawisz bez rozkazu");
  }
  EXPECT_TRUE(w.log.empty());
  EXPECT_TRUE(p.processes.started.empty());
}

TEST(GoracyKlawisz, ControlValuesProgramTextsAndRefusals) {
  // The capture control's modifier byte and the shortcut bits, both ways.
  EXPECT_EQ(SkrotZKontrolki(0x0441), 0x8041);  // Alt+A, the dialog's first value
  EXPECT_EQ(SkrotZKontrolki(0x0350), 0x6050);
  EXPECT_EQ(SkrotZKontrolki(0x0300), 0);  // modifiers without a key
  for (uint16_t s : {0x8041, 0x6050, 0xE07B, 0x40BB, 0x402D, 0x4060})
    EXPECT_EQ(SkrotZKontrolki(KontrolkaZeSkrotu(s)), s);
  EXPECT_EQ(KontrolkaZeSkrotu(0x402D), 0x0A2D);  // Ins is marked extended, Num 0 is not
  EXPECT_EQ(KontrolkaZeSkrotu(0x4060), 0x0260);

  const std::string opis = "Uruchamia wybraną aplikację (C:\\Program Files (x86)\\Gra\\gra.exe)";
  EXPECT_EQ(NazwaPlikuProgramu("C:\\Program Files (x86)\\Gra\\gra.exe"), "gra.exe");
  EXPECT_EQ(NazwaPlikuProgramu("C:gra.exe"), "gra.exe");
  EXPECT_EQ(FolderPlikuProgramu("C:\\Program Files (x86)\\Gra\\gra.exe"), "C:\\Program Files (x86)\\Gra");
  EXPECT_EQ(PokazywanyOpisZadania(opis), "Uruchamia wybraną aplikację (gra.exe)");
  EXPECT_EQ(PokazywanyOpisZadania("Przerwa"), "Przerwa");
  EXPECT_EQ(OpisZProgramem(opis, "D:\\x.exe"), "Uruchamia wybraną aplikację (D:\\x.exe)");

  TStringList opisy;
  for (const auto& z : kTabelaZadan) opisy.push_back(z.opis);
  EXPECT_EQ(PozycjaZadania(opisy, opis), 6);
  EXPECT_EQ(PozycjaZadania(opisy, " Przerwa (po obiedzie)"), 0);
  EXPECT_EQ(PozycjaZadania(opisy, "Coś innego"), -1);

  EXPECT_EQ(SprawdzGoracyKlawisz(0x8041, opis), "");
  EXPECT_EQ(SprawdzGoracyKlawisz(0, "Przerwa"), "Niepoprawny gorący klawisz - wybierz inny!");
  EXPECT_EQ(SprawdzGoracyKlawisz(0x8041, ""), "Wybierz zadanie gorącego klawisza.");
  EXPECT_EQ(SprawdzGoracyKlawisz(0x8041, "Uruchamia wybraną aplikację"),
            "Wybierz program, który ma uruchamiać ten gorący klawisz.");
  // A path the hotkey file cannot hold would be stored with "?" and never start.
  EXPECT_EQ(SprawdzGoracyKlawisz(0x8041, "Uruchamia wybraną aplikację (C:\\Gry\\Łódź\\gra.exe)"), "");
  EXPECT_EQ(SprawdzGoracyKlawisz(0x8041, "Uruchamia wybraną aplikację (C:\\Програмы\\gra.exe)"),
            "Ścieżka programu zawiera znak „П”, którego nie da się zapisać w pliku gorących klawiszy (strona kodowa "
            "Windows-1250).");
}
