// Reading the reference tables in tests/engine/data: comment lines start
// with '#', the first other line names the columns.
#pragma once

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/datetime.h"
#include "engine/prayer_times.h"

namespace qov::engine::testing {

using Row = std::map<std::string, std::string>;

inline std::vector<std::string> SplitCsv(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream ss(line);
  for (std::string f; std::getline(ss, f, ',');) fields.push_back(f);
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

// Every row of tests/engine/data/<name>, by column name; empty when the
// file is missing.
inline std::vector<Row> ReadTable(const std::string& name) {
  std::ifstream in(std::string(QOV_SOURCE_DIR) + "/tests/engine/data/" + name);
  std::vector<Row> rows;
  std::vector<std::string> columns;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const auto f = SplitCsv(line);
    if (columns.empty()) {
      columns = f;
      continue;
    }
    Row r;
    for (size_t i = 0; i < columns.size() && i < f.size(); ++i) r[columns[i]] = f[i];
    rows.push_back(r);
  }
  return rows;
}

inline CivilDate DateOfIso(const std::string& s) {
  return {std::stoi(s.substr(0, 4)), std::stoi(s.substr(5, 2)), std::stoi(s.substr(8, 2))};
}

// "HH:MM" as minutes of the day, "HH:MM+1" and "HH:MM-1" from the date's
// midnight; -1 for an empty field.
inline int MinutesOf(const std::string& hhmm) {
  if (hhmm.size() < 5) return -1;
  return std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(3, 2)) +
         (hhmm.size() > 5 ? std::stoi(hhmm.substr(5)) * 1440 : 0);
}

inline std::string HHMM(int minute) {
  if (minute < 0) return "--:--";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", minute / 60, minute % 60);
  return buf;
}

// Difference of two clock times on a 24-hour dial, -720..719 minutes.
inline int DialDifference(int a, int b) { return ((a - b) % 1440 + 1440 + 720) % 1440 - 720; }

// The worst difference seen, signed, with where it was.
struct Worst {
  double minutes = 0;
  std::string where;
  void See(double diff, const std::string& what) {
    if (std::fabs(diff) > std::fabs(minutes) || where.empty()) {
      minutes = diff;
      where = what;
    }
  }
};

// A row's place: lat, lon, tz and, where the table has it, elevation_m.
inline Place PlaceOf(const Row& r) {
  Place p{std::stod(r.at("lat")), std::stod(r.at("lon")), std::stod(r.at("tz"))};
  if (r.count("elevation_m") && !r.at("elevation_m").empty()) p.elevation = std::stod(r.at("elevation_m"));
  return p;
}

// The adhan reference files' parameters: Fajr 20, Isya 18 or the row's
// isha_angle, Syafi'i, no additions, the row's rule. The accurate sun comes
// with Kemenag's rounding, which keeps a time past midnight on the dial
// instead of holding it at 23:59.
inline Method AdhanMethod(const Row& r, SunTheory sun = SunTheory::kTables) {
  static const std::map<std::string, HighLatitudeRule> kRules = {
      {"MiddleOfTheNight", HighLatitudeRule::kMiddleOfNight},
      {"SeventhOfTheNight", HighLatitudeRule::kSeventhOfNight},
      {"TwilightAngle", HighLatitudeRule::kTwilightAngle}};
  Method m;
  m.sun = sun;
  if (sun == SunTheory::kAccurate) m.rounding = Rounding::kSecondsUp;
  m.fajrAngle = 20;
  m.isyaAngle = r.count("isha_angle") ? std::stod(r.at("isha_angle")) : 18;
  m.highLatitudeRule = kRules.at(r.at("rule"));
  return m;
}

}  // namespace qov::engine::testing
