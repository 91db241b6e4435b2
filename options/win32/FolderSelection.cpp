#include "options/win32/FolderSelection.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "common/Komunika.h"
#include "common/Tekstowe.h"
#include "options/win32/Opcje.h"
#include "platform/Platform.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmFolderSelection";
enum : int { idDrzewo = 10, idPodkatalogi };
constexpr LPARAM kNiewczytany = 0, kWczytany = 1;

int S(int v) {
  static const int dpi = win::ScreenDpi();
  return win::Scale(v, dpi);
}

HFONT Pogrubiona() {
  static HFONT f = win::CreateFontPt(L"Tahoma", 8, true);
  return f;
}

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

int Ikona(const std::string& sciezka, bool folder, bool otwarta) {
  SHFILEINFOW fi{};
  UINT flagi = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (otwarta ? SHGFI_OPENICON : 0);
  if (folder) flagi |= SHGFI_USEFILEATTRIBUTES;
  SHGetFileInfoW(win::Widen(sciezka).c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : 0, &fi, sizeof(fi), flagi);
  return fi.iIcon;
}

}  // namespace

TfrmFolderSelection::~TfrmFolderSelection() {
  if (Hwnd()) DestroyWindow(Hwnd());
}

void TfrmFolderSelection::FormCreate(HWND wlasciciel, bool pytajOPodkatalogi) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterFormClass(kKlasa);
  if (!Create(kKlasa, "Wybieranie foldera", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
              WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, wlasciciel))
    return;
  HWND h = Hwnd();
  win::SetFont(h, TfrmOpcje::Czcionka());
  win::SetClientSize(h, S(340), S(400));
  win::CenterOnScreen(h);
  HWND lab = win::CreateChild(h, L"STATIC", "labFolder", 0, "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS,
                              S(10), S(10), S(320), S(16));
  win::SetFont(lab, Pogrubiona());
  drzewo_ = win::CreateChild(h, WC_TREEVIEWW, "TreeView", idDrzewo, "",
                             WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                             S(10), S(32), S(320), S(300), WS_EX_CLIENTEDGE);
  SHFILEINFOW fi{};
  auto lista = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"C:\\", 0, &fi, sizeof(fi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  SendMessageW(drzewo_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(lista));
  HWND chb = win::CreateChild(h, L"BUTTON", "chbPodkatalogi", idPodkatalogi, "Wraz z podkatalogami",
                              WS_TABSTOP | BS_AUTOCHECKBOX, S(10), S(340), S(200), S(17));
  if (pytajOPodkatalogi) ShowWindow(chb, SW_SHOW);
  win::CreateChild(h, L"BUTTON", "cmdOk", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, S(154), S(364), S(84),
                   S(26));
  win::CreateChild(h, L"BUTTON", "cmdAnuluj", IDCANCEL, "Anuluj", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, S(246), S(364),
                   S(84), S(26));
  LoadDrives();
}

void TfrmFolderSelection::LoadDrives() {
  for (char litera = 'A'; litera <= 'Z'; ++litera) {
    const platform::DriveKind rodzaj = platform::Fs().DriveType(litera);
    if (rodzaj == platform::DriveKind::Unknown || rodzaj == platform::DriveKind::NoRoot) continue;
    const std::string korzen = std::string(1, litera) + ":\\";
    // Removable and CD drives are not read until opened: an empty drive would keep the user waiting.
    const bool wolny = rodzaj == platform::DriveKind::Removable || rodzaj == platform::DriveKind::CdRom;
    const int ikona = Ikona(korzen, false, false);
    Dodaj(TVI_ROOT, " (" + std::string(1, litera) + ":)", ikona, ikona, wolny || !Podfoldery(korzen).empty());
  }
}

HTREEITEM TfrmFolderSelection::Dodaj(HTREEITEM rodzic, const std::string& tekst, int ikona, int otwarta, bool maDzieci) {
  std::wstring t = win::Widen(tekst);
  TVINSERTSTRUCTW w{};
  w.hParent = rodzic;
  w.hInsertAfter = TVI_LAST;
  w.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
  w.item.pszText = t.data();
  w.item.iImage = ikona;
  w.item.iSelectedImage = otwarta;
  w.item.cChildren = maDzieci ? 1 : 0;
  w.item.lParam = kNiewczytany;
  return reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&w)));
}

