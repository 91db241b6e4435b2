// The warning routines' choice of presentation, apart from the portable helpers so that the
// helpers build without the program-wide records.
#include "app/Globalne.h"
#include "worktime/OstrzegaczUtils.h"

namespace {

DecyzjaOstrzezenia WedlugRodzaju(const OpcjeJednegoOstrzezenia& o, TrybPrzypomnienia tryb) {
  DecyzjaOstrzezenia d;
  if (!o.wlaczone) return d;
  switch (o.rodzaj) {
    case 0:
      d.jak = Prezentacja::Okno;
      d.tryb = tryb;
      break;
    case 1:
      d.jak = Prezentacja::Miganie;
      break;
    case 2:
      d.jak = Prezentacja::Dzwiek;
      d.plikDzwieku = o.plikDzwieku;
      break;
    default:  // a kind the options dialog never writes: nothing to present
      break;
  }
  return d;
}

}  // namespace

DecyzjaOstrzezenia DecyzjaDlaKodu(int kod, const WarningOptions& opcje) {
  DecyzjaOstrzezenia d;
  switch (kod) {
    case 1:
      return WedlugRodzaju(opcje.przerwa, TrybPrzypomnienia::PrzerwaNalezna);
    case 3:
      d = WedlugRodzaju(opcje.koniecPracy, TrybPrzypomnienia::KoniecPracy);
      if (d.jak == Prezentacja::Miganie) d.podpowiedz = "Koniec pracy!";
      return d;
    case 2:
      if (opcje.koniecPrzerwy.wlaczone) {
        d.jak = Prezentacja::Dzwiek;
        d.plikDzwieku = opcje.koniecPrzerwy.plikDzwieku;
      }
      return d;
    case 4:
      d.jak = Prezentacja::Okno;
      d.tryb = TrybPrzypomnienia::WygaszaczWylaczony;
      return d;
    default:
      return d;
  }
}
