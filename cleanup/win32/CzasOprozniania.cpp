#include "cleanup/win32/CzasOprozniania.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "cleanup/RegulyCzyszczenia.h"
#include "common/Komunika.h"

namespace {
constexpr int kMin = 1, kMax = 1000;

// The shell's own picture of the recycle bin or of a folder.
HICON Obrazek(bool kosz) {
  SHSTOCKICONINFO stock{};
  stock.cbSize = sizeof stock;
  if (SUCCEEDED(SHGetStockIconInfo(kosz ? SIID_RECYCLER : SIID_FOLDER, SHGSI_ICON | SHGSI_LARGEICON, &stock)) &&
      stock.hIcon)
    return stock.hIcon;
  SHFILEINFOW info{};
  if (kosz) {
    PIDLIST_ABSOLUTE pidl = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &pidl))) {
      const DWORD_PTR ok = SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof info,
                                          SHGFI_PIDL | SHGFI_ICON | SHGFI_LARGEICON);
      CoTaskMemFree(pidl);
      if (ok && info.hIcon) return info.hIcon;
    }
  }
  // Asked by attribute, so no disk is touched.
  if (SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                     SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_LARGEICON))
    return info.hIcon;
  return nullptr;
}
}  // namespace

TfrmCzasOprozniania::~TfrmCzasOprozniania() {
  Destroy();
  if (obrazek_) DestroyIcon(obrazek_);
}

int TfrmCzasOprozniania::Pokaz(HWND wlasciciel, bool kosz, int dni) {
  wynik_ = 0;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  if (!CreateForm(L"TfrmCzasOprozniania", "Czas opróżniania", 330, 136, wlasciciel)) return 0;
  const win::Control obraz = AddControl(L"STATIC", kosz ? "imgKosz" : "imgTemp", "", {14, 14, 32, 32},
                                        WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE);
  if ((obrazek_ = Obrazek(kosz))) obraz.Send(STM_SETICON, reinterpret_cast<WPARAM>(obrazek_));
  AddLabel("labPytanie", PytanieCzasuOprozniania(kosz), {60, 12, 256, 44});
  spnCzasOprozniania_ = AddSpinBox("spnCzasOprozniania", {60, 64, 64, 21}, kMin, kMax,
                                   dni > 0 ? std::min(dni, kMax) : kMin, ES_RIGHT);
  AddLabel("labDni", "dni", {130, 67, 60, 16});
  AddButton("cmdOk", "OK", {144, 100, 80, 24}, [this] { cmdOkClick(); }, IDOK, true);
  AddButton("cmdAnuluj", "Anuluj", {234, 100, 80, 24}, [this] { cmdAnulujClick(); }, IDCANCEL);
  spnCzasOprozniania_.SelectAll();
  RunModal(wlasciciel, spnCzasOprozniania_.Hwnd());
  Destroy();
  return wynik_;
}

void TfrmCzasOprozniania::cmdOkClick() {
  const std::string tekst = TrimBoth(spnCzasOprozniania_.Text());
  const int dni = IsNumber(tekst) && tekst.size() <= 5 ? std::stoi(tekst) : 0;
  if (dni < kMin || dni > kMax) {
    Komunikat("Podaj liczbę dni od 1 do 1000.", rkOstrzezenie);
    spnCzasOprozniania_.Focus();
    return;
  }
  wynik_ = dni;
  EndModal(IDOK);
}

void TfrmCzasOprozniania::cmdAnulujClick() {
  wynik_ = 0;
  EndModal(IDCANCEL);
}

bool TfrmCzasOprozniania::OnClose() {
  cmdAnulujClick();
  return true;
}

int PokazCzasOprozniania(HWND wlasciciel, bool kosz, int dni) {
  TfrmCzasOprozniania okno;
  return okno.Pokaz(wlasciciel, kosz, dni);
}
