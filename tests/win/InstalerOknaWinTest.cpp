// The installer's windows in this process under Wine, on the real disk, answered from the test
// driver's thread as a user would answer them.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/Cp1250.h"
#include "common/Komunika.h"
#include "common/win32/Window.h"
#include "installer/Instal.h"
#include "installer/win32/Deinstalacja.h"
#include "installer/win32/Glowny.h"
#include "installer/win32/Licencja.h"
#include "installer/win32/Showprcs.h"
#include "installer/win32/Wybgrupy.h"
#include "installer/win32/Zmienkat.h"
#include "platform/memory/Memory.h"
#include "tests/win/Driver.h"
#include "tests/win/WinTestSupport.h"

using testing::ElementsAre;
using testing::HasSubstr;

namespace {

std::vector<std::string> PozycjeListy(HWND lista) {
  std::vector<std::string> wynik;
  const int n = static_cast<int>(SendMessageW(lista, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    wchar_t bufor[MAX_PATH] = {};
    SendMessageW(lista, LB_GETTEXT, i, reinterpret_cast<LPARAM>(bufor));
    wynik.push_back(win::Narrow(bufor));
  }
  return wynik;
}

void Wpisz(HWND pole, const std::string& tekst) {
  SendMessageW(pole, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win::Widen(tekst).c_str()));
}

// Presses a button and waits until its handler has run (the press goes to the window's thread).
void Nacisnij(HWND okno, int id) { SendMessageW(okno, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

std::string Nazwa(const std::string& sciezka) { return sciezka.substr(sciezka.rfind('\\') + 1); }

class InstalerOkna : public testing::Test {
 protected:
  wintest::Scratch s;
};

TEST_F(InstalerOkna, ChangeDirectoryListsTheLongestExistingPrefixAndTheRestToCreate) {
  s.Put("Programy\\Gry\\gra.txt", "x");
  s.Put("Programy\\Biuro\\b.txt", "x");
  const std::string cel = s.Path("Programy\\Nowy\\Kalmo");
  std::vector<std::string> lista;
  std::string stacja;
  driver::Answerer answer(L"TfrmZmienKatalog", "Ok", [&](HWND okno) {
    lista = PozycjeListy(driver::FindChildByName(okno, "lstKatalogi"));
    stacja = driver::ReadText(driver::FindChildByName(okno, "cmbStacjaDyskow"));
  });
  TfrmZmienKatalog okno;
  auto wynik = okno.Pokaz(nullptr, cel);
  ASSERT_EQ(answer.Count(), 1);
  const auto seen = answer.Seen()[0];
  EXPECT_EQ(seen.caption, "Zmień Katalog");
  EXPECT_EQ(seen.controls.at("labSciezkaDocelowa"), cel);
  EXPECT_EQ(seen.controls.at("tbKatalogTworzony"), "Nowy\\Kalmo");
  // The drive root, every existing level down to the listed directory, then its subdirectories.
  EXPECT_THAT(lista, ElementsAre("C:\\", "KalmoTests", Nazwa(s.dir()), "Programy", "Biuro", "Gry"));
  EXPECT_THAT(stacja, testing::StartsWith("C:"));
  ASSERT_TRUE(wynik.has_value());
  EXPECT_EQ(*wynik, cel);
}

TEST_F(InstalerOkna, ChangeDirectoryFollowsTheListAndTheTypedDirectory) {
  s.Put("Programy\\Gry\\gra.txt", "x");
  std::string poWejsciu, poWpisaniu;
  driver::Answerer answer(L"TfrmZmienKatalog", "Ok", [&](HWND okno) {
    HWND lista = driver::FindChildByName(okno, "lstKatalogi");
    const auto pozycje = PozycjeListy(lista);
    const auto gry = std::find(pozycje.begin(), pozycje.end(), "Gry") - pozycje.begin();
    SendMessageW(lista, LB_SETCURSEL, gry, 0);
    SendMessageW(okno, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(lista), LBN_DBLCLK), reinterpret_cast<LPARAM>(lista));
    poWejsciu = driver::ReadText(driver::FindChildByName(okno, "labSciezkaDocelowa"));
    Wpisz(driver::FindChildByName(okno, "tbKatalogTworzony"), "");
    poWpisaniu = driver::ReadText(driver::FindChildByName(okno, "labSciezkaDocelowa"));
  });
  TfrmZmienKatalog okno;
  auto wynik = okno.Pokaz(nullptr, s.Path("Programy\\Kalmo"));
  EXPECT_EQ(poWejsciu, s.Path("Programy\\Gry\\Kalmo"));
  // An empty field leaves the listed directory itself, without a trailing backslash.
  EXPECT_EQ(poWpisaniu, s.Path("Programy\\Gry"));
  ASSERT_TRUE(wynik.has_value());
  EXPECT_EQ(*wynik, s.Path("Programy\\Gry"));
}

TEST_F(InstalerOkna, ChangeDirectoryRefusesAPathTheUninstallerCouldNotUseAndCancelKeepsIt) {
  bool otwarte = false;
  driver::Answerer answer(L"TfrmZmienKatalog", "Anuluj", [&](HWND okno) {
    Wpisz(driver::FindChildByName(okno, "tbKatalogTworzony"), "Gra#1");
    Nacisnij(okno, IDOK);
    otwarte = IsWindowVisible(okno) != FALSE;
  });
  TfrmZmienKatalog okno;
  EXPECT_FALSE(okno.Pokaz(nullptr, s.Path("Kalmo")).has_value());
  EXPECT_TRUE(otwarte);
  EXPECT_THAT(wintest::Dialogs().Texts(), ElementsAre(HasSubstr("#")));
}

TEST_F(InstalerOkna, ChangeDirectoryDriveBoxTakesOnlyFixedDisks) {
  // Drives of every kind come from the in-memory platform; the window and its controls are real.
  platform::memory::TestPlatform fake;
  fake.files.drives = {{'A', platform::DriveKind::Removable}, {'C', platform::DriveKind::Fixed},
                       {'D', platform::DriveKind::Fixed}, {'E', platform::DriveKind::Remote}};
  fake.files.AddDirectory("C:\\Programy");
  fake.files.AddDirectory("D:\\Gry");
  std::vector<std::string> stacje;
  std::string poSieciowym, listaPoSieciowym, poStalym, wynikPoStalym;
  driver::Answerer answer(L"TfrmZmienKatalog", "Ok", [&](HWND okno) {
    HWND box = driver::FindChildByName(okno, "cmbStacjaDyskow");
    const int n = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      wchar_t t[64] = {};
      SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(t));
      stacje.push_back(win::Narrow(t));
    }
    auto wybierz = [&](char litera) {
      for (int i = 0; i < n; ++i)
        if (stacje[i][0] == litera) SendMessageW(box, CB_SETCURSEL, i, 0);
      SendMessageW(okno, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    };
    wybierz('E');
    poSieciowym = driver::ReadText(box);
    listaPoSieciowym = PozycjeListy(driver::FindChildByName(okno, "lstKatalogi")).at(1);
    wybierz('D');
    poStalym = driver::ReadText(box);
    wynikPoStalym = driver::ReadText(driver::FindChildByName(okno, "labSciezkaDocelowa"));
  });
  TfrmZmienKatalog okno;
  auto wynik = okno.Pokaz(nullptr, "C:\\Programy\\Kalmo");
  EXPECT_THAT(stacje, ElementsAre("A:  [dysk wymienny]", "C:  [dysk lokalny]", "D:  [dysk lokalny]",
                                  "E:  [dysk sieciowy]"));
  EXPECT_EQ(poSieciowym, "C:  [dysk lokalny]");  // snapped back
  EXPECT_EQ(listaPoSieciowym, "Programy");
  EXPECT_EQ(poStalym, "D:  [dysk lokalny]");
  EXPECT_EQ(wynikPoStalym, "D:\\Kalmo");
  ASSERT_TRUE(wynik.has_value());
  EXPECT_EQ(*wynik, "D:\\Kalmo");
}

TEST_F(InstalerOkna, GroupNameStartsSelectedIsLimitedAndRefusesCommandCharacters) {
  DWORD od = 1, dlugosc = 0;
  LRESULT limit = 0;
  {
    driver::Answerer answer(L"TfrmWyborGrupy", "Ok", [&](HWND okno) {
      HWND pole = driver::FindChildByName(okno, "tbNazwaGrupy");
      SendMessageW(pole, EM_GETSEL, reinterpret_cast<WPARAM>(&od), reinterpret_cast<LPARAM>(&dlugosc));
      limit = SendMessageW(pole, EM_GETLIMITTEXT, 0, 0);
      Wpisz(pole, "Moje Programy");
    });
    TfrmWyborGrupy okno;
    auto wynik = okno.Pokaz(nullptr, "Kalmo");
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].caption, "Program instalacyjny");
    EXPECT_EQ(answer.Seen()[0].controls.at("labNazwaGrupy"), "Proszę podać nazwę grupy");
    EXPECT_EQ(answer.Seen()[0].controls.at("tbNazwaGrupy"), "Kalmo");
    EXPECT_EQ(od, 0u);
    EXPECT_EQ(dlugosc, 5u);  // all of "Kalmo" selected
    EXPECT_EQ(limit, 70);
    ASSERT_TRUE(wynik.has_value());
    EXPECT_EQ(*wynik, "Moje Programy");
  }
  bool otwarte = false;
  driver::Answerer answer(L"TfrmWyborGrupy", "Anuluj", [&](HWND okno) {
    Wpisz(driver::FindChildByName(okno, "tbNazwaGrupy"), "Gry (stare)");
    Nacisnij(okno, IDOK);
    otwarte = IsWindowVisible(okno) != FALSE;
  });
  TfrmWyborGrupy okno;
  EXPECT_FALSE(okno.Pokaz(nullptr, "Kalmo").has_value());
  EXPECT_TRUE(otwarte);
  ASSERT_EQ(wintest::Dialogs().shown.size(), 1u);
  EXPECT_THAT(wintest::Dialogs().shown[0].text, HasSubstr("( )"));
}

