#include "keyboard/win32/GoracyKlawisz.h"

#include <commctrl.h>
#include <commdlg.h>

#include "common/Komunika.h"
#include "keyboard/GoraceKlawisze.h"
#include "keyboard/GoracyKlawisz.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmGoracyKlawisz";
constexpr uint16_t kPoczatkowyKlawisz = 32833;  // Alt+A

// The item of the run-a-program task: the last of the table.
int PozycjaProgramu() { return static_cast<int>(kTabelaZadan.size()) - 1; }

}  // namespace

int TfrmGoracyKlawisz::Pokaz(HWND owner) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&icc);
  if (!CreateForm(kKlasa, Edycja ? "Edycja gorącego klawisza" : "Dodanie nowego gorącego klawisza", 346, 154, owner))
    return IDCANCEL;
  FormCreate();
  FormShow();
  const int wynik = RunModal(owner, hkHotKey_.Hwnd());
  Destroy();
  return wynik;
}

void TfrmGoracyKlawisz::FormCreate() {
  AddLabel("labKlawisz", "Klawisz", {12, 10, 200, 14});
  hkHotKey_ = AddControl(HOTKEY_CLASSW, "hkHotKey", "", {12, 26, 160, 22}, WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE);
  // A key alone or with Shift alone would take a plain letter from every program: Alt is added.
  hkHotKey_.Send(HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_ALT, 0));
  hkHotKey_.Send(HKM_SETHOTKEY, KontrolkaZeSkrotu(kPoczatkowyKlawisz));
  AddLabel("labZadanie", "Zadanie", {12, 58, 200, 14});
  cmbRozkazy_ = AddComboBox("cmbRozkazy", {12, 74, 290, 200}, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
  // A choice in the dropped list, or with the arrows on the closed box.
  OnNotification(cmbRozkazy_, [this](int code) {
    if (code == CBN_SELENDOK || (code == CBN_SELCHANGE && !cmbRozkazy_.Send(CB_GETDROPPEDSTATE))) cmbRozkazyChange();
  });
  cmdSzukajProgramu_ = win::Button(
      AddControl(L"BUTTON", "cmdSzukajProgramu", "...", {306, 74, 26, 22}, WS_TABSTOP | BS_PUSHBUTTON | BS_FLAT).Hwnd());
  OnNotification(cmdSzukajProgramu_, [this](int code) {
    if (code == BN_CLICKED) cmdSzukajProgramuClick();
  });
  AddButton("cmdOk", "Ok", {160, 116, 84, 26}, [this] { cmdOkClick(); }, IDOK, true);
  AddButton("cmdAnuluj", "Anuluj", {250, 116, 84, 26}, [this] { cmdAnulujClick(); }, IDCANCEL);
  for (const auto& z : kTabelaZadan) cmbRozkazy_.Add(z.opis);
}

void TfrmGoracyKlawisz::FormShow() {
  if (!Edycja) return;
  // A key that does not read stays empty rather than showing (and saving) the new binding's Alt+A:
  // "Ok" then asks for one.
  const uint16_t skrot = TextToShortCut(PoleSkrotu(Linia));
  hkHotKey_.Send(HKM_SETHOTKEY, skrot ? KontrolkaZeSkrotu(skrot) : 0);
  const std::string opis = PoleOpisu(Linia);
  TStringList opisy;
  for (const auto& z : kTabelaZadan) opisy.push_back(z.opis);
  const int i = PozycjaZadania(opisy, opis);
  if (i >= 0) {
    // The item keeps the program path of the line.
    UstawTekstPozycji(i, TrimBoth(opis));
    cmbRozkazy_.Select(i);
    ostatnia_ = i;
  }
  cmdSzukajProgramu_.Show(true);
}

void TfrmGoracyKlawisz::UstawTekstPozycji(int i, const std::string& tekst) {
  cmbRozkazy_.Send(CB_DELETESTRING, i);
  cmbRozkazy_.Send(CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(win::Widen(tekst).c_str()));
}

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
  const int i = PozycjaProgramu();
  UstawTekstPozycji(i, OpisZProgramem(cmbRozkazy_.Item(i), win::Narrow(sciezka)));
  cmbRozkazy_.Select(i);
  ostatnia_ = i;
}

void TfrmGoracyKlawisz::cmbRozkazyChange() {
  const int i = cmbRozkazy_.Selected();
  if (i == ostatnia_ || i < 0) return;
  ostatnia_ = i;
  if (OpisToZadanie(cmbRozkazy_.Item(i)) == kZadanieUruchom) {
    cmdSzukajProgramu_.Show(true);
    WybierzProgram({}, {});
  }
}

void TfrmGoracyKlawisz::cmdSzukajProgramuClick() {
  const std::string program = TekstWNawiasach(cmbRozkazy_.Item(PozycjaProgramu()));
  WybierzProgram(FolderPlikuProgramu(program), NazwaPlikuProgramu(program));
}

void TfrmGoracyKlawisz::cmdOkClick() {
  const uint16_t skrot = SkrotZKontrolki(static_cast<uint16_t>(hkHotKey_.Send(HKM_GETHOTKEY)));
  const int i = cmbRozkazy_.Selected();
  const std::string opis = i >= 0 ? cmbRozkazy_.Item(i) : std::string();
  const std::string blad = SprawdzGoracyKlawisz(skrot, opis);
  if (!blad.empty()) {
    Komunikat(blad, rkOstrzezenie);
    if (ShortCutToText(skrot).empty()) hkHotKey_.Focus();
    else cmbRozkazy_.Focus();
    return;
  }
  Linia = ShortCutToText(skrot) + "#" + opis;
  EndModal(IDOK);
}

void TfrmGoracyKlawisz::cmdAnulujClick() {
  Linia.clear();
  EndModal(IDCANCEL);
}

bool TfrmGoracyKlawisz::OnClose() {
  cmdAnulujClick();
  return true;
}

bool TfrmGoracyKlawisz::OnMeasureItem(MEASUREITEMSTRUCT& m) {
  m.itemHeight = S(16);
  return true;
}

bool TfrmGoracyKlawisz::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.CtlID != static_cast<UINT>(GetDlgCtrlID(cmbRozkazy_.Hwnd()))) return false;
  const bool zaznaczona = (d.itemState & ODS_SELECTED) != 0;
  FillRect(d.hDC, &d.rcItem, GetSysColorBrush(zaznaczona ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (d.itemID == static_cast<UINT>(-1)) return true;
  const std::wstring tekst = win::Widen(PokazywanyOpisZadania(cmbRozkazy_.Item(static_cast<int>(d.itemID))));
  SetBkMode(d.hDC, TRANSPARENT);
  SetTextColor(d.hDC, GetSysColor(zaznaczona ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT r = d.rcItem;
  r.left += S(2);
  DrawTextW(d.hDC, tekst.c_str(), static_cast<int>(tekst.size()), &r,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
  return true;
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
