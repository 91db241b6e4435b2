#pragma once
// What the warnings, the reminder window, the break screen and the today-info window decide,
// apart from putting it on the screen: picture and phrase by time of day, which presentation a
// warning gets, when a break may end, the labels' texts and the activity strip as a list of
// drawing operations. Nothing here touches the operating system, except the pointer helpers,
// which go through the platform's desktop.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "settings/Globalne.h"

// ---------------------------------------------------------------------------------------------
// Reminders

// The pictures held by the picture store (imgKlepsydra is held but no reminder uses it).
enum class Obrazek : int {
  Brak = 0, Objad, Filizanka, Ciastko, Domek, Luzko, Zaglowka, Wyspa, Gory, Drzwi, Komputer, Klepsydra
};
inline constexpr int kLiczbaObrazkow = 11;  // every picture but Brak
// Component name of a picture ("imgObjad"); empty for Brak.
std::string NazwaObrazka(Obrazek obrazek);

// Modes of the reminder window.
enum class TrybPrzypomnienia : int { PrzerwaNalezna = 1, KoniecPracy = 3, WygaszaczWylaczony = 4 };

// A whole number 0 <= r < n; the program draws uniformly, tests pass a fixed sequence.
using Losowanie = std::function<int(int n)>;
Losowanie LosowanieSystemowe();

// Hours with a fraction of a date-time's time of day: hour + minute / 60, seconds ignored.
double GodzinaDnia(double dateTime);

struct ObrazekIFraza {
  Obrazek obrazek = Obrazek::Brak;
  std::string fraza;
};
// Picture and phrase of a mode at time of day t (GodzinaDnia). Mode 4 has a picture only.
ObrazekIFraza WybierzObrazekIFraze(TrybPrzypomnienia tryb, double t, const Losowanie& losuj);

// Everything the reminder window shows.
struct TrescPrzypomnienia {
  Obrazek obrazek = Obrazek::Brak;
  std::string komunikat;  // labKomunikat
  bool anuluj = false;    // cmdAnuluj visible
  bool przerwa = false;   // cmdPrzerwa visible (the active control when shown)
  bool ok = false;        // cmdOk visible
};
// sekundy: continuous work for mode 1, work today for mode 3, unused for mode 4.
TrescPrzypomnienia UlozPrzypomnienie(TrybPrzypomnienia tryb, int32_t sekundy, double teraz, const Losowanie& losuj);

// ---------------------------------------------------------------------------------------------
// Warning routines

enum class Prezentacja : int { Nic = 0, Okno, Miganie, Dzwiek };

struct DecyzjaOstrzezenia {
  Prezentacja jak = Prezentacja::Nic;
  TrybPrzypomnienia tryb = TrybPrzypomnienia::PrzerwaNalezna;  // for Okno
  std::string plikDzwieku;                                     // for Dzwiek
  std::string podpowiedz;  // tray hint to set first, when not empty ("Koniec pracy!")
};
// The presentation of a warning code (1 break due, 2 break long enough, 3 end of work, 4 screen
// saver off) under the warning options. Codes outside 1..4 do nothing.
DecyzjaOstrzezenia DecyzjaDlaKodu(int kod, const WarningOptions& opcje);

// ---------------------------------------------------------------------------------------------
// Break screen

// "Czas przerwy: %s" with FormatDuration(b, 0).
std::string TekstCzasuPrzerwy(int32_t przerwa);
// The label drifts one pixel right and down every 40 seconds: left = top = b div 40.
int PrzesuniecieEtykiety(int32_t przerwa);

struct KoniecPrzerwy {
  bool wystarczajaca = false;  // long enough: end without showing the pointer first
  bool zakoncz = false;   // end at once
  bool zapytaj = false;   // ask pytanie; "Tak" ends, "Nie" goes on
  int minuty = 0;         // m = (required - current) div 60
  std::string pytanie;
};
// Trying to end a break of `przerwa` seconds against the required length. A break is long
// enough only when strictly longer than required.
KoniecPrzerwy SprobujZakonczycPrzerwe(int32_t przerwa, int32_t wymagana);
// Mouse movement ends a break only once it is long enough.
bool RuchMyszyKonczyPrzerwe(int32_t przerwa, int32_t wymagana);

