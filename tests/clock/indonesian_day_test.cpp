// What later versions added to the day: the full schedule, the Hijri date,
// the Kemenag rules, the additions of all five, quarter-hour zones, the
// system's zone and the high-latitude rule. Absent from a store, each keeps
// the clock's earlier behaviour.
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

using Rows = std::vector<std::string>;
using DayTest = AppTest;

TEST_F(DayTest, JadwalLengkapListsTheEightTimesAndIsKept) {
  // Jakarta on 12 March 2024 with the first-run values, as the clock shows it.
  const double day = DateSerial(2024, 3, 12);
  StartAt(day + 0.3);
  EXPECT_FALSE(run->Item("fullSchedule").checked) << "absent means off";
  EXPECT_EQ(PanelRows(), (Rows{"04:44", "12:04", "15:09", "18:09", "19:25"}));
  run->Click("fullSchedule");
  EXPECT_EQ(Stored(p, "PosisiWindow", "Jadwal Lengkap"), "-1");
  EXPECT_EQ(PanelRows(), (Rows{"04:34", "04:44", "05:57", "06:19", "12:04", "15:09", "18:09", "19:25"}));
  StartAt(day + 0.4);
  EXPECT_TRUE(run->Item("fullSchedule").checked);
  // The window grows to fit the longer panel, in both versions.
  for (const char* version : {"version1", "version2"}) {
    run->Click(version);
    run->Click("prayerTimes");
    const ui::Control& frame = run->Get("prayerPanel");
    EXPECT_GE(form().height(), frame.height()) << version;
    EXPECT_GE(frame.top(), 0) << version;
    run->Press("prayerPanel");
  }
}

TEST_F(DayTest, ThePanelShowsTheHijriDateWithTheStoredCorrection) {
  for (const std::vector<std::string>& k : DataRows("clock/data/hijri_dates.txt")) {
    StorePlace({.hijriCorrection = static_cast<int16_t>(std::stoi(k.at(1)))});
    StartAt(When(k[0] + " 12:00"));
    run->Click("prayerTimes");
    EXPECT_EQ(run->Get("hijri").text(), k.at(2)) << k[0] << " " << k[1];
    run->Press("prayerPanel");
  }
}

// Kemenag's published schedule for Kota Jakarta on 5 March 2025 (Republika,
// tests/engine/data/kemenag_golden.csv) at the city's seat.
TEST_F(DayTest, TheKemenagBoxFillsTheBoxesAndGivesThePublishedSchedule) {
  StorePlace({.city = "Jakarta", .latitude = -6.2146, .longitude = 106.8451});
  StartAt(DateSerial(2025, 3, 5) + 0.3);
  p.settings.writes.clear();
  run->Click("location");
  EXPECT_FALSE(run->Get("kemenag").value()) << "absent means the clock's own rules";
  run->Get("kemenag").SetValue(true);
  run->Press("kemenag");
  for (const auto& [box, text] : {std::pair("fajrAngle", "20"), {"isyaAngle", "18"}, {"addShubuh", "2"}, {"addDzuhur", "3"},
                                  {"addAshar", "2"}, {"addMaghrib", "2"}, {"addIsya", "2"}})
    EXPECT_EQ(run->Get(box).text(), text) << box;
  EXPECT_TRUE(run->Get("hambali").value());
  EXPECT_TRUE(p.settings.writes.empty()) << "choosing changes only the boxes";
  run->Press("ok");
  EXPECT_EQ(Stored(p, "Lokasi", "Metode"), " 1");
  EXPECT_EQ(Stored(p, "Lokasi", "AddShubuh"), " 2");
  run->Click("fullSchedule");
  EXPECT_EQ(PanelRows(), (Rows{"04:33", "04:43", "05:55", "06:22", "12:08", "15:08", "18:13", "19:22"}));
  // Unticked again: the clock's own rounding, the boxes as they are.
  run->Click("location");
  run->Get("kemenag").SetValue(false);
  run->Press("kemenag");
  EXPECT_EQ(run->Get("fajrAngle").text(), "20");
  run->Press("ok");
  EXPECT_EQ(Stored(p, "Lokasi", "Metode"), " 0");
}

TEST_F(DayTest, AStoreWithoutTheNewValuesComputesAndWritesAsBefore) {
  StartAt(DateSerial(2024, 3, 12) + 0.3);
  const settings::Location l = settings::Settings(p.settings).ReadLocation();
  EXPECT_EQ(settings::MethodOf(l).addShubuh + settings::MethodOf(l).addAshar + settings::MethodOf(l).addIsya, 0);
  EXPECT_FALSE(l.kemenag || l.followSystemZone || l.hijriCorrection || l.elevation);
  // OK without touching the new boxes writes none of them.
  p.settings.writes.clear();
  run->Click("location");
  run->Press("ok");
  for (const std::string& w : p.settings.writes)
    for (const char* key : {"AddShubuh", "AddAshar", "AddIsya", "Metode", "Ketinggian", "Ikuti Zona", "Lintang Tinggi",
                            "Koreksi Hijriah"})
      EXPECT_EQ(w.find(key), std::string::npos) << w;
}

