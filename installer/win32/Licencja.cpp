#include "installer/win32/Licencja.h"

#include "installer/Licencja.h"
#include "platform/Platform.h"

bool TfrmLicencja::Pokaz(HWND wlasciciel, const std::string& plik) {
  auto bajty = platform::Fs().ReadFile(plik);
  if (!bajty) return false;
  if (!CreateForm(L"TfrmLicencja", "Licencja i Ograniczona Gwarancja", 520, 380, wlasciciel)) return false;
  memLicencja_ = AddEdit("memLicencja", {12, 12, 496, 318}, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL);
  memLicencja_.SetLimit(0);
  memLicencja_.SetText(TekstLicencji(*bajty));
  const win::Button ok = AddButton("cmdOk", "Ok", {420, 342, 88, 26}, [this] { EndModal(IDOK); }, IDOK, true);
  SetClickHandler(IDCANCEL, [this] { EndModal(IDOK); });
  RunModal(wlasciciel, ok.Hwnd());
  Destroy();
  return true;
}

bool TfrmLicencja::OnClose() {
  EndModal(IDOK);
  return true;
}

HBRUSH TfrmLicencja::OnControlColor(HDC dc, HWND control) {
  // A read-only memo would be grey; the text reads better on the window colour.
  if (control != memLicencja_.Hwnd()) return nullptr;
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return GetSysColorBrush(COLOR_WINDOW);
}
