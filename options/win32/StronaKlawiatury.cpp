// Page "Klawiatura": the hotkey table, left Alt acting as right Alt, and the PAUSE key.
#include <windows.h>
#include <commctrl.h>

#include "common/Komunika.h"
#include "keyboard/GoraceKlawisze.h"
#include "keyboard/win32/GoracyKlawisz.h"
#include "options/win32/Strony.h"

namespace {

class TStronaKlawiatury : public TStronaOpcji {
 public:
  TStronaKlawiatury(HWND dialog, const RECT& obszar, DialogOpcji& o) : TStronaOpcji(dialog, obszar, "Klawiatura", o) {
    AddGroup("grpGoraceKlawisze", "Gorące klawisze: ", {6, 4, 592, 262});
    grdGoraceKlawisze_ =
        AddGrid("grdGoraceKlawisze", {18, 24, 568, 200}, {{"Klawisz", 120}, {"Wykonywane działanie", 429}});
    cmdDodaj_ = AddButton("cmdDodajGoracyKlawisz", "Dodaj...", {18, 232, 96, 25}, [this] { cmdDodajClick(); });
    cmdEdytuj_ = AddButton("cmdEdytujGoracyKlawisz", "Edytuj...", {120, 232, 96, 25}, [this] { cmdEdytujClick(); });
    cmdUsun_ = AddButton("cmdUsunGoracyKlawisz", "Usuń", {222, 232, 96, 25}, [this] { cmdUsunClick(); });
    chbLewyAlt_ = AddCheckBox("chbLewyAlt", "Lewy Alt = Prawy Alt ", {12, 278, 400, 17});
    chbPauseKey_ = AddCheckBox("chbPauseKey", "Przerwa włączana klawiszem PAUSE", {12, 302, 400, 17});
  }

  void Wczytaj() override {
    PokazWiersze();
    // A file that exists but cannot be read is shown as read (nothing) and never written.
    for (HWND h : {grdGoraceKlawisze_.Hwnd(), cmdDodaj_.Hwnd(), cmdEdytuj_.Hwnd(), cmdUsun_.Hwnd()})
      EnableWindow(h, Szkic().goraceKlawisze.czytelna);
    chbLewyAlt_.SetChecked(Szkic().lewyAlt);
    chbPauseKey_.SetChecked(Szkic().pauseKey);
  }

  std::optional<std::string> Sprawdz() override {
    Szkic().lewyAlt = chbLewyAlt_.Checked();
    Szkic().pauseKey = chbPauseKey_.Checked();
    return std::nullopt;
  }

 protected:
  // The key fields of other pages may have set a key meanwhile.
  void OnShow(bool widoczna) override {
    if (widoczna) PokazWiersze();
  }

 private:
  std::vector<WierszKlawisza> Wiersze() const { return WierszeKlawiszy(opcje_.Szkic().goraceKlawisze.linie); }

  void PokazWiersze() {
    std::vector<win::Grid::Row> rows;
    for (const WierszKlawisza& w : Wiersze()) rows.push_back({w.first, w.second});
    grdGoraceKlawisze_.SetRows(rows);
  }

  void Zmien(const std::vector<WierszKlawisza>& wiersze) {
    Szkic().goraceKlawisze.linie = LinieKlawiszy(wiersze);
    PokazWiersze();
  }

  void cmdDodajClick() {
    std::vector<WierszKlawisza> w = Wiersze();
    if (w.size() >= kMaxKlawiszy) {
      Komunikat("Maksymalna ilość gorących klawiszy to: " + std::to_string(kMaxKlawiszy), rkInformacja);
      return;
    }
    const std::string linia = NowyGoracyKlawisz(Okno());
    if (linia.empty()) return;
    w.push_back({PoleSkrotu(linia), PoleOpisu(linia)});
    Zmien(w);
  }

  void cmdEdytujClick() {
    const int i = grdGoraceKlawisze_.Selected();
    std::vector<WierszKlawisza> w = Wiersze();
    if (i < 0 || static_cast<size_t>(i) >= w.size()) return;
    const std::string linia = EdytujGoracyKlawisz(w[i].first + "#" + w[i].second, Okno());
    if (linia.empty()) return;
    w[i] = {PoleSkrotu(linia), PoleOpisu(linia)};
    Zmien(w);
  }

  void cmdUsunClick() {
    const int i = grdGoraceKlawisze_.Selected();
    std::vector<WierszKlawisza> w = Wiersze();
    if (i < 0 || static_cast<size_t>(i) >= w.size()) return;
    w.erase(w.begin() + i);
    Zmien(w);
  }

  win::Grid grdGoraceKlawisze_;
  win::Button cmdDodaj_, cmdEdytuj_, cmdUsun_;
  win::CheckBox chbLewyAlt_, chbPauseKey_;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaKlawiatury(HWND dialog, const RECT& obszar, DialogOpcji& opcje) {
  return std::make_unique<TStronaKlawiatury>(dialog, obszar, opcje);
}
