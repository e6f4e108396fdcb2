// The city list: the pure parser, and loading it into the table and the
// drop-down.
#include "location/city_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "tests/app/app_fixture.h"

namespace qov {
namespace {

// name|lat|lon|zone per record, joined by ";".
std::string Show(std::string_view bytes, size_t max = kMaxCities) {
  std::string out;
  for (const City& p : ParseCityList(bytes, max)) {
    std::ostringstream os;
    os << p.name << '|' << p.latitude << '|' << p.longitude << '|' << p.zone << ';';
    out += os.str();
  }
  return out;
}

using Reads = std::pair<std::string, std::string>;  // bytes, what the parser makes of them

// The rows of one kind in data/city_list_reads.txt.
void ExpectReads(const std::string& kind) {
  int n = 0;
  for (const auto& r : testing::DataRows("location/data/city_list_reads.txt"))
    if (r.at(0) == kind) {
      ++n;
      EXPECT_EQ(Show(r.at(1)), r.at(2)) << r[1];
    }
  EXPECT_GT(n, 0);
}

TEST(CityListReads, Syntax) { ExpectReads("syntax"); }
TEST(CityListReads, Encoding) { ExpectReads("encoding"); }

// Names are cut at 200 characters, on a character boundary; 10 MB on one
// line (a name, an unclosed quote, a number, bare commas) is read in one pass.
TEST(CityListLimits, StopsAtTheTableCutsLongNamesAndStaysLinear) {
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "\"K" + std::to_string(i) + "\",-6.2,106.8,7\r\n";
  const std::vector<City> r = ParseCityList(many, 2001);
  ASSERT_EQ(r.size(), 2001u);
  EXPECT_EQ(r[2000].name, "K2000");
  EXPECT_TRUE(ParseCityList(many, 0).empty());

  std::string wide, cut;
  for (int i = 0; i < 300; ++i) wide += "\xF0\x9F\x95\x8C";
  for (int i = 0; i < 200; ++i) cut += "\xF0\x9F\x95\x8C";
  const std::string big(10 << 20, '9'), nines(200, '9');
  for (const auto& [bytes, name] : std::initializer_list<Reads>{
           {"\"" + std::string(1000, 'a') + "\",1,2,3\r\nB,4,5,6", std::string(200, 'a')},
           {"\"" + wide + "\",1,2,3\r\nB,4,5,6", cut}, {"\xEF\xBB\xBF\"" + wide + "\",1,2,3\r\nB,4,5,6", cut},
           {big, nines}, {"\"" + big, nines}, {"A," + big + ",1,2", "A"}, {std::string(10 << 20, ','), ""}}) {
    const auto got = ParseCityList(bytes, 2001);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got[0].name, name);
    // The record after a long name is read as usual.
    EXPECT_EQ(got.back().latitude, bytes.find("B,4") != std::string::npos ? 4 : got[0].latitude);
  }
}

// The list beside the program fills the drop-down in file order, each
// item's data its record's index; a missing or blank file one blank entry.
// It is read once, when the dialog first opens: never at start-up.
TEST(LoadCities, FillsTheDropDownWithTheStoredRecordsOnly) {
  std::string many;
  for (int i = 0; i < 2050; ++i) many += "K" + std::to_string(i) + "," + std::to_string(i % 80) + ",100,7\r\n";
  const std::tuple<const char*, std::optional<std::string>, size_t> cases[] = {
      {"C:\\QOV", many, 2001}, {"D:\\", std::nullopt, 1}, {"D:\\", "", 1}, {"D:\\", "\r\n\r\n", 1}};
  for (const auto& [appPath, file, count] : cases) {
    testing::MemoryPlatform p;
    p.files.appPath = appPath;
    const std::string path = p.files.appPath + (p.files.appPath.back() == '\\' ? "" : "\\") + "daftar_all.TXT";
    if (file) p.files.files[path] = *file;
    testing::Program run(p);
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(p.files.reads.empty());
    for (int opening = 0; opening < 2; ++opening) {
      run.Click("location");
      run.Press("cancel");
    }
    EXPECT_EQ(p.files.reads, std::vector<std::string>{path});
    EXPECT_TRUE(p.dialogs.messages.empty());
    const auto& items = run.Get("city").items();
    ASSERT_EQ(items.size(), count) << path;
    for (size_t i = 0; i < items.size(); ++i)
      ASSERT_EQ(std::make_pair(items[i].text, items[i].itemData),
                std::make_pair(count == 1 ? "" : "K" + std::to_string(i), static_cast<int32_t>(i)));
  }
}

}  // namespace
}  // namespace qov
