// Kalmo's entry: one instance per logon, the hidden main window, the clipboard-history window and
// the message loop.
#include <windows.h>

#include <memory>

#include "app/win32/Glowna.h"
#include "app/win32/LiniaPolecen.h"
#include "clipboard/win32/Schowek.h"
#include "common/WinTools.h"
#include "common/win32/Win32Dialogs.h"
#include "settings/Pomoc.h"
#include "platform/win32/Win32Platform.h"

namespace {

// The clipboard-history window lives for the whole run, hidden until its hotkey; the main window
// keeps it and shows it at the caret.
void UtworzOknoSchowka(kalmo::TfrmGlowna& glowna) {
  auto schowek = std::make_unique<TfrmSchowek>();
  if (schowek->Utworz()) glowna.UstawOknoSchowka(std::move(schowek));
}

// A crash in the middle of a break must not leave the system without its screen saver.
LONG WINAPI PrzyAwarii(EXCEPTION_POINTERS*) {
  PrzywrocWygaszacz();
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // An export ends here, before the single-instance section: it never stands in a resident one's way.
  if (const std::optional<int> kod = kalmo::WykonajLiniePolecen(GetCommandLineW())) return *kod;
  // A named section in the paging file: the second instance finds it and ends silently.
  HANDLE jedna = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 1024, L"one_instance_memfile");
  if (GetLastError() != ERROR_ALREADY_EXISTS) {
    platform::Install(platform::win32::RealServices(&RealDialogs()));
    SetUnhandledExceptionFilter(PrzyAwarii);
    SetApplicationTitle("Kalmo");
    SetApplicationHelpFile(kSpisPomocy);  // the main window names it with its folder at start-up
    {
      kalmo::TfrmGlowna glowna;
      if (glowna.Utworz()) {
        UtworzOknoSchowka(glowna);
        glowna.PetlaKomunikatow();
      }
    }  // the main window frees everything it owns here, in its shutdown order
  }
  if (jedna) CloseHandle(jedna);
  return 0;
}
