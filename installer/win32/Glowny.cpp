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
enum { kWynikInstaluj = 1, kWynikAnuluj = 2 };
}  // namespace

TfrmGlowna::~TfrmGlowna() { Destroy(); }

bool TfrmGlowna::Utworz() {
  if (Hwnd()) return true;
  if (!CreateForm(L"TfrmGlowna", "Instalator wer. 1.0", 550, 337, nullptr)) return false;
  imgIkona_ = AddControl(L"STATIC", "imgIkona", "", {20, 18, 32, 32}, WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE);
  AddLabel("labInstalacja", "Instalacja programu:", {68, 18, 300, 14});
  labNazwaProgramu_ = AddLabel("labNazwaProgramu", "", {68, 34, 460, 20}, SS_ENDELLIPSIS);
  win::SetFont(labNazwaProgramu_.Hwnd(), BoldFont(10));
  AddLine({16, 66, 518, 0});

  labGrupa_ = AddLabel("labGrupa", "Nazwa grupy:", {20, 82, 300, 14});
  pnlNazwaGrupy_ = AddPanel("pnlNazwaGrupy", {20, 98, 414, 24});
  labNazwaGrupy_ = AddLabel("labNazwaGrupy", "", {26, 103, 402, 14}, SS_ENDELLIPSIS);
  cmdZmienNazweGrupy_ = AddButton("cmdZmienNazweGrupy", "Zmień...", {446, 97, 84, 26}, [this] { cmdZmienNazweGrupyClick(); });

  AddLabel("labKatalog", "Instaluję w katalogu:", {20, 136, 300, 14});
  AddPanel("pnlKatalogDocelowy", {20, 152, 414, 24});
  labKatalogDocelowy_ = AddLabel("labKatalogDocelowy", "", {26, 157, 402, 14}, SS_PATHELLIPSIS);
  cmdZmienKatalog_ = AddButton("cmdZmienKatalog", "Zmień...", {446, 151, 84, 26}, [this] { cmdZmienKatalogClick(); });

  AddLabel("labWymagane", "Wymagana ilość miejsca na dysku:", {20, 198, 220, 14});
  labWymaganeMiejsce_ = AddLabel("labWymaganeMiejsce", "", {240, 198, 120, 14}, SS_RIGHT);
  AddLabel("labDostepne", "Dostępna ilość miejsca na dysku:", {20, 220, 220, 14});
  labDostepneMiejsce_ = AddLabel("labDostepneMiejsce", "", {240, 220, 120, 14}, SS_RIGHT);

  AddLabel("labWskazowka", "Aby rozpocząć instalację, naciśnij przycisk \"Instaluj\".", {20, 248, 510, 14});
  AddLine({16, 280, 518, 0});
  cmdLicencja_ = AddButton("cmdLicencja", "Licencja ", {20, 296, 96, 27}, [this] { cmdLicencjaClick(); });
  cmdInstaluj_ = AddButton("cmdInstaluj", "Instaluj", {330, 296, 96, 27}, [this] { cmdInstalujClick(); }, IDOK, true);
  AddButton("cmdAnuluj", "Anuluj", {434, 296, 96, 27}, [this] { EndModal(kWynikAnuluj); }, IDCANCEL);
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
  labNazwaProgramu_.SetText(dane.nazwaProgramu);
  labNazwaGrupy_.SetText(dane.nazwaGrupy);
  labNazwaGrupy_.Show(dane.grupaDostepna);
  for (const win::Control& c : {labGrupa_, pnlNazwaGrupy_, static_cast<win::Control>(cmdZmienNazweGrupy_)})
    c.Enable(dane.grupaDostepna);
  labKatalogDocelowy_.SetText(dane.sciezkaDocelowa);
  labWymaganeMiejsce_.SetText(dane.wymaganeMiejsce);
  PokazWolneMiejsce(dane.dostepneMiejsce, dane.brakMiejsca);
  ikona_.Pokaz(imgIkona_.Hwnd(), dane.ikona, S(32));
  licencja_ = dane.licencja;
  sprawdzKatalog_ = dane.sprawdzKatalog;
  // Without a licence file the button has nothing to open.
  cmdLicencja_.Enable(!licencja_.empty());
}

void TfrmGlowna::PokazWolneMiejsce(const std::string& tekst, bool brak) {
  labDostepneMiejsce_.SetText(tekst);
  brakMiejsca_ = brak;
  InvalidateRect(labDostepneMiejsce_.Hwnd(), nullptr, TRUE);
}

WynikOknaGlownego TfrmGlowna::PokazOknoGlowne(TStanInstalacji& stan, const DaneOknaGlownego& dane) {
  if (!Utworz()) return WynikOknaGlownego::Anuluj;
  stan_ = &stan;
  Wypelnij(dane);
  const int wynik = RunModal(nullptr, cmdInstaluj_.Hwnd());
  stan_ = nullptr;
  return wynik == kWynikAnuluj ? WynikOknaGlownego::Anuluj : WynikOknaGlownego::Instaluj;
}

bool TfrmGlowna::KatalogPrzyjety() {
  if (!stan_ || !sprawdzKatalog_) return true;
  const std::string blad = sprawdzKatalog_(stan_->sciezkaDocelowa);
  if (blad.empty()) return true;
  Komunikat(blad, rkOstrzezenie);
  cmdZmienKatalog_.Focus();
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
    labNazwaGrupy_.SetText(*nazwa);
  }
}

void TfrmGlowna::cmdZmienKatalogClick() {
  if (!stan_) return;
  TfrmZmienKatalog okno;
  if (auto sciezka = okno.Pokaz(Hwnd(), stan_->sciezkaDocelowa)) {
    stan_->sciezkaDocelowa = *sciezka;
    labKatalogDocelowy_.SetText(*sciezka);
    const WolneMiejsce wolne = WolneMiejscePoZmianie(*sciezka, stan_->wymaganeMiejsce);
    PokazWolneMiejsce(wolne.tekst, wolne.brak);
  }
}

void TfrmGlowna::cmdLicencjaClick() {
  if (licencja_.empty()) return;
  TfrmLicencja okno;
  okno.Pokaz(Hwnd(), licencja_);
}

void TfrmGlowna::cmdInstalujClick() {
  if (KatalogPrzyjety()) EndModal(kWynikInstaluj);
}

bool TfrmGlowna::OnClose() {
  // Closing the window goes on with the installation, as "Instaluj" does.
  if (InModalLoop()) cmdInstalujClick();
  return true;
}

HBRUSH TfrmGlowna::OnControlColor(HDC dc, HWND control) {
  if (control != labDostepneMiejsce_.Hwnd()) return nullptr;
  SetTextColor(dc, brakMiejsca_ ? RGB(220, 0, 0) : GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}
