// "Dokumnety": the monitored documents as a check list in a panel on the right (a click on an
// item's box, a double click, the space bar or Enter switches the selected one), the checked
// ones' times as bars on the left, what a bar is under the pointer, and a splitter between chart
// and panel that the user drags.
#include "documents/win32/StronyStatystyki.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "common/Tekstowe.h"
#include "common/TimeUtilities.h"

namespace {

constexpr int kWysokoscPozycji = 16;  // a check list item; its check box is as wide
constexpr int kMinPanel = 130;
constexpr int kDzielnik = 5;

}  // namespace

// The splitter: a strip with the sizing pointer that reports where it is dragged to, in its
// parent's coordinates. It is painted in its parent's colour for statics.
class TDzielnik : public win::Window {
 public:
  TDzielnik(HWND rodzic, std::function<void(int)> naPrzesunieciu) : naPrzesunieciu_(std::move(naPrzesunieciu)) {
    RegisterFormClass(L"TDzielnik", 0, nullptr, LoadCursorW(nullptr, IDC_SIZEWE));
    if (Create(L"TDzielnik", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, 0, rodzic)) win::SetControlName(Hwnd(), "Splitter1");
  }

 protected:
  bool OnMouse(UINT msg, POINT p, WPARAM) override {
    if (msg == WM_LBUTTONDOWN) {
      ciagnie_ = true;
      SetCapture(Hwnd());
    } else if (msg == WM_MOUSEMOVE && ciagnie_) {
      MapWindowPoints(Hwnd(), GetParent(Hwnd()), &p, 1);
      naPrzesunieciu_(p.x);
    } else if (msg == WM_LBUTTONUP && ciagnie_) {
      ReleaseCapture();
    } else if (msg == WM_CAPTURECHANGED) {
      ciagnie_ = false;
    } else {
      return false;
    }
    return true;
  }
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg != WM_ERASEBKGND) return Window::HandleMessage(msg, wp, lp);
    const auto tlo = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(Hwnd()), WM_CTLCOLORSTATIC, wp, reinterpret_cast<LPARAM>(Hwnd())));
    RECT r{};
    GetClientRect(Hwnd(), &r);
    FillRect(reinterpret_cast<HDC>(wp), &r, tlo ? tlo : GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }

 private:
  std::function<void(int)> naPrzesunieciu_;
  bool ciagnie_ = false;
};

TStronaDokumentow::TStronaDokumentow(HWND form, const DaneStatystyki& dane, TloStron& tlo)
    : TStronaWykresu(form, 3, dane, tlo, "chtDokumenty"), lista_(statystyka::ListaDokumentow(dane.zrodlo.dokumenty)) {
  const char* podpisy[] = {"Dokument:", "Czas dział.:", "Ost. zap.:"};
  const char* opisy[] = {"labDokument", "labCzasDzialania", "labOstatniZapis"};
  for (int i = 0; i < 3; ++i)
    podpisy_[i] = AddLabel("labPodpis" + std::to_string(i + 1), podpisy[i], {}, SS_LEFT | SS_ENDELLIPSIS);
  for (int i = 0; i < 3; ++i) opisy_[i] = AddLabel(opisy[i], "", {}, SS_LEFT | SS_ENDELLIPSIS);
  DodajPrzewijanie("cmdDokumenty", "Do tyłu");
  panDokumenty_ = AddGroup("panDokumenty", "Monitorowane dokumenty: ", {});
  chlMonitorowaneDokumenty_ =
      AddListBox("chlMonitorowaneDokumenty", {},
                 WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT);
  SetWindowSubclass(chlMonitorowaneDokumenty_.Hwnd(), ListaProc, 1, reinterpret_cast<DWORD_PTR>(this));
  for (const auto& p : lista_) chlMonitorowaneDokumenty_.Add(p.tekst);
  cmdWszystkie_ = AddButton("cmdWszystkie", "Zaznacz/Odznacz", {}, [this] { cmdWszystkieClick(); });
  dzielnik_ = std::make_unique<TDzielnik>(Hwnd(), [this](int x) { PrzesunDzielnik(x); });
  BudujWykres();
}

TStronaDokumentow::~TStronaDokumentow() = default;

void TStronaDokumentow::WczytajOpcje(const StatisticsOptions& o) {
  Wykres().UstawGradient(o.gradientDokumenty);
  // Stored at 96 dpi, so that the panel keeps its share of the text on any monitor.
  szerokoscPanelu_ = S(o.szerokoscPanelu);
  Rozmiesc();
}

