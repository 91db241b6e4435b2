// "Czas pracy - dziennie": a bar per day entry in the colour of its hours against the limit, the
// connections as blue bars beside the days that had them.
#include "common/Komunika.h"
#include "documents/win32/StronyStatystyki.h"

namespace {

const OpisStronyCzasu kOpis{0,
                            "chtCzasPracy",
                            "labCzasPracy",
                            "chbPolaczeniaModemoweDziennie",
                            "cmdKopiujCzasPracy",
                            "cmdCzasPracy",
                            "Do tyłu",
                            &StatisticsOptions::gradientDziennie,
                            &StatisticsOptions::polaczeniaDziennie,
                            statystyka::TekstPracyDnia};

}  // namespace

TStronaDzienna::TStronaDzienna(HWND form, const DaneStatystyki& dane, TloStron& tlo)
    : TStronaCzasuPracy(form, dane, tlo, kOpis) {
  BudujWykres();
}

wykres::Dane TStronaDzienna::DaneWykresu(bool polaczenia) const {
  wykres::Dane d = statystyka::WykresDzienny();
  const auto s = statystyka::SeriaDzienna(dane_.dni, dane_.zrodlo.limitSekund, polaczenia, DataSystemowa);
  d.serie = {s.praca, s.polaczenia};
  return d;
}

std::optional<std::string> TStronaDzienna::TekstPolaczen(int n) const {
  // The n-th day whose connections make at least a minute.
  const int i = statystyka::DzienPolaczenia(dane_.dni, n);
  if (i >= 0) return statystyka::TekstPolaczenia(dane_.dni[i], dane_.cenaGrosz, separator_);
  PokazBlad("TfrmStatystyka.chtCzasPracyMouseMove", statystyka::kBrakPolaczenia);
  return std::nullopt;
}
