// The temporary-file cleanup on real files under Wine: the deletion thread, links of the host file
// system, the chronicle window and the two small dialogs.
//
// Every test here that deletes runs only inside the sandboxed prefix of tools/wine-env.sh, in a
// scratch folder of its own under drive_c, and first checks that no link under drive_c leads out
// of the prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/win32/Glowna.h"
#include "cleanup/Kronika.h"
#include "cleanup/UsuwaniePlikow.h"
#include "cleanup/win32/CzasOprozniania.h"
#include "cleanup/win32/DeleteTempFileThread.h"
#include "cleanup/win32/KronikaUsuwanychPlikow.h"
#include "cleanup/win32/RodzajPliku.h"
#include "common/Dyskowe.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"
#include "settings/Globalne.h"
#include "settings/Komunikaty.h"
#include "tests/win/BlokadaKluczaKalmo.h"
#include "tests/win/Driver.h"
#include "tests/win/WinTestSupport.h"

using platform::win32::Narrow;
using platform::win32::Widen;

namespace {

constexpr UINT kEtykieta = WM_APP + 3, kZgloszenie = WM_APP + 4, kKoniec = WM_APP + 2;

std::string Env(const wchar_t* name) {
  wchar_t buffer[2048];
  DWORD n = GetEnvironmentVariableW(name, buffer, 2048);
  return n && n < 2048 ? Narrow(buffer, n) : std::string();
}

bool Zaczyna(const std::wstring& s, const std::wstring& p) {
  return s.size() >= p.size() && CompareStringOrdinal(s.c_str(), static_cast<int>(p.size()), p.c_str(),
                                                      static_cast<int>(p.size()), TRUE) == CSTR_EQUAL;
}

std::wstring Koncowa(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, 7, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  wchar_t b[2048];
  DWORD n = GetFinalPathNameByHandleW(h, b, 2048, 0);
  CloseHandle(h);
  std::wstring f = n && n < 2048 ? std::wstring(b, n) : std::wstring();
  return Zaczyna(f, L"\\\\?\\") ? f.substr(4) : f;
}

// Every entry under dir whose final path differs from its own is a link; it must stay on C: (the
// prefix's drive_c) or inside the prefix seen through Z:. Links are not descended into.
void SzukajLinkow(const std::wstring& dir, const std::wstring& prefiks, std::vector<std::string>& zle) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = dir + L"\\" + name;
    const std::wstring final = Koncowa(path);
    const bool link = (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || final.empty() ||
                      CompareStringOrdinal(final.c_str(), -1, path.c_str(), -1, TRUE) != CSTR_EQUAL;
    if (link) {
      if (!(Zaczyna(final, L"C:\\") || Zaczyna(final, prefiks + L"\\")))
        zle.push_back(Narrow(path) + " -> " + Narrow(final));
      continue;
    }
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) SzukajLinkow(path, prefiks, zle);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
}

// Empty when the prefix is sandboxed; otherwise what is wrong.
std::string SprawdzPiaskownice() {
  const std::string prefix = Env(L"WINEPREFIX");
  if (prefix.empty() || prefix[0] != '/') return "WINEPREFIX is not set: not inside the sandboxed Wine prefix";
  std::wstring z = L"Z:" + Widen(prefix);
  for (wchar_t& c : z)
    if (c == L'/') c = L'\\';
  while (z.size() > 3 && z.back() == L'\\') z.pop_back();
  std::vector<std::string> zle;
  SzukajLinkow(z + L"\\drive_c", z, zle);
  std::string opis;
  for (const std::string& s : zle) opis += s + "\n";
  return opis;
}

