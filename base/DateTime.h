#pragma once
// Date-time doubles: days since 30 December 1899, fraction = time of day (the stored format of
// every date in the records and archive).
#include <cstdint>

namespace datetime {

struct Parts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

double Encode(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int millisecond = 0);
double EncodeDate(int year, int month, int day);
double EncodeTime(int hour, int minute, int second, int millisecond = 0);
Parts Decode(double value);
// Whole-day part (the date) and the time-of-day fraction.
int32_t DatePart(double value);
double TimePart(double value);
// 1 = Sunday .. 7 = Saturday (the usual DayOfWeek numbering).
int DayOfWeek(double value);

}  // namespace datetime
