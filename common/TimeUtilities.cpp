#include "common/TimeUtilities.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "common/Komunika.h"

namespace {

// The program's plural rule: the "2, 3, 4" form only for those three numbers themselves.
std::string Plural(int n, const char* one, const char* few, const char* many) {
  if (n == 1) return one;
  if (n >= 2 && n <= 4) return few;
  return many;
}

int32_t ClampToInt32(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (v <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

}  // namespace

std::string HoursWord(int n) { return Plural(n, "godzina", "godziny", "godzin"); }

std::string MinutesWord(int n) { return Plural(n, "minuta", "minuty", "minut"); }

std::string HoursUnit(int n, int style) {
  if (style == 0) return HoursWord(n);
  if (style == 1) return "g.";
  return {};
}

std::string MinutesUnit(int n, int style) {
  if (style == 0) return MinutesWord(n);
  if (style == 1) return "m.";
  return {};
}

std::string FormatDuration(int32_t seconds, int style) {
  int32_t minutes = seconds / 60;
  const int32_t hours = minutes / 60;
  minutes %= 60;
  if (hours == 0) return std::to_string(minutes) + " " + MinutesUnit(minutes, style);
  std::string out = std::to_string(hours) + " " + HoursUnit(hours, style) + " ";
  if (minutes > 0) out += "i " + std::to_string(minutes) + " " + MinutesUnit(minutes, style);
  return out;
}

int32_t SecondsBetween(double later, double earlier) {
  // Days, hours, minutes and seconds of the difference, each part read to the nearest millisecond
  // as a clock shows it, then counted back to whole seconds.
  const double diff = later - earlier;
  const double days = std::trunc(diff);
  const double ms = std::round(std::fabs(diff - days) * 86400000.0);
  const double secondsOfDay = std::floor(ms / 1000.0);
  const double total = days * 86400.0 + (diff < 0 ? -secondsOfDay : secondsOfDay);
  return ClampToInt32(total);
}

int32_t MinutesBetween(double later, double earlier) { return SecondsBetween(later, earlier) / 60; }

int32_t DaysBetween(double later, double earlier) {
  return ClampToInt32(std::trunc(later)) - ClampToInt32(std::trunc(earlier));
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

std::string MonthName(int month) {
  static const char* const kNames[] = {"styczeń", "luty",     "marzec",   "kwiecień",    "maj",      "czerwiec",
                                       "lipiec",  "sierpień", "wrzesień", "październik", "listopad", "grudzień"};
  if (month < 1 || month > 12) throw std::out_of_range("MonthName: month " + std::to_string(month));
  return kNames[month - 1];
}

std::string MonthRoman(int month) {
  static const char* const kRoman[] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"};
  if (month < 1 || month > 12) throw std::out_of_range("MonthRoman: month " + std::to_string(month));
  return kRoman[month - 1];
}

int IleDniMaMiesiac(int month, int year) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) {
    PokazBlad("U:TimeUtilities F:IleDniMaMiesiac", "Błędne dane wejściowe!");
    return 0;
  }
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[month - 1];
}
