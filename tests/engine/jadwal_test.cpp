#include "tools/jadwal/jadwal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/datetime.h"
#include "engine/prayer_times.h"

namespace qov::jadwal {
namespace {

struct Outcome {
  int status;
  std::string out, err;
};

Outcome Jadwal(const std::vector<std::string>& args, double today = DateSerial(2004, 6, 15),
               bool failedOutput = false) {
  std::ostringstream out, err;
  if (failedOutput) out.setstate(std::ios::badbit);
  const int status = RunJadwal(args, out, err, today);
  return {status, out.str(), err.str()};
}

const std::vector<std::string> kWorkedExample = {"--lat",  "-6.1744", "--lon",  "106.8294",
                                                 "--tz",   "7",       "--fajr", "20",
                                                 "--isya", "18",      "--date", "2004-06-15"};

std::vector<std::string> With(std::vector<std::string> base, const std::vector<std::string>& more) {
  base.insert(base.end(), more.begin(), more.end());
  return base;
}

// The worked example as CSV, in either spelling of the options, and as a table.
TEST(Jadwal, WorkedExampleAsCsvAndAsATable) {
  const std::string csv =
      "tanggal,shubuh,dzuhur,ashar,maghrib,isya\n"
      "2004-06-15,04:36,11:55,15:15,17:48,19:01\n";
  const Outcome r = Jadwal(With(kWorkedExample, {"--csv"}));
  EXPECT_EQ(std::tie(r.status, r.err, r.out), std::make_tuple(0, std::string(), csv));
  EXPECT_EQ(Jadwal({"--lat=-6.1744", "--lon=106.8294", "--tz=+7", "--fajr=20", "--isya=18",
                    "--date=2004-06-15", "--csv"}).out, csv);
  const std::string table = Jadwal(kWorkedExample).out;
  EXPECT_NE(table.find("tanggal     shubuh  dzuhur  ashar   maghrib  isya\n"
                       "2004-06-15  04:36   11:55   15:15   17:48    19:01\n"),
            std::string::npos) << table;
}

TEST(Jadwal, DefaultsAreTheClocksFirstRunValuesAndToday) {
  const Outcome implicit = Jadwal({"--csv"}, DateSerial(2004, 6, 15) + 0.75);
  const Outcome expl = Jadwal({"--lat", "-6.15", "--lon", "106.816", "--tz", "7", "--dzuhur", "2",
                           "--maghrib", "2", "--ashar", "1", "--fajr", "19", "--isya", "20",
                           "--date", "2004-06-15", "--csv"});
  EXPECT_EQ(implicit.status, 0);
  EXPECT_EQ(implicit.out, expl.out);
}

TEST(Jadwal, MonthPrintsEveryDayInOrder) {
  const Outcome r = Jadwal({"--month", "2004-02", "--csv"});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1 + 29);
  EXPECT_NE(r.out.find("\n2004-02-01,"), std::string::npos);
  EXPECT_NE(r.out.find("\n2004-02-29,"), std::string::npos);
  EXPECT_LT(r.out.find("2004-02-09,"), r.out.find("2004-02-10,"));
}

// The engine has no times before year 100: those days print 00:00 and the
// header no angles, as they always have.
TEST(Jadwal, BeforeYearOneHundredNoTimes) {
  const Outcome csv = Jadwal({"--month", "0099-02", "--csv"});
  EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 1 + 28);
  EXPECT_NE(csv.out.find("\n0099-02-28,00:00,00:00,00:00,00:00,00:00\n"), std::string::npos);
  EXPECT_NE(Jadwal({"--date", "0099-12-31"}).out.find(", Fajr 0 deg, Isya 0 deg\n"),
            std::string::npos);
  EXPECT_NE(Jadwal({"--date", "0100-01-01"}).out.find(", Fajr 19 deg, Isya 20 deg\n"),
            std::string::npos);
}

// Angles are rounded half to even before the engine sees them; 22 is out of
// the Isya range and falls back on Jakarta's default of 18.
TEST(Jadwal, AnglesRoundHalfToEven) {
  auto csv = [](const std::string& opt, const std::string& v) {
    return Jadwal({"--date", "2004-06-15", "--csv", opt, v}).out;
  };
  EXPECT_EQ(csv("--isya", "20.5"), csv("--isya", "20"));
  EXPECT_EQ(csv("--isya", "19.5"), csv("--isya", "20"));
  EXPECT_EQ(csv("--isya", "21.5"), csv("--isya", "18"));
  EXPECT_NE(csv("--isya", "18"), csv("--isya", "20"));
  EXPECT_EQ(csv("--fajr", "18.5"), csv("--fajr", "18"));
  EXPECT_NE(csv("--fajr", "18.5"), csv("--fajr", "19"));
}

