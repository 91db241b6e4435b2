// The options dialog, the advanced options and help as real Win32 windows under Wine, over the
// in-memory settings (registry and files of the memory platform).
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "base/Cp1250.h"
#include "common/Dyskowe.h"
#include "common/WinTools.h"
#include "common/win32/Window.h"
#include "keyboard/GoraceKlawisze.h"
#include "options/Opcje.h"
#include "settings/Pomoc.h"
#include "options/win32/Opcje.h"
#include "options/win32/OpcjeZaawansowane.h"
#include "settings/win32/Pomoc.h"
#include "platform/memory/Memory.h"
#include "settings/Rejestr.h"
#include "tests/win/Driver.h"
#include "worktime/InfoSaver.h"

using platform::memory::RecordingDialogs;

namespace {

std::vector<uint8_t> Wartosc(const char* nazwa, size_t rozmiar) {
  std::vector<uint8_t> b(rozmiar, 0);
  GetRegistryBinary(kKluczKalmo, nazwa, b.data(), static_cast<int>(rozmiar));
  return b;
}

class OknoOpcji : public testing::Test {
 protected:
  void SetUp() override {
    p.files.AddDirectory("C:\\Kalmo");
    UtworzZmienneRejestrowe(pliki);
    const auto dzis = TodayRecord().ToBytes();
    CreateRegistryBinary(kKluczKalmo, wartosc::TodayInfo, dzis.data(), static_cast<int>(dzis.size()));
    // A record the sliders cannot show exactly: a 1000-second break and a 10-second tick.
    LimitsRecord l = LimitsRecord::Domyslne();
    l.caDlugoscPrzerwy = 1000;
    l.Programy = "Word#Excel";
    const auto b = l.ToBytes();
    CreateRegistryBinary(kKluczKalmo, wartosc::Ustawienia, b.data(), static_cast<int>(b.size()));
    konto = std::make_unique<TInfoSaver>(pliki, nullptr);
    p.dialogs.shown.clear();
  }
  void TearDown() override {
    okno.reset();
    for (const auto& d : p.dialogs.shown)
      if (d.kind == RecordingDialogs::Shown::Error) ADD_FAILURE() << "error dialog: " << d.place << " " << d.text;
  }

  TfrmOpcje& Okno() {
    KontekstOpcji k;
    k.infoSaver = konto.get();
    k.pliki = pliki;
    k.folderProgramu = "C:\\Kalmo";
    k.ustawOpcjeOstrzegania = [this](const WarningOptions& o) { wMocy = o; ++zmianyOstrzegania; };
    k.ustawZnakiFiltrujace = [this](const std::string& z) { znaki = z; };
    k.poZapisieHotkeyow = [this] { ++przeladowania; };
    k.przelaczLewyAlt = [this](bool tak) { lewyAlt.push_back(tak); return true; };
    okno = std::make_unique<TfrmOpcje>(k);
    return *okno;
  }
  HWND C(const std::string& nazwa) { return win::FindControl(okno->Hwnd(), nazwa); }
  // A slider moved by the user: the position and the notification its page receives.
  void Przesun(const std::string& suwak, int pozycja) {
    HWND s = C(suwak);
    SendMessageW(s, TBM_SETPOS, TRUE, pozycja);
    SendMessageW(GetParent(s), WM_HSCROLL, TB_THUMBPOSITION, reinterpret_cast<LPARAM>(s));
  }
  void Kliknij(const std::string& przycisk) {
    HWND b = C(przycisk);
    SendMessageW(b, BM_CLICK, 0, 0);
  }
  std::vector<std::string> Ostrzezenia() const {
    std::vector<std::string> t;
    for (const auto& d : p.dialogs.shown)
      if (d.kind == RecordingDialogs::Shown::Message && d.picture == platform::rkOstrzezenie) t.push_back(d.text);
    return t;
  }

  platform::memory::TestPlatform p;
  PlikiDanych pliki = UtworzNazwyPlikow("C:\\Kalmo", "test");
  std::unique_ptr<TInfoSaver> konto;
  std::unique_ptr<TfrmOpcje> okno;
  WarningOptions wMocy;
  int zmianyOstrzegania = 0, przeladowania = 0;
  std::string znaki = "niezmienione";
  std::vector<bool> lewyAlt;
};

}  // namespace

