// The options dialog, the advanced options and help as real Win32 windows under Wine, over the
// in-memory settings (registry and files of the memory platform). The dialog's one call into the
// core is recorded here and stores the draft as the core does.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "base/Cp1250.h"
#include "common/Dyskowe.h"
#include "common/WinTools.h"
#include "common/win32/Window.h"
#include "keyboard/GoraceKlawisze.h"
#include "options/Opcje.h"
#include "options/win32/FolderSelection.h"
#include "options/win32/Opcje.h"
#include "options/win32/OpcjeZaawansowane.h"
#include "platform/memory/Memory.h"
#include "settings/Pomoc.h"
#include "settings/Rejestr.h"
#include "settings/win32/Pomoc.h"
#include "tests/win/Driver.h"
#include "tests/win/ZmianaDpi.h"

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
    // A record the sliders cannot show exactly: a 1000-second break and a 10-second tick.
    LimitsRecord l = LimitsRecord::Domyslne();
    l.caDlugoscPrzerwy = 1000;
    l.Programy = "Word#Excel";
    const auto b = l.ToBytes();
    CreateRegistryBinary(kKluczKalmo, wartosc::Ustawienia, b.data(), static_cast<int>(b.size()));
    p.dialogs.shown.clear();
  }
  void TearDown() override {
    okno.reset();
    for (const auto& d : p.dialogs.shown)
      if (d.kind == RecordingDialogs::Shown::Error) ADD_FAILURE() << "error dialog: " << d.place << " " << d.text;
  }

  std::vector<std::string> Ostrzezenia() const {
    std::vector<std::string> t;
    for (const auto& d : p.dialogs.shown)
      if (d.kind == RecordingDialogs::Shown::Message && d.picture == platform::rkOstrzezenie) t.push_back(d.text);
    return t;
  }

  OtwarcieOpcji Otwarcie() {
    OtwarcieOpcji o;
    o.folderProgramu = "C:\\Kalmo";
    o.plikKroniki = pliki.kronika;
    o.zastosuj = [this](const UstawieniaKalmo& u, uint32_t czesci) {
      wywolania.push_back({u, czesci});
      return u.Zapisz(czesci);
    };
    return o;
  }
  TfrmOpcje& Okno() {
    okno = std::make_unique<TfrmOpcje>(UstawieniaKalmo::Wczytaj(pliki), Otwarcie());
    return *okno;
  }
  HWND C(const std::string& nazwa) { return win::FindControl(okno->Hwnd(), nazwa); }
  // A slider moved by the user: the position and the notification its window receives.
  static void Przesun(HWND s, int pozycja) {
    SendMessageW(s, TBM_SETPOS, TRUE, pozycja);
    SendMessageW(GetParent(s), WM_HSCROLL, TB_THUMBPOSITION, reinterpret_cast<LPARAM>(s));
  }
  void Kliknij(const std::string& przycisk) { SendMessageW(C(przycisk), BM_CLICK, 0, 0); }
  std::vector<std::string> Komunikaty(platform::RodzajKomunikatu rodzaj = platform::rkOstrzezenie) const {
    std::vector<std::string> t;
    for (const auto& d : p.dialogs.shown)
      if (d.kind == RecordingDialogs::Shown::Message && d.picture == rodzaj) t.push_back(d.text);
    return t;
  }
  TStringList Linie(const std::string& plik) {
    TStringList l;
    EXPECT_TRUE(ReadTextLines(plik, l)) << plik;
    return l;
  }

  struct Wywolanie {
    UstawieniaKalmo u;
    uint32_t czesci;
  };
  platform::memory::TestPlatform p;
  PlikiDanych pliki = UtworzNazwyPlikow("C:\\Kalmo", "test");
  std::unique_ptr<TfrmOpcje> okno;
  std::vector<Wywolanie> wywolania;
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
  EXPECT_EQ(r.right, win::Scale(634, o.Dpi()));
  EXPECT_EQ(r.bottom, win::Scale(429, o.Dpi()));
  EXPECT_EQ(o.WybranaStrona(), 0);
  EXPECT_EQ(win::GetText(C("labStosunek")), "27 : 10");  // 45 minutes to the 1000-second break
  EXPECT_EQ(win::GetText(C("tbZnakiFiltrujace")), "-[");
}

