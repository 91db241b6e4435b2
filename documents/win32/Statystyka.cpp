#include "documents/win32/Statystyka.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include "common/Komunika.h"
#include "common/win32/Win32Dialogs.h"
#include "documents/Eksport.h"
#include "platform/Platform.h"
#include "settings/Globalne.h"
#include "settings/win32/Pomoc.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmStatystyka";
// The window's size at first use and its smallest size, frame included.
constexpr int kDomyslnaW = 760, kDomyslnaH = 560, kMinW = 600, kMinH = 470;

const char* const kStrony[] = {"Czas pracy - dziennie", "Czas pracy - grafik", "Czas pracy - miesięcznie",
                               "Dokumnety"};

}  // namespace

TfrmStatystyka::TfrmStatystyka(ZrodloStatystyki zrodlo) : dane_(WczytajDaneStatystyki(std::move(zrodlo))) {
  FormCreate();
}

TfrmStatystyka::~TfrmStatystyka() { Destroy(); }  // while the pages still hold what is stored

void TfrmStatystyka::FormCreate() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  win::FormStyle styl;
  styl.face = L"Tahoma";
  styl.contextHelp = true;
  styl.extraStyle = WS_THICKFRAME;  // sizable, with the caption's "?" instead of a maximise box
  if (!CreateForm(kKlasa, "Statystyka", kDomyslnaW, kDomyslnaH, nullptr, styl)) return;
  // The default size counts the frame: the first use stores it as the window's place.
  SetWindowPos(Hwnd(), nullptr, 0, 0, S(kDomyslnaW), S(kDomyslnaH), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  win::CenterOnMonitor(Hwnd());
  DodajZakladki();
  dziennie_ = std::make_unique<TStronaDzienna>(Hwnd(), dane_, tlo_);
  grafik_ = std::make_unique<TStronaGrafiku>(Hwnd(), dane_, tlo_);
  miesiecznie_ = std::make_unique<TStronaMiesieczna>(Hwnd(), dane_, tlo_);
  dokumenty_ = std::make_unique<TStronaDokumentow>(Hwnd(), dane_, tlo_);
  strony_ = {dziennie_.get(), grafik_.get(), miesiecznie_.get(), dokumenty_.get()};
  for (TStronaStatystyki* s : strony_) s->UstawKontekstPomocy();
  // The pages lie over the notebook, which must stay below them.
  SetWindowPos(zakladki_.Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  cmdEksport_ = AddButton("cmdEksport", "Eksport...", {}, [this] { cmdEksportClick(); });
  AddHint(cmdEksport_, "Zapisz dane wszystkich stron w plikach CSV");
  cmdPomoc_ = AddButton("cmdPomoc", "Pomoc", {}, [this] { cmdPomocClick(); });
  // Esc comes as IDCANCEL too.
  cmdZamknij_ = AddButton("cmdZamknij", "Zamknij", {}, [this] { cmdZamknijClick(); }, IDCANCEL);
  RECT k{};
  GetClientRect(Hwnd(), &k);
  OnSize(k.right, k.bottom);
  PokazStrone();
}

void TfrmStatystyka::DodajZakladki() {
  zakladki_ = AddControl(WC_TABCONTROLW, "Zkaladki", "", {}, WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS);
  for (int i = 0; i < statystyka::kStron; ++i) {
    std::wstring t = win::Widen(kStrony[i]);
    TCITEMW it{};
    it.mask = TCIF_TEXT;
    it.pszText = t.data();
    zakladki_.Send(TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&it));
  }
  tlo_.UstawZakladki(zakladki_.Hwnd());
}

void TfrmStatystyka::FormShow() {
  const StatisticsOptions o = WczytajOpcjeStatystyki(Pozycja());
  opcjeWczytane_ = true;
  UstawPozycje(o.pozycja);
  for (TStronaStatystyki* s : strony_) s->WczytajOpcje(o);
  UstawStrone(o.strona);
}

int TfrmStatystyka::Pokaz(HWND wlasciciel) {
  if (!Hwnd()) return 0;
  FormShow();
  const int wynik = RunModal(wlasciciel);
  Destroy();
  return wynik;
}

void TfrmStatystyka::FormDestroy() {
  if (!opcjeWczytane_) return;  // never shown: nothing of the user's to keep
  StatisticsOptions o;
  o.strona = strona_;
  o.pozycja = Pozycja();
  for (const TStronaStatystyki* s : strony_) s->ZapiszOpcje(o);
  ZapiszOpcjeStatystyki(o);
}

