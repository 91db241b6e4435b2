#include "keyboard/win32/Skrot.h"

#include <shlobj.h>

#include "common/Komunika.h"
#include "keyboard/Skrot.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmSkrot";
enum { idTbNazwa = 101, idTbLokalizacja, idCmdZmien };
int S(int v) { return win::Scale(v, win::ScreenDpi()); }

int CALLBACK UstawPoczatek(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data) SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

std::string WybierzFolder(HWND owner, const std::string& tytul, const std::string& poczatkowy) {
  const std::wstring t = win::Widen(tytul);
  const std::wstring p = win::Widen(poczatkowy);
  BROWSEINFOW bi{};
  bi.hwndOwner = owner;
  bi.lpszTitle = t.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  bi.lpfn = &UstawPoczatek;
  bi.lParam = p.empty() ? 0 : reinterpret_cast<LPARAM>(p.c_str());
  PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
  if (!pidl) return {};
  wchar_t sciezka[MAX_PATH] = {};
  const bool ok = SHGetPathFromIDListW(pidl, sciezka) != FALSE;
  CoTaskMemFree(pidl);
  return ok ? win::Narrow(sciezka) : std::string();
}

TfrmSkrot::~TfrmSkrot() {
  Destroy();
  if (font_) DeleteObject(font_);
}

int TfrmSkrot::Pokaz(HWND owner) {
  const bool edycja = !Nazwa.empty();
  RegisterFormClass(kKlasa);
  if (!Create(kKlasa, edycja ? "Edytowanie skrótu" : "Nowy skrót", WS_POPUP | WS_CAPTION | WS_SYSMENU,
              WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner))
    return IDCANCEL;
  win::SetClientSize(Hwnd(), S(330), S(142));
  win::CenterOnScreen(Hwnd());
  font_ = win::CreateFontPt(L"MS Sans Serif", 8);
  win::SetFont(Hwnd(), font_);
  win::CreateChild(Hwnd(), L"STATIC", "labNazwaSkrotu", 0, "Nazwa skrótu", WS_VISIBLE | SS_NOPREFIX, S(12), S(10),
                   S(300), S(14));
  tbNazwaSkrotu_ = win::CreateChild(Hwnd(), L"EDIT", "tbNazwaSkrotu", idTbNazwa, edycja ? Nazwa : "",
                                    WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, S(12), S(26), S(306), S(21),
                                    WS_EX_CLIENTEDGE);
  win::CreateChild(Hwnd(), L"STATIC", "labLokalizacjaFolderu", 0, "Lokalizacja folderu", WS_VISIBLE | SS_NOPREFIX,
                   S(12), S(56), S(300), S(14));
  tbLokalizacjaFolderu_ = win::CreateChild(Hwnd(), L"EDIT", "tbLokalizacjaFolderu", idTbLokalizacja,
                                           edycja ? Lokalizacja : "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                           S(12), S(72), S(276), S(21), WS_EX_CLIENTEDGE);
  win::CreateChild(Hwnd(), L"BUTTON", "cmdZmienLokalizacjeFolderu", idCmdZmien, "...",
                   WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, S(292), S(71), S(26), S(23));
  win::CreateChild(Hwnd(), L"BUTTON", "cmdOk", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, S(144),
                   S(106), S(84), S(26));
  win::CreateChild(Hwnd(), L"BUTTON", "cmdAnuluj", IDCANCEL, "Anuluj", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                   S(234), S(106), S(84), S(26));
  Nazwa.clear();
  Lokalizacja.clear();
  SetFocus(tbNazwaSkrotu_);
  const int wynik = ShowModal(owner);
  Destroy();
  return wynik;
}

void TfrmSkrot::cmdZmienLokalizacjeFolderuClick() {
  const std::string wybrany = WybierzFolder(Hwnd(), "Wybierz folder skrótu", win::GetText(tbLokalizacjaFolderu_));
  if (!wybrany.empty()) win::SetText(tbLokalizacjaFolderu_, wybrany);
}

void TfrmSkrot::cmdOkClick() {
  const std::string nazwa = win::GetText(tbNazwaSkrotu_);
  const std::string folder = win::GetText(tbLokalizacjaFolderu_);
  const std::string blad = SprawdzSkrot(nazwa, folder);
  if (!blad.empty()) {
    Komunikat(blad, rkOstrzezenie);
    SetFocus(nazwa.find('#') == std::string::npos && !blad.starts_with("Podaj") ? tbLokalizacjaFolderu_
                                                                                 : tbNazwaSkrotu_);
    return;
  }
  Nazwa = nazwa;
  Lokalizacja = folder;
  EndModal(IDOK);
}

void TfrmSkrot::cmdAnulujClick() {
  Nazwa.clear();
  Lokalizacja.clear();
  EndModal(IDCANCEL);
}

LRESULT TfrmSkrot::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK: cmdOkClick(); return 0;
        case IDCANCEL: cmdAnulujClick(); return 0;
        case idCmdZmien:
          if (HIWORD(wp) == BN_CLICKED) cmdZmienLokalizacjeFolderuClick();
          return 0;
      }
      break;
    case WM_CLOSE:
      cmdAnulujClick();
      return 0;
  }
  return Default(msg, wp, lp);
}