TEST_F(OknoOpcji, AnotherDpiTakesTheProposedRectangleAndScalesPagesControlsAndFonts) {
  TfrmOpcje& o = Okno();
  ASSERT_EQ(o.Dpi(), 96);  // the test prefix runs at 96 dpi
  o.WybierzStrone(static_cast<int>(Strona::Ostrzeganie));
  const int czcionka = wintest::WysokoscCzcionki(C("cmdOk"));
  const RECT propozycja = wintest::ZmienDpi(o.Hwnd(), 96, 144);
  const RECT r = wintest::Prostokat(o.Hwnd());
  EXPECT_TRUE(EqualRect(&r, &propozycja));
  EXPECT_EQ(o.Dpi(), 144);
  EXPECT_EQ(wintest::Szerokosc(C("cmdOk")), 126);  // 84 design units
  EXPECT_EQ(wintest::WysokoscCzcionki(C("cmdOk")), czcionka * 3 / 2);
  // The controls of the page shown and of the hidden ones, their fonts and the page inside the
  // notebook.
  EXPECT_EQ(wintest::Szerokosc(C("tbProgramyBezPrzerw")), 450);
  EXPECT_EQ(wintest::WysokoscCzcionki(C("tbProgramyBezPrzerw")), czcionka * 3 / 2);
  EXPECT_EQ(wintest::Szerokosc(C("lstProgramy")), 360);
  RECT notes = wintest::Prostokat(C("Notes")), strona = wintest::Prostokat(GetParent(C("tbProgramyBezPrzerw")));
  RECT wspolne{};
  IntersectRect(&wspolne, &notes, &strona);
  EXPECT_TRUE(EqualRect(&wspolne, &strona));
  EXPECT_GT(strona.bottom - strona.top, 450);
  // A spin box's arrows sit at its field's right edge again.
  const RECT pole = wintest::Prostokat(C("spnMaksOdlozenie")), strzalki = wintest::Prostokat(C("spnMaksOdlozenieStrzalki"));
  EXPECT_LE(std::abs(strzalki.left - pole.right), 2);
  EXPECT_EQ(strzalki.top, pole.top);
  // And back.
  wintest::ZmienDpi(o.Hwnd(), 144, 96);
  EXPECT_EQ(wintest::Szerokosc(C("cmdOk")), 84);
  EXPECT_EQ(wintest::WysokoscCzcionki(C("tbProgramyBezPrzerw")), czcionka);
}