std::string TfrmStatystyka::Pozycja() const {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(Hwnd(), &wp);
  WindowPosition p;
  if (wp.showCmd == SW_SHOWMAXIMIZED) {
    p.maximized = true;
  } else {
    RECT r{};
    GetWindowRect(Hwnd(), &r);
    p.left = r.left;
    p.top = r.top;
    p.width = r.right - r.left;
    p.height = r.bottom - r.top;
  }
  return WindowPositionText(p);
}

void TfrmStatystyka::UstawPozycje(const std::string& zapisana) {
  std::vector<statystyka::Prostokat> monitory;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR, HDC, LPRECT m, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<statystyka::Prostokat>*>(lp)->push_back({m->left, m->top, m->right, m->bottom});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitory));
  RECT obszar{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &obszar, 0);
  const WindowPosition p =
      statystyka::PozycjaOkna(WindowPositionFromText(zapisana), monitory, {obszar.left, obszar.top, obszar.right, obszar.bottom},
                              S(kDomyslnaW), S(kDomyslnaH), S(kMinW), S(kMinH));
  if (p.maximized) ShowWindow(Hwnd(), SW_MAXIMIZE);
  else SetWindowPos(Hwnd(), nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmStatystyka::cmdPomocClick() {
  const int kontekst = statystyka::KontekstPomocy(static_cast<int>(zakladki_.Send(TCM_GETCURSEL)));
  if (kontekst == 0) {
    PokazBlad("TfrmStatystyka.cmdPomocClick", "Nierozpoznana zakładka");
    return;
  }
  kontekstPomocy_ = kontekst;
  OtworzPomoc(FolderZeSciezki(ApplicationHelpFile()), kontekst);
}

void TfrmStatystyka::cmdZamknijClick() {
  if (InModalLoop()) EndModal(IDCANCEL);  // Pokaz frees the window once the loop is left
  else Destroy();
}

namespace {

// The folder the user chose through the save dialog; empty when cancelled.
std::string WybierzFolderEksportu(HWND wlasciciel) {
  wchar_t plik[MAX_PATH] = L"dni.csv";
  wchar_t dokumenty[MAX_PATH] = {};
  const bool maDokumenty = SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, dokumenty));
  const std::wstring tytul = win::Widen("Eksport: folder plików dni.csv, dokumenty.csv i polaczenia.csv");
  const std::wstring filtr = win::Widen("Pliki CSV (*.csv)") + L'\0' + L"*.csv" + L'\0';
  OPENFILENAMEW o{};
  o.lStructSize = sizeof o;
  o.hwndOwner = wlasciciel;
  o.lpstrFilter = filtr.c_str();
  o.lpstrFile = plik;
  o.nMaxFile = MAX_PATH;
  o.lpstrInitialDir = maDokumenty ? dokumenty : nullptr;
  o.lpstrTitle = tytul.c_str();
  o.lpstrDefExt = L"csv";
  // Replacing is asked once for all three files, after the dialog.
  o.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING;
  if (!GetSaveFileNameW(&o)) return {};
  return FolderZeSciezki(win::Narrow(plik, static_cast<int>(wcslen(plik))));
}

std::string Lista(const std::vector<std::string>& nazwy) {
  std::string out;
  for (size_t i = 0; i < nazwy.size(); ++i) out += (i == 0 ? "" : i + 1 == nazwy.size() ? " i " : ", ") + nazwy[i];
  return out;
}

}  // namespace

void TfrmStatystyka::cmdEksportClick() {
  const std::string folder = WybierzFolderEksportu(Hwnd());
  if (!folder.empty()) Eksportuj(folder);
}

bool TfrmStatystyka::Eksportuj(const std::string& folder) {
  const std::vector<std::string> sa = eksport::IstniejacePliki(folder);
  if (!sa.empty() && KomunikatPytanie("W folderze " + folder + " są już pliki " + Lista(sa) + ". Czy zastąpić je nowymi?",
                                      rkPytanie) != okTak)
    return false;
  const std::vector<std::string> nie = eksport::ZapiszPliki(eksport::UtworzPliki(dane_), folder);
  if (!nie.empty()) {
    Komunikat("Nie mogę zapisać pliku " + platform::JoinPath(folder, nie.front()) +
                  ". Sprawdź, czy folder jest dostępny do zapisu i czy plik nie jest otwarty w innym programie.",
              rkOstrzezenie);
    return false;
  }
  Komunikat("Zapisano pliki " + Lista({eksport::kPliki.begin(), eksport::kPliki.end()}) + " w folderze " + folder + ".",
            rkInformacja);
  return true;
}

