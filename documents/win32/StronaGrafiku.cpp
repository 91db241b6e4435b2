// "Czas pracy - grafik": the month's days as a grid, each with its hours as squares; the buttons
// above it go a month back or forward, and each month is read from the archive when it is shown.
#include <algorithm>

#include "documents/win32/StronyStatystyki.h"

TStronaGrafiku::TStronaGrafiku(HWND form, const DaneStatystyki& dane, TloStron& tlo)
    : TStronaStatystyki(form, 1, dane, tlo), miesiac_(statystyka::PierwszyDzien(dane.zrodlo.dzis)) {
  cmdPoprzedniMiesiac_ = AddButton("cmdPoprzedniMiesiac", "<< Poprzedni", {}, [this] { cmdPoprzedniMiesiacClick(); });
  labMiesiacRok_ = AddLabel("labMiesiacRok", "", {}, SS_CENTER | SS_CENTERIMAGE | SS_ENDELLIPSIS);
  win::SetFont(labMiesiacRok_.Hwnd(), BoldFont(10));
  cmdNastepnyMiesiac_ = AddButton("cmdNastepnyMiesiac", "Następny >>", {}, [this] { cmdNastepnyMiesiacClick(); });
  grdMiesiac_ = AddControl(L"STATIC", "grdMiesiac", "", {}, WS_VISIBLE | SS_OWNERDRAW);
  WczytajMiesiac();
}

void TStronaGrafiku::cmdPoprzedniMiesiacClick() {
  miesiac_ = statystyka::PoprzedniMiesiac(miesiac_);
  WczytajMiesiac();
}

void TStronaGrafiku::cmdNastepnyMiesiacClick() {
  miesiac_ = statystyka::NastepnyMiesiac(miesiac_);
  WczytajMiesiac();
}

void TStronaGrafiku::WczytajMiesiac() {
  // A missing archive has been reported when the window read it: not again for every month.
  const ZrodloStatystyki& z = dane_.zrodlo;
  komorki_ = WczytajCzasyPracyDlaMiesiaca(z.plikArchiwum, miesiac_, z.dzis, z.dzisSekundy, dane_.archiwumWczytane);
  UstawTekst(labMiesiacRok_, statystyka::NaglowekMiesiaca(miesiac_));
  Rozmiesc();  // six rows of days are lower than five
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
  grdMiesiac_.Place(std::max<int>(a.left, a.left + (szerokosc - w) / 2), a.top + S(38), std::min(w, szerokosc), h);
}

bool TStronaGrafiku::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.hwndItem != grdMiesiac_.Hwnd()) return false;
  const int szerokosc991 = win::TextWidth(win::FormFont(L"Arial", 8, 96), "991");
  RECT r{};
  GetClientRect(d.hwndItem, &r);
  RysujBuforowane(d.hDC, r.right, r.bottom,
                  statystyka::RysujSiatke(komorki_, dane_.zrodlo.limitSekund / 3600, szerokosc991), L"Arial", Dpi());
  return true;
}