TEST_F(OknoOpcji, EightPagesInOrderWithTheirButtons) {
  TfrmOpcje& o = Okno();
  ASSERT_TRUE(o.Hwnd());
  EXPECT_EQ(win::GetText(o.Hwnd()), "Opcje");
  HWND notes = C("Notes");
  ASSERT_EQ(SendMessageW(notes, TCM_GETITEMCOUNT, 0, 0), kLiczbaStron);
  for (int i = 0; i < kLiczbaStron; ++i) {
    wchar_t tekst[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = tekst;
    item.cchTextMax = 64;
    SendMessageW(notes, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(win::Narrow(tekst, static_cast<int>(wcslen(tekst))), NazwaStrony(i));
  }
  EXPECT_EQ(win::GetText(C("cmdOk")), "OK");
  EXPECT_EQ(win::GetText(C("cmdAnuluj")), "Anuluj");
  EXPECT_EQ(win::GetText(C("cmdPomoc")), "Pomoc");
  RECT r{};
  GetClientRect(o.Hwnd(), &r);
  EXPECT_EQ(r.right, win::Scale(634, win::ScreenDpi()));
  EXPECT_EQ(r.bottom, win::Scale(429, win::ScreenDpi()));
  EXPECT_EQ(o.WybranaStrona(), 0);
  EXPECT_EQ(win::GetText(C("labStosunek")), "27 : 10");  // 45 minutes to the 1000-second break
  EXPECT_EQ(win::GetText(C("tbZnakiFiltrujace")), "-[");
}

TEST_F(OknoOpcji, OkWithNothingChangedChangesNothing) {
  const auto ustawienia = Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar);
  const auto ostrzeganie = Wartosc(wartosc::OpcjeOstrzegania, WarningOptions::kRozmiar);
  const auto plikiTym = Wartosc(wartosc::OpcjePlikowTymczasowych, OpcjePlikowTymczasowych::kRozmiar);
  const auto schowek = Wartosc(wartosc::OpcjeSchowka, OpcjeSchowka::kRozmiar);
  const auto klawisze = p.files.ReadFile(pliki.goraceKlawisze);
  ASSERT_TRUE(Okno().cmdOkClick());
  EXPECT_EQ(Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar), ustawienia);
  EXPECT_EQ(Wartosc(wartosc::OpcjeOstrzegania, WarningOptions::kRozmiar), ostrzeganie);
  EXPECT_EQ(Wartosc(wartosc::OpcjePlikowTymczasowych, OpcjePlikowTymczasowych::kRozmiar), plikiTym);
  EXPECT_EQ(Wartosc(wartosc::OpcjeSchowka, OpcjeSchowka::kRozmiar), schowek);
  EXPECT_EQ(p.files.ReadFile(pliki.goraceKlawisze), klawisze);
  EXPECT_EQ(konto->DajLimity().caDlugoscPrzerwy, 1000);
  EXPECT_EQ(zmianyOstrzegania, 1);
  EXPECT_EQ(przeladowania, 1);
  EXPECT_EQ(znaki, "-[");
  EXPECT_TRUE(Ostrzezenia().empty());
}

TEST_F(OknoOpcji, RefusedWarningsPageStoresNothingAndStaysOpen) {
  const auto ustawienia = Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar);
  const auto ostrzeganie = Wartosc(wartosc::OpcjeOstrzegania, WarningOptions::kRozmiar);
  TfrmOpcje& o = Okno();
  Przesun("suwCzasPracy", 10);                           // page 1
  Kliknij("chbPauseKey");                                // page 4
  win::SetText(C("tbZnakiFiltrujace"), "-");             // page 3
  win::SetText(C("tbCzestotliwoscPrzypomnienPrzerwa"), "x");
  EXPECT_FALSE(o.cmdOkClick());
  EXPECT_EQ(Ostrzezenia(), (std::vector<std::string>{
                               "Błędnie podana częstotliwość przypomnień o przerwie na zakładce \"Ostrzeganie\"!"}));
  EXPECT_EQ(o.WybranaStrona(), static_cast<int>(Strona::Ostrzeganie));
  EXPECT_EQ(win::GetText(C("tbCzestotliwoscPrzypomnienPrzerwa")), "x");  // as the user left it
  EXPECT_EQ(Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar), ustawienia);
  EXPECT_EQ(Wartosc(wartosc::OpcjeOstrzegania, WarningOptions::kRozmiar), ostrzeganie);
  EXPECT_EQ(RejReadString(wartosc::PauseKey, "?"), kTak);
  EXPECT_EQ(RejReadString(wartosc::ZnakiFiltrujace, "?"), "-[");
  EXPECT_EQ(zmianyOstrzegania + przeladowania, 0);
  EXPECT_EQ(znaki, "niezmienione");

  // "Anuluj" afterwards leaves every setting as it was.
  o.cmdAnulujClick();
  okno.reset();
  EXPECT_EQ(Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar), ustawienia);
  EXPECT_EQ(RejReadString(wartosc::PauseKey, "?"), kTak);
}

