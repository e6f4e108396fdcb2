// The Indonesian Hijri calendar against the government's announced month
// starts, month lengths over the whole supported span, corrections across
// month and year ends, and inputs outside the calendar.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/datetime.h"
#include "engine/hijri.h"

namespace qov::engine {
namespace {

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream ss(line);
  for (std::string f; std::getline(ss, f, ',');) fields.push_back(f);
  if (!line.empty() && line.back() == ',') fields.push_back("");
  return fields;
}

qov::CivilDate ParseIso(const std::string& iso) {
  return {std::stoi(iso.substr(0, 4)), std::stoi(iso.substr(5, 2)), std::stoi(iso.substr(8, 2))};
}

qov::CivilDate AddDays(const qov::CivilDate& d, int days) {
  return qov::DateOf(qov::DateSerial(d.year, d.month, d.day) + days);
}

HijriDate At(const qov::CivilDate& d, int correction = 0) {
  return HijriFromCivil(d.year, d.month, d.day, correction);
}

std::string Show(const HijriDate& h) { return h.valid ? FormatHijriIso(h) : "invalid"; }

// Every announced 1st (tests/engine/data/hijri_announcements.csv, each row
// with its source) must be day 1 of that month, and the civil day before
// it the last day of the month before, 29 or 30 as announced. Where
// Muhammadiyah began a day earlier, that day must still be the old month.
TEST(Hijri, ReproducesEveryAnnouncedFirstDay) {
  std::ifstream in(std::string(QOV_SOURCE_DIR) + "/tests/engine/data/hijri_announcements.csv");
  ASSERT_TRUE(in) << "hijri_announcements.csv missing";
  int rows = 0, reproduced = 0;
  bool header = true;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (header) {
      header = false;
      continue;
    }
    const auto f = Split(line);
    ASSERT_EQ(f.size(), 6u) << line;
    const int year = std::stoi(f[0]), month = std::stoi(f[1]), previousDays = std::stoi(f[3]);
    const qov::CivilDate first = ParseIso(f[2]);
    const HijriDate expectedLast{month == 1 ? year - 1 : year, month == 1 ? 12 : month - 1,
                                 previousDays, true};

    const HijriDate got = At(first);
    const HijriDate last = At(AddDays(first, -1));
    EXPECT_EQ(got, (HijriDate{year, month, 1, true}))
        << f[2] << ": got " << Show(got) << ", source " << f[5];
    EXPECT_EQ(last, expectedLast) << "day before " << f[2] << ": got " << Show(last);
    if (!f[4].empty()) {
      EXPECT_EQ(At(ParseIso(f[4])).month, expectedLast.month) << "Muhammadiyah's " << f[4];
    }
    ++rows;
    if (got == HijriDate{year, month, 1, true} && last == expectedLast) ++reproduced;
  }
  EXPECT_GE(rows, 15);
  std::cout << "[ hijri    ] " << reproduced << " of " << rows
            << " announced first days reproduced\n";
}

// Days of the government's published calendar and holiday decrees
// (tests/engine/data/hijri_calendar.csv, each row with its source): every
// month of the year, not only those settled at an isbat session.
TEST(Hijri, MatchesThePublishedCalendar) {
  std::ifstream in(std::string(QOV_SOURCE_DIR) + "/tests/engine/data/hijri_calendar.csv");
  ASSERT_TRUE(in) << "hijri_calendar.csv missing";
  int rows = 0, matched = 0;
  std::string line;
  while (std::getline(in, line) && (line.empty() || line[0] == '#')) {
  }  // up to and including the header
  for (; std::getline(in, line);) {
    const auto f = Split(line);
    ASSERT_EQ(f.size(), 5u) << line;
    const HijriDate expected{std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3]), true};
    const HijriDate got = At(ParseIso(f[0]));
    EXPECT_EQ(got, expected) << f[0] << ": got " << Show(got) << ", source " << f[4];
    ++rows;
    matched += got == expected;
  }
  EXPECT_GE(rows, 27);
  std::cout << "[ hijri    ] " << matched << " of " << rows << " published calendar days match\n";
}

