#include "tools/jadwal/jadwal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
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

// Angles are rounded half to even before the engine sees them.
TEST(Jadwal, AnglesRoundHalfToEven) {
  auto csv = [](const std::string& opt, const std::string& v) {
    return Jadwal({"--date", "2004-06-15", "--csv", opt, v}).out;
  };
  EXPECT_EQ(csv("--isya", "19.5"), csv("--isya", "20"));
  EXPECT_EQ(csv("--isya", "18.5"), csv("--isya", "18"));
  EXPECT_NE(csv("--isya", "18"), csv("--isya", "20"));
  EXPECT_EQ(csv("--fajr", "18.5"), csv("--fajr", "18"));
  EXPECT_NE(csv("--fajr", "18.5"), csv("--fajr", "19"));
}

// ---- the options beyond the clock's own

const std::vector<std::string> kLondon = {"--lat", "51.5074", "--lon", "-0.1278", "--fajr", "20",
                                          "--isya", "18"};

std::vector<std::string> CsvLines(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Where the sun misses the angle the default (auto: a seventh of the night
// at London) replaces the times held at the lowest point of the night
// (Isya after midnight); adhan gives 02:40
// and 21:25 UTC for the day. Where it reaches the angle nothing moves.
TEST(JadwalHighLatitude, AutoReplacesOnlyTheHeldTimes) {
  const auto london = With(kLondon, {"--tz", "0", "--date", "2026-06-21", "--csv"});
  EXPECT_EQ(Jadwal(london).out,
            "tanggal,shubuh,dzuhur,ashar,maghrib,isya\n2026-06-21,02:39,12:04,16:25,20:24,21:25\n");
  EXPECT_EQ(Jadwal(With(london, {"--high-lat", "none"})).out,
            "tanggal,shubuh,dzuhur,ashar,maghrib,isya\n2026-06-21,00:02,12:04,16:25,20:24,00:02\n");
  EXPECT_EQ(Jadwal(With(london, {"--high-lat", "seventh"})).out, Jadwal(london).out);
  EXPECT_NE(Jadwal(With(london, {"--high-lat", "middle"})).out, Jadwal(london).out);
  const std::string table = Jadwal(With(kLondon, {"--tz", "0", "--date", "2026-06-21"})).out;
  EXPECT_NE(table.find("; where the sun misses the Fajr or Isya angle, a seventh of the night\n"),
            std::string::npos) << table;
  for (const char* rule : {"none", "middle", "seventh", "angle", "auto"})
    EXPECT_EQ(Jadwal({"--month", "2026-06", "--csv", "--high-lat", rule}).out,
              Jadwal({"--month", "2026-06", "--csv"}).out) << rule;
  EXPECT_EQ(Jadwal(With(kLondon, {"--tz", "0", "--date", "2026-01-15"})).out,
            Jadwal(With(kLondon, {"--tz", "0", "--date", "2026-01-15", "--high-lat", "none"})).out);
}

// Reykjavik's Maghrib and Isya after midnight (adhan: sunset 00:02-00:03
// those days; the clock adds 2 minutes): the table marks the day, the CSV
// keeps HH:MM.
TEST(JadwalHighLatitude, ATimeOnTheNextDayIsMarkedInTheTableOnly) {
  const std::vector<std::string> reykjavik = {"--lat", "64.1355", "--lon", "-21.8954", "--tz", "0",
                                              "--date", "2026-06-20"};
  EXPECT_EQ(CsvLines(Jadwal(With(reykjavik, {"--csv"})).out)[1], "2026-06-20,02:29,13:31,18:23,00:07,00:29");
  EXPECT_NE(Jadwal(reykjavik).out.find("2026-06-20  02:29   13:31   18:23   00:07+1  00:29+1\n"
                                       "+1: the next day, -1: the day before\n"),
            std::string::npos);
}

// Quarter-hour zones go to the engine as they are (they were rounded to a
// whole hour before); a zone name takes each day's offset from the system's
// database, so London's times move by an hour on 29 March.
TEST(JadwalZones, QuarterHoursAndZoneNames) {
  const std::vector<std::string> delhi = {"--lat", "28.6139", "--lon", "77.209", "--fajr", "20",
                                          "--isya", "18", "--date", "2026-01-01", "--csv"};
  const std::string kolkata = Jadwal(With(delhi, {"--tz", "5.5"})).out;
  // adhan: 05:40 12:25 15:17 17:35 19:00; here Dzuhur and Maghrib have the
  // clock's 2 minutes added.
  EXPECT_EQ(kolkata, "tanggal,shubuh,dzuhur,ashar,maghrib,isya\n2026-01-01,05:40,12:26,15:17,17:37,18:59\n");
  EXPECT_EQ(Jadwal(With(delhi, {"--tz", "Asia/Kolkata"})).out, kolkata);
  EXPECT_EQ(Jadwal(With(delhi, {"--tz=+5.5"})).out, kolkata);
  EXPECT_EQ(Jadwal(With(delhi, {"--tz", "5.75"})).out,
            "tanggal,shubuh,dzuhur,ashar,maghrib,isya\n2026-01-01,05:55,12:41,15:32,17:52,19:14\n");
  EXPECT_EQ(Jadwal({"--tz", "-3.5", "--csv"}).status, 0);

  const auto month = CsvLines(Jadwal(With(kLondon, {"--tz", "Europe/London", "--month", "2026-03", "--csv"})).out);
  ASSERT_EQ(month.size(), 32u);
  EXPECT_EQ(month[0], "tanggal,shubuh,dzuhur,ashar,maghrib,isya");
  EXPECT_EQ(month[28], CsvLines(Jadwal(With(kLondon, {"--tz", "0", "--date", "2026-03-28", "--csv"})).out)[1]);
  EXPECT_EQ(month[29], CsvLines(Jadwal(With(kLondon, {"--tz", "1", "--date", "2026-03-29", "--csv"})).out)[1]);
  const std::string table = Jadwal(With(kLondon, {"--tz", "Europe/London", "--month", "2026-03"})).out;
  EXPECT_NE(table.find("zone Europe/London;"), std::string::npos) << table;
  EXPECT_NE(table.find("isya    utc\n"), std::string::npos) << table;
  EXPECT_NE(table.find("2026-03-28  "), std::string::npos);
  EXPECT_NE(table.find("  +00:00\n2026-03-29  "), std::string::npos) << table;
  EXPECT_NE(table.find("  +01:00\n2026-03-30  "), std::string::npos) << table;
  // Tromso's Shubuh of the change day falls before the 02:00 switch.
  const std::string tromso = Jadwal({"--lat", "69.6492", "--lon", "18.9553", "--tz", "Europe/Oslo",
                                     "--fajr", "20", "--isya", "18", "--high-lat", "angle",
                                     "--date", "2026-03-29"}).out;
  EXPECT_NE(tromso.find("2026-03-29  01:36 "), std::string::npos) << tromso;
  EXPECT_NE(tromso.find("  +01:00/+02:00\n"), std::string::npos) << tromso;
  EXPECT_EQ(Jadwal({"--tz", "local", "--csv"}).status, 0);
}

// "--tz local" is the zone the C library uses, $TZ included: it printed the
// system's zone whatever TZ said, while "today" honoured it.
TEST(JadwalZones, LocalHonoursTz) {
  const char* was = std::getenv("TZ");
  const std::optional<std::string> saved = was ? std::optional<std::string>(was) : std::nullopt;
  const std::vector<std::string> delhi = {"--lat", "28.6139", "--lon", "77.209", "--date", "2026-01-01"};
  for (const char* tz : {"Asia/Kolkata", ":Asia/Kolkata", "/usr/share/zoneinfo/Asia/Kolkata"}) {
    setenv("TZ", tz, 1);
    const std::string table = Jadwal(With(delhi, {"--tz", "local"})).out;
    EXPECT_EQ(table.substr(0, table.find(';')), "Latitude 28.6139, longitude 77.209, zone Asia/Kolkata (local)") << tz;
    EXPECT_NE(table.find("  +05:30\n"), std::string::npos) << table;
  }
  setenv("TZ", "Nowhere/Atlantis", 1);
  EXPECT_EQ(Jadwal({"--tz", "local"}).err, "qov-jadwal: --tz: the machine's time zone is unknown\n");
  if (saved)
    setenv("TZ", saved->c_str(), 1);
  else
    unsetenv("TZ");
}

// The Kemenag preset: Makassar, 20 August 2023, as the ministry published it
// (kemenag_golden.csv); an option given still overrides the preset.
TEST(JadwalKemenag, PresetFullDayAndOverrides) {
  const std::vector<std::string> makassar = {"--method", "kemenag", "--lat", "-5.1486", "--lon",
                                             "119.4319", "--tz", "8", "--date", "2023-08-20", "--csv"};
  EXPECT_EQ(Jadwal(With(makassar, {"--full"})).out,
            "tanggal,imsak,shubuh,terbit,dhuha,dzuhur,ashar,maghrib,isya\n"
            "2023-08-20,04:41,04:51,06:04,06:32,12:09,15:29,18:08,19:18\n");
  EXPECT_EQ(Jadwal(makassar).out,
            "tanggal,shubuh,dzuhur,ashar,maghrib,isya\n2023-08-20,04:51,12:09,15:29,18:08,19:18\n");
  EXPECT_EQ(Jadwal(With(makassar, {"--dzuhur", "1", "--shubuh", "0", "--isya-add", "5"})).out,
            "tanggal,shubuh,dzuhur,ashar,maghrib,isya\n2023-08-20,04:49,12:07,15:29,18:08,19:21\n");
  const std::string table = Jadwal(With(makassar, {"--csv=no"})).err;
  EXPECT_NE(table.find("--csv takes no value"), std::string::npos);
  const std::string header = Jadwal({"--method", "kemenag", "--date", "2023-08-20"}).out;
  EXPECT_EQ(header.substr(0, header.find('\n')),
            "Latitude -6.15, longitude 106.816, zone +7; Dzuhur +3 min, Maghrib +2 min, Ashar "
            "factor 1, Fajr 20 deg, Isya 18 deg; Shubuh +2 min, Ashar +2 min, Isya +2 min; method "
            "Kemenag");
  // Bandung, 768 m up: Maghrib 4 minutes later than at sea level (published 17:48).
  const std::vector<std::string> bandung = {"--method", "kemenag", "--lat", "-6.9175", "--lon",
                                            "107.6191", "--date", "2022-05-18", "--csv"};
  EXPECT_NE(Jadwal(With(bandung, {"--elevation", "768"})).out.find(",17:47,"), std::string::npos);
  EXPECT_NE(Jadwal(bandung).out.find(",17:43,"), std::string::npos);
}

// The additions apply to the clock's method too; the full day keeps the
// five's columns.
TEST(JadwalFull, ExtraTimesAroundTheFiveAndTheHijriDate) {
  const auto five = CsvLines(Jadwal({"--month", "2026-02", "--csv"}).out);
  const auto full = CsvLines(Jadwal({"--month", "2026-02", "--csv", "--full", "--hijri"}).out);
  ASSERT_EQ(five.size(), full.size());
  EXPECT_EQ(full[0], "tanggal,imsak,shubuh,terbit,dhuha,dzuhur,ashar,maghrib,isya,hijri");
  for (size_t i = 1; i < five.size(); ++i) {
    std::vector<std::string> a, b;
    std::stringstream sa(five[i]), sb(full[i]);
    for (std::string x; std::getline(sa, x, ',');) a.push_back(x);
    for (std::string x; std::getline(sb, x, ',');) b.push_back(x);
    ASSERT_EQ(b.size(), 10u);
    EXPECT_EQ((std::vector<std::string>{b[0], b[2], b[5], b[6], b[7], b[8]}), a) << five[i];
  }
  // 1 Ramadan 1447 was 19 February 2026 in Indonesia.
  EXPECT_NE(Jadwal({"--month", "2026-02", "--csv", "--hijri"}).out.find("\n2026-02-19,04:43,12:08,15:18,18:17,19:34,1447-09-01\n"),
            std::string::npos);
  EXPECT_NE(Jadwal({"--date", "2026-02-19", "--hijri"}).out.find("  isya    hijri\n"), std::string::npos);
  // Beyond the Hijri table's years: an empty field, a dash in the table.
  EXPECT_NE(Jadwal({"--date", "2200-01-01", "--hijri", "--csv"}).out.find(",\n"), std::string::npos);
  EXPECT_NE(Jadwal({"--date", "2200-01-01", "--hijri"}).out.find("  -\n"), std::string::npos);
  const auto plus = CsvLines(Jadwal({"--date", "2026-02-19", "--csv", "--shubuh", "3", "--ashar-add", "1"}).out);
  EXPECT_EQ(plus[1], "2026-02-19,04:46,12:08,15:19,18:17,19:34");
}

TEST(Jadwal, HelpExplainsEveryOption) {
  const Outcome r = Jadwal({"--lat", "abc", "--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* opt : {"--lat", "--lon", "--tz", "--dzuhur", "--maghrib", "--ashar", "--fajr",
                          "--isya", "--date", "--month", "--csv", "--help", "--method", "--shubuh",
                          "--ashar-add", "--isya-add", "--elevation", "--high-lat", "--full",
                          "--hijri", "Europe/London", "local", "kemenag"})
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
      {{"--lon", "1e999"}, "--lon"}, {{"--lat", "-90"}, "--lat"},
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
      {{"--date", "2026-01-0\x7f"}, "--date: \"2026-01-0\\x7F\" is not a valid date (YYYY-MM-DD)\n"},
      // The options beyond the clock's own.
      {{"--tz", "5.3"}, "--tz: \"5.3\" is not a whole quarter hour"},
      {{"--tz", "7.1"}, "quarter hour"},
      {{"--tz", "Mars/Olympus"}, "--tz: \"Mars/Olympus\" is not a known time zone"},
      {{"--tz", "../../etc/passwd"}, "is not a number or a time zone name"},
      {{"--tz", "Europe/London\n"}, "--tz"}, {{"--tz", ""}, "--tz"},
      {{"--method", "mwl"}, "--method: \"mwl\" is not a method (default or kemenag)"},
      {{"--high-lat", "7"}, "--high-lat: \"7\" is not a rule"},
      {{"--high-lat"}, "--high-lat: missing value"},
      {{"--elevation", "high"}, "is not a number"},
      {{"--shubuh", "40000"}, "--shubuh"}, {{"--ashar-add", "x"}, "--ashar-add"},
      {{"--isya-add", "nan"}, "--isya-add"},
      {{"--full=1"}, "--full takes no value"}, {{"--hijri=yes"}, "--hijri takes no value"},
      // Every stored value's option refuses what the location dialog refuses
      // (LocationDialog.RefusesWhatItsRowRefusesWithTheRange), by the same ranges.
      {{"--lat", "90"}, "--lat: \"90\" is out of range (strictly between -90 and 90)"},
      {{"--lon", "180.5"}, "--lon: \"180.5\" is out of range (-180 to 180)"},
      {{"--tz", "14.25"}, "--tz: \"14.25\" is out of range (-12 to 14)"},
      {{"--dzuhur", "32767.5"}, "--dzuhur: \"32767.5\" is out of range (-32768 to 32767)"},
      {{"--maghrib", "-32769"}, "--maghrib: \"-32769\" is out of range (-32768 to 32767)"},
      {{"--shubuh", "99999"}, "--shubuh: \"99999\" is out of range (-32768 to 32767)"},
      {{"--ashar-add", "-40000"}, "--ashar-add: \"-40000\" is out of range (-32768 to 32767)"},
      {{"--isya-add", "1e9"}, "--isya-add: \"1e9\" is out of range (-32768 to 32767)"},
      {{"--fajr", "0"}, "--fajr: \"0\" is out of range (10 to 25)"},
      {{"--fajr", "25.5"}, "--fajr: \"25.5\" is out of range (10 to 25)"},
      {{"--isya", "20.5"}, "--isya: \"20.5\" is out of range (10 to 20)"},
      {{"--elevation", "6001"}, "--elevation: \"6001\" is out of range (-500 to 6000)"},
      {{"--elevation", "-501"}, "--elevation: \"-501\" is out of range (-500 to 6000)"},
      {{"--ashar", "3"}, "--ashar: \"3\" is out of range (1 to 2)"}};
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
