// Page "Przypominanie": the programs whose documents Kalmo offers to monitor, the delay of that
// question, and the characters a document window's title must contain.
#include "common/Komunika.h"
#include "common/Tekstowe.h"
#include "options/win32/GetString.h"
#include "options/win32/Strony.h"
#include "settings/Rejestr.h"
#include "worktime/InfoSaver.h"

namespace {

enum : int { idProgramy = 10, idDodaj, idUsun, idCzasPytania, idZnaki };

class TStronaPrzypominania : public TStronaOpcji {
 public:
  TStronaPrzypominania(HWND dialog, const RECT& obszar, KontekstOpcji& k) : TStronaOpcji(dialog, obszar, "Przypominanie", k) {
    Grupa("grpMonitorowanie", " Przypominanie o monitorowaniu: ", 6, 4, 592, 236);
    lista_ = win::CreateChild(Hwnd(), L"LISTBOX", "lstProgramy", idProgramy, "",
                              WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, S(18), S(26),
                              S(240), S(160), WS_EX_CLIENTEDGE);
    Przycisk("cmdDodajProgram", idDodaj, "Dodaj dokument", 272, 26, 130, 26);
    Przycisk("cmdUsunProgram", idUsun, "Usuń dokument", 272, 58, 130, 26);
    Etykieta("labObjasnienieProgramow",
             "Gdy pracujesz w jednym z wymienionych programów, Kalmo po kilku minutach zapyta, czy edytowany "
             "dokument ma być monitorowany, to znaczy czy ma liczyć czas pracy nad nim.",
             272, 96, 314, 80);
    Etykieta("labCzasPytania",
             "Czas (w minutach), po którym pojawi się zapytanie czy dokument ma być monitorowany:", 18, 196, 400, 30);
    Licznik("spnCzasPytania", idCzasPytania, 430, 199, 60, kZakresCzasuPytania.min, kZakresCzasuPytania.max, 10);
    Grupa("grpZnakiFiltrujace", " Znaki filtrujące: ", 6, 250, 592, 86);
    HWND z = Pole("tbZnakiFiltrujace", idZnaki, 18, 274, 80, 21);
    SendMessageW(z, EM_LIMITTEXT, 20, 0);
    Etykieta("labZnakiFiltrujace",
             "Tytuł okna musi zawierać choć jeden z tych znaków, by monitorowanie dokumentów brało okno pod uwagę "
             "(na przykład \"-\" oddziela nazwę programu od nazwy dokumentu). Bez żadnego znaku nie będzie "
             "monitorowane żadne okno.",
             112, 270, 474, 58);
  }

  void Wczytaj() override {
    const LimitsRecord l = kontekst_.infoSaver->DajLimity();
    SendMessageW(lista_, LB_RESETCONTENT, 0, 0);
    for (const std::string& n : RozdzielProgramy(l.Programy))
      SendMessageW(lista_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(n).c_str()));
    czasPytania_ = std::clamp<int>(l.CzasPytania, kZakresCzasuPytania.min, kZakresCzasuPytania.max);
    win::SetText(Kontrolka("spnCzasPytania"), std::to_string(czasPytania_));
    win::SetText(Kontrolka("tbZnakiFiltrujace"), RejReadString(wartosc::ZnakiFiltrujace, kDomyslneZnakiFiltrujace));
    UstawPrzyciski();
  }

  std::optional<std::string> Sprawdz() override {
    if (!PolaczProgramy(Nazwy())) return std::string(kZbytDuzoProgramow);
    return std::nullopt;
  }

  void Zapisz() override {
    const auto programy = PolaczProgramy(Nazwy());
    if (!programy) return;
    TInfoSaver& is = *kontekst_.infoSaver;
    LimitsRecord l = is.DajLimity();
    l.Programy = *programy;
    l.CzasPytania = WartoscLicznika(Kontrolka("spnCzasPytania"), kZakresCzasuPytania, czasPytania_);
    is.UstawLimity(l);
    const std::string znaki = win::GetText(Kontrolka("tbZnakiFiltrujace"));
    RejWriteString(wartosc::ZnakiFiltrujace, znaki);
    if (kontekst_.ustawZnakiFiltrujace) kontekst_.ustawZnakiFiltrujace(znaki);
  }

 protected:
  void Polecenie(int id, int kod, HWND) override {
    if (id == idDodaj && kod == BN_CLICKED) cmdDodajProgramClick();
    else if (id == idUsun && kod == BN_CLICKED) cmdUsunProgramClick();
    else if (id == idProgramy && kod == LBN_SELCHANGE) UstawPrzyciski();
    else if (id == idCzasPytania && kod == EN_KILLFOCUS)
      WartoscLicznika(Kontrolka("spnCzasPytania"), kZakresCzasuPytania, czasPytania_);
  }

 private:
  void cmdDodajProgramClick() {
    const std::string nazwa = TrimBoth(PobierzTekst(GetAncestor(Hwnd(), GA_ROOT), kPytanieONazweProgramu));
    if (nazwa.empty()) return;
    const std::string blad = SprawdzNazweProgramu(nazwa);
    if (!blad.empty()) {
      Komunikat(blad, rkOstrzezenie);
      return;
    }
    const LRESULT i = SendMessageW(lista_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(nazwa).c_str()));
    SendMessageW(lista_, LB_SETCURSEL, i, 0);
    UstawPrzyciski();
  }

  void cmdUsunProgramClick() {
    const LRESULT i = SendMessageW(lista_, LB_GETCURSEL, 0, 0);
    if (i == LB_ERR) return;
    SendMessageW(lista_, LB_DELETESTRING, i, 0);
    const LRESULT n = SendMessageW(lista_, LB_GETCOUNT, 0, 0);
    if (n > 0) SendMessageW(lista_, LB_SETCURSEL, std::min<LRESULT>(i, n - 1), 0);
    UstawPrzyciski();
  }

  void UstawPrzyciski() {
    EnableWindow(Kontrolka("cmdUsunProgram"), SendMessageW(lista_, LB_GETCURSEL, 0, 0) != LB_ERR);
  }

  std::vector<std::string> Nazwy() const {
    std::vector<std::string> n;
    const LRESULT ile = SendMessageW(lista_, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < ile; ++i) {
      std::wstring t(static_cast<size_t>(SendMessageW(lista_, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
      const LRESULT d = SendMessageW(lista_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(t.data()));
      n.push_back(win::Narrow(t.c_str(), static_cast<int>(std::max<LRESULT>(d, 0))));
    }
    return n;
  }

  HWND lista_ = nullptr;
  int czasPytania_ = 10;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaPrzypominania(HWND dialog, const RECT& obszar, KontekstOpcji& kontekst) {
  return std::make_unique<TStronaPrzypominania>(dialog, obszar, kontekst);
}
