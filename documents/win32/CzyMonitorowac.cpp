#include "documents/win32/CzyMonitorowac.h"

#include "common/win32/Obrazki.h"
#include "documents/MonitorowanieDokumentow.h"
#include "settings/Komunikaty.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmCzyMonitorowac";

}  // namespace

TfrmCzyMonitorowac::TfrmCzyMonitorowac(OdpowiedzNaPytanieFn odpowiedz, HWND glowne)
    : odpowiedz_(std::move(odpowiedz)), glowne_(glowne) {
  FormCreate();
  // A window that could not be made is released at once: the question comes again at a later
  // tick instead of never.
  if (!Hwnd()) Zamknij();
}

TfrmCzyMonitorowac::~TfrmCzyMonitorowac() { Destroy(); }

void TfrmCzyMonitorowac::FormCreate() {
  win::FormStyle styl;
  styl.face = L"Tahoma";
  styl.extraExStyle = WS_EX_TOPMOST;
  if (!CreateForm(kKlasa, "Czy monitorować", kSzerokosc, kWysokosc, nullptr, styl)) return;
  imgObrazek_ = AddControl(L"STATIC", "imgObrazek", "Pytanie", {12, 12, 71, 91}, WS_VISIBLE | SS_OWNERDRAW);
  const win::Control pytanie = AddLabel("Label1", "Czy monitorować poniższy dokument?", {96, 14, 312, 18});
  win::SetFont(pytanie.Hwnd(), BoldFont(9));
  labDokument_ = AddLabel("labDokument", "", {96, 40, 312, 64}, SS_LEFT | SS_EDITCONTROL);
  const int y = kWysokosc - 36, w = 88, h = 26;
  cmdTak_ = AddButton("cmdTak", "Tak", {kSzerokosc - 2 * w - 12 - 6, y, w, h}, [this] { cmdTakClick(); }, 0, true);
  cmdNie_ = AddButton("cmdNie", "Nie", {kSzerokosc - w - 12, y, w, h}, [this] { cmdNieClick(); });
  // Escape, through the dialog keys of the message loop: like the close box, no answer.
  SetClickHandler(IDCANCEL, [this] { Zamknij(); });
  SetRememberedFocus(cmdTak_.Hwnd());
}

void TfrmCzyMonitorowac::Pokaz(const std::string& tytul) {
  if (!Hwnd() || zamkniete_) return;
  tytul_ = tytul;
  labDokument_.SetText(tytul);
  // "Tak" takes the focus when the user turns to the window (KeepFocusOnActivate).
  SetWindowPos(Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TfrmCzyMonitorowac::Zamknij() {
  if (zamkniete_) return;
  zamkniete_ = true;
  if (Hwnd()) ShowWindow(Hwnd(), SW_HIDE);
  if (glowne_) PostMessageW(glowne_, WM_FREE_FORM, 0, KodOkna(Okno::CzyMonitorowac));
}

void TfrmCzyMonitorowac::cmdTakClick() {
  if (zamkniete_) return;
  const std::string tytul = tytul_;
  if (odpowiedz_) odpowiedz_(tytul, true);
  Zamknij();
}

void TfrmCzyMonitorowac::cmdNieClick() {
  if (zamkniete_) return;
  const std::string tytul = tytul_;
  if (odpowiedz_) odpowiedz_(tytul, false);
  Zamknij();
}

bool TfrmCzyMonitorowac::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.hwndItem != imgObrazek_.Hwnd()) return false;
  obrazki::RysujObrazek(d.hDC, d.rcItem, platform::rkPytanie, GetSysColor(COLOR_BTNFACE));
  return true;
}

bool TfrmCzyMonitorowac::OnClose() {
  Zamknij();
  return true;
}

LRESULT TfrmCzyMonitorowac::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ACTIVATE) return KeepFocusOnActivate(wp);
  return Form::HandleMessage(msg, wp, lp);
}

void AskWhetherToMonitor(std::unique_ptr<TfrmCzyMonitorowac>& okno, const OdpowiedzNaPytanieFn& odpowiedz,
                         HWND glowne, const std::string& tytul) {
  if (!okno) okno = std::make_unique<TfrmCzyMonitorowac>(odpowiedz, glowne);
  okno->Pokaz(tytul);
}
