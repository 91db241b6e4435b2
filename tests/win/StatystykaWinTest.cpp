// The statistics window under Wine: in this process over the memory platform (archive, registry)
// with the real clipboard, and in the real Kalmo.exe opened from its tray command.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/DateTime.h"
#include "common/TimeUtilities.h"
#include "common/WinTools.h"
#include "common/win32/Window.h"
#include "documents/Modem.h"
#include "documents/Statystyka.h"
#include "documents/win32/Statystyka.h"
#include "platform/memory/Memory.h"
#include "settings/Globalne.h"
#include "settings/Komunikaty.h"
#include "app/win32/Glowna.h"
#include "tests/win/BlokadaKluczaKalmo.h"
#include "tests/win/Driver.h"
#include "tests/win/ZmianaDpi.h"
#include "tests/win/WinTestSupport.h"

using platform::memory::RecordingDialogs;

namespace {

constexpr char kArchiwum[] = "C:\\Kalmo\\test_arch.dat";

ArchiveRecord Dzien(int m, int d, int32_t praca, int32_t pol = 0, int32_t liczba = 0, int32_t jedn = 0) {
  ArchiveRecord r;
  r.Date = datetime::Encode(2024, m, d, 17, 0, 0);
  r.WorkSeconds = praca;
  r.ConnectionSeconds = pol;
  r.ConnectionCount = liczba;
  r.ChargeUnits = jedn;
  return r;
}

std::string Bajty(const std::vector<ArchiveRecord>& dni) {
  std::string out;
  for (const auto& r : dni) {
    const auto b = r.ToBytes();
    out.append(b.begin(), b.end());
  }
  return out;
}

// The bar's middle, as the chart lays it out now.
POINT Srodek(TWykres* w, int seria, int punkt) {
  for (const auto& s : w->Uklad().slupki)
    if (s.seria == seria && s.punkt == punkt) return {(s.left + s.right) / 2, s.bottom - 2};
  return {-1, -1};
}

void Rusz(TWykres* w, POINT p) { SendMessageW(w->Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); }

std::string Tekst(HWND okno, const std::string& nazwa) { return win::GetText(win::FindControl(okno, nazwa)); }

// A click on a button or check box of the window, as the mouse gives it.
void Kliknij(HWND okno, const std::string& nazwa) {
  SendMessageW(win::FindControl(okno, nazwa), BM_CLICK, 0, 0);
}

void Tyknij(TStronaWykresu& strona) {
  SendMessageW(strona.Hwnd(), WM_TIMER, TStronaWykresu::kTimerPrzewijania, 0);
}

class OknoStatystyki : public testing::Test {
 protected:
  void SetUp() override {
    p.registry.CreateKey(platform::Root::CurrentUser, kKluczKalmo);
    p.files.AddDirectory("C:\\Kalmo");
    // February 2024 and 1 March, 5 hours a day; 27 February 7 hours with 20 seconds of
    // connections (no bar), 28 February 195 seconds in one connection of two units.
    std::vector<ArchiveRecord> dni;
    for (int d = 1; d <= 29; ++d)
      dni.push_back(d == 27 ? Dzien(2, d, 7 * 3600, 20, 1, 1) : d == 28 ? Dzien(2, d, 5 * 3600, 195, 1, 2)
                                                                         : Dzien(2, d, 5 * 3600));
    dni.push_back(Dzien(3, 1, 10 * 3600, 600, 2, 4));
    p.files.WriteFileReplacing(kArchiwum, Bajty(dni));
    z.plikArchiwum = kArchiwum;
    z.dzis = datetime::EncodeDate(2024, 3, 31);
    z.dzisSekundy = 3600;
    z.limitSekund = 6 * 3600;
    for (int i = 0; i < 15; ++i) {
      DocumentRecord r;
      r.Name = "Word - dokument " + std::to_string(i + 1) + ".doc";
      r.Seconds = (i + 1) * 3600;
      r.LastSeen = datetime::EncodeDate(2024, 3, 1);
      z.dokumenty.push_back(r);
    }
  }
  std::vector<uint8_t> Opcje() {
    auto b = p.registry.ReadBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::OpcjeStatystyki);
    return b ? *b : std::vector<uint8_t>{};
  }
  platform::memory::TestPlatform p;
  ZrodloStatystyki z;
};

