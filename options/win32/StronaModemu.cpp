// Page "Modem": the connection log switch and the price of a three-minute call.
#include <windows.h>

#include "common/WinTools.h"
#include "options/win32/Strony.h"

namespace {

constexpr int kKrokCeny = 10;  // hundredths of a grosz per arrow press

class TStronaModemu : public TStronaOpcji {
 public:
  TStronaModemu(HWND dialog, const RECT& obszar, DialogOpcji& o) : TStronaOpcji(dialog, obszar, "Modem", o) {
    AddGroup("panModem", "Modem", {6, 4, 592, 100});
    chbRejestracja_ = AddCheckBox("chbRejestracjaPolaczen", "Rejestrowanie połączeń modemowych", {18, 26, 300, 17});
    AddLabel("labCenaPolaczenia", "Cena trzyminutowego połączenia lokalnego: ", {18, 62, 256, 15});
    spnCena_ = AddSpinBox("spnCenaPolaczenia", {276, 59, 80, 21}, [this](int krok) {
      spnCena_.SetText(TekstCeny(CenaZTekstu(TekstCeny(Cena() + krok * kKrokCeny), Cena())));
    });
    OnNotification(spnCena_, [this](int kod) {
      if (kod == EN_KILLFOCUS) spnCena_.SetText(TekstCeny(Cena()));
    });
    AddLabel("labVat", "gr  (z 22% podatkiem VAT)", {364, 62, 200, 15});
    modemy_ = DajLiczbeModemow() > 0;
    if (!modemy_) AddLabel("labBrakModemu", "W systemie nie zainstalowano modemu.", {12, 114, 400, 15});
  }

  void Wczytaj() override {
    chbRejestracja_.SetChecked(Szkic().rejestracjaPolaczen);
    const int32_t cena = Szkic().cenaPolaczeniaModemowego;
    spnCena_.SetText(TekstCeny(CenaZTekstu(TekstCeny(cena), cena)));
    for (const char* n : {"panModem", "chbRejestracjaPolaczen", "labCenaPolaczenia", "labVat"})
      EnableWindow(Find(n), modemy_);
    spnCena_.Enable(modemy_);
  }

  // Without a modem the page is disabled, but its settings are still stored.
  std::optional<std::string> Sprawdz() override {
    Szkic().rejestracjaPolaczen = chbRejestracja_.Checked();
    Szkic().cenaPolaczeniaModemowego = Cena();
    return std::nullopt;
  }

 private:
  // The typed price (point or comma), kept in range; text that is no price keeps the draft's.
  int32_t Cena() const { return CenaZTekstu(spnCena_.Text(), opcje_.Szkic().cenaPolaczeniaModemowego); }

  win::CheckBox chbRejestracja_;
  win::SpinBox spnCena_;
  bool modemy_ = false;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaModemu(HWND dialog, const RECT& obszar, DialogOpcji& opcje) {
  return std::make_unique<TStronaModemu>(dialog, obszar, opcje);
}
