// The text forms, the readers and the typed settings over a store.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/data_lines.h"
#include "tests/support/memory_platform.h"

namespace qov::settings {
namespace {

// The rows of one kind in data/number_forms.txt, without their kind.
std::vector<std::vector<std::string>> Rows(const std::string& kind) {
  std::vector<std::vector<std::string>> rows;
  for (auto& r : testing::DataRows("settings/data/number_forms.txt"))
    if (r.front() == kind) rows.emplace_back(r.begin() + 1, r.end());
  EXPECT_FALSE(rows.empty()) << kind;
  return rows;
}
std::optional<double> Number(const std::string& s) { return s == "none" ? std::nullopt : std::optional(std::stod(s)); }

TEST(SignedBlankForm, WritesTheRuntimeText) {
  for (const auto& r : Rows("signed")) EXPECT_EQ(SignedBlank(std::stod(r[0]), std::stoi(r[1])), r[2]) << r[0];
  EXPECT_EQ(PlainNumber(-6.2) + PlainNumber(-0.25) + PlainInt(-32768), "-6.2-0.25-32768");
}

// The store's reader takes the leading number and never fails; 16-bit
// fields round half to even and report overflow.
TEST(LenientReader, ReadsTheLeadingNumberAndNeverFails) {
  for (const auto& r : Rows("val")) EXPECT_DOUBLE_EQ(Val(r[0]), std::stod(r[1])) << r[0];
  EXPECT_EQ(std::make_pair(HasNumber("abc"), HasNumber(" 0")), std::make_pair(false, true));
  for (const auto& r : Rows("int16")) EXPECT_EQ(ValInt16(r[0]), Number(r[1])) << r[0];
}

TEST(StrictReader, AcceptsOnlyAWholeNumber) {
  for (const auto& r : Rows("strict")) EXPECT_EQ(StrictNumber(r[0]), Number(r[1])) << r[0];
}

// What is written reads back: the stored forms through Val, the dialog's
// texts both strictly and leniently.
TEST(TextForms, WrittenNumbersReadBackExactly) {
  for (double v : {-6.15, 106.816, 0.5, -0.25, 19.0, 1e-7, 123456789012345.0, -89.99999}) {
    EXPECT_DOUBLE_EQ(Val(SignedBlank(v)), v) << SignedBlank(v);
    EXPECT_EQ(StrictNumber(PlainNumber(v)), v) << PlainNumber(v);
  }
  for (const char* text : {"-6.15", " 12 ", "+.5", "1e0000001", "-2.5E-0000002", "8.0e+00000000000001"})
    EXPECT_EQ(Val(text), StrictNumber(text).value_or(-1)) << text;
}

// Every stored value in its text form: the original nine plain, the later
// ones signed-blank or as a flag. Read back and saved again, they write the
// same; saved as their absence, the stored ones are written still.
TEST(Settings, SavesEachValueInItsFormAndReadsItBack) {
  memory::MemorySettings store, again;
  Settings s(store);
  s.SaveLocation({"Kota Baru", -3.3, 116.2, 5.75, 3, -1, 2, 18.5, 17, 1, -2, 4, -1, true, -430, true,
                  engine::HighLatitudeRule::kTwilightAngle});
  EXPECT_EQ(store.writes, (std::vector<std::string>{
                              "Lokasi/AddDhuhur=3", "Lokasi/AddMaghrib=-1", "Lokasi/MazhabAshar=2",
                              "Lokasi/sudutFajar=18.5", "Lokasi/sudutIsya=17", "Lokasi/Kota=Kota Baru",
                              "Lokasi/LAT=-3.3", "Lokasi/LONG=116.2", "Lokasi/Time ZOne=5.75", "Lokasi/AddShubuh= 1",
                              "Lokasi/AddAshar=-2", "Lokasi/AddIsya= 4", "Lokasi/Koreksi Hijriah=-1", "Lokasi/Metode= 1",
                              "Lokasi/Lintang Tinggi= 3", "Lokasi/Ketinggian=-430", "Lokasi/Ikuti Zona Windows=-1"}));
  Settings(again).SaveLocation(s.ReadLocation());
  EXPECT_EQ(again.writes, store.writes);
  store.writes.clear();
  s.SaveLocation(Location{});
  EXPECT_EQ(store.writes.size(), 17u);
}

// A stored value that cannot be read or lies beyond its range reads as its
// row in data/number_forms.txt says.
TEST(Settings, EachStoredValueFallsBackAsItsRowSays) {
  for (const auto& r : Rows("stored")) {
    const auto row = std::find_if(std::begin(kLocationSettings), std::end(kLocationSettings),
                                  [&](const Setting* s) { return r[0] == s->key; });
    ASSERT_NE(row, std::end(kLocationSettings)) << r[0];
    memory::MemorySettings store;
    store.values[{"Lokasi", r[0]}] = r[1];
    EXPECT_EQ((*row)->field.get(Settings(store).ReadLocation()), std::stod(r[2])) << r[0] << " " << r[1];
  }
}

// The engine takes any school but 1 as Hanafi's; an Isya angle it cannot
// take falls back to the latitude's (Jakarta's 18), halves to even.
TEST(Settings, TheEnginesMethodForAStoredLocation) {
  Location l;
  l.mazhab = 2;
  EXPECT_EQ(std::make_pair(MethodOf(Location{}).mazhab, MethodOf(l).mazhab),
            std::make_pair(engine::Mazhab::kShafii, engine::Mazhab::kHanafi));
  const std::pair<double, double> isya[] = {{0, 18}, {9, 18}, {21, 18}, {1e9, 18}, {17.5, 18}, {16.5, 16}};
  for (const auto& [stored, used] : isya) {
    l.sudutIsya = stored;
    EXPECT_EQ(MethodOf(l).isyaAngle, used) << stored;
  }
}

TEST(Settings, MissingOrUnreadablePopDelayAndVersionAreMendedAndStored) {
  for (const char* stored : {"", "0", "abc", "40000"}) {
    memory::MemorySettings store;
    store.values[{"Lokasi", "Pop Delay"}] = stored;
    store.values[{"Lokasi", "Versi Display"}] = stored;
    Settings s(store);
    const int16_t delay = s.ReadPopDelay();
    EXPECT_EQ(std::make_pair(delay, s.ReadDisplayVersion()), std::make_pair(int16_t{5}, DisplayVersion::kFace));
    EXPECT_EQ(store.writes, (std::vector<std::string>{"Lokasi/Pop Delay= 5", "Lokasi/Versi Display= 1"}));
  }
}

}  // namespace
}  // namespace qov::settings