// Berlin's rules in a test's own form: +1, then +2 from 29 March 2026 01:00
// UTC. Dzuhur is 12:13 at +1 and 13:13 at +2.
TEST_F(DayTest, FollowingTheSystemZoneUsesItsOffsetAtEachTimeAndRecomputesWhenItChanges) {
  const double change = DateSerial(2026, 3, 29) + 1.0 / 24;
  p.clock.zoneRule = [change](double utc) { return utc >= change ? 2.0 : 1.0; };
  StorePlace({.city = "Berlin", .latitude = 52.52, .longitude = 13.405, .timeZone = 1});
  StartAt(DateSerial(2026, 3, 28) + 12.0 / 24);
  run->Click("location");
  run->Get("followZone").SetValue(true);
  run->Press("followZone");
  EXPECT_FALSE(run->Get("zone").enabled());
  EXPECT_EQ(run->Get("zone").text(), "1");
  run->Press("ok");
  EXPECT_EQ(Stored(p, "Lokasi", "Ikuti Zona Windows"), "-1");
  const std::pair<double, const char*> dzuhur[] = {
      {DateSerial(2026, 3, 28), "12:13"}, {DateSerial(2026, 3, 29), "13:13"}, {DateSerial(2026, 3, 30), "13:13"}};
  for (const auto& [day, shown] : dzuhur) {
    RunUntil(day + 12.0 / 24);
    EXPECT_EQ(PanelRows()[1], shown) << day;
  }
  // In summer the box shows +2; OK keeps the user's +1, and unticking
  // brings it back rather than fixing summer time for the year.
  run->Click("location");
  EXPECT_EQ(run->Get("zone").text(), "2");
  run->Press("ok");
  EXPECT_EQ(Stored(p, "Lokasi", "Time ZOne"), "1");
  run->Click("location");
  run->Get("followZone").SetValue(false);
  run->Press("followZone");
  EXPECT_EQ(run->Get("zone").text() + (run->Get("zone").enabled() ? " editable" : ""), "1 editable");
  run->Press("cancel");
  // Another zone chosen in the system while the clock runs: within a minute.
  p.clock.zoneRule = [](double) { return 5.5; };
  p.RunFor(61000);
  EXPECT_EQ(PanelRows()[1], "16:43");
}

// The same place at zone 5 and at 5.5: every time half an hour later.
TEST_F(DayTest, QuarterHourZonesShiftTheTimesByTheirFraction) {
  Rows rows[2];
  for (int half = 0; half < 2; ++half) {
    StorePlace({.city = "New Delhi", .latitude = 28.6358, .longitude = 77.2245, .timeZone = 5});
    if (half) p.settings.values[{"Lokasi", "Time ZOne"}] = " 5.5";  // as typed by someone who meant it
    StartAt(DateSerial(2026, 6, 15) + 0.3);
    rows[half] = PanelRows();
  }
  ASSERT_EQ(rows[0].size(), 5u);
  auto minutes = [](const std::string& t) { return std::stoi(t.substr(0, 2)) * 60 + std::stoi(t.substr(3, 2)); };
  for (size_t k = 0; k < 5; ++k) EXPECT_EQ(minutes(rows[1][k]) - minutes(rows[0][k]), 30) << k;
}

// London at 18 degrees: in June the sun never sinks that far, Shubuh and
// Isya come from the high-latitude rule and are marked; in December not.
TEST_F(DayTest, AboveTheTwilightTheRuleGivesTheTimeAndThePanelSaysSo) {
  StorePlace({.city = "London", .latitude = 51.5, .longitude = -0.12, .timeZone = 0, .sudutFajar = 18, .sudutIsya = 18});
  StartAt(DateSerial(2026, 6, 21) + 0.5);
  EXPECT_EQ(PanelRows(), (Rows{"02:39*", "12:04", "16:25", "20:24", "21:25*"}));
  // The marked times carry a note; the delay editor sits below it.
  run->Click("popUpTimes");
  const ui::Control& note = run->Get("ruleNote");
  ASSERT_TRUE(note.shown());
  EXPECT_GE(run->Get("delayCaption").top(), note.top() + note.height());
  EXPECT_LE(run->Get("delayOk").top() + run->Get("delayOk").height(), run->Get("prayerPanel").height());
  run->Press("delayOk");
  StartAt(DateSerial(2026, 12, 21) + 0.5);
  for (const std::string& r : PanelRows()) EXPECT_EQ(r.find('*'), std::string::npos) << r;
}

}  // namespace
}  // namespace qov::testing