void TStronaDokumentow::ZapiszOpcje(StatisticsOptions& o) const {
  o.gradientDokumenty = Wykres().Gradient();
  o.szerokoscPanelu = MulDiv(szerokoscPanelu_, 96, Dpi());
}

void TStronaDokumentow::OnDpiApplied(int oldDpi) {
  szerokoscPanelu_ = MulDiv(szerokoscPanelu_, Dpi(), oldDpi);
  chlMonitorowaneDokumenty_.Send(LB_SETITEMHEIGHT, 0, S(kWysokoscPozycji));
  Rozmiesc();
}

void TStronaDokumentow::BudujWykres() {
  wykres::Dane d = statystyka::WykresDokumentow();
  d.gradient = Wykres().Gradient();
  statystyka::UstawWykresDokumentow(d, lista_, dane_.zrodlo.dokumenty);
  Wykres().UstawDane(d);
}

void TStronaDokumentow::UstawZaznaczenie(int pozycja, bool zaznaczona) {
  if (pozycja < 0 || pozycja >= static_cast<int>(lista_.size())) return;
  lista_[pozycja].zaznaczona = zaznaczona;
  RECT r{};
  if (chlMonitorowaneDokumenty_.Send(LB_GETITEMRECT, pozycja, reinterpret_cast<LPARAM>(&r)) != LB_ERR)
    InvalidateRect(chlMonitorowaneDokumenty_.Hwnd(), &r, FALSE);
  BudujWykres();
}

void TStronaDokumentow::PrzelaczZaznaczenie(int pozycja) {
  if (pozycja >= 0 && pozycja < static_cast<int>(lista_.size())) UstawZaznaczenie(pozycja, !lista_[pozycja].zaznaczona);
}

void TStronaDokumentow::cmdWszystkieClick() {
  statystyka::ZaznaczWszystkie(lista_);
  InvalidateRect(chlMonitorowaneDokumenty_.Hwnd(), nullptr, FALSE);
  BudujWykres();
}

void TStronaDokumentow::WykresMouseMove(int seria, int punkt) {
  std::string nazwa, czas, zapis;
  const wykres::Dane& d = Wykres().Dane();
  if (seria == 0 && !d.serie.empty() && punkt >= 0 && punkt < static_cast<int>(d.serie[0].punkty.size())) {
    // A bar's label is the index of its record.
    const std::optional<long> i = CalaLiczba(d.serie[0].punkty[punkt].etykieta);
    if (i && *i >= 0 && *i < static_cast<long>(dane_.zrodlo.dokumenty.size())) {
      const DocumentRecord& r = dane_.zrodlo.dokumenty[*i];
      nazwa = r.Name;
      czas = FormatDuration(r.Seconds, 0);
      zapis = r.LastSeen > 0 ? DataSystemowa(r.LastSeen) : "";
    }
  }
  UstawTekst(opisy_[0], nazwa);
  UstawTekst(opisy_[1], czas);
  UstawTekst(opisy_[2], zapis);
}

void TStronaDokumentow::PrzesunDzielnik(int x) {
  // The splitter's middle follows the pointer.
  szerokoscPanelu_ = Obszar().right - x - (S(kDzielnik) + 1) / 2;
  Rozmiesc();
}

void TStronaDokumentow::Uloz(const RECT& a) {
  const int szerokosc = a.right - a.left, wysokosc = a.bottom - a.top, bw = S(85), bh = S(25), m = S(6);
  szerokoscPanelu_ = std::clamp(szerokoscPanelu_, S(kMinPanel), std::max(S(kMinPanel), szerokosc - S(300)));
  const int panel = szerokoscPanelu_, pl = a.right - panel;
  if (dzielnik_) win::Control(dzielnik_->Hwnd()).Place(pl - S(kDzielnik), a.top, S(kDzielnik), wysokosc);
  const int lewa = pl - S(kDzielnik) - a.left;  // the chart side
  UlozWykres(a.left, a.top, lewa, wysokosc - S(80));
  for (int i = 0; i < 3; ++i) {
    const int y = a.bottom - S(74) + i * S(22);
    podpisy_[i].Place(a.left, y, S(76), S(18));
    // The last row shares its line with the scroll buttons; a date fits beside them.
    const int w = i < 2 ? lewa - S(80) : lewa - S(80) - 2 * bw - 2 * m;
    opisy_[i].Place(a.left + S(80), y, std::max(S(10), w), S(18));
  }
  UlozPrzewijanie(a.left + lewa, a.bottom);
  panDokumenty_.Place(pl, a.top, panel, wysokosc);
  chlMonitorowaneDokumenty_.Place(pl + S(8), a.top + S(20), panel - S(16), wysokosc - S(20) - bh - S(16));
  cmdWszystkie_.Place(pl + S(8), a.bottom - bh - S(8), panel - S(16), bh);
}

