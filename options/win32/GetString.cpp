#include "options/win32/GetString.h"

namespace {
constexpr wchar_t kKlasa[] = L"TfrmGetString";
}  // namespace

std::string TfrmGetString::Pokaz(HWND wlasciciel, const std::string& objasnienie) {
  wynik_.clear();
  win::FormStyle styl;
  styl.face = L"Tahoma";
  if (!CreateForm(kKlasa, "Wprowadź tekst", 360, 112, wlasciciel, styl)) return "";
  AddLabel("labObjasnienie", objasnienie, {12, 12, 336, 28});
  tbOdpowiedz_ = AddEdit("tbOdpowiedz", {12, 42, 336, 21});
  AddButton("cmdOk", "OK", {172, 76, 84, 26}, [this] { cmdOkClick(); }, IDOK, true);
  AddButton("cmdAnuluj", "Anuluj", {264, 76, 84, 26}, [this] { cmdAnulujClick(); }, IDCANCEL);
  SetRememberedFocus(tbOdpowiedz_.Hwnd());
  RunModal(wlasciciel, tbOdpowiedz_.Hwnd());
  Destroy();
  return wynik_;
}

void TfrmGetString::cmdOkClick() {
  wynik_ = tbOdpowiedz_.Text();
  EndModal(IDOK);
}

void TfrmGetString::cmdAnulujClick() {
  wynik_.clear();
  EndModal(IDCANCEL);
}

bool TfrmGetString::OnClose() {
  cmdAnulujClick();
  return true;
}

LRESULT TfrmGetString::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Back from another window, the typing goes on in the field.
  if (msg == WM_ACTIVATE) return KeepFocusOnActivate(wp);
  return Form::HandleMessage(msg, wp, lp);
}

std::string PobierzTekst(HWND wlasciciel, const std::string& objasnienie) {
  TfrmGetString okno;
  return okno.Pokaz(wlasciciel, objasnienie);
}
