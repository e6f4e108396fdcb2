// What later versions added to the day: the full schedule, the Hijri date,
// the Kemenag rules, the additions of all five, quarter-hour zones, the
// system's zone and the high-latitude rule. Absent from a store, each keeps
// the clock's earlier behaviour.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/hijri.h"
#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

class DayTest : public AppTest {
 protected:
  // The panel's rows, as the user reads them, in the order of the day.
  std::vector<std::string> PanelRows() {
    run->Click("prayerTimes");
    // In the frame's order from top to bottom.
    std::vector<std::pair<float, std::string>> byTop;
    for (const auto& c : form().controls())
      if ((c->name() == "prayerTime" || c->name() == "extraTime") && c->visible()) byTop.push_back({c->top(), c->text()});
    std::sort(byTop.begin(), byTop.end());
    std::vector<std::string> rows;
    for (auto& [top, text] : byTop) rows.push_back(text);
    run->Press("prayerPanel");
    return rows;
  }
  static std::vector<std::string> Expected(const engine::FullDay& d, bool full) {
    std::vector<std::string> out;
    for (int w = 0; w < engine::kWaktuCount; ++w) {
      const auto waktu = static_cast<engine::Waktu>(w);
      const bool extra = waktu == engine::Waktu::kImsak || waktu == engine::Waktu::kTerbit || waktu == engine::Waktu::kDhuha;
      if (extra && !full) continue;
      const engine::PrayerTime& t = d[waktu];
      out.push_back(FormatHHMM(t.minuteOfDay / 1440.0) + (t.status == engine::TimeStatus::kRule ? "*" : ""));
    }
    return out;
  }
  static engine::FullDay Day(double day, const settings::Location& l) {
    return engine::HitungHariLengkap(DateOf(day), settings::PlaceOf(l), settings::MethodOf(l));
  }
};

TEST_F(DayTest, JadwalLengkapListsTheEightTimesAndIsKept) {
  const double day = DateSerial(2024, 3, 12);
  StartAt(day + 0.3);
  EXPECT_FALSE(run->Item("fullSchedule").checked) << "absent means off";
  EXPECT_EQ(PanelRows(), Expected(Day(day, {}), false));
  run->Click("fullSchedule");
  EXPECT_EQ(Stored(p, "PosisiWindow", "Jadwal Lengkap"), "-1");
  const auto rows = PanelRows();
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows, Expected(Day(day, {}), true));
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
  const struct {
    int y, m, d, correction;
    const char* shown;
  } cases[] = {
      {2024, 3, 12, 0, "1 Ramadan 1445 H"},   // announced first day
      {2024, 3, 12, 1, "2 Ramadan 1445 H"},   // a local decision a day ahead
      {2024, 4, 10, 0, "1 Syawal 1445 H"},
      {2024, 4, 10, -1, "29 Ramadan 1445 H"},   // that Ramadan had 29 days
      {2025, 6, 27, -1, "30 Zulhijah 1446 H"},  // across the year's end
  };
  for (const auto& c : cases) {
    settings::Location l;
    l.hijriCorrection = static_cast<int16_t>(c.correction);
    StorePlace(l);
    StartAt(DateSerial(c.y, c.m, c.d) + 0.5);
    run->Click("prayerTimes");
    EXPECT_EQ(run->Get("hijri").text(), c.shown) << c.y << "-" << c.m << "-" << c.d << " " << c.correction;
    run->Press("prayerPanel");
  }
}

TEST_F(DayTest, TheKemenagBoxFillsTheBoxesAndItsRulesApplyAfterOk) {
  const double day = DateSerial(2024, 3, 12);
  StartAt(day + 0.3);
  p.settings.writes.clear();
  run->Click("location");
  EXPECT_FALSE(run->Get("kemenag").value()) << "absent means the clock's own rules";
  run->Get("kemenag").SetValue(true);
  run->Press("kemenag");
  const std::vector<std::pair<const char*, const char*>> filled = {
      {"fajrAngle", "20"}, {"isyaAngle", "18"}, {"addShubuh", "2"}, {"addDzuhur", "3"},
      {"addAshar", "2"},   {"addMaghrib", "2"}, {"addIsya", "2"}};
  for (const auto& [box, text] : filled) EXPECT_EQ(run->Get(box).text(), text) << box;
  EXPECT_TRUE(run->Get("hambali").value());
  EXPECT_TRUE(p.settings.writes.empty()) << "choosing changes only the boxes";
  run->Press("ok");
  EXPECT_EQ(Stored(p, "Lokasi", "Metode"), " 1");
  EXPECT_EQ(Stored(p, "Lokasi", "AddShubuh"), " 2");
  const settings::Location stored = settings::Settings(p.settings).ReadLocation();
  EXPECT_TRUE(stored.kemenag);
  run->Click("fullSchedule");
  EXPECT_EQ(PanelRows(), Expected(Day(day, stored), true));
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
  EXPECT_FALSE(l.kemenag);
  EXPECT_FALSE(l.followSystemZone);
  EXPECT_EQ(l.hijriCorrection, 0);
  EXPECT_EQ(l.elevation, 0);
  // OK without touching the new boxes writes none of them.
  p.settings.writes.clear();
  run->Click("location");
  run->Press("ok");
  for (const std::string& w : p.settings.writes)
    for (const char* key : {"AddShubuh", "AddAshar", "AddIsya", "Metode", "Ketinggian", "Ikuti Zona", "Lintang Tinggi",
                            "Koreksi Hijriah"})
      EXPECT_EQ(w.find(key), std::string::npos) << w;
}