TEST_F(OknoOpcji, ProgramListOver250CharactersIsRefused) {
  const auto ustawienia = Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar);
  TfrmOpcje& o = Okno();
  HWND lista = C("lstProgramy");
  ASSERT_EQ(SendMessageW(lista, LB_GETCOUNT, 0, 0), 2);
  // 2 names of 4 and 5 characters + 24 of 9 = 9 + 216 + 25 separators = 250 characters: allowed.
  for (int i = 0; i < 24; ++i) SendMessageW(lista, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Program12"));
  EXPECT_TRUE(o.cmdOkClick());
  EXPECT_EQ(utf8::Length(konto->DajLimity().Programy), 250u);
  SendMessageW(lista, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"X"));
  p.dialogs.shown.clear();
  const auto przed = Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar);
  EXPECT_FALSE(o.cmdOkClick());
  EXPECT_EQ(Ostrzezenia(), (std::vector<std::string>{"Zbyt dużo monitorowanych programów"}));
  EXPECT_EQ(o.WybranaStrona(), static_cast<int>(Strona::Przypominanie));
  EXPECT_EQ(Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar), przed);
  EXPECT_NE(przed, ustawienia);
}

TEST_F(OknoOpcji, OkStoresChangedFieldsOverTheCurrentRecord) {
  TfrmOpcje& o = Okno();
  // Stored meanwhile by the advanced options: stays as stored.
  LimitsRecord l = konto->DajLimity();
  l.CzestotliwoscMonitorowania = 32;
  konto->UstawLimity(l);
  Przesun("suwCzasPracy", 10);
  EXPECT_EQ(win::GetText(C("labStosunek")), "3 : 1");
  Przesun("suwCzasPrzerwy", 2);
  EXPECT_EQ(win::GetText(C("labStosunek")), "5 : 1");
  win::SetText(C("spnCzasPytania"), "500");
  win::SetText(C("spnBuforSchowka"), "0");
  win::SetText(C("tbCzestotliwoscPrzypomnienKoniecPracy"), "12");
  Kliknij("chbLewyAlt");
  ASSERT_TRUE(o.cmdOkClick());
  const LimitsRecord z = konto->DajLimity();
  EXPECT_EQ(z.caPracyDoPrzerwy, 3000);
  EXPECT_EQ(z.caDlugoscPrzerwy, 600);
  EXPECT_EQ(z.caDziennyLimit, 21600);
  EXPECT_EQ(z.CzestotliwoscMonitorowania, 32);
  EXPECT_EQ(z.CzasPytania, 120);  // typed numbers are kept in their range
  EXPECT_EQ(LimitsRecord::FromBytes(Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar)).caPracyDoPrzerwy, 3000);
  EXPECT_EQ(OpcjeSchowka::FromBytes(Wartosc(wartosc::OpcjeSchowka, OpcjeSchowka::kRozmiar)).buforKB, 1);
  EXPECT_EQ(wMocy.koniecPracy.czestotliwosc, 12);
  EXPECT_EQ(WarningOptions::FromBytes(Wartosc(wartosc::OpcjeOstrzegania, WarningOptions::kRozmiar)).koniecPracy.czestotliwosc, 12);
  EXPECT_EQ(lewyAlt, std::vector<bool>{false});  // switched at once
  EXPECT_EQ(RejReadString(wartosc::LewyAlt, "?"), kNie);
}

