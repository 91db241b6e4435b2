// KillTest.exe: kills Kalmo without warning at random moments and checks after every kill that
// what it had saved is still there, whole. Run through tools/kill-test.sh (a Wine prefix of its
// own: the tool deletes Kalmo's settings key at the start).
//
//   KillTest <folder with Kalmo.exe and Hook.dll> [kills, default 200] [seed]
//
// Kalmo runs with the shortest monitoring and saving periods the settings allow (1 s, 1 min),
// with a window of a monitored program open, and now and then a break is started and ended: by the
// screen saver, PAUSE, two seconds without input, a lock or a sleep; now and then the reminders
// are paused. After every kill: each registry record has its size and kind, each data file is a
// whole number of records and parses, nothing saved before is missing or older (today's save
// stamp and counters, archive records, monitored documents and their seconds, declined titles,
// the first-run files), the day's work never went below zero, and no temporary file stands where
// its data file has gone. Prints the kills, the checks and each fault.
#include <windows.h>
#include <shellapi.h>
#include <wtsapi32.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/win32/Glowna.h"
#include "base/Cp1250.h"
#include "documents/Archiwum.h"
#include "documents/OrganizatorDokumentow.h"
#include "settings/Globalne.h"
#include "settings/Komunikaty.h"

namespace {

constexpr wchar_t kKlucz[] = L"Software\\Meltrax Software\\Kalmo\\2.0";
constexpr wchar_t kTytulDokumentu[] = L"Notatnik - raport.txt";

std::wstring W(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

std::string U(const std::wstring& s) {
  int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::optional<std::vector<uint8_t>> Wartosc(const wchar_t* nazwa, DWORD* typ = nullptr) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKlucz, 0, KEY_READ, &h) != ERROR_SUCCESS) return std::nullopt;
  DWORD t = 0, size = 0;
  std::optional<std::vector<uint8_t>> out;
  if (RegQueryValueExW(h, nazwa, nullptr, &t, nullptr, &size) == ERROR_SUCCESS) {
    std::vector<uint8_t> b(size);
    if (RegQueryValueExW(h, nazwa, nullptr, &t, b.data(), &size) == ERROR_SUCCESS) {
      b.resize(size);
      out = b;
      if (typ) *typ = t;
    }
  }
  RegCloseKey(h);
  return out;
}

std::optional<std::string> Plik(const std::string& path) {
  HANDLE h = CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string out;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) out.append(buf, got);
  CloseHandle(h);
  return out;
}

