// "Czas pracy - miesięcznie": a red bar per month, the connections beside them; a rectangle
// dragged over the chart zooms into it.
#include "common/Komunika.h"
#include "documents/win32/StronyStatystyki.h"

namespace {

const KontrolkiCzasuPracy kNazwy{"chtCzasPracyMiesiecznie",   "labCzasPracyMiesiecznie", "chbPolaczeniaModemoweMiesiecznie",
                                 "cmdMiesiaceCopyToClipboard", "cmdMiesiecznie",          "Do Tyłu"};

}  // namespace

TStronaMiesieczna::TStronaMiesieczna(HWND form, const DaneStatystyki& dane, TloStron& tlo)
    : TStronaCzasuPracy(form, 2, dane, tlo, kNazwy) {
  Wykres().PozwolPowiekszanie(true);
  BudujWykres();
}

void TStronaMiesieczna::WczytajOpcje(const StatisticsOptions& o) {
  Zastosuj(o.gradientMiesiecznie, o.polaczeniaMiesiecznie);
}

void TStronaMiesieczna::ZapiszOpcje(StatisticsOptions& o) const {
  o.gradientMiesiecznie = Wykres().Gradient();
  o.polaczeniaMiesiecznie = Polaczenia();
}

wykres::Dane TStronaMiesieczna::DaneWykresu(bool polaczenia) const {
  const auto s = statystyka::SeriaMiesieczna(dane_.miesiace, polaczenia);
  wykres::Dane d = statystyka::WykresMiesieczny();
  d.serie = {s.praca, s.polaczenia};
  return d;
}

std::string TStronaMiesieczna::TekstPracy(const wykres::Punkt& slupek) const {
  return statystyka::TekstPracyMiesiaca(slupek.etykieta, slupek.wartosc);
}

std::optional<std::string> TStronaMiesieczna::TekstPolaczen(int n) const {
  const int i = statystyka::MiesiacPolaczenia(dane_.miesiace, n);
  if (i >= 0) return statystyka::TekstPolaczenia(dane_.miesiace[i], dane_.cenaGrosz, separator_);
  PokazBlad("TfrmStatystyka.chtCzasPracyMiesiecznieMouseMove", statystyka::kBrakPolaczenia);
  return std::nullopt;
}
