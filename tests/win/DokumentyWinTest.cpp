// Document monitoring with real top-level windows and real files under Wine: a document window
// gains time in "_dok.dat", the question appears after the delay, the document list shows the
// document and switches it off; a list file held open by another program is never overwritten;
// torn data files keep their whole records; titles beyond Windows-1250 stay one document each.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

#include "base/Cp1250.h"
#include "common/Komunika.h"
#include "common/WinTools.h"
#include "common/win32/Window.h"
#include "common/win32/Win32Dialogs.h"
#include "documents/ListaDokumentow.h"
#include "documents/win32/CzyMonitorowac.h"
#include "documents/win32/ListaDokumentow.h"
#include "platform/memory/Memory.h"
#include "settings/Globalne.h"
#include "settings/Komunikaty.h"
#include "tests/win/Driver.h"
#include "tests/win/WinTestSupport.h"
#include "tests/win/ZmianaDpi.h"
#include "worktime/InfoSaver.h"

using platform::memory::MakeDateTime;

template <class R>
std::string Bajty(const R& r) {
  const std::vector<uint8_t> b = r.ToBytes();
  return std::string(b.begin(), b.end());
}

namespace {

// The main window's part: the question window and the release messages it is sent.
class Glowne {
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
  ~Glowne() {
    pytanie.reset();
    DestroyWindow(hwnd);
  }
  void AskWhetherToMonitor(const std::string& tytul) {
    ::AskWhetherToMonitor(pytanie, ZrodloDokumentowZ(*dokumenty, [] { return std::string("-["); }).odpowiedz, hwnd, tytul);
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
    }
    return *konto;
  }
  void Tyknij(int ile) {
    for (int i = 0; i < ile; ++i) {
      zegar.Advance(10);
      for (const std::string& t : Konto().ZwiekszWskazniki(zegar.Now(), "-[").pytania) glowne.AskWhetherToMonitor(t);
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
  TfrmListaDokumentow lista(ZrodloDokumentowZ(Konto().Dokumenty(), [] { return std::string("-["); }), glowne.hwnd);
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
  // On a monitor of 150 %: the proposed rectangle, the buttons and the list's font grow with it.
  const int czcionka = wintest::WysokoscCzcionki(lista.lstDokumenty());
  const int przycisk = wintest::Szerokosc(lista.cmdMonitorujDokument());
  const RECT propozycja = wintest::ZmienDpi(lista.Hwnd(), 96, 144);
  const RECT poZmianie = wintest::Prostokat(lista.Hwnd());
  EXPECT_TRUE(EqualRect(&poZmianie, &propozycja));
  EXPECT_EQ(wintest::WysokoscCzcionki(lista.lstDokumenty()), czcionka * 3 / 2);
  EXPECT_NEAR(wintest::Szerokosc(lista.cmdMonitorujDokument()), przycisk * 3 / 2, 2);
  EXPECT_FALSE(Konto().IsMonitoredDocument("Word - Raport.doc"));
  EXPECT_TRUE(Konto().IsDeclinedDocument("Word - Raport.doc"));
  EXPECT_TRUE(ZPliku().empty());
  // The full view with the toggle down; Escape closes the list.
  SendMessageW(lista.cmdWyswietlTylkoUruchomione(), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(lista.cmdWyswietlTylkoUruchomione(), BM_GETCHECK, 0, 0), BST_CHECKED);
  pozycje = lista.Pozycje();
  EXPECT_NE(std::find(pozycje.begin(), pozycje.end(), "@ Word - Raport.doc"), pozycje.end());
  // Escape, as the main loop hands it to the dialog keys of the window in front.
  MSG escape{lista.lstDokumenty(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_TRUE(IsDialogMessageW(lista.Hwnd(), &escape));
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

TEST_F(DokumentyNaWindows, TornDataFilesKeepTheirWholeRecordsAndAreToldOnce) {
  // Both files end in a record cut short by an interrupted write.
  const std::string dok =
      Bajty(DocumentRecord{"Word - a.doc", 300, 45000}) + Bajty(DocumentRecord{"Word - b.doc", 600, 45001});
  scratch.Put("Test_dok.dat", dok + dok.substr(0, 50));
  ArchiveRecord d1, d2;
  d1.Date = MakeDateTime(2025, 3, 9, 17, 0);
  d1.WorkSeconds = 3600;
  d2.Date = MakeDateTime(2025, 3, 10, 17, 0);
  d2.WorkSeconds = 7200;
  const std::string arch = Bajty(d1) + Bajty(d2);
  scratch.Put("Test_arch.dat", arch + arch.substr(0, 10));
  // Yesterday's counters are still stored: the start archives that day over the torn tail.
  TodayRecord wczoraj;
  wczoraj.caPraca = 5400;
  wczoraj.dtZapisu = MakeDateTime(2025, 3, 11, 18, 0);
  rejestr.WriteBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::TodayInfo, wczoraj.ToBytes());
  rejestr.WriteBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::Ustawienia,
                      LimitsRecord::Domyslne().ToBytes());
  OknoDokumentu word(L"Word - b.doc");

  Konto();
  Tyknij(24);  // the list and the day are saved on the way
  Konto().Dokumenty().ZapiszDokumenty();
  const auto& shown = wintest::Dialogs().shown;
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].place, "TInfoSaver.AppendDayToArchive");
  EXPECT_EQ(shown[0].text, "Plik archiwum " + pliki.archiwum +
                               " kończy się niepełnym zapisem dnia (bajtów: 10), który pominięto. "
                               "Zachowane pełne dni: 2.");
  EXPECT_EQ(shown[1].place, "TInfoSaver.Create");
  EXPECT_EQ(shown[1].text, "LoadFromFile: Błąd w czasie wczytywania listy. Plik " + pliki.dokumenty +
                               " kończy się niepełnym zapisem dokumentu (bajtów: 50), który pominięto. "
                               "Zachowane pełne zapisy: 2.");
  const auto dokumenty = ZPliku();
  ASSERT_EQ(wintest::Scratch::Get(pliki.dokumenty).size(), 2u * 136);
  EXPECT_EQ(dokumenty[0].Seconds, 300);
  EXPECT_EQ(dokumenty[1].Seconds, 600 + 240);
  std::string naDysku = wintest::Scratch::Get(pliki.archiwum);
  ASSERT_EQ(naDysku.size(), 3u * 24);
  EXPECT_EQ(naDysku.substr(0, 48), arch);
  const ArchiveRecord d3 =
      ArchiveRecord::FromBytes(std::vector<uint8_t>(naDysku.begin() + 48, naDysku.end()));
  EXPECT_EQ(d3.Date, wczoraj.dtZapisu);
  EXPECT_EQ(d3.WorkSeconds, 5400);

  // A new tear: the statistics' readers keep every day, leave the file as it is, and tell once.
  naDysku += "12345";
  scratch.Put("Test_arch.dat", naDysku);
  for (int i = 0; i < 3; ++i) {
    const auto dni = PrzepiszPlikArchiwum(pliki.archiwum, Konto().TerazDniaPracy(), 60, nullptr);
    ASSERT_EQ(dni.size(), 4u);
    EXPECT_EQ(dni[2].WorkSeconds, 5400);
    const MonthGrid g = WczytajCzasyPracyDlaMiesiaca(pliki.archiwum, d1.Date, Konto().TerazDniaPracy(), 60);
    EXPECT_EQ(g.cells[g.offset + 9 - 1].seconds, 3600);
    EXPECT_EQ(g.cells[g.offset + 11 - 1].seconds, 5400);
  }
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[2].place, "TfrmStatystyka.PrzepiszPlikArchiwum");
  EXPECT_NE(shown[2].text.find("(bajtów: 5), który pominięto. Zachowane pełne dni: 3."), std::string::npos);
  EXPECT_EQ(wintest::Scratch::Get(pliki.archiwum), naDysku);
}

