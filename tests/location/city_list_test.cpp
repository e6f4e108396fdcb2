// The city list: the pure parser, and loading it into the table and the
// drop-down at start-up.
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

using namespace std::string_literals;

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

TEST(CityListReads, Syntax) {
  for (const auto& [bytes, expected] : std::initializer_list<Reads>{
      // The final CR LF, blank lines and a blank tail add no record.
      {"\"Jakarta\",-6.2,106.8,7\r\n\r\nMedan,3.59,98.67,7\r\n \r\n",
       "Jakarta|-6.2|106.8|7;Medan|3.59|98.67|7;"},
      {"A,1,2,3\nB,4,5,6", "A|1|2|3;B|4|5|6;"}, {"A,1,2,3\rB,4,5,6\r", "A|1|2|3;B|4|5|6;"},
      {"\"Kota Baru, Kalsel \",-3.3,116.2,8\r\n", "Kota Baru, Kalsel |-3.3|116.2|8;"},
      {"  Bogor  ,  -6.6 ,\t106.8 , 7\r\n", "Bogor|-6.6|106.8|7;"},
      {"Medan,3.59\r\n98.67,7", "Medan|3.59|98.67|7;"},  // a line end ends a field
      {"\"Ambon\" x,\"-3.7\",128.2,9", "Ambon|-3.7|128.2|9;"},
      {"A,0,0,8.5\nB,0,0,9.5\nC,0,0,-8.5\nD,0,0,40000\nE,0,0,x\n",
       "A|0|0|8.5;B|0|0|9.5;C|0|0|-8.5;D|0|0|0;E|0|0|0;"},  // quarter hours kept; beyond 16 bits: 0
      {"India,28.6,77.2,5.5\nNepal,27.7,85.3,5.75\nOdd,0,0,5.3\n", "India|28.6|77.2|5.5;Nepal|27.7|85.3|5.75;Odd|0|0|5.25;"},
      {"A,- 6.5x,1e2,7 WIB\r\n", "A|-6.5|100|7;"}, {"X,1,1,1\r\nX,2,2,2\r\n", "X|1|1|1;X|2|2|2;"},
      // Cut short by the end of the file: the missing fields are 0.
      {"A,1,2,3\r\nSolo,-7.5", "A|1|2|3;Solo|-7.5|0|0;"},
      {"A,1,2,3\r\n\"Solo,1\r\nB,4", "A|1|2|3;Solo,1  B,4|0|0|0;"},
      // Nothing to read still gives the one blank record.
      {"", "|0|0|0;"}, {"\r\n \r\n", "|0|0|0;"}, {"\xEF\xBB\xBF", "|0|0|0;"}})
    EXPECT_EQ(Show(bytes), expected) << bytes;
}

TEST(CityListReads, Encoding) {
  for (const auto& [bytes, expected] : std::initializer_list<Reads>{
      {"\xEF\xBB\xBF\"J\xC3\xA9 \xE2\x80\x93\",1,2,3", "J\xC3\xA9 \xE2\x80\x93|1|2|3;"},
      {"J\xC3\xA9,1,2,3", "J\xC3\xA9|1|2|3;"},                    // valid UTF-8
      {"J\xE9\x80,1,2,3", "J\xC3\xA9\xE2\x82\xAC|1|2|3;"},        // Windows-1252
      {"\xC3\xA9\xE9,1,2,3", "\xC3\x83\xC2\xA9\xC3\xA9|1|2|3;"},  // one stray byte
      {"\xEF\xBB\xBF\xC3\xA9\xE9\xED\xA0\x80,1,2,3",
       "\xC3\xA9\xC3\xA9\xC3\xAD\xC2\xA0\xE2\x82\xAC|1|2|3;"},
      {"A\x01\x7F\x00\x81Z,1,2,3"s, "A    Z|1|2|3;"},  // controls: blanks
      {"A\xC2\x85Z,1,2,3", "A Z|1|2|3;"}})
    EXPECT_EQ(Show(bytes), expected) << bytes;
}

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