TEST_F(DayTest, TheNewBoxesRefuseWhatTheyCannotUse) {
  StartAt(DateSerial(2024, 3, 12) + 0.3);
  const struct {
    const char* box;
    const char* text;
    const char* hint;
  } cases[] = {{"addShubuh", "99999", "Shubuh"},   {"addAshar", "-40000", "Ashar"},
               {"addIsya", "1e9", "Isya"},         {"hijriCorrection", "3", "Hijriah"},
               {"hijriCorrection", "1.5", "Hijriah"}, {"hijriCorrection", "", "Hijriah"},
               {"elevation", "9000", "Tinggi"},   {"elevation", "tinggi", "Tinggi"}};
  for (const auto& c : cases) {
    run->Click("location");
    p.settings.writes.clear();
    run->Type(c.box, c.text);
    run->Press("ok");
    EXPECT_EQ(run->Get("locationDialog").text(), std::string("Lokasi - ") + c.hint + " salah") << c.box << " " << c.text;
    EXPECT_TRUE(p.settings.writes.empty()) << c.box;
    run->Press("cancel");
  }
}

TEST_F(DayTest, FollowingTheSystemZoneUsesItsOffsetAtEachTimeAndRecomputesWhenItChanges) {
  // Berlin's rules in a test's own form: +1, +2 from 29 March 2026 01:00 UTC.
  const double change = DateSerial(2026, 3, 29) + 1.0 / 24;
  p.clock.zoneRule = [change](double utc) { return utc >= change ? 2.0 : 1.0; };
  settings::Location berlin;
  berlin.city = "Berlin";
  berlin.latitude = 52.52;
  berlin.longitude = 13.405;
  berlin.timeZone = 1;
  StorePlace(berlin);
  StartAt(DateSerial(2026, 3, 28) + 12.0 / 24);
  run->Click("location");
  run->Get("followZone").SetValue(true);
  run->Press("followZone");
  EXPECT_FALSE(run->Get("zone").enabled());
  EXPECT_EQ(run->Get("zone").text(), "1");
  run->Press("ok");
  EXPECT_EQ(Stored(p, "Lokasi", "Ikuti Zona Windows"), "-1");
  berlin.followSystemZone = true;
  // Before the change every time is at +1; the next day at +2.
  for (double day : {DateSerial(2026, 3, 28), DateSerial(2026, 3, 29), DateSerial(2026, 3, 30)}) {
    RunUntil(day + 12.0 / 24);
    berlin.timeZone = day < DateSerial(2026, 3, 29) ? 1 : 2;
    berlin.followSystemZone = false;
    const auto fixed = Day(day, berlin);
    EXPECT_EQ(PanelRows()[1], FormatHHMM(fixed[engine::Prayer::kDzuhur].minuteOfDay / 1440.0)) << day;
  }
  // Another zone chosen in the system while the clock runs: within a minute.
  const std::string before = PanelRows()[1];
  p.clock.zoneRule = [](double) { return 5.5; };
  p.RunFor(61000);
  run->Click("prayerTimes");
  const std::string after = run->Get("prayerTime", 1).text();
  run->Press("prayerPanel");
  EXPECT_NE(after, before);
}

TEST_F(DayTest, QuarterHourZonesShiftTheTimesByTheirFraction) {
  settings::Location delhi;
  delhi.city = "New Delhi";
  delhi.latitude = 28.6358;
  delhi.longitude = 77.2245;
  delhi.timeZone = 5.5;
  StorePlace(delhi);
  p.settings.values[{"Lokasi", "Time ZOne"}] = " 5.5";  // as typed by someone who meant it
  const double day = DateSerial(2026, 6, 15);
  StartAt(day + 0.3);
  auto whole = delhi;
  whole.timeZone = 5;
  const auto rows = PanelRows();
  const auto five = Expected(Day(day, whole), false);
  for (size_t k = 0; k < rows.size(); ++k) {
    const int shown = std::stoi(rows[k].substr(0, 2)) * 60 + std::stoi(rows[k].substr(3, 2));
    const int atFive = std::stoi(five[k].substr(0, 2)) * 60 + std::stoi(five[k].substr(3, 2));
    EXPECT_EQ(shown - atFive, 30) << k;
  }
}

TEST_F(DayTest, AboveTheTwilightTheRuleGivesTheTimeAndThePanelSaysSo) {
  settings::Location london;
  london.city = "London";
  london.latitude = 51.5;
  london.longitude = -0.12;
  london.timeZone = 0;
  london.sudutFajar = 18;
  london.sudutIsya = 18;
  StorePlace(london);
  const double june = DateSerial(2026, 6, 21);
  StartAt(june + 0.5);
  const auto rows = PanelRows();
  EXPECT_EQ(rows.back().back(), '*') << "Isya from the rule: " << rows.back();
  EXPECT_NE(rows.back(), "23:59*");
  run->Click("prayerTimes");
  EXPECT_TRUE(run->Get("ruleNote").visible());
  run->Press("prayerPanel");
  // In December the sun reaches the angles: no mark, no note.
  StartAt(DateSerial(2026, 12, 21) + 0.5);
  for (const std::string& r : PanelRows()) EXPECT_EQ(r.find('*'), std::string::npos) << r;
}

}  // namespace
}  // namespace qov::testing
