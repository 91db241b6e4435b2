#include "keyboard/win32/ListaSkrotow.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/Platform.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmListaSkrotow";
enum { idLstSkroty = 101 };
constexpr int kWysokoscWpisu = 16;
constexpr int kSzerokosc = 202;
int S(int v) { return win::Scale(v, win::ScreenDpi()); }

}  // namespace

TfrmListaSkrotow::TfrmListaSkrotow(std::string plik, std::function<void()> opcje)
    : plik_(std::move(plik)), opcje_(std::move(opcje)) {}

TfrmListaSkrotow::~TfrmListaSkrotow() {
  if (podpowiedz_) DestroyWindow(podpowiedz_);
  Destroy();
  if (menu_) DestroyMenu(menu_);
  if (font_) DeleteObject(font_);
}

int TfrmListaSkrotow::ShowModal(HWND owner) {
  RegisterFormClass(kKlasa);
  if (!Create(kKlasa, "Lista skrótów folderów", WS_POPUP | WS_CAPTION | WS_SYSMENU,
              WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP | WS_EX_TOPMOST, 0, 0, S(kSzerokosc), 100, owner))
    return 0;
  font_ = win::CreateFontPt(L"MS Sans Serif", 8);
  win::SetFont(Hwnd(), font_);
  lista_ = win::CreateChild(Hwnd(), L"LISTBOX", "lstSkroty", idLstSkroty, "",
                            WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                                LBS_HASSTRINGS,
                            0, 0, 10, 10);
  // Keys act when released, so the list sees them itself.
  SetPropW(lista_, L"TfrmListaSkrotow", reinterpret_cast<HANDLE>(this));
  listaProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(lista_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TfrmListaSkrotow::ListaProc)));
  menu_ = CreatePopupMenu();
  AppendMenuW(menu_, MF_STRING, kIdMnuOpcje, L"Opcje");
  // The entry's folder as the list's hint.
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  podpowiedz_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0,
                                0, 0, 0, Hwnd(), nullptr, win::Instance(), nullptr);
  if (podpowiedz_) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = Hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(lista_);
    ti.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(podpowiedz_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(podpowiedz_, TTM_SETMAXTIPWIDTH, 0, S(400));
  }
  Wypelnij();
  win::CenterOnScreen(Hwnd());
  // Opened by a hotkey while another program is in front: the keys must come here.
  ShowWindow(Hwnd(), SW_SHOW);
  win::BringToForeground(Hwnd());
  SetFocus(lista_);
  const int wynik = win::Window::ShowModal(owner);
  Destroy();
  return wynik;
}