std::string TfrmFolderSelection::Tekst(HTREEITEM wezel) const {
  wchar_t bufor[MAX_PATH] = {};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = wezel;
  item.pszText = bufor;
  item.cchTextMax = MAX_PATH;
  SendMessageW(drzewo_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return win::Narrow(bufor, static_cast<int>(wcslen(bufor)));
}

std::string TfrmFolderSelection::Sciezka(HTREEITEM wezel) const {
  std::vector<std::string> czesci;
  for (HTREEITEM h = wezel; h;
       h = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(h))))
    czesci.push_back(Tekst(h));
  if (czesci.empty()) return "";
  // " (C:)" gives "C:"; the drive alone is its root "C:\".
  const std::string naped = czesci.back().size() >= 4 ? czesci.back().substr(2, 2) : czesci.back();
  if (czesci.size() == 1) return naped + "\\";
  std::string s = naped;
  for (auto it = czesci.rbegin() + 1; it != czesci.rend(); ++it) s += "\\" + *it;
  return s;
}

void TfrmFolderSelection::Rozwin(HTREEITEM wezel) {
  TVITEMW item{};
  item.mask = TVIF_PARAM;
  item.hItem = wezel;
  SendMessageW(drzewo_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  if (item.lParam == kWczytany) return;
  item.lParam = kWczytany;
  SendMessageW(drzewo_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  const std::string sciezka = Sciezka(wezel);
  static const int folder = Ikona("folder", true, false), otwarty = Ikona("folder", true, true);
  const auto nazwy = Podfoldery(sciezka);
  for (const std::string& n : nazwy)
    Dodaj(wezel, n, folder, otwarty, !Podfoldery(platform::JoinPath(sciezka, n)).empty());
  if (nazwy.empty()) {
    item.mask = TVIF_CHILDREN;
    item.cChildren = 0;
    SendMessageW(drzewo_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

void TfrmFolderSelection::PokazSciezke() {
  HTREEITEM w = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  win::SetText(win::FindControl(Hwnd(), "labFolder"), w ? Sciezka(w) : "");
}

bool TfrmFolderSelection::OtworzSciezke(const std::string& sciezka) {
  if (sciezka.size() < 2 || sciezka[1] != ':') return false;
  std::string szukany = "(";
  szukany.append(UpperCasePL(sciezka.substr(0, 1))).append(":)");
  HTREEITEM wezel = nullptr;
  for (HTREEITEM h = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_ROOT, 0)); h;
       h = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(h))))
    if (TrimBoth(Tekst(h)) == szukany) wezel = h;
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
    for (HTREEITEM h = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(wezel)));
         h && !znaleziony;
         h = reinterpret_cast<HTREEITEM>(SendMessageW(drzewo_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(h))))
      if (UpperCasePL(Tekst(h)) == UpperCasePL(czesc)) znaleziony = h;
    if (!znaleziony) break;
    SendMessageW(drzewo_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(wezel));
    wezel = znaleziony;
  }
  SendMessageW(drzewo_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(wezel));
  SendMessageW(drzewo_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(wezel));
  PokazSciezke();
  return true;
}

WybranyFolder TfrmFolderSelection::Pokaz(HWND wlasciciel, const std::string& poczatkowy, bool pytajOPodkatalogi) {
  wynik_ = {};
  FormCreate(wlasciciel, pytajOPodkatalogi);
  if (!Hwnd()) return wynik_;
  if (!poczatkowy.empty() && platform::Fs().DirectoryExists(poczatkowy)) OtworzSciezke(poczatkowy);
  SetFocus(drzewo_);
  ShowModal(wlasciciel);
  Destroy();
  return wynik_;
}

LRESULT TfrmFolderSelection::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK:
          wynik_.folder = win::GetText(win::FindControl(Hwnd(), "labFolder"));
          wynik_.podkatalogi = SendMessageW(win::FindControl(Hwnd(), "chbPodkatalogi"), BM_GETCHECK, 0, 0) == BST_CHECKED;
          EndModal(IDOK);
          return 0;
        case IDCANCEL:
          wynik_ = {};
          EndModal(IDCANCEL);
          return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* n = reinterpret_cast<const NMHDR*>(lp);
      if (n->hwndFrom != drzewo_) break;
      if (n->code == TVN_ITEMEXPANDINGW) {
        const auto* t = reinterpret_cast<const NMTREEVIEWW*>(lp);
        if (t->action & TVE_EXPAND) Rozwin(t->itemNew.hItem);
      } else if (n->code == TVN_SELCHANGEDW) {
        PokazSciezke();
      }
      return 0;
    }
    case WM_CLOSE:
      wynik_ = {};
      EndModal(IDCANCEL);
      return 0;
  }
  return Default(msg, wp, lp);
}

WybranyFolder WybierzFolder(HWND wlasciciel, const std::string& poczatkowy, bool pytajOPodkatalogi) {
  TfrmFolderSelection okno;
  return okno.Pokaz(wlasciciel, poczatkowy, pytajOPodkatalogi);
}