// The criterion failed on the 29th evening (hilal below 3 degrees or
// elongation under 6.4), so the month ran to 30 days.
TEST(Hijri, MonthCompletesThirtyDaysWhenTheCriterionFails) {
  struct Row {
    qov::CivilDate civil;
    HijriDate expected;
  } rows[] = {
      {{2025, 3, 30}, {1446, 9, 30, true}},   // hilal below the horizon on 29 March
      {{2026, 3, 20}, {1447, 9, 30, true}},   // 3.13 deg high but 6.10 deg elongation
      {{2023, 6, 19}, {1444, 11, 30, true}},  // 2.4 deg high
      {{2025, 6, 26}, {1446, 12, 30, true}},  // 0.2 deg high
  };
  for (const Row& r : rows) {
    EXPECT_EQ(At(r.civil), r.expected) << r.civil.year << "-" << r.civil.month << "-"
                                       << r.civil.day << ": got " << Show(At(r.civil));
  }
}

// 1 Muharram 1447 was 2025-06-27, after a 30-day Zulhijah 1446.
TEST(Hijri, CorrectionCrossesTheYearEnd) {
  struct Row {
    qov::CivilDate civil;
    int correction;
    HijriDate expected;
  } rows[] = {
      {{2025, 6, 26}, +1, {1447, 1, 1, true}},
      {{2025, 6, 25}, +2, {1447, 1, 1, true}},
      {{2025, 6, 27}, -1, {1446, 12, 30, true}},
      {{2025, 6, 28}, -2, {1446, 12, 30, true}},
      {{2025, 6, 27}, 0, {1447, 1, 1, true}},
      // Beyond +-2 the correction is clamped.
      {{2025, 6, 25}, +5, {1447, 1, 1, true}},
      {{2025, 6, 28}, INT_MIN, {1446, 12, 30, true}},
      {{2025, 6, 24}, INT_MAX, {1446, 12, 30, true}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(At(r.civil, r.correction), r.expected)
        << r.civil.month << "-" << r.civil.day << " " << r.correction << ": got "
        << Show(At(r.civil, r.correction));
  }
}

// Across 1900-2100 every month has 29 or 30 days, the months follow one
// another without gap or overlap, and their numbering runs on by one.
TEST(Hijri, EveryMonthOfTheSpanHas29Or30Days) {
  int months = 0, thirty = 0;
  HijriMonth previous;
  for (int y = kHijriFirstCivilYear; y <= kHijriLastCivilYear; ++y) {
    for (const HijriMonth& m : HijriMonthsForYear(y)) {
      if (previous.length != 0) {
        const qov::CivilDate end = AddDays(previous.first, previous.length);
        if (m.first.year * 10000 + m.first.month * 100 + m.first.day <=
            previous.first.year * 10000 + previous.first.month * 100 + previous.first.day) {
          continue;  // the same month again from the next year's table
        }
        EXPECT_EQ(m.first, end) << m.year << "-" << m.month;
        EXPECT_EQ(m.year * 12 + m.month, previous.year * 12 + previous.month + 1)
            << m.year << "-" << m.month;
      }
      EXPECT_TRUE(m.length == 29 || m.length == 30) << m.year << "-" << m.month;
      thirty += m.length == 30;
      ++months;
      previous = m;
    }
  }
  EXPECT_GT(months, 2480);
  std::cout << "[ hijri    ] " << months << " months from 1900 to 2100, " << thirty
            << " of 30 days\n";
}

// The year table gives what the direct call gives, for every day and
// correction of a few years across the span.
TEST(Hijri, YearTableAgreesWithTheDirectCall) {
  for (int y : {1900, 1979, 2024, 2100}) {
    const std::vector<HijriMonth> table = HijriMonthsForYear(y);
    int days = 0;
    for (qov::CivilDate d{y, 1, 1}; d.year == y; d = AddDays(d, 1), ++days) {
      for (int c = -2; c <= 2; ++c) {
        ASSERT_EQ(HijriFromMonths(table, d.year, d.month, d.day, c),
                  HijriFromCivil(d.year, d.month, d.day, c))
            << d.year << "-" << d.month << "-" << d.day << " " << c;
      }
    }
    EXPECT_GE(days, 365);
  }
}

// Outside 1900-01-01 .. 2100-12-31 (after the correction) and for dates
// that do not exist: valid = false and empty text, never a crash.
TEST(Hijri, DatesOutsideTheCalendarAreInvalid) {
  struct Row {
    int year, month, day, correction;
    bool valid;
  } rows[] = {
      {1899, 12, 31, 0, false}, {1899, 12, 31, 1, true},  {1900, 1, 1, 0, true},
      {1900, 1, 1, -1, false},  {2100, 12, 31, 0, true},  {2100, 12, 31, 1, false},
      {2101, 1, 1, -1, true},   {1, 1, 1, 0, false},      {9999, 12, 31, 0, false},
      {INT_MAX, 1, 1, 0, false}, {INT_MIN, 1, 1, 0, false}, {2024, 2, 30, 0, false},
      {2023, 2, 29, 0, false},  {2024, 2, 29, 0, true},   {2024, 13, 1, 0, false},
      {2024, 0, 1, 0, false},   {2024, 1, 0, 0, false},   {2024, 1, 32, 0, false},
      {2024, INT_MIN, INT_MAX, 0, false},
  };
  for (const Row& r : rows) {
    const HijriDate h = HijriFromCivil(r.year, r.month, r.day, r.correction);
    EXPECT_EQ(h.valid, r.valid) << r.year << "-" << r.month << "-" << r.day << " "
                                << r.correction;
    if (!r.valid) {
      EXPECT_EQ(FormatHijri(h), "");
      EXPECT_EQ(FormatHijriIso(h), "");
    }
  }
  EXPECT_TRUE(HijriMonthsForYear(1899).empty());
  EXPECT_TRUE(HijriMonthsForYear(INT_MAX).empty());
  EXPECT_FALSE(HijriFromMonths({}, 2024, 1, 1).valid);
  EXPECT_FALSE(HijriFromMonths(HijriMonthsForYear(2024), 2026, 1, 1).valid);
  // A hand-made table with nonsense rows answers nothing.
  const std::vector<HijriMonth> junk = {{1, 1, {INT_MAX, 1, 1}, 30}, {1, 1, {2024, 1, 1}, -5}};
  EXPECT_FALSE(HijriFromMonths(junk, 2024, 1, 1).valid);
}

TEST(Hijri, NamesAndTextForms) {
  const char* names[] = {"Muharram",     "Safar",         "Rabiul Awal", "Rabiul Akhir",
                         "Jumadil Awal", "Jumadil Akhir", "Rajab",       "Syakban",
                         "Ramadan",      "Syawal",        "Zulkaidah",   "Zulhijah"};
  for (int m = 1; m <= 12; ++m) EXPECT_STREQ(HijriMonthName(m), names[m - 1]);
  for (int m : {0, 13, -1, INT_MAX}) EXPECT_STREQ(HijriMonthName(m), "");

  struct Row {
    HijriDate date;
    const char* text;
    const char* iso;
  } rows[] = {
      {{1447, 9, 12, true}, "12 Ramadan 1447 H", "1447-09-12"},
      {{1445, 9, 1, true}, "1 Ramadan 1445 H", "1445-09-01"},
      {{1317, 12, 30, true}, "30 Zulhijah 1317 H", "1317-12-30"},
      {{1447, 9, 12, false}, "", ""},
      {{1447, 13, 1, true}, "", ""},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(FormatHijri(r.date), r.text);
    EXPECT_EQ(FormatHijriIso(r.date), r.iso);
  }
}

}  // namespace
}  // namespace qov::engine
