#include "installer/win32/SrodowiskoWin32.h"

#include <windows.h>
#include <ddeml.h>
#include <winver.h>

#include <vector>

static_assert(kVifTempFile == VIF_TEMPFILE && kVifSrcOld == VIF_SRCOLD && kVifDiffLang == VIF_DIFFLANG &&
              kVifWriteProt == VIF_WRITEPROT && kVifFileInUse == VIF_FILEINUSE &&
              kVifAccessViolation == VIF_ACCESSVIOLATION && kVifSharingViolation == VIF_SHARINGVIOLATION &&
              kVifCannotReadSrc == VIF_CANNOTREADSRC && kVifCannotCreate == VIF_CANNOTCREATE &&
              kViffForceInstall == VIFF_FORCEINSTALL && kVifMismatch == VIF_MISMATCH);

namespace {

constexpr size_t kBufor = 256;  // 255 characters and the NUL
constexpr DWORD kCzasDde = 15000;

std::wstring Szeroki(const std::string& s) {
  if (s.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

// The text in the ANSI code page the A functions read; false when a character has no place there.
bool Ansi(const std::string& s, std::string& wynik) {
  const std::wstring w = Szeroki(s);
  wynik.clear();
  if (w.empty()) return true;
  BOOL brak = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, &brak);
  if (brak || n <= 0) return false;
  wynik.assign(n, '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), wynik.data(), n, nullptr,
                      nullptr);
  return true;
}

std::string ZAnsi(const char* s) {
  const int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
  if (n <= 1) return std::string();
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, s, -1, w.data(), n);
  w.resize(n - 1);
  return Utf8(w);
}

// A string entry of the "040904E4" table of a version block, or nullopt when it is absent.
bool WpisWersjiA(std::vector<char>& blok, const char* wpis, std::string& wartosc) {
  char* dane = nullptr;
  UINT dlugosc = 0;
  std::string sciezka = std::string("\\StringFileInfo\\") + "040904E4" + wpis;
  if (!VerQueryValueA(blok.data(), sciezka.c_str(), reinterpret_cast<void**>(&dane), &dlugosc) || !dane) return false;
  wartosc = dlugosc ? ZAnsi(dane) : std::string();
  return true;
}

bool WpisWersjiW(std::vector<char>& blok, const wchar_t* wpis, std::string& wartosc) {
  wchar_t* dane = nullptr;
  UINT dlugosc = 0;
  std::wstring sciezka = std::wstring(L"\\StringFileInfo\\") + L"040904E4" + wpis;
  if (!VerQueryValueW(blok.data(), sciezka.c_str(), reinterpret_cast<void**>(&dane), &dlugosc) || !dane) return false;
  wartosc = dlugosc ? Utf8(dane) : std::string();
  return true;
}

HDDEDATA CALLBACK DdeWywolanie(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

}  // namespace

TSrodowiskoWin32::TSrodowiskoWin32() = default;

TSrodowiskoWin32::~TSrodowiskoWin32() {
  if (ddeInstance_) DdeUninitialize(ddeInstance_);
}

std::string TSrodowiskoWin32::KatalogBiezacy() {
  wchar_t bufor[MAX_PATH + 1] = {};
  const DWORD n = GetCurrentDirectoryW(MAX_PATH + 1, bufor);
  std::string wynik = n && n <= MAX_PATH ? Utf8(bufor) : std::string();
  while (!wynik.empty() && wynik.back() == '\\') wynik.pop_back();
  return wynik;
}

std::string TSrodowiskoWin32::FileVersion(const std::string& path) {
  std::string ansi;
  std::string wynik;
  if (Ansi(path, ansi)) {
    DWORD uchwyt = 0;
    const DWORD rozmiar = GetFileVersionInfoSizeA(ansi.c_str(), &uchwyt);
    if (rozmiar == 0) return std::string();
    std::vector<char> blok(rozmiar);
    if (!GetFileVersionInfoA(ansi.c_str(), 0, rozmiar, blok.data())) return std::string();
    std::string firma;
    if (!WpisWersjiA(blok, "\\CompanyName", firma)) return std::string();
    if (!WpisWersjiA(blok, "\\FileVersion", wynik)) return std::string();
    return wynik;
  }
  // A path the ANSI code page cannot spell (Polish letters on a Western system) is read wide.
  const std::wstring w = Szeroki(path);
  DWORD uchwyt = 0;
  const DWORD rozmiar = GetFileVersionInfoSizeW(w.c_str(), &uchwyt);
  if (rozmiar == 0) return std::string();
  std::vector<char> blok(rozmiar);
  if (!GetFileVersionInfoW(w.c_str(), 0, rozmiar, blok.data())) return std::string();
  std::string firma;
  if (!WpisWersjiW(blok, L"\\CompanyName", firma)) return std::string();
  if (!WpisWersjiW(blok, L"\\FileVersion", wynik)) return std::string();
  return wynik;
}

uint32_t TSrodowiskoWin32::WywolajVerInstallFile(uint32_t flags, const std::string& sourceName, const std::string& destName,
                                          const std::string& sourceDir, const std::string& destDir,
                                          std::string& tempFile) {
  tempFile.clear();
  std::string zn, cn, zk, ck;
  if (Ansi(sourceName, zn) && Ansi(destName, cn) && Ansi(sourceDir, zk) && Ansi(destDir, ck)) {
    // A longer text would have to be cut and would name another file.
    if (zn.size() >= kBufor || cn.size() >= kBufor || zk.size() >= kBufor || ck.size() >= kBufor) {
      return kVifCannotCreate;
    }
    char biezacy[kBufor] = {};
    char tymczasowy[kBufor] = {};
    UINT dlugosc = kBufor - 1;
    const DWORD r = VerInstallFileA(flags, zn.data(), cn.data(), zk.data(), ck.data(), biezacy, tymczasowy,
                                    &dlugosc);
    tempFile = ZAnsi(tymczasowy);
    return r;
  }
  std::wstring wzn = Szeroki(sourceName), wcn = Szeroki(destName), wzk = Szeroki(sourceDir),
                     wck = Szeroki(destDir);
  if (wzn.size() >= kBufor || wcn.size() >= kBufor || wzk.size() >= kBufor || wck.size() >= kBufor) {
    return kVifCannotCreate;
  }
  wchar_t biezacy[kBufor] = {};
  wchar_t tymczasowy[kBufor] = {};
  UINT dlugosc = kBufor - 1;
  const DWORD r = VerInstallFileW(flags, wzn.data(), wcn.data(), wzk.data(), wck.data(), biezacy, tymczasowy,
                                  &dlugosc);
  tempFile = Utf8(tymczasowy);
  return r;
}

bool TSrodowiskoWin32::ProgManExecute(const std::string& command, bool wait) {
  if (!ddeInstance_) {
    DWORD instancja = 0;
    if (DdeInitializeW(&instancja, DdeWywolanie, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return false;
    ddeInstance_ = instancja;
  }
  HSZ usluga = DdeCreateStringHandleW(ddeInstance_, L"PROGMAN", CP_WINUNICODE);
  HSZ temat = DdeCreateStringHandleW(ddeInstance_, L"PROGMAN", CP_WINUNICODE);
  bool wynik = false;
  if (HCONV rozmowa = DdeConnect(ddeInstance_, usluga, temat, nullptr)) {
    std::wstring tekst = Szeroki(command);
    const DWORD bajty = static_cast<DWORD>((tekst.size() + 1) * sizeof(wchar_t));
    // Completed before the link closes in both cases: an execute still pending at the disconnect
    // may never run. Without waiting, a server slow to acknowledge is not counted as a failure.
    DWORD stan = 0;
    HDDEDATA r = DdeClientTransaction(reinterpret_cast<LPBYTE>(tekst.data()), bajty, rozmowa, nullptr, 0,
                                      XTYP_EXECUTE, kCzasDde, &stan);
    wynik = r != nullptr || (!wait && DdeGetLastError(ddeInstance_) == DMLERR_EXECACKTIMEOUT);
    DdeDisconnect(rozmowa);
  }
  if (usluga) DdeFreeStringHandle(ddeInstance_, usluga);
  if (temat) DdeFreeStringHandle(ddeInstance_, temat);
  return wynik;
}

bool TSrodowiskoWin32::ZapiszDoIni(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& value) {
  const std::wstring s = Szeroki(section), k = Szeroki(key), v = Szeroki(value), f = Szeroki(file);
  return WritePrivateProfileStringW(s.c_str(), k.c_str(), v.c_str(), f.c_str()) != FALSE;
}
