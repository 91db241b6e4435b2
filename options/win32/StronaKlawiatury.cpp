// Page "Klawiatura": the hotkey table, left Alt acting as right Alt, and the PAUSE key.
#include <windows.h>
#include <commctrl.h>

#include "common/Dyskowe.h"
#include "common/Komunika.h"
#include "keyboard/GoraceKlawisze.h"
#include "keyboard/win32/GoracyKlawisz.h"
#include "options/win32/Strony.h"
#include "settings/Rejestr.h"

namespace {

enum : int { idSiatka = 10, idDodaj, idEdytuj, idUsun, idLewyAlt, idPause };

class TStronaKlawiatury : public TStronaOpcji, public KlawiszeZadan {
 public:
  TStronaKlawiatury(HWND dialog, const RECT& obszar, KontekstOpcji& k) : TStronaOpcji(dialog, obszar, "Klawiatura", k) {
    Grupa("grpGoraceKlawisze", "Gorące klawisze: ", 6, 4, 592, 262);
    siatka_ = Siatka("grdGoraceKlawisze", idSiatka, 18, 24, 568, 200, "Klawisz", 120, "Wykonywane działanie", 429);
    Przycisk("cmdDodajGoracyKlawisz", idDodaj, "Dodaj...", 18, 232, 96, 25);
    Przycisk("cmdEdytujGoracyKlawisz", idEdytuj, "Edytuj...", 120, 232, 96, 25);
    Przycisk("cmdUsunGoracyKlawisz", idUsun, "Usuń", 222, 232, 96, 25);
    Wyboru("chbLewyAlt", idLewyAlt, "Lewy Alt = Prawy Alt ", 12, 278, 400, 17);
    Wyboru("chbPauseKey", idPause, "Przerwa włączana klawiszem PAUSE", 12, 302, 400, 17);
  }

  void Wczytaj() override {
    TStringList linie;
    const std::string& plik = kontekst_.pliki.goraceKlawisze;
    // A file that exists but cannot be read is never replaced by the empty grid.
    wczytane_ = plik.empty() || !platform::Fs().FileExists(plik) || ReadTextLines(plik, linie);
    const std::vector<Wiersz> w = WierszeKlawiszy(linie);
    UstawWiersze(siatka_, w);
    wiersze_ = w;
    lewyAlt_ = RejReadString(wartosc::LewyAlt, kTak) == kTak;
    Zaznacz(Kontrolka("chbLewyAlt"), lewyAlt_);
    Zaznacz(Kontrolka("chbPauseKey"), RejReadString(wartosc::PauseKey, kTak) == kTak);
  }

  void Zapisz() override {
    const std::vector<Wiersz> w = Wiersze(siatka_);
    if (w != wiersze_ && wczytane_ && !kontekst_.pliki.goraceKlawisze.empty()) {
      TStringList linie;
      for (const Wiersz& r : w) linie.push_back(r.first + "#" + r.second);
      if (!WriteTextLines(kontekst_.pliki.goraceKlawisze, linie))
        PokazBlad("TfrmOpcje.ZapiszDaneZZakladkiKlawiatura",
                  "Nie można zapisać pliku gorących klawiszy: " + kontekst_.pliki.goraceKlawisze);
      wiersze_ = w;
    }
    RejWriteString(wartosc::LewyAlt, Zaznaczone(Kontrolka("chbLewyAlt")) ? kTak : kNie);
    RejWriteString(wartosc::PauseKey, Zaznaczone(Kontrolka("chbPauseKey")) ? kTak : kNie);
    if (kontekst_.poZapisieHotkeyow) kontekst_.poZapisieHotkeyow();
  }

 std::string Klawisz(uint8_t zadanie) const override { return KlawiszZadania(Wiersze(siatka_), zadanie); }

  void UstawKlawisz(uint8_t zadanie, uint16_t skrot) override {
    std::vector<Wiersz> w = Wiersze(siatka_);
    switch (UstawKlawiszZadania(w, zadanie, skrot)) {
      case WynikKlawisza::Niepoprawny: Komunikat(kNiepoprawnyKlawisz, rkOstrzezenie); return;
      case WynikKlawisza::PelnaTabela:
        Komunikat("Maksymalna ilość gorących klawiszy to: " + std::to_string(kMaxKlawiszy), rkInformacja);
        return;
      default: UstawWiersze(siatka_, w);
    }
  }

 protected:
  void Polecenie(int id, int kod, HWND) override {
    if (kod != BN_CLICKED) return;
    if (id == idUsun) cmdUsunGoracyKlawiszClick();
    else if (id == idDodaj) cmdDodajGoracyKlawiszClick();
    else if (id == idEdytuj) cmdEdytujGoracyKlawiszClick();
    else if (id == idLewyAlt) chbLewyAltClick();
  }

 private:
  void cmdDodajGoracyKlawiszClick() {
    std::vector<Wiersz> w = Wiersze(siatka_);
    if (w.size() >= kMaxKlawiszy) {
      Komunikat("Maksymalna ilość gorących klawiszy to: " + std::to_string(kMaxKlawiszy), rkInformacja);
      return;
    }
    const std::string linia = NowyGoracyKlawisz(GetAncestor(Hwnd(), GA_ROOT));
    if (linia.empty()) return;
    w.push_back({PoleSkrotu(linia), PoleOpisu(linia)});
    UstawWiersze(siatka_, w);
  }

  void cmdEdytujGoracyKlawiszClick() {
    const int i = ZaznaczonyWiersz(siatka_);
    std::vector<Wiersz> w = Wiersze(siatka_);
    if (i < 0 || static_cast<size_t>(i) >= w.size()) return;
    const std::string linia = EdytujGoracyKlawisz(w[i].first + "#" + w[i].second, GetAncestor(Hwnd(), GA_ROOT));
    if (linia.empty()) return;
    w[i] = {PoleSkrotu(linia), PoleOpisu(linia)};
    UstawWiersze(siatka_, w);
  }

  void cmdUsunGoracyKlawiszClick() {
    const int i = ZaznaczonyWiersz(siatka_);
    if (i < 0) return;
    SendMessageW(siatka_, LVM_DELETEITEM, i, 0);
  }

  // The hook library switches at once; the setting is stored only on "OK".
  void chbLewyAltClick() {
    const bool tak = Zaznaczone(Kontrolka("chbLewyAlt"));
    if (kontekst_.przelaczLewyAlt && !kontekst_.przelaczLewyAlt(tak))
      PokazBlad("TfrmOpcje.chbLewyAltClick", "Błąd w przełączeniu na lewy Alt");
  }

  HWND siatka_ = nullptr;
  std::vector<Wiersz> wiersze_;
  bool wczytane_ = true;
  bool lewyAlt_ = true;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaKlawiatury(HWND dialog, const RECT& obszar, KontekstOpcji& kontekst) {
  return std::make_unique<TStronaKlawiatury>(dialog, obszar, kontekst);
}
