// The timetable as a printable page: HTML with print CSS, one A4 sheet per
// calendar month (or the Ramadan form), large enough to read from a metre
// on a wall. Any browser or HTML-to-PDF engine prints it; nothing is
// fetched (no fonts, images or scripts from elsewhere).
#pragma once

#include <string>
#include <vector>

#include "engine/prayer_times.h"
#include "timetable/days.h"

namespace qov::timetable {

struct Sheet {
  std::string title;     // "Jadwal Sholat Maret 2026"
  std::string subtitle;  // the other calendar's span: "Ramadan – Syawal 1447 H"
  bool ramadan = false;  // the Hijri day leads and the Gregorian date names its month
  std::vector<Day> days;
  std::vector<engine::Waktu> shown;
  std::vector<engine::Waktu> emphasised;  // a tinted, bold column
};

// What every sheet's heading says besides its title.
struct Heading {
  std::string place;   // "Jakarta (6,15° LS, 106,82° BT)"
  std::string method;  // "Shubuh 19°, Isya 20°, Ashar Syafi'i"
  std::string zone;    // "WIB", "Europe/Madrid"; the offsets in force are added
};

// One sheet per calendar month the days touch, each with that month's days.
std::vector<Sheet> MonthSheets(const std::vector<Day>& days, const std::vector<engine::Waktu>& shown);
// The jadwal imsakiyah: Ramadan's days (from RamadanOf), every time of the
// day, Imsak and Maghrib emphasised.
Sheet RamadanSheet(const std::vector<Day>& days, int hijriYear);

std::string WritePage(const std::vector<Sheet>& sheets, const Heading& heading);

// "6,15° LS, 106,82° BT": the place as Indonesian tables print it.
std::string CoordinatesText(double latitude, double longitude);
// "sudut Shubuh 20°, Isya 18°, Ashar Syafi'i; ihtiyat Dzuhur +2 menit":
// the method as headings and event descriptions name it.
std::string MethodText(const engine::Method& m, bool kemenag);
// "UTC+07:00", "UTC-03:30".
std::string UtcOffsetText(double hours);

}  // namespace qov::timetable