TEST_F(OknoOpcji, OkWithNothingChangedMakesOneCallThatChangesNothing) {
  const auto ustawienia = Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar);
  const auto ostrzeganie = Wartosc(wartosc::OpcjeOstrzegania, WarningOptions::kRozmiar);
  const auto schowek = Wartosc(wartosc::OpcjeSchowka, OpcjeSchowka::kRozmiar);
  const auto klawisze = p.files.ReadFile(pliki.goraceKlawisze);
  ASSERT_TRUE(Okno().cmdOkClick());
  ASSERT_EQ(wywolania.size(), 1u);
  EXPECT_EQ(wywolania[0].czesci, kWszystkieCzesci);
  EXPECT_EQ(wywolania[0].u.limity.caDlugoscPrzerwy, 1000);
  EXPECT_EQ(Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar), ustawienia);
  EXPECT_EQ(Wartosc(wartosc::OpcjeOstrzegania, WarningOptions::kRozmiar), ostrzeganie);
  EXPECT_EQ(Wartosc(wartosc::OpcjeSchowka, OpcjeSchowka::kRozmiar), schowek);
  EXPECT_EQ(p.files.ReadFile(pliki.goraceKlawisze), klawisze);
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST_F(OknoOpcji, ARefusingPageStoresNothingAndStaysOpen) {
  TfrmOpcje& o = Okno();
  Przesun(C("suwCzasPracy"), 10);                        // page 1
  Kliknij("chbPauseKey");                                // page 4
  win::SetText(C("tbZnakiFiltrujace"), "-");             // page 3
  win::SetText(C("tbCzestotliwoscPrzypomnienPrzerwa"), "x");
  EXPECT_FALSE(o.cmdOkClick());
  EXPECT_EQ(Komunikaty(), (std::vector<std::string>{
                              "Błędnie podana częstotliwość przypomnień o przerwie na zakładce \"Ostrzeganie\"!"}));
  EXPECT_EQ(o.WybranaStrona(), static_cast<int>(Strona::Ostrzeganie));
  EXPECT_EQ(win::GetText(C("tbCzestotliwoscPrzypomnienPrzerwa")), "x");  // as the user left it
  EXPECT_TRUE(wywolania.empty());

  // A program list over the record's 250 characters refuses too, on its own page.
  HWND lista = C("lstProgramy");
  ASSERT_EQ(SendMessageW(lista, LB_GETCOUNT, 0, 0), 2);
  // 2 names of 4 and 5 characters + 24 of 9 = 9 + 216 + 25 separators = 250 characters: allowed.
  for (int i = 0; i < 24; ++i) SendMessageW(lista, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Program12"));
  SendMessageW(lista, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"X"));
  p.dialogs.shown.clear();
  EXPECT_FALSE(o.cmdOkClick());
  EXPECT_EQ(Komunikaty(), (std::vector<std::string>{"Zbyt dużo monitorowanych programów"}));
  EXPECT_EQ(o.WybranaStrona(), static_cast<int>(Strona::Przypominanie));
  SendMessageW(lista, LB_DELETESTRING, 26, 0);
  win::SetText(C("tbCzestotliwoscPrzypomnienPrzerwa"), "7");

  // Mended: one call with every page's fields, typed numbers kept in their range.
  win::SetText(C("spnCzasPytania"), "500");
  win::SetText(C("spnBuforSchowka"), "0");
  Kliknij("chbLewyAlt");
  ASSERT_TRUE(o.cmdOkClick());
  ASSERT_EQ(wywolania.size(), 1u);
  const UstawieniaKalmo& u = wywolania[0].u;
  EXPECT_EQ(u.limity.caPracyDoPrzerwy, 3000);
  EXPECT_EQ(u.limity.caDlugoscPrzerwy, 1000);  // its slider did not move
  EXPECT_EQ(u.limity.CzasPytania, 120);
  EXPECT_EQ(utf8::Length(u.Limity()->Programy), 250u);
  EXPECT_EQ(u.schowek.buforKB, 1);
  EXPECT_EQ(u.ostrzeganie.przerwa.czestotliwosc, 7);
  EXPECT_EQ(u.znakiFiltrujace, "-");
  EXPECT_FALSE(u.lewyAlt);
  EXPECT_FALSE(u.pauseKey);
  EXPECT_EQ(RejReadString(wartosc::LewyAlt, "?"), kNie);
  EXPECT_EQ(LimitsRecord::FromBytes(Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar)).caPracyDoPrzerwy, 3000);
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

