#pragma once
// The advanced options: the monitoring and saving frequencies, the rollover hour and the longest
// gap of the limits record, as their four controls show them.
#include <cstdint>
#include <string>

#include "settings/Globalne.h"

inline constexpr int kMaxPozycjaMonitorowania = 9;        // 2^9 = 512 s
inline constexpr int kMinPozycjaZapisywania = 1, kMaxPozycjaZapisywania = 11;  // minutes
inline constexpr int kMinGodzinaPrzelaczenia = 1, kMaxGodzinaPrzelaczenia = 6;
inline constexpr int kMinPrzerwaAwaryjna = 1, kMaxPrzerwaAwaryjna = 10;        // minutes

// Monitoring frequency: seconds = 2^position; a stored value shows at the integer part of its
// logarithm (10 s at 3).
int PozycjaMonitorowania(int32_t sekundy);
int32_t SekundyMonitorowania(int pozycja);
// Saving frequency: whole minutes.
int PozycjaZapisywania(int32_t sekundy);

// "8 sek.", "8 min. 32 sek."
std::string TekstCzestotliwosci(int32_t sekundy);

// The controls of the dialog.
struct PolozeniaZaawansowane {
  int monitorowanie = 0, zapisywanie = 0, godzina = 0, przerwaMinuty = 0;
  bool operator==(const PolozeniaZaawansowane&) const = default;
};
PolozeniaZaawansowane PolozeniaZaawansowaneZLimitow(const LimitsRecord& limity);
// The record after the controls moved from `poczatkowe` to `teraz`: a control left as it was
// leaves its field as stored, also a value the control cannot show exactly.
LimitsRecord ZastosujZaawansowane(LimitsRecord limity, const PolozeniaZaawansowane& poczatkowe,
                                  const PolozeniaZaawansowane& teraz);
