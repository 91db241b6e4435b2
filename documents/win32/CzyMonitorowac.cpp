#include "documents/win32/CzyMonitorowac.h"

#include "common/win32/Obrazki.h"
#include "documents/MonitorowanieDokumentow.h"
#include "settings/Komunikaty.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmCzyMonitorowac";
enum : int { idImgObrazek = 10, idLabel1, idLabDokument, idCmdTak, idCmdNie };

}  // namespace

TfrmCzyMonitorowac::TfrmCzyMonitorowac(TDokumenty& dokumenty, HWND glowne) : dokumenty_(dokumenty), glowne_(glowne) {
  FormCreate();
}

TfrmCzyMonitorowac::~TfrmCzyMonitorowac() {
  if (Hwnd()) DestroyWindow(Hwnd());
  if (font_) DeleteObject(font_);
  if (fontNaglowka_) DeleteObject(fontNaglowka_);
}

void TfrmCzyMonitorowac::FormCreate() {
  RegisterFormClass(kKlasa);
  const DWORD styl = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyl = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_TOPMOST;
  RECT r{0, 0, kSzerokosc, kWysokosc};
  AdjustWindowRectEx(&r, styl, FALSE, exStyl);
  HWND h = Create(kKlasa, "Czy monitorować", styl, exStyl, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                  r.bottom - r.top);
  if (!h) return;
  font_ = win::CreateFontPt(L"Tahoma", 8);
  fontNaglowka_ = win::CreateFontPt(L"Tahoma", 9, true);
  win::SetFont(h, font_);
  imgObrazek_ = win::CreateChild(h, L"STATIC", "imgObrazek", idImgObrazek, "Pytanie", WS_VISIBLE | SS_OWNERDRAW, 12,
                                 12, 71, 91);
  label1_ = win::CreateChild(h, L"STATIC", "Label1", idLabel1, "Czy monitorować poniższy dokument?",
                             WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 96, 14, 312, 18);
  win::SetFont(label1_, fontNaglowka_);
  labDokument_ = win::CreateChild(h, L"STATIC", "labDokument", idLabDokument, "",
                                  WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 96, 40, 312, 64);
  const DWORD przycisk = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY;
  cmdTak_ = win::CreateChild(h, L"BUTTON", "cmdTak", idCmdTak, "Tak", przycisk | BS_DEFPUSHBUTTON,
                             kSzerokosc - 2 * 88 - 12 - 6, kWysokosc - 36, 88, 26);
  cmdNie_ = win::CreateChild(h, L"BUTTON", "cmdNie", idCmdNie, "Nie", przycisk, kSzerokosc - 88 - 12, kWysokosc - 36,
                             88, 26);
  SetRememberedFocus(cmdTak_);
  win::CenterOnScreen(h);
}

void TfrmCzyMonitorowac::Pokaz(const std::string& tytul) {
  if (!Hwnd() || zamkniete_) return;
  tytul_ = tytul;
  win::SetText(labDokument_, tytul);
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
  dokumenty_.DodajMonitorwanyDokument(tytul);
  dokumenty_.UsunzListyTymczasowychDokumentow(tytul);
  Zamknij();
}

void TfrmCzyMonitorowac::cmdNieClick() {
  if (zamkniete_) return;
  const std::string tytul = tytul_;
  dokumenty_.AddDeclinedDocument(tytul);
  dokumenty_.UsunzListyTymczasowychDokumentow(tytul);
  Zamknij();
}

LRESULT TfrmCzyMonitorowac::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wp) == BN_CLICKED) {
        switch (LOWORD(wp)) {
          case idCmdTak: cmdTakClick(); return 0;
          case idCmdNie: cmdNieClick(); return 0;
          case IDCANCEL: Zamknij(); return 0;  // Escape: like the close box, no answer
        }
      }
      break;
    case WM_ACTIVATE:
      return KeepFocusOnActivate(wp);
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (di->CtlID != idImgObrazek) break;
      obrazki::RysujObrazek(di->hDC, di->rcItem, platform::rkPytanie, GetSysColor(COLOR_BTNFACE));
      return TRUE;
    }
    case WM_CLOSE:
      // The close box answers nothing: the candidate stays and is asked about again.
      Zamknij();
      return 0;
  }
  return Default(msg, wp, lp);
}

void AskWhetherToMonitor(std::unique_ptr<TfrmCzyMonitorowac>& okno, TDokumenty& dokumenty, HWND glowne,
                         const std::string& tytul) {
  if (!okno) okno = std::make_unique<TfrmCzyMonitorowac>(dokumenty, glowne);
  okno->Pokaz(tytul);
}
