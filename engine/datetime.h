// Date-time values: days since 1899-12-30 as a double; the fraction is the
// part of the day (0.5 is 12:00).
#pragma once

#include <string>

namespace qov {

struct CivilDate {
  int year = 1899, month = 12, day = 30;
  bool operator==(const CivilDate&) const = default;
};

struct TimeOfDay {
  int hour = 0, minute = 0, second = 0;
};

// Whole days of a proleptic Gregorian date; month and day may run over.
double DateSerial(int year, int month, int day);
double TimeSerial(int hour, int minute, int second);
// Date part (towards minus infinity, as the platform's Date does for the
// positive values we use).
double DatePart(double dateTime);
CivilDate DateOf(double dateTime);
// Rounded to the nearest second, so 0.2916666 (07:00 minus a hair) reads as
// 07:00:00.
TimeOfDay TimeOf(double dateTime);
std::string FormatHHMM(double dateTime);
std::string FormatHHMMSS(double dateTime);
// "YYYY-MM-DD"
std::string FormatIsoDate(double dateTime);

}  // namespace qov
