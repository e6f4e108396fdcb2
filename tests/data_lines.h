// Literal tables kept as data files under tests/, next to the tests that
// read them; each file's '#' lines say where its values come from.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace qov::testing {

inline std::vector<std::string> DataLines(const std::string& path) {
  std::ifstream in(std::string(QOV_SOURCE_DIR) + "/tests/" + path);
  EXPECT_TRUE(in) << path;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  return lines;
}

// A line's fields, split at '|'. Blanks are kept, they are data; \| \\ \r
// \n \t \0 and \xNN stand for bytes a text file cannot hold plainly.
inline std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '|') {
      fields.emplace_back();
    } else if (c != '\\' || i + 1 == line.size()) {
      fields.back() += c;
    } else if (const char e = line[++i]; e == 'x') {
      fields.back() += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      fields.back() += e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e == '0' ? '\0' : e;
    }
  }
  return fields;
}

// Every line's fields.
inline std::vector<std::vector<std::string>> DataRows(const std::string& path) {
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : DataLines(path)) rows.push_back(Fields(line));
  return rows;
}

}  // namespace qov::testing
