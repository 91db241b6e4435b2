#include "keyboard/win32/ListaSkrotow.h"

#include <commctrl.h>
#include <windowsx.h>

#include "common/Komunika.h"
#include "platform/Platform.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmListaSkrotow";
constexpr int kWysokoscWpisu = 16;
constexpr int kSzerokosc = 202;

}  // namespace

TfrmListaSkrotow::TfrmListaSkrotow(std::string plik, std::function<void()> opcje)
    : plik_(std::move(plik)), opcje_(std::move(opcje)) {}

TfrmListaSkrotow::~TfrmListaSkrotow() {
  Destroy();
  if (menu_) DestroyMenu(menu_);
}

int TfrmListaSkrotow::ShowModal(HWND owner) {
  // An empty file would give a caption without entries: the user is told where shortcuts are made.
  if (WczytajSkroty(plik_).empty() && !DodajPierwszeSkroty()) return IDCANCEL;
  win::FormStyle styl;
  styl.contextHelp = true;
  styl.extraExStyle = WS_EX_TOPMOST;
  if (!CreateForm(kKlasa, "Lista skrótów folderów", kSzerokosc, kWysokoscWpisu, owner, styl)) return 0;
  FormCreate();
  Wypelnij();
  win::CenterOnMonitor(Hwnd(), owner);
  // Opened by a hotkey while another program is in front: the keys must come here.
  ShowWindow(Hwnd(), SW_SHOW);
  win::BringToForeground(Hwnd());
  const int wynik = RunModal(owner, lista_.Hwnd());
  Destroy();
  return wynik;
}

bool TfrmListaSkrotow::DodajPierwszeSkroty() {
  if (!opcje_ ||
      KomunikatPytanie("Lista skrótów folderów jest pusta. Czy otworzyć opcje, aby dodać skróty?", rkPytanie) != okTak)
    return false;
  opcje_();
  return !WczytajSkroty(plik_).empty();
}

void TfrmListaSkrotow::FormCreate() {
  lista_ = win::ListBox(AddControl(L"LISTBOX", "lstSkroty", "", {0, 0, 10, 10},
                                   WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                                       LBS_HASSTRINGS)
                            .Hwnd());
  // Keys act when released, so the list sees them itself.
  win::SetControlMessageHandler(lista_.Hwnd(), [this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& wynik) {
    return ListaKomunikat(msg, wp, lp, wynik);
  });
  SetClickHandler(kIdMnuOpcje, [this] { mnuOpcjeClick(); });
  SetClickHandler(IDCANCEL, [this] { EndModal(IDCANCEL); });
  menu_ = CreatePopupMenu();
  AppendMenuW(menu_, MF_STRING, kIdMnuOpcje, L"Opcje");
  UtworzPodpowiedz();
}

void TfrmListaSkrotow::UtworzPodpowiedz() {
  // The entry's folder as the list's hint.
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  podpowiedz_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0,
                                0, 0, 0, Hwnd(), nullptr, win::Instance(), nullptr);
  if (!podpowiedz_) return;
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = Hwnd();
  ti.uId = reinterpret_cast<UINT_PTR>(lista_.Hwnd());
  ti.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(podpowiedz_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageW(podpowiedz_, TTM_SETMAXTIPWIDTH, 0, S(400));
}

void TfrmListaSkrotow::Wypelnij() {
  lista_.Clear();
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
  lista_.Place(0, 0, klient.right, klient.bottom);
  for (size_t i = 0; i < skroty_.size(); ++i) lista_.Add(WpisSkrotu(static_cast<int>(i), skroty_[i].nazwa));
  lista_.Select(0);
  // Still on the screen after a change of height.
  RECT r{};
  GetWindowRect(Hwnd(), &r);
  if (r.bottom > obszar.bottom || r.top < obszar.top)
    SetWindowPos(Hwnd(), nullptr, r.left, obszar.top + (obszar.bottom - obszar.top - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmListaSkrotow::OtworzZaznaczony() {
  const int i = lista_.Selected();
  if (i < 0 || i >= static_cast<int>(skroty_.size())) return;
  constexpr int kSwRestore = 9;
  platform::Procs().Run(PolecenieEksploratora(FolderSkrotu(skroty_, i)), kSwRestore);
  EndModal(IDOK);
}

void TfrmListaSkrotow::mnuOpcjeClick() {
  if (opcje_) opcje_();
  Wypelnij();
  if (skroty_.empty()) EndModal(IDCANCEL);  // every shortcut removed: nothing left to choose
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
  lista_.Select(i);
  OtworzZaznaczony();
}

void TfrmListaSkrotow::MouseMove(POINT p) {
  const int i = lista_.ItemAt(p);
  if (i < 0 || i >= static_cast<int>(skroty_.size())) return;
  if (lista_.Selected() != i) lista_.Select(i);
  const std::wstring tekst = win::Widen(skroty_[i].folder);
  if (podpowiedz_ && tekst != tekstPodpowiedzi_) {
    tekstPodpowiedzi_ = tekst;
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = Hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(lista_.Hwnd());
    ti.lpszText = tekstPodpowiedzi_.data();
    SendMessageW(podpowiedz_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

bool TfrmListaSkrotow::ListaKomunikat(UINT msg, WPARAM wp, LPARAM lp, LRESULT& wynik) {
  wynik = 0;
  switch (msg) {
    case WM_GETDLGCODE:
      wynik = DLGC_WANTALLKEYS;
      return true;
    case WM_KEYDOWN:
      wcisniete_.set(wp & 0xFF);
      // Only the moving keys move the selection; the others act when released.
      return !(wp == VK_UP || wp == VK_DOWN || wp == VK_HOME || wp == VK_END || wp == VK_PRIOR || wp == VK_NEXT);
    case WM_CHAR:
      return true;  // no search by the first letter: the letters are keys of their own
    case WM_KEYUP:
      // Only a key pressed here: the release of the Enter that chose the list in the tray menu,
      // or of a hotkey's last key, is not a choice.
      if (wcisniete_.test(wp & 0xFF)) {
        wcisniete_.reset(wp & 0xFF);
        lstSkrotyKeyUp(wp);
      }
      return true;
    case WM_MOUSEMOVE:
      MouseMove({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return false;
    case WM_LBUTTONDOWN:
      // The list selects the entry under the pointer first.
      win::ControlDefault(lista_.Hwnd(), msg, wp, lp);
      OtworzZaznaczony();
      return true;
  }
  return false;
}

LRESULT TfrmListaSkrotow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_CONTEXTMENU) return Form::HandleMessage(msg, wp, lp);
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (p.x == -1 && p.y == -1) {
    RECT r{};
    GetWindowRect(lista_.Hwnd(), &r);
    p = {r.left + 8, r.top + 8};
  }
  TrackPopupMenu(menu_, TPM_RIGHTBUTTON, p.x, p.y, 0, Hwnd(), nullptr);
  return 0;
}

bool TfrmListaSkrotow::OnClose() {
  EndModal(IDCANCEL);
  return true;
}

bool TfrmListaSkrotow::OnMeasureItem(MEASUREITEMSTRUCT& m) {
  m.itemHeight = S(kWysokoscWpisu);
  return true;
}

bool TfrmListaSkrotow::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.hwndItem != lista_.Hwnd()) return false;
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
  return true;
}

HBRUSH TfrmListaSkrotow::OnControlColor(HDC, HWND control) {
  return control == lista_.Hwnd() ? GetSysColorBrush(COLOR_BTNFACE) : nullptr;
}