TEST_F(OknoOpcji, OpensOnTheAskedPageAndEscapeOrAnulujStoreNothingAndNeverWarn) {
  for (const bool esc : {false, true}) {
    int strona = -1;
    bool zamknietyKlawiszem = false;
    driver::Answerer anuluj(L"TfrmOpcje", "Anuluj", [&](HWND okno) {
      strona = static_cast<int>(SendMessageW(win::FindControl(okno, "Notes"), TCM_GETCURSEL, 0, 0));
      // A key the field refuses, left there as the dialog is cancelled.
      HWND hk = win::FindControl(okno, "hkSkroty");
      SendMessageW(hk, HKM_SETHOTKEY, MAKEWORD('K', HOTKEYF_SHIFT), 0);
      if (!esc) return;
      PostMessageW(hk, WM_KEYDOWN, VK_ESCAPE, 0);
      for (int i = 0; i < 100 && IsWindowVisible(okno); ++i) Sleep(20);
      zamknietyKlawiszem = !IsWindowVisible(okno);
    }, 1);
    OtwarcieOpcji o = Otwarcie();
    o.strona = "Skróty";
    EXPECT_FALSE(PokazOknoOpcji(nullptr, UstawieniaKalmo::Wczytaj(pliki), o));
    ASSERT_EQ(anuluj.Count(), 1);
    EXPECT_EQ(strona, static_cast<int>(Strona::Skroty));
    EXPECT_EQ(zamknietyKlawiszem, esc);
  }
  EXPECT_TRUE(wywolania.empty());
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST_F(OknoOpcji, AdvancedOptionsAreOwnedByTheDialogStoreAtOnceAndOkKeepsThem) {
  TfrmOpcje& o = Okno();
  Przesun(C("suwCzasPracy"), 10);  // not stored by the advanced options
  HWND wlasciciel = nullptr;
  std::string przed, po;
  driver::Answerer zaawansowane(L"TfrmOpcjeZaawansowane", "OK", [&](HWND d) {
    wlasciciel = GetWindow(d, GW_OWNER);
    // The stored 10 s shows as such (the slider stands at 8 s) and stays unless the slider moves.
    przed = win::GetText(win::FindControl(d, "labCzestotliwoscMonitorowania"));
    Przesun(win::FindControl(d, "suwCzestotliwoscMonitorowania"), 5);
    po = win::GetText(win::FindControl(d, "labCzestotliwoscMonitorowania"));
    win::SetText(win::FindControl(d, "spnGodzinaPrzelaczenia"), "9");
    SendMessageW(win::FindControl(d, "cmbCzasBezczynnosci"), CB_SETCURSEL, 0, 0);  // "wyłączone"
  }, 1);
  Kliknij("cmdOpcjeZaawansowane");
  ASSERT_EQ(zaawansowane.Count(), 1);
  EXPECT_EQ(wlasciciel, o.Hwnd());  // above it (in front of a topmost dialog: KalmoWinTest)
  EXPECT_EQ(przed, "10 sek.");
  EXPECT_EQ(po, "32 sek.");
  ASSERT_EQ(wywolania.size(), 1u);
  EXPECT_EQ(wywolania[0].czesci, kCzesciZaawansowane);  // the limits and the idle time
  LimitsRecord zapisane = LimitsRecord::FromBytes(Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar));
  EXPECT_EQ(zapisane.CzestotliwoscMonitorowania, 32);
  EXPECT_EQ(zapisane.GodzinaPrzelaczenia, 6);  // typed 9, kept in range
  EXPECT_EQ(zapisane.CzestotliwoscZapisywania, 120);
  EXPECT_EQ(zapisane.caPracyDoPrzerwy, 2700);
  EXPECT_EQ(zapisane.Programy, "Word#Excel");
  EXPECT_EQ(o.Szkic().limity.CzestotliwoscMonitorowania, 32);
  EXPECT_EQ(UstawieniaKalmo::Wczytaj().czasBezczynnosci, 0);  // idle breaks off, stored at once
  EXPECT_EQ(o.Szkic().czasBezczynnosci, 0);

  ASSERT_TRUE(o.cmdOkClick());
  zapisane = LimitsRecord::FromBytes(Wartosc(wartosc::Ustawienia, LimitsRecord::kRozmiar));
  EXPECT_EQ(zapisane.CzestotliwoscMonitorowania, 32);
  EXPECT_EQ(zapisane.caPracyDoPrzerwy, 3000);
}