TEST_F(OknoStatystyki, PagesShowTheirBarsTextsAndHoverTexts) {
  TfrmStatystyka okno(z);
  ASSERT_NE(okno.Hwnd(), nullptr);
  okno.FormShow();
  // First use: the 60-byte defaults are written at once.
  const auto b = Opcje();
  ASSERT_EQ(b.size(), 60u);
  EXPECT_EQ((std::vector<uint8_t>(b.begin() + 48, b.end())), (std::vector<uint8_t>{1, 1, 1, 0, 1, 0, 0, 0, 211, 0, 0, 0}));
  EXPECT_EQ(okno.Strona(), 0);
  ShowWindow(okno.Hwnd(), SW_SHOW);
  UpdateWindow(okno.Hwnd());

  // Every page and its controls carry the page's help context.
  EXPECT_EQ(GetWindowContextHelpId(win::FindControl(okno.Hwnd(), "chbPolaczeniaModemoweDziennie")), 5u);
  EXPECT_EQ(GetWindowContextHelpId(win::FindControl(okno.Hwnd(), "grdMiesiac")), 6u);
  EXPECT_EQ(GetWindowContextHelpId(okno.Miesiecznie().Wykres().Hwnd()), 7u);
  EXPECT_EQ(GetWindowContextHelpId(win::FindControl(okno.Hwnd(), "chlMonitorowaneDokumenty")), 8u);

  // Daily: 30 days and today; connection bars for 28 February and 1 March only.
  TWykres* dzienny = &okno.Dziennie().Wykres();
  EXPECT_EQ(win::GetText(dzienny->Hwnd()), "Czas pracy w poszczególnych dniach");
  const auto& praca = dzienny->Dane().serie[0].punkty;
  ASSERT_EQ(praca.size(), 31u);
  EXPECT_EQ(praca[26].kolor, statystyka::KolorPracy(4));  // 7 hours over a 6-hour limit
  const auto& pol = dzienny->Dane().serie[1].punkty;
  ASSERT_EQ(pol.size(), 2u);
  EXPECT_EQ(pol[0].etykieta, "3");
  EXPECT_TRUE(dzienny->Dane().serie[1].aktywna);
  Rusz(dzienny, Srodek(dzienny, 1, 0));
  const std::string polaczenie = Tekst(okno.Hwnd(), "labCzasPracy");
  EXPECT_EQ(polaczenie.rfind("czas połączenia: 3 minuty, liczba połączeń: 1, koszt: 0", 0), 0u) << polaczenie;
  EXPECT_EQ(polaczenie.substr(polaczenie.size() - 7), "46 zł ");
  Rusz(dzienny, Srodek(dzienny, 0, 26));
  EXPECT_EQ(Tekst(okno.Hwnd(), "labCzasPracy"), "w dniu " + praca[26].etykieta + " pracowałeś 7 godzin ");
  Rusz(dzienny, {2, 2});
  EXPECT_EQ(Tekst(okno.Hwnd(), "labCzasPracy"), "");

  // Pressing "Do tyłu" scrolls back 2 % at once and at every tick until released; the click the
  // release reports scrolls no more, a click from the keyboard one step.
  const wykres::Widok przed = dzienny->Widok();
  const double krok = 0.02 * 22;
  HWND doTylu = win::FindControl(okno.Hwnd(), "cmdCzasPracyDoTylu");
  SendMessageW(doTylu, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_NEAR(dzienny->Widok().min, przed.min - krok, 1e-9);
  Tyknij(okno.Dziennie());
  EXPECT_NEAR(dzienny->Widok().min, przed.min - 2 * krok, 1e-9);
  SendMessageW(doTylu, WM_LBUTTONUP, 0, 0);
  Tyknij(okno.Dziennie());
  EXPECT_NEAR(dzienny->Widok().min, przed.min - 2 * krok, 1e-9);
  SendMessageW(doTylu, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(doTylu, WM_KEYUP, VK_SPACE, 0);
  EXPECT_NEAR(dzienny->Widok().min, przed.min - 3 * krok, 1e-9);

  // The grid: from 31 March back to February, kept valid.
  okno.UstawStrone(1);
  EXPECT_EQ(Tekst(okno.Hwnd(), "labMiesiacRok"), "marzec, 2024");
  EXPECT_EQ(okno.Grafik().MonthCells().cells[4 + 30].seconds, 3600);  // 31 March: today's counter
  Kliknij(okno.Hwnd(), "cmdPoprzedniMiesiac");
  EXPECT_EQ(Tekst(okno.Hwnd(), "labMiesiacRok"), "luty, 2024");
  EXPECT_EQ(okno.Grafik().WyswietlanyMiesiac(), datetime::EncodeDate(2024, 2, 1));
  EXPECT_EQ(okno.Grafik().MonthCells().cells[3 + 26].seconds, 7 * 3600);  // 1 February was a Thursday
  Kliknij(okno.Hwnd(), "cmdNastepnyMiesiac");
  Kliknij(okno.Hwnd(), "cmdNastepnyMiesiac");
  EXPECT_EQ(Tekst(okno.Hwnd(), "labMiesiacRok"), "kwiecień, 2024");

  // Monthly: February and March; the connection series comes with its check box.
  okno.UstawStrone(2);
  TWykres* miesieczny = &okno.Miesiecznie().Wykres();
  const auto& m = miesieczny->Dane().serie[0].punkty;
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].etykieta, "II");
  EXPECT_DOUBLE_EQ(m[0].wartosc, 29 * 5 + 2);
  EXPECT_FALSE(miesieczny->Dane().serie[1].aktywna);
  Kliknij(okno.Hwnd(), "chbPolaczeniaModemoweMiesiecznie");
  EXPECT_TRUE(miesieczny->Dane().serie[1].aktywna);
  EXPECT_EQ(miesieczny->Dane().serie[1].punkty.size(), 2u);
  Rusz(miesieczny, Srodek(miesieczny, 0, 1));
  EXPECT_EQ(Tekst(okno.Hwnd(), "labCzasPracyMiesiecznie"), "w miesiącu III przepracowałeś 11 godzin ");

  // Documents: the 15th is colour 01 again; checked items become bars with their times. A click
  // on an item's box switches it, and so does the space bar on the selected item.
  okno.UstawStrone(3);
  const auto& lista = okno.Dokumenty().ListaDokumentow();
  ASSERT_EQ(lista.size(), 15u);
  EXPECT_EQ(lista[1].tekst, "01#Word - dokument 15.doc");
  HWND chl = win::FindControl(okno.Hwnd(), "chlMonitorowaneDokumenty");
  EXPECT_EQ(SendMessageW(chl, LB_GETCOUNT, 0, 0), 15);
  Kliknij(okno.Hwnd(), "cmdWszystkie");
  TWykres* dok = &okno.Dokumenty().Wykres();
  EXPECT_EQ(dok->Dane().serie[0].punkty.size(), 15u);
  Rusz(dok, Srodek(dok, 0, dok->Uklad().slupki.front().punkt));
  EXPECT_FALSE(Tekst(okno.Hwnd(), "labDokument").empty());
  Kliknij(okno.Hwnd(), "cmdWszystkie");
  EXPECT_TRUE(dok->Dane().serie[0].punkty.empty());
  RECT pozycja{};
  SendMessageW(chl, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&pozycja));
  SendMessageW(chl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pozycja.left + 4, pozycja.top + 4));
  SendMessageW(chl, WM_LBUTTONUP, 0, MAKELPARAM(pozycja.left + 4, pozycja.top + 4));
  ASSERT_EQ(dok->Dane().serie[0].punkty.size(), 1u);
  EXPECT_EQ(dok->Dane().serie[0].punkty[0].etykieta, "14");
  Rusz(dok, Srodek(dok, 0, 0));
  EXPECT_EQ(Tekst(okno.Hwnd(), "labDokument"), "Word - dokument 15.doc");
  EXPECT_EQ(Tekst(okno.Hwnd(), "labCzasDzialania"), "15 godzin ");
  SendMessageW(chl, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(dok->Dane().serie[0].punkty.empty());
  // The splitter dragged 50 pixels to the left widens the panel by as much.
  HWND dzielnik = win::FindControl(okno.Hwnd(), "Splitter1");
  RECT d{};
  GetClientRect(dzielnik, &d);
  SendMessageW(dzielnik, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(d.right / 2, 10));
  SendMessageW(dzielnik, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(d.right / 2 - 50, 10));
  SendMessageW(dzielnik, WM_LBUTTONUP, 0, MAKELPARAM(d.right / 2 - 50, 10));
  EXPECT_EQ(okno.Dokumenty().SzerokoscPanelu(), 211 + 50);

  // Help of the page, the gradient menu, and what the window keeps when it goes.
  Kliknij(okno.Hwnd(), "cmdPomoc");
  EXPECT_EQ(okno.OstatniKontekstPomocy(), 8);
  okno.Dziennie().Wykres().mnuGradientClick();
  EXPECT_FALSE(okno.Dziennie().Wykres().Gradient());
  EXPECT_FALSE(GetMenuState(okno.Dziennie().Wykres().MenuGradientu(), TWykres::kMnuGradient, MF_BYCOMMAND) &
               MF_CHECKED);
  Kliknij(okno.Hwnd(), "cmdZamknij");
  EXPECT_EQ(okno.Hwnd(), nullptr);
  const auto k = Opcje();
  ASSERT_EQ(k.size(), 60u);
  EXPECT_EQ(bajty::GetI32(k, 0), 3);
  EXPECT_EQ(k[48], 0);  // daily gradient off
  EXPECT_EQ(k[51], 1);  // monthly connections on
  EXPECT_EQ(bajty::GetI32(k, 56), 261);
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST_F(OknoStatystyki, OpeningCountsTheModemLogOnceForPastDaysAndToday) {
  const std::string modem = std::string(kKluczModemow) + "\\0000";
  p.registry.CreateKey(platform::Root::LocalMachine, modem);
  p.registry.WriteString(platform::Root::LocalMachine, modem, "LoggingPath", "C:\\WINDOWS\\ModemLog.txt");
  p.files.AddDirectory("C:\\WINDOWS");
  p.files.AddFile("C:\\WINDOWS\\ModemLog.txt", "03-01-2024 09:00:00.00 - Connection established\r\n"
                                                "03-01-2024 09:10:00.00 - Hanging up the modem\r\n"
                                                "03-31-2024 10:00:00.00 - Connection established\r\n"
                                                "03-31-2024 10:03:00.00 - Hanging up the modem\r\n");
  z.dzis = datetime::Encode(2024, 3, 31, 12, 0, 0);
  for (int otwarcie = 0; otwarcie < 2; ++otwarcie) {
    TfrmStatystyka okno(z);
    okno.FormShow();
    const auto& dni = okno.DayEntries();
    ASSERT_EQ(dni.size(), 31u);
    EXPECT_EQ(dni[29].ConnectionSeconds, 600 + 615);  // 1 March: its own and the log's, once
    EXPECT_EQ(dni[29].ConnectionCount, 3);
    EXPECT_EQ(dni.back().ConnectionSeconds, 195);  // today, from the log
    EXPECT_EQ(dni.back().ChargeUnits, 2);
    const auto& pol = okno.Dziennie().Wykres().Dane().serie[1].punkty;
    ASSERT_EQ(pol.size(), 3u);
    EXPECT_EQ(pol.back().etykieta, "3");
    EXPECT_EQ(okno.Grafik().MonthCells().cells[4 + 30].seconds, 3600);  // today's counter in the grid
  }
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST_F(OknoStatystyki, CopyPutsTheChartOnTheClipboardAsABitmap) {
  TfrmStatystyka okno(z);
  okno.FormShow();
  okno.UstawStrone(2);
  ShowWindow(okno.Hwnd(), SW_SHOW);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  Kliknij(okno.Hwnd(), "cmdMiesiaceCopyToClipboard");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  auto bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  BITMAP info{};
  ASSERT_NE(bmp, nullptr);
  GetObjectW(bmp, sizeof info, &info);
  RECT r{};
  GetClientRect(okno.Miesiecznie().Wykres().Hwnd(), &r);
  EXPECT_EQ(info.bmWidth, r.right);
  EXPECT_EQ(info.bmHeight, r.bottom);
  CloseClipboard();
}

TEST_F(OknoStatystyki, MonthlyChartZoomsIntoADraggedRectangleTheDailyOneDoesNot) {
  TfrmStatystyka okno(z);
  okno.FormShow();
  okno.UstawStrone(2);
  ShowWindow(okno.Hwnd(), SW_SHOW);
  auto przeciagnij = [](TWykres* w, POINT a, POINT b) {
    SendMessageW(w->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
    SendMessageW(w->Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b.x, b.y));
    SendMessageW(w->Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(b.x, b.y));
  };
  TWykres* m = &okno.Miesiecznie().Wykres();
  const wykres::Uklad u = m->Uklad();
  const wykres::Widok cel = wykres::Powieksz(m->Dane(), m->Widok(), u, u.plotL, u.plotT, (u.plotL + u.plotR) / 2, u.plotB);
  przeciagnij(m, {u.plotL, u.plotT}, {(u.plotL + u.plotR) / 2, u.plotB});
  // The zoom runs through its frames on the window's timer.
  const DWORD start = GetTickCount();
  MSG msg;
  while (!(m->Widok() == cel) && GetTickCount() - start < driver::Timeout()) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    else Sleep(5);
  }
  EXPECT_EQ(m->Widok(), cel);
  EXPECT_NEAR(m->Widok().max - m->Widok().min, 1, 0.01);

  okno.UstawStrone(0);
  TWykres* d = &okno.Dziennie().Wykres();
  const wykres::Widok przed = d->Widok();
  const wykres::Uklad ud = d->Uklad();
  przeciagnij(d, {ud.plotL, ud.plotT}, {(ud.plotL + ud.plotR) / 2, ud.plotB});
  EXPECT_EQ(d->Widok(), przed);
}

TEST_F(OknoStatystyki, StoredPageAndPositionAreUsedOnlyWhenSane) {
  StatisticsOptions o;
  o.strona = 9;
  o.pozycja = "5000#5000#700#500";
  ZapiszOpcjeStatystyki(o);
  TfrmStatystyka okno(z);
  okno.FormShow();
  EXPECT_EQ(okno.Strona(), 0);
  RECT w{};
  GetWindowRect(okno.Hwnd(), &w);
  RECT ekran{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &ekran, 0);
  RECT wspolny{};
  EXPECT_TRUE(IntersectRect(&wspolny, &w, &ekran));
  EXPECT_GE(w.left, ekran.left);

  o.strona = 2;
  o.pozycja = "20#30#640#480";
  ZapiszOpcjeStatystyki(o);
  TfrmStatystyka drugie(z);
  drugie.FormShow();
  EXPECT_EQ(drugie.Strona(), 2);
  GetWindowRect(drugie.Hwnd(), &w);
  EXPECT_EQ(w.left, 20);
  EXPECT_EQ(w.right - w.left, 640);

  // Moved to a monitor of 150 %: the proposed rectangle; the buttons and their fonts grow, and
  // the page lays out again inside the larger window.
  HWND zamknij = win::FindControl(drugie.Hwnd(), "cmdZamknij");
  const int czcionka = wintest::WysokoscCzcionki(zamknij), przycisk = wintest::Szerokosc(zamknij);
  const RECT propozycja = wintest::ZmienDpi(drugie.Hwnd(), 96, 144);
  GetWindowRect(drugie.Hwnd(), &w);
  EXPECT_TRUE(EqualRect(&w, &propozycja));
  EXPECT_EQ(wintest::WysokoscCzcionki(zamknij), czcionka * 3 / 2);
  EXPECT_NEAR(wintest::Szerokosc(zamknij), przycisk * 3 / 2, 2);
  RECT klient{}, przyciskR = wintest::Prostokat(zamknij);
  GetClientRect(drugie.Hwnd(), &klient);
  MapWindowPoints(drugie.Hwnd(), nullptr, reinterpret_cast<POINT*>(&klient), 2);
  EXPECT_LE(przyciskR.right, klient.right);
  EXPECT_LE(przyciskR.bottom, klient.bottom);
  EXPECT_GT(przyciskR.right, klient.right - 40);  // still at the right edge, laid out again
}

TEST_F(OknoStatystyki, EmptyOrMissingArchiveOpensWithEmptyCharts) {
  p.files.WriteFileReplacing(kArchiwum, "");
  {
    TfrmStatystyka okno(z);
    okno.FormShow();
    EXPECT_EQ(okno.DayEntries().size(), 1u);  // today only
    ASSERT_EQ(okno.MonthTotals().size(), 1u);
    EXPECT_EQ(okno.MonthTotals()[0].Month, 3);
    EXPECT_TRUE(p.dialogs.shown.empty());
  }
  p.files.DeleteFile(kArchiwum);
  TfrmStatystyka okno(z);
  okno.FormShow();
  EXPECT_TRUE(okno.Dziennie().Wykres().Dane().serie[0].punkty.empty());
  EXPECT_TRUE(okno.MonthTotals().empty());
  EXPECT_TRUE(okno.Miesiecznie().Wykres().Dane().serie[0].punkty.empty());
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_EQ(p.dialogs.shown[0].text, std::string("Brak pliku: ") + kArchiwum);
  EXPECT_EQ(p.dialogs.shown[0].place, "TfrmStatystyka.PrzepiszPlikArchiwum");
  okno.UstawStrone(1);
  okno.Grafik().cmdPoprzedniMiesiacClick();
  EXPECT_EQ(Tekst(okno.Hwnd(), "labMiesiacRok"), "luty, 2024");
}

// --------------------------------------------------------------------------------------------
// The real program: the tray command opens the window on a prepared archive.

TEST(StatystykaKalmo, TrayCommandOpensTheWindowOnThePreparedArchive) {
  wintest::BlokadaKluczaKalmo lock;
  ASSERT_TRUE(lock.owned());
  const wchar_t* klucz = L"Software\\Meltrax Software\\Kalmo\\2.0";
  RegDeleteTreeW(HKEY_CURRENT_USER, klucz);
  wintest::Scratch scratch;
  for (const char* f : {"Kalmo.exe", "Hook.dll"})
    ASSERT_TRUE(CopyFileW(win::Widen(driver::BesideTests(f)).c_str(), win::Widen(scratch.Path(f)).c_str(), FALSE));
  const std::string uzytkownik = NazwaUzytkownikaPlikow().empty() ? "All" : NazwaUzytkownikaPlikow();
  scratch.Put(uzytkownik + "_arch.dat", Bajty({Dzien(2, 27, 7 * 3600), Dzien(2, 28, 3 * 3600), Dzien(3, 1, 4 * 3600)}));

  driver::Process proces;
  ASSERT_TRUE(driver::Start("\"" + scratch.Path("Kalmo.exe") + "\"", proces));
  HWND glowne = nullptr;
  const DWORD start = GetTickCount();
  while (!(glowne = OknoGlowneProcesu(proces.id)) && GetTickCount() - start < driver::Timeout()) Sleep(50);
  ASSERT_NE(glowne, nullptr);
  // The command waits for the start-up like the menu does; post until the window comes.
  HWND okno = nullptr;
  for (int i = 0; i < 3 && !okno; ++i) {
    PostMessageW(glowne, WM_COMMAND, mnuStatystyka, 0);
    okno = driver::WaitForWindow(L"TfrmStatystyka", {}, proces.id);
  }
  ASSERT_NE(okno, nullptr);
  EXPECT_EQ(driver::ReadText(okno), "Statystyka");
  EXPECT_EQ(driver::ReadText(driver::FindChildByName(okno, "chtCzasPracy")), "Czas pracy w poszczególnych dniach");
  EXPECT_EQ(driver::ReadText(driver::FindChildByName(okno, "chtCzasPracyMiesiecznie")),
            "Czas pracy w poszczególnych miesiącach");
  SYSTEMTIME t{};
  GetLocalTime(&t);
  EXPECT_EQ(driver::ReadText(driver::FindChildByName(okno, "labMiesiacRok")),
            MonthName(t.wMonth) + ", " + std::to_string(t.wYear));
  EXPECT_NE(driver::FindChildByName(okno, "chlMonitorowaneDokumenty"), nullptr);
  ASSERT_TRUE(driver::ClickButton(okno, "Zamknij"));
  EXPECT_TRUE(driver::WaitUntilGone(okno));

  // Closing wrote the options value: 60 bytes, page 0, the default switches and panel width.
  std::vector<uint8_t> b(100);
  DWORD rozmiar = 100, typ = 0;
  HKEY h = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, klucz, 0, KEY_READ, &h), ERROR_SUCCESS);
  const LONG wynik = RegQueryValueExW(h, L"OpcjeStatystyki", nullptr, &typ, b.data(), &rozmiar);
  RegCloseKey(h);
  ASSERT_EQ(wynik, ERROR_SUCCESS);
  EXPECT_EQ(typ, static_cast<DWORD>(REG_BINARY));
  ASSERT_EQ(rozmiar, 60u);
  b.resize(60);
  EXPECT_EQ(bajty::GetI32(b, 0), 0);
  EXPECT_EQ((std::vector<uint8_t>(b.begin() + 48, b.begin() + 53)), (std::vector<uint8_t>{1, 1, 1, 0, 1}));
  EXPECT_EQ(bajty::GetI32(b, 56), 211);

  PostMessageW(glowne, WM_COMMAND, mnuKoniec, 0);
  EXPECT_EQ(proces.WaitForExit(), 0);
  CloseHandle(proces.handle);
  RegDeleteTreeW(HKEY_CURRENT_USER, klucz);
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Meltrax Software\\Kalmo");
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Meltrax Software");
}

}  // namespace
