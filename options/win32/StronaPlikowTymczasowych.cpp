// Page "Pliki Tymczasowe": the cleanup rules as a tree of folders and their file masks, whether
// the cleanup runs, and the chronicle of deleted files.
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "cleanup/Kronika.h"
#include "cleanup/RegulyCzyszczenia.h"
#include "cleanup/win32/CzasOprozniania.h"
#include "cleanup/win32/KronikaUsuwanychPlikow.h"
#include "cleanup/win32/RodzajPliku.h"
#include "common/Komunika.h"
#include "common/WinTools.h"
#include "options/win32/FolderSelection.h"
#include "options/win32/Strony.h"

namespace {

class TStronaPlikowTymczasowych : public TStronaOpcji {
 public:
  TStronaPlikowTymczasowych(HWND dialog, const RECT& obszar, DialogOpcji& o)
      : TStronaOpcji(dialog, obszar, "Pliki Tymczasowe", o) {
    chbUsuwanie_ = AddCheckBox("chbUsuwaniePlikowTymczasowych", "Usuwanie plików tymczasowych ", {12, 6, 300, 17},
                               [this] { UstawDostepnosc(); });
    drzewo_ = AddTree("tvPlikiTymczasowe", {12, 28, 400, 244},
                      TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    drzewo_.UseShellImages();
    OnNotifyFrom(drzewo_, [this](NMHDR& n) -> LRESULT {
      if (n.code == TVN_SELCHANGEDW) UstawDostepnosc();
      return 0;
    });
    struct P {
      const char* n;
      const char* t;
      void (TStronaPlikowTymczasowych::*klik)();
    };
    int y = 28;
    for (P p : {P{"cmdDodajKatalog", "Dodaj folder zwykły", &TStronaPlikowTymczasowych::cmdDodajKatalogClick},
                P{"cmdDodajTemp", "Dodaj folser tymczasowy", &TStronaPlikowTymczasowych::cmdDodajTempClick},
                P{"cmdDodajKosz", "Dodaj folder Kosza", &TStronaPlikowTymczasowych::cmdDodajKoszClick},
                P{"cmdDodajPlik", "Dodaj rodzaj pliku", &TStronaPlikowTymczasowych::cmdDodajPlikClick},
                P{"cmdEdytuj", "Edytuj element", &TStronaPlikowTymczasowych::cmdEdytujClick},
                P{"cmdUsun", "Usuń Element", &TStronaPlikowTymczasowych::cmdUsunClick}}) {
      AddButton(p.n, p.t, {424, y, 170, 26}, [this, k = p.klik] { (this->*k)(); });
      y += 32;
    }
    AddGroup("grpKronika", "Kronika:", {6, 282, 592, 52});
    chbTworzKronike_ = AddCheckBox("chbTworzKronike", "Twórz Kronikę", {18, 304, 150, 17});
    AddButton("cmdPokazKronike", "Pokaż kronikę", {300, 300, 140, 26},
              [this] { PokazKronikeUsuwanychPlikow(Okno(), opcje_.PlikKroniki()); });
    AddButton("cmdUsunKronike", "Usuń kronikę", {448, 300, 140, 26}, [this] { cmdUsunKronikeClick(); });
  }

  void Wczytaj() override {
    reguly_.clear();
    bool zgloszono = false;
    for (const std::string& l : Szkic().regulyCzyszczenia.linie) {
      if (l.empty()) continue;
      if (std::optional<RegulaCzyszczenia> r = ParsujRegule(l)) {
        reguly_.push_back(std::move(*r));
      } else if (!zgloszono) {
        // The line stays out of the tree; the file keeps it until the rules are changed here.
        PokazBlad("TfrmOpcje.WczytajDaneDlaZakladkiPlikiTymczasowe", "Błędny format wieku pliku!");
        zgloszono = true;
      }
    }
    PokazDrzewo();
    chbUsuwanie_.SetChecked(Szkic().plikiTymczasowe.usuwanie);
    chbTworzKronike_.SetChecked(Szkic().plikiTymczasowe.kronika);
    UstawDostepnosc();
  }

  std::optional<std::string> Sprawdz() override {
    Szkic().plikiTymczasowe.usuwanie = chbUsuwanie_.Checked();
    Szkic().plikiTymczasowe.kronika = chbTworzKronike_.Checked();
    return std::nullopt;
  }

 private:
  // The selected entry: its rule and, for a mask entry, the mask's place in the rule (-1 for the
  // folder entry itself); nothing when no entry is selected.
  struct Wybor {
    size_t regula = 0;
    int maska = -1;
  };
  std::optional<Wybor> Wybrany() const {
    const HTREEITEM h = drzewo_.Selected();
    if (!h) return std::nullopt;
    Wybor w{static_cast<size_t>(drzewo_.Data(h)), -1};
    if (w.regula >= reguly_.size()) return std::nullopt;
    const HTREEITEM rodzic = drzewo_.Parent(h);
    if (!rodzic) return w;
    w.maska = 0;
    for (HTREEITEM c = drzewo_.FirstChild(rodzic); c && c != h; c = drzewo_.NextSibling(c)) ++w.maska;
    return w;
  }

  static bool Specjalna(const RegulaCzyszczenia& r) { return r.rodzaj == "T" || r.rodzaj == "K"; }

  // The rules changed here become the draft's lines (a folder without masks is not stored).
  void Zmienione(size_t regula, int maska) {
    TStringList linie;
    for (const RegulaCzyszczenia& r : reguly_)
      if (std::string l = TekstReguly(r); !l.empty()) linie.push_back(std::move(l));
    Szkic().regulyCzyszczenia.linie = std::move(linie);
    PokazDrzewo();
    HTREEITEM h = drzewo_.Root();
    for (size_t i = 0; h && i < regula; ++i) h = drzewo_.NextSibling(h);
    if (h && maska >= 0) {
      h = drzewo_.FirstChild(h);
      for (int i = 0; h && i < maska; ++i) h = drzewo_.NextSibling(h);
    }
    if (h) drzewo_.Select(h);
    UstawDostepnosc();
  }

  // The rule of a folder entry with this text, other than `pomin`; reguly_.size() when none.
  size_t Szukaj(const std::string& folder, size_t pomin) const {
    for (size_t i = 0; i < reguly_.size(); ++i)
      if (i != pomin && PostacPorownania(reguly_[i].folder) == PostacPorownania(folder)) return i;
    return reguly_.size();
  }

  // A mask already in the rule, other than the one at `pomin`.
  static bool MaMaske(const RegulaCzyszczenia& r, const std::string& maska, int pomin) {
    for (size_t i = 0; i < r.pary.size(); ++i)
      if (static_cast<int>(i) != pomin && PostacPorownania(r.pary[i].maska) == PostacPorownania(maska)) return true;
    return false;
  }

  // A folder the cleanup would refuse (a system folder, a drive root, a profile) is refused here,
  // where the user can choose another, rather than at every break.
  bool FolderDozwolony(const std::string& folder, size_t pomin) const {
    if (FolderNiebezpieczny(folder, DajFolderyChronione())) {
      Komunikat("Folder „" + folder +
                    "” nie może być czyszczony (to folder systemu, katalog główny dysku lub folder profilu "
                    "użytkownika).",
                rkOstrzezenie);
      return false;
    }
    if (Szukaj(folder, pomin) < reguly_.size()) {
      Komunikat("Taki katalog: " + folder + " już znajduje się na liście!", rkOstrzezenie);
      return false;
    }
    return true;
  }

  void cmdDodajKatalogClick() {
    const WybranyFolder f = WybierzFolder(Okno(), "", true);
    if (f.folder.empty() || !FolderDozwolony(f.folder, reguly_.size())) return;
    // A folder without masks is shown but not stored until it gets one.
    reguly_.push_back({f.folder, RodzajZObrazka(f.podkatalogi ? 2 : 0), {}});
    Zmienione(reguly_.size() - 1, -1);
  }

  void cmdDodajTempClick() { DodajSpecjalny(false); }
  void cmdDodajKoszClick() { DodajSpecjalny(true); }

  void DodajSpecjalny(bool kosz) {
    for (const RegulaCzyszczenia& r : reguly_)
      if (r.rodzaj == (kosz ? "K" : "T")) {
        Komunikat(kosz ? "Katalog kosza systemowego już znajduje się na liście!"
                       : "Katalog tymczasowy TEMP już znajduje się na liście!",
                  rkOstrzezenie);
        return;
      }
    if (std::optional<RegulaCzyszczenia> r = RegulaSpecjalna(kosz, PokazCzasOprozniania(Okno(), kosz, kosz ? 21 : 1))) {
      reguly_.push_back(std::move(*r));
      Zmienione(reguly_.size() - 1, -1);
    }
  }

  void cmdDodajPlikClick() {
    const std::optional<Wybor> w = Wybrany();
    if (!w || Specjalna(reguly_[w->regula])) return;
    const std::optional<ParaMaski> para = PokazRodzajPliku(Okno());
    if (!para || para->maska.empty()) return;
    RegulaCzyszczenia& r = reguly_[w->regula];
    if (MaMaske(r, para->maska, -1)) {
      Komunikat("Ten rodzaj pliku: " + para->maska + " już znajduje się w tym katalogu!", rkOstrzezenie);
      return;
    }
    r.pary.push_back(*para);
    Zmienione(w->regula, static_cast<int>(r.pary.size()) - 1);
  }

  void cmdEdytujClick() {
    const std::optional<Wybor> w = Wybrany();
    if (!w) return;
    RegulaCzyszczenia& r = reguly_[w->regula];
    if (Specjalna(r)) {
      // The temporary folder and the recycle bins hold the one "*.*" entry: only its days change.
      const int dni = PokazCzasOprozniania(Okno(), r.rodzaj == "K", r.pary.empty() ? 0 : r.pary[0].dni);
      if (dni <= 0) return;
      if (r.pary.empty()) r.pary.push_back({"*.*", dni});
      else r.pary[0].dni = dni;
    } else if (w->maska < 0) {
      const WybranyFolder f = WybierzFolder(Okno(), r.folder, true);
      if (f.folder.empty() || !FolderDozwolony(f.folder, w->regula)) return;
      r.folder = f.folder;
      r.rodzaj = RodzajZObrazka(f.podkatalogi ? 2 : 0);
    } else if (static_cast<size_t>(w->maska) < r.pary.size()) {
      const ParaMaski& stara = r.pary[w->maska];
      const std::optional<ParaMaski> para = PokazRodzajPliku(Okno(), stara.maska, stara.dni);
      if (!para || para->maska.empty()) return;
      if (MaMaske(r, para->maska, w->maska)) {
        Komunikat("Ten rodzaj pliku: " + para->maska + " już znajduje się w tym katalogu!", rkOstrzezenie);
        return;
      }
      r.pary[w->maska] = *para;
    }
    Zmienione(w->regula, w->maska);
  }

  // A folder goes with its masks; the mask of the temporary folder or the recycle bins takes the
  // whole entry; any other mask goes alone.
  void cmdUsunClick() {
    const std::optional<Wybor> w = Wybrany();
    if (!w) return;
    RegulaCzyszczenia& r = reguly_[w->regula];
    if (w->maska < 0 || Specjalna(r)) reguly_.erase(reguly_.begin() + static_cast<ptrdiff_t>(w->regula));
    else if (static_cast<size_t>(w->maska) < r.pary.size()) r.pary.erase(r.pary.begin() + w->maska);
    Zmienione(reguly_.size(), -1);
  }

  // The chronicle is a record of what went, not a setting: it goes at once, after the question.
  void cmdUsunKronikeClick() {
    if (KomunikatOstrzezenie("Kronika usuniętych plików zostanie bezpowrotnie usunięta!", rkOstrzezenie) != okOk)
      return;
    if (!UsunKronike(opcje_.PlikKroniki()))
      Komunikat("Nie można usunąć kroniki usuniętych plików: " + opcje_.PlikKroniki(), rkOstrzezenie);
  }

  void PokazDrzewo() {
    drzewo_.Clear();
    static const int folder = win::ShellIconIndex("folder", FILE_ATTRIBUTE_DIRECTORY, true);
    static const int otwarty = win::ShellIconIndex("folder", FILE_ATTRIBUTE_DIRECTORY, true, true);
    static const int kosz = win::RecycleBinIconIndex();
    for (size_t i = 0; i < reguly_.size(); ++i) {
      const RegulaCzyszczenia& r = reguly_[i];
      const HTREEITEM f = drzewo_.Add(TVI_ROOT, r.folder, r.rodzaj == "K" ? kosz : folder,
                                      r.rodzaj == "K" ? kosz : otwarty, static_cast<LPARAM>(i));
      for (const ParaMaski& m : r.pary) {
        const std::string rozszerzenie = m.maska.substr(std::min(m.maska.rfind('.'), m.maska.size()));
        const int ikona = win::ShellIconIndex("plik" + (rozszerzenie == ".*" ? std::string() : rozszerzenie),
                                              FILE_ATTRIBUTE_NORMAL, true);
        drzewo_.Add(f, TekstWpisuMaski(m.maska, m.dni), ikona, ikona, static_cast<LPARAM>(i));
      }
      drzewo_.Expand(f);
    }
  }

  // A rules file that exists but could not be read is shown as read (nothing) and never written.
  void UstawDostepnosc() {
    const bool tak = chbUsuwanie_.Checked() && Szkic().regulyCzyszczenia.czytelna;
    drzewo_.Enable(tak);
    for (const char* n : {"cmdDodajKatalog", "cmdDodajTemp", "cmdDodajKosz", "cmdEdytuj", "cmdUsun"})
      EnableWindow(Find(n), tak);
    // A file kind belongs to a plain folder: the temporary folder and the bins take every file.
    const std::optional<Wybor> w = Wybrany();
    EnableWindow(Find("cmdDodajPlik"), tak && w && !Specjalna(reguly_[w->regula]));
  }

  win::CheckBox chbUsuwanie_, chbTworzKronike_;
  win::TreeView drzewo_;
  std::vector<RegulaCzyszczenia> reguly_;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaPlikowTymczasowych(HWND dialog, const RECT& obszar, DialogOpcji& opcje) {
  return std::make_unique<TStronaPlikowTymczasowych>(dialog, obszar, opcje);
}