void PostarzDokladny(const std::wstring& exact, int dni) {
  FILETIME teraz;
  GetSystemTimeAsFileTime(&teraz);
  ULARGE_INTEGER u{{teraz.dwLowDateTime, teraz.dwHighDateTime}};
  u.QuadPart -= static_cast<ULONGLONG>(dni) * 24 * 3600 * 10000000ULL;
  FILETIME t{u.LowPart, u.HighPart};
  HANDLE h = CreateFileW(exact.c_str(), FILE_WRITE_ATTRIBUTES, 7, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << Narrow(exact);
  SetFileTime(h, &t, nullptr, &t);
  CloseHandle(h);
}

void Postarz(const std::string& path, int dni) { PostarzDokladny(Widen(path), dni); }

bool Jest(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Dzis() {
  wchar_t b[80];
  int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, b, 80);
  return n > 1 ? Narrow(b, n - 1) : std::string();
}

const wchar_t kKluczW[] = L"Software\\Meltrax Software\\Kalmo\\2.0";

struct CleanupWin : ::testing::Test {
  wintest::BlokadaKluczaKalmo blokada;
  wintest::Scratch s;
  HWND odbiorca = nullptr;
  std::string regul, kroniki;
  std::vector<std::string> linki;
  bool Link(const std::string& cel, const std::string& link) {
    linki.push_back(link);
    return wintest::LinkHosta(cel, link);
  }

  void SetUp() override {
    const std::string piaskownica = SprawdzPiaskownice();
    ASSERT_EQ(piaskownica, "") << "refusing to delete anything";
    ASSERT_TRUE(blokada.owned());
    RegDeleteTreeW(HKEY_CURRENT_USER, kKluczW);
    odbiorca = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    regul = s.Path("jan_pltym.dat");
    kroniki = s.Path("jan_kronup.dat");
    Opcje(true, 0);
  }
  void TearDown() override {
    // The links go first, by the host's rm: the scratch folder's removal would follow them.
    for (const std::string& l : linki) wintest::UsunLinkHosta(l);
    if (odbiorca) DestroyWindow(odbiorca);
    RegDeleteTreeW(HKEY_CURRENT_USER, kKluczW);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Meltrax Software\\Kalmo");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Meltrax Software");
  }
  void Opcje(bool kronika, double data) {
    OpcjePlikowTymczasowych o;
    o.usuwanie = true;
    o.kronika = kronika;
    o.ostatnieCzyszczenie = data;
    platform::Reg().CreateKey(platform::Root::CurrentUser, kKluczKalmo);
    platform::Reg().WriteBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::OpcjePlikowTymczasowych, o.ToBytes());
  }
  double DataCzyszczenia() {
    auto b = platform::Reg().ReadBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::OpcjePlikowTymczasowych);
    return b ? OpcjePlikowTymczasowych::FromBytes(*b).ostatnieCzyszczenie : -1;
  }
  void Reguly(const TStringList& linie) { ASSERT_TRUE(WriteTextLines(regul, linie)); }
  std::string Stary(const std::string& nazwa, int dni) {
    std::string p = s.Put(nazwa, "dane");
    Postarz(p, dni);
    return p;
  }
  TDeleteTempFileThread::Powiadomienia Powiadomienia() { return {odbiorca, kEtykieta, kZgloszenie, kKoniec}; }
  // Messages the thread posted, in order.
  std::vector<UINT> Poczta() {
    std::vector<UINT> m;
    MSG msg;
    while (PeekMessageW(&msg, odbiorca, WM_APP, WM_APP + 10, PM_REMOVE)) {
      m.push_back(msg.message);
    }
    return m;
  }
};

}  // namespace