void TfrmStatystyka::NastepnaStrona(bool wstecz) {
  UstawStrone((strona_ + (wstecz ? statystyka::kStron - 1 : 1)) % statystyka::kStron);
  if (HWND pierwsza = GetNextDlgTabItem(strony_[strona_]->Hwnd(), nullptr, FALSE)) SetFocus(pierwsza);
}

bool TfrmStatystyka::PreTranslate(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return false;
  if (msg.wParam == VK_TAB) NastepnaStrona(GetKeyState(VK_SHIFT) < 0);
  else if (msg.wParam == VK_NEXT || msg.wParam == VK_PRIOR) NastepnaStrona(msg.wParam == VK_PRIOR);
  else return false;
  return true;
}

void TfrmStatystyka::UstawStrone(int strona) {
  zakladki_.Send(TCM_SETCURSEL, statystyka::PoprawnaStrona(strona));
  PokazStrone();
}

void TfrmStatystyka::PokazStrone() {
  strona_ = statystyka::PoprawnaStrona(static_cast<int>(zakladki_.Send(TCM_GETCURSEL)));
  const HWND fokus = GetFocus();
  bool fokusNaUkrytej = false;
  for (int s = 0; s < statystyka::kStron; ++s) {
    const HWND h = strony_[s]->Hwnd();
    if (s != strona_ && fokus && (fokus == h || IsChild(h, fokus))) fokusNaUkrytej = true;
    ShowWindow(h, s == strona_ ? SW_SHOW : SW_HIDE);
  }
  // The window opens with the keyboard on the page's chart or grid, so the keys work at once; a
  // focus left on a page that went is given to the page shown.
  const HWND pierwsza = GetNextDlgTabItem(strony_[strona_]->Hwnd(), nullptr, FALSE);
  if (!IsWindowVisible(Hwnd())) SetRememberedFocus(pierwsza);
  if (fokusNaUkrytej && pierwsza) SetFocus(pierwsza);
}

void TfrmStatystyka::OnSize(int width, int height) {
  if (!cmdZamknij_) return;  // sized while being created, before its controls exist
  const int m = S(6), bw = S(85), bh = S(25);
  cmdZamknij_.Place(width - m - bw, height - m - bh, bw, bh);
  cmdPomoc_.Place(width - 2 * m - 2 * bw, height - m - bh, bw, bh);
  cmdEksport_.Place(m, height - m - bh, bw, bh);
  const int dol = height - 2 * m - bh;
  zakladki_.Place(m, m, width - 2 * m, dol - m);
  RECT strona{m, m, width - m, dol};
  zakladki_.Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&strona));
  for (TStronaStatystyki* s : strony_)
    win::Control(s->Hwnd()).Place(strona.left, strona.top, strona.right - strona.left, strona.bottom - strona.top);
  InvalidateRect(Hwnd(), nullptr, TRUE);
}

bool TfrmStatystyka::OnNotify(NMHDR* n, LRESULT&) {
  if (n->hwndFrom != zakladki_.Hwnd() || n->code != TCN_SELCHANGE) return false;
  PokazStrone();
  return true;
}

bool TfrmStatystyka::OnHelp(const HELPINFO& info) {
  // The pages and their controls carry the page's context ("?" on a control, F1).
  if (info.dwContextId) OtworzPomoc(FolderZeSciezki(ApplicationHelpFile()), static_cast<int>(info.dwContextId));
  return true;
}

bool TfrmStatystyka::OnClose() {
  cmdZamknijClick();
  return true;
}

LRESULT TfrmStatystyka::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {S(kMinW), S(kMinH)};
      return 0;
    case WM_ACTIVATE:
      return KeepFocusOnActivate(wp);
    case WM_DESTROY:
      FormDestroy();
      break;
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
      tlo_.Zapomnij();
      if (dokumenty_)  // the last page made: all the charts exist
        for (TWykres* w : {&dziennie_->Wykres(), &miesiecznie_->Wykres(), &dokumenty_->Wykres()})
          SendMessageW(w->Hwnd(), WM_SYSCOLORCHANGE, 0, 0);
      break;
  }
  return Form::HandleMessage(msg, wp, lp);
}

void PokazStatystyke(HWND wlasciciel, ZrodloStatystyki zrodlo) {
  TfrmStatystyka okno(std::move(zrodlo));
  okno.Pokaz(wlasciciel);
}
