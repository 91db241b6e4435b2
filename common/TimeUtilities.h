#pragma once
// Polish plural words for hours and minutes, duration texts, date differences, month names.
#include <cstdint>
#include <string>

std::string HoursWord(int n);
std::string MinutesWord(int n);
std::string HoursUnit(int n, int style);
std::string MinutesUnit(int n, int style);
std::string FormatDuration(int32_t seconds, int style);
int32_t SecondsBetween(double later, double earlier);
int32_t MinutesBetween(double later, double earlier);
int32_t DaysBetween(double later, double earlier);
bool IsLeapYear(int year);
std::string MonthName(int month);   // 1..12, else std::out_of_range
std::string MonthRoman(int month);  // 1..12, else std::out_of_range
int IleDniMaMiesiac(int month, int year);