bool TStronaDokumentow::OnMeasureItem(MEASUREITEMSTRUCT& m) {
  if (m.CtlType != ODT_LISTBOX) return false;
  m.itemHeight = S(kWysokoscPozycji);
  return true;
}

bool TStronaDokumentow::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.hwndItem != chlMonitorowaneDokumenty_.Hwnd()) return false;
  RysujPozycje(d);
  return true;
}

void TStronaDokumentow::RysujPozycje(const DRAWITEMSTRUCT& di) const {
  FillRect(di.hDC, &di.rcItem, GetSysColorBrush(COLOR_WINDOW));
  if (di.itemID < lista_.size()) {
    const statystyka::PozycjaDokumentu& p = lista_[di.itemID];
    const RECT& r = di.rcItem;
    const int h = r.bottom - r.top;
    RECT pole{r.left + 1, r.top + 1, r.left + h - 1, r.bottom - 1};
    DrawFrameControl(di.hDC, &pole, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (p.zaznaczona ? DFCS_CHECKED : 0));
    const int l = r.left + h + 2;
    RECT probka{l + 2, r.top + 2, l + h - 2, r.bottom - 2};
    // White and yellow swatches stay visible on the list's own colour.
    const wykres::Kolor k = wykres::Czytelny(statystyka::KolorDokumentu(p.kolor), {KolorSystemowy(COLOR_WINDOW)});
    SetDCBrushColor(di.hDC, RGB(k.r, k.g, k.b));
    FillRect(di.hDC, &probka, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    FrameRect(di.hDC, &probka, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const std::string nazwa = p.tekst.size() > 3 ? p.tekst.substr(3) : "";
    RECT t{l + h + 1, r.top, r.right, r.bottom};
    const bool wybrana = (di.itemState & ODS_SELECTED) != 0;
    if (wybrana) {
      RECT tlo{t.left - 1, t.top, std::min<LONG>(t.right, t.left + win::TextWidth(Font(), nazwa) + 2), t.bottom};
      FillRect(di.hDC, &tlo, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    SetBkMode(di.hDC, TRANSPARENT);
    SetTextColor(di.hDC, GetSysColor(wybrana ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::wstring w = win::Widen(nazwa);
    DrawTextW(di.hDC, w.c_str(), static_cast<int>(w.size()), &t,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (di.itemState & ODS_FOCUS) DrawFocusRect(di.hDC, &di.rcItem);
}

LRESULT CALLBACK TStronaDokumentow::ListaProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self) {
  auto* strona = reinterpret_cast<TStronaDokumentow*>(self);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // A click on an item's check box, or a double click anywhere on it, switches it.
      const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      const int pozycja = win::ListBox(h).ItemAt(p);
      const LRESULT wynik = DefSubclassProc(h, msg, wp, lp);
      if (pozycja >= 0 && (p.x < strona->S(kWysokoscPozycji) || msg == WM_LBUTTONDBLCLK))
        strona->PrzelaczZaznaczenie(pozycja);
      return wynik;
    }
    case WM_GETDLGCODE: {
      // Enter switches the selected item here rather than pressing a button of the window.
      const MSG* m = reinterpret_cast<const MSG*>(lp);
      const LRESULT kod = DefSubclassProc(h, msg, wp, lp);
      return m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN ? kod | DLGC_WANTMESSAGE : kod;
    }
    case WM_KEYDOWN:
      if (wp != VK_SPACE && wp != VK_RETURN) break;
      if (const int i = win::ListBox(h).Selected(); i >= 0) strona->PrzelaczZaznaczenie(i);
      return 0;
    case WM_CHAR:
      if (wp == ' ' || wp == '\r') return 0;  // switched on the key press; no search for a blank
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(h, ListaProc, id);
      break;
  }
  return DefSubclassProc(h, msg, wp, lp);
}
