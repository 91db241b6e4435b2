#include "installer/win32/Glowny.h"

#include "common/Komunika.h"
#include "installer/Glowny.h"
#include "installer/UnInstall.h"
#include "installer/win32/Deinstalacja.h"
#include "installer/win32/Licencja.h"
#include "installer/win32/SrodowiskoWin32.h"
#include "installer/win32/Wybgrupy.h"
#include "installer/win32/Zmienkat.h"

namespace {
enum { kInstaluj = IDOK, kAnuluj = IDCANCEL, kZmienGrupe = 101, kZmienKatalog = 102, kLicencja = 103 };
enum { kWynikInstaluj = 1, kWynikAnuluj = 2 };
}  // namespace

bool TfrmGlowna::Utworz() {
  if (Hwnd()) return true;
  if (!UtworzForme(L"TfrmGlowna", "Instalator wer. 1.0", 550, 337)) return false;
  Ikona("imgIkona", 20, 18);
  Etykieta("labInstalacja", "Instalacja programu:", 68, 18, 300, 14);
  win::SetFont(Etykieta("labNazwaProgramu", "", 68, 34, 460, 20, SS_ENDELLIPSIS), CzcionkaPogrubiona());
  Linia(16, 66, 518);

  Etykieta("labGrupa", "Nazwa grupy:", 20, 82, 300, 14);
  Panel("pnlNazwaGrupy", 20, 98, 414, 24);
  Etykieta("labNazwaGrupy", "", 26, 103, 402, 14, SS_ENDELLIPSIS);
  Przycisk("cmdZmienNazweGrupy", kZmienGrupe, "Zmień...", 446, 97, 84, 26);

  Etykieta("labKatalog", "Instaluję w katalogu:", 20, 136, 300, 14);
  Panel("pnlKatalogDocelowy", 20, 152, 414, 24);
  Etykieta("labKatalogDocelowy", "", 26, 157, 402, 14, SS_PATHELLIPSIS);
  Przycisk("cmdZmienKatalog", kZmienKatalog, "Zmień...", 446, 151, 84, 26);

  Etykieta("labWymagane", "Wymagana ilość miejsca na dysku:", 20, 198, 220, 14);
  Etykieta("labWymaganeMiejsce", "", 240, 198, 120, 14, SS_RIGHT);
  Etykieta("labDostepne", "Dostępna ilość miejsca na dysku:", 20, 220, 220, 14);
  Etykieta("labDostepneMiejsce", "", 240, 220, 120, 14, SS_RIGHT);

  Etykieta("labWskazowka",
           "Aby rozpocząć instalację, naciśnij przycisk \"Instaluj\".",
           20, 248, 510, 14);
  Linia(16, 280, 518);
  Przycisk("cmdLicencja", kLicencja, "Licencja ", 20, 296, 96, 27);
  Przycisk("cmdInstaluj", kInstaluj, "Instaluj", 330, 296, 96, 27, true);
  Przycisk("cmdAnuluj", kAnuluj, "Anuluj", 434, 296, 96, 27);
  return true;
}

int TfrmGlowna::Uruchom(const std::vector<std::string>& parametry) {
  if (!Utworz()) return wiNiepowodzenie;
  return FormCreate(parametry);
}

int TfrmGlowna::FormCreate(const std::vector<std::string>& parametry) {
  if (parametry.empty()) {
    TSrodowiskoWin32 srodowisko;
    TInstalator instalator(srodowisko, *this);
    return instalator.Uruchom();
  }
  if (parametry.size() == 2) {
    TfrmDeinstalacja okno;
    return UruchomDeinstalacje(parametry[0], parametry[1], okno);
  }
  // One parameter or three would make the uninstaller guess the program's folder.
  Komunikat("Nieprawidłowe parametry programu instalacyjnego. Bez parametrów program instaluje, "
            "a z dwoma (katalog programu i jego nazwa) odinstalowuje program.",
            rkStop);
  return wiNiepowodzenie;
}