TEST_F(OknoOpcji, KeyFieldsAreCheckedAtOkAndCarryTheirKeyToTheHotkeyGrid) {
  TfrmOpcje& o = Okno();
  ShowWindow(o.Hwnd(), SW_SHOW);
  o.WybierzStrone(static_cast<int>(Strona::Schowek));
  HWND hk = C("hkSchowek");
  EXPECT_EQ(LOBYTE(SendMessageW(hk, HKM_GETHOTKEY, 0, 0)), 'D');  // Ctrl+D of the first run

  // Shift alone: nothing is said when the field is left; "OK" refuses it, brings its page
  // forward and stores nothing.
  SetFocus(hk);
  SendMessageW(hk, HKM_SETHOTKEY, MAKEWORD('K', HOTKEYF_SHIFT), 0);
  o.WybierzStrone(static_cast<int>(Strona::Klawiatura));
  SetFocus(C("cmdPomoc"));
  EXPECT_TRUE(p.dialogs.shown.empty());
  EXPECT_FALSE(o.cmdOkClick());
  EXPECT_EQ(Komunikaty(), std::vector<std::string>{kNiepoprawnyKlawisz});
  EXPECT_EQ(o.WybranaStrona(), static_cast<int>(Strona::Schowek));
  EXPECT_EQ(LOBYTE(SendMessageW(hk, HKM_GETHOTKEY, 0, 0)), 'K');  // as the user left it
  EXPECT_TRUE(wywolania.empty());

  // A key that can be taken shows in the grid when the page "Klawiatura" comes up; "OK" stores it.
  SendMessageW(hk, HKM_SETHOTKEY, MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
  o.WybierzStrone(static_cast<int>(Strona::Klawiatura));
  EXPECT_THAT(win::Grid(C("grdGoraceKlawisze")).Rows(),
              testing::Contains(win::Grid::Row{"Ctrl+Alt+K", "Wyświetla historię schowka"}));
  ASSERT_TRUE(o.cmdOkClick());
  EXPECT_THAT(Linie(pliki.goraceKlawisze), testing::Contains("Ctrl+Alt+K#Wyświetla historię schowka"));

  // Destroyed with the focus in a key field of a later page: nothing reaches a page already gone.
  TfrmOpcje& drugie = Okno();
  ShowWindow(drugie.Hwnd(), SW_SHOW);
  drugie.WybierzStrone(static_cast<int>(Strona::Skroty));
  SetFocus(C("hkSkroty"));
  SendMessageW(C("hkSkroty"), HKM_SETHOTKEY, MAKEWORD('L', HOTKEYF_CONTROL), 0);
  okno.reset();
  EXPECT_EQ(wywolania.size(), 1u);
}

TEST_F(OknoOpcji, ListsThatCannotBeReadAreReadOnlyAndNeverWritten) {
  ASSERT_TRUE(WriteTextLines(pliki.skroty, {"Dokumenty#C:\\Dokumenty"}));
  const auto klawisze = p.files.ReadFile(pliki.goraceKlawisze);
  p.files.failingReads = {pliki.goraceKlawisze, pliki.skroty};
  TfrmOpcje& o = Okno();
  for (const char* n : {"grdGoraceKlawisze", "cmdDodajGoracyKlawisz", "cmdEdytujGoracyKlawisz", "cmdUsunGoracyKlawisz",
                        "hkSchowek", "hkSkroty", "grdSkroty", "cmdNowySkrot", "cmdEdytujSkrot", "cmdUsunSkrot"})
    EXPECT_FALSE(IsWindowEnabled(C(n))) << n;
  for (const char* n : {"chbLewyAlt", "chbPauseKey", "tvPlikiTymczasowe", "cmdDodajKatalog"})
    EXPECT_TRUE(IsWindowEnabled(C(n))) << n;
  EXPECT_NE(TekstNieczytelnych(o.Szkic()).find(pliki.skroty), std::string::npos);
  Kliknij("chbPauseKey");
  ASSERT_TRUE(o.cmdOkClick());
  EXPECT_EQ(RejReadString(wartosc::PauseKey, "?"), kNie);
  p.files.failingReads.clear();
  EXPECT_EQ(p.files.ReadFile(pliki.goraceKlawisze), klawisze);
  EXPECT_EQ(Linie(pliki.skroty), TStringList{"Dokumenty#C:\\Dokumenty"});
}

TEST_F(OknoOpcji, PagesAddAndEditThroughTheirDialogs) {
  // A folder holding "#" is the folder's: the page splits at the first one, as the list does.
  ASSERT_TRUE(WriteTextLines(pliki.skroty, {"Dokumenty#C:\\Dokumenty", "Proj#C:\\Dev\\C#\\App"}));
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
  // Every dialog a page opens is owned by the options dialog.
  auto wlasnosc = [&](HWND d) { EXPECT_EQ(GetWindow(d, GW_OWNER), o.Hwnd()) << win::Narrow(driver::ClassOf(d)); };

  // "Skróty": a new shortcut is appended, an edited one keeps its place.
  {
    driver::Answerer nowy(L"TfrmSkrot", "OK", [&](HWND d) {
      wlasnosc(d);
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
      wlasnosc(d);
      SendMessageW(win::FindControl(d, "hkHotKey"), HKM_SETHOTKEY, MAKEWORD('B', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
      SendMessageW(win::FindControl(d, "cmbRozkazy"), CB_SETCURSEL, 0, 0);
    }, 1);
    Kliknij("cmdDodajGoracyKlawisz");
    ASSERT_EQ(klawisz.Count(), 1);
  }

  // "Przypominanie": a program name from the text dialog.
  {
    driver::Answerer tekst(L"TfrmGetString", "OK", [&](HWND d) {
      wlasnosc(d);
      ustaw(d, "tbOdpowiedz", L"  Notatnik ");
    }, 1);
    Kliknij("cmdDodajProgram");
    ASSERT_EQ(tekst.Count(), 1);
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
  EXPECT_EQ(Komunikaty(), std::vector<std::string>{"Katalog tymczasowy TEMP już znajduje się na liście!"});
  // A drive root would lose every file of the drive: refused when it is chosen; a folder already
  // on the list too.
  for (const wchar_t* folder : {L"C:\\", L"C:\\dane"}) {
    driver::Answerer wybor(L"TfrmFolderSelection", "OK", [&](HWND d) {
      wlasnosc(d);
      ustaw(d, "labFolder", folder);
    }, 1);
    Kliknij("cmdDodajKatalog");
    ASSERT_EQ(wybor.Count(), 1);
  }
  ASSERT_EQ(Komunikaty().size(), 3u);
  EXPECT_EQ(Komunikaty()[1],
            "Folder „C:\\” nie może być czyszczony (to folder systemu, katalog główny dysku lub folder profilu "
            "użytkownika).");
  EXPECT_EQ(Komunikaty()[2], "Taki katalog: C:\\dane już znajduje się na liście!");
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
  EXPECT_EQ(Linie(pliki.skroty),
            (TStringList{"Dokumenty#D:\\Dokumenty", "Proj#C:\\Dev\\C#\\App", "Pobrane#C:\\Pobrane"}));
  EXPECT_EQ(Linie(pliki.plikiTymczasowe), (TStringList{"C:\\Dane#P#*.bak#7", "Katalog tymczasowy TEMP#T#*.*#3"}));
  const TStringList klawisze = Linie(pliki.goraceKlawisze);
  ASSERT_FALSE(klawisze.empty());
  EXPECT_EQ(PoleSkrotu(klawisze.back()), "Ctrl+Alt+B");
  EXPECT_EQ(UstawieniaKalmo::Wczytaj().programy, (TStringList{"Word", "Excel", "Notatnik"}));
}

namespace {

// The memory file system with a network drive N: that does not answer until it is let go; it
// records which folders were listed whole and which were only asked for a subfolder.
class WolnaSiec : public platform::memory::MemoryFiles {
 public:
  WolnaSiec() { drives['N'] = platform::DriveKind::Remote; }
  std::optional<std::vector<platform::DirEntry>> List(const std::string& dir, const std::string& mask) override {
    std::unique_lock<std::mutex> l(m_);
    if (Siec(dir)) {
      ++czekajacych_;
      cv_.wait(l, [this] { return puszczona_; });
      --czekajacych_;
    }
    wylistowane_.push_back(dir);
    cv_.notify_all();
    l.unlock();
    return MemoryFiles::List(dir, mask);
  }
  // Whether a folder exists is a question to the server too: not to be asked while it is silent.
  bool DirectoryExists(const std::string& path) override {
    {
      std::lock_guard<std::mutex> l(m_);
      EXPECT_FALSE(Siec(path) && !puszczona_) << "asked the silent network drive: " << path;
    }
    return MemoryFiles::DirectoryExists(path);
  }
  bool HasSubdirectory(const std::string& dir) override {
    {
      std::lock_guard<std::mutex> l(m_);
      zapytane_.push_back(dir);
    }
    // Answered from the memory, not through List, so that a look is not counted as a listing.
    const auto wpisy = MemoryFiles::List(dir, "*");
    return wpisy && std::any_of(wpisy->begin(), wpisy->end(), [](const platform::DirEntry& e) { return e.directory; });
  }
  void Pusc() {
    std::unique_lock<std::mutex> l(m_);
    puszczona_ = true;
    cv_.notify_all();
    // The readings that waited have listed what they wanted before this object may go.
    cv_.wait_for(l, std::chrono::milliseconds(driver::Timeout()), [this] { return czekajacych_ == 0; });
  }
  std::vector<std::string> Wylistowane() {
    std::lock_guard<std::mutex> l(m_);
    return wylistowane_;
  }
  std::vector<std::string> Zapytane() {
    std::lock_guard<std::mutex> l(m_);
    return zapytane_;
  }

 private:
  static bool Siec(const std::string& p) { return !p.empty() && (p[0] == 'N' || p[0] == 'n'); }
  std::mutex m_;
  std::condition_variable cv_;
  bool puszczona_ = false;
  int czekajacych_ = 0;
  std::vector<std::string> wylistowane_, zapytane_;
};

std::string TekstWezla(HWND drzewo, HTREEITEM w) {
  wchar_t bufor[260] = {};
  TVITEMW t{};
  t.mask = TVIF_TEXT;
  t.hItem = w;
  t.pszText = bufor;
  t.cchTextMax = 260;
  SendMessageW(drzewo, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&t));
  return win::Narrow(bufor);
}

HTREEITEM Wezel(HWND drzewo, HTREEITEM rodzic, const std::string& tekst) {
  HTREEITEM w = reinterpret_cast<HTREEITEM>(
      SendMessageW(drzewo, TVM_GETNEXTITEM, rodzic ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(rodzic)));
  for (; w; w = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(w))))
    if (TekstWezla(drzewo, w) == tekst) return w;
  return nullptr;
}

std::vector<std::string> Dzieci(HWND drzewo, HTREEITEM rodzic) {
  std::vector<std::string> d;
  for (HTREEITEM w = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(rodzic)));
       w; w = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(w))))
    d.push_back(TekstWezla(drzewo, w));
  return d;
}

