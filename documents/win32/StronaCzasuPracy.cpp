// The part the two work-time pages share: their controls, their layout and their hover text.
#include "documents/win32/StronyStatystyki.h"

TStronaCzasuPracy::TStronaCzasuPracy(HWND form, const DaneStatystyki& dane, TloStron& tlo, const OpisStronyCzasu& opis)
    : TStronaWykresu(form, opis.numer, dane, tlo, opis.wykres), separator_(SeparatorDziesietny()), opis_(opis) {
  labOpis_ = AddLabel(opis.opis, "", {}, SS_LEFT | SS_ENDELLIPSIS);
  chbPolaczenia_ = AddCheckBox(opis.polaczenia, "Wyświetlanie połączeń modemowych", {},
                               [this] { chbPolaczeniaModemoweClick(); });
  cmdKopiuj_ = AddButton(opis.kopiuj, "Kopiuj", {}, [this] { cmdKopiujClick(); });
  AddHint(cmdKopiuj_, "Kopiuj wykres do schowka");
  DodajPrzewijanie(opis.przewijanie, opis.podpisTylu);
}

void TStronaCzasuPracy::WczytajOpcje(const StatisticsOptions& o) {
  Wykres().UstawGradient(o.*opis_.gradient);
  chbPolaczenia_.SetChecked(o.*opis_.pokazPolaczenia);
  chbPolaczeniaModemoweClick();
}

void TStronaCzasuPracy::ZapiszOpcje(StatisticsOptions& o) const {
  o.*opis_.gradient = Wykres().Gradient();
  o.*opis_.pokazPolaczenia = chbPolaczenia_.Checked();
}

void TStronaCzasuPracy::BudujWykres() {
  wykres::Dane d = DaneWykresu(chbPolaczenia_.Checked());
  d.gradient = Wykres().Gradient();
  Wykres().UstawDane(d);
}

void TStronaCzasuPracy::chbPolaczeniaModemoweClick() {
  const bool zaznaczone = chbPolaczenia_.Checked();
  if (zaznaczone) BudujWykres();
  Wykres().UstawAktywnosc(1, zaznaczone);
}

bool TStronaCzasuPracy::cmdKopiujClick() {
  if (Wykres().KopiujDoSchowka()) return true;
  ZglosNieudaneKopiowanie();
  return false;
}

void TStronaCzasuPracy::WykresMouseMove(int seria, int punkt) {
  std::string tekst;
  const wykres::Dane& d = Wykres().Dane();
  if (seria == 0 && !d.serie.empty() && punkt >= 0 && punkt < static_cast<int>(d.serie[0].punkty.size())) {
    tekst = opis_.tekstPracy(d.serie[0].punkty[punkt].etykieta, d.serie[0].punkty[punkt].wartosc);
  } else if (seria == 1) {
    const std::optional<std::string> polaczenia = TekstPolaczen(punkt);
    if (!polaczenia) return;
    tekst = *polaczenia;
  }
  UstawTekst(labOpis_, tekst);
}

void TStronaCzasuPracy::Uloz(const RECT& a) {
  const int szerokosc = a.right - a.left, bh = S(25);
  UlozWykres(a.left, a.top, szerokosc, a.bottom - a.top - S(60));
  labOpis_.Place(a.left, a.bottom - S(54), szerokosc, S(18));
  chbPolaczenia_.Place(a.left, a.bottom - bh, S(230), bh);
  cmdKopiuj_.Place(a.left + S(236), a.bottom - bh, S(70), bh);
  UlozPrzewijanie(a.right, a.bottom);
}
