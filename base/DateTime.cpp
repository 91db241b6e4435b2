#include "base/DateTime.h"

#include <algorithm>
#include <cmath>

namespace datetime {
namespace {

// Days from 0001-01-01 (proleptic Gregorian) to the given date; civil-from-days arithmetic.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;  // days since 1970-01-01
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t yy = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

const int64_t kEpoch = DaysFromCivil(1899, 12, 30);

// A stored date read from a damaged record can be anything, NaN included: it is taken as the
// nearest date of years 1..9999 (NaN as day 0), so that no conversion leaves the integers.
double Dozwolona(double value) {
  if (std::isnan(value)) return 0;
  return std::clamp(value, -693593.0, 2958465.0 + 86399999.0 / 86400000.0);
}

}  // namespace

double EncodeDate(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch);
}

double EncodeTime(int hour, int minute, int second, int millisecond) {
  return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
}

double Encode(int year, int month, int day, int hour, int minute, int second, int millisecond) {
  return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, millisecond);
}

int32_t DatePart(double value) { return static_cast<int32_t>(std::trunc(Dozwolona(value))); }

double TimePart(double value) {
  value = Dozwolona(value);
  return std::fabs(value - std::trunc(value));
}

Parts Decode(double value) {
  Parts p;
  value = Dozwolona(value);
  // Round to the millisecond so that 10:00:00 stored as 0.41666.. reads back as 10:00:00.
  int64_t ms = static_cast<int64_t>(std::llround(TimePart(value) * 86400000.0));
  int64_t days = DatePart(value);
  if (ms >= 86400000) { ms -= 86400000; days += value >= 0 ? 1 : -1; }
  CivilFromDays(days + kEpoch, p.year, p.month, p.day);
  p.hour = static_cast<int>(ms / 3600000);
  p.minute = static_cast<int>(ms / 60000 % 60);
  p.second = static_cast<int>(ms / 1000 % 60);
  p.millisecond = static_cast<int>(ms % 1000);
  return p;
}

int DayOfWeek(double value) {
  // 1899-12-30 was a Saturday.
  int64_t d = DatePart(value);
  int r = static_cast<int>(((d % 7) + 7 + 6) % 7);  // 0 = Sunday
  return r + 1;
}

}  // namespace datetime
