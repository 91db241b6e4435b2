// Page "Skróty": the folder shortcuts of the shortcut list and the list's hotkey.
#include <windows.h>
#include <commctrl.h>

#include "keyboard/ListaSkrotow.h"
#include "keyboard/win32/Skrot.h"
#include "options/win32/PoleKlawisza.h"
#include "options/win32/Strony.h"

namespace {

class TStronaSkrotow : public TStronaOpcji {
 public:
  TStronaSkrotow(HWND dialog, const RECT& obszar, DialogOpcji& o) : TStronaOpcji(dialog, obszar, "Skróty", o) {
    AddGroup("grpSkroty", " Skróty do najczęściej używanych katalogów: ", {6, 4, 592, 280});
    grdSkroty_ = AddGrid("grdSkroty", {18, 24, 568, 218}, {{"Nazwy skrótów", 170}, {"Lokalizacje folderów", 374}});
    cmdNowy_ = AddButton("cmdNowySkrot", "Nowy skrót...", {18, 250, 110, 25}, [this] { cmdNowySkrotClick(); });
    cmdEdytuj_ = AddButton("cmdEdytujSkrot", "Edytuj skrót...", {134, 250, 110, 25}, [this] { cmdEdytujSkrotClick(); });
    cmdUsun_ = AddButton("cmdUsunSkrot", "Usuń skrót", {250, 250, 110, 25}, [this] { cmdUsunSkrotClick(); });
    AddLabel("labGoracyKlawiszSkrotow", "Gorący klawisz:", {12, 299, 96, 15});
    hkSkroty_ = PoleKlawisza(AddControl(HOTKEY_CLASSW, "hkSkroty", "", {112, 296, 170, 21}, WS_VISIBLE | WS_TABSTOP,
                                        WS_EX_CLIENTEDGE),
                             kZadanieListaSkrotow);
  }

  void Wczytaj() override {
    std::vector<win::Grid::Row> wiersze;
    // Split as the list splits them, at the first "#": a folder keeps a "#" of its own.
    for (const std::string& l : Szkic().skroty.linie) {
      if (l.empty()) continue;
      const SkrotFolderu skrot = ParsujLinieSkrotu(l);
      wiersze.push_back({skrot.nazwa, skrot.folder});
    }
    grdSkroty_.SetRows(wiersze);
    // A file that exists but cannot be read is shown as read (nothing) and never written.
    for (HWND h : {grdSkroty_.Hwnd(), cmdNowy_.Hwnd(), cmdEdytuj_.Hwnd(), cmdUsun_.Hwnd()})
      EnableWindow(h, Szkic().skroty.czytelna);
    hkSkroty_.Wlacz(true, Szkic().goraceKlawisze);
  }

  std::optional<std::string> Sprawdz() override { return hkSkroty_.Sprawdz(Szkic().goraceKlawisze); }

 protected:
  void OnShow(bool widoczna) override {
    if (widoczna) hkSkroty_.Pokaz(Szkic().goraceKlawisze);
    else hkSkroty_.Przejmij(Szkic().goraceKlawisze);
  }

 private:
  // The grid's rows become the draft's lines; a row without a name and a folder is not stored.
  void Zmien(const std::vector<win::Grid::Row>& wiersze) {
    grdSkroty_.SetRows(wiersze);
    TStringList linie;
    for (const win::Grid::Row& w : wiersze)
      if (!w[0].empty() || !w[1].empty()) linie.push_back(LiniaSkrotu({w[0], w[1]}));
    Szkic().skroty.linie = std::move(linie);
  }

  void cmdNowySkrotClick() {
    TfrmSkrot okno;
    okno.Pokaz(Okno());
    if (okno.Nazwa.empty()) return;
    std::vector<win::Grid::Row> w = grdSkroty_.Rows();
    w.push_back({okno.Nazwa, okno.Lokalizacja});
    Zmien(w);
  }

  void cmdEdytujSkrotClick() {
    const int i = grdSkroty_.Selected();
    std::vector<win::Grid::Row> w = grdSkroty_.Rows();
    if (i < 0 || static_cast<size_t>(i) >= w.size()) return;
    TfrmSkrot okno;
    okno.Nazwa = w[i][0];
    okno.Lokalizacja = w[i][1];
    okno.Pokaz(Okno());
    if (okno.Nazwa.empty()) return;
    w[i] = {okno.Nazwa, okno.Lokalizacja};
    Zmien(w);
  }

  void cmdUsunSkrotClick() {
    const int i = grdSkroty_.Selected();
    std::vector<win::Grid::Row> w = grdSkroty_.Rows();
    if (i < 0 || static_cast<size_t>(i) >= w.size()) return;
    w.erase(w.begin() + i);
    Zmien(w);
  }

  win::Grid grdSkroty_;
  win::Button cmdNowy_, cmdEdytuj_, cmdUsun_;
  PoleKlawisza hkSkroty_;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaSkrotow(HWND dialog, const RECT& obszar, DialogOpcji& opcje) {
  return std::make_unique<TStronaSkrotow>(dialog, obszar, opcje);
}
