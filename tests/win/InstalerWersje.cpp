#include "tests/win/InstalerWersje.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/win32/Window.h"
#include "tests/win/Driver.h"

using win::Narrow;
using win::Widen;

namespace instalertest {

namespace {

void Wyrownaj(std::string& b) {
  while (b.size() % 4) b.push_back('\0');
}

void DopiszW(std::string& b, const std::wstring& s) {
  b.append(reinterpret_cast<const char*>(s.c_str()), (s.size() + 1) * sizeof(wchar_t));
}

// One node of a version block: length, value length, type, key, value, children.
std::string Wezel(const std::wstring& klucz, const std::string& wartosc, WORD dlugoscWartosci, WORD typ,
                  const std::vector<std::string>& dzieci) {
  std::string b(6, '\0');
  DopiszW(b, klucz);
  Wyrownaj(b);
  b += wartosc;
  for (const std::string& d : dzieci) {
    Wyrownaj(b);
    b += d;
  }
  const WORD dlugosc = static_cast<WORD>(b.size());
  std::memcpy(&b[0], &dlugosc, 2);
  std::memcpy(&b[2], &dlugoscWartosci, 2);
  std::memcpy(&b[4], &typ, 2);
  return b;
}

std::string Tekst(const std::wstring& klucz, const std::wstring& wartosc) {
  std::string v;
  DopiszW(v, wartosc);
  return Wezel(klucz, v, static_cast<WORD>(wartosc.size() + 1), 1, {});
}

}  // namespace

std::string BlokWersji(WORD major, WORD minor, const std::wstring& firma, const std::wstring& wersja) {
  VS_FIXEDFILEINFO f{};
  f.dwSignature = VS_FFI_SIGNATURE;
  f.dwStrucVersion = 0x00010000;
  f.dwFileVersionMS = f.dwProductVersionMS = MAKELONG(minor, major);
  f.dwFileFlagsMask = VS_FFI_FILEFLAGSMASK;
  f.dwFileOS = VOS_NT_WINDOWS32;
  f.dwFileType = VFT_DLL;
  std::vector<std::string> teksty;
  if (!firma.empty()) teksty.push_back(Tekst(L"CompanyName", firma));
  if (!wersja.empty()) teksty.push_back(Tekst(L"FileVersion", wersja));
  const std::string tabela = Wezel(L"040904E4", "", 0, 1, teksty);
  const std::string stringi = Wezel(L"StringFileInfo", "", 0, 1, {tabela});
  const DWORD jezyk = MAKELONG(0x0409, 1252);
  const std::string var = Wezel(L"Translation", std::string(reinterpret_cast<const char*>(&jezyk), 4), 4, 0, {});
  const std::string zmienne = Wezel(L"VarFileInfo", "", 0, 1, {var});
  return Wezel(L"VS_VERSION_INFO", std::string(reinterpret_cast<const char*>(&f), sizeof f), sizeof f, 0,
               {stringi, zmienne});
}

void PlikZWersja(const std::string& sciezka, const std::string& blok) {
  CreateDirectoryW(Widen(sciezka.substr(0, sciezka.find_last_of('\\'))).c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(Widen(driver::BesideTests("Hook.dll")).c_str(), Widen(sciezka).c_str(), FALSE));
  HANDLE h = BeginUpdateResourceW(Widen(sciezka).c_str(), TRUE);
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(UpdateResourceW(h, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                              const_cast<char*>(blok.data()), static_cast<DWORD>(blok.size())));
  ASSERT_TRUE(EndUpdateResourceW(h, FALSE));
}

namespace {

// The final path of a folder or file (links followed), without the "\\?\\" prefix.
std::wstring Docelowa(const std::wstring& sciezka) {
  HANDLE h = CreateFileW(sciezka.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return L"";  // a dangling link leads nowhere
  wchar_t bufor[4096] = {};
  const DWORD n = GetFinalPathNameByHandleW(h, bufor, 4096, 0);
  CloseHandle(h);
  std::wstring w = n && n < 4096 ? std::wstring(bufor, n) : std::wstring();
  if (w.rfind(L"\\\\?\\", 0) == 0) w.erase(0, 4);
  return w;
}

bool Wewnatrz(const std::wstring& sciezka, const std::wstring& folder) {
  if (folder.empty() || sciezka.size() < folder.size()) return false;
  if (CompareStringOrdinal(sciezka.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                           static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL)
    return false;
  return sciezka.size() == folder.size() || sciezka[folder.size()] == L'\\';
}

std::string Szukaj(const std::wstring& katalog, const std::wstring& prefiks, int glebokosc) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((katalog + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string wynik;
  do {
    const std::wstring nazwa = fd.cFileName;
    if (nazwa == L"." || nazwa == L"..") continue;
    const std::wstring sciezka = katalog + L"\\" + nazwa;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      const std::wstring cel = Docelowa(sciezka);
      // Drive C is the prefix's own drive_c.
      if (!cel.empty() && !Wewnatrz(cel, L"C:") && !Wewnatrz(cel, prefiks))
        wynik = Narrow(sciezka) + " -> " + Narrow(cel);
    } else if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && glebokosc < 12) {
      wynik = Szukaj(sciezka, prefiks, glebokosc + 1);
    }
  } while (wynik.empty() && FindNextFileW(h, &fd));
  FindClose(h);
  return wynik;
}

}  // namespace

std::string LinkPozaPrefiksem() {
  wchar_t bufor[4096] = {};
  const DWORD n = GetEnvironmentVariableW(L"WINEPREFIX", bufor, 4096);
  if (n == 0 || n >= 4096) {
    // Under Wine without a prefix named, the default one links its shell folders to the real home.
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine ? "WINEPREFIX is not set: not inside the sandboxed Wine prefix" : std::string();
  }
  std::wstring z = L"Z:" + std::wstring(bufor, n);
  for (wchar_t& c : z)
    if (c == L'/') c = L'\\';
  while (z.size() > 3 && z.back() == L'\\') z.pop_back();
  const std::wstring prefiks = Docelowa(z);
  if (prefiks.empty()) return "cannot resolve the prefix " + Narrow(z);
  return Szukaj(L"C:", prefiks, 0);
}

}  // namespace instalertest
