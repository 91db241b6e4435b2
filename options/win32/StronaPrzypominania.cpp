// Page "Przypominanie": the programs whose documents Kalmo offers to monitor, the delay of that
// question, and the characters a document window's title must contain.
#include "common/Komunika.h"
#include "common/Tekstowe.h"
#include "options/win32/GetString.h"
#include "options/win32/Strony.h"

namespace {

class TStronaPrzypominania : public TStronaOpcji {
 public:
  TStronaPrzypominania(HWND dialog, const RECT& obszar, DialogOpcji& o)
      : TStronaOpcji(dialog, obszar, "Przypominanie", o) {
    AddGroup("grpMonitorowanie", " Przypominanie o monitorowaniu: ", {6, 4, 592, 236});
    lstProgramy_ =
        AddListBox("lstProgramy", {18, 26, 240, 160}, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT);
    OnNotification(lstProgramy_, [this](int kod) {
      if (kod == LBN_SELCHANGE) UstawPrzyciski();
    });
    AddButton("cmdDodajProgram", "Dodaj dokument", {272, 26, 130, 26}, [this] { cmdDodajProgramClick(); });
    cmdUsunProgram_ =
        AddButton("cmdUsunProgram", "Usuń dokument", {272, 58, 130, 26}, [this] { cmdUsunProgramClick(); });
    AddLabel("labObjasnienieProgramow",
             "Gdy pracujesz w jednym z wymienionych programów, Kalmo po kilku minutach zapyta, czy edytowany "
             "dokument ma być monitorowany, to znaczy czy ma liczyć czas pracy nad nim.",
             {272, 96, 314, 80});
    AddLabel("labCzasPytania", "Czas (w minutach), po którym pojawi się zapytanie czy dokument ma być monitorowany:",
             {18, 196, 400, 30});
    spnCzasPytania_ =
        AddSpinBox("spnCzasPytania", {430, 199, 60, 21}, kZakresCzasuPytania.min, kZakresCzasuPytania.max, 10);
    OnNotification(spnCzasPytania_, [this](int kod) {
      if (kod == EN_KILLFOCUS) CzasPytania();
    });
    AddGroup("grpZnakiFiltrujace", " Znaki filtrujące: ", {6, 250, 592, 86});
    tbZnakiFiltrujace_ = AddEdit("tbZnakiFiltrujace", {18, 274, 80, 21});
    tbZnakiFiltrujace_.SetLimit(20);
    AddLabel("labZnakiFiltrujace",
             "Tytuł okna musi zawierać choć jeden z tych znaków, by monitorowanie dokumentów brało okno pod uwagę "
             "(na przykład \"-\" oddziela nazwę programu od nazwy dokumentu). Bez żadnego znaku nie będzie "
             "monitorowane żadne okno.",
             {112, 270, 474, 58});
  }

  void Wczytaj() override {
    lstProgramy_.Clear();
    for (const std::string& n : Szkic().programy) lstProgramy_.Add(n);
    spnCzasPytania_.SetValue(CzasZSzkicu());
    tbZnakiFiltrujace_.SetText(Szkic().znakiFiltrujace);
    UstawPrzyciski();
  }

  std::optional<std::string> Sprawdz() override {
    if (!PolaczProgramy(Nazwy())) return std::string(kZbytDuzoProgramow);
    Szkic().programy = Nazwy();
    Szkic().limity.CzasPytania = CzasPytania();
    Szkic().znakiFiltrujace = tbZnakiFiltrujace_.Text();
    return std::nullopt;
  }

 private:
  void cmdDodajProgramClick() {
    const std::string nazwa = TrimBoth(PobierzTekst(Okno(), kPytanieONazweProgramu));
    if (nazwa.empty()) return;
    const std::string blad = SprawdzNazweProgramu(nazwa);
    if (!blad.empty()) {
      Komunikat(blad, rkOstrzezenie);
      return;
    }
    lstProgramy_.Select(lstProgramy_.Add(nazwa));
    UstawPrzyciski();
  }

  void cmdUsunProgramClick() {
    const int i = lstProgramy_.Selected();
    if (i < 0) return;
    lstProgramy_.Send(LB_DELETESTRING, i);
    if (lstProgramy_.Count() > 0) lstProgramy_.Select(std::min(i, lstProgramy_.Count() - 1));
    UstawPrzyciski();
  }

  void UstawPrzyciski() { cmdUsunProgram_.Enable(lstProgramy_.Selected() >= 0); }

  int CzasZSzkicu() const {
    return std::clamp<int>(opcje_.Szkic().limity.CzasPytania, kZakresCzasuPytania.min, kZakresCzasuPytania.max);
  }
  // The typed delay within its range; text that is no number keeps the draft's.
  int CzasPytania() const {
    return spnCzasPytania_.Value(kZakresCzasuPytania.min, kZakresCzasuPytania.max, CzasZSzkicu());
  }

  TStringList Nazwy() const {
    TStringList n;
    for (int i = 0; i < lstProgramy_.Count(); ++i) n.push_back(lstProgramy_.Item(i));
    return n;
  }

  win::ListBox lstProgramy_;
  win::Button cmdUsunProgram_;
  win::SpinBox spnCzasPytania_;
  win::Edit tbZnakiFiltrujace_;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaPrzypominania(HWND dialog, const RECT& obszar, DialogOpcji& opcje) {
  return std::make_unique<TStronaPrzypominania>(dialog, obszar, opcje);
}
