// The statistics window under Wine: in this process over the memory platform (archive, registry)
// with the real clipboard, and in the real Kalmo.exe opened from its tray command.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "base/DateTime.h"
#include "common/TimeUtilities.h"
#include "common/WinTools.h"
#include "common/win32/Window.h"
#include "documents/Eksport.h"
#include "documents/Modem.h"
#include "documents/Statystyka.h"
#include "documents/win32/Statystyka.h"
#include "platform/memory/Memory.h"
#include "settings/Globalne.h"
#include "settings/Komunikaty.h"
#include "settings/Pomoc.h"
#include "settings/win32/Pomoc.h"
#include "common/win32/Win32Dialogs.h"
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

// The clipboard's text, while it is open.
std::string SchowekTekst() {
  HANDLE h = GetClipboardData(CF_UNICODETEXT);
  if (!h) return {};
  const std::string t = win::Narrow(static_cast<const wchar_t*>(GlobalLock(h)));
  GlobalUnlock(h);
  return t;
}

// Another thread of another window keeps the clipboard open meanwhile, as a program that hangs.
class TrzymaSchowek {
 public:
  TrzymaSchowek() {
    watek_ = std::thread([this] {
      otwarty_ = OpenClipboard(nullptr) != FALSE;
      gotowy_ = true;
      while (!koniec_) Sleep(5);
      if (otwarty_) CloseClipboard();
    });
    while (!gotowy_) Sleep(1);
  }
  ~TrzymaSchowek() {
    koniec_ = true;
    watek_.join();
  }

