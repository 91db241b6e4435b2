#pragma once
// The advanced options: the monitoring and saving frequencies, the rollover hour and the longest
// gap of the limits record, and the idle time that starts a break, as their controls show them.
#include <cstdint>
#include <string>

#include "settings/Globalne.h"
#include "settings/UstawieniaKalmo.h"

inline constexpr int kMaxPozycjaMonitorowania = 9;        // 2^9 = 512 s
inline constexpr int kMinPozycjaZapisywania = 1, kMaxPozycjaZapisywania = 11;  // minutes
inline constexpr int kMinGodzinaPrzelaczenia = 1, kMaxGodzinaPrzelaczenia = 6;
inline constexpr int kMinPrzerwaAwaryjna = 1, kMaxPrzerwaAwaryjna = 10;        // minutes
inline constexpr int kMaxMinutBezczynnosci = 30;  // position 0 is "wyłączone"

// Monitoring frequency: seconds = 2^position; a stored value shows at the integer part of its
// logarithm (10 s at 3).
int PozycjaMonitorowania(int32_t sekundy);
int32_t SekundyMonitorowania(int pozycja);
// Saving frequency: whole minutes.
int PozycjaZapisywania(int32_t sekundy);

// "8 sek.", "8 min. 32 sek."
std::string TekstCzestotliwosci(int32_t sekundy);

// Idle breaks: "wyłączone", then whole minutes 1..30; a stored time shows at its whole minutes.
int PozycjaBezczynnosci(int32_t sekundy);
std::string TekstBezczynnosci(int pozycja);

// The controls of the dialog.
struct PolozeniaZaawansowane {
  int monitorowanie = 0, zapisywanie = 0, godzina = 0, przerwaMinuty = 0, bezczynnosc = 0;
  bool operator==(const PolozeniaZaawansowane&) const = default;
};
PolozeniaZaawansowane PolozeniaZaawansowaneZUstawien(const UstawieniaKalmo& u);
// The settings after the controls moved from `poczatkowe` to `teraz`: a control left as it was
// leaves its field as stored, also a value the control cannot show exactly.
void ZastosujZaawansowane(UstawieniaKalmo& u, const PolozeniaZaawansowane& poczatkowe,
                          const PolozeniaZaawansowane& teraz);
// The parts of the settings the dialog stores.
inline constexpr uint32_t kCzesciZaawansowane = CzescUstawien::Limity | CzescUstawien::CzasBezczynnosci;
