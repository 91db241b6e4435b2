#include "options/win32/FolderSelection.h"

#include <commctrl.h>

#include <algorithm>

#include "common/Komunika.h"
#include "common/Tekstowe.h"
#include "platform/Platform.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmFolderSelection";
constexpr LPARAM kNiewczytany = 0, kWczytany = 1;

std::vector<std::string> Podfoldery(const std::string& folder) {
  std::vector<std::string> wynik;
  const auto lista = platform::Fs().List(folder, "*");
  if (!lista) return wynik;
  for (const platform::DirEntry& e : *lista)
    if (e.directory && e.name != "." && e.name != "..") wynik.push_back(e.name);
  std::sort(wynik.begin(), wynik.end(), [](const std::string& a, const std::string& b) {
    return UpperCasePL(a) < UpperCasePL(b);
  });
  return wynik;
}

}  // namespace

void TfrmFolderSelection::FormCreate(HWND wlasciciel, bool pytajOPodkatalogi) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  win::FormStyle styl;
  styl.face = L"Tahoma";
  if (!CreateForm(kKlasa, "Wybieranie foldera", 340, 400, wlasciciel, styl)) return;
  labFolder_ = AddLabel("labFolder", "", {10, 10, 320, 16}, SS_LEFT | SS_PATHELLIPSIS);
  win::SetFont(labFolder_.Hwnd(), BoldFont(8));
  drzewo_ = AddTree("TreeView", {10, 32, 320, 300},
                    TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
  drzewo_.UseShellImages();
  OnNotifyFrom(drzewo_, [this](NMHDR& n) -> LRESULT {
    if (n.code == TVN_ITEMEXPANDINGW) {
      const auto& t = reinterpret_cast<const NMTREEVIEWW&>(n);
      if (t.action & TVE_EXPAND) Rozwin(t.itemNew.hItem);
    } else if (n.code == TVN_SELCHANGEDW) {
      PokazSciezke();
    }
    return 0;
  });
  chbPodkatalogi_ = AddCheckBox("chbPodkatalogi", "Wraz z podkatalogami", {10, 340, 200, 17});
  chbPodkatalogi_.Show(pytajOPodkatalogi);
  AddButton("cmdOk", "OK", {154, 364, 84, 26}, [this] { cmdOkClick(); }, IDOK, true);
  AddButton("cmdAnuluj", "Anuluj", {246, 364, 84, 26}, [this] { cmdAnulujClick(); }, IDCANCEL);
  LoadDrives();
}

void TfrmFolderSelection::LoadDrives() {
  for (char litera = 'A'; litera <= 'Z'; ++litera) {
    const platform::DriveKind rodzaj = platform::Fs().DriveType(litera);
    if (rodzaj == platform::DriveKind::Unknown || rodzaj == platform::DriveKind::NoRoot) continue;
    const std::string korzen = std::string(1, litera) + ":\\";
    // Removable and CD drives are not read until opened: an empty drive would keep the user waiting.
    const bool wolny = rodzaj == platform::DriveKind::Removable || rodzaj == platform::DriveKind::CdRom;
    const int ikona = win::ShellIconIndex(korzen, 0, false);
    drzewo_.Add(TVI_ROOT, " (" + std::string(1, litera) + ":)", ikona, ikona, kNiewczytany,
                wolny || !Podfoldery(korzen).empty());
  }
}

std::string TfrmFolderSelection::Sciezka(HTREEITEM wezel) const {
  std::vector<std::string> czesci;
  for (HTREEITEM h = wezel; h; h = drzewo_.Parent(h)) czesci.push_back(drzewo_.Text(h));
  if (czesci.empty()) return "";
  // " (C:)" gives "C:"; the drive alone is its root "C:\".
  const std::string naped = czesci.back().size() >= 4 ? czesci.back().substr(2, 2) : czesci.back();
  if (czesci.size() == 1) return naped + "\\";
  std::string s = naped;
  for (auto it = czesci.rbegin() + 1; it != czesci.rend(); ++it) s += "\\" + *it;
  return s;
}

