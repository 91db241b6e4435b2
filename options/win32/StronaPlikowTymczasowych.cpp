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
#include "common/WinTools.h"
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
      HWND b = Przycisk(p.n, p.id, p.t, 424, y, 170, 26);
      // Adding and editing go through the folder, file-kind and days dialogs of the cleanup unit.
      if (p.id != idUsun) EnableWindow(b, FALSE);
      y += 32;
    }
    Grupa("grpKronika", "Kronika:", 6, 282, 592, 52);
    Wyboru("chbTworzKronike", idTworzKronike, "Twórz Kronikę", 18, 304, 150, 17);
    EnableWindow(Przycisk("cmdPokazKronike", idPokazKronike, "Pokaż kronikę", 300, 300, 140, 26), FALSE);
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
    if (id == idUsuwanie) UstawDostepnosc();
    else if (id == idUsun) cmdUsunClick();
    else if (id == idUsunKronike) cmdUsunKronikeClick();
  }

 private:
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
    HTREEITEM wybrany = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!wybrany) return;
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = wybrany;
    SendMessageW(drzewo_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    const size_t i = static_cast<size_t>(item.lParam);
    if (i >= reguly_.size()) return;
    HTREEITEM rodzic = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_PARENT,
                                                                reinterpret_cast<LPARAM>(wybrany)));
    RegulaCzyszczenia& r = reguly_[i];
    if (!rodzic || r.rodzaj == "T" || r.rodzaj == "K") {
      reguly_.erase(reguly_.begin() + static_cast<ptrdiff_t>(i));
    } else {
      size_t n = 0;
      for (HTREEITEM h = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_CHILD,
                                                                  reinterpret_cast<LPARAM>(rodzic)));
           h && h != wybrany;
           h = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(h))))
        ++n;
      if (n < r.pary.size()) r.pary.erase(r.pary.begin() + static_cast<ptrdiff_t>(n));
    }
    PokazDrzewo();
  }

  void cmdUsunKronikeClick() {
    if (KomunikatOstrzezenie("Kronika usuniętych plików zostanie bezpowrotnie usunięta!", rkOstrzezenie) != okOk) return;
    if (!kontekst_.pliki.kronika.empty() && platform::Fs().FileExists(kontekst_.pliki.kronika))
      platform::Fs().DeleteFile(kontekst_.pliki.kronika);
  }

  void UstawDostepnosc() {
    const bool tak = Zaznaczone(Kontrolka("chbUsuwaniePlikowTymczasowych"));
    EnableWindow(drzewo_, tak);
    EnableWindow(Kontrolka("cmdUsun"), tak);
  }

  HWND drzewo_ = nullptr;
  std::vector<RegulaCzyszczenia> reguly_, zapamietane_;
  bool wczytane_ = true;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaPlikowTymczasowych(HWND dialog, const RECT& obszar, KontekstOpcji& kontekst) {
  return std::make_unique<TStronaPlikowTymczasowych>(dialog, obszar, kontekst);
}