TEST_F(InstalerOkna, MainWindowShowsTheRunsDataAndItsButtonsDecide) {
  TStanInstalacji stan;
  stan.sciezkaDocelowa = "C:\\Kalmo";
  stan.wymaganeMiejsce = 250;
  DaneOknaGlownego dane;
  dane.nazwaProgramu = "Kalmo";
  dane.grupaDostepna = false;
  dane.sciezkaDocelowa = "C:\\Kalmo";
  dane.wymaganeMiejsce = "250.0 MB";
  dane.dostepneMiejsce = "112.4 MB";
  dane.brakMiejsca = true;
  COLORREF kolor = 0;
  bool licencja = true, grupa = true, nazwaGrupy = true;
  {
    driver::Answerer answer(L"TfrmGlowna", "Anuluj", [&](HWND okno) {
      // The colour the window gives the free-space figure when it paints it.
      HDC dc = CreateCompatibleDC(nullptr);
      SendMessageW(okno, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(driver::FindChildByName(okno, "labDostepneMiejsce")));
      kolor = GetTextColor(dc);
      DeleteDC(dc);
      licencja = IsWindowEnabled(driver::FindChildByName(okno, "cmdLicencja"));
      grupa = IsWindowEnabled(driver::FindChildByName(okno, "cmdZmienNazweGrupy"));
      nazwaGrupy = IsWindowVisible(driver::FindChildByName(okno, "labNazwaGrupy"));
    });
    TfrmGlowna glowna;
    EXPECT_EQ(glowna.PokazOknoGlowne(stan, dane), WynikOknaGlownego::Anuluj);
    ASSERT_EQ(answer.Count(), 1);
    const auto seen = answer.Seen()[0];
    EXPECT_EQ(seen.caption, "Instalator wer. 1.0");
    EXPECT_EQ(seen.controls.at("labNazwaProgramu"), "Kalmo");
    EXPECT_EQ(seen.controls.at("labWymaganeMiejsce"), "250.0 MB");
    EXPECT_EQ(seen.controls.at("labDostepneMiejsce"), "112.4 MB");
    EXPECT_EQ(seen.controls.at("cmdInstaluj"), "Instaluj");
    EXPECT_EQ(seen.controls.at("cmdAnuluj"), "Anuluj");
    EXPECT_EQ(seen.controls.at("cmdZmienKatalog"), "Zmień...");
    EXPECT_EQ(GetGValue(kolor), 0);  // red
    EXPECT_GT(GetRValue(kolor), 150);
  }
  EXPECT_FALSE(licencja);  // no licence file
  EXPECT_FALSE(grupa);
  EXPECT_FALSE(nazwaGrupy);

  // Closing the window goes on like "Instaluj"; with enough space the figure is not red. The client
  // area is 550 x 337 at 96 dpi.
  dane.brakMiejsca = false;
  RECT klient{};
  driver::Answerer zamknij(L"TfrmGlowna", "", [&](HWND okno) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(okno, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(driver::FindChildByName(okno, "labDostepneMiejsce")));
    kolor = GetTextColor(dc);
    DeleteDC(dc);
    GetClientRect(okno, &klient);
    PostMessageW(okno, WM_CLOSE, 0, 0);
  });
  TfrmGlowna glowna;
  EXPECT_EQ(glowna.PokazOknoGlowne(stan, dane), WynikOknaGlownego::Instaluj);
  EXPECT_EQ(kolor, GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(klient.right, win::Scale(550, win::ScreenDpi()));
  EXPECT_EQ(klient.bottom, win::Scale(337, win::ScreenDpi()));
}

