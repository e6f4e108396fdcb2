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
#include "tests/engine/reference_table.h"

namespace qov::jadwal {
namespace {

struct Outcome {
  int status;
  std::string out, err;
};

// "Today" is 15 June 2004 at 18:00: only its date counts.
Outcome Jadwal(const std::vector<std::string>& args, double today = DateSerial(2004, 6, 15) + 0.75,
               bool failedOutput = false) {
  std::ostringstream out, err;
  if (failedOutput) out.setstate(std::ios::badbit);
  const int status = RunJadwal(args, out, err, today);
  return {status, out.str(), err.str()};
}

std::vector<std::string> With(std::vector<std::string> base, const std::vector<std::string>& more) {
  base.insert(base.end(), more.begin(), more.end());
  return base;
}

std::vector<std::string> Lines(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

const std::vector<std::string> kWorkedExample = {"--lat", "-6.1744", "--lon", "106.8294", "--tz", "7",
                                                 "--fajr", "20", "--isya", "18", "--date", "2004-06-15"};
const std::vector<std::string> kLondon = {"--lat", "51.5074", "--lon", "-0.1278", "--fajr", "20", "--isya", "18"};
const std::vector<std::string> kLondonMidsummer = With(kLondon, {"--tz", "0", "--date", "2026-06-21", "--csv"});
const std::vector<std::string> kReykjavik = {"--lat", "64.1355", "--lon", "-21.8954", "--tz", "0",
                                             "--date", "2026-06-20"};
const std::vector<std::string> kDelhi = {"--lat", "28.6139", "--lon", "77.209", "--fajr", "20", "--isya", "18",
                                         "--date", "2026-01-01", "--csv"};
const std::vector<std::string> kMakassar = {"--method", "kemenag", "--lat", "-5.1486", "--lon", "119.4319",
                                            "--tz", "8", "--date", "2023-08-20", "--csv"};
const std::vector<std::string> kBandung = {"--method", "kemenag", "--lat", "-6.9175", "--lon", "107.6191",
                                           "--date", "2022-05-18", "--csv"};
const std::string kHeader = "tanggal,shubuh,dzuhur,ashar,maghrib,isya\n";
constexpr bool kWhole = true;

// Each call succeeds, silent on stderr, and prints the text: the whole
// output (a CSV) or a part of it (a table).
TEST(Jadwal, PrintsTheTimesForEachOption) {
  const auto londonMarch = With(kLondon, {"--tz", "Europe/London", "--month", "2026-03"});
  const std::vector<std::string> tromso = {"--lat", "69.6492", "--lon", "18.9553", "--tz", "Europe/Oslo", "--fajr",
                                           "20", "--isya", "18", "--high-lat", "angle", "--date", "2026-03-29"};
  const struct {
    std::vector<std::string> args;
    std::string text;
    bool whole = false;
  } kCases[] = {
      // The worked example, in either spelling of the options, and as a table.
      {With(kWorkedExample, {"--csv"}), kHeader + "2004-06-15,04:36,11:55,15:15,17:48,19:01\n", kWhole},
      {{"--lat=-6.1744", "--lon=106.8294", "--tz=+7", "--fajr=20", "--isya=18", "--date=2004-06-15", "--csv"},
       kHeader + "2004-06-15,04:36,11:55,15:15,17:48,19:01\n", kWhole},
      {kWorkedExample, "tanggal     shubuh  dzuhur  ashar   maghrib  isya\n"
                       "2004-06-15  04:36   11:55   15:15   17:48    19:01\n"},
      // The engine has no times before year 100: those days print 00:00 and
      // the header no angles, as they always have.
      {{"--month", "0099-02", "--csv"}, "\n0099-02-28,00:00,00:00,00:00,00:00,00:00\n"},
      {{"--date", "0099-12-31"}, ", Fajr 0 deg, Isya 0 deg\n"},
      {{"--date", "0100-01-01"}, ", Fajr 19 deg, Isya 20 deg\n"},
      // London at midsummer, where the sun misses the angles: the default
      // (auto: a seventh of the night) replaces the times held at the lowest
      // point of the night (adhan: 02:40 and 21:25 UTC); without a rule they
      // are held there.
      {kLondonMidsummer, kHeader + "2026-06-21,02:39,12:04,16:25,20:24,21:25\n", kWhole},
      {With(kLondonMidsummer, {"--high-lat", "none"}), kHeader + "2026-06-21,00:02,12:04,16:25,20:24,00:02\n",
       kWhole},
      {With(kLondon, {"--tz", "0", "--date", "2026-06-21"}),
       "; where the sun misses the Fajr or Isya angle, a seventh of the night\n"},
      // Reykjavik's Maghrib and Isya after midnight (adhan: sunset 00:02-00:03
      // those days; the clock adds 2 minutes): the table marks the day, the
      // CSV keeps HH:MM.
      {With(kReykjavik, {"--csv"}), kHeader + "2026-06-20,02:29,13:31,18:23,00:07,00:29\n", kWhole},
      {kReykjavik, "2026-06-20  02:29   13:31   18:23   00:07+1  00:29+1\n+1: the next day, -1: the day before\n"},
      // Quarter-hour zones go to the engine as they are (they were rounded to
      // a whole hour before). adhan: 05:40 12:25 15:17 17:35 19:00 at 5.5;
      // here Dzuhur and Maghrib have the clock's 2 minutes added.
      {With(kDelhi, {"--tz", "5.5"}), kHeader + "2026-01-01,05:40,12:26,15:17,17:37,18:59\n", kWhole},
      {With(kDelhi, {"--tz", "5.75"}), kHeader + "2026-01-01,05:55,12:41,15:32,17:52,19:14\n", kWhole},
      {{"--tz", "-3.5", "--csv"}, kHeader},
      {{"--tz", "local", "--csv"}, kHeader},
      // A zone name takes each day's offset from the system's database.
      {londonMarch, "zone Europe/London;"},
      {londonMarch, "isya    utc\n"},
      {londonMarch, "  +00:00\n2026-03-29  "},
      {londonMarch, "  +01:00\n2026-03-30  "},
      // Tromso's Shubuh of the change day falls before the 02:00 switch.
      {tromso, "2026-03-29  01:36 "},
      {tromso, "  +01:00/+02:00\n"},
      // The Kemenag preset: Makassar, 20 August 2023, as the ministry
      // published it (kemenag_golden.csv); an option given still overrides.
      {With(kMakassar, {"--full"}), "tanggal,imsak,shubuh,terbit,dhuha,dzuhur,ashar,maghrib,isya\n"
                                    "2023-08-20,04:41,04:51,06:04,06:32,12:09,15:29,18:08,19:18\n", kWhole},
      {kMakassar, kHeader + "2023-08-20,04:51,12:09,15:29,18:08,19:18\n", kWhole},
      {With(kMakassar, {"--dzuhur", "1", "--shubuh", "0", "--isya-add", "5"}),
       kHeader + "2023-08-20,04:49,12:07,15:29,18:08,19:21\n", kWhole},
      {{"--method", "kemenag", "--date", "2023-08-20"},
       "Latitude -6.15, longitude 106.816, zone +7; Dzuhur +3 min, Maghrib +2 min, Ashar factor 1, Fajr 20 deg, "
       "Isya 18 deg; Shubuh +2 min, Ashar +2 min, Isya +2 min; method Kemenag\n"},
      // Bandung, 768 m up: Maghrib 4 minutes later than at sea level
      // (published 17:48).
      {With(kBandung, {"--elevation", "768"}), ",17:47,"},
      {kBandung, ",17:43,"},
      // The additions apply to the clock's method too. 1 Ramadan 1447 was
      // 19 February 2026 in Indonesia; beyond the Hijri table's years an
      // empty field, a dash in the table.
      {{"--date", "2026-02-19", "--csv", "--shubuh", "3", "--ashar-add", "1"},
       kHeader + "2026-02-19,04:46,12:08,15:19,18:17,19:34\n", kWhole},
      {{"--month", "2026-02", "--csv", "--hijri"}, "\n2026-02-19,04:43,12:08,15:18,18:17,19:34,1447-09-01\n"},
      {{"--date", "2026-02-19", "--hijri"}, "  isya    hijri\n"},
      {{"--date", "2200-01-01", "--hijri", "--csv"}, ",\n"},
      {{"--date", "2200-01-01", "--hijri"}, "  -\n"},
  };
  for (const auto& c : kCases) {
    const Outcome r = Jadwal(c.args);
    EXPECT_EQ(std::tie(r.status, r.err), std::make_tuple(0, std::string())) << c.text;
    EXPECT_TRUE(c.whole ? r.out == c.text : r.out.find(c.text) != std::string::npos) << r.out << "\nwanted " << c.text;
  }
}

// Options that must (or must not) change the output.
TEST(Jadwal, OptionsThatChangeNothingAndOptionsThatDo) {
  const auto month = [](std::vector<std::string> more) { return With({"--month", "2026-06", "--csv"}, more); };
  const auto day = [](std::vector<std::string> more) { return With({"--date", "2004-06-15", "--csv"}, more); };
  const struct {
    std::vector<std::string> a, b;
    bool same;
  } kCases[] = {
      // The defaults are the clock's first-run values and today.
      {{"--csv"}, {"--lat", "-6.15", "--lon", "106.816", "--tz", "7", "--dzuhur", "2", "--maghrib", "2", "--ashar",
                   "1", "--fajr", "19", "--isya", "20", "--date", "2004-06-15", "--csv"}, true},
      // Angles are rounded half to even before the engine sees them.
      {day({"--isya", "19.5"}), day({"--isya", "20"}), true},
      {day({"--isya", "18.5"}), day({"--isya", "18"}), true},
      {day({"--isya", "18"}), day({"--isya", "20"}), false},
      {day({"--fajr", "18.5"}), day({"--fajr", "18"}), true},
      {day({"--fajr", "18.5"}), day({"--fajr", "19"}), false},
      // auto is the seventh at London; where the sun reaches the angles
      // (Jakarta, London in January) no rule moves anything.
      {With(kLondonMidsummer, {"--high-lat", "seventh"}), kLondonMidsummer, true},
      {With(kLondonMidsummer, {"--high-lat", "middle"}), kLondonMidsummer, false},
      {month({"--high-lat", "none"}), month({}), true},
      {month({"--high-lat", "middle"}), month({}), true},
      {month({"--high-lat", "seventh"}), month({}), true},
      {month({"--high-lat", "angle"}), month({}), true},
      {month({"--high-lat", "auto"}), month({}), true},
      {With(kLondon, {"--tz", "0", "--date", "2026-01-15"}),
       With(kLondon, {"--tz", "0", "--date", "2026-01-15", "--high-lat", "none"}), true},
      // A zone's name or its offset in either spelling.
      {With(kDelhi, {"--tz", "Asia/Kolkata"}), With(kDelhi, {"--tz", "5.5"}), true},
      {With(kDelhi, {"--tz=+5.5"}), With(kDelhi, {"--tz", "5.5"}), true},
  };
  for (const auto& c : kCases) {
    const Outcome a = Jadwal(c.a), b = Jadwal(c.b);
    EXPECT_EQ(std::pair(a.status, b.status), std::pair(0, 0)) << a.err << b.err;
    EXPECT_EQ(a.out == b.out, c.same) << a.out << "\n" << b.out;
  }
}

// Every day of a month in order, the full day keeping the five's columns,
// and London's times moving by an hour on 29 March under its zone's name.
TEST(Jadwal, MonthsEveryDayInOrder) {
  for (const auto& [month, days] : {std::pair("2004-02", 29u), std::pair("0099-02", 28u)}) {
    const auto lines = Lines(Jadwal({"--month", month, "--csv"}).out);
    ASSERT_EQ(lines.size(), 1 + days) << month;
    for (size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(std::stoi(lines[i].substr(8, 2)), int(i)) << lines[i];
  }
  const auto five = Lines(Jadwal({"--month", "2026-02", "--csv"}).out);
  const auto full = Lines(Jadwal({"--month", "2026-02", "--csv", "--full", "--hijri"}).out);
  ASSERT_EQ(five.size(), full.size());
  EXPECT_EQ(full[0], "tanggal,imsak,shubuh,terbit,dhuha,dzuhur,ashar,maghrib,isya,hijri");
  for (size_t i = 1; i < five.size(); ++i) {
    const auto a = engine::testing::SplitCsv(five[i]), b = engine::testing::SplitCsv(full[i]);
    ASSERT_EQ(b.size(), 10u);
    EXPECT_EQ((std::vector<std::string>{b[0], b[2], b[5], b[6], b[7], b[8]}), a) << five[i];
  }
  const auto london = Lines(Jadwal(With(kLondon, {"--tz", "Europe/London", "--month", "2026-03", "--csv"})).out);
  ASSERT_EQ(london.size(), 32u);
  EXPECT_EQ(london[28], Lines(Jadwal(With(kLondon, {"--tz", "0", "--date", "2026-03-28", "--csv"})).out)[1]);
  EXPECT_EQ(london[29], Lines(Jadwal(With(kLondon, {"--tz", "1", "--date", "2026-03-29", "--csv"})).out)[1]);
}

// "--tz local" is the zone the C library uses, $TZ included: it printed the
// system's zone whatever TZ said, while "today" honoured it.
TEST(JadwalZones, LocalHonoursTz) {
  const char* was = std::getenv("TZ");
  const std::optional<std::string> saved = was ? std::optional<std::string>(was) : std::nullopt;
  for (const char* tz : {"Asia/Kolkata", ":Asia/Kolkata", "/usr/share/zoneinfo/Asia/Kolkata"}) {
    setenv("TZ", tz, 1);
    const std::string table = Jadwal({"--lat", "28.6139", "--lon", "77.209", "--date", "2026-01-01", "--tz", "local"}).out;
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
      {{"--csv=yes"}, "--csv"}, {{"--csv=no"}, "--csv takes no value"},
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