TEST_F(CleanupWin, OldFilesGoYoungOnesStayAndTheChronicleListsThemUnderToday) {
  const std::string stary = Stary("Smieci\\stary.tmp", 10);
  const std::string glebszy = Stary("Smieci\\Pod\\głębszy plik.tmp", 5);
  const std::string mlody = Stary("Smieci\\młody.tmp", 1);
  const std::string inny = Stary("Smieci\\stary.doc", 10);
  Reguly({s.Path("Smieci") + "#P#*.tmp#3"});
  TDeleteTempFileThread t(regul, kroniki, Powiadomienia(), 0);
  ASSERT_TRUE(t.Uruchom());
  ASSERT_TRUE(t.WaitFor(driver::Timeout()));
  EXPECT_FALSE(Jest(stary));
  EXPECT_FALSE(Jest(glebszy));
  EXPECT_TRUE(Jest(mlody));
  EXPECT_TRUE(Jest(inny));
  EXPECT_EQ(t.Wynik().usuniete, 2);
  EXPECT_TRUE(t.TworzKronike());
  EXPECT_EQ(Poczta(), (std::vector<UINT>{kEtykieta, kKoniec}));
  EXPECT_EQ(DataCzyszczenia(), static_cast<double>(static_cast<int64_t>(platform::Time().Now())));

  // The chronicle window lists both under today's date, in deletion order.
  TfrmKronikaUsuwanychPlikow okno;
  ASSERT_TRUE(okno.Utworz(nullptr, kroniki));
  HWND lista = win::FindControl(okno.Hwnd(), "lstWgDaty");
  std::vector<std::string> linie;
  const LRESULT n = SendMessageW(lista, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    wchar_t b[1024];
    LRESULT k = SendMessageW(lista, LB_GETTEXT, i, reinterpret_cast<LPARAM>(b));
    linie.push_back(Narrow(b, k));
  }
  EXPECT_EQ(linie, (std::vector<std::string>{Dzis(), "   " + stary, "   " + glebszy}));
  // Without full paths the alphabetical list orders the bare names.
  SendMessageW(win::FindControl(okno.Hwnd(), "chbSciezki"), BM_CLICK, 0, 0);
  EXPECT_EQ(okno.Widok().alfabetycznie,
            (TStringList{"głębszy plik.tmp#" + Dzis(), "stary.tmp#" + Dzis()}));
}

TEST_F(CleanupWin, ABreakShorterThanTheDelayDeletesNothing) {
  const std::string stary = Stary("Smieci\\stary.tmp", 10);
  Reguly({s.Path("Smieci") + "#P#*.*#1"});
  TDeleteTempFileThread t(regul, kroniki, Powiadomienia());  // the real 50-second delay
  ASSERT_TRUE(t.Uruchom());
  t.Terminate();
  ASSERT_TRUE(t.WaitFor(driver::Timeout()));  // the wait ended at once
  EXPECT_TRUE(Jest(stary));
  EXPECT_FALSE(Jest(kroniki));
  EXPECT_EQ(DataCzyszczenia(), 0);
  EXPECT_EQ(Poczta(), std::vector<UINT>{kKoniec});
}

TEST_F(CleanupWin, AStopRequestEndsThePassAfterOneMoreFile) {
  for (int i = 0; i < 10; ++i) Stary("Smieci\\" + std::to_string(i) + ".tmp", 10);
  Reguly({s.Path("Smieci") + "#.#*.tmp#1", s.Path("Inne") + "#.#*.*#1"});
  TDeleteTempFileThread t(regul, kroniki, Powiadomienia(), 0);
  t.poUsunieciuPliku = [&](const std::string&) { t.Terminate(); };
  ASSERT_TRUE(t.Uruchom());
  ASSERT_TRUE(t.WaitFor(driver::Timeout()));
  EXPECT_EQ(t.Wynik().usuniete, 1);
  EXPECT_TRUE(t.Wynik().przerwany);
  int zostalo = 0;
  for (int i = 0; i < 10; ++i) zostalo += Jest(s.Path("Smieci\\" + std::to_string(i) + ".tmp"));
  EXPECT_EQ(zostalo, 9);
  EXPECT_EQ(DataCzyszczenia(), 0);  // the rule did not end whole
  // After the stop only the end notice reaches the main window.
  EXPECT_EQ(Poczta(), (std::vector<UINT>{kEtykieta, kKoniec}));
}

