#include "keyboard/win32/GoracyKlawisz.h"

#include <commctrl.h>
#include <commdlg.h>

#include "common/Komunika.h"
#include "keyboard/GoraceKlawisze.h"
#include "keyboard/GoracyKlawisz.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmGoracyKlawisz";
enum { idHkHotKey = 101, idCmbRozkazy, idCmdSzukajProgramu };
constexpr uint16_t kPoczatkowyKlawisz = 32833;  // Alt+A
int S(int v) { return win::Scale(v, win::ScreenDpi()); }

}  // namespace

TfrmGoracyKlawisz::TfrmGoracyKlawisz() = default;

TfrmGoracyKlawisz::~TfrmGoracyKlawisz() {
  Destroy();
  if (font_) DeleteObject(font_);
}

void TfrmGoracyKlawisz::FormCreate() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&icc);
  font_ = win::CreateFontPt(L"MS Sans Serif", 8);
  win::SetFont(Hwnd(), font_);
  auto label = [&](const char* name, const char* text, int y) {
    win::CreateChild(Hwnd(), L"STATIC", name, 0, text, WS_VISIBLE | SS_NOPREFIX, S(12), S(y), S(200), S(14));
  };
  label("labKlawisz", "Klawisz", 10);
  hkHotKey_ = win::CreateChild(Hwnd(), HOTKEY_CLASSW, "hkHotKey", idHkHotKey, "", WS_VISIBLE | WS_TABSTOP, S(12),
                               S(26), S(160), S(22), WS_EX_CLIENTEDGE);
  // A key alone or with Shift alone would take a plain letter from every program: Alt is added.
  SendMessageW(hkHotKey_, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_ALT, 0));
  SendMessageW(hkHotKey_, HKM_SETHOTKEY, KontrolkaZeSkrotu(kPoczatkowyKlawisz), 0);
  label("labZadanie", "Zadanie", 58);
  cmbRozkazy_ = win::CreateChild(Hwnd(), L"COMBOBOX", "cmbRozkazy", idCmbRozkazy, "",
                                 WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                     CBS_HASSTRINGS,
                                 S(12), S(74), S(290), S(200));
  cmdSzukajProgramu_ = win::CreateChild(Hwnd(), L"BUTTON", "cmdSzukajProgramu", idCmdSzukajProgramu, "...",
                                        WS_TABSTOP | BS_PUSHBUTTON | BS_FLAT, S(306), S(74), S(26), S(22));
  win::CreateChild(Hwnd(), L"BUTTON", "cmdOk", IDOK, "Ok", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, S(160),
                   S(116), S(84), S(26));
  win::CreateChild(Hwnd(), L"BUTTON", "cmdAnuluj", IDCANCEL, "Anuluj", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                   S(250), S(116), S(84), S(26));
  TStringList opisy;
  for (const auto& z : kTabelaZadan) opisy.push_back(z.opis);
  for (const auto& o : opisy)
    SendMessageW(cmbRozkazy_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(o).c_str()));
}

void TfrmGoracyKlawisz::FormShow() {
  if (!Edycja) {
    win::SetText(Hwnd(), "Dodanie nowego gorącego klawisza");
    return;
  }
  win::SetText(Hwnd(), "Edycja gorącego klawisza");
  const uint16_t skrot = TextToShortCut(PoleSkrotu(Linia));
  if (skrot) SendMessageW(hkHotKey_, HKM_SETHOTKEY, KontrolkaZeSkrotu(skrot), 0);
  const std::string opis = PoleOpisu(Linia);
  TStringList opisy;
  for (const auto& z : kTabelaZadan) opisy.push_back(z.opis);
  const int i = PozycjaZadania(opisy, opis);
  if (i >= 0) {
    // The item keeps the program path of the line.
    UstawTekstPozycji(i, TrimBoth(opis));
    SendMessageW(cmbRozkazy_, CB_SETCURSEL, i, 0);
    ostatnia_ = i;
  }
  ShowWindow(cmdSzukajProgramu_, SW_SHOW);
}

int TfrmGoracyKlawisz::Pokaz(HWND owner) {
  RegisterFormClass(kKlasa);
  if (!Create(kKlasa, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
              WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner))
    return IDCANCEL;
  win::SetClientSize(Hwnd(), S(346), S(154));
  win::CenterOnScreen(Hwnd());
  FormCreate();
  FormShow();
  SetFocus(hkHotKey_);
  const int wynik = ShowModal(owner);
  Destroy();
  return wynik;
}

std::string TfrmGoracyKlawisz::TekstPozycji(int i) const {
  if (i < 0) return {};
  const LRESULT n = SendMessageW(cmbRozkazy_, CB_GETLBTEXTLEN, i, 0);
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  SendMessageW(cmbRozkazy_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(w.data()));
  w.resize(static_cast<size_t>(n));
  return win::Narrow(w);
}

void TfrmGoracyKlawisz::UstawTekstPozycji(int i, const std::string& tekst) {
  SendMessageW(cmbRozkazy_, CB_DELETESTRING, i, 0);
  SendMessageW(cmbRozkazy_, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(win::Widen(tekst).c_str()));
}