TEST_F(OknoOpcji, TemporaryFilesPageKeepsACleanupThatRanMeanwhile) {
  TfrmOpcje& o = Okno();
  OpcjePlikowTymczasowych t = OpcjePlikowTymczasowych::FromBytes(
      Wartosc(wartosc::OpcjePlikowTymczasowych, OpcjePlikowTymczasowych::kRozmiar));
  t.ostatnieCzyszczenie = 45000.5;  // the cleanup thread wrote today's date
  auto b = t.ToBytes();
  SetRegistryBinary(kKluczKalmo, wartosc::OpcjePlikowTymczasowych, b.data(), static_cast<int>(b.size()));
  Kliknij("chbTworzKronike");
  ASSERT_TRUE(o.cmdOkClick());
  const auto z = OpcjePlikowTymczasowych::FromBytes(
      Wartosc(wartosc::OpcjePlikowTymczasowych, OpcjePlikowTymczasowych::kRozmiar));
  EXPECT_EQ(z.ostatnieCzyszczenie, 45000.5);
  EXPECT_FALSE(z.kronika);
}

TEST_F(OknoOpcji, HelpOpensThePageOfEachPage) {
  for (int k : {1, 26, 24, 25, 9, 10, 11, 20, 21}) p.files.AddFile(SciezkaPomocy("C:\\Kalmo", k), "<html></html>");
  std::vector<std::string> otwarte;
  const OtwieraczPomocy poprzedni = UstawOtwieraczPomocy([&](const std::string& s) {
    otwarte.push_back(s);
    return true;
  });
  TfrmOpcje& o = Okno();
  for (int i = 0; i < kLiczbaStron; ++i) {
    o.WybierzStrone(i);
    o.cmdPomocClick();
  }
  ASSERT_EQ(otwarte.size(), 8u);
  EXPECT_EQ(otwarte[0], "C:\\Kalmo\\OpcjInt.htm");
  EXPECT_EQ(otwarte[1], "C:\\Kalmo\\OpcjOstr.htm");
  EXPECT_EQ(otwarte[6], "C:\\Kalmo\\OpcjSkrt.htm");
  EXPECT_EQ(otwarte[7], "C:\\Kalmo\\OpcjMod.htm");
  EXPECT_TRUE(p.dialogs.shown.empty());

  // Without the help installed nothing opens, and the user is told which page is missing.
  EXPECT_FALSE(OtworzPomoc("C:\\Inny", 26));
  EXPECT_EQ(otwarte.size(), 8u);
  ASSERT_EQ(Ostrzezenia().size(), 1u);
  EXPECT_THAT(Ostrzezenia()[0], testing::HasSubstr("C:\\Inny\\OpcjInt.htm"));

  // A page the browser refuses is named too, and the button says so rather than nothing.
  p.dialogs.shown.clear();
  UstawOtwieraczPomocy([](const std::string&) { return false; });
  o.WybierzStrone(3);
  o.cmdPomocClick();
  UstawOtwieraczPomocy(poprzedni);
  ASSERT_EQ(Ostrzezenia().size(), 1u);
  EXPECT_THAT(Ostrzezenia()[0], testing::HasSubstr("C:\\Kalmo\\OpcjKlaw.htm"));
}

TEST_F(OknoOpcji, OpensOnTheAskedPageAndAnulujStoresNothing) {
  const auto ustawienia = Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar);
  int strona = -1;
  driver::Answerer anuluj(L"TfrmOpcje", "Anuluj", [&](HWND okno) {
    strona = static_cast<int>(SendMessageW(win::FindControl(okno, "Notes"), TCM_GETCURSEL, 0, 0));
  });
  KontekstOpcji k;
  k.infoSaver = konto.get();
  k.pliki = pliki;
  EXPECT_FALSE(PokazOknoOpcji(nullptr, "Skróty", k));
  ASSERT_EQ(anuluj.Count(), 1);
  EXPECT_EQ(strona, static_cast<int>(Strona::Skroty));
  EXPECT_EQ(Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar), ustawienia);
}