TEST_F(CleanupWin, HostLinksInsideARuleFolderKeepEveryFileOutside) {
  const std::string cenny = Stary("Cenne\\umowa.doc", 100);
  const std::string glebiej = Stary("Cenne\\Archiwum\\plan.doc", 100);
  const std::string wlasny = Stary("Smieci\\stary.tmp", 100);
  ASSERT_TRUE(Link(s.Path("Cenne"), s.Path("Smieci\\do_cennych")));
  ASSERT_TRUE(Link(cenny, s.Path("Smieci\\umowa_link.doc")));
  Reguly({s.Path("Smieci") + "#P#*.*#1"});
  TDeleteTempFileThread t(regul, kroniki, Powiadomienia(), 0);
  ASSERT_TRUE(t.Uruchom());
  ASSERT_TRUE(t.WaitFor(driver::Timeout()));
  EXPECT_TRUE(Jest(cenny));
  EXPECT_TRUE(Jest(glebiej));
  EXPECT_FALSE(Jest(wlasny));
  EXPECT_EQ(t.Wynik().usuniete, 1);
  TStringList kronika;
  ReadTextLines(kroniki, kronika);
  EXPECT_EQ(kronika, TStringList{wlasny + "#" + Dzis()});
}

TEST_F(CleanupWin, TheSeamDeletesOnlyInsideTheFolderAndRefusesLinksAtTheName) {
  const std::string cenny = Stary("Cenne\\umowa.doc", 100);
  const std::string wlasny = Stary("Smieci\\a.tmp", 1);
  ASSERT_TRUE(Link(s.Path("Cenne"), s.Path("Smieci\\do_cennych")));
  ASSERT_TRUE(Link(cenny, s.Path("Smieci\\umowa_link.doc")));
  auto& fs = platform::Fs();
  auto korzen = fs.FinalPath(s.Path("Smieci"));
  ASSERT_TRUE(korzen);
  EXPECT_EQ(*fs.FinalPath(s.Path("Smieci\\do_cennych\\umowa.doc")), s.Path("Cenne\\umowa.doc"));
  EXPECT_FALSE(fs.DeleteFileInside(s.Path("Smieci\\do_cennych\\umowa.doc"), *korzen));
  EXPECT_FALSE(fs.DeleteFileInside(s.Path("Smieci\\umowa_link.doc"), *korzen));
  EXPECT_FALSE(fs.DeleteFileInside(s.Path("Smieci\\do_cennych"), *korzen));
  EXPECT_TRUE(Jest(cenny));
  EXPECT_TRUE(fs.DeleteFileInside(wlasny, *korzen));
  EXPECT_FALSE(Jest(wlasny));
}

namespace {

// A pass of the cleanup as the thread runs it, on this thread, its reports collected.
WynikCzyszczenia Przebieg(const std::string& regul, const std::string& kroniki, std::vector<std::string>& zgloszenia) {
  KontekstCzyszczenia k;
  k.plikRegul = regul;
  k.plikKroniki = kroniki;
  k.przerwano = [] { return false; };
  k.zglos = [&](const std::string&, const std::string& t) { zgloszenia.push_back(t); };
  return WykonajCzyszczenie(k);
}


}  // namespace

TEST_F(CleanupWin, ARecycledJunctionToAFolderOfOldFilesKeepsEveryFile) {
  // Any user may create C:\RECYCLED; made a link to another user's documents it would lead the
  // default bin rule there. Here it leads to a folder of old files inside the test prefix.
  const std::string kosz = "C:\\RECYCLED";
  ASSERT_FALSE(Jest(kosz)) << "the prefix has a recycle folder of its own";
  const std::string umowa = Stary("Dokumenty\\umowa.doc", 400);
  const std::string plan = Stary("Dokumenty\\Plany\\plan.doc", 400);
  const std::string info = Stary("Dokumenty\\INFO2", 400);
  ASSERT_TRUE(Link(s.Path("Dokumenty"), kosz));
  ASSERT_EQ(SprawdzPiaskownice(), "");
  Reguly({"Katalogi kosza systemowego#K#*.*#30"});
  std::vector<std::string> zgloszenia;
  const WynikCzyszczenia w = Przebieg(regul, kroniki, zgloszenia);
  EXPECT_TRUE(Jest(umowa));
  EXPECT_TRUE(Jest(plan));
  EXPECT_TRUE(Jest(info));
  EXPECT_EQ(w.usuniete, 0);
  EXPECT_FALSE(Jest(kroniki));
  ASSERT_EQ(zgloszenia.size(), 1u);
  EXPECT_NE(zgloszenia[0].find("„C:\\RECYCLED” jest dowiązaniem"), std::string::npos) << zgloszenia[0];
}

