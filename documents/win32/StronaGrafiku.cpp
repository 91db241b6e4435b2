// "Czas pracy - grafik": the month's days as a grid, each with its hours as squares and its exact
// time; the buttons above it go a month back or forward, and so do the keys and the wheel on the
// grid, which takes the focus. Each month is read from the archive when it is shown.
#include <algorithm>

#include "documents/win32/StronyStatystyki.h"

namespace {

constexpr wchar_t kKroj[] = L"Arial";

}  // namespace

// The grid control ("grdMiesiac"): paints what its page draws, with a focus mark, and hands the
// page its keys and wheel.
class TSiatkaMiesiaca : public win::Window {
 public:
  TSiatkaMiesiaca(HWND rodzic, TStronaGrafiku& strona) : strona_(strona) {
    RegisterFormClass(L"TSiatkaMiesiaca", CS_DBLCLKS, nullptr, LoadCursorW(nullptr, IDC_ARROW));
    if (Create(L"TSiatkaMiesiaca", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 10, 10, rodzic))
      win::SetControlName(Hwnd(), "grdMiesiac");
  }
  ~TSiatkaMiesiaca() override {
    if (Hwnd()) win::DestroyControl(Hwnd());
  }

 protected:
  void OnPaint(HDC dc, const RECT&) override {
    RECT r{};
    GetClientRect(Hwnd(), &r);
    strona_.RysujSiatke(dc, r.right, r.bottom);
    if (GetFocus() == Hwnd()) RysujZnacznikFokusu(dc, Hwnd());
  }
  bool OnKey(UINT msg, UINT key, LPARAM) override {
    if (msg != WM_KEYDOWN) return false;
    switch (key) {
      case VK_LEFT: case VK_UP: case VK_PRIOR: strona_.cmdPoprzedniMiesiacClick(); return true;
      case VK_RIGHT: case VK_DOWN: case VK_NEXT: strona_.cmdNastepnyMiesiacClick(); return true;
      case VK_HOME: strona_.PierwszyMiesiac(); return true;
      case VK_END: strona_.OstatniMiesiac(); return true;
      case 'C':
        if (GetKeyState(VK_CONTROL) >= 0) return false;
        strona_.KopiujSiatke();
        return true;
    }
    return false;
  }
  bool OnMouse(UINT msg, POINT, WPARAM) override {
    if (msg != WM_LBUTTONDOWN) return false;
    SetFocus(Hwnd());
    return true;
  }
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_GETDLGCODE: return DLGC_WANTARROWS;
      case WM_ERASEBKGND: return 1;  // the paint covers it all
      case WM_SETFOCUS:
      case WM_KILLFOCUS: InvalidateRect(Hwnd(), nullptr, FALSE); break;
    }
    return Window::HandleMessage(msg, wp, lp);
  }

 private:
  TStronaGrafiku& strona_;
};

TStronaGrafiku::TStronaGrafiku(HWND form, const DaneStatystyki& dane, TloStron& tlo)
    : TStronaStatystyki(form, 1, dane, tlo), miesiac_(statystyka::PierwszyDzien(dane.zrodlo.dzis)) {
  // The grid first: the page's first stop of the Tab key.
  grdMiesiac_ = std::make_unique<TSiatkaMiesiaca>(Hwnd(), *this);
  cmdPoprzedniMiesiac_ = AddButton("cmdPoprzedniMiesiac", "<< Poprzedni", {}, [this] { cmdPoprzedniMiesiacClick(); });
  labMiesiacRok_ = AddLabel("labMiesiacRok", "", {}, SS_CENTER | SS_CENTERIMAGE | SS_ENDELLIPSIS);
  win::SetFont(labMiesiacRok_.Hwnd(), BoldFont(10));
  cmdNastepnyMiesiac_ = AddButton("cmdNastepnyMiesiac", "Następny >>", {}, [this] { cmdNastepnyMiesiacClick(); });
  WczytajMiesiac();
}

TStronaGrafiku::~TStronaGrafiku() = default;

HWND TStronaGrafiku::Siatka() const { return grdMiesiac_ ? grdMiesiac_->Hwnd() : nullptr; }

void TStronaGrafiku::cmdPoprzedniMiesiacClick() { PokazMiesiac(statystyka::PoprzedniMiesiac(miesiac_)); }

