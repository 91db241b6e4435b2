// Document monitoring with real top-level windows and real files under Wine: a document window
// gains time in "_dok.dat", the question appears after the delay, the document list shows the
// document and switches it off; a list file held open by another program is never overwritten.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "common/Komunika.h"
#include "common/WinTools.h"
#include "common/win32/Window.h"
#include "documents/ListaDokumentow.h"
#include "documents/win32/CzyMonitorowac.h"
#include "documents/win32/ListaDokumentow.h"
#include "platform/memory/Memory.h"
#include "settings/Globalne.h"
#include "settings/Komunikaty.h"
#include "tests/win/WinTestSupport.h"
#include "worktime/InfoSaver.h"

using platform::memory::MakeDateTime;

namespace {

// The main window's part: the question window and the release messages it is sent.
class Glowne : public KontekstDokumentow {
 public:
  Glowne() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KalmoTestGlowneDokumentow";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetPropW(hwnd, L"Glowne", this);
  }
  ~Glowne() override {
    pytanie.reset();
    DestroyWindow(hwnd);
  }
  std::string ZnakiFiltrujace() override { return "-["; }
  void AskWhetherToMonitor(const std::string& tytul) override {
    ::AskWhetherToMonitor(pytanie, *dokumenty, hwnd, tytul);
  }
  static void Pompuj() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  HWND hwnd = nullptr;
  TDokumenty* dokumenty = nullptr;
  std::unique_ptr<TfrmCzyMonitorowac> pytanie;
  std::vector<LPARAM> zwolnienia;

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_FREE_FORM)
      if (auto* g = static_cast<Glowne*>(GetPropW(h, L"Glowne"))) g->zwolnienia.push_back(lp);
    return DefWindowProcW(h, msg, wp, lp);
  }
};

// A real top-level window of a "word processor".
class OknoDokumentu {
 public:
  explicit OknoDokumentu(const wchar_t* tytul) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KalmoTestEdytor";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, tytul, WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                           wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  }
  ~OknoDokumentu() { DestroyWindow(hwnd); }
  HWND hwnd = nullptr;
};

// The real desktop and files, with the settings and the clock in memory (the program's own
// settings key is left alone and the ticks need not wait).
class DokumentyNaWindows : public testing::Test {
 protected:
  void SetUp() override {
    platform::Services s = platform::Current();
    s.registry = &rejestr;
    s.clock = &zegar;
    poprzednie = platform::Install(s);
    rejestr.CreateKey(platform::Root::CurrentUser, kKluczKalmo);
    zegar.now = MakeDateTime(2025, 3, 12, 10, 0, 0);
    pliki = UtworzNazwyPlikow(scratch.dir(), "Test");
  }
  void TearDown() override {
    konto.reset();
    Glowne::Pompuj();
    platform::Install(poprzednie);
  }
  TInfoSaver& Konto() {
    if (!konto) {
      konto = std::make_unique<TInfoSaver>(pliki, nullptr);
      LimitsRecord l = konto->DajLimity();
      l.Programy = "Word";
      l.CzasPytania = 1;
      konto->UstawLimity(l);
      glowne.dokumenty = &konto->Dokumenty();
      konto->UstawKontekstDokumentow(&glowne);
    }
    return *konto;
  }
  void Tyknij(int ile) {
    for (int i = 0; i < ile; ++i) {
      zegar.Advance(10);
      Konto().ZwiekszWskazniki();
    }
  }
  static std::string Tytuly() {
    TStringList t;
    ListFilteredWindowTitles(t, "-[");
    return testing::PrintToString(t);
  }
  std::vector<DocumentRecord> ZPliku() {
    std::vector<DocumentRecord> out;
    const std::string b = wintest::Scratch::Get(pliki.dokumenty);
    for (size_t i = 0; i + 136 <= b.size(); i += 136)
      out.push_back(DocumentRecord::FromBytes(std::vector<uint8_t>(b.begin() + i, b.begin() + i + 136)));
    return out;
  }

  wintest::Scratch scratch;
  platform::memory::MemoryRegistry rejestr;
  platform::memory::FakeClock zegar;
  platform::Services poprzednie;
  PlikiDanych pliki;
  Glowne glowne;
  std::unique_ptr<TInfoSaver> konto;
};

}  // namespace

