// Scenes of the main window: the tray menu as it pops up (default hotkeys) and the about window.
#include <windows.h>

#include "app/Glowna.h"
#include "app/win32/Glowna.h"
#include "app/win32/OProgramie.h"
#include "tools/win32/Scenes.h"

namespace {

const scenes::Registrar kMenu("MenuZasobnika", [] {
  // The menu needs a window of ours in the foreground, as the tray icon's owner is.
  HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  HMENU menu = UtworzMenuGlowne();
  PodpisyMenu p;
  p.listaDokumentow = PodpisZeSkrotem("Lista dokumentów...", "Ctrl+=");
  p.listaSkrotow = "Lista skrótów...";
  p.informacjeDnia = PodpisZeSkrotem("Informacje dnia...", "Shift+Ctrl+I");
  p.statystyka = "Statystyka...";
  p.opcje = "Opcje...";
  p.przerwa = PodpisZeSkrotem("Przerwa", "Shift+Ctrl+P");
  UstawPodpisyMenu(menu, p);
  SetForegroundWindow(owner);
  // Where a tray menu stands: its bottom-right corner at the pointer near the taskbar.
  TrackPopupMenuEx(menu, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN | TPM_RIGHTALIGN, 900, 700, owner, nullptr);
  DestroyMenu(menu);
  DestroyWindow(owner);
});

const scenes::Registrar kOProgramie("OProgramie", [] {
  TfrmOProgramie okno;
  if (okno.Utworz(nullptr)) okno.ShowModal(nullptr);
});

}  // namespace