TEST_F(CleanupWin, ANameWithATrailingDotIsItsOwnFileAndAFileStillOpenIsNotChronicled) {
  // "report.docx." (old) beside "report.docx" (new): the old one goes, the new one stays.
  CreateDirectoryW(Widen(s.Path("Kosz")).c_str(), nullptr);
  const std::wstring kropka = L"\\\\?\\" + Widen(s.Path("Kosz\\report.docx."));
  HANDLE h = CreateFileW(kropka.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  PostarzDokladny(kropka, 60);
  const std::string nowy = s.Put("Kosz\\report.docx", "nowy");
  const std::string otwarty = Stary("Kosz\\otwarty.tmp", 60);
  HANDLE trzyma = CreateFileW(Widen(otwarty).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(trzyma, INVALID_HANDLE_VALUE);
  Reguly({s.Path("Kosz") + "#.#*#30"});
  std::vector<std::string> zgloszenia;
  const WynikCzyszczenia w = Przebieg(regul, kroniki, zgloszenia);
  CloseHandle(trzyma);
  EXPECT_EQ(GetFileAttributesW(kropka.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(wintest::Scratch::Get(nowy), "nowy");
  EXPECT_EQ(w.usuniete, 1);
  EXPECT_EQ(w.oczekujace, 1);
  TStringList kronika;
  ReadTextLines(kroniki, kronika);
  EXPECT_EQ(kronika, TStringList{s.Path("Kosz\\report.docx.") + "#" + Dzis()});
  EXPECT_TRUE(zgloszenia.empty());
}

TEST(CleanupDialogsWin, DaysDialogReturnsItsValueOrZeroAndTheFileKindDialogWantsAMask) {
  {
    driver::Answerer odp(L"TfrmCzasOprozniania", "OK");
    EXPECT_EQ(PokazCzasOprozniania(nullptr, true, 21), 21);
    ASSERT_EQ(odp.Count(), 1);
    EXPECT_EQ(odp.Seen()[0].caption, "Czas opróżniania");
    EXPECT_EQ(odp.Seen()[0].controls["labPytanie"], "Po ilu dniach mają być usuwane poszczególne pliki z kosza?");
  }
  {
    driver::Answerer odp(L"TfrmCzasOprozniania", "Anuluj");
    EXPECT_EQ(PokazCzasOprozniania(nullptr, false, 7), 0);
  }
  {
    // OK with an empty mask warns and keeps the dialog open; "Anuluj" then adds nothing.
    driver::Answerer anuluj(L"TfrmRodzajPliku", "Anuluj", [](HWND okno) {
      SendMessageW(driver::FindChildByName(okno, "cmdOk"), BM_CLICK, 0, 0);
    }, 1);
    EXPECT_FALSE(PokazRodzajPliku(nullptr));
    ASSERT_EQ(anuluj.Count(), 1);
    const auto teksty = wintest::Dialogs().Texts();
    EXPECT_NE(std::find(teksty.begin(), teksty.end(), "Żaden rodzaj pliku nie został wybrany!"), teksty.end());
  }
  {
    driver::Answerer odp(L"TfrmRodzajPliku", "OK");
    EXPECT_EQ(PokazRodzajPliku(nullptr, "* - Kopia.doc", 14), (ParaMaski{"* - Kopia.doc", 14}));
    ASSERT_EQ(odp.Count(), 1);
    EXPECT_EQ(odp.Seen()[0].controls["labDni"], "dniami");
  }
}

TEST_F(CleanupWin, ReportsWaitInTheMailboxAndReachOnlyTheMainThread) {
  // A relative folder is refused before anything is listed.
  Reguly({"temp#P#*.*#1"});
  TDeleteTempFileThread t(regul, kroniki, Powiadomienia(), 0);
  ASSERT_TRUE(t.Uruchom());
  ASSERT_TRUE(t.WaitFor(driver::Timeout()));
  EXPECT_EQ(Poczta(), (std::vector<UINT>{kEtykieta, kZgloszenie, kKoniec}));
  const auto zgloszenia = TDeleteTempFileThread::Odbierz();
  ASSERT_EQ(zgloszenia.size(), 1u);
  EXPECT_EQ(zgloszenia[0].miejsce, "TDeleteTempFileThread.Execute");
  EXPECT_NE(zgloszenia[0].tekst.find("„temp”"), std::string::npos);
  EXPECT_TRUE(TDeleteTempFileThread::Odbierz().empty());
  EXPECT_TRUE(wintest::Dialogs().shown.empty());  // the worker showed nothing itself
  EXPECT_EQ(DataCzyszczenia(), static_cast<double>(static_cast<int64_t>(platform::Time().Now())));
}

namespace {

template <class F>
bool Czekaj(F&& f) {
  for (DWORD start = GetTickCount(); !f(); Sleep(50))
    if (GetTickCount() - start > driver::Timeout()) return false;
  return true;
}

}  // namespace

TEST_F(CleanupWin, KalmoShowsTheLabelAndEndsAtOnceDuringTheDeletionsDelay) {
  for (const char* f : {"Kalmo.exe", "Hook.dll"})
    ASSERT_TRUE(CopyFileW(Widen(driver::BesideTests(f)).c_str(), Widen(s.Path(f)).c_str(), FALSE)) << f;
  RegDeleteTreeW(HKEY_CURRENT_USER, kKluczW);  // a first run: cleanup on, never done
  driver::Process kalmo;
  ASSERT_TRUE(driver::Start("\"" + s.Path("Kalmo.exe") + "\"", kalmo));
  const UINT zapytanie = RegisterWindowMessageW(L"Kalmo.PozycjaMenu");
  HWND h = nullptr;
  ASSERT_TRUE(Czekaj([&] {
    DWORD_PTR atom = 0;
    if (!(h = OknoGlowneProcesu(kalmo.id)) ||
        !SendMessageTimeoutW(h, zapytanie, 109, 0, SMTO_NORMAL, driver::Timeout(), &atom) || !atom)
      return false;
    GlobalDeleteAtom(static_cast<ATOM>(atom));
    return true;
  }));
  // A break starts the deletion thread, which now waits its 50 seconds.
  ASSERT_TRUE(PostMessageW(h, WM_PAUSE_KEY, 1, 0));
  HWND przerwa = driver::WaitForWindow(L"TfrmWygaszacz", {}, kalmo.id);
  ASSERT_NE(przerwa, nullptr);
  HWND etykieta = driver::FindChildByName(przerwa, "labUsuwaniePlikow");
  ASSERT_NE(etykieta, nullptr);
  EXPECT_FALSE(IsWindowVisible(etykieta));
  // The thread's notice that the delay has passed shows the label on the main thread.
  ASSERT_TRUE(PostMessageW(h, kEtykieta, 0, 0));
  EXPECT_TRUE(Czekaj([&] { return IsWindowVisible(etykieta) != FALSE; }));
  // "Koniec" while the thread waits: the program ends at once, the thread stopped with it.
  ASSERT_TRUE(PostMessageW(h, WM_COMMAND, 109, 0));
  EXPECT_EQ(kalmo.WaitForExit(), 0);
}