TEST_F(DokumentyNaWindows, TitlesBeyondTheCodePageAreOneDocumentInWholeRecords) {
  // Han, an emoji (a surrogate pair), and ü ß – which the code page has.
  const std::string zapisany = "Word - Dokument ?? ? ü ß – Edytor";
  auto okno = std::make_unique<OknoDokumentu>(L"Word - Dokument \u6F22\u5B57 \U0001F600 \u00FC \u00DF \u2013 Edytor");
  Tyknij(8);
  ASSERT_TRUE(glowne.pytanie && glowne.pytanie->Hwnd());
  EXPECT_EQ(win::GetText(glowne.pytanie->labDokument()), "Word - Dokument 漢字 😀 ü ß – Edytor");
  SendMessageW(glowne.pytanie->cmdTak(), BM_CLICK, 0, 0);
  Glowne::Pompuj();
  ASSERT_EQ(Konto().Organizator().Count(), 1);
  EXPECT_EQ(Konto().Organizator().Get(0).Name, zapisany);
  Tyknij(12);
  EXPECT_EQ(Konto().Organizator().Get(0).Seconds, 120);
  // Other characters the code page lacks at the same places: the same document, not offered again.
  okno = std::make_unique<OknoDokumentu>(L"Word - Dokument \u5B57\u6F22 \U0001F642 \u00FC \u00DF \u2013 Edytor");
  Tyknij(6);
  EXPECT_EQ(Konto().Organizator().Get(0).Seconds, 180);
  EXPECT_TRUE(Konto().ListaTymczasowa().empty());

  // Cyrillic: offered under its own title, stored as the code page holds it; a title of other
  // Cyrillic letters of the same length is then the same document.
  okno = std::make_unique<OknoDokumentu>(L"Word - \u041E\u0442\u0447\u0451\u0442.doc");
  Tyknij(1);
  ASSERT_EQ(Konto().ListaTymczasowa(), TStringList{"     0Word - Отчёт.doc"});
  Konto().DodajMonitorwanyDokument("Word - Отчёт.doc");
  okno = std::make_unique<OknoDokumentu>(L"Word - \u041E\u0442\u0432\u0435\u0442.doc");
  Tyknij(3);
  ASSERT_EQ(Konto().Organizator().Count(), 2);
  EXPECT_EQ(Konto().Organizator().Get(1).Name, "Word - ?????.doc");
  EXPECT_EQ(Konto().Organizator().Get(1).Seconds, 30);
  EXPECT_TRUE(Konto().ListaTymczasowa().empty());

  // A lone surrogate comes as the replacement character; declined, it stays declined.
  okno = std::make_unique<OknoDokumentu>(L"Word - z\xD800y.doc");
  Tyknij(1);
  ASSERT_EQ(Konto().ListaTymczasowa().size(), 1u) << Tytuly();
  const std::string zSurogatem = Konto().ListaTymczasowa()[0].substr(6);
  EXPECT_EQ(cp1250::FromUtf8(zSurogatem), "Word - z?y.doc");
  Konto().UsunzListyTymczasowychDokumentow(zSurogatem);
  Konto().AddDeclinedDocument(zSurogatem);
  Tyknij(3);
  EXPECT_TRUE(Konto().ListaTymczasowa().empty());
  EXPECT_EQ(wintest::Scratch::Get(pliki.zastrzezone), "Word - z?y.doc\r\n");
  okno.reset();

  // Saved and read back: whole records holding what the code page can, the time kept.
  Konto().Dokumenty().ZapiszDokumenty();
  EXPECT_EQ(wintest::Scratch::Get(pliki.dokumenty).size(), 2u * 136);
  konto.reset();
  ASSERT_EQ(Konto().Organizator().Count(), 2);
  EXPECT_EQ(Konto().Organizator().Get(0).Name, zapisany);
  EXPECT_EQ(Konto().Organizator().Get(0).Seconds, 180);
  EXPECT_EQ(Konto().Organizator().Get(1).Name, "Word - ?????.doc");
  EXPECT_FALSE(Konto().IsMonitoredDocument("Word - Dokument 字 漢 ü ß – Edytor"));
  EXPECT_TRUE(Konto().IsMonitoredDocument("Word - Dokument 字漢 ✓ ü ß – Edytor"));
  EXPECT_TRUE(Konto().IsDeclinedDocument("Word - z\uFFFDy.doc"));
  EXPECT_TRUE(wintest::Dialogs().shown.empty()) << wintest::Dialogs().shown[0].text;
}

