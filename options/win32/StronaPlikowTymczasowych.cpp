// Page "Pliki Tymczasowe": the cleanup rules as a tree of folders and their file masks, whether
// the cleanup runs, and the chronicle of deleted files.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <optional>

#include "common/Dyskowe.h"
#include "common/Komunika.h"
#include "cleanup/RegulyCzyszczenia.h"
#include "cleanup/win32/CzasOprozniania.h"
#include "cleanup/win32/KronikaUsuwanychPlikow.h"
#include "cleanup/win32/RodzajPliku.h"
#include "common/WinTools.h"
#include "options/win32/FolderSelection.h"
#include "options/win32/Strony.h"

namespace {

enum : int {
  idUsuwanie = 10, idDrzewo, idDodajKatalog, idDodajTemp, idDodajKosz, idDodajPlik, idEdytuj, idUsun,
  idTworzKronike, idPokazKronike, idUsunKronike
};

int IkonaSystemowa(const wchar_t* sciezka, DWORD atrybuty, UINT flagi = 0) {
  SHFILEINFOW fi{};
  SHGetFileInfoW(sciezka, atrybuty, &fi, sizeof(fi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | flagi);
  return fi.iIcon;
}

class TStronaPlikowTymczasowych : public TStronaOpcji {
 public:
  TStronaPlikowTymczasowych(HWND dialog, const RECT& obszar, KontekstOpcji& k)
      : TStronaOpcji(dialog, obszar, "Pliki Tymczasowe", k) {
    Wyboru("chbUsuwaniePlikowTymczasowych", idUsuwanie, "Usuwanie plików tymczasowych ", 12, 6, 300, 17);
    drzewo_ = win::CreateChild(Hwnd(), WC_TREEVIEWW, "tvPlikiTymczasowe", idDrzewo, "",
                               WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                   TVS_SHOWSELALWAYS,
                               S(12), S(28), S(400), S(244), WS_EX_CLIENTEDGE);
    SHFILEINFOW fi{};
    HIMAGELIST lista = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &fi, sizeof(fi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    SendMessageW(drzewo_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(lista));
    struct P {
      const char* n;
      int id;
      const char* t;
    };
    int y = 28;
    for (P p : {P{"cmdDodajKatalog", idDodajKatalog, "Dodaj folder zwykły"}, P{"cmdDodajTemp", idDodajTemp, "Dodaj folser tymczasowy"},
                P{"cmdDodajKosz", idDodajKosz, "Dodaj folder Kosza"}, P{"cmdDodajPlik", idDodajPlik, "Dodaj rodzaj pliku"},
                P{"cmdEdytuj", idEdytuj, "Edytuj element"}, P{"cmdUsun", idUsun, "Usuń Element"}}) {
      Przycisk(p.n, p.id, p.t, 424, y, 170, 26);
      y += 32;
    }
    Grupa("grpKronika", "Kronika:", 6, 282, 592, 52);
    Wyboru("chbTworzKronike", idTworzKronike, "Twórz Kronikę", 18, 304, 150, 17);
    Przycisk("cmdPokazKronike", idPokazKronike, "Pokaż kronikę", 300, 300, 140, 26);
    Przycisk("cmdUsunKronike", idUsunKronike, "Usuń kronikę", 448, 300, 140, 26);
  }

  void Wczytaj() override {
    SendMessageW(drzewo_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    reguly_.clear();
    TStringList linie;
    const std::string& plik = kontekst_.pliki.plikiTymczasowe;
    wczytane_ = plik.empty() || !platform::Fs().FileExists(plik) || ReadTextLines(plik, linie);
    bool zgloszono = false;
    for (const std::string& l : linie) {
      if (l.empty()) continue;
      if (std::optional<RegulaCzyszczenia> r = ParsujRegule(l)) {
        reguly_.push_back(std::move(*r));
      } else if (!zgloszono) {
        // The line stays out of the tree; the file keeps it until the rules are changed here.
        PokazBlad("TfrmOpcje.WczytajDaneDlaZakladkiPlikiTymczasowe", "Błędny format wieku pliku!");
        zgloszono = true;
      }
    }
    zapamietane_ = reguly_;
    PokazDrzewo();
    std::vector<uint8_t> b(OpcjePlikowTymczasowych::kRozmiar, 0);
    GetRegistryBinary(kKluczKalmo, wartosc::OpcjePlikowTymczasowych, b.data(), static_cast<int>(b.size()));
    const OpcjePlikowTymczasowych o = OpcjePlikowTymczasowych::FromBytes(b);
    Zaznacz(Kontrolka("chbUsuwaniePlikowTymczasowych"), o.usuwanie);
    Zaznacz(Kontrolka("chbTworzKronike"), o.kronika);
    UstawDostepnosc();
  }

  void Zapisz() override {
    // The date of the last cleanup as it is now: a cleanup that ran meanwhile is not undone.
    std::vector<uint8_t> b(OpcjePlikowTymczasowych::kRozmiar, 0);
    GetRegistryBinary(kKluczKalmo, wartosc::OpcjePlikowTymczasowych, b.data(), static_cast<int>(b.size()));
    OpcjePlikowTymczasowych o = OpcjePlikowTymczasowych::FromBytes(b);
    o.usuwanie = Zaznaczone(Kontrolka("chbUsuwaniePlikowTymczasowych"));
    o.kronika = Zaznaczone(Kontrolka("chbTworzKronike"));
    b = o.ToBytes();
    SetRegistryBinary(kKluczKalmo, wartosc::OpcjePlikowTymczasowych, b.data(), static_cast<int>(b.size()));
    if (reguly_ == zapamietane_ || !wczytane_ || kontekst_.pliki.plikiTymczasowe.empty()) return;
    if (!ZapiszReguly(kontekst_.pliki.plikiTymczasowe, reguly_))
      PokazBlad("TfrmOpcje.ZapiszDaneZZakladkiPlikiTymczasowe",
                "Nie można zapisać pliku reguł usuwania: " + kontekst_.pliki.plikiTymczasowe);
    zapamietane_ = reguly_;
  }

 protected:
  void Polecenie(int id, int kod, HWND) override {
    if (kod != BN_CLICKED) return;
    switch (id) {
      case idUsuwanie: UstawDostepnosc(); break;
      case idDodajKatalog: cmdDodajKatalogClick(); break;
      case idDodajTemp: DodajSpecjalny(false); break;
      case idDodajKosz: DodajSpecjalny(true); break;
      case idDodajPlik: cmdDodajPlikClick(); break;
      case idEdytuj: cmdEdytujClick(); break;
      case idUsun: cmdUsunClick(); break;
      case idPokazKronike: PokazKronikeUsuwanychPlikow(Okno(), kontekst_.pliki.kronika); break;
      case idUsunKronike: cmdUsunKronikeClick(); break;
    }
  }

  LRESULT Powiadomienie(NMHDR* n) override {
    if (n->hwndFrom == drzewo_ && n->code == TVN_SELCHANGEDW) UstawDostepnosc();
    return 0;
  }

 private:
  // The selected entry: its rule and, for a mask entry, the mask's place in the rule (-1 for the
  // folder entry itself); nothing when no entry is selected.
  struct Wybor {
    size_t regula = 0;
    int maska = -1;
  };
  std::optional<Wybor> Wybrany() const {
    HTREEITEM h = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!h) return std::nullopt;
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = h;
    SendMessageW(drzewo_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    Wybor w{static_cast<size_t>(item.lParam), -1};
    if (w.regula >= reguly_.size()) return std::nullopt;
    HTREEITEM rodzic = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(h)));
    if (!rodzic) return w;
    w.maska = 0;
    for (HTREEITEM c = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(rodzic)));
         c && c != h; c = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(c))))
      ++w.maska;
    return w;
  }

  static bool Specjalna(const RegulaCzyszczenia& r) { return r.rodzaj == "T" || r.rodzaj == "K"; }

  HWND Okno() const { return GetAncestor(Hwnd(), GA_ROOT); }

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

  void PokazIWybierz(size_t regula, int maska) {
    PokazDrzewo();
    HTREEITEM h = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (size_t i = 0; h && i < regula; ++i)
      h = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(h)));
    if (h && maska >= 0) {
      h = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(h)));
      for (int i = 0; h && i < maska; ++i)
        h = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(h)));
    }
    if (h) SendMessageW(drzewo_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(h));
    UstawDostepnosc();
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
    PokazIWybierz(reguly_.size() - 1, -1);
  }

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
      PokazIWybierz(reguly_.size() - 1, -1);
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
    PokazIWybierz(w->regula, static_cast<int>(r.pary.size()) - 1);
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
      PokazIWybierz(w->regula, w->maska);
    } else if (w->maska < 0) {
      const WybranyFolder f = WybierzFolder(Okno(), r.folder, true);
      if (f.folder.empty() || !FolderDozwolony(f.folder, w->regula)) return;
      r.folder = f.folder;
      r.rodzaj = RodzajZObrazka(f.podkatalogi ? 2 : 0);
      PokazIWybierz(w->regula, -1);
    } else if (static_cast<size_t>(w->maska) < r.pary.size()) {
      const ParaMaski& stara = r.pary[w->maska];
      const std::optional<ParaMaski> para = PokazRodzajPliku(Okno(), stara.maska, stara.dni);
      if (!para || para->maska.empty()) return;
      if (MaMaske(r, para->maska, w->maska)) {
        Komunikat("Ten rodzaj pliku: " + para->maska + " już znajduje się w tym katalogu!", rkOstrzezenie);
        return;
      }
      r.pary[w->maska] = *para;
      PokazIWybierz(w->regula, w->maska);
    }
  }

  void PokazDrzewo() {
    SendMessageW(drzewo_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    static const int folder = IkonaSystemowa(L"folder", FILE_ATTRIBUTE_DIRECTORY);
    static const int otwarty = IkonaSystemowa(L"folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_OPENICON);
    int kosz = folder;
    PIDLIST_ABSOLUTE pidl = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &pidl))) {
      SHFILEINFOW fi{};
      SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &fi, sizeof(fi), SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
      kosz = fi.iIcon;
      CoTaskMemFree(pidl);
    }
    for (size_t i = 0; i < reguly_.size(); ++i) {
      const RegulaCzyszczenia& r = reguly_[i];
      HTREEITEM f = Dodaj(TVI_ROOT, r.folder, r.rodzaj == "K" ? kosz : folder, r.rodzaj == "K" ? kosz : otwarty,
                          static_cast<LPARAM>(i));
      for (const ParaMaski& m : r.pary) {
        const std::string rozszerzenie = m.maska.substr(std::min(m.maska.rfind('.'), m.maska.size()));
        const int ikona = IkonaSystemowa(win::Widen("plik" + (rozszerzenie == ".*" ? std::string() : rozszerzenie)).c_str(),
                                         FILE_ATTRIBUTE_NORMAL);
        Dodaj(f, TekstWpisuMaski(m.maska, m.dni), ikona, ikona, static_cast<LPARAM>(i));
      }
      SendMessageW(drzewo_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(f));
    }
  }

  HTREEITEM Dodaj(HTREEITEM rodzic, const std::string& tekst, int ikona, int wybrana, LPARAM regula) {
    std::wstring t = win::Widen(tekst);
    TVINSERTSTRUCTW w{};
    w.hParent = rodzic;
    w.hInsertAfter = TVI_LAST;
    w.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    w.item.pszText = t.data();
    w.item.iImage = ikona;
    w.item.iSelectedImage = wybrana;
    w.item.lParam = regula;
    return reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&w)));
  }

  // A folder goes with its masks; the mask of the temporary folder or the recycle bins takes the
  // whole entry; any other mask goes alone.
  void cmdUsunClick() {
    const std::optional<Wybor> w = Wybrany();
    if (!w) return;
    RegulaCzyszczenia& r = reguly_[w->regula];
    if (w->maska < 0 || Specjalna(r)) reguly_.erase(reguly_.begin() + static_cast<ptrdiff_t>(w->regula));
    else if (static_cast<size_t>(w->maska) < r.pary.size()) r.pary.erase(r.pary.begin() + w->maska);
    PokazDrzewo();
    UstawDostepnosc();
  }

  void cmdUsunKronikeClick() {
    if (KomunikatOstrzezenie("Kronika usuniętych plików zostanie bezpowrotnie usunięta!", rkOstrzezenie) != okOk) return;
    if (!kontekst_.pliki.kronika.empty() && platform::Fs().FileExists(kontekst_.pliki.kronika))
      platform::Fs().DeleteFile(kontekst_.pliki.kronika);
  }

  void UstawDostepnosc() {
    const bool tak = Zaznaczone(Kontrolka("chbUsuwaniePlikowTymczasowych"));
    EnableWindow(drzewo_, tak);
    for (const char* n : {"cmdDodajKatalog", "cmdDodajTemp", "cmdDodajKosz", "cmdEdytuj", "cmdUsun"})
      EnableWindow(Kontrolka(n), tak);
    // A file kind belongs to a plain folder: the temporary folder and the bins take every file.
    const std::optional<Wybor> w = Wybrany();
    EnableWindow(Kontrolka("cmdDodajPlik"), tak && w && !Specjalna(reguly_[w->regula]));
  }

  HWND drzewo_ = nullptr;
  std::vector<RegulaCzyszczenia> reguly_, zapamietane_;
  bool wczytane_ = true;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaPlikowTymczasowych(HWND dialog, const RECT& obszar, KontekstOpcji& kontekst) {
  return std::make_unique<TStronaPlikowTymczasowych>(dialog, obszar, kontekst);
}