 private:
  std::thread watek_;
  std::atomic<bool> gotowy_{false}, koniec_{false}, otwarty_{false};
};

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
  // Enter too: the list asks the dialog keys for it, so no button of the window takes it.
  MSG enter{chl, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(SendMessageW(chl, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE);
  SendMessageW(chl, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_EQ(dok->Dane().serie[0].punkty.size(), 1u);
  SendMessageW(chl, WM_KEYDOWN, VK_RETURN, 0);
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
  const std::string strona = SciezkaPomocy(FolderZeSciezki(ApplicationHelpFile()), 8);
  p.files.AddFile(strona, "<html></html>");
  std::vector<std::string> otwarte;
  const OtwieraczPomocy poprzedni = UstawOtwieraczPomocy([&](const std::string& s) {
    otwarte.push_back(s);
    return true;
  });
  Kliknij(okno.Hwnd(), "cmdPomoc");
  UstawOtwieraczPomocy(poprzedni);
  EXPECT_EQ(okno.OstatniKontekstPomocy(), 8);
  EXPECT_EQ(otwarte, std::vector<std::string>{strona});
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
  // Its numbers beside the picture, as a table a spreadsheet takes.
  EXPECT_EQ(SchowekTekst(), "Miesiąc\tCzas pracy [godz.]\r\nII\t" + wykres::Liczba2(147, SeparatorDziesietny()) +
                                "\r\nIII\t" + wykres::Liczba2(11, SeparatorDziesietny()) + "\r\n");
  CloseClipboard();

  // Another program holding the clipboard: the copy says it failed.
  {
    TrzymaSchowek trzyma;
    Kliknij(okno.Hwnd(), "cmdMiesiaceCopyToClipboard");
  }
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_NE(p.dialogs.shown[0].text.find("Nie udało się skopiować"), std::string::npos);
  // The grid copies its month the same way.
  okno.UstawStrone(1);
  ASSERT_TRUE(okno.Grafik().KopiujSiatke());
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_EQ(SchowekTekst().rfind("Dzień\tCzas pracy [godz.]\r\n" + DataSystemowa(datetime::EncodeDate(2024, 3, 1)) + "\t" +
                                     wykres::Liczba2(10, SeparatorDziesietny()) + "\r\n",
                                 0),
            0u);
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

  // A drag whose capture is taken away, or ended with Esc, zooms nowhere; "-" gives more bars.
  const wykres::Widok powiekszony = m->Widok();
  SendMessageW(m->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(u.plotL, u.plotT));
  SendMessageW(m->Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(u.plotR, u.plotB));
  ASSERT_TRUE(m->Przeciaga());
  ReleaseCapture();  // another window took the mouse
  EXPECT_FALSE(m->Przeciaga());
  SendMessageW(m->Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(u.plotR, u.plotB));
  SendMessageW(m->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(u.plotL, u.plotT));
  SendMessageW(m->Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(u.plotR, u.plotB));
  MSG esc{m->Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_EQ(SendMessageW(m->Hwnd(), WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&esc)) & DLGC_WANTMESSAGE,
            DLGC_WANTMESSAGE);  // the dialog keys leave Esc to the drag
  SendMessageW(m->Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(m->Przeciaga());
  SendMessageW(m->Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(u.plotR, u.plotB));
  EXPECT_EQ(m->Widok(), powiekszony);

  okno.UstawStrone(0);
  TWykres* d = &okno.Dziennie().Wykres();
  const wykres::Widok przed = d->Widok();
  const wykres::Uklad ud = d->Uklad();
  przeciagnij(d, {ud.plotL, ud.plotT}, {(ud.plotL + ud.plotR) / 2, ud.plotB});
  EXPECT_EQ(d->Widok(), przed);
  SendMessageW(d->Hwnd(), WM_CHAR, '+', 0);  // the daily chart does not zoom
  EXPECT_EQ(d->Widok(), przed);

  // A press on "Do tyłu" that loses its capture before the release: the keyboard's click still
  // scrolls a step, and so do the arrows and the wheel on the chart.
  HWND doTylu = win::FindControl(okno.Hwnd(), "cmdCzasPracyDoTylu");
  SendMessageW(doTylu, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  ReleaseCapture();
  const double poNacisnieciu = d->Widok().min;
  SendMessageW(doTylu, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(doTylu, WM_KEYUP, VK_SPACE, 0);
  EXPECT_NEAR(d->Widok().min, poNacisnieciu - 0.02 * 22, 1e-9);
  SendMessageW(d->Hwnd(), WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_NEAR(d->Widok().min, poNacisnieciu - 0.02 * 22 - 1, 1e-9);
  SendMessageW(d->Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_NEAR(d->Widok().min, poNacisnieciu - 0.02 * 22 - 4, 1e-9);
  SendMessageW(doTylu, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);  // from a focused button
  EXPECT_NEAR(d->Widok().min, poNacisnieciu - 0.02 * 22 - 1, 1e-9);
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

TEST_F(OknoStatystyki, TheKeyboardChangesPagesMovesChartsAndTheGridAndCopies) {
  // Real keys pressed by another program (SendKeys.exe) while the window runs its modal loop:
  // Ctrl+Tab and Ctrl+Shift+Tab change pages with the focus on their first control, the arrows
  // and Home move the chart, Ctrl+C copies picture and numbers, Esc closes.
  TfrmStatystyka okno(z);
  std::atomic<int> etap{0};
  std::string tekst;
  std::thread klawisze([&] {
    const DWORD watek = GetWindowThreadProcessId(okno.Hwnd(), nullptr);
    auto fokus = [watek] {
      GUITHREADINFO g{};
      g.cbSize = sizeof g;
      return GetGUIThreadInfo(watek, &g) ? g.hwndFocus : nullptr;
    };
    auto czekaj = [](auto warunek) {
      for (DWORD start = GetTickCount(); !warunek(); Sleep(20))
        if (GetTickCount() - start > driver::Timeout()) return false;
      return true;
    };
    auto nacisnij = [](const std::string& k) {
      driver::Process p;
      return driver::Start("\"" + driver::BesideTests("SendKeys.exe") + "\" " + k, p) && p.WaitForExit() == 0;
    };
    if (!czekaj([&] { return GetForegroundWindow() == okno.Hwnd(); })) return;
    etap = 1;
    if (!nacisnij("0x11+0x09") || !czekaj([&] { return okno.Strona() == 1 && fokus() == okno.Grafik().Siatka(); })) return;
    etap = 2;
    // The grid: Right goes a month on, Home to the archive's first month.
    if (!nacisnij("0x27") || !czekaj([&] { return okno.Grafik().WyswietlanyMiesiac() == datetime::EncodeDate(2024, 4, 1); }))
      return;
    if (!nacisnij("0x24") || !czekaj([&] { return okno.Grafik().WyswietlanyMiesiac() == datetime::EncodeDate(2024, 2, 1); }))
      return;
    etap = 3;
    TWykres& w = okno.Dziennie().Wykres();
    if (!nacisnij("0x11+0x10+0x09") || !czekaj([&] { return okno.Strona() == 0 && fokus() == w.Hwnd(); })) return;
    etap = 4;
    const double min = w.Widok().min;
    if (!nacisnij("0x25") || !czekaj([&] { return std::abs(w.Widok().min - (min - 1)) < 1e-9; })) return;
    if (!nacisnij("0x24") || !czekaj([&] { return w.Widok().min == -0.5; })) return;
    etap = 5;
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
    if (!nacisnij("0x11+0x43") || !czekaj([] { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; })) return;
    if (OpenClipboard(nullptr)) {
      if (IsClipboardFormatAvailable(CF_BITMAP)) tekst = SchowekTekst();
      CloseClipboard();
    }
    etap = 6;
    nacisnij("0x1B");
    if (!czekaj([&] { return !IsWindowVisible(okno.Hwnd()); })) PostMessageW(okno.Hwnd(), WM_CLOSE, 0, 0);
  });
  okno.Pokaz(nullptr);
  klawisze.join();
  EXPECT_EQ(etap, 6);
  EXPECT_EQ(tekst.rfind("Dzień\tCzas pracy [godz.]\tPołączenia [godz.]\r\n" + DataSystemowa(datetime::EncodeDate(2024, 2, 1)) +
                            "\t" + wykres::Liczba2(5, SeparatorDziesietny()) + "\t\r\n",
                        0),
            0u)
      << tekst;
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST_F(OknoStatystyki, EksportWritesEveryPagesDataWhereTheSaveDialogPoints) {
  // The save dialog is the system's, on the real disk; the files go through the memory platform
  // into the folder of the name chosen in it.
  wintest::Scratch scratch;
  p.files.AddDirectory(scratch.dir());
  TfrmStatystyka okno(z);
  okno.FormShow();
  ShowWindow(okno.Hwnd(), SW_SHOW);
  const std::string cel = scratch.dir() + "\\wybrany.csv";
  auto zapisz = [&cel](HWND dialog) {
    // The name field: the combo box of the explorer-style dialog, the edit of the old one.
    HWND pole = GetDlgItem(dialog, 0x47C);
    if (!pole) pole = GetDlgItem(dialog, 0x480);
    SetWindowTextW(pole, win::Widen(cel).c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  };
  {
    driver::Answerer dialog(L"#32770", "(żaden)", zapisz, 1);
    Kliknij(okno.Hwnd(), "cmdEksport");
    ASSERT_TRUE(dialog.WaitForCount(1));  // counted after its name was set and OK posted
  }
  const eksport::PlikiCsv oczekiwane = eksport::UtworzPliki(WczytajDaneStatystyki(z));
  EXPECT_EQ(p.files.ReadFile(scratch.dir() + "\\dni.csv"), oczekiwane.dni);
  EXPECT_EQ(p.files.ReadFile(scratch.dir() + "\\dokumenty.csv"), oczekiwane.dokumenty);
  EXPECT_EQ(p.files.ReadFile(scratch.dir() + "\\polaczenia.csv"), oczekiwane.polaczenia);
  EXPECT_FALSE(p.files.FileExists(cel));  // the name chose the folder only
  EXPECT_NE(oczekiwane.dni.find("2024-03-31;60;0;0;0\r\n"), std::string::npos);  // today last
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_EQ(p.dialogs.shown[0].text, "Zapisano pliki dni.csv, dokumenty.csv i polaczenia.csv w folderze " +
                                         scratch.dir() + ".");

  // Again into the same folder: asked first; "Nie" leaves the files as they are.
  p.files.WriteFileReplacing(scratch.dir() + "\\dni.csv", "stary");
  p.dialogs.answers = {platform::okNie};
  {
    driver::Answerer dialog(L"#32770", "(żaden)", zapisz, 1);
    Kliknij(okno.Hwnd(), "cmdEksport");
  }
  ASSERT_EQ(p.dialogs.shown.size(), 2u);
  EXPECT_EQ(p.dialogs.shown[1].text, "W folderze " + scratch.dir() +
                                         " są już pliki dni.csv, dokumenty.csv i polaczenia.csv. Czy zastąpić je nowymi?");
  EXPECT_EQ(p.files.ReadFile(scratch.dir() + "\\dni.csv"), "stary");
  // A file that cannot be written is told, with its name.
  p.files.failingWrites = {scratch.dir() + "\\dni.csv"};
  p.dialogs.answers = {platform::okTak};
  EXPECT_FALSE(okno.Eksportuj(scratch.dir()));
  EXPECT_EQ(p.dialogs.shown.back().text.rfind("Nie mogę zapisać pliku " + scratch.dir() + "\\dni.csv.", 0), 0u);
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

// --------------------------------------------------------------------------------------------
// `Kalmo.exe /eksport <folder>` beside a resident Kalmo.

namespace {

constexpr wchar_t kKluczKalmoW[] = L"Software\\Meltrax Software\\Kalmo\\2.0";
constexpr wchar_t kKluczModemuW[] = L"System\\CurrentControlSet\\Services\\Class\\Modem\\0000";

// Starts a program with its standard error stream into a file, or with no streams at all (as
// Explorer starts a program): the process, or false.
bool StartZeStrumieniem(const std::string& linia, const std::string& plikBledow, driver::Process& p) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE blad = nullptr;
  if (!plikBledow.empty()) {
    blad = CreateFileW(win::Widen(plikBledow).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (blad == INVALID_HANDLE_VALUE) return false;
  }
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdError = blad;
  PROCESS_INFORMATION pi{};
  std::wstring w = win::Widen(linia);
  const BOOL ok = CreateProcessW(nullptr, w.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  if (blad) CloseHandle(blad);
  if (!ok) return false;
  CloseHandle(pi.hThread);
  p.handle = pi.hProcess;
  p.id = pi.dwProcessId;
  return true;
}

void UstawBinarna(const wchar_t* nazwa, const std::vector<uint8_t>& b) {
  HKEY h = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kKluczKalmoW, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr);
  RegSetValueExW(h, nazwa, 0, REG_BINARY, b.data(), static_cast<DWORD>(b.size()));
  RegCloseKey(h);
}

void UstawLiczbe(const wchar_t* nazwa, DWORD v) {
  HKEY h = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kKluczKalmoW, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr);
  RegSetValueExW(h, nazwa, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
  RegCloseKey(h);
}

// Local time as a date-time double, moved back a day before 04:00 (the default rollover hour).
double DzisDniaPracy() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  const double teraz = datetime::Encode(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
  return st.wHour < 4 ? teraz - 1.0 : teraz;
}

// "MM-DD-YYYY hh:mm:ss.00" of the modem log, and YYYY-MM-DD of the files.
std::string CzasLogu(double t) {
  const datetime::Parts p = datetime::Decode(t);
  char b[40];
  std::snprintf(b, sizeof b, "%02d-%02d-%04d %02d:%02d:%02d.00", p.month, p.day, p.year, p.hour, p.minute, p.second);
  return b;
}
std::string DataPliku(double t) {
  const datetime::Parts p = datetime::Decode(t);
  char b[16];
  std::snprintf(b, sizeof b, "%04d-%02d-%02d", p.year, p.month, p.day);
  return b;
}

}  // namespace

TEST(StatystykaKalmo, EksportFromTheCommandLineWritesTheFilesBesideARunningKalmo) {
  wintest::BlokadaKluczaKalmo lock;
  ASSERT_TRUE(lock.owned());
  RegDeleteTreeW(HKEY_CURRENT_USER, kKluczKalmoW);
  wintest::Scratch scratch;
  for (const char* f : {"Kalmo.exe", "Hook.dll"})
    ASSERT_TRUE(CopyFileW(win::Widen(driver::BesideTests(f)).c_str(), win::Widen(scratch.Path(f)).c_str(), FALSE));
  const std::string kalmo = "\"" + scratch.Path("Kalmo.exe") + "\"";
  auto uruchom = [&](driver::Process& p) {
    if (!driver::Start(kalmo, p)) return static_cast<HWND>(nullptr);
    HWND h = nullptr;
    for (DWORD start = GetTickCount(); !(h = OknoGlowneProcesu(p.id)) && GetTickCount() - start < driver::Timeout();)
      Sleep(50);
    return h;
  };
  // A first run makes the settings; then today's record of 90 minutes, a saving period of an hour
  // and no idle breaks, so the running program saves nothing meanwhile.
  {
    driver::Process pierwszy;
    HWND h = uruchom(pierwszy);
    ASSERT_NE(h, nullptr);
    Sleep(500);
    PostMessageW(h, WM_COMMAND, mnuKoniec, 0);
    ASSERT_EQ(pierwszy.WaitForExit(), 0);
  }
  const double dzis = DzisDniaPracy();
  TodayRecord rekord;
  rekord.caMonitorowania = rekord.caPraca = 5400;
  rekord.dtZapisu = dzis;
  UstawBinarna(L"TodayInfo", rekord.ToBytes());
  LimitsRecord limity = LimitsRecord::Domyslne();
  limity.CzestotliwoscZapisywania = 3600;
  UstawBinarna(L"Ustawienia", limity.ToBytes());
  UstawLiczbe(L"CzasBezczynnosci", 0);

  // Two archived days, two documents, a modem logging into the Windows folder's "ModemLog.txt"
  // (where Kalmo points every modem): a connection of an earlier day not yet counted, one of today.
  const std::string uzytkownik = NazwaUzytkownikaPlikow().empty() ? "All" : NazwaUzytkownikaPlikow();
  const double d3 = std::floor(dzis) - 3, d2 = std::floor(dzis) - 2;
  const std::string archiwum = Bajty({ArchiveRecord{d3 + 0.75, 7 * 3600 + 40 * 60 + 29, 0, 0, 0},
                                      ArchiveRecord{d2 + 0.75, 29, 90, 2, 2}});
  scratch.Put(uzytkownik + "_arch.dat", archiwum);
  std::string dokumenty;
  for (const DocumentRecord& r : {DocumentRecord{"Word - Raport końcowy.doc", 3600, d3 + 0.6},
                                  DocumentRecord{"=SUM(A1)", 90, 0}}) {
    const auto b = r.ToBytes();
    dokumenty.append(b.begin(), b.end());
  }
  scratch.Put(uzytkownik + "_dok.dat", dokumenty);
  HKEY modem = nullptr;
  const bool byloModemow = RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\Class\\Modem", 0,
                                         KEY_READ, &modem) == ERROR_SUCCESS;
  if (modem) RegCloseKey(modem);
  ASSERT_FALSE(byloModemow) << "this Windows has modems of its own";
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKluczModemuW, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &modem, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(modem);
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::string log = win::Narrow(windows) + "\\ModemLog.txt";
  const std::string tresc = CzasLogu(d2 + 10 / 24.0) + " - Connection established\r\n" +
                            CzasLogu(d2 + 10 / 24.0 + 180 / 86400.0) + " - Hanging up the modem\r\n" +
                            CzasLogu(std::floor(dzis) + 10 / 24.0) + " - Connection established\r\n" +
                            CzasLogu(std::floor(dzis) + 10 / 24.0 + 60 / 86400.0) + " - Hanging up the modem\r\n";
  {
    HANDLE f = CreateFileW(win::Widen(log).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    WriteFile(f, tresc.data(), static_cast<DWORD>(tresc.size()), &n, nullptr);
    CloseHandle(f);
  }

  driver::Process rezydent;
  HWND glowne = uruchom(rezydent);
  ASSERT_NE(glowne, nullptr);
  // The window can be found before the start has pointed the modem at the log: wait for that.
  auto sciezkaLogu = [] {
    wchar_t v[MAX_PATH] = L"";
    DWORD n = sizeof v;
    return RegGetValueW(HKEY_LOCAL_MACHINE, kKluczModemuW, L"LoggingPath", RRF_RT_REG_SZ, nullptr, v, &n) ==
                   ERROR_SUCCESS
               ? win::Narrow(v)
               : std::string();
  };
  for (DWORD start = GetTickCount(); sciezkaLogu().empty() && GetTickCount() - start < driver::Timeout();) Sleep(50);
  ASSERT_EQ(sciezkaLogu(), log);
  driver::Process eksport;
  ASSERT_TRUE(StartZeStrumieniem(kalmo + " /eksport \"" + scratch.Path("Moje dane") + "\"", scratch.Path("bledy.txt"),
                                 eksport));
  EXPECT_EQ(eksport.WaitForExit(), 0) << wintest::Scratch::Get(scratch.Path("bledy.txt"));
  EXPECT_EQ(wintest::Scratch::Get(scratch.Path("bledy.txt")), "");

  const std::string bom = "\xEF\xBB\xBF";
  EXPECT_EQ(wintest::Scratch::Get(scratch.Path("Moje dane\\dni.csv")),
            bom + "data;praca_min;polaczenia;polaczenia_min;jednostki\r\n" + DataPliku(d3) + ";460;0;0;0\r\n" +
                DataPliku(d2) + ";0;3;5;4\r\n" + DataPliku(dzis) + ";90;1;1;1\r\n");
  EXPECT_EQ(wintest::Scratch::Get(scratch.Path("Moje dane\\dokumenty.csv")),
            bom + "dokument;czas_min;ostatnio\r\nWord - Raport końcowy.doc;60;" + DataPliku(d3) +
                "\r\n'=SUM(A1);2;\r\n");
  EXPECT_EQ(wintest::Scratch::Get(scratch.Path("Moje dane\\polaczenia.csv")),
            bom + "data;polaczenia;polaczenia_min;jednostki\r\n" + DataPliku(d2) + ";3;5;4\r\n");
  // The resident one runs on alone, its files as they were.
  EXPECT_EQ(OknoGlowneProcesu(rezydent.id), glowne);
  EXPECT_EQ(FindWindowExW(nullptr, glowne, L"TfrmGlowna", nullptr), nullptr);
  EXPECT_EQ(wintest::Scratch::Get(scratch.Path(uzytkownik + "_arch.dat")), archiwum);
  EXPECT_EQ(wintest::Scratch::Get(log), tresc);

  // Failures: the reason on the error stream and the exit code; without streams, a message box.
  driver::Process zly;
  ASSERT_TRUE(StartZeStrumieniem(kalmo + " /eksport \"" + scratch.Path("nie\\ma") + "\"", scratch.Path("bledy.txt"), zly));
  EXPECT_EQ(zly.WaitForExit(), 3);
  EXPECT_EQ(wintest::Scratch::Get(scratch.Path("bledy.txt")),
            "Kalmo /eksport: Nie mogę utworzyć folderu: " + scratch.Path("nie\\ma") + "\r\n");
  driver::Process bezFolderu;
  std::string okienko;
  {
    driver::Answerer ok(L"#32770", "OK", [&](HWND d) { okienko = driver::ReadText(driver::FindChildById(d, 0xFFFF)); }, 1,
                        driver::kAnyProcess);
    ASSERT_TRUE(StartZeStrumieniem(kalmo + " /EKSPORT", "", bezFolderu));
    EXPECT_EQ(bezFolderu.WaitForExit(), 1);
    ASSERT_EQ(ok.Count(), 1);
    EXPECT_EQ(ok.Seen()[0].caption, "Kalmo");
  }
  EXPECT_NE(okienko.find("Podaj folder"), std::string::npos) << okienko;

  PostMessageW(glowne, WM_COMMAND, mnuKoniec, 0);
  EXPECT_EQ(rezydent.WaitForExit(), 0);
  DeleteFileW(win::Widen(log).c_str());
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\Class\\Modem");
  RegDeleteTreeW(HKEY_CURRENT_USER, kKluczKalmoW);
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Meltrax Software\\Kalmo");
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Meltrax Software");
}
