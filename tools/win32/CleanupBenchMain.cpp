// CleanupBench.exe: how fast the cleanup examines and deletes files, against a plain loop of
// DeleteFileW over the same list, on the same machine in the same run.
//
//   CleanupBench <new folder under C:\> [files, default 20000]
//
// The folder must not exist yet: the tool creates it, fills it with old files in 100 subfolders,
// cleans it with the cleanup's own walk (final paths, link checks, deletion through a handle),
// fills it again with the same names and deletes them with DeleteFileW, then removes it. It never
// deletes anything it did not create.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cleanup/UsuwaniePlikow.h"
#include "common/win32/Win32Dialogs.h"
#include "platform/win32/Win32Platform.h"

namespace {

using platform::win32::Widen;

std::vector<std::wstring> Wypelnij(const std::wstring& folder, int pliki) {
  FILETIME teraz;
  GetSystemTimeAsFileTime(&teraz);
  ULARGE_INTEGER u{{teraz.dwLowDateTime, teraz.dwHighDateTime}};
  u.QuadPart -= 30ULL * 24 * 3600 * 10000000ULL;
  const FILETIME stary{u.LowPart, u.HighPart};
  std::vector<std::wstring> lista;
  CreateDirectoryW(folder.c_str(), nullptr);
  for (int i = 0; i < pliki; ++i) {
    const std::wstring pod = folder + L"\\k" + std::to_wstring(i % 100);
    if (i < 100) CreateDirectoryW(pod.c_str(), nullptr);
    const std::wstring plik = pod + L"\\plik" + std::to_wstring(i) + L".tmp";
    HANDLE h = CreateFileW(plik.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) continue;
    SetFileTime(h, &stary, nullptr, &stary);
    CloseHandle(h);
    lista.push_back(plik);
  }
  return lista;
}

void Usun(const std::wstring& folder) {
  for (int i = 0; i < 100; ++i) RemoveDirectoryW((folder + L"\\k" + std::to_wstring(i)).c_str());
  RemoveDirectoryW(folder.c_str());
}

double Sekundy(LARGE_INTEGER od, LARGE_INTEGER f) {
  LARGE_INTEGER teraz;
  QueryPerformanceCounter(&teraz);
  return static_cast<double>(teraz.QuadPart - od.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 2) {
    std::fprintf(stderr, "usage: CleanupBench <new folder under C:\\> [files]\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  const int pliki = argc > 2 ? _wtoi(argv[2]) : 20000;
  if (folder.size() < 4 || folder.compare(0, 3, L"C:\\") != 0 ||
      GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) {
    std::fprintf(stderr, "CleanupBench: the folder must be a new folder under C:\\\n");
    return 2;
  }
  platform::Install(platform::win32::RealServices(&RealDialogs()));
  LARGE_INTEGER f, t0;
  QueryPerformanceFrequency(&f);

  std::vector<std::wstring> lista = Wypelnij(folder, pliki);
  KontekstCzyszczenia k;
  k.przerwano = [] { return false; };
  k.zglos = [](const std::string& m, const std::string& t) { std::fprintf(stderr, "%s: %s\n", m.c_str(), t.c_str()); };
  WynikCzyszczenia w;
  QueryPerformanceCounter(&t0);
  WyczyscFolder(platform::win32::Narrow(folder), true, false, {"*.tmp", 7}, false, k, w);
  const double czasWalk = Sekundy(t0, f);

  lista = Wypelnij(folder, pliki);
  QueryPerformanceCounter(&t0);
  int usunietePetla = 0;
  for (const std::wstring& p : lista) usunietePetla += DeleteFileW(p.c_str()) ? 1 : 0;
  const double czasPetla = Sekundy(t0, f);
  Usun(folder);

  std::printf("files: %d\n", pliki);
  std::printf("cleanup walk: examined %lld, deleted %lld in %.3f s = %.0f files/s\n",
              static_cast<long long>(w.zbadane), static_cast<long long>(w.usuniete), czasWalk,
              static_cast<double>(w.usuniete) / czasWalk);
  std::printf("DeleteFileW loop: deleted %d in %.3f s = %.0f files/s\n", usunietePetla, czasPetla,
              usunietePetla / czasPetla);
  return 0;
}
