#include "app/Glowna.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "settings/Rejestr.h"
#include "base/DateTime.h"
#include "common/Komunika.h"
#include "common/TimeUtilities.h"
#include "common/WinTools.h"
#include "settings/Komunikaty.h"
#include "settings/Pomoc.h"
#include "documents/ListaDokumentow.h"
#include "documents/Modem.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kMiejsceFormCreate = "TfrmGlowna.FormCreate";

// Whole clock minutes since the epoch; the date comes from the same rounded decoding as the
// time, so that a value a hair before midnight does not fall on the wrong day.
long long MinutaZegara(double t) {
  const datetime::Parts p = datetime::Decode(t);
  return static_cast<long long>(datetime::EncodeDate(p.year, p.month, p.day)) * 1440 + p.hour * 60 + p.minute;
}

}  // namespace

int MinutyOdOstrzezenia(double teraz, double ostatnie) {
  // Whole clock minutes, plus a full day for every midnight in between, so that a warning given
  // late in the evening does not hold back the warnings after midnight.
  const long long minuty = MinutaZegara(teraz) - MinutaZegara(ostatnie);
  if (minuty > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (minuty < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(minuty);
}

int32_t WymaganeMinuty(WarningCode kod, const WarningOptions& opcje) {
  switch (kod) {
    case wcPrzerwaNalezna: return opcje.przerwa.czestotliwosc;
    case wcKoniecPracy: return opcje.koniecPracy.czestotliwosc;
    case wcWygaszaczWylaczony: return 5;
    default: return 0;
  }
}

std::string PodpisZeSkrotem(const std::string& podstawa, const std::string& klawisz) {
  if (klawisz.empty()) return podstawa;
  return podstawa + "    (" + klawisz + ")";
}

uint32_t OkresTimeraMs(int32_t czestotliwoscSekund) {
  const long long ms = static_cast<long long>(czestotliwoscSekund) * 1000;
  if (ms < 0) return 0;
  if (ms > 2147483647LL) return 2147483647u;
  return static_cast<uint32_t>(ms);
}

double PoczatekNastepnegoDnia(double teraz, int godzinaPrzelaczenia) {
  const double dzis = std::floor(teraz) + godzinaPrzelaczenia / 24.0;
  return dzis > teraz ? dzis : dzis + 1.0;
}

std::string TekstWstrzymania(double teraz, double doKiedy) {
  const datetime::Parts k = datetime::Decode(doKiedy);
  char godzina[8];
  std::snprintf(godzina, sizeof godzina, "%02d:%02d", k.hour, k.minute);
  const bool jutro = datetime::DatePart(doKiedy) != datetime::DatePart(teraz);
  return std::string("Przypomnienia wstrzymane do ") + (jutro ? "jutra, " : "") + godzina;
}

TGlownaRdzen::TGlownaRdzen(GlownaUi& ui, KeyHook& hook, StarterUsuwania& usuwanie)
    : ui_(ui), hook_(hook), usuwanie_(usuwanie) {}

TGlownaRdzen::~TGlownaRdzen() { FormDestroy(); }

void TGlownaRdzen::FormCreate(uintptr_t oknoGlowne) {
  if (utworzony_) return;
  utworzony_ = true;
  auto& fs = platform::Fs();

  folder_ = FolderZeSciezki(fs.ExecutablePath());                         // 1
  debugger_ = std::make_unique<TDebugger>();                               // 2
  debugger_->UstawFolder(folder_);
  debugger_->Wylacz();
  debugger_->Log("różne", "Uruchomienie programu Kalmo");
  pliki_ = UtworzNazwyPlikow(folder_);                                     // 3
  if (!RejKluczIstnieje()) {                                               // 4: first run
    UtworzZmienneRejestrowe(pliki_);
    if (PomocDostepna(folder_)) ui_.PokazPomoc(1);  // a welcome, not a request: silent without help
  }
  infoSaver_ = std::make_unique<TInfoSaver>(pliki_, debugger_.get());     // 5
  organizator_ = std::make_unique<TOrganizatorWatkow>(ui_, usuwanie_);    // 6
  std::vector<uint8_t> bufor(WarningOptions::kRozmiar, 0);                 // 7
  GetRegistryBinary(kKluczKalmo, wartosc::OpcjeOstrzegania, bufor.data(), static_cast<int>(bufor.size()));
  opcjeOstrzegania_ = WarningOptions::FromBytes(bufor);
  lastWarningTime_ = platform::Time().Now();                               // 8
  infoSaver_->UstawProgBezczynnosci(RejReadInteger(wartosc::CzasBezczynnosci, wartosc::kCzasBezczynnosciDomyslny));
  if (RejZmiennaIstnieje(wartosc::WstrzymaneDo)) {  // a pause that a restart keeps
    double koniec = 0;
    if (GetRegistryBinary(kKluczKalmo, wartosc::WstrzymaneDo, &koniec, sizeof koniec)) wstrzymaneDo_ = koniec;
    SprawdzWstrzymanie(lastWarningTime_);
  }
  znakiFiltrujace_ = RejReadString(wartosc::ZnakiFiltrujace, "-[");        // 9
  programyBezPrzerw_ = WczytajProgramyBezPrzerw();
  maksOdlozenie_ = WczytajMaksOdlozenie();
  if (!hook_.WlaczSledzenieKlawiatury(oknoGlowne))                         // 10
    PokazBlad(kMiejsceFormCreate, "Błąd w czasie włączania śledzenia klawiatury");
  skroty_ = std::make_unique<THotKeys>(pliki_.goraceKlawisze, hook_);      // 11
  const bool lewyAlt = RejReadString(wartosc::LewyAlt, kTak) == kTak;      // 12
  if (!hook_.AktywnoscLewegoAltu(lewyAlt)) PokazBlad(kMiejsceFormCreate, "Błąd w przełączeniu na lewy Alt");
  WstawSkrotyDoMenu();                                                     // 13
  if (RejReadString(wartosc::RejestracjaPolaczen, kTak) == kTak)           // 14
    EnableModemLogging();
  ui_.UstawTimer(OkresTimeraMs(infoSaver_->DajLimity().CzestotliwoscMonitorowania));  // 15
}

void TGlownaRdzen::FormDestroy() {
  if (!utworzony_ || zniszczony_) return;
  zniszczony_ = true;
  skroty_.reset();
  infoSaver_.reset();
  organizator_.reset();
  hook_.WylaczSledzenieKlawiatury();
  // Ending during a break: the screen saver that the break switched off comes back.
  PrzywrocWygaszacz();
}

WynikZapisuUstawien TGlownaRdzen::ZastosujUstawienia(const UstawieniaKalmo& u, uint32_t czesci) {
  const WynikZapisuUstawien w = u.Zapisz(czesci);
  if (w.Zapisano(CzescUstawien::Limity) && infoSaver_) {
    if (const auto limity = u.Limity()) infoSaver_->UstawLimity(*limity);
    ui_.UstawTimer(OkresTimeraMs(infoSaver_->DajLimity().CzestotliwoscMonitorowania));
  }
  if (w.Zapisano(CzescUstawien::Ostrzeganie)) opcjeOstrzegania_ = u.ostrzeganie;
  if (w.Zapisano(CzescUstawien::ZnakiFiltrujace)) znakiFiltrujace_ = u.znakiFiltrujace;
  if (w.Zapisano(CzescUstawien::CzasBezczynnosci) && infoSaver_) infoSaver_->UstawProgBezczynnosci(u.czasBezczynnosci);
  if (w.Zapisano(CzescUstawien::ProgramyBezPrzerw)) programyBezPrzerw_ = u.programyBezPrzerw;
  if (w.Zapisano(CzescUstawien::MaksOdlozenie))
    maksOdlozenie_ = std::clamp(u.maksOdlozenie, 0, wartosc::kMaksOdlozenieNajwiecej);
  if (w.Zapisano(CzescUstawien::LewyAlt) && utworzony_ && !zniszczony_ && !hook_.AktywnoscLewegoAltu(u.lewyAlt))
    PokazBlad("TfrmGlowna.ZastosujUstawienia", "Błąd w przełączeniu na lewy Alt");
  if (w.Zapisano(CzescUstawien::GoraceKlawisze)) {
    if (skroty_) {
      skroty_->WczytajHotkeye();
      skroty_->ZarejestrujHotkeye();
    }
    WstawSkrotyDoMenu();
  }
  if (w.Zapisano(CzescUstawien::Schowek)) ui_.ZastosujUstawienia(u);
  if (w.Zapisano(CzescUstawien::RejestracjaPolaczen) && u.rejestracjaPolaczen) EnableModemLogging();
  return w;
}

void TGlownaRdzen::TimerTimer() {
  if (!infoSaver_) return;
  const double teraz = platform::Time().Now();
  const bool wPrzerwie = infoSaver_->WPrzerwie();
  const WynikTiku wynik = infoSaver_->ZwiekszWskazniki(teraz, znakiFiltrujace_);
  if (!wPrzerwie && infoSaver_->WPrzerwie()) ui_.ZatrzymajMiganie();  // an idle break began
  for (const std::string& tytul : wynik.pytania) ui_.Pokaz(Okno::CzyMonitorowac, tytul);
  const bool bylaPauza = Wstrzymane();
  if (SprawdzWstrzymanie(teraz)) {
    ui_.UstawPodpowiedz(TekstWstrzymania(teraz, wstrzymaneDo_));
    return;
  }
  if (wynik.kod != wcBrak) WyslijOstrzezenie(wynik.kod);
  else if (Odlozone()) ZakonczOdlozenie();  // nothing is due any more: nothing waits
  if (Odlozone()) return;  // the hint says why the warning waits
  const int32_t cw = infoSaver_->CzasNieprzerwanejPracy();
  if (cw % 60 == 0 || bylaPauza) ui_.UstawPodpowiedz("Praca: " + FormatDuration(cw, 0));
}

void TGlownaRdzen::ZakonczOdlozenie() {
  if (!Odlozone()) return;
  odlozenie_.Zakoncz();
  if (infoSaver_) ui_.UstawPodpowiedz("Praca: " + FormatDuration(infoSaver_->CzasNieprzerwanejPracy(), 0));
}

bool TGlownaRdzen::Odloz(const DecyzjaOstrzezenia& d) {
  if (d.jak == Prezentacja::Nic) {  // nothing would show: nothing to wait with
    ZakonczOdlozenie();
    return false;
  }
  const bool czekalo = Odlozone();
  const std::string powod = odlozenie_.Powod();
  if (odlozenie_.Czekaj(platform::Time().Now(), maksOdlozenie_, programyBezPrzerw_)) {
    if (!czekalo || powod != odlozenie_.Powod()) ui_.UstawPodpowiedz(TekstOdlozenia(odlozenie_.Powod()));
    return true;
  }
  // The moment ended, or the wait reached its maximum: the warning comes now.
  if (czekalo && infoSaver_) ui_.UstawPodpowiedz("Praca: " + FormatDuration(infoSaver_->CzasNieprzerwanejPracy(), 0));
  return false;
}

bool TGlownaRdzen::SprawdzWstrzymanie(double teraz) {
  // An end in the past, or a damaged value (not a number, further than the longest pause, "do
  // jutra"), is no pause.
  if (wstrzymaneDo_ != 0 && (!std::isfinite(wstrzymaneDo_) || wstrzymaneDo_ <= teraz || wstrzymaneDo_ > teraz + 1.5))
    Wznow();
  return wstrzymaneDo_ > 0;
}

void TGlownaRdzen::Wstrzymaj(double doKiedy) {
  wstrzymaneDo_ = doKiedy;
  odlozenie_.Zakoncz();  // the pause's hint takes its place
  if (RejZmiennaIstnieje(wartosc::WstrzymaneDo)) SetRegistryBinary(kKluczKalmo, wartosc::WstrzymaneDo, &doKiedy, sizeof doKiedy);
  else CreateRegistryBinary(kKluczKalmo, wartosc::WstrzymaneDo, &doKiedy, sizeof doKiedy);
  ui_.ZatrzymajMiganie();
  ui_.UstawPodpowiedz(TekstWstrzymania(platform::Time().Now(), doKiedy));
}

void TGlownaRdzen::WstrzymajNa(int minuty) { Wstrzymaj(platform::Time().Now() + minuty / 1440.0); }

void TGlownaRdzen::WstrzymajDoJutra() {
  const int godzina = infoSaver_ ? infoSaver_->DajLimity().GodzinaPrzelaczenia : 4;
  Wstrzymaj(PoczatekNastepnegoDnia(platform::Time().Now(), godzina));
}

void TGlownaRdzen::Wznow() {
  const bool byla = wstrzymaneDo_ != 0;
  wstrzymaneDo_ = 0;
  const double zero = 0;
  if (RejZmiennaIstnieje(wartosc::WstrzymaneDo))
    SetRegistryBinary(kKluczKalmo, wartosc::WstrzymaneDo, &zero, sizeof zero);
  if (byla && infoSaver_) ui_.UstawPodpowiedz("Praca: " + FormatDuration(infoSaver_->CzasNieprzerwanejPracy(), 0));
}

void TGlownaRdzen::SesjaZablokowana(bool zablokowana) {
  if (!infoSaver_) return;
  infoSaver_->SesjaZablokowana(zablokowana);
  if (zablokowana) ui_.ZatrzymajMiganie();
}

void TGlownaRdzen::Uspienie(bool usypia) {
  if (!infoSaver_) return;
  infoSaver_->Uspienie(usypia);
  if (usypia) ui_.ZatrzymajMiganie();
}

bool TGlownaRdzen::WyslijOstrzezenie(WarningCode kod) {
  const int minuty = MinutyOdOstrzezenia(platform::Time().Now(), lastWarningTime_);
  // A clock set back behind the last warning does not hold warnings back until it catches up.
  if (minuty >= 0 && minuty < WymaganeMinuty(kod, opcjeOstrzegania_)) return false;
  // A deferred warning keeps its turn: the pacing time stays, so it comes as soon as it may.
  if (Odloz(Decyzja(kod))) return false;
  Ostrzez(kod);
  lastWarningTime_ = platform::Time().Now();
  return true;
}

DecyzjaOstrzezenia TGlownaRdzen::Decyzja(WarningCode kod) const {
  DecyzjaOstrzezenia d = DecyzjaDlaKodu(kod, opcjeOstrzegania_);
  // An open reminder stays as it is: no second one above it.
  if (d.jak == Prezentacja::Okno && ui_.Otwarte(Okno::Przypomnienie)) d.jak = Prezentacja::Nic;
  return d;
}

void TGlownaRdzen::Ostrzez(WarningCode kod) {
  if (!infoSaver_) return;
  const DecyzjaOstrzezenia d = Decyzja(kod);
  ui_.Ostrzez(d, d.tryb == TrybPrzypomnienia::PrzerwaNalezna ? infoSaver_->CzasNieprzerwanejPracy()
                                                             : infoSaver_->CzasPracy());
}

bool TGlownaRdzen::ObsluzKomunikat(unsigned message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_HOTKEY_TASK: MyHotKeyMessageProc(wParam, lParam); return true;
    case WM_SCREENSAVER_STATE: MyScreenSaverStartMessage(wParam); return true;
    case WM_PAUSE_KEY: MyPauseKeyMessage(wParam); return true;
    case WM_FREE_FORM: MyFormFreeMessage(lParam); return true;
    case WM_BACKGROUND_TASK: MyThreadMessage(wParam); return true;
    default: return false;
  }
}

void TGlownaRdzen::MyHotKeyMessageProc(uintptr_t wParam, intptr_t lParam) {
  if (skroty_) skroty_->MyHotKeyMessageProc(wParam, static_cast<uintptr_t>(lParam), *this);
}

void TGlownaRdzen::UsuwanieZakonczone() {
  if (!organizator_ || !organizator_->UsuwanieTrwa()) return;
  organizator_->UsuwanieZakonczone();
}

void TGlownaRdzen::PokazOkno(uint8_t zadanie) {
  switch (zadanie) {
    case kZadanieInformacjeDnia: mnuInformacjeDniaClick(); break;
    case kZadanieStatystyka: mnuStatystykaClick(); break;
    case kZadanieListaDokumentow: mnuListaDokumentowClick(); break;
    default: break;
  }
}

void TGlownaRdzen::MyScreenSaverStartMessage(uintptr_t wParam) {
  if (!infoSaver_) return;
  if (wParam == 1) {
    debugger_->Log("MSSSM", "Message received: SCREEN_SAVER_START");
    if (infoSaver_->WPrzerwie()) return;
    debugger_->Log("MSSSM", "ten komunikat przyjęty został w czasie przerwy!!!!");
    infoSaver_->WygaszaczWlaczony(ScreenSaverTimeout());
    ui_.ZatrzymajMiganie();
  } else if (wParam == 0) {
    debugger_->Log("MSSSM", "Message received: SCREEN_SAVER_STOP");
    infoSaver_->WygaszaczWylaczony();
  } else {
    PokazBlad("TfrmGlowna.MyScreenSaverStartMessage", "Błędny parametr komunikatu");
  }
  platform::Time().Sleep(1000);
}

void TGlownaRdzen::MyPauseKeyMessage(uintptr_t wParam) {
  if (wParam != 1) return;
  if (RejReadString(wartosc::PauseKey, kTak) == kTak) mnuPrzerwaClick();
}

void TGlownaRdzen::MyFormFreeMessage(intptr_t lParam) {
  const int kod = static_cast<int>(lParam & 0xFF);
  if (kod > static_cast<int>(Okno::Wygaszacz)) {
    PokazBlad("TfrmGlowna.MyFormFreeMessage", "Nierozpoznany formularz do zwolnienia");
    return;
  }
  ui_.Zwolnij(static_cast<Okno>(kod));
}

void TGlownaRdzen::MyThreadMessage(uintptr_t wParam) {
  if (wParam == 0) {
    if (organizator_) organizator_->RozpocznijUsuwanie();
  } else if (wParam == 1) {
    if (organizator_) organizator_->ZatrzymajUsuwanie();
  } else {
    PokazBlad("TfrmGlowna.MyThreadMessage", "Nierozpoznana operacja do wykonania w tle");
  }
}

PodpisyMenu TGlownaRdzen::Podpisy() const {
  // Without a hotkey an item shows its own caption, so that a key removed in the options
  // disappears from the menu too.
  auto podpis = [this](const char* wlasny, const char* podstawa, int zadanie) {
    const std::string klawisz = skroty_ ? skroty_->ZadanieToSkrot(static_cast<uint8_t>(zadanie)) : std::string();
    return klawisz.empty() ? std::string(wlasny) : PodpisZeSkrotem(podstawa, klawisz);
  };
  PodpisyMenu p;
  p.listaDokumentow = podpis("Lista dokumentów...", "Lista dokumentów...", kZadanieListaDokumentow);
  p.statystyka = podpis("Statystyka...", "Statystyka...", kZadanieStatystyka);
  p.opcje = podpis("Opcje...", "Opcje...", kZadanieOpcje);
  p.przerwa = podpis("Przerwa", "Przerwa", kZadaniePrzerwa);
  p.informacjeDnia = podpis("Informacje dnia...", "Informacje dnia...", kZadanieInformacjeDnia);
  p.listaSkrotow = podpis("Lista skrótów...", "Lista Skrótów...", kZadanieListaSkrotow);
  return p;
}

void TGlownaRdzen::WstawSkrotyDoMenu() { ui_.UstawPodpisyMenu(Podpisy()); }

StanMenu TGlownaRdzen::StanPrzyOtwarciu() const {
  StanMenu s;
  s.pomoc = PomocDostepna(folder_);
  // The today-info window hides on its close box and shows again on the command.
  s.informacjeDnia = !ui_.Otwarte(Okno::InformacjeDnia);
  s.statystyka = !ui_.Otwarte(Okno::Statystyka);
  s.opcje = !ui_.Otwarte(Okno::Opcje);
  s.listaDokumentow = !ui_.Otwarte(Okno::ListaDokumentow);
  s.oProgramie = !ui_.Otwarte(Okno::OProgramie);
  s.wznow = Wstrzymane();
  return s;
}

void TGlownaRdzen::Modalnie(Okno okno, const std::string& co) {
  if (!ui_.Otwarte(okno)) ui_.Pokaz(okno, co);
}

void TGlownaRdzen::mnuPomocClick() { ui_.PokazPomoc(1); }

void TGlownaRdzen::mnuOProgramieClick() { Modalnie(Okno::OProgramie); }

void TGlownaRdzen::mnuListaDokumentowClick() { ui_.Pokaz(Okno::ListaDokumentow); }

void TGlownaRdzen::mnuListaSkrotowClick() {
  if (platform::Fs().FileExists(pliki_.skroty)) Modalnie(Okno::ListaSkrotow);
}

void TGlownaRdzen::mnuInformacjeDniaClick() { ui_.Pokaz(Okno::InformacjeDnia); }

void TGlownaRdzen::mnuStatystykaClick() {
  if (ui_.Otwarte(Okno::Statystyka)) return;
  if (!platform::Fs().FileExists(pliki_.archiwum)) {
    Komunikat("Ta funkcja będzie sprawna dopiero jutro gdy program zbierze wystarczającą ilość danych.", rkInformacja);
    return;
  }
  ui_.Pokaz(Okno::Statystyka);
}

void TGlownaRdzen::mnuOpcjeClick() { OtworzOpcje(""); }

void TGlownaRdzen::NotifyIconDblClick() { OtworzOpcje(""); }

void TGlownaRdzen::OtworzOpcje(const std::string& strona) {
  if (ui_.Otwarte(Okno::Opcje)) return;
  ui_.Pokaz(Okno::Opcje, strona);
  WstawSkrotyDoMenu();
}

void TGlownaRdzen::mnuPrzerwaClick() {
  if (!infoSaver_) return;
  ui_.Pokaz(Okno::Wygaszacz);
}

void TGlownaRdzen::mnuKoniecClick() { ui_.Zakoncz(); }

StanDnia TGlownaRdzen::Dzis() const { return infoSaver_ ? infoSaver_->Stan() : StanDnia{}; }

void TGlownaRdzen::WejdzWPrzerwe() {
  if (infoSaver_) infoSaver_->RozpocznijPrzerwe();
}

void TGlownaRdzen::ZakonczPrzerwe() {
  if (infoSaver_) infoSaver_->ZakonczPrzerwe();
}

TStringList TGlownaRdzen::WidokDokumentow(bool pelny) {
  if (!infoSaver_) return {};
  return ZrodloDokumentowZ(infoSaver_->Dokumenty(), [this] { return znakiFiltrujace_; }).widok(pelny);
}

std::string TGlownaRdzen::PrzelaczDokument(const std::string& pozycja) {
  return infoSaver_ ? PrzelaczMonitorowanie(pozycja, infoSaver_->Dokumenty()) : pozycja;
}

void TGlownaRdzen::OdpowiedzNaPytanie(const std::string& tytul, bool monitorowac) {
  if (infoSaver_) ::OdpowiedzNaPytanie(infoSaver_->Dokumenty(), tytul, monitorowac);
}

ZrodloStatystyki TGlownaRdzen::DaneDoStatystyki() const {
  ZrodloStatystyki z;
  z.plikArchiwum = pliki_.archiwum;
  if (!infoSaver_) return z;
  const StanDnia dzis = infoSaver_->Stan();
  for (int i = 0; i < infoSaver_->Organizator().Count(); ++i) z.dokumenty.push_back(infoSaver_->Organizator().Get(i));
  z.dzisSekundy = dzis.praca;
  z.limitSekund = dzis.limity.caDziennyLimit;
  // Today is the day of today's record: a clock set back must not date today's entry (and the
  // grid's and the modem log's today) on a day the archive holds already.
  const double zapis = infoSaver_->DataZapisu();
  z.dzis = std::isfinite(zapis) && zapis > 0 ? zapis : dzis.terazDniaPracy;
  z.godzinaPrzelaczenia = dzis.limity.GodzinaPrzelaczenia;
  return z;
}
