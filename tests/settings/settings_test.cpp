// The text forms, the readers and the typed settings over a store.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/support/memory_platform.h"

namespace qov::settings {
namespace {

TEST(SignedBlankForm, WritesTheRuntimeText) {
  const std::tuple<double, int, const char*> cases[] = {
      {2, 15, " 2"}, {-6.15, 15, "-6.15"}, {0.5, 15, " .5"}, {-0.5, 15, "-.5"}, {0, 15, " 0"},
      {106.816, 15, " 106.816"}, {1e15, 15, " 1E+15"}, {0.0001, 15, " .0001"}, {1e-5, 15, " 1E-05"},
      // Window geometry is single precision: 7 digits.
      {3195.0f, 7, " 3195"}, {1234.5678f, 7, " 1234.568"}, {-150.0f, 7, "-150"},
      {std::numeric_limits<double>::quiet_NaN(), 15, " 0"}};
  for (const auto& [value, digits, text] : cases) EXPECT_EQ(SignedBlank(value, digits), text) << value;
  EXPECT_EQ(PlainNumber(-6.2) + PlainNumber(-0.25) + PlainInt(-32768), "-6.2-0.25-32768");
}

// The store's reader takes the leading number and never fails; 16-bit
// fields round half to even and report overflow.
TEST(LenientReader, ReadsTheLeadingNumberAndNeverFails) {
  const std::pair<const char*, double> cases[] = {
      {" 2", 2}, {"-6.15", -6.15}, {" .5", 0.5}, {"-6,15", -6}, {"7abc", 7}, {"", 0}, {"abc", 0},
      {"1 2\t3\n4", 1234}, {"- 5", -5}, {"1e3", 1000}, {"2D2", 200}, {"5E", 5}, {"&H10", 16}, {"&O17", 15},
      {"&HFFFF", -1}, {"+3", 3}, {"--3", 0}, {"nan", 0}, {"inf", 0},
      // An overflowing exponent never yields infinity, however it is padded.
      {"1e999999", 0}, {"1e400", 0}, {".", 0}, {"1e0000000000000000400", 0}, {"0e99999999999", 0}};
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(Val(text), value) << text;
  EXPECT_EQ(std::make_pair(HasNumber("abc"), HasNumber(" 0")), std::make_pair(false, true));
  const std::pair<const char*, std::optional<int16_t>> whole[] = {
      {"5.5", 6}, {"6.5", 6}, {"2.5", 2}, {"-32768", -32768}, {"32767.4", 32767},
      {"32767.5", std::nullopt}, {"99999999999", std::nullopt}};
  for (const auto& [text, value] : whole) EXPECT_EQ(ValInt16(text), value) << text;
}

TEST(StrictReader, AcceptsOnlyAWholeNumber) {
  const std::pair<const char*, std::optional<double>> cases[] = {
      {" -6.2 ", -6.2}, {".5", 0.5}, {"1e2", 100}, {"", {}}, {" ", {}}, {"-", {}}, {"6,2", {}}, {"7 jam", {}},
      {"abc", {}}, {"1e", {}}, {"nan", {}}, {"inf", {}}, {"1e999", {}}, {"1 2", {}}};
  for (const auto& [text, value] : cases) EXPECT_EQ(StrictNumber(text), value) << text;
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
// row says: absent, held to the range, or kept. Rules read as their place
// among the dialog's choices (0 automatic, 3 the twilight angle).
TEST(Settings, EachStoredValueFallsBackAsItsRowSays) {
  const struct {
    const Setting& row;
    const char* stored;
    double reads;
  } cases[] = {
      {kMazhab, "1", 1}, {kMazhab, "0", 2}, {kMazhab, "3", 2}, {kMazhab, "x", 2}, {kMazhab, "40000", 2},
      {kTimeZone, "5.3", 5.25}, {kTimeZone, "40000", 0}, {kAddShubuh, "99999", 0}, {kAddIsya, "2.5", 2},
      {kHijriCorrection, "7", 2}, {kHijriCorrection, "-9", -2}, {kElevation, "6000", 6000}, {kElevation, "6001", 0},
      {kElevation, "-501", 0}, {kElevation, "tinggi", 0}, {kIsyaAngle, "1e20", 1e20}, {kHighLatitude, "", 0},
      {kHighLatitude, "3", 3}, {kHighLatitude, "4", 0}, {kHighLatitude, "-1", 0}, {kMethod, "2", 0}};
  for (const auto& k : cases) {
    memory::MemorySettings store;
    store.values[{"Lokasi", k.row.key}] = k.stored;
    EXPECT_EQ(k.row.field.get(Settings(store).ReadLocation()), k.reads) << k.row.key << " " << k.stored;
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
