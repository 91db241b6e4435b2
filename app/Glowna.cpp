#include "app/Glowna.h"

#include <limits>
#include <vector>

#include "settings/Rejestr.h"
#include "base/DateTime.h"
#include "common/Komunika.h"
#include "common/TimeUtilities.h"
#include "common/WinTools.h"
#include "settings/Komunikaty.h"
#include "settings/Pomoc.h"
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

TGlownaRdzen::TGlownaRdzen(GlownaUi& ui, KeyHook& hook, StarterUsuwania& usuwanie)
    : ui_(ui), hook_(hook), usuwanie_(usuwanie) {}

TGlownaRdzen::~TGlownaRdzen() { FormDestroy(); }

void TGlownaRdzen::FormCreate() {
  if (utworzony_) return;
  utworzony_ = true;
  auto& fs = platform::Fs();

  folder_ = FolderZeSciezki(fs.ExecutablePath());                         // 1
  debugger_ = std::make_unique<TDebugger>();                               // 2
  debugger_->UstawFolder(folder_);
  debugger_->Wylacz();
  debugger_->Log("różne", "Uruchomienie programu Kalmo");
  plikPomocy_ = SciezkaPomocy(folder_, 1);                                 // 3
  ui_.UstawPlikPomocy(plikPomocy_);
  for (int i = 0; i < 8; ++i) okna_[i] = false;                            // 4
  pliki_ = UtworzNazwyPlikow(folder_);                                     // 5
  if (!RejKluczIstnieje()) {                                               // 6
    UtworzZmienneRejestrowe(pliki_);
    if (PomocDostepna(folder_)) ui_.OtworzTematPomocy(1);  // a welcome, not a request: silent without help
  }
  ui_.ZainstalujFiltrPomocy();                                             // 7
  infoSaver_ = std::make_unique<TInfoSaver>(pliki_, debugger_.get());     // 8
  organizator_ = std::make_unique<TOrganizatorWatkow>(ui_, usuwanie_);    // 9
  organizator_->poZakonczeniuUsuwania = [this] {
    if (OknoIstnieje(Okno::Wygaszacz)) ui_.UkryjEtykieteUsuwania();
  };
  std::vector<uint8_t> bufor(WarningOptions::kRozmiar, 0);                 // 10
  GetRegistryBinary(kKluczKalmo, wartosc::OpcjeOstrzegania, bufor.data(), static_cast<int>(bufor.size()));
  opcjeOstrzegania_ = WarningOptions::FromBytes(bufor);
  lastWarningTime_ = platform::Time().Now();                               // 11
  znakiFiltrujace_ = RejReadString(wartosc::ZnakiFiltrujace, "-[");        // 12
  if (!hook_.WlaczSledzenieKlawiatury(ui_.UchwytOkna()))                   // 13
    PokazBlad(kMiejsceFormCreate, "Błąd w czasie włączania śledzenia klawiatury");
  skroty_ = std::make_unique<THotKeys>(pliki_.goraceKlawisze, hook_);      // 14
  const bool lewyAlt = RejReadString(wartosc::LewyAlt, kTak) == kTak;      // 15
  if (!hook_.AktywnoscLewegoAltu(lewyAlt)) PokazBlad(kMiejsceFormCreate, "Błąd w przełączeniu na lewy Alt");
  WstawSkrotyDoMenu();                                                     // 16
  if (RejReadString(wartosc::RejestracjaPolaczen, kTak) == kTak)           // 17
    ui_.WlaczRejestracjePolaczen();
  UstawOkresTimera();                                                      // 18
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

void TGlownaRdzen::UstawOkresTimera() {
  if (!infoSaver_) return;
  ui_.UruchomTimer(OkresTimeraMs(infoSaver_->DajLimity().CzestotliwoscMonitorowania));
}

void TGlownaRdzen::ZastosujUstawienia(const UstawieniaKalmo& u) {
  u.Zapisz();
  if (infoSaver_) infoSaver_->UstawLimity(u.limity);
  UstawOkresTimera();
  opcjeOstrzegania_ = u.ostrzeganie;
  znakiFiltrujace_ = u.znakiFiltrujace;
  if (utworzony_ && !zniszczony_ && !hook_.AktywnoscLewegoAltu(u.lewyAlt))
    PokazBlad("TfrmGlowna.ZastosujUstawienia", "Błąd w przełączeniu na lewy Alt");
  if (skroty_) {
    skroty_->WczytajHotkeye();
    skroty_->ZarejestrujHotkeye();
  }
  WstawSkrotyDoMenu();
  ui_.ZastosujOpcjeSchowka(u.schowek);
  if (u.rejestracjaPolaczen) ui_.WlaczRejestracjePolaczen();
}

void TGlownaRdzen::TimerTimer() {
  if (!infoSaver_) return;
  const WarningCode kod = infoSaver_->ZwiekszWskazniki();
  if (kod != wcBrak) WyslijOstrzezenie(kod);
  const int32_t cw = infoSaver_->CzasNieprzerwanejPracy();
  if (cw % 60 == 0) ui_.UstawPodpowiedz("Praca: " + FormatDuration(cw, 0));
}

bool TGlownaRdzen::WyslijOstrzezenie(WarningCode kod) {
  const int minuty = MinutyOdOstrzezenia(platform::Time().Now(), lastWarningTime_);
  // A clock set back behind the last warning does not hold warnings back until it catches up.
  if (minuty >= 0 && minuty < WymaganeMinuty(kod, opcjeOstrzegania_)) return false;
  Ostrzez(kod);
  lastWarningTime_ = platform::Time().Now();
  return true;
}

void TGlownaRdzen::Ostrzez(WarningCode kod) {
  if (!infoSaver_) return;
  const DecyzjaOstrzezenia d = DecyzjaDlaKodu(kod, opcjeOstrzegania_);
  if (!d.podpowiedz.empty()) ui_.UstawPodpowiedz(d.podpowiedz);
  switch (d.jak) {
    case Prezentacja::Okno:
      // An open reminder stays as it is: no second one above it.
      if (OknoIstnieje(Okno::Przypomnienie)) break;
      ui_.PokazPrzypomnienie(d.tryb, d.tryb == TrybPrzypomnienia::PrzerwaNalezna ? infoSaver_->CzasNieprzerwanejPracy()
                                                                                 : infoSaver_->CzasPracy());
      UstawOkno(Okno::Przypomnienie, true);
      break;
    case Prezentacja::Miganie: ui_.UruchomMiganie(); break;
    case Prezentacja::Dzwiek: ui_.OdtworzDzwiek(d.plikDzwieku); break;
    case Prezentacja::Nic: break;
  }
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
  ui_.ZwolnijOkno(static_cast<Okno>(kod));
  okna_[kod] = false;
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

PodpisyMenu TGlownaRdzen::Podpisy() {
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
  s.informacjeDnia = !OknoIstnieje(Okno::InformacjeDnia) || !ui_.OknoWidoczne(Okno::InformacjeDnia);
  s.statystyka = !OknoIstnieje(Okno::Statystyka);
  s.opcje = !OknoIstnieje(Okno::Opcje);
  s.listaDokumentow = !OknoIstnieje(Okno::ListaDokumentow);
  s.oProgramie = !OknoIstnieje(Okno::OProgramie);
  return s;
}

namespace {
// A modal window marked as existing while it is shown.
template <class Show>
void Modalnie(TGlownaRdzen& r, Okno okno, Show&& show) {
  struct Znacznik {
    TGlownaRdzen& r;
    Okno okno;
    ~Znacznik() { r.UstawOkno(okno, false); }
  } znacznik{r, okno};
  r.UstawOkno(okno, true);
  show();
}
}  // namespace

void TGlownaRdzen::mnuPomocClick() { ui_.OtworzSpisPomocy(); }

void TGlownaRdzen::mnuOProgramieClick() {
  if (OknoIstnieje(Okno::OProgramie)) return;
  Modalnie(*this, Okno::OProgramie, [&] { ui_.PokazOkno(Okno::OProgramie); });
}

void TGlownaRdzen::mnuListaDokumentowClick() {
  ui_.PokazOkno(Okno::ListaDokumentow);
  UstawOkno(Okno::ListaDokumentow, true);
}

void TGlownaRdzen::mnuListaSkrotowClick() {
  if (OknoIstnieje(Okno::ListaSkrotow) || !platform::Fs().FileExists(pliki_.skroty)) return;
  Modalnie(*this, Okno::ListaSkrotow, [&] { ui_.PokazOkno(Okno::ListaSkrotow); });
}

void TGlownaRdzen::mnuInformacjeDniaClick() {
  ui_.PokazOkno(Okno::InformacjeDnia);
  UstawOkno(Okno::InformacjeDnia, true);
}

void TGlownaRdzen::mnuStatystykaClick() {
  if (OknoIstnieje(Okno::Statystyka)) return;
  if (!platform::Fs().FileExists(pliki_.archiwum)) {
    Komunikat("Ta funkcja będzie sprawna dopiero jutro gdy program zbierze wystarczającą ilość danych.", rkInformacja);
    return;
  }
  Modalnie(*this, Okno::Statystyka, [&] { ui_.PokazOkno(Okno::Statystyka); });
}

void TGlownaRdzen::mnuOpcjeClick() { OtworzOpcje(""); }

void TGlownaRdzen::NotifyIconDblClick() { OtworzOpcje(""); }

void TGlownaRdzen::OtworzOpcje(const std::string& strona) {
  if (OknoIstnieje(Okno::Opcje)) return;
  Modalnie(*this, Okno::Opcje, [&] { ui_.PokazOpcje(strona); });
  WstawSkrotyDoMenu();
}

void TGlownaRdzen::mnuPrzerwaClick() { ui_.RozpocznijPrzerwe(); }

void TGlownaRdzen::mnuKoniecClick() { ui_.ZakonczProgram(); }
