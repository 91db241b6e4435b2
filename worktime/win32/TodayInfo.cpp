#include "worktime/win32/TodayInfo.h"

#include "settings/Globalne.h"
#include "settings/Rejestr.h"
#include "settings/Komunikaty.h"
#include "worktime/InfoSaver.h"
#include "worktime/OstrzegaczUtils.h"
#include "common/win32/Controls.h"
#include "common/win32/Form.h"
#include "worktime/win32/Zwolnienie.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmTodayInfo";
constexpr int kKodOkna = KodOkna(Okno::InformacjeDnia);
enum : int { idPbAktywnosc = 10, idLabCaCzasPracy, idLabCzasFazy, idCmdZamknij, idPodpis, idLegenda };

// Sizes at 96 dpi, scaled to the window's monitor: window 634 x 226, panel 606 x 139, frame
// 589 x 65 around the strip 576 x 56.
constexpr int kOknoW = 634, kOknoH = 226;
constexpr int kPanelW = 606, kPanelH = 139;
constexpr int kRamkaW = 589, kRamkaH = 65;

struct Legenda {
  COLORREF kolor;
  const char* tekst;
};
constexpr Legenda kLegenda[] = {
    {RGB(240, 240, 80), "czas pracy"},
    {RGB(240, 60, 40), "więcej niż ustalono"},
    {RGB(255, 255, 255), "teraz"},
    {RGB(110, 110, 110), "brak aktywności"},
};

void Wykonaj(HDC dc, const Rysunek& r) {
  HGDIOBJ stary = SelectObject(dc, GetStockObject(DC_BRUSH));
  for (const OperacjaRysowania& o : r) {
    if (o.rodzaj == OperacjaRysowania::Wypelnij) {
      SetDCBrushColor(dc, RGB(o.kolor.r, o.kolor.g, o.kolor.b));
      RECT rc{o.left, o.top, o.right, o.bottom};
      FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    } else {
      const std::wstring t = win::Widen(o.tekst);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(o.kolor.r, o.kolor.g, o.kolor.b));
      TextOutW(dc, o.left, o.top, t.c_str(), static_cast<int>(t.size()));
    }
  }
  SelectObject(dc, stary);
}

// The window's face at a DPI; the strip's texts are drawn at 96 dpi and scaled with the strip.
HFONT CzcionkaOkna(int dpi = 96) { return win::FormFont(L"Tahoma", 8, dpi); }

}  // namespace

TfrmTodayInfo::TfrmTodayInfo(ZrodloDnia dzien, HWND glowne) : dzien_(std::move(dzien)), glowne_(glowne) {
  FormCreate();
}

TfrmTodayInfo::~TfrmTodayInfo() {
  if (Hwnd()) DestroyWindow(Hwnd());
  if (pum_) DestroyMenu(pum_);
}

