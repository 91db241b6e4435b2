#include "app/win32/OProgramie.h"

#include "app/win32/ZasobyGlowne.h"

namespace {

constexpr wchar_t kClass[] = L"TfrmOProgramie";

// Design sizes at 96 dpi.
constexpr int kWidth = 380;
constexpr int kHeight = 226;
constexpr int kBanner = 84;  // white band with the icon and the name
constexpr int kIcon = 48;

}  // namespace

TfrmOProgramie::TfrmOProgramie() = default;

TfrmOProgramie::~TfrmOProgramie() {
  Destroy();
  if (icon_) DestroyIcon(icon_);
  if (iconSmall_) DestroyIcon(iconSmall_);
}

bool TfrmOProgramie::Utworz(HWND owner) {
  win::FormStyle style;
  style.face = L"Tahoma";
  // A plain frame: the program's icon stands in the caption.
  style.dialogFrame = false;
  if (!CreateForm(kClass, "O programie", kWidth, kHeight, owner, style)) return false;
  FormCreate();
  return true;
}

void TfrmOProgramie::FormCreate() {
  // The big icon also stands in the caption and in Alt+Tab.
  icon_ = static_cast<HICON>(
      LoadImageW(win::Instance(), MAKEINTRESOURCEW(IDI_KALMO), IMAGE_ICON, S(kIcon), S(kIcon), 0));
  SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  iconSmall_ = static_cast<HICON>(LoadImageW(win::Instance(), MAKEINTRESOURCEW(IDI_KALMO), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconSmall_));

  // The name and the subtitle stand on the white band painted by OnPaint; they carry the texts
  // that a reader of the window (and its tests) looks for.
  labNazwa_ = AddLabel("labNazwa", "Kalmo", {84, 14, 280, 34});
  win::SetFont(labNazwa_.Hwnd(), BoldFont(20));
  const win::Control opis = AddLabel("labOpis", "ASYSTENT KOMPUTEROWY", {86, 50, 280, 18});
  win::SetFont(opis.Hwnd(), BoldFont(9));
  AddLabel("labWersja", "wersja 2.02", {86, kBanner + 14, 280, 16});
  AddLabel("labFirma", "Meltrax Software", {86, kBanner + 32, 280, 16});
  AddLabel("labInfo", "Pilnuje czasu pracy i przerw, pamięta historię schowka i skróty do folderów.",
           {86, kBanner + 50, 280, 30});
  cmdZamknij_ = AddButton("cmdZamknij", "Zamknij", {kWidth - 92, kHeight - 34, 80, 24}, [this] { cmdZamknijClick(); },
                          IDOK, true);
  SetClickHandler(IDCANCEL, [this] { cmdZamknijClick(); });
  cmdZamknij_.Focus();
}

void TfrmOProgramie::cmdZamknijClick() { EndModal(IDOK); }

bool TfrmOProgramie::OnClose() {
  cmdZamknijClick();
  return true;
}

void TfrmOProgramie::OnPaint(HDC dc, const RECT&) {
  RECT client{};
  GetClientRect(Hwnd(), &client);
  RECT band{0, 0, client.right, S(kBanner)};
  FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT line{0, band.bottom, client.right, band.bottom + 2};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  if (icon_) DrawIconEx(dc, S(20), (band.bottom - S(kIcon)) / 2, icon_, S(kIcon), S(kIcon), 0, nullptr, DI_NORMAL);
  RECT bottom{S(12), client.bottom - S(44), client.right - S(12), client.bottom - S(42)};
  DrawEdge(dc, &bottom, EDGE_ETCHED, BF_TOP);
}

HBRUSH TfrmOProgramie::OnControlColor(HDC dc, HWND control) {
  if (control == cmdZamknij_.Hwnd()) return nullptr;
  // The labels on the white band are white-backed, the others keep the face colour.
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
  if (r.top < S(kBanner)) {
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, control == labNazwa_.Hwnd() ? RGB(30, 84, 150) : RGB(64, 64, 64));
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}