TEST_F(InstalerOkna, MainWindowGroupButtonStoresTheNewNameAndShowsIt) {
  TStanInstalacji stan;
  stan.nazwaGrupy = "Kalmo";
  stan.sciezkaDocelowa = "C:\\Kalmo";
  DaneOknaGlownego dane;
  dane.nazwaGrupy = "Kalmo";
  std::string etykieta;
  driver::Answerer grupa(L"TfrmWyborGrupy", "Ok", [&](HWND okno) {
    Wpisz(driver::FindChildByName(okno, "tbNazwaGrupy"), "Narzędzia biurowe");
  });
  driver::Answerer glowne(L"TfrmGlowna", "Instaluj", [&](HWND okno) {
    // Returns when the group window (answered above) has closed.
    SendMessageW(okno, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(driver::FindChildByName(okno, "cmdZmienNazweGrupy")),
                                              BN_CLICKED), 0);
    etykieta = driver::ReadText(driver::FindChildByName(okno, "labNazwaGrupy"));
  });
  TfrmGlowna okno;
  EXPECT_EQ(okno.PokazOknoGlowne(stan, dane), WynikOknaGlownego::Instaluj);
  EXPECT_EQ(grupa.Count(), 1);
  EXPECT_EQ(etykieta, "Narzędzia biurowe");
  EXPECT_EQ(stan.nazwaGrupy, "Narzędzia biurowe");
}

