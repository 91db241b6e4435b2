// Page "Skróty": the folder shortcuts of the shortcut list and the list's hotkey.
#include <windows.h>
#include <commctrl.h>

#include "common/Dyskowe.h"
#include "common/Komunika.h"
#include "common/Orgtekst.h"
#include "keyboard/GoraceKlawisze.h"
#include "keyboard/ListaSkrotow.h"
#include "keyboard/win32/Skrot.h"
#include "options/win32/Strony.h"

namespace {

enum : int { idSiatka = 10, idNowy, idEdytuj, idUsun, idHotkey };

class TStronaSkrotow : public TStronaOpcji {
 public:
  TStronaSkrotow(HWND dialog, const RECT& obszar, KontekstOpcji& k) : TStronaOpcji(dialog, obszar, "Skróty", k) {
    Grupa("grpSkroty", " Skróty do najczęściej używanych katalogów: ", 6, 4, 592, 280);
    siatka_ = Siatka("grdSkroty", idSiatka, 18, 24, 568, 218, "Nazwy skrótów", 170, "Lokalizacje folderów", 374);
    Przycisk("cmdNowySkrot", idNowy, "Nowy skrót...", 18, 250, 110, 25);
    Przycisk("cmdEdytujSkrot", idEdytuj, "Edytuj skrót...", 134, 250, 110, 25);
    Przycisk("cmdUsunSkrot", idUsun, "Usuń skrót", 250, 250, 110, 25);
    Etykieta("labGoracyKlawiszSkrotow", "Gorący klawisz:", 12, 299, 96, 15);
    PoleKlawisza("hkSkroty", idHotkey, kZadanieListaSkrotow, 112, 296, 170);
  }

  void Wczytaj() override {
    TStringList linie;
    const std::string& plik = kontekst_.pliki.skroty;
    wczytane_ = plik.empty() || !platform::Fs().FileExists(plik) || ReadTextLines(plik, linie);
    std::vector<Wiersz> w;
    for (const std::string& l : linie)
      if (!l.empty()) w.push_back({NthField(l, 1, '#'), NthField(l, 2, '#')});
    UstawWiersze(siatka_, w);
    wiersze_ = w;
    PokazKlawisze();
  }

  void Zapisz() override {
    const std::vector<Wiersz> w = Wiersze(siatka_);
    if (w == wiersze_ || !wczytane_ || kontekst_.pliki.skroty.empty()) return;
    std::vector<SkrotFolderu> skroty;
    for (const Wiersz& r : w) skroty.push_back({r.first, r.second});
    if (!ZapiszSkroty(kontekst_.pliki.skroty, skroty))
      PokazBlad("TfrmOpcje.ZapiszDaneZZakladkiSkroty", "Nie można zapisać pliku skrótów: " + kontekst_.pliki.skroty);
    wiersze_ = w;
  }

 protected:
  void Polecenie(int id, int kod, HWND) override {
    if (kod != BN_CLICKED) return;
    if (id == idNowy) cmdNowySkrotClick();
    else if (id == idEdytuj) cmdEdytujSkrotClick();
    else if (id == idUsun) {
      const int i = ZaznaczonyWiersz(siatka_);
      if (i >= 0) SendMessageW(siatka_, LVM_DELETEITEM, i, 0);
    }
  }

 private:
  void cmdNowySkrotClick() {
    TfrmSkrot okno;
    okno.Pokaz(GetAncestor(Hwnd(), GA_ROOT));
    if (okno.Nazwa.empty()) return;
    std::vector<Wiersz> w = Wiersze(siatka_);
    w.push_back({okno.Nazwa, okno.Lokalizacja});
    UstawWiersze(siatka_, w);
  }

  void cmdEdytujSkrotClick() {
    const int i = ZaznaczonyWiersz(siatka_);
    std::vector<Wiersz> w = Wiersze(siatka_);
    if (i < 0 || static_cast<size_t>(i) >= w.size()) return;
    TfrmSkrot okno;
    okno.Nazwa = w[i].first;
    okno.Lokalizacja = w[i].second;
    okno.Pokaz(GetAncestor(Hwnd(), GA_ROOT));
    if (okno.Nazwa.empty()) return;
    w[i] = {okno.Nazwa, okno.Lokalizacja};
    UstawWiersze(siatka_, w);
  }

  HWND siatka_ = nullptr;
  std::vector<Wiersz> wiersze_;
  bool wczytane_ = true;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaSkrotow(HWND dialog, const RECT& obszar, KontekstOpcji& kontekst) {
  return std::make_unique<TStronaSkrotow>(dialog, obszar, kontekst);
}
