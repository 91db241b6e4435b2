#include "keyboard/win32/Skrot.h"

#include <shlobj.h>

#include "common/Komunika.h"
#include "keyboard/Skrot.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmSkrot";

int CALLBACK UstawPoczatek(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data) SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

std::string WybierzFolder(HWND owner, const std::string& tytul, const std::string& poczatkowy) {
  // The shell's picker (its new style above all) is a COM object of this thread's apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  struct Com {
    bool wlasny;
    ~Com() {
      if (wlasny) CoUninitialize();
    }
  } zwolnij{SUCCEEDED(com)};
  const std::wstring t = win::Widen(tytul);
  const std::wstring p = win::Widen(poczatkowy);
  BROWSEINFOW bi{};
  bi.hwndOwner = owner;
  bi.lpszTitle = t.c_str();
  // A thread already in the multithreaded apartment gets the old style, which needs no apartment.
  bi.ulFlags = BIF_RETURNONLYFSDIRS | (com == RPC_E_CHANGED_MODE ? 0 : BIF_NEWDIALOGSTYLE);
  bi.lpfn = &UstawPoczatek;
  bi.lParam = p.empty() ? 0 : reinterpret_cast<LPARAM>(p.c_str());
  PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
  if (!pidl) return {};
  wchar_t sciezka[MAX_PATH] = {};
  const bool ok = SHGetPathFromIDListW(pidl, sciezka) != FALSE;
  CoTaskMemFree(pidl);
  return ok ? win::Narrow(sciezka) : std::string();
}

int TfrmSkrot::Pokaz(HWND owner) {
  const bool edycja = !Nazwa.empty();
  if (!CreateForm(kKlasa, edycja ? "Edytowanie skrótu" : "Nowy skrót", 330, 142, owner)) return IDCANCEL;
  AddLabel("labNazwaSkrotu", "Nazwa skrótu", {12, 10, 300, 14});
  tbNazwaSkrotu_ = AddEdit("tbNazwaSkrotu", {12, 26, 306, 21});
  AddLabel("labLokalizacjaFolderu", "Lokalizacja folderu", {12, 56, 300, 14});
  tbLokalizacjaFolderu_ = AddEdit("tbLokalizacjaFolderu", {12, 72, 276, 21});
  AddButton("cmdZmienLokalizacjeFolderu", "...", {292, 71, 26, 23}, [this] { cmdZmienLokalizacjeFolderuClick(); });
  AddButton("cmdOk", "OK", {144, 106, 84, 26}, [this] { cmdOkClick(); }, IDOK, true);
  AddButton("cmdAnuluj", "Anuluj", {234, 106, 84, 26}, [this] { cmdAnulujClick(); }, IDCANCEL);
  if (edycja) {
    tbNazwaSkrotu_.SetText(Nazwa);
    tbLokalizacjaFolderu_.SetText(Lokalizacja);
  }
  Nazwa.clear();
  Lokalizacja.clear();
  const int wynik = RunModal(owner, tbNazwaSkrotu_.Hwnd());
  Destroy();
  return wynik;
}

void TfrmSkrot::cmdZmienLokalizacjeFolderuClick() {
  const std::string wybrany = WybierzFolder(Hwnd(), "Wybierz folder skrótu", tbLokalizacjaFolderu_.Text());
  if (!wybrany.empty()) tbLokalizacjaFolderu_.SetText(wybrany);
}

void TfrmSkrot::cmdOkClick() {
  const std::string nazwa = tbNazwaSkrotu_.Text();
  const std::string folder = tbLokalizacjaFolderu_.Text();
  if (const std::optional<OdmowaSkrotu> odmowa = SprawdzSkrot(nazwa, folder)) {
    Komunikat(odmowa->komunikat, rkOstrzezenie);
    (odmowa->wFolderze ? tbLokalizacjaFolderu_ : tbNazwaSkrotu_).Focus();
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