TEST_F(InstalerOkna, ProgressWindowShowsTheFileTheGaugeAndAsksBeforeAborting) {
  TStanInstalacji stan;
  TfrmShowProces postep;
  postep.Pokaz(stan, 12);
  ASSERT_NE(postep.Hwnd(), nullptr);
  EXPECT_EQ(win::GetText(postep.Hwnd()), "Instalacja w toku...");
  postep.PokazPlik("KALMO.EX_", "c:\\temp\\kalmo.exe");
  postep.UstawPozycje(4);
  HWND gauge = win::FindControl(postep.Hwnd(), "gagShowProces");
  EXPECT_EQ(SendMessageW(gauge, PBM_GETPOS, 0, 0), 4);
  EXPECT_EQ(SendMessageW(gauge, PBM_GETRANGE, FALSE, 0), 12);
  EXPECT_EQ(driver::ReadText(win::FindControl(postep.Hwnd(), "labZrodlowy")), "KALMO.EX_");
  EXPECT_EQ(driver::ReadText(win::FindControl(postep.Hwnd(), "labDocelowy")), "c:\\temp\\kalmo.exe");
  EXPECT_FALSE(IsWindowVisible(win::FindControl(postep.Hwnd(), "labDocelowy")));
  EXPECT_FALSE(IsWindowVisible(win::FindControl(postep.Hwnd(), "labPlikDocelowy")));

  HWND przerwij = driver::FindChild(postep.Hwnd(), "Przerwij Instalacje");
  ASSERT_NE(przerwij, nullptr);
  wintest::Dialogs().answers.push_back(okNie);
  SendMessageW(przerwij, BM_CLICK, 0, 0);
  EXPECT_FALSE(stan.przerwij);
  wintest::Dialogs().answers.push_back(okTak);
  SendMessageW(przerwij, BM_CLICK, 0, 0);
  EXPECT_TRUE(stan.przerwij);
  EXPECT_THAT(wintest::Dialogs().Texts(), ElementsAre("Czy przerwać instalację?", "Czy przerwać instalację?"));
  EXPECT_EQ(wintest::Dialogs().shown[0].picture, rkPytanie);
  postep.Zamknij();
  EXPECT_EQ(postep.Hwnd(), nullptr);
}

