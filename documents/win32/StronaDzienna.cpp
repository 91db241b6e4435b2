// "Czas pracy - dziennie": a bar per day entry in the colour of its hours against the limit, the
// connections as blue bars beside the days that had them.
#include "common/Komunika.h"
#include "documents/win32/StronyStatystyki.h"

namespace {

const KontrolkiCzasuPracy kNazwy{"chtCzasPracy",       "labCzasPracy",       "chbPolaczeniaModemoweDziennie",
                                 "cmdKopiujCzasPracy", "cmdCzasPracy",       "Do tyłu"};

}  // namespace

TStronaDzienna::TStronaDzienna(HWND form, const DaneStatystyki& dane, TloStron& tlo)
    : TStronaCzasuPracy(form, 0, dane, tlo, kNazwy) {
  BudujWykres();
}

void TStronaDzienna::WczytajOpcje(const StatisticsOptions& o) { Zastosuj(o.gradientDziennie, o.polaczeniaDziennie); }

void TStronaDzienna::ZapiszOpcje(StatisticsOptions& o) const {
  o.gradientDziennie = Wykres().Gradient();
  o.polaczeniaDziennie = Polaczenia();
}

wykres::Dane TStronaDzienna::DaneWykresu(bool polaczenia) const {
  const auto s = statystyka::SeriaDzienna(dane_.dni, dane_.zrodlo.limitSekund, polaczenia, DataSystemowa);
  wykres::Dane d = statystyka::WykresDzienny();
  d.serie = {s.praca, s.polaczenia};
  return d;
}

std::string TStronaDzienna::TekstPracy(const wykres::Punkt& slupek) const {
  return statystyka::TekstPracyDnia(slupek.etykieta, slupek.wartosc);
}

std::optional<std::string> TStronaDzienna::TekstPolaczen(int n) const {
  const int i = statystyka::DzienPolaczenia(dane_.dni, n);
  if (i >= 0) return statystyka::TekstPolaczenia(dane_.dni[i], dane_.cenaGrosz, separator_);
  PokazBlad("TfrmStatystyka.chtCzasPracyMouseMove", statystyka::kBrakPolaczenia);
  return std::nullopt;
}