TEST_F(DokumentyNaWindows, AWordWindowIsAskedAboutMonitoredListedAndSwitchedOff) {
  OknoDokumentu word(L"Word - Raport.doc");
  Tyknij(7);  // a candidate from the first tick, 60 s after the seventh: not yet past the delay
  EXPECT_FALSE(glowne.pytanie);
  Tyknij(1);
  ASSERT_TRUE(glowne.pytanie && glowne.pytanie->Hwnd()) << testing::PrintToString(Konto().ListaTymczasowa()) << Tytuly() << testing::PrintToString(Konto().ListaOdrzuconych());
  HWND pytanie = glowne.pytanie->Hwnd();
  EXPECT_TRUE(IsWindowVisible(pytanie));
  EXPECT_EQ(win::GetText(pytanie), "Czy monitorować");
  EXPECT_EQ(win::GetText(glowne.pytanie->labDokument()), "Word - Raport.doc");
  EXPECT_EQ(win::GetText(win::FindControl(pytanie, "Label1")), "Czy monitorować poniższy dokument?");
  SendMessageW(glowne.pytanie->cmdTak(), BM_CLICK, 0, 0);
  Glowne::Pompuj();
  EXPECT_EQ(glowne.zwolnienia, std::vector<LPARAM>{KodOkna(Okno::CzyMonitorowac)});
  EXPECT_TRUE(Konto().IsMonitoredDocument("Word - Raport.doc"));
  EXPECT_TRUE(Konto().ListaTymczasowa().empty());

  Tyknij(12);  // two minutes of work
  Konto().Dokumenty().ZapiszDokumenty();  // as the periodic save does
  auto zapisane = ZPliku();
  ASSERT_EQ(zapisane.size(), 1u);
  EXPECT_EQ(zapisane[0].Name, "Word - Raport.doc");
  EXPECT_EQ(zapisane[0].Seconds, 120);
  EXPECT_EQ(zapisane[0].LastSeen, Konto().Organizator().Get(0).LastSeen);

  // The list shows the open, monitored document and switches it off after the warning.
  TfrmListaDokumentow lista(Konto().Dokumenty(), "-[", glowne.hwnd);
  lista.Pokaz();
  EXPECT_EQ(win::GetText(lista.Hwnd()), "Lista monitorowanych dokumentów");
  TStringList pozycje = lista.Pozycje();
  const auto it = std::find(pozycje.begin(), pozycje.end(), "@#Word - Raport.doc");
  ASSERT_NE(it, pozycje.end()) << testing::PrintToString(pozycje);
  const int i = static_cast<int>(it - pozycje.begin());
  SendMessageW(lista.lstDokumenty(), LB_SETCURSEL, i, 0);
  wintest::Dialogs().answers = {okTak};
  SendMessageW(lista.cmdMonitorujDokument(), BM_CLICK, 0, 0);
  EXPECT_EQ(wintest::Dialogs().shown.back().text, kPytanieOWylaczenie);
  EXPECT_EQ(lista.Pozycje()[i], "@ Word - Raport.doc");
  EXPECT_FALSE(Konto().IsMonitoredDocument("Word - Raport.doc"));
  EXPECT_TRUE(Konto().IsDeclinedDocument("Word - Raport.doc"));
  EXPECT_TRUE(ZPliku().empty());
  // The full view with the toggle down; Escape closes the list.
  SendMessageW(lista.cmdWyswietlTylkoUruchomione(), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(lista.cmdWyswietlTylkoUruchomione(), BM_GETCHECK, 0, 0), BST_CHECKED);
  pozycje = lista.Pozycje();
  EXPECT_NE(std::find(pozycje.begin(), pozycje.end(), "@ Word - Raport.doc"), pozycje.end());
  SendMessageW(lista.lstDokumenty(), WM_KEYUP, VK_ESCAPE, 0);
  Glowne::Pompuj();
  EXPECT_FALSE(IsWindowVisible(lista.Hwnd()));
  EXPECT_EQ(glowne.zwolnienia.back(), KodOkna(Okno::ListaDokumentow));
}

TEST_F(DokumentyNaWindows, AListFileHeldOpenByAnotherProgramIsNeverOverwritten) {
  const DocumentRecord stary{"Word - stary.doc", 500, 45000};
  const auto b = stary.ToBytes();
  scratch.Put("Test_dok.dat", std::string(b.begin(), b.end()));
  scratch.Put("Test_zast.dat", "Word - odrzucony.doc\r\n");
  HANDLE dok = CreateFileW(win::Widen(pliki.dokumenty).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE zast = CreateFileW(win::Widen(pliki.zastrzezone).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(dok, INVALID_HANDLE_VALUE);
  ASSERT_NE(zast, INVALID_HANDLE_VALUE);
  OknoDokumentu word(L"Word - nowy.doc");
  Konto();
  ASSERT_EQ(wintest::Dialogs().shown.size(), 2u);  // each list reported once
  Konto().DodajMonitorwanyDokument("Word - nowy.doc");
  Konto().AddDeclinedDocument("Word - inny.doc");
  Tyknij(24);
  EXPECT_EQ(wintest::Dialogs().shown.size(), 2u);
  CloseHandle(dok);
  CloseHandle(zast);
  EXPECT_EQ(wintest::Scratch::Get(pliki.dokumenty), std::string(b.begin(), b.end()));
  EXPECT_EQ(wintest::Scratch::Get(pliki.zastrzezone), "Word - odrzucony.doc\r\n");
  // Readable again: read first, then saved with both documents.
  Tyknij(12);
  const auto zapisane = ZPliku();
  ASSERT_EQ(zapisane.size(), 2u);
  EXPECT_EQ(zapisane[0].Seconds, 500);
  EXPECT_EQ(zapisane[1].Name, "Word - nowy.doc");
  Konto().AddDeclinedDocument("Word - trzeci.doc");
  EXPECT_EQ(wintest::Scratch::Get(pliki.zastrzezone),
            "Word - odrzucony.doc\r\nWord - inny.doc\r\nWord - trzeci.doc\r\n");
}
