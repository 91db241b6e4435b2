// "Czas pracy - miesięcznie": a red bar per month, the connections beside them; a rectangle
// dragged over the chart zooms into it.
#include "common/Komunika.h"
#include "documents/win32/StronyStatystyki.h"

namespace {

const OpisStronyCzasu kOpis{2,
                            "chtCzasPracyMiesiecznie",
                            "labCzasPracyMiesiecznie",
                            "chbPolaczeniaModemoweMiesiecznie",
                            "cmdMiesiaceCopyToClipboard",
                            "cmdMiesiecznie",
                            "Do Tyłu",
                            &StatisticsOptions::gradientMiesiecznie,
                            &StatisticsOptions::polaczeniaMiesiecznie,
                            statystyka::TekstPracyMiesiaca};

}  // namespace

TStronaMiesieczna::TStronaMiesieczna(HWND form, const DaneStatystyki& dane, TloStron& tlo)
    : TStronaCzasuPracy(form, dane, tlo, kOpis) {
  Wykres().PozwolPowiekszanie(true);
  BudujWykres();
}

wykres::Dane TStronaMiesieczna::DaneWykresu(bool polaczenia) const {
  wykres::Dane d = statystyka::WykresMiesieczny();
  const auto s = statystyka::SeriaMiesieczna(dane_.miesiace, polaczenia);
  d.serie = {s.praca, s.polaczenia};
  d.etykietyPionowe = s.wieleLat;  // "VIII 2024" side by side would leave out every other month
  return d;
}

std::optional<std::string> TStronaMiesieczna::TekstPolaczen(int n) const {
  // The n-th month whose connections make at least a minute.
  const int i = statystyka::MiesiacPolaczenia(dane_.miesiace, n);
  if (i >= 0) return statystyka::TekstPolaczenia(dane_.miesiace[i], dane_.cenaGrosz, separator_);
  PokazBlad("TfrmStatystyka.chtCzasPracyMiesiecznieMouseMove", statystyka::kBrakPolaczenia);
  return std::nullopt;
}
