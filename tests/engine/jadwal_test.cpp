#include "tools/jadwal/jadwal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
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

std::vector<std::string> Lines(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// \n, \\ and \xHH escapes.
std::string Unescape(const std::string& s) {
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      r += s[i];
    } else if (s[++i] == 'n' || s[i] == '\\') {
      r += s[i] == 'n' ? '\n' : '\\';
    } else {
      r += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    }
  }
  return r;
}

// Blank-separated, escaped arguments; "" is an empty one.
std::vector<std::string> Args(const std::string& line) {
  std::vector<std::string> args;
  std::istringstream in(line);
  for (std::string a; in >> a;) args.push_back(a == "\"\"" ? "" : Unescape(a));
  return args;
}

// Runs every case of tests/engine/data/<file> (the file says how to read
// it) and returns how many there were.
int RunCases(const std::string& file) {
  std::ifstream in(std::string(QOV_SOURCE_DIR) + "/tests/engine/data/" + file);
  std::string args;
  Outcome r;
  int cases = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const size_t blank = line.find(' ');
    const std::string kind = line.substr(0, blank), text = Unescape(line.substr(blank + 1));
    const bool refused = kind == "err~";
    if (kind != "out=" && kind != "out~" && !refused && kind != "same" && kind != "differs") {
      args = line;
      r = Jadwal(Args(line));
      ++cases;
      continue;
    }
    EXPECT_EQ(r.status, refused ? 2 : 0) << args << "\n" << r.err;
    if (refused) {
      EXPECT_EQ(r.out, "") << args;
      EXPECT_EQ(r.err.rfind("qov-jadwal: ", 0), 0u) << r.err;
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
      EXPECT_NE(r.err.find(text), std::string::npos) << args << "\n" << r.err;
    } else if (kind == "out=" || kind == "out~") {
      EXPECT_EQ(r.err, "") << args;
      EXPECT_TRUE(kind == "out=" ? r.out == text : r.out.find(text) != std::string::npos)
          << args << "\n" << r.out << "wanted " << text;
    } else {
      const Outcome other = Jadwal(Args(line.substr(blank + 1)));
      EXPECT_EQ(other.status, 0) << line;
      EXPECT_EQ(other.out == r.out, kind == "same") << args << "\n" << line;
    }
  }
  return cases;
}

TEST(Jadwal, PrintsWhatEachCaseSays) { EXPECT_GE(RunCases("jadwal_outputs.txt"), 30); }

TEST(BadInput, OneLineNamingTheProblemAndStatusTwo) { EXPECT_GE(RunCases("jadwal_refusals.txt"), 60); }

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
  const auto london = [](const std::string& more) {
    return Lines(Jadwal(Args("--lat 51.5074 --lon -0.1278 --fajr 20 --isya 18 --csv " + more)).out);
  };
  const auto march = london("--tz Europe/London --month 2026-03");
  ASSERT_EQ(march.size(), 32u);
  EXPECT_EQ(march[28], london("--tz 0 --date 2026-03-28")[1]);
  EXPECT_EQ(march[29], london("--tz 1 --date 2026-03-29")[1]);
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