TEST_F(InstalerOkna, LicenceShowsTheWindowsTextAndAMissingFileOpensNothing) {
  const std::string plik = s.Put("Licencja.txt", cp1250::FromUtf8("Licencja\nZażółć gęślą jaźń\n"));
  driver::Answerer answer(L"TfrmLicencja", "Ok");
  TfrmLicencja okno;
  EXPECT_TRUE(okno.Pokaz(nullptr, plik));
  ASSERT_EQ(answer.Count(), 1);
  EXPECT_EQ(answer.Seen()[0].controls.at("memLicencja"), "Licencja\r\nZażółć gęślą jaźń\r\n");
  TfrmLicencja brak;
  EXPECT_FALSE(brak.Pokaz(nullptr, s.Path("Brak.txt")));
  EXPECT_EQ(brak.Hwnd(), nullptr);
  EXPECT_EQ(answer.Count(), 1);
}

TEST_F(InstalerOkna, UninstallWindowRunsTheUninstallOnlyOnOdinstaluj) {
  int uruchomienia = 0;
  {
    driver::Answerer answer(L"TfrmDeinstalacja", "Anuluj");
    TfrmDeinstalacja okno;
    okno.Pokaz("Moja Gra", "", [&] { ++uruchomienia; });
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].caption, "Deinstalator");
    EXPECT_EQ(answer.Seen()[0].controls.at("labNazwaProgramu"), "Moja Gra");
    EXPECT_EQ(answer.Seen()[0].controls.at("labDeinstalacja"), "Deinstalacja programu...");
    EXPECT_EQ(uruchomienia, 0);
  }
  driver::Answerer answer(L"TfrmDeinstalacja", "Odinstaluj");
  TfrmDeinstalacja okno;
  okno.Pokaz("Moja Gra", "", [&] { ++uruchomienia; });
  EXPECT_EQ(uruchomienia, 1);
}

}  // namespace
