#include "options/win32/FolderSelection.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "common/Komunika.h"
#include "common/Tekstowe.h"
#include "platform/Platform.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmFolderSelection";
constexpr LPARAM kNiewczytany = 0, kWczytany = 1, kCzytanie = 2;
constexpr UINT kOdczytGotowy = WM_APP + 1;
// How long opening a node waits for its folders before it shows "Czytanie..." instead: long
// enough for a local folder, short enough not to be felt.
constexpr int kCzekanieNaWezel = 250;
// Opening the preset path waits longer at each level, but never for a drive that does not answer.
constexpr int kCzekanieNaSciezke = 2000;

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

struct OdczytFolderu {
  std::string sciezka;
  bool znaczniki = true;  // whether each subfolder is looked into for one of its own (its expand mark)
  std::mutex m;
  std::condition_variable cv;
  bool gotowy = false;
  std::vector<std::pair<std::string, bool>> podfoldery;  // name, expandable
  HWND okno = nullptr;                                   // told when ready, while it lives

  // On the reading's own thread, which holds the reading alive: a drive that never answers keeps
  // that thread only.
  static void Czytaj(const std::shared_ptr<OdczytFolderu>& o) {
    std::vector<std::pair<std::string, bool>> wynik;
    for (const std::string& n : Podfoldery(o->sciezka))
      wynik.emplace_back(n, !o->znaczniki || platform::Fs().HasSubdirectory(platform::JoinPath(o->sciezka, n)));
    std::lock_guard<std::mutex> l(o->m);
    o->podfoldery = std::move(wynik);
    o->gotowy = true;
    if (o->okno) PostMessageW(o->okno, kOdczytGotowy, 0, 0);
    o->cv.notify_all();
  }
};

TfrmFolderSelection::~TfrmFolderSelection() { OdlaczOdczyty(); }

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
      if (t.action & TVE_EXPAND) Rozwin(t.itemNew.hItem, kCzekanieNaWezel);
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
    // Removable, CD and network drives are not read until opened: an empty drive or a server that
    // does not answer would keep the user waiting.
    const bool wolny = rodzaj == platform::DriveKind::Removable || rodzaj == platform::DriveKind::CdRom ||
                       rodzaj == platform::DriveKind::Remote;
    if (rodzaj == platform::DriveKind::Remote) zdalne_ += litera;
    const int ikona = win::ShellIconIndex(korzen, 0, false);
    drzewo_.Add(TVI_ROOT, " (" + std::string(1, litera) + ":)", ikona, ikona, kNiewczytany,
                wolny || platform::Fs().HasSubdirectory(korzen));
  }
}

bool TfrmFolderSelection::Zdalny(const std::string& sciezka) const {
  return !sciezka.empty() && zdalne_.find(UpperCasePL(sciezka.substr(0, 1))) != std::string::npos;
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

void TfrmFolderSelection::Rozwin(HTREEITEM wezel, int czekajMs) {
  if (drzewo_.Data(wezel) != kNiewczytany) return;
  drzewo_.SetData(wezel, kWczytany);
  auto odczyt = std::make_shared<OdczytFolderu>();
  odczyt->sciezka = Sciezka(wezel);
  // On a network drive each subfolder's own listing would cost a round trip: they all get a
  // mark, which goes when the folder opens empty.
  odczyt->znaczniki = !Zdalny(odczyt->sciezka);
  odczyt->okno = Hwnd();
  std::thread(&OdczytFolderu::Czytaj, odczyt).detach();
  {
    std::unique_lock<std::mutex> l(odczyt->m);
    if (odczyt->cv.wait_for(l, std::chrono::milliseconds(czekajMs), [&] { return odczyt->gotowy; })) {
      l.unlock();
      DodajPodfoldery(wezel, *odczyt);
      return;
    }
  }
  static const int folder = win::ShellIconIndex("folder", FILE_ATTRIBUTE_DIRECTORY, true);
  drzewo_.Add(wezel, "Czytanie...", folder, folder, kCzytanie);
  odczyty_[wezel] = odczyt;
}

void TfrmFolderSelection::DodajPodfoldery(HTREEITEM wezel, const OdczytFolderu& odczyt) {
  static const int folder = win::ShellIconIndex("folder", FILE_ATTRIBUTE_DIRECTORY, true);
  static const int otwarty = win::ShellIconIndex("folder", FILE_ATTRIBUTE_DIRECTORY, true, true);
  for (HTREEITEM h = drzewo_.FirstChild(wezel); h;) {
    const HTREEITEM nastepny = drzewo_.NextSibling(h);
    if (drzewo_.Data(h) == kCzytanie) drzewo_.Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(h));
    h = nastepny;
  }
  for (const auto& [nazwa, rozwijalny] : odczyt.podfoldery)
    drzewo_.Add(wezel, nazwa, folder, otwarty, kNiewczytany, rozwijalny);
  if (odczyt.podfoldery.empty()) drzewo_.SetHasChildren(wezel, false);
}

void TfrmFolderSelection::OdbierzOdczyty() {
  for (auto it = odczyty_.begin(); it != odczyty_.end();) {
    bool gotowy = false;
    {
      std::lock_guard<std::mutex> l(it->second->m);
      gotowy = it->second->gotowy;
    }
    if (!gotowy) {
      ++it;
      continue;
    }
    DodajPodfoldery(it->first, *it->second);
    it = odczyty_.erase(it);
  }
}

void TfrmFolderSelection::OdlaczOdczyty() {
  for (auto& [wezel, odczyt] : odczyty_) {
    std::lock_guard<std::mutex> l(odczyt->m);
    odczyt->okno = nullptr;
  }
  odczyty_.clear();
}

LRESULT TfrmFolderSelection::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != kOdczytGotowy) return Form::HandleMessage(msg, wp, lp);
  OdbierzOdczyty();
  return 0;
}

void TfrmFolderSelection::PokazSciezke() {
  HTREEITEM w = drzewo_.Selected();
  if (w && drzewo_.Data(w) == kCzytanie) w = drzewo_.Parent(w);  // "Czytanie..." names no folder
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
    Rozwin(wezel, kCzekanieNaSciezke);
    if (odczyty_.count(wezel)) break;  // not answering: the walk ends at the last folder read
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
  // A path on a network drive is not asked after (the server may not answer): the walk finds what
  // of it exists.
  if (!poczatkowy.empty() && (Zdalny(poczatkowy) || platform::Fs().DirectoryExists(poczatkowy)))
    OtworzSciezke(poczatkowy);
  RunModal(wlasciciel, drzewo_.Hwnd());
  OdlaczOdczyty();
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