TEST_F(OknoOpcji, AdvancedOptionsKeepUntouchedValuesAndDriveTheTimer) {
  int poZapisie = 0;
  {
    TfrmOpcjeZaawansowane z(*konto, [&] { ++poZapisie; });
    HWND m = win::FindControl(z.Hwnd(), "suwCzestotliwoscMonitorowania");
    EXPECT_EQ(SendMessageW(m, TBM_GETPOS, 0, 0), 3);
    EXPECT_EQ(win::GetText(win::FindControl(z.Hwnd(), "labCzestotliwoscMonitorowania")), "10 sek.");
    z.cmdOkClick();
  }
  EXPECT_EQ(konto->DajLimity().CzestotliwoscMonitorowania, 10);  // not rounded to 8
  EXPECT_EQ(poZapisie, 1);
  {
    TfrmOpcjeZaawansowane z(*konto, [&] { ++poZapisie; });
    HWND m = win::FindControl(z.Hwnd(), "suwCzestotliwoscMonitorowania");
    SendMessageW(m, TBM_SETPOS, TRUE, 9);
    SendMessageW(z.Hwnd(), WM_HSCROLL, TB_THUMBPOSITION, reinterpret_cast<LPARAM>(m));
    EXPECT_EQ(win::GetText(win::FindControl(z.Hwnd(), "labCzestotliwoscMonitorowania")), "8 min. 32 sek.");
    win::SetText(win::FindControl(z.Hwnd(), "spnGodzinaPrzelaczenia"), "9");
    z.cmdOkClick();
  }
  EXPECT_EQ(konto->DajLimity().CzestotliwoscMonitorowania, 512);
  EXPECT_EQ(konto->DajLimity().GodzinaPrzelaczenia, 6);
  EXPECT_EQ(LimitsRecord::FromBytes(Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar)).CzestotliwoscMonitorowania, 512);
  EXPECT_EQ(poZapisie, 2);
}

