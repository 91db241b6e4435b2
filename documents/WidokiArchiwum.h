#pragma once
// The views of the work-time archive that the statistics window shows: the kept days with
// today's live entry, their month totals and the month grid. Built from plain records, so that
// they can be computed and tested apart from the file.
#include <cstdint>
#include <string>
#include <vector>

#include "documents/Archiwum.h"

namespace widoki {

// Upper bounds of the views: 5000 day entries (today's included) and 172 months.
inline constexpr size_t kMaxDni = 5000;
inline constexpr size_t kMaxMiesiecy = 172;

struct MonthTotal {
  int32_t Month = 0;  // 1..12
  int32_t WorkSeconds = 0;
  int32_t ConnectionSeconds = 0;
  int32_t ChargeUnits = 0;
  int32_t ConnectionCount = 0;
  int32_t Year = 0;  // months of different years are different groups
};

struct MonthCell {
  int32_t day = 0;  // 0: no day in this cell
  int32_t seconds = 0;
};

// The month grid: six weeks of seven days, Monday first.
struct MonthGrid {
  static constexpr int kKomorki = 42;
  static constexpr int kWysokoscNaglowka = 25;  // pixels of the heading row
  MonthCell cells[kKomorki]{};
  int offset = 0;      // empty cells before day 1
  int rows = 0;        // week rows the month needs (4..6)
  int rowHeight = 52;  // pixels: 43 when six rows must fit
};

// Whole 24-byte records of the file's bytes (a torn tail is left out).
std::vector<ArchiveRecord> RekordyArchiwum(const std::string& bytes);
// The first record, then every record dated strictly later than the last kept one, then today's
// live entry. Beyond kMaxDni - 1 kept records the oldest give way, so the newest days and
// today stay in view.
std::vector<ArchiveRecord> DayEntries(const std::vector<ArchiveRecord>& rekordy, const ArchiveRecord& dzis);
// One total per run of consecutive entries of the same year and month, so that two Januaries
// with nothing between them stay apart. No entries give no totals. Beyond kMaxMiesiecy the
// oldest give way.
std::vector<MonthTotal> GrupujMiesiace(const std::vector<ArchiveRecord>& dni);
// The grid of a month: day numbers from the weekday of the 1st, seconds from every record of
// that month (later ones win) and today's seconds when today lies in it. A month outside 1..12
// gives an empty grid.
MonthGrid KomorkiMiesiaca(int rok, int miesiac, const std::vector<ArchiveRecord>& rekordy, double dzis,
                           int32_t dzisSekundy);

// Reads every record of the archive; a missing file is reported ("Brak pliku: " with the place
// given) and gives nothing.
std::vector<ArchiveRecord> WczytajRekordyArchiwum(const std::string& plik, const std::string& miejsce);

}  // namespace widoki