bool Istnieje(const std::string& path) { return GetFileAttributesW(W(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// What one check saw, kept to compare with the next one.
struct Stan {
  double dtZapisu = 0;
  int32_t caMonitorowania = 0;
  size_t archiwum = 0;
  std::map<std::string, int32_t> dokumenty;
  std::vector<std::string> zastrzezone;
  std::map<std::string, std::string> pierwszeUruchomienie;  // file -> content
  std::map<std::string, bool> istnialy;
};

class Sprawdzanie {
 public:
  explicit Sprawdzanie(const std::string& folder) : pliki_(UtworzNazwyPlikow(folder, Uzytkownik())) {}

  int bledy = 0;
  int sprawdzone = 0;
  bool uruchomiono = false;  // some run finished its start-up: its records must stay

  void Sprawdz(int kill, Stan& stan) {
    kill_ = kill;
    Stan nowy;
    Rekord(L"TodayInfo", TodayRecord::kRozmiar, true);
    Rekord(L"Ustawienia", LimitsRecord::kRozmiar, true);
    Rekord(L"OpcjeOstrzegania", WarningOptions::kRozmiar, true);
    Rekord(L"OpcjeSchowka", OpcjeSchowka::kRozmiar, true);
    Rekord(L"OpcjePlikowTymczasowych", OpcjePlikowTymczasowych::kRozmiar, true);
    Rekord(L"WstrzymaneDo", sizeof(double), false);
    Rekord(L"CzasBezczynnosci", sizeof(DWORD), false, REG_DWORD);
    if (auto b = Wartosc(L"TodayInfo"); b && b->size() == TodayRecord::kRozmiar) {
      const TodayRecord r = TodayRecord::FromBytes(*b);
      nowy.dtZapisu = r.dtZapisu;
      nowy.caMonitorowania = r.caMonitorowania;
      if (r.dtZapisu < stan.dtZapisu) Blad("TodayInfo: the save stamp went back");
      // Same working day: the counters only grow.
      if (static_cast<long>(r.dtZapisu) == static_cast<long>(stan.dtZapisu) && r.caMonitorowania < stan.caMonitorowania)
        Blad("TodayInfo: the monitored time went back");
      if (r.caPraca < 0 || r.caPrzerwDzis < 0) Blad("TodayInfo: the work or the breaks of the day below zero");
    }
    if (auto a = Dane(pliki_.archiwum, stan, nowy)) {
      if (a->size() % ArchiveRecord::kRozmiar) Blad("archive: a torn record");
      nowy.archiwum = a->size() / ArchiveRecord::kRozmiar;
      if (nowy.archiwum < stan.archiwum) Blad("archive: records lost");
    }
    if (auto d = Dane(pliki_.dokumenty, stan, nowy)) {
      if (d->size() % DocumentRecord::kRozmiar) Blad("documents: a torn record");
      for (size_t i = 0; i + DocumentRecord::kRozmiar <= d->size(); i += DocumentRecord::kRozmiar) {
        const auto* p = reinterpret_cast<const uint8_t*>(d->data()) + i;
        const DocumentRecord r = DocumentRecord::FromBytes(std::vector<uint8_t>(p, p + DocumentRecord::kRozmiar));
        if (r.Name.empty()) Blad("documents: a record without a name");
        nowy.dokumenty[r.Name] = r.Seconds;
      }
      for (const auto& [name, seconds] : stan.dokumenty) {
        auto it = nowy.dokumenty.find(name);
        if (it == nowy.dokumenty.end()) Blad("documents: lost " + name);
        else if (it->second < seconds) Blad("documents: less time for " + name);
      }
    }
    if (auto z = Dane(pliki_.zastrzezone, stan, nowy)) {
      const std::string t = cp1250::ToUtf8(*z);
      if (!t.empty() && t.size() >= 2 && t.substr(t.size() - 2) != "\r\n") Blad("declined: a torn last line");
      size_t s = 0;
      while (s < t.size()) {
        size_t e = t.find("\r\n", s);
        if (e == std::string::npos) e = t.size();
        nowy.zastrzezone.push_back(t.substr(s, e - s));
        s = e + 2;
      }
      if (nowy.zastrzezone.size() < stan.zastrzezone.size()) Blad("declined: titles lost");
    }
    for (const std::string* f : {&pliki_.goraceKlawisze, &pliki_.plikiTymczasowe, &pliki_.skroty}) {
      if (auto c = Dane(*f, stan, nowy)) {
        auto before = stan.pierwszeUruchomienie.find(*f);
        if (before != stan.pierwszeUruchomienie.end() && before->second != *c) Blad("changed by itself: " + *f);
        nowy.pierwszeUruchomienie[*f] = *c;
      }
    }
    stan = nowy;
  }

 private:
  static std::string Uzytkownik() {
    wchar_t name[256];
    DWORD n = 256;
    return GetUserNameW(name, &n) ? U(name) : std::string();
  }

  void Blad(const std::string& what) {
    ++bledy;
    std::printf("kill %d: FAULT %s\n", kill_, what.c_str());
  }

  void Rekord(const wchar_t* nazwa, size_t rozmiar, bool wymagany, DWORD rodzaj = REG_BINARY) {
    ++sprawdzone;
    DWORD typ = 0;
    auto b = Wartosc(nazwa, &typ);
    if (!b) {
      if (wymagany && uruchomiono) Blad("registry: " + U(nazwa) + " missing");
      return;
    }
    if (typ != rodzaj || b->size() != rozmiar) Blad("registry: " + U(nazwa) + " of the wrong size or type");
  }

  // A data file's bytes; a file that existed before must still exist, and a ".new" left beside
  // a missing file means the save lost it.
  std::optional<std::string> Dane(const std::string& path, const Stan& stan, Stan& nowy) {
    ++sprawdzone;
    const bool jest = Istnieje(path);
    nowy.istnialy[path] = jest;
    auto before = stan.istnialy.find(path);
    if (!jest) {
      if (before != stan.istnialy.end() && before->second) Blad("lost: " + path);
      if (Istnieje(path + ".new")) std::printf("kill %d: note: %s.new without its file\n", kill_, path.c_str());
      return std::nullopt;
    }
    auto c = Plik(path);
    if (!c) Blad("unreadable: " + path);
    return c;
  }

  int kill_ = 0;
  PlikiDanych pliki_;
};

LRESULT CALLBACK OknoDokumentu(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

void Pompuj(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    Sleep(20);
  } while (GetTickCount() - start < ms);
}

void NacisnijShift() {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = VK_SHIFT;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

bool UstawBezczynnosc(DWORD sekundy) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKlucz, 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS) return false;
  const bool ok = RegSetValueExW(h, L"CzasBezczynnosci", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&sekundy),
                                 sizeof sekundy) == ERROR_SUCCESS;
  RegCloseKey(h);
  return ok;
}

// The natural breaks and pauses of one life: each on or off at random.
struct Zdarzenia {
  bool bezczynnosc, blokada, uspienie, pauza;
  explicit Zdarzenia(std::mt19937& los)
      : bezczynnosc(los() % 3 == 0), blokada(los() % 6 == 0), uspienie(los() % 6 == 0), pauza(los() % 5 == 0) {}
  // Posts what this life does now and then; input ends an idle break.
  void Krok(HWND glowne, std::mt19937& los) const {
    if (los() % 40 != 0) return;
    if (bezczynnosc) NacisnijShift();
    if (blokada) PostMessageW(glowne, WM_WTSSESSION_CHANGE, los() % 2 ? WTS_SESSION_LOCK : WTS_SESSION_UNLOCK, 0);
    if (uspienie) PostMessageW(glowne, WM_POWERBROADCAST, los() % 2 ? PBT_APMSUSPEND : PBT_APMRESUMEAUTOMATIC, 0);
    if (pauza) PostMessageW(glowne, WM_COMMAND, los() % 3 == 0 ? mnuWznow : los() % 2 ? mnuWstrzymaj30 : mnuWstrzymajDoJutra, 0);
  }
};

bool UstawRekord(const wchar_t* nazwa, const std::vector<uint8_t>& b) {
  HKEY h = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKlucz, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) != ERROR_SUCCESS)
    return false;
  const bool ok = RegSetValueExW(h, nazwa, 0, REG_BINARY, b.data(), static_cast<DWORD>(b.size())) == ERROR_SUCCESS;
  RegCloseKey(h);
  return ok;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 2) {
    std::fprintf(stderr, "usage: KillTest <folder with Kalmo.exe> [kills] [seed]\n");
    return 2;
  }
  const std::string folder = U(argv[1]);
  const int kills = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 200;
  const unsigned seed = argc > 3 ? std::wcstoul(argv[3], nullptr, 10) : GetTickCount();
  std::mt19937 los(seed);
  std::printf("seed %u\n", seed);

  // A window of a monitored program stays open for the whole run.
  WNDCLASSW wc{};
  wc.lpfnWndProc = OknoDokumentu;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KillTestDokument";
  RegisterClassW(&wc);
  HWND dokument = CreateWindowExW(0, wc.lpszClassName, kTytulDokumentu, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(dokument, SW_SHOWNOACTIVATE);

  RegDeleteTreeW(HKEY_CURRENT_USER, kKlucz);
  {
    // The open document is monitored from the start, so its seconds grow and are saved.
    wchar_t name[256];
    DWORD n = 256;
    const PlikiDanych pliki = UtworzNazwyPlikow(folder, GetUserNameW(name, &n) ? U(name) : std::string());
    DocumentRecord d;
    d.Name = U(kTytulDokumentu);
    const std::vector<uint8_t> b = d.ToBytes();
    HANDLE h = CreateFileW(W(pliki.dokumenty).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD zapisane = 0;
    if (h == INVALID_HANDLE_VALUE || !WriteFile(h, b.data(), static_cast<DWORD>(b.size()), &zapisane, nullptr)) {
      std::printf("cannot write %s\n", pliki.dokumenty.c_str());
      return 1;
    }
    CloseHandle(h);
  }
  const std::wstring exe = W(folder + "\\Kalmo.exe");
  Sprawdzanie sprawdzanie(folder);
  Stan stan;
  int zabite = 0;
  bool skonfigurowany = false;
  for (int kill = 1; kill <= kills; ++kill) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    // Wine may still be tearing the killed process down: a few tries.
    bool started = false;
    for (int i = 0; i < 20 && !started; ++i) {
      started = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, W(folder).c_str(), &si, &pi);
      if (!started) Pompuj(250);
    }
    if (!started) {
      std::printf("kill %d: Kalmo.exe did not start (%lu)\n", kill, GetLastError());
      return 1;
    }
    // The kill comes at a random moment from the start on, start-up included.
    // Most lives are short; one in twenty outlasts a saving period.
    std::uniform_int_distribution<int> czas(100, 4000), dlugi(61000, 66000);
    const DWORD koniec = GetTickCount() + (los() % 20 == 0 ? dlugi(los) : czas(los));
    const bool przerwa = los() % 4 == 0, wygaszacz = los() % 2 == 0;
    const Zdarzenia zdarzenia(los);
    if (skonfigurowany) UstawBezczynnosc(zdarzenia.bezczynnosc ? 2 : 0);
    static const UINT zapytanie = RegisterWindowMessageW(kKomunikatPozycjiMenu);
    HWND glowne = nullptr;
    bool uruchomiony = false, wPrzerwie = false;
    while (static_cast<int>(koniec - GetTickCount()) > 0) {
      Pompuj(25);
      if (!glowne) glowne = OknoGlowneProcesu(pi.dwProcessId);
      if (glowne && !uruchomiony) {
        DWORD_PTR wynik = 0;
        if (SendMessageTimeoutW(glowne, zapytanie, mnuPomoc, 0, SMTO_NORMAL, 200, &wynik) && wynik) {
          GlobalDeleteAtom(static_cast<ATOM>(wynik));
          uruchomiony = true;
          if (!skonfigurowany) {
            // The shortest periods the settings allow and the monitored program, from then on.
            LimitsRecord l = LimitsRecord::Domyslne();
            l.CzestotliwoscMonitorowania = 1;
            l.CzestotliwoscZapisywania = 60;
            l.Programy = "Notatnik";
            l.CzasPytania = 1;
            skonfigurowany = UstawRekord(L"Ustawienia", l.ToBytes());
          }
        }
      }
      // A break now and then: the screen saver starts (and stops again), or PAUSE is pressed.
      if (uruchomiony && przerwa && !wPrzerwie) {
        PostMessageW(glowne, wygaszacz ? WM_SCREENSAVER_STATE : WM_PAUSE_KEY, 1, 0);
        wPrzerwie = true;
      } else if (wPrzerwie && wygaszacz && los() % 20 == 0) {
        PostMessageW(glowne, WM_SCREENSAVER_STATE, 0, 0);
      }
      if (uruchomiony) zdarzenia.Krok(glowne, los);
    }
    if (uruchomiony) sprawdzanie.uruchomiono = true;
    TerminateProcess(pi.hProcess, 9);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    ++zabite;
    // Windows that the killed Kalmo left (a break screen) go with it; give the system a moment.
    Pompuj(100);
    sprawdzanie.Sprawdz(kill, stan);
  }
  std::printf("kills: %d, checks: %d, faults: %d\n", zabite, sprawdzanie.sprawdzone, sprawdzanie.bledy);
  DestroyWindow(dokument);
  return sprawdzanie.bledy ? 1 : 0;
}
