#include "app/win32/OProgramie.h"

#include "app/win32/ZasobyGlowne.h"

namespace {

constexpr wchar_t kClass[] = L"TfrmOProgramie";
constexpr int kCmdZamknij = 1;

// Design sizes at 96 dpi.
constexpr int kWidth = 380;
constexpr int kHeight = 226;
constexpr int kBanner = 84;  // white band with the icon and the name

}  // namespace

TfrmOProgramie::TfrmOProgramie() = default;

TfrmOProgramie::~TfrmOProgramie() {
  Destroy();
  if (fontNormal_) DeleteObject(fontNormal_);
  if (fontNazwa_) DeleteObject(fontNazwa_);
  if (fontPodtytul_) DeleteObject(fontPodtytul_);
  if (icon_) DestroyIcon(icon_);
  if (iconSmall_) DestroyIcon(iconSmall_);
}

bool TfrmOProgramie::Utworz(HWND owner) {
  owner_ = owner;
  RegisterFormClass(kClass);
  int dpi = win::ScreenDpi();
  fontNormal_ = win::CreateFontPt(L"Tahoma", 8, false, false, false, dpi);
  fontNazwa_ = win::CreateFontPt(L"Tahoma", 20, true, false, false, dpi);
  fontPodtytul_ = win::CreateFontPt(L"Tahoma", 9, true, false, false, dpi);
  int size = win::Scale(48, dpi);
  icon_ = static_cast<HICON>(LoadImageW(win::Instance(), MAKEINTRESOURCEW(IDI_KALMO), IMAGE_ICON, size, size, 0));
  if (!Create(kClass, "O programie", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
              CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner))
    return false;
  FormCreate();
  return true;
}

void TfrmOProgramie::FormCreate() {
  int dpi = win::ScreenDpi();
  SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(fontNormal_), FALSE);
  win::SetClientSize(Hwnd(), win::Scale(kWidth, dpi), win::Scale(kHeight, dpi));
  // The big icon also stands in the caption and in Alt+Tab.
  SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  iconSmall_ = static_cast<HICON>(LoadImageW(win::Instance(), MAKEINTRESOURCEW(IDI_KALMO), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconSmall_));

  auto s = [dpi](int v) { return win::Scale(v, dpi); };
  auto label = [&](const char* name, const std::string& text, int x, int y, int w, int h, HFONT font) {
    HWND l = win::CreateChild(Hwnd(), L"STATIC", name, 0, text, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, s(x), s(y), s(w),
                              s(h));
    win::SetFont(l, font);
    return l;
  };
  // The name and the subtitle are painted on the white band (FormPaint); these labels sit below it
  // and carry the texts that a reader of the window (and its tests) looks for.
  label("labNazwa", "Kalmo", 84, 14, 280, 34, fontNazwa_);
  label("labOpis", "ASYSTENT KOMPUTEROWY", 86, 50, 280, 18, fontPodtytul_);
  label("labWersja", "wersja 2.02", 86, kBanner + 14, 280, 16, fontNormal_);
  label("labFirma", "Meltrax Software", 86, kBanner + 32, 280, 16, fontNormal_);
  label("labInfo", "Pilnuje czasu pracy i przerw, pamięta historię schowka i skróty do folderów.", 86,
        kBanner + 50, 280, 30, fontNormal_);

  cmdZamknij_ = win::CreateChild(Hwnd(), L"BUTTON", "cmdZamknij", kCmdZamknij, "Zamknij",
                                 WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, s(kWidth - 92), s(kHeight - 34), s(80),
                                 s(24));
  win::SetFont(cmdZamknij_, fontNormal_);
  if (owner_ && IsWindowVisible(owner_)) {
    // centred on a visible owner, otherwise (the hidden main window) on the screen
    RECT o{}, r{};
    GetWindowRect(owner_, &o);
    GetWindowRect(Hwnd(), &r);
    SetWindowPos(Hwnd(), nullptr, o.left + (o.right - o.left - (r.right - r.left)) / 2,
                 o.top + (o.bottom - o.top - (r.bottom - r.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  } else {
    win::CenterOnScreen(Hwnd());
  }
  SetFocus(cmdZamknij_);
}

void TfrmOProgramie::cmdZamknijClick() { EndModal(IDOK); }

void TfrmOProgramie::FormPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Hwnd(), &ps);
  int dpi = win::ScreenDpi();
  RECT client{};
  GetClientRect(Hwnd(), &client);
  RECT band{0, 0, client.right, win::Scale(kBanner, dpi)};
  FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT line{0, band.bottom, client.right, band.bottom + 2};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  if (icon_) {
    int size = win::Scale(48, dpi);
    DrawIconEx(dc, win::Scale(20, dpi), (band.bottom - size) / 2, icon_, size, size, 0, nullptr, DI_NORMAL);
  }
  RECT bottom{win::Scale(12, dpi), client.bottom - win::Scale(44, dpi), client.right - win::Scale(12, dpi),
              client.bottom - win::Scale(42, dpi)};
  DrawEdge(dc, &bottom, EDGE_ETCHED, BF_TOP);
  EndPaint(Hwnd(), &ps);
}

LRESULT TfrmOProgramie::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      FormPaint();
      return 0;
    case WM_CTLCOLORSTATIC: {
      // labels on the white band are white-backed, the others keep the face colour
      HWND control = reinterpret_cast<HWND>(lp);
      RECT r{};
      GetWindowRect(control, &r);
      MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
      HDC dc = reinterpret_cast<HDC>(wp);
      if (r.top < win::Scale(kBanner, win::ScreenDpi())) {
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, control == win::FindControl(Hwnd(), "labNazwa") ? RGB(30, 84, 150) : RGB(64, 64, 64));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
      }
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_COMMAND:
      if (LOWORD(wp) == kCmdZamknij || LOWORD(wp) == IDCANCEL || LOWORD(wp) == IDOK) {
        cmdZamknijClick();
        return 0;
      }
      break;
    case WM_CLOSE:
      cmdZamknijClick();
      return 0;
  }
  return Default(msg, wp, lp);
}