void TStronaGrafiku::cmdNastepnyMiesiacClick() { PokazMiesiac(statystyka::NastepnyMiesiac(miesiac_)); }

void TStronaGrafiku::PierwszyMiesiac() {
  PokazMiesiac(dane_.dni.empty() ? dane_.zrodlo.dzis : dane_.dni.front().Date);
}

void TStronaGrafiku::OstatniMiesiac() { PokazMiesiac(dane_.zrodlo.dzis); }

void TStronaGrafiku::PokazMiesiac(double data) {
  const double nowy = statystyka::PierwszyDzien(data);
  if (nowy == miesiac_ && komorki_.rows) return;
  miesiac_ = nowy;
  WczytajMiesiac();
}

void TStronaGrafiku::WczytajMiesiac() {
  // A missing archive has been reported when the window read it: not again for every month.
  const ZrodloStatystyki& z = dane_.zrodlo;
  komorki_ = WczytajCzasyPracyDlaMiesiaca(z.plikArchiwum, miesiac_, z.dzis, z.dzisSekundy, dane_.archiwumWczytane);
  UstawTekst(labMiesiacRok_, statystyka::NaglowekMiesiaca(miesiac_));
  Rozmiesc();  // six rows of days are lower than five
}

void TStronaGrafiku::RysujSiatke(HDC dc, int szerokosc, int wysokosc) const {
  // Measured at 96 dpi like the cells; the drawing scales both to the page's DPI.
  HFONT czcionka = win::FormFont(kKroj, 8, 96);
  HGDIOBJ stara = SelectObject(dc, czcionka);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, stara);
  statystyka::WygladSiatki w;
  w.szerokoscCzasu = std::max(win::TextWidth(czcionka, "99:99"), win::TextWidth(czcionka, "991"));
  w.wysokoscTekstu = tm.tmHeight;
  w.tlo = KolorSystemowy(COLOR_WINDOW);
  w.tusz = KolorSystemowy(COLOR_WINDOWTEXT);
  RysujBuforowane(dc, szerokosc, wysokosc, statystyka::RysujSiatke(komorki_, dane_.zrodlo.limitSekund / 3600, w), kKroj,
                  Dpi());
}

bool TStronaGrafiku::KopiujSiatke() {
  RECT r{};
  GetClientRect(Siatka(), &r);
  HDC ekran = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(ekran);
  HBITMAP obraz = CreateCompatibleBitmap(ekran, std::max<int>(1, r.right), std::max<int>(1, r.bottom));
  HGDIOBJ stara = SelectObject(mem, obraz);
  RysujSiatke(mem, r.right, r.bottom);
  SelectObject(mem, stara);
  DeleteDC(mem);
  ReleaseDC(nullptr, ekran);
  const std::string tekst = statystyka::TekstSiatki(komorki_, miesiac_, DataSystemowa, SeparatorDziesietny());
  if (KopiujObrazITekst(Hwnd(), obraz, tekst)) return true;
  ZglosNieudaneKopiowanie();
  return false;
}

bool TStronaGrafiku::OnMouse(UINT msg, POINT, WPARAM klawisze) {
  // The wheel from a focused button: a month a notch, turned away from the user back in time.
  if (msg != WM_MOUSEWHEEL) return false;
  const short delta = static_cast<short>(HIWORD(klawisze));
  if (delta > 0) cmdPoprzedniMiesiacClick();
  else if (delta < 0) cmdNastepnyMiesiacClick();
  return true;
}

void TStronaGrafiku::Uloz(const RECT& a) {
  const statystyka::RozmiarSiatki siatka = statystyka::Rozmiar(komorki_);
  const int szerokosc = a.right - a.left, bh = S(25);
  const int srodek = a.left + szerokosc / 2, y = a.top + S(4);
  cmdPoprzedniMiesiac_.Place(srodek - S(230), y, S(110), bh);
  labMiesiacRok_.Place(srodek - S(115), y, S(230), bh);
  cmdNastepnyMiesiac_.Place(srodek + S(120), y, S(110), bh);
  // The grid's cells are laid out at 96 dpi and drawn at the page's scale.
  const int w = S(siatka.szerokosc), h = S(siatka.wysokosc);
  if (Siatka())
    win::Control(Siatka()).Place(std::max<int>(a.left, a.left + (szerokosc - w) / 2), a.top + S(38),
                                 std::min(w, szerokosc), h);
}
