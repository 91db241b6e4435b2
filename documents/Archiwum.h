#pragma once
// The work-time archive "_arch.dat": one 24-byte record per working day, appended when the
// working day changes.
#include <cstdint>
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
// is replaced, so that the records after it stay aligned. False when the file cannot be written.
bool AppendDayToArchive(const std::string& file, double date, int32_t workSeconds);
