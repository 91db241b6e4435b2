// Page "Modem": the connection log switch and the price of a three-minute call.
#include <windows.h>
#include <commctrl.h>

#include "common/WinTools.h"
#include "options/win32/Strony.h"
#include "settings/Rejestr.h"

namespace {

enum : int { idRejestracja = 10, idCena, idCenaStrzalki };
constexpr int32_t kDomyslnaCena = 2318;
constexpr int kKrokCeny = 10;  // hundredths of a grosz per arrow press

class TStronaModemu : public TStronaOpcji {
 public:
  TStronaModemu(HWND dialog, const RECT& obszar, KontekstOpcji& k) : TStronaOpcji(dialog, obszar, "Modem", k) {
    Grupa("panModem", "Modem", 6, 4, 592, 100);
    Wyboru("chbRejestracjaPolaczen", idRejestracja, "Rejestrowanie połączeń modemowych", 18, 26, 300, 17);
    Etykieta("labCenaPolaczenia", "Cena trzyminutowego połączenia lokalnego: ", 18, 62, 256, 15);
    Pole("spnCenaPolaczenia", idCena, 276, 59, 64, 21);
    // Arrows of a decimal spin box: the up-down control only reports the press.
    HWND ud = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, S(340), S(59), S(16), S(21), Hwnd(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(idCenaStrzalki)), win::Instance(), nullptr);
    win::SetControlName(ud, "spnCenaPolaczeniaStrzalki");
    SendMessageW(ud, UDM_SETRANGE32, 0, 2);
    SendMessageW(ud, UDM_SETPOS32, 0, 1);
    Etykieta("labVat", "gr  (z 22% podatkiem VAT)", 364, 62, 200, 15);
    modemy_ = DajLiczbeModemow() > 0;
    if (!modemy_) Etykieta("labBrakModemu", "W systemie nie zainstalowano modemu.", 12, 114, 400, 15);
  }

  void Wczytaj() override {
    Zaznacz(Kontrolka("chbRejestracjaPolaczen"), RejReadString(wartosc::RejestracjaPolaczen, kTak) == kTak);
    cena_ = CenaZTekstu(TekstCeny(RejReadInteger(wartosc::CenaPolaczeniaModemowego, kDomyslnaCena)), kDomyslnaCena);
    win::SetText(Kontrolka("spnCenaPolaczenia"), TekstCeny(cena_));
    for (const char* n : {"panModem", "chbRejestracjaPolaczen", "labCenaPolaczenia", "spnCenaPolaczenia",
                          "spnCenaPolaczeniaStrzalki", "labVat"})
      EnableWindow(Kontrolka(n), modemy_);
  }

  // Without a modem the page is disabled, but its settings are still stored.
  void Zapisz() override {
    RejWriteString(wartosc::RejestracjaPolaczen, Zaznaczone(Kontrolka("chbRejestracjaPolaczen")) ? kTak : kNie);
    cena_ = Cena();
    RejWriteInteger(wartosc::CenaPolaczeniaModemowego, cena_);
  }

 protected:
  void Polecenie(int id, int kod, HWND) override {
    if (id == idCena && kod == EN_KILLFOCUS) win::SetText(Kontrolka("spnCenaPolaczenia"), TekstCeny(cena_ = Cena()));
  }

  LRESULT Powiadomienie(NMHDR* n) override {
    if (n->idFrom == idCenaStrzalki && n->code == UDN_DELTAPOS) {
      const auto* d = reinterpret_cast<NMUPDOWN*>(n);
      cena_ = CenaZTekstu(TekstCeny(Cena() + (d->iDelta > 0 ? kKrokCeny : -kKrokCeny)), cena_);
      win::SetText(Kontrolka("spnCenaPolaczenia"), TekstCeny(cena_));
      return 1;  // the control keeps its own position
    }
    return 0;
  }

 private:
  int32_t Cena() const { return CenaZTekstu(win::GetText(Kontrolka("spnCenaPolaczenia")), cena_); }

  bool modemy_ = false;
  int32_t cena_ = kDomyslnaCena;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaModemu(HWND dialog, const RECT& obszar, KontekstOpcji& kontekst) {
  return std::make_unique<TStronaModemu>(dialog, obszar, kontekst);
}