void TfrmTodayInfo::FormCreate() {
  RegisterFormClass(kKlasa);
  HWND h = Create(kKlasa, "Informacja dnia", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                  WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, CW_USEDEFAULT, CW_USEDEFAULT, kOknoW, kOknoH);
  if (!h) return;
  dpi_ = win::DpiOf(h);
  SetWindowPos(h, nullptr, 0, 0, S(kOknoW), S(kOknoH), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UtworzKontrolki();
  SetClickHandler(idCmdZamknij, [this] { cmdZamknijClick(); });
  SetClickHandler(IDCANCEL, [this] { Ukryj(); });  // Escape: like the close box
  SetClickHandler(kIdMnuAktywnosc3D, [this] { mnuAktywnosc3DClick(); });

  pum_ = CreatePopupMenu();
  AppendMenuW(pum_, MF_STRING, kIdMnuAktywnosc3D, win::Widen("widok 3D").c_str());
  trzyD_ = RejReadString(wartosc::Aktywnosc3D, kNie) == kTak;
  CheckMenuItem(pum_, kIdMnuAktywnosc3D, MF_BYCOMMAND | (trzyD_ ? MF_CHECKED : MF_UNCHECKED));
  win::CenterOnScreen(h);
  WypelnijTeksty();
}

void TfrmTodayInfo::UtworzKontrolki() {
  HWND h = Hwnd();
  win::SetFont(h, CzcionkaOkna(dpi_));
  RECT klient{};
  GetClientRect(h, &klient);
  panel_ = {(klient.right - S(kPanelW)) / 2, S(8), 0, 0};
  panel_.right = panel_.left + S(kPanelW);
  panel_.bottom = panel_.top + S(kPanelH);
  ramka_ = {panel_.left + S(kPanelW - kRamkaW) / 2, panel_.top + S(62), 0, 0};
  ramka_.right = ramka_.left + S(kRamkaW);
  ramka_.bottom = ramka_.top + S(kRamkaH);

  const int x = panel_.left + S(14);
  const int wPodpisu = win::TextWidth(CzcionkaOkna(dpi_), kPodpisCalkowityCzas) + S(6);
  win::CreateChild(h, L"STATIC", "labPodpisCzasuPracy", idPodpis, kPodpisCalkowityCzas,
                   WS_VISIBLE | SS_LEFT | SS_NOPREFIX, x, panel_.top + S(14), wPodpisu, S(16));
  labCaCzasPracy_ = win::CreateChild(h, L"STATIC", "labCaCzasPracy", idLabCaCzasPracy, "",
                                     WS_VISIBLE | SS_LEFT | SS_NOPREFIX, x + wPodpisu, panel_.top + S(14), S(300), S(16));
  labCzasFazy_ = win::CreateChild(h, L"STATIC", "labCzasFazy", idLabCzasFazy, "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                  x, panel_.top + S(36), S(kPanelW - 28), S(16));
  pbAktywnosc_ = win::CreateChild(h, L"STATIC", "pbAktywnosc", idPbAktywnosc, "", WS_VISIBLE | SS_OWNERDRAW,
                                  ramka_.left + S(kRamkaW - kSzerokoscPaska) / 2,
                                  ramka_.top + S(kRamkaH - kWysokoscPaska) / 2, S(kSzerokoscPaska), S(kWysokoscPaska));
  UtworzLegende();
  cmdZamknij_ = win::CreateChild(h, L"BUTTON", "cmdZamknij", idCmdZamknij, "Zamknij",
                                 WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, panel_.right - S(88),
                                 panel_.bottom + S(10), S(88), S(26));
}

bool TfrmTodayInfo::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // Made again at the new scale: they hold nothing the texts below do not give back.
  const bool fokus = GetFocus() == cmdZamknij_;
  for (HWND c = GetWindow(Hwnd(), GW_CHILD); c; c = GetWindow(Hwnd(), GW_CHILD)) win::DestroyControl(c);
  UtworzKontrolki();
  WypelnijTeksty();
  if (fokus) SetFocus(cmdZamknij_);
  InvalidateRect(Hwnd(), nullptr, TRUE);
  return true;
}

// The legend under the panel, left of the button.
void TfrmTodayInfo::UtworzLegende() {
  int lx = panel_.left + S(4);
  const int ly = panel_.bottom + S(16);
  int i = 0;
  for (const Legenda& l : kLegenda) {
    legenda_[i] = {lx, ly + S(2), lx + S(12), ly + S(14)};
    const int w = win::TextWidth(CzcionkaOkna(dpi_), l.tekst) + S(4);
    win::CreateChild(Hwnd(), L"STATIC", "labLegenda" + std::to_string(i + 1), idLegenda + i, l.tekst,
                     WS_VISIBLE | SS_LEFT | SS_NOPREFIX, lx + S(17), ly, w, S(16));
    lx += S(17) + w + S(18);
    ++i;
  }
}

void TfrmTodayInfo::WypelnijTeksty() {
  const StanDnia d = dzien_();
  const TekstyDnia t = UlozTekstyDnia(d.praca, d.nieprzerwanaPraca, d.przerwa, d.wPrzerwie);
  win::SetText(labCaCzasPracy_, t.caCzasPracy);
  win::SetText(labCzasFazy_, t.czasFazy);
}
void TfrmTodayInfo::Pokaz() {
  if (!Hwnd()) return;
  if (zwolnione_) {  // asked for again before the main window freed it
    CofnijZwolnienie(glowne_, kKodOkna);
    zwolnione_ = false;
  }
  WypelnijTeksty();
  SetTimer(Hwnd(), kTimerId, kOkresMigacza, nullptr);
  timer_ = true;
  ShowWindow(Hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(Hwnd());
  InvalidateRect(pbAktywnosc_, nullptr, FALSE);
}

void TfrmTodayInfo::Ukryj() {
  if (timer_ && Hwnd()) KillTimer(Hwnd(), kTimerId);
  timer_ = false;
  if (Hwnd()) ShowWindow(Hwnd(), SW_HIDE);
}

void TfrmTodayInfo::cmdZamknijClick() {
  RejWriteString(wartosc::Aktywnosc3D, trzyD_ ? kTak : kNie);
  Ukryj();
  WyslijZwolnienie(glowne_, kKodOkna);
  zwolnione_ = true;
}

void TfrmTodayInfo::mnuAktywnosc3DClick() {
  trzyD_ = !trzyD_;
  CheckMenuItem(pum_, kIdMnuAktywnosc3D, MF_BYCOMMAND | (trzyD_ ? MF_CHECKED : MF_UNCHECKED));
  InvalidateRect(pbAktywnosc_, nullptr, FALSE);
  UpdateWindow(pbAktywnosc_);
}

Rysunek TfrmTodayInfo::Pasek(HDC) const {
  const StanDnia d = dzien_();
  return RysujAktywnosc(d.aktywnosc, d.limity.GodzinaPrzelaczenia, d.limity.caPracyDoPrzerwy, trzyD_,
                        [](const std::string& t) { return win::TextWidth(CzcionkaOkna(), t); });
}

void TfrmTodayInfo::Rysuj(HDC dc) {
  // Drawn off screen first: a 3D strip is some ten thousand fills.
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, kSzerokoscPaska, kWysokoscPaska);
  HGDIOBJ staraB = SelectObject(mem, bmp);
  HGDIOBJ staraF = SelectObject(mem, CzcionkaOkna());
  RECT wszystko{0, 0, kSzerokoscPaska, kWysokoscPaska};
  FillRect(mem, &wszystko, GetSysColorBrush(COLOR_BTNFACE));
  Wykonaj(mem, Pasek(mem));
  if (dpi_ == 96) {
    BitBlt(dc, 0, 0, kSzerokoscPaska, kWysokoscPaska, mem, 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, S(kSzerokoscPaska), S(kWysokoscPaska), mem, 0, 0, kSzerokoscPaska, kWysokoscPaska, SRCCOPY);
  }
  SelectObject(mem, staraF);
  SelectObject(mem, staraB);
  DeleteObject(bmp);
  DeleteDC(mem);
  RysujZnacznik(dc);
}

void TfrmTodayInfo::SkalujPasek(HDC dc) const {
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, kSzerokoscPaska, kWysokoscPaska, nullptr);
  SetViewportExtEx(dc, S(kSzerokoscPaska), S(kWysokoscPaska), nullptr);
}

