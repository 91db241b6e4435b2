#include "installer/win32/Licencja.h"

#include "installer/Licencja.h"
#include "platform/Platform.h"

bool TfrmLicencja::Pokaz(HWND wlasciciel, const std::string& plik) {
  auto bajty = platform::Fs().ReadFile(plik);
  if (!bajty) return false;
  if (!UtworzForme(L"TfrmLicencja", "Licencja i Ograniczona Gwarancja", 520, 380, true, wlasciciel)) return false;
  HWND memo = Pole("memLicencja", 101, 12, 12, 496, 318,
                   ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL);
  SendMessageW(memo, EM_LIMITTEXT, 0, 0);
  win::SetText(memo, TekstLicencji(*bajty));
  HWND ok = Przycisk("cmdOk", IDOK, "Ok", 420, 342, 88, 26, true);
  SetFocus(ok);
  ShowModal(wlasciciel);
  Destroy();
  return true;
}

LRESULT TfrmLicencja::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
        EndModal(IDOK);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      // A read-only memo would be grey; the text reads better on the window colour.
      if (reinterpret_cast<HWND>(lp) == Kontrolka("memLicencja")) {
        SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOW));
        SetTextColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    case WM_CLOSE:
      EndModal(IDOK);
      return 0;
  }
  return Default(msg, wp, lp);
}