// 0 is an angle like any other for Fajr (the clock once kept the previous
// angle instead).
TEST(Jadwal, FajrZeroIsTheHorizon) {
  engine::Method m;
  m.fajrAngle = 0;
  m.isyaAngle = 20;
  m.addDzuhur = m.addMaghrib = 2;
  const engine::PrayerTime shubuh =
      engine::HitungWaktuSholat({2004, 6, 15}, {-6.15, 106.816, 7}, m)[engine::Prayer::kShubuh];
  char hhmm[16];
  std::snprintf(hhmm, sizeof hhmm, "%02d:%02d", shubuh.minuteOfDay / 60, shubuh.minuteOfDay % 60);
  const Outcome r = Jadwal({"--date", "2004-06-15", "--csv", "--fajr", "0"});
  EXPECT_NE(r.out.find(std::string("2004-06-15,") + hhmm + ","), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("2004-06-15,04:3"), std::string::npos) << r.out;
}

TEST(Jadwal, HelpExplainsEveryOption) {
  const Outcome r = Jadwal({"--lat", "abc", "--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* opt : {"--lat", "--lon", "--tz", "--dzuhur", "--maghrib", "--ashar", "--fajr",
                          "--isya", "--date", "--month", "--csv", "--help"})
    EXPECT_NE(r.out.find(opt), std::string::npos) << opt;
}

TEST(BadInput, OneLineNamingTheProblemAndStatusTwo) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--lat"}, "--lat: missing value"},
      {{"--lat", "--lon", "5"}, "--lat: missing value"},
      {{"--lat", "abc"}, "--lat: \"abc\" is not a number"},
      {{"--lat", "6.1x"}, "--lat: \"6.1x\" is not a number"},
      {{"--lat", ""}, "--lat"}, {{"--lat", " 6"}, "--lat"},
      {{"--lat", "nan"}, "--lat"}, {{"--lon", "inf"}, "--lon"},
      {{"--lon", "1e999"}, "--lon"}, {{"--lat", "90"}, "--lat"},
      {{"--lat", "-90"}, "--lat"}, {{"--lon", "180.5"}, "--lon"},
      {{"--tz", "15"}, "--tz"}, {{"--tz", "-13"}, "--tz"},
      {{"--dzuhur", "40000"}, "--dzuhur"}, {{"--maghrib", "-1e9"}, "--maghrib"},
      {{"--ashar", "32767.5"}, "--ashar"}, {{"--fajr", "x"}, "--fajr"},
      {{"--isya", "1e6"}, "--isya"},
      {{"--date", "2023-02-29"}, "--date: \"2023-02-29\""},
      {{"--date", "2004-13-01"}, "--date"}, {{"--date", "2004-6-1"}, "--date"},
      {{"--date", "2004-06-15x"}, "--date"}, {{"--month", "2004-00"}, "--month"},
      {{"--bogus"}, "\"--bogus\""}, {{"stray"}, "\"stray\""},
      {{"--csv=yes"}, "--csv"},
      {{"--date", "2004-06-15", "--month", "2004-06"}, "--date and --month"},
      {{"--month", "2004-06", "--date", "2004-06-15"}, "--date and --month"},
      // Control characters are escaped, so the error stays one line.
      {{"--he\n"}, "unknown option \"--he\\x0A\" (see --help)\n"},
      {{"--lat", "1\x1b[2J"}, "--lat: \"1\\x1B[2J\" is not a number\n"},
      {{"--date", "2026-01-0\x7f"}, "--date: \"2026-01-0\\x7F\" is not a valid date (YYYY-MM-DD)\n"}};
  for (const auto& [args, mention] : cases) {
    const Outcome r = Jadwal(args);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("qov-jadwal: ", 0), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(mention), std::string::npos) << r.err;
  }
}

TEST(JadwalBadInput, AnUnwritableOutputIsAFailureForTheHelpTooAndTheSchedule) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, std::vector<std::string>{"--date", "2026-01-01"}}) {
    const Outcome r = Jadwal(args, DateSerial(2026, 12, 6), true);
    EXPECT_EQ(r.status, kExitWriteError) << args[0];
    EXPECT_EQ(r.err, "qov-jadwal: cannot write the output\n") << args[0];
  }
}

}  // namespace
}  // namespace qov::jadwal