void TfrmTodayInfo::RysujZnacznik(HDC dc) {
  flaga_ = !flaga_;
  const StanDnia d = dzien_();
  const int zapis = SaveDC(dc);
  SkalujPasek(dc);
  Wykonaj(dc, ::RysujZnacznik(d.terazDniaPracy, d.limity.GodzinaPrzelaczenia, flaga_, trzyD_));
  RestoreDC(dc, zapis);
}

void TfrmTodayInfo::tmrMigaczTimer() {
  if (!pbAktywnosc_) return;
  if (HDC dc = GetDC(pbAktywnosc_)) {
    RysujZnacznik(dc);
    ReleaseDC(pbAktywnosc_, dc);
  }
}

void TfrmTodayInfo::PokazMenuPaska(POINT p) {
  if (p.x == -1 && p.y == -1) {  // from the keyboard: at the strip
    RECT r{};
    GetWindowRect(pbAktywnosc_, &r);
    p = {r.left + 8, r.top + 8};
  }
  TrackPopupMenu(pum_, TPM_RIGHTBUTTON, p.x, p.y, 0, Hwnd(), nullptr);
}

LRESULT TfrmTodayInfo::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CONTEXTMENU && reinterpret_cast<HWND>(wp) == pbAktywnosc_) {
    PokazMenuPaska(POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
    return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

bool TfrmTodayInfo::OnTimer(UINT_PTR id) {
  if (id != kTimerId) return false;
  tmrMigaczTimer();
  return true;
}

bool TfrmTodayInfo::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.CtlID != idPbAktywnosc) return false;
  Rysuj(d.hDC);
  return true;
}

void TfrmTodayInfo::OnPaint(HDC dc, const RECT&) {
  RECT p = panel_;
  DrawEdge(dc, &p, BDR_RAISEDINNER, BF_RECT);
  RECT r = ramka_;
  DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
  int i = 0;
  for (const Legenda& l : kLegenda) {
    SetDCBrushColor(dc, l.kolor);
    FillRect(dc, &legenda_[i], static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    FrameRect(dc, &legenda_[i], static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ++i;
  }
}

// The close box only hides; Aktywnosc3D is written by "Zamknij" alone.
bool TfrmTodayInfo::OnClose() {
  Ukryj();
  return true;
}

void PokazTodayInfo(std::unique_ptr<TfrmTodayInfo>& okno, const ZrodloDnia& dzien, HWND glowne) {
  if (!okno) okno = std::make_unique<TfrmTodayInfo>(dzien, glowne);
  okno->Pokaz();
}