bool Rozwijalny(HWND drzewo, HTREEITEM w) {
  TVITEMW t{};
  t.mask = TVIF_CHILDREN;
  t.hItem = w;
  SendMessageW(drzewo, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&t));
  return t.cChildren != 0;
}

}  // namespace

TEST(FolderSelectionWin, MarksFoldersWithoutListingThemAndNeverWaitsForANetworkDrive) {
  platform::memory::TestPlatform tp;
  WolnaSiec fs;
  for (int i = 1; i <= 30; ++i) fs.AddDirectory("C:\\Duzy\\Folder " + std::to_string(i) + "\\Wnetrze");
  fs.AddDirectory("C:\\Duzy\\Pusty");
  fs.AddFile("C:\\Duzy\\Pusty\\plik.txt", "x");
  fs.AddDirectory("N:\\Serwer\\Projekty");
  platform::Services uslugi = platform::Current();
  uslugi.files = &fs;
  const platform::Services poprzednie = platform::Install(uslugi);

  // The preset path on the network drive: the walk gives up at the drive that does not answer,
  // and the dialog opens on it.
  std::string pokazany, poSieci;
  std::vector<std::string> dzieciSieci, dzieciDuzego;
  bool pustyRozwijalny = true, folderRozwijalny = false;
  {
    driver::Answerer wybor(L"TfrmFolderSelection", "Anuluj", [&](HWND d) {
      pokazany = win::GetText(win::FindControl(d, "labFolder"));
      const HWND drzewo = win::FindControl(d, "TreeView");
      const HTREEITEM n = Wezel(drzewo, nullptr, " (N:)");
      ASSERT_NE(n, nullptr);
      EXPECT_TRUE(Rozwijalny(drzewo, n));  // marked without being asked
      dzieciSieci = Dzieci(drzewo, n);
      // The drive answers at last: its folders take the place of "Czytanie...".
      fs.Pusc();
      const ULONGLONG koniec = GetTickCount64() + driver::Timeout();
      while (Dzieci(drzewo, n) != std::vector<std::string>{"Serwer"} && GetTickCount64() < koniec) Sleep(20);
      SendMessageW(drzewo, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Wezel(drzewo, n, "Serwer")));
      poSieci = win::GetText(win::FindControl(d, "labFolder"));
      // A large local folder: its subfolders are marked by a look for one subfolder each.
      const HTREEITEM c = Wezel(drzewo, nullptr, " (C:)");
      SendMessageW(drzewo, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(c));
      HTREEITEM duzy = nullptr;
      while (!(duzy = Wezel(drzewo, c, "Duzy")) && GetTickCount64() < koniec) Sleep(20);
      SendMessageW(drzewo, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(duzy));
      while ((dzieciDuzego = Dzieci(drzewo, duzy)).size() != 31 && GetTickCount64() < koniec) Sleep(20);
      pustyRozwijalny = Rozwijalny(drzewo, Wezel(drzewo, duzy, "Pusty"));
      folderRozwijalny = Rozwijalny(drzewo, Wezel(drzewo, duzy, "Folder 7"));
    }, 1);
    EXPECT_EQ(WybierzFolder(nullptr, "N:\\Serwer\\Projekty").folder, "");
    ASSERT_EQ(wybor.Count(), 1);
  }
  EXPECT_EQ(pokazany, "N:\\");
  EXPECT_EQ(dzieciSieci, std::vector<std::string>{"Czytanie..."});
  EXPECT_EQ(poSieci, "N:\\Serwer");
  ASSERT_EQ(dzieciDuzego.size(), 31u);
  EXPECT_FALSE(pustyRozwijalny);
  EXPECT_TRUE(folderRozwijalny);
  // Listed whole: the drive, C:\ and C:\Duzy, each once; never one of the thirty subfolders.
  const std::vector<std::string> wylistowane = fs.Wylistowane();
  EXPECT_EQ(std::count(wylistowane.begin(), wylistowane.end(), "C:\\Duzy"), 1);
  for (const std::string& w : wylistowane) EXPECT_EQ(w.find("C:\\Duzy\\"), std::string::npos) << w;
  EXPECT_GE(fs.Zapytane().size(), 31u);
  platform::Install(poprzednie);
}
