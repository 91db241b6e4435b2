#include "common/win32/Win32Dialogs.h"

#include <windows.h>

#include "common/win32/Komunikat.h"
#include "common/win32/KomunikatBledu.h"
#include "common/win32/Window.h"

namespace {

std::string g_title;
std::string g_helpFile;

class Win32Dialogs : public platform::Dialogs {
 public:
  void ErrorDialog(const std::string& place, const std::string& text) override {
    TfrmKomunikatBledu dialog;
    dialog.Ustaw(place, text);
    dialog.Pokaz();
  }

  platform::OdpowiedzKomunikatu MessageDialog(const std::string& text, platform::RodzajKomunikatu kind,
                                              platform::ButtonPage page) override {
    TfrmKomunikat dialog;
    dialog.UstawObrazek(kind);
    dialog.UstawKlawisze(page);
    dialog.UstawTekst(text);
    return dialog.Pokaz();
  }

  void PlainMessage(const std::string& text) override {
    HWND owner = GetActiveWindow();
    MessageBoxW(owner, win::Widen(text).c_str(), win::Widen(ApplicationTitle()).c_str(),
                MB_OK | (owner ? 0 : MB_TASKMODAL));
  }
};

}  // namespace

platform::Dialogs& RealDialogs() {
  static Win32Dialogs dialogs;
  return dialogs;
}

void SetApplicationTitle(const std::string& title) { g_title = title; }

std::string ApplicationTitle() {
  if (!g_title.empty()) return g_title;
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, n);
  auto slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name = name.substr(slash + 1);
  auto dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name = name.substr(0, dot);
  return win::Narrow(name);
}

void ShowUnhandledException(const std::string& what) { RealDialogs().PlainMessage(what); }

void SetApplicationHelpFile(const std::string& path) { g_helpFile = path; }
std::string ApplicationHelpFile() { return g_helpFile; }
