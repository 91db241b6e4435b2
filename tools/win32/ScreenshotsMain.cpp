// Screenshots.exe: opens one named window of the programs so that tools/screenshots.sh can shoot
// it. "Screenshots --list" prints the scene names.
//
// With KALMO_SHOT_FILE set, once the scene's window is up and painted the tool writes its screen
// rectangle ("left top width height") to that file, and it ends when "<file>.done" appears.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "common/win32/Win32Dialogs.h"
#include "platform/memory/Memory.h"
#include "tools/win32/Scenes.h"

namespace {

HWND SceneWindow() {
  HWND fg = GetForegroundWindow();
  DWORD pid = 0;
  if (fg && GetWindowThreadProcessId(fg, &pid) && pid == GetCurrentProcessId() && IsWindowVisible(fg)) return fg;
  struct Search {
    HWND found = nullptr;
  } s;
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        DWORD p = 0;
        GetWindowThreadProcessId(h, &p);
        if (p != GetCurrentProcessId() || !IsWindowVisible(h)) return TRUE;
        reinterpret_cast<Search*>(lp)->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Watch(std::string file) {
  HWND h = nullptr;
  for (int i = 0; i < 1500 && !(h = SceneWindow()); ++i) Sleep(20);
  if (!h) ExitProcess(3);
  Sleep(700);  // let the window finish painting
  h = SceneWindow();
  RECT r{};
  GetWindowRect(h, &r);
  std::string tmp = file + ".tmp";
  if (FILE* f = std::fopen(tmp.c_str(), "wb")) {
    std::fprintf(f, "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::fclose(f);
    MoveFileExA(tmp.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  for (int i = 0; i < 3000 && !Exists(file + ".done"); ++i) Sleep(20);
  ExitProcess(0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: Screenshots <scene> | --list\n");
    return 2;
  }
  std::string scene = argv[1];
  if (scene == "--list") {
    for (const auto& name : scenes::SceneNames()) std::printf("%s\n", name.c_str());
    return 0;
  }
  // Scenes run against an in-memory registry, files and desktop, so shooting changes nothing on
  // the machine; the dialogs are the real ones.
  platform::memory::TestPlatform fake;
  platform::Services services = platform::Current();
  services.dialogs = &RealDialogs();
  platform::Install(services);
  SetApplicationTitle("Kalmo");

  if (const char* file = std::getenv("KALMO_SHOT_FILE")) std::thread(Watch, std::string(file)).detach();
  if (!scenes::RunScene(scene)) {
    std::fprintf(stderr, "Screenshots: unknown scene '%s'\n", scene.c_str());
    return 2;
  }
  return 0;
}
