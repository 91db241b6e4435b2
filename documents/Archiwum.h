#pragma once
// The work-time archive "_arch.dat": one 24-byte record per working day, appended when the
// working day changes.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/Bajty.h"

struct ArchiveRecord {
  static constexpr size_t kRozmiar = 24;
  double Date = 0;
  int32_t WorkSeconds = 0;
  int32_t ConnectionSeconds = 0;
  int32_t ConnectionCount = 0;
  int32_t ChargeUnits = 0;

  template <class P, class R>
  static void Uklad(P& p, R& r) {
    p(0, r.Date);
    p(8, r.WorkSeconds);
    p(12, r.ConnectionSeconds);
    p(16, r.ConnectionCount);
    p(20, r.ChargeUnits);
  }
  std::vector<uint8_t> ToBytes() const { return bajty::Zapisz(*this); }
  static ArchiveRecord FromBytes(const std::vector<uint8_t>& b) { return bajty::Odczytaj<ArchiveRecord>(b); }
};

// Appends the day (stamp and work seconds, connection fields zero) as the next whole record,
// creating the file when it is missing. A partial record left at the end by an interrupted write
// is replaced, so that the records after it stay aligned; the whole records before it are kept.
// False when the file cannot be written.
//
// Every reader and writer of the archive keeps all whole records of a file that ends in a partial
// one, and the user is told of such a file once (its name and the whole days kept), not at every
// reading; a file found whole again is forgotten, so that a later tear is told again.
bool AppendDayToArchive(const std::string& file, double date, int32_t workSeconds);

// ---------------------------------------------------------------------------------------------
// Views of the archive for the statistics window.

// Sums of one month of day entries.
struct MonthTotal {
  int32_t Month = 0;  // 1..12
  int32_t WorkSeconds = 0;
  int32_t ConnectionSeconds = 0;
  int32_t ChargeUnits = 0;
  int32_t ConnectionCount = 0;
  int32_t Year = 0;  // months of different years are different groups
};

// One connection (seconds, start as work-day time), added into every record of its day.
struct Polaczenie {
  int32_t seconds = 0;
  double start = 0;
};

// Today's dial-up totals as the modem log gives them.
struct ConnectionTotals {
  int32_t ConnectionSeconds = 0;
  int32_t ConnectionCount = 0;
  int32_t ChargeUnits = 0;
  bool completed = false;  // the log was read through
  // Connections of earlier days that belong in the archive but were only read, not written (a
  // reading that must change nothing): the views add them to the records they read.
  std::vector<Polaczenie> niezapisane = {};
};

// The month grid: six weeks of seven days, Monday first; day 0 = an empty cell.
struct MonthCell {
  int32_t day = 0;
  int32_t seconds = 0;
};
struct MonthGrid {
  static constexpr int kKomorki = 42;
  static constexpr int kWysokoscNaglowka = 25;  // pixels of the heading row
  MonthCell cells[kKomorki];
  int offset = 0;         // empty cells before day 1
  int rows = 0;           // week rows the month needs (4..6)
  int rowHeight = 52;     // pixels: 43 when six rows must fit
};

// The day entries: the archive's records in file order, each later one kept only when its date
// is strictly after the last kept one, then the live entry of the running working day (its date
// at midnight, the day's work seconds and today's connections when the log was read through).
// A record whose date is not a finite number or lies after the running day is left out, so that
// it never becomes the date the later records must pass. modem runs the modem update between the
// check of the file and its reading. A missing file is reported ("Brak pliku: ") and gives no
// entries. wszystkie, when given, receives every whole record in file order, unfiltered (the
// connections the reading left unwritten added).
std::vector<ArchiveRecord> PrzepiszPlikArchiwum(const std::string& file, double dzisDniaPracy, int32_t pracaDzis,
                                                const std::function<ConnectionTotals()>& modem,
                                                std::vector<ArchiveRecord>* wszystkie = nullptr);
// Whether the ordering filter may take a record of this date while today's is dzisDniaPracy.
bool DataDniaArchiwum(double data, double dzisDniaPracy);
// One total per run of consecutive entries of the same year and month; none for no entries.
std::vector<MonthTotal> GrupujMiesiace(const std::vector<ArchiveRecord>& dni);
// The grid of the month that holds the date: days placed from Monday, each day's work seconds
// from the archive (a later record of a day wins), the running day's from pracaDzis. A missing
// file is reported ("Brak pliku: ") unless the caller has reported it already.
MonthGrid WczytajCzasyPracyDlaMiesiaca(const std::string& file, double dataWMiesiacu, double dzisDniaPracy,
                                       int32_t pracaDzis, bool zglosBrakPliku = true);
// False when the file is missing (reported) or cannot be read or written; the file is then
// unchanged. Records of days with no connection stay as they are; the file is replaced in one
// step.
bool DopiszDoArchiwum(const std::string& file, const std::vector<Polaczenie>& polaczenia);
bool DopiszDoArchiwum(const std::string& file, int32_t seconds, double start);
// The same in memory: true when some record took a connection.
bool DodajPolaczenia(std::vector<ArchiveRecord>& rekordy, const std::vector<Polaczenie>& polaczenia);

// Started three-minute charge units of a connection, and the connection's part of the totals.
int32_t JednostkiTaryfowe(int32_t seconds);
void AddConnection(int32_t seconds, ConnectionTotals& t);
void AddConnection(int32_t seconds, ArchiveRecord& r);
