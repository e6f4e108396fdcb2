// Reading the reference tables in tests/engine/data: comment lines start
// with '#', the first other line names the columns.
#pragma once

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/datetime.h"

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

// "HH:MM" as minutes of the day; -1 for an empty field.
inline int MinutesOf(const std::string& hhmm) {
  if (hhmm.size() < 5) return -1;
  return std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(3, 2));
}

inline std::string HHMM(int minute) {
  if (minute < 0) return "--:--";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", minute / 60, minute % 60);
  return buf;
}

// Difference of two clock times on a 24-hour dial, -720..719 minutes.
inline int DialDifference(int a, int b) { return ((a - b) % 1440 + 1440 + 720) % 1440 - 720; }

// The worst difference seen, with where it was.
struct Worst {
  int minutes = 0;
  std::string where;
  void See(int diff, const std::string& what) {
    if (std::abs(diff) > std::abs(minutes) || where.empty()) {
      minutes = diff;
      where = what;
    }
  }
};

}  // namespace qov::engine::testing