void TfrmFolderSelection::Rozwin(HTREEITEM wezel) {
  if (drzewo_.Data(wezel) == kWczytany) return;
  drzewo_.SetData(wezel, kWczytany);
  const std::string sciezka = Sciezka(wezel);
  static const int folder = win::ShellIconIndex("folder", FILE_ATTRIBUTE_DIRECTORY, true);
  static const int otwarty = win::ShellIconIndex("folder", FILE_ATTRIBUTE_DIRECTORY, true, true);
  const auto nazwy = Podfoldery(sciezka);
  for (const std::string& n : nazwy)
    drzewo_.Add(wezel, n, folder, otwarty, kNiewczytany, !Podfoldery(platform::JoinPath(sciezka, n)).empty());
  if (nazwy.empty()) drzewo_.SetHasChildren(wezel, false);
}

void TfrmFolderSelection::PokazSciezke() {
  const HTREEITEM w = drzewo_.Selected();
  labFolder_.SetText(w ? Sciezka(w) : "");
}

bool TfrmFolderSelection::OtworzSciezke(const std::string& sciezka) {
  if (sciezka.size() < 2 || sciezka[1] != ':') return false;
  std::string szukany = "(";
  szukany.append(UpperCasePL(sciezka.substr(0, 1))).append(":)");
  HTREEITEM wezel = nullptr;
  for (HTREEITEM h = drzewo_.Root(); h; h = drzewo_.NextSibling(h))
    if (TrimBoth(drzewo_.Text(h)) == szukany) wezel = h;
  if (!wezel) {
    PokazBlad("TfrmFolderSelection.FormShow", "Nieodnaleziony napęd: " + sciezka.substr(0, 2));
    return false;
  }
  size_t od = 2;
  while (od < sciezka.size()) {
    while (od < sciezka.size() && sciezka[od] == '\\') ++od;
    const size_t koniec = std::min(sciezka.find('\\', od), sciezka.size());
    const std::string czesc = sciezka.substr(od, koniec - od);
    od = koniec;
    if (czesc.empty()) break;
    Rozwin(wezel);
    HTREEITEM znaleziony = nullptr;
    for (HTREEITEM h = drzewo_.FirstChild(wezel); h && !znaleziony; h = drzewo_.NextSibling(h))
      if (UpperCasePL(drzewo_.Text(h)) == UpperCasePL(czesc)) znaleziony = h;
    if (!znaleziony) break;
    drzewo_.Expand(wezel);
    wezel = znaleziony;
  }
  drzewo_.Select(wezel);
  drzewo_.EnsureVisible(wezel);
  PokazSciezke();
  return true;
}

WybranyFolder TfrmFolderSelection::Pokaz(HWND wlasciciel, const std::string& poczatkowy, bool pytajOPodkatalogi) {
  wynik_ = {};
  FormCreate(wlasciciel, pytajOPodkatalogi);
  if (!Hwnd()) return wynik_;
  if (!poczatkowy.empty() && platform::Fs().DirectoryExists(poczatkowy)) OtworzSciezke(poczatkowy);
  RunModal(wlasciciel, drzewo_.Hwnd());
  Destroy();
  return wynik_;
}

void TfrmFolderSelection::cmdOkClick() {
  wynik_.folder = labFolder_.Text();
  wynik_.podkatalogi = chbPodkatalogi_.Checked();
  EndModal(IDOK);
}

void TfrmFolderSelection::cmdAnulujClick() {
  wynik_ = {};
  EndModal(IDCANCEL);
}

bool TfrmFolderSelection::OnClose() {
  cmdAnulujClick();
  return true;
}

WybranyFolder WybierzFolder(HWND wlasciciel, const std::string& poczatkowy, bool pytajOPodkatalogi) {
  TfrmFolderSelection okno;
  return okno.Pokaz(wlasciciel, poczatkowy, pytajOPodkatalogi);
}
