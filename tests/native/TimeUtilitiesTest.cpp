#include <gtest/gtest.h>

#include <stdexcept>

#include <cmath>

#include "base/DateTime.h"
#include "common/TimeUtilities.h"
#include "platform/memory/Memory.h"

using platform::memory::RecordingDialogs;
using platform::memory::TestPlatform;

TEST(TimeUtilities, PluralWords) {
  struct Case { int n; const char* hours; const char* minutes; };
  const Case cases[] = {
      {1, "godzina", "minuta"}, {2, "godziny", "minuty"}, {3, "godziny", "minuty"}, {4, "godziny", "minuty"},
      {0, "godzin", "minut"},   {5, "godzin", "minut"},   {12, "godzin", "minut"},  {22, "godzin", "minut"},
      {-1, "godzin", "minut"},  {-2, "godzin", "minut"},  {21, "godzin", "minut"},  {104, "godzin", "minut"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HoursWord(c.n), c.hours) << c.n;
    EXPECT_EQ(MinutesWord(c.n), c.minutes) << c.n;
  }
}

TEST(TimeUtilities, UnitsByStyle) {
  EXPECT_EQ(HoursUnit(2, 0), "godziny");
  EXPECT_EQ(HoursUnit(2, 1), "g.");
  EXPECT_EQ(HoursUnit(2, 2), "");
  EXPECT_EQ(MinutesUnit(1, 0), "minuta");
  EXPECT_EQ(MinutesUnit(1, 1), "m.");
  EXPECT_EQ(MinutesUnit(1, -1), "");
}

TEST(TimeUtilities, FormatDuration) {
  EXPECT_EQ(FormatDuration(3600, 0), "1 godzina ");
  EXPECT_EQ(FormatDuration(3660, 0), "1 godzina i 1 minuta");
  EXPECT_EQ(FormatDuration(7500, 1), "2 g. i 5 m.");
  EXPECT_EQ(FormatDuration(59, 0), "0 minut");
  EXPECT_EQ(FormatDuration(1320, 0), "22 minut");
  EXPECT_EQ(FormatDuration(3599, 0), "59 minut");
  EXPECT_EQ(FormatDuration(180, 0), "3 minuty");
  EXPECT_EQ(FormatDuration(5 * 3600 + 119, 0), "5 godzin i 1 minuta");
  EXPECT_EQ(FormatDuration(90, 5), "1 ");
  EXPECT_EQ(FormatDuration(36000, 1), "10 g. ");
}

TEST(TimeUtilities, DifferencesBetweenDates) {
  const double a = datetime::Encode(2026, 3, 2, 10, 0, 0);
  EXPECT_EQ(SecondsBetween(datetime::Encode(2026, 3, 2, 10, 0, 59), a), 59);
  EXPECT_EQ(SecondsBetween(datetime::Encode(2026, 3, 4, 11, 2, 3), a), 2 * 86400 + 3600 + 123);
  EXPECT_EQ(SecondsBetween(a, datetime::Encode(2026, 3, 2, 9, 59, 0)), 60);
  EXPECT_EQ(SecondsBetween(a, a), 0);
  // Across midnight and with times that are not exact in binary.
  EXPECT_EQ(SecondsBetween(datetime::Encode(2026, 3, 3, 0, 0, 10), datetime::Encode(2026, 3, 2, 23, 59, 50)), 20);
  EXPECT_EQ(SecondsBetween(datetime::Encode(2026, 3, 2, 0, 0, 0) + 10.0 / 86400, datetime::Encode(2026, 3, 2)), 10);
  EXPECT_EQ(SecondsBetween(datetime::Encode(2026, 3, 2, 9, 0, 0), a), -3600);
  EXPECT_EQ(SecondsBetween(1e12, 0), INT32_MAX);

  EXPECT_EQ(MinutesBetween(datetime::Encode(2026, 3, 2, 10, 59, 59), a), 59);
  EXPECT_EQ(MinutesBetween(datetime::Encode(2026, 3, 3, 10, 0, 0), a), 1440);
  EXPECT_EQ(DaysBetween(datetime::Encode(2026, 3, 3, 0, 0, 1), datetime::Encode(2026, 3, 2, 23, 59, 59)), 1);
  EXPECT_EQ(DaysBetween(datetime::Encode(2026, 3, 2, 23, 0, 0), datetime::Encode(2026, 3, 2, 1, 0, 0)), 0);
  EXPECT_EQ(DaysBetween(datetime::EncodeDate(2026, 1, 1), datetime::EncodeDate(2027, 1, 1)), -365);

  // A damaged stored date (NaN, infinite, far past the calendar) reads as a date of years 1..9999.
  EXPECT_EQ(datetime::DatePart(std::nan("")), 0);
  EXPECT_EQ(datetime::Decode(std::nan("")).year, 1899);
  EXPECT_EQ(datetime::Decode(1e300).year, 9999);
  EXPECT_EQ(datetime::Decode(-HUGE_VAL).year, 1);
  EXPECT_EQ(datetime::DayOfWeek(1e300), datetime::DayOfWeek(datetime::EncodeDate(9999, 12, 31)));
}

TEST(TimeUtilities, LeapYearsAndDaysInMonth) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2026));
  TestPlatform p;
  EXPECT_EQ(IleDniMaMiesiac(2, 1900), 28);
  EXPECT_EQ(IleDniMaMiesiac(2, 2000), 29);
  EXPECT_EQ(IleDniMaMiesiac(2, 2024), 29);
  const int expected[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(IleDniMaMiesiac(m, 2026), expected[m - 1]) << m;
  EXPECT_TRUE(p.dialogs.shown.empty());

  EXPECT_EQ(IleDniMaMiesiac(13, 1999), 0);
  EXPECT_EQ(IleDniMaMiesiac(0, 1999), 0);
  ASSERT_EQ(p.dialogs.shown.size(), 2u);
  EXPECT_EQ(p.dialogs.shown[0].kind, RecordingDialogs::Shown::Error);
  EXPECT_EQ(p.dialogs.shown[0].place, "U:TimeUtilities F:IleDniMaMiesiac");
  EXPECT_EQ(p.dialogs.shown[0].text, "Błędne dane wejściowe!");
}

TEST(TimeUtilities, MonthNamesAndRomanNumerals) {
  EXPECT_EQ(MonthName(1), "styczeń");
  EXPECT_EQ(MonthName(2), "luty");
  EXPECT_EQ(MonthName(10), "październik");
  EXPECT_EQ(MonthName(12), "grudzień");
  EXPECT_EQ(MonthRoman(1), "I");
  EXPECT_EQ(MonthRoman(4), "IV");
  EXPECT_EQ(MonthRoman(9), "IX");
  EXPECT_EQ(MonthRoman(12), "XII");
  EXPECT_THROW(MonthName(0), std::out_of_range);
  EXPECT_THROW(MonthName(13), std::out_of_range);
  EXPECT_THROW(MonthRoman(-1), std::out_of_range);
  EXPECT_THROW(MonthRoman(13), std::out_of_range);
}