void TfrmListaSkrotow::Wypelnij() {
  SendMessageW(lista_, LB_RESETCONTENT, 0, 0);
  skroty_ = WczytajSkroty(plik_);
  RECT ramka{0, 0, S(kSzerokosc), 0};
  AdjustWindowRectEx(&ramka, static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE)));
  RECT obszar{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &obszar, 0);
  const int wysokosc = WysokoscListySkrotow(0, ramka.bottom - ramka.top, static_cast<int>(skroty_.size()),
                                            S(kWysokoscWpisu), obszar.bottom - obszar.top);
  SetWindowPos(Hwnd(), nullptr, 0, 0, S(kSzerokosc), wysokosc, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT klient{};
  GetClientRect(Hwnd(), &klient);
  MoveWindow(lista_, 0, 0, klient.right, klient.bottom, TRUE);
  for (size_t i = 0; i < skroty_.size(); ++i)
    SendMessageW(lista_, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(win::Widen(WpisSkrotu(static_cast<int>(i), skroty_[i].nazwa)).c_str()));
  SendMessageW(lista_, LB_SETCURSEL, 0, 0);
  // Still on the screen after a change of height.
  RECT r{};
  GetWindowRect(Hwnd(), &r);
  if (r.bottom > obszar.bottom || r.top < obszar.top)
    SetWindowPos(Hwnd(), nullptr, r.left, obszar.top + (obszar.bottom - obszar.top - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmListaSkrotow::OtworzZaznaczony() {
  const int i = static_cast<int>(SendMessageW(lista_, LB_GETCURSEL, 0, 0));
  if (i < 0 || i >= static_cast<int>(skroty_.size())) return;
  constexpr int kSwRestore = 9;
  platform::Procs().Run(PolecenieEksploratora(FolderSkrotu(skroty_, i)), kSwRestore);
  EndModal(IDOK);
}

void TfrmListaSkrotow::mnuOpcjeClick() {
  if (opcje_) opcje_();
  Wypelnij();
}

void TfrmListaSkrotow::lstSkrotyKeyUp(WPARAM key) {
  if (key == VK_ESCAPE) {
    EndModal(IDCANCEL);
    return;
  }
  if (key == VK_RETURN) {
    OtworzZaznaczony();
    return;
  }
  const int i = PozycjaDlaKlawisza(static_cast<int>(key), static_cast<int>(skroty_.size()));
  if (i < 0) return;
  SendMessageW(lista_, LB_SETCURSEL, i, 0);
  OtworzZaznaczony();
}

void TfrmListaSkrotow::MouseMove(POINT p) {
  const LRESULT r = SendMessageW(lista_, LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
  if (HIWORD(r)) return;  // outside the entries
  const int i = LOWORD(r);
  if (i >= static_cast<int>(skroty_.size())) return;
  if (SendMessageW(lista_, LB_GETCURSEL, 0, 0) != i) SendMessageW(lista_, LB_SETCURSEL, i, 0);
  const std::wstring tekst = win::Widen(skroty_[i].folder);
  if (podpowiedz_ && tekst != tekstPodpowiedzi_) {
    tekstPodpowiedzi_ = tekst;
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = Hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(lista_);
    ti.lpszText = tekstPodpowiedzi_.data();
    SendMessageW(podpowiedz_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

LRESULT CALLBACK TfrmListaSkrotow::ListaProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TfrmListaSkrotow*>(GetPropW(hwnd, L"TfrmListaSkrotow"));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  const WNDPROC poprzednia = self->listaProc_;
  switch (msg) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (wp == VK_UP || wp == VK_DOWN || wp == VK_HOME || wp == VK_END || wp == VK_PRIOR || wp == VK_NEXT) break;
      return 0;
    case WM_CHAR:
      return 0;  // no search by the first letter: the letters are keys of their own
    case WM_KEYUP:
      self->lstSkrotyKeyUp(wp);
      return 0;
    case WM_MOUSEMOVE:
      self->MouseMove({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      break;
    case WM_LBUTTONDOWN: {
      CallWindowProcW(poprzednia, hwnd, msg, wp, lp);
      self->OtworzZaznaczony();
      return 0;
    }
    case WM_NCDESTROY:
      RemovePropW(hwnd, L"TfrmListaSkrotow");
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(poprzednia));
      break;
  }
  return CallWindowProcW(poprzednia, hwnd, msg, wp, lp);
}

LRESULT TfrmListaSkrotow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == kIdMnuOpcje && HIWORD(wp) == 0) {
        mnuOpcjeClick();
        return 0;
      }
      if (LOWORD(wp) == IDCANCEL) {
        EndModal(IDCANCEL);
        return 0;
      }
      break;
    case WM_CONTEXTMENU: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (p.x == -1 && p.y == -1) {
        RECT r{};
        GetWindowRect(lista_, &r);
        p = {r.left + 8, r.top + 8};
      }
      TrackPopupMenu(menu_, TPM_RIGHTBUTTON, p.x, p.y, 0, Hwnd(), nullptr);
      return 0;
    }
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = S(kWysokoscWpisu);
      return TRUE;
    case WM_DRAWITEM: {
      const auto& d = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (d.CtlID != idLstSkroty) break;
      const bool zaznaczony = (d.itemState & ODS_SELECTED) != 0;
      FillRect(d.hDC, &d.rcItem, GetSysColorBrush(zaznaczony ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
      if (d.itemID != static_cast<UINT>(-1) && d.itemID < skroty_.size()) {
        // The label in a column of its own, so that the names line up after " 10".
        const std::wstring etykieta = win::Widen(EtykietaSkrotu(static_cast<int>(d.itemID)));
        const std::wstring nazwa = win::Widen(skroty_[d.itemID].nazwa);
        SetBkMode(d.hDC, TRANSPARENT);
        SetTextColor(d.hDC, GetSysColor(zaznaczony ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
        RECT r = d.rcItem;
        r.right = r.left + S(20);
        DrawTextW(d.hDC, etykieta.c_str(), static_cast<int>(etykieta.size()), &r,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_RIGHT);
        r = d.rcItem;
        r.left += S(30);
        DrawTextW(d.hDC, nazwa.c_str(), static_cast<int>(nazwa.size()), &r,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
      }
      return TRUE;
    }
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CLOSE:
      EndModal(IDCANCEL);
      return 0;
  }
  return Default(msg, wp, lp);
}
