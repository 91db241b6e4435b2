// The part the two work-time pages share: their controls, their layout and their hover text.
#include "documents/win32/StronyStatystyki.h"

namespace {

std::string SeparatorDziesietny() {
  wchar_t buf[8] = {};
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8);
  return n > 1 ? win::Narrow(buf, n - 1) : ",";
}

}  // namespace

TStronaCzasuPracy::TStronaCzasuPracy(HWND form, int numer, const DaneStatystyki& dane, TloStron& tlo,
                                     const KontrolkiCzasuPracy& nazwy)
    : TStronaWykresu(form, numer, dane, tlo, nazwy.wykres), separator_(SeparatorDziesietny()) {
  labOpis_ = AddLabel(nazwy.opis, "", {}, SS_LEFT | SS_ENDELLIPSIS);
  chbPolaczenia_ = AddCheckBox(nazwy.polaczenia, "Wyświetlanie połączeń modemowych", {},
                               [this] { chbPolaczeniaModemoweClick(); });
  cmdKopiuj_ = AddButton(nazwy.kopiuj, "Kopiuj", {}, [this] { cmdKopiujClick(); });
  AddHint(cmdKopiuj_, "Kopiuj wykres do schowka");
  DodajPrzewijanie(nazwy.przewijanie, nazwy.podpisTylu);
}

void TStronaCzasuPracy::BudujWykres() {
  wykres::Dane d = DaneWykresu(Polaczenia());
  d.gradient = Wykres().Gradient();
  Wykres().UstawDane(d);
}

void TStronaCzasuPracy::Zastosuj(bool gradient, bool polaczenia) {
  Wykres().UstawGradient(gradient);
  chbPolaczenia_.SetChecked(polaczenia);
  chbPolaczeniaModemoweClick();
}

void TStronaCzasuPracy::chbPolaczeniaModemoweClick() {
  const bool zaznaczone = Polaczenia();
  if (zaznaczone) BudujWykres();
  Wykres().UstawAktywnosc(1, zaznaczone);
}

bool TStronaCzasuPracy::cmdKopiujClick() { return Wykres().KopiujDoSchowka(); }

void TStronaCzasuPracy::WykresMouseMove(int seria, int punkt) {
  std::string tekst;
  const wykres::Dane& d = Wykres().Dane();
  if (seria == 0 && !d.serie.empty() && punkt >= 0 && punkt < static_cast<int>(d.serie[0].punkty.size())) {
    tekst = TekstPracy(d.serie[0].punkty[punkt]);
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