int TfrmGoracyKlawisz::Zaznaczona() const { return static_cast<int>(SendMessageW(cmbRozkazy_, CB_GETCURSEL, 0, 0)); }

void TfrmGoracyKlawisz::WybierzProgram(const std::string& folder, const std::string& plik) {
  wchar_t sciezka[MAX_PATH] = {};
  const std::wstring poczatek = win::Widen(plik);
  lstrcpynW(sciezka, poczatek.c_str(), MAX_PATH);
  const std::wstring katalog = win::Widen(folder);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Hwnd();
  ofn.lpstrFilter = L"Programy (*.exe;*.com;*.bat)\0*.exe;*.com;*.bat\0Wszystkie pliki (*.*)\0*.*\0";
  ofn.lpstrFile = sciezka;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = katalog.empty() ? nullptr : katalog.c_str();
  ofn.lpstrTitle = L"Wybierz program";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&ofn)) return;
  // The program always goes with the run-a-program item, whichever item the search started from.
  const int i = static_cast<int>(kTabelaZadan.size()) - 1;
  UstawTekstPozycji(i, OpisZProgramem(TekstPozycji(i), win::Narrow(sciezka)));
  SendMessageW(cmbRozkazy_, CB_SETCURSEL, i, 0);
  ostatnia_ = i;
}

void TfrmGoracyKlawisz::cmbRozkazyChange() {
  const int i = Zaznaczona();
  if (i == ostatnia_ || i < 0) return;
  ostatnia_ = i;
  const bool program = OpisToZadanie(TekstPozycji(i)) == kZadanieUruchom;
  if (program) {
    ShowWindow(cmdSzukajProgramu_, SW_SHOW);
    WybierzProgram({}, {});
  }
}

void TfrmGoracyKlawisz::cmdSzukajProgramuClick() {
  const std::string program = TekstWNawiasach(TekstPozycji(static_cast<int>(kTabelaZadan.size()) - 1));
  WybierzProgram(FolderPlikuProgramu(program), NazwaPlikuProgramu(program));
}

void TfrmGoracyKlawisz::cmdOkClick() {
  const uint16_t skrot = SkrotZKontrolki(static_cast<uint16_t>(SendMessageW(hkHotKey_, HKM_GETHOTKEY, 0, 0)));
  const std::string opis = TekstPozycji(Zaznaczona());
  const std::string blad = SprawdzGoracyKlawisz(skrot, opis);
  if (!blad.empty()) {
    Komunikat(blad, rkOstrzezenie);
    SetFocus(ShortCutToText(skrot).empty() ? hkHotKey_ : cmbRozkazy_);
    return;
  }
  Linia = ShortCutToText(skrot) + "#" + opis;
  EndModal(IDOK);
}

void TfrmGoracyKlawisz::cmdAnulujClick() {
  Linia.clear();
  EndModal(IDCANCEL);
}

void TfrmGoracyKlawisz::RysujPozycje(const DRAWITEMSTRUCT& d) {
  const bool zaznaczona = (d.itemState & ODS_SELECTED) != 0;
  FillRect(d.hDC, &d.rcItem, GetSysColorBrush(zaznaczona ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (d.itemID == static_cast<UINT>(-1)) return;
  const std::wstring tekst = win::Widen(PokazywanyOpisZadania(TekstPozycji(static_cast<int>(d.itemID))));
  SetBkMode(d.hDC, TRANSPARENT);
  SetTextColor(d.hDC, GetSysColor(zaznaczona ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT r = d.rcItem;
  r.left += S(2);
  DrawTextW(d.hDC, tekst.c_str(), static_cast<int>(tekst.size()), &r,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
}

LRESULT TfrmGoracyKlawisz::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK: cmdOkClick(); return 0;
        case IDCANCEL: cmdAnulujClick(); return 0;
        case idCmdSzukajProgramu:
          if (HIWORD(wp) == BN_CLICKED) cmdSzukajProgramuClick();
          return 0;
        case idCmbRozkazy:
          // A choice in the dropped list, or with the arrows on the closed box.
          if (HIWORD(wp) == CBN_SELENDOK ||
              (HIWORD(wp) == CBN_SELCHANGE && !SendMessageW(cmbRozkazy_, CB_GETDROPPEDSTATE, 0, 0)))
            cmbRozkazyChange();
          return 0;
      }
      break;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = S(16);
      return TRUE;
    case WM_DRAWITEM:
      if (wp == idCmbRozkazy) {
        RysujPozycje(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      cmdAnulujClick();
      return 0;
  }
  return Default(msg, wp, lp);
}

std::string NowyGoracyKlawisz(HWND owner) {
  TfrmGoracyKlawisz f;
  f.Edycja = false;
  f.Pokaz(owner);
  return f.Linia;
}

std::string EdytujGoracyKlawisz(const std::string& linia, HWND owner) {
  TfrmGoracyKlawisz f;
  f.Edycja = true;
  f.Linia = linia;
  f.Pokaz(owner);
  return f.Linia;
}
