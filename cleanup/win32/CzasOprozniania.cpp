#include "cleanup/win32/CzasOprozniania.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "cleanup/RegulyCzyszczenia.h"
#include "common/Komunika.h"

namespace {
enum { idSpn = 101, idSpnStrzalki = 102 };
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
  if (obrazek_) DestroyIcon(obrazek_);
}

int TfrmCzasOprozniania::Pokaz(HWND wlasciciel, bool kosz, int dni) {
  wynik_ = 0;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  if (!UtworzForme(L"TfrmCzasOprozniania", "Czas opróżniania", 330, 136, wlasciciel)) return 0;
  HWND obraz = win::CreateChild(Hwnd(), L"STATIC", kosz ? "imgKosz" : "imgTemp", 0, "", WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE,
                                S(14), S(14), S(32), S(32));
  if ((obrazek_ = Obrazek(kosz))) SendMessageW(obraz, STM_SETICON, reinterpret_cast<WPARAM>(obrazek_), 0);
  Etykieta("labPytanie", PytanieCzasuOprozniania(kosz), 60, 12, 256, 44);
  HWND pole = win::CreateChild(Hwnd(), L"EDIT", "spnCzasOprozniania", idSpn, "",
                               WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_RIGHT, S(60), S(64), S(64), S(21),
                               WS_EX_CLIENTEDGE);
  HWND strzalki = win::CreateChild(Hwnd(), UPDOWN_CLASSW, "spnCzasOproznianiaStrzalki", idSpnStrzalki, "",
                                   WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                   0, 0, 0, 0);
  SendMessageW(strzalki, UDM_SETBUDDY, reinterpret_cast<WPARAM>(pole), 0);
  SendMessageW(strzalki, UDM_SETRANGE32, kMin, kMax);
  SendMessageW(strzalki, UDM_SETPOS32, 0, dni > 0 ? std::min(dni, kMax) : kMin);
  Etykieta("labDni", "dni", 130, 67, 60, 16);
  Przycisk("cmdOk", IDOK, "OK", 144, 100, 80, 24, true);
  Przycisk("cmdAnuluj", IDCANCEL, "Anuluj", 234, 100, 80, 24);
  SetFocus(pole);
  SendMessageW(pole, EM_SETSEL, 0, -1);
  ShowModal(wlasciciel);
  Destroy();
  return wynik_;
}

void TfrmCzasOprozniania::cmdOkClick() {
  const std::string tekst = TrimBoth(win::GetText(Kontrolka("spnCzasOprozniania")));
  const int dni = IsNumber(tekst) && tekst.size() <= 5 ? std::stoi(tekst) : 0;
  if (dni < kMin || dni > kMax) {
    Komunikat("Podaj liczbę dni od 1 do 1000.", rkOstrzezenie);
    SetFocus(Kontrolka("spnCzasOprozniania"));
    return;
  }
  wynik_ = dni;
  EndModal(IDOK);
}

LRESULT TfrmCzasOprozniania::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK) {
        cmdOkClick();
        return 0;
      }
      if (LOWORD(wp) == IDCANCEL) {
        wynik_ = 0;
        EndModal(IDCANCEL);
        return 0;
      }
      break;
    case WM_CLOSE:
      wynik_ = 0;
      EndModal(IDCANCEL);
      return 0;
  }
  return Default(msg, wp, lp);
}

int PokazCzasOprozniania(HWND wlasciciel, bool kosz, int dni) {
  TfrmCzasOprozniania okno;
  return okno.Pokaz(wlasciciel, kosz, dni);
}