void TfrmGlowna::Wypelnij(const DaneOknaGlownego& dane) {
  win::SetText(Kontrolka("labNazwaProgramu"), dane.nazwaProgramu);
  win::SetText(Kontrolka("labNazwaGrupy"), dane.nazwaGrupy);
  ShowWindow(Kontrolka("labNazwaGrupy"), dane.grupaDostepna ? SW_SHOW : SW_HIDE);
  for (const char* nazwa : {"labGrupa", "pnlNazwaGrupy", "cmdZmienNazweGrupy"})
    EnableWindow(Kontrolka(nazwa), dane.grupaDostepna);
  win::SetText(Kontrolka("labKatalogDocelowy"), dane.sciezkaDocelowa);
  win::SetText(Kontrolka("labWymaganeMiejsce"), dane.wymaganeMiejsce);
  win::SetText(Kontrolka("labDostepneMiejsce"), dane.dostepneMiejsce);
  brakMiejsca_ = dane.brakMiejsca;
  InvalidateRect(Kontrolka("labDostepneMiejsce"), nullptr, TRUE);
  HWND obraz = Kontrolka("imgIkona");
  if (!PokazIkone(obraz, dane.ikona))
    SendMessageW(obraz, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_APPLICATION)), 0);
  licencja_ = dane.licencja;
  sprawdzKatalog_ = dane.sprawdzKatalog;
  // Without a licence file the button has nothing to open.
  EnableWindow(Kontrolka("cmdLicencja"), !licencja_.empty());
}

WynikOknaGlownego TfrmGlowna::PokazOknoGlowne(TStanInstalacji& stan, const DaneOknaGlownego& dane) {
  if (!Utworz()) return WynikOknaGlownego::Anuluj;
  stan_ = &stan;
  Wypelnij(dane);
  SetFocus(Kontrolka("cmdInstaluj"));
  const int wynik = ShowModal();
  stan_ = nullptr;
  return wynik == kWynikAnuluj ? WynikOknaGlownego::Anuluj : WynikOknaGlownego::Instaluj;
}

bool TfrmGlowna::KatalogPrzyjety() {
  if (!stan_ || !sprawdzKatalog_) return true;
  const std::string blad = sprawdzKatalog_(stan_->sciezkaDocelowa);
  if (blad.empty()) return true;
  Komunikat(blad, rkOstrzezenie);
  SetFocus(Kontrolka("cmdZmienKatalog"));
  return false;
}

void TfrmGlowna::ObsluzKomunikaty() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (postep_.Hwnd() && IsDialogMessageW(postep_.Hwnd(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void TfrmGlowna::cmdZmienNazweGrupyClick() {
  if (!stan_) return;
  TfrmWyborGrupy okno;
  if (auto nazwa = okno.Pokaz(Hwnd(), stan_->nazwaGrupy)) {
    stan_->nazwaGrupy = *nazwa;
    win::SetText(Kontrolka("labNazwaGrupy"), *nazwa);
  }
}

void TfrmGlowna::cmdZmienKatalogClick() {
  if (!stan_) return;
  TfrmZmienKatalog okno;
  if (auto sciezka = okno.Pokaz(Hwnd(), stan_->sciezkaDocelowa)) {
    stan_->sciezkaDocelowa = *sciezka;
    win::SetText(Kontrolka("labKatalogDocelowy"), *sciezka);
    const WolneMiejsce wolne = WolneMiejscePoZmianie(*sciezka, stan_->wymaganeMiejsce);
    win::SetText(Kontrolka("labDostepneMiejsce"), wolne.tekst);
    brakMiejsca_ = wolne.brak;
    InvalidateRect(Kontrolka("labDostepneMiejsce"), nullptr, TRUE);
  }
}

void TfrmGlowna::cmdLicencjaClick() {
  if (licencja_.empty()) return;
  TfrmLicencja okno;
  okno.Pokaz(Hwnd(), licencja_);
}

LRESULT TfrmGlowna::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case kInstaluj:
          if (KatalogPrzyjety()) EndModal(kWynikInstaluj);
          return 0;
        case kAnuluj: EndModal(kWynikAnuluj); return 0;
        case kZmienGrupe: cmdZmienNazweGrupyClick(); return 0;
        case kZmienKatalog: cmdZmienKatalogClick(); return 0;
        case kLicencja: cmdLicencjaClick(); return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lp) == Kontrolka("labDostepneMiejsce")) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, brakMiejsca_ ? RGB(220, 0, 0) : GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_CLOSE:
      // Closing the window goes on with the installation, as "Instaluj" does.
      if (InModalLoop() && KatalogPrzyjety()) EndModal(kWynikInstaluj);
      return 0;
  }
  return Default(msg, wp, lp);
}