namespace {

// Refuses the creation of windows of one class on this thread while it exists.
class OdmowaOkna {
 public:
  explicit OdmowaOkna(const wchar_t* klasa) {
    klasa_ = klasa;
    hak_ = SetWindowsHookExW(WH_CBT, Hak, nullptr, GetCurrentThreadId());
  }
  ~OdmowaOkna() { UnhookWindowsHookEx(hak_); }

 private:
  static LRESULT CALLBACK Hak(int kod, WPARAM wp, LPARAM lp) {
    if (kod == HCBT_CREATEWND) {
      const wchar_t* k = reinterpret_cast<CBT_CREATEWNDW*>(lp)->lpcs->lpszClass;
      if (!IS_INTRESOURCE(k) && lstrcmpiW(k, klasa_) == 0) return 1;
    }
    return CallNextHookEx(nullptr, kod, wp, lp);
  }
  static inline const wchar_t* klasa_ = nullptr;
  HHOOK hak_ = nullptr;
};

// The main loop of the program: the dialog keys of the active window first.
template <class F>
void PetlaDo(F&& koniec) {
  for (DWORD start = GetTickCount(); !koniec() && GetTickCount() - start < driver::Timeout(); Sleep(10)) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      HWND aktywne = GetActiveWindow();
      if (aktywne && (GetWindowLongPtrW(aktywne, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && IsDialogMessageW(aktywne, &m))
        continue;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
}

bool Nacisnij(const std::string& klawisze) {
  driver::Process p;
  return driver::Start("\"" + driver::BesideTests("SendKeys.exe") + "\" " + klawisze, p) && p.WaitForExit() == 0;
}

}  // namespace

TEST_F(DokumentyNaWindows, AWindowThatCannotBeMadeIsReleasedAtOnceSoItsMenuItemComesBack) {
  Konto();
  {
    OdmowaOkna odmowa(L"TfrmListaDokumentow");
    TfrmListaDokumentow lista(ZrodloDokumentowZ(Konto().Dokumenty(), [] { return std::string("-["); }), glowne.hwnd);
    EXPECT_EQ(lista.Hwnd(), nullptr);
    lista.Pokaz();  // nothing to show, nothing breaks
  }
  {
    OdmowaOkna odmowa(L"TfrmCzyMonitorowac");
    glowne.AskWhetherToMonitor("Word - a.doc");
  }
  Glowne::Pompuj();
  EXPECT_EQ(glowne.zwolnienia,
            (std::vector<LPARAM>{KodOkna(Okno::ListaDokumentow), KodOkna(Okno::CzyMonitorowac)}));
}

TEST_F(DokumentyNaWindows, EscAnsweringNieToTheSwitchOffQuestionLeavesTheListOpen) {
  // Real keys from another program and the real question dialog, in the program's main loop.
  OknoDokumentu word(L"Word - Raport.doc");
  Konto().DodajMonitorwanyDokument("Word - Raport.doc");
  platform::Dialogs* nagrywane = platform::Current().dialogs;
  platform::Current().dialogs = &RealDialogs();
  TfrmListaDokumentow lista(ZrodloDokumentowZ(Konto().Dokumenty(), [] { return std::string("-["); }), glowne.hwnd);
  lista.Pokaz();
  const TStringList pozycje = lista.Pozycje();
  const auto it = std::find(pozycje.begin(), pozycje.end(), "@#Word - Raport.doc");
  ASSERT_NE(it, pozycje.end()) << testing::PrintToString(pozycje);
  SendMessageW(lista.lstDokumenty(), LB_SETCURSEL, static_cast<WPARAM>(it - pozycje.begin()), 0);
  SetFocus(lista.cmdMonitorujDokument());
  std::atomic<int> etap{0};
  std::thread klawisze([&] {
    if (!Nacisnij("0x20")) return;  // the space bar presses the focused button: the question
    if (!driver::WaitForWindow(L"TfrmKomunikat")) return;
    etap = 1;
    if (!Nacisnij("0x1B")) return;  // Esc: "Nie"
    for (DWORD start = GetTickCount(); driver::FindWindowOf(L"TfrmKomunikat") && GetTickCount() - start < driver::Timeout();)
      Sleep(20);
    Sleep(300);  // the key's release and whatever follows it reach the list
    etap = 2;
  });
  PetlaDo([&] { return etap == 2; });
  klawisze.join();
  platform::Current().dialogs = nagrywane;
  EXPECT_EQ(etap, 2);
  EXPECT_TRUE(IsWindowVisible(lista.Hwnd()));
  Glowne::Pompuj();
  EXPECT_TRUE(glowne.zwolnienia.empty());
  EXPECT_TRUE(Konto().IsMonitoredDocument("Word - Raport.doc"));
  EXPECT_EQ(lista.Pozycje()[it - pozycje.begin()], "@#Word - Raport.doc");
}