// The break screen covers every monitor: one black cover per monitor, each exactly its monitor's
// rectangle; the one of the monitor that has the pointer (the primary one when the pointer is on
// none, the first one listed without a primary) carries the content: the time, the deletion label
// and, above it, the question. Monitors of the same rectangle get one cover.
struct ZaslonaMonitora {
  platform::Rect obszar;
  int dpi = 96;
  bool tresc = false;
  bool operator==(const ZaslonaMonitora&) const = default;
};
std::vector<ZaslonaMonitora> UlozZaslony(const std::vector<platform::MonitorInfo>& monitory, int kursorX,
                                         int kursorY);
// What changes when the monitors change during a break (WM_DISPLAYCHANGE): the content stays on
// its monitor while it is there and moves to the new layout's content monitor otherwise; covers
// of monitors that went are closed, monitors that came get theirs, the others are left alone.
struct ZmianaZaslon {
  std::vector<platform::Rect> zamknij;   // covers to close
  std::vector<ZaslonaMonitora> otworz;   // covers to open
  std::optional<ZaslonaMonitora> tresc;  // where the content moves; nothing while it stays
};
ZmianaZaslon ZmienZaslony(const platform::Rect& tresc, const std::vector<platform::Rect>& zaslony,
                          const std::vector<ZaslonaMonitora>& nowe);

// The system's pointer display count: hidden while below 0. Both stop after a bounded number of
// steps, so a pointer that never reacts cannot hang the program.
void UkryjWskaznikMyszy();
void PokazWskaznikMyszy();

// ---------------------------------------------------------------------------------------------
// Today-info window

inline constexpr const char* kPodpisCalkowityCzas = "Całkowity czas pracy:";
struct TekstyDnia {
  std::string caCzasPracy;  // labCaCzasPracy
  std::string czasFazy;     // labCzasFazy
};
TekstyDnia UlozTekstyDnia(int32_t pracaDzis, int32_t nieprzerwanaPraca, int32_t przerwa, bool wPrzerwie);

// Activity strip 576 x 56: two pixels for each of the 288 slots.
inline constexpr int kSzerokoscPaska = 576;
inline constexpr int kWysokoscPaska = 56;
inline constexpr int kWysokoscSlupka = 32;

struct Kolor {
  int r = 0, g = 0, b = 0;
  bool operator==(const Kolor&) const = default;
};

// One drawing operation in the strip's pixel coordinates: fill [left, right) x [top, bottom),
// or write text with its top-left corner at (left, top).
struct OperacjaRysowania {
  enum Rodzaj { Wypelnij, Tekst } rodzaj = Wypelnij;
  int left = 0, top = 0, right = 0, bottom = 0;
  Kolor kolor;
  std::string tekst;
  bool operator==(const OperacjaRysowania&) const = default;
};
using Rysunek = std::vector<OperacjaRysowania>;

// Colour of a slot column before the bar is drawn: work in (W, W, 0) until the running work
// passes the limit, then shaded toward red; break and no-data slots grey (G, G, G).
Kolor KolorKolumny(bool praca, int32_t biegPracy, int32_t limit, bool trzyD);
// A bar of colour c in [left, left + 2) x [top, top + 32): one fill in flat mode (each component
// + 80), one row fill per pixel row in 3D mode (brightest at the middle row).
void RysujSlupek(Rysunek& rysunek, int left, int top, int right, int bottom, Kolor c, bool trzyD);

// The strip without the now-marker. szerokoscTekstu measures an hour label in pixels.
Rysunek RysujAktywnosc(const std::array<uint8_t, 288>& sloty, int godzinaPrzelaczenia, int32_t limitPracy,
                       bool trzyD, const std::function<int(const std::string&)>& szerokoscTekstu);
// Left edge of the now-marker for a time of day (hour, minute) of the work-day time.
int PozycjaZnacznika(int godzina, int minuta, int godzinaPrzelaczenia);
// The now-marker at the time of day of `teraz` (a date-time): grey 70 while the blink flag is
// set, 170 otherwise.
Rysunek RysujZnacznik(double teraz, int godzinaPrzelaczenia, bool flaga, bool trzyD);
