// The timetable's writers where a fault would not show in qov-jadwal's
// outputs at once: Ramadan's span against the government's announced
// dates, line folding inside multi-byte text, and a time past midnight in
// the calendar file. The whole outputs are checked through the program by
// tests/jadwal/ (an independent iCalendar parser, a PDF engine).
#include <gtest/gtest.h>

#include <string>

#include "engine/datetime.h"
#include "timetable/calendar_file.h"
#include "timetable/days.h"

namespace qov::timetable {
namespace {

// 1 Ramadan and the day before 1 Syawal as announced (docs/hijri.md's
// table of isbat decisions).
TEST(Timetable, RamadanRunsFromTheAnnouncedFirstToTheDayBeforeSyawal) {
  struct Case { int year; CivilDate first; CivilDate syawal; };
  for (const Case& c : {Case{1443, {2022, 4, 3}, {2022, 5, 2}}, Case{1444, {2023, 3, 23}, {2023, 4, 22}},
                        Case{1445, {2024, 3, 12}, {2024, 4, 10}}, Case{1446, {2025, 3, 1}, {2025, 3, 31}},
                        Case{1447, {2026, 2, 19}, {2026, 3, 21}}}) {
    const auto span = RamadanOf(c.year, 0);
    ASSERT_TRUE(span) << c.year;
    EXPECT_EQ(FormatIsoDate(span->first), FormatIsoDate(DateSerial(c.first.year, c.first.month, c.first.day)))
        << c.year;
    EXPECT_EQ(span->days, DateSerial(c.syawal.year, c.syawal.month, c.syawal.day) - span->first) << c.year;
    // A correction of +1 shows each civil day as the next Hijri day.
    EXPECT_EQ(RamadanOf(c.year, 1)->first, span->first - 1) << c.year;
  }
  EXPECT_FALSE(RamadanOf(1600, 0));  // beyond 2100
  EXPECT_FALSE(RamadanOf(1300, 0));  // before 1900
  EXPECT_EQ(WeekdayName(DateSerial(2026, 2, 19)), std::string("Kamis"));
  EXPECT_TRUE(IsFriday(DateSerial(2026, 3, 20)));
}

TEST(CalendarFile, EscapesTextAndFoldsAt75OctetsNeverInsideACharacter) {
  EXPECT_EQ(EscapeText("Kota, Jl. A; B\\C\r\nD"), "Kota\\, Jl. A\\; B\\\\C\\nD");
  const std::string a74(74, 'a');
  struct Case { std::string line, folded; };
  for (const Case& c : {Case{a74 + "b", a74 + "b\r\n"}, Case{a74 + "bc", a74 + "b\r\n c\r\n"},
                        // "é" is two octets: it moves whole to the next line.
                        Case{a74 + "\xC3\xA9", a74 + "\r\n \xC3\xA9\r\n"},
                        Case{std::string(150, 'x'), std::string(75, 'x') + "\r\n " + std::string(74, 'x') +
                                                        "\r\n x\r\n"}})
    EXPECT_EQ(FoldLine(c.line), c.folded);
}

TEST(CalendarFile, ATimePastMidnightIsAnEventOnTheNextDayKeepingItsRowsUid) {
  Day d;
  d.date = DateSerial(2026, 6, 30);
  d.times.valid = true;
  d.utcOffset.fill(2);  // Central European summer time
  auto& isya = d.times.times[static_cast<size_t>(engine::Waktu::kIsya)];
  isya.minuteOfDay = 91;  // 01:31 the next day, 23:31 UTC on the row's own date
  isya.dayOffset = 1;
  auto& shubuh = d.times.times[static_cast<size_t>(engine::Waktu::kShubuh)];
  shubuh.minuteOfDay = 1430;  // 23:50 the evening before
  shubuh.dayOffset = -1;
  CalendarFile f;
  f.latitude = 59.3293;
  f.longitude = 18.0686;
  f.shown = {engine::Waktu::kShubuh, engine::Waktu::kIsya};
  f.alarmLeads = {15};
  f.stampUtc = DateSerial(2026, 1, 2) + 0.5;
  const std::string ics = WriteCalendarFile({d}, f);
  for (const char* line :
       {"UID:20260630-isya+59.329+18.069@jadwal.qovclock\r\nDTSTAMP:20260102T120000Z\r\nDTSTART:20260630T233100Z\r\n",
        "UID:20260630-shubuh+59.329+18.069@jadwal.qovclock\r\nDTSTAMP:20260102T120000Z\r\n"
        "DTSTART:20260629T215000Z\r\n",
        "TRIGGER:-PT15M\r\n"})
    EXPECT_NE(ics.find(line), std::string::npos) << line << "\n" << ics;
}

}  // namespace
}  // namespace qov::timetable