TEST_F(OknoOpcji, KeyFieldOfTheClipboardSetsItsRowOfTheHotkeyGrid) {
  TfrmOpcje& o = Okno();
  ShowWindow(o.Hwnd(), SW_SHOW);
  o.WybierzStrone(static_cast<int>(Strona::Schowek));
  HWND hk = C("hkSchowek");
  EXPECT_EQ(LOBYTE(SendMessageW(hk, HKM_GETHOTKEY, 0, 0)), 'D');  // Ctrl+D of the first run

  // Shift alone is refused and the field shows the key again.
  SetFocus(hk);
  SendMessageW(hk, HKM_SETHOTKEY, MAKEWORD('K', HOTKEYF_SHIFT), 0);
  SetFocus(C("cmdPomoc"));
  EXPECT_EQ(Ostrzezenia(), std::vector<std::string>{kNiepoprawnyKlawisz});
  EXPECT_EQ(LOBYTE(SendMessageW(hk, HKM_GETHOTKEY, 0, 0)), 'D');

  SetFocus(hk);
  SendMessageW(hk, HKM_SETHOTKEY, MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
  ASSERT_TRUE(o.cmdOkClick());  // leaving the field by "OK" sets the key first
  TStringList linie;
  ASSERT_TRUE(ReadTextLines(pliki.goraceKlawisze, linie));
  EXPECT_THAT(linie, testing::Contains("Ctrl+Alt+K#Wyświetla historię schowka"));
  EXPECT_EQ(przeladowania, 1);
}

TEST_F(OknoOpcji, PagesAddAndEditThroughTheirDialogs) {
  ASSERT_TRUE(WriteTextLines(pliki.skroty, {"Dokumenty#C:\\Dokumenty"}));
  ASSERT_TRUE(WriteTextLines(pliki.plikiTymczasowe, {"C:\\Dane#P#*.tmp#7"}));
  TfrmOpcje& o = Okno();
  auto ustaw = [](HWND okno, const char* pole, const wchar_t* tekst) {
    SendMessageW(win::FindControl(okno, pole), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tekst));
  };
  auto wybierzWiersz = [](HWND siatka, int i) {
    LVITEMW s{};
    s.stateMask = s.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(siatka, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&s));
  };

  // "Skróty": a new shortcut is appended, an edited one keeps its place.
  {
    driver::Answerer nowy(L"TfrmSkrot", "OK", [&](HWND d) {
      ustaw(d, "tbNazwaSkrotu", L"Pobrane");
      ustaw(d, "tbLokalizacjaFolderu", L"C:\\Pobrane");
    }, 1);
    Kliknij("cmdNowySkrot");
    ASSERT_EQ(nowy.Count(), 1);
  }
  {
    std::string preset;
    driver::Answerer edycja(L"TfrmSkrot", "OK", [&](HWND d) {
      preset = win::GetText(win::FindControl(d, "tbNazwaSkrotu"));
      ustaw(d, "tbLokalizacjaFolderu", L"D:\\Dokumenty");
    }, 1);
    wybierzWiersz(C("grdSkroty"), 0);
    Kliknij("cmdEdytujSkrot");
    ASSERT_EQ(edycja.Count(), 1);
    EXPECT_EQ(preset, "Dokumenty");
  }

  // "Klawiatura": a binding from the hotkey dialog becomes a row of the grid.
  {
    driver::Answerer klawisz(L"TfrmGoracyKlawisz", "Ok", [&](HWND d) {
      SendMessageW(win::FindControl(d, "hkHotKey"), HKM_SETHOTKEY, MAKEWORD('B', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
      SendMessageW(win::FindControl(d, "cmbRozkazy"), CB_SETCURSEL, 0, 0);
    }, 1);
    Kliknij("cmdDodajGoracyKlawisz");
    ASSERT_EQ(klawisz.Count(), 1);
  }

  // "Pliki Tymczasowe": the temporary folder once with its days, a second time refused; a mask
  // edited through the file-kind dialog.
  {
    driver::Answerer dni(L"TfrmCzasOprozniania", "OK", [&](HWND d) {
      EXPECT_EQ(win::GetText(win::FindControl(d, "spnCzasOprozniania")), "1");
      ustaw(d, "spnCzasOprozniania", L"3");
    }, 1);
    Kliknij("cmdDodajTemp");
    ASSERT_EQ(dni.Count(), 1);
  }
  Kliknij("cmdDodajTemp");
  EXPECT_EQ(Ostrzezenia(), std::vector<std::string>{"Katalog tymczasowy TEMP już znajduje się na liście!"});
  // A drive root would lose every file of the drive: refused when it is chosen; a folder already
  // on the list too.
  for (const wchar_t* folder : {L"C:\\", L"C:\\dane"}) {
    driver::Answerer wybor(L"TfrmFolderSelection", "OK", [&](HWND d) { ustaw(d, "labFolder", folder); }, 1);
    Kliknij("cmdDodajKatalog");
    ASSERT_EQ(wybor.Count(), 1);
  }
  ASSERT_EQ(Ostrzezenia().size(), 3u);
  EXPECT_EQ(Ostrzezenia()[1],
            "Folder „C:\\” nie może być czyszczony (to folder systemu, katalog główny dysku lub folder profilu "
            "użytkownika).");
  EXPECT_EQ(Ostrzezenia()[2], "Taki katalog: C:\\dane już znajduje się na liście!");
  HWND drzewo = C("tvPlikiTymczasowe");
  HTREEITEM folder = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  HTREEITEM temp = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(folder)));
  SendMessageW(drzewo, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(temp));
  EXPECT_FALSE(IsWindowEnabled(C("cmdDodajPlik")));  // the temporary folder takes every file
  HTREEITEM maska = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(folder)));
  SendMessageW(drzewo, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(maska));
  EXPECT_TRUE(IsWindowEnabled(C("cmdDodajPlik")));
  {
    std::string preset;
    driver::Answerer rodzaj(L"TfrmRodzajPliku", "OK", [&](HWND d) {
      preset = win::GetText(win::FindControl(d, "tbPlik")) + " " + win::GetText(win::FindControl(d, "spinWiekPliku"));
      ustaw(d, "tbPlik", L"*.bak");
    }, 1);
    Kliknij("cmdEdytuj");
    ASSERT_EQ(rodzaj.Count(), 1);
    EXPECT_EQ(preset, "*.tmp 7");
  }

  ASSERT_TRUE(o.cmdOkClick());
  TStringList linie;
  ASSERT_TRUE(ReadTextLines(pliki.skroty, linie));
  EXPECT_EQ(linie, (TStringList{"Dokumenty#D:\\Dokumenty", "Pobrane#C:\\Pobrane"}));
  ASSERT_TRUE(ReadTextLines(pliki.plikiTymczasowe, linie));
  EXPECT_EQ(linie, (TStringList{"C:\\Dane#P#*.bak#7", "Katalog tymczasowy TEMP#T#*.*#3"}));
  ASSERT_TRUE(ReadTextLines(pliki.goraceKlawisze, linie));
  ASSERT_FALSE(linie.empty());
  EXPECT_EQ(PoleSkrotu(linie.back()), "Ctrl+Alt+B");
  EXPECT_EQ(przeladowania, 1);
}
