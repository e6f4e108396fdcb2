// The text forms, the readers and the typed settings over a store.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>
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
  const struct {
    double value;
    int digits;
    const char* text;
  } cases[] = {{2, 15, " 2"}, {-6.15, 15, "-6.15"}, {0.5, 15, " .5"}, {-0.5, 15, "-.5"}, {0, 15, " 0"},
               {106.816, 15, " 106.816"}, {1e15, 15, " 1E+15"}, {0.0001, 15, " .0001"}, {1e-5, 15, " 1E-05"},
               // Window geometry is single precision: 7 digits.
               {3195.0f, 7, " 3195"}, {1234.5678f, 7, " 1234.568"}, {-150.0f, 7, "-150"},
               {std::numeric_limits<double>::quiet_NaN(), 15, " 0"}};
  for (const auto& k : cases) EXPECT_EQ(SignedBlank(k.value, k.digits), k.text) << k.value;
  EXPECT_EQ(PlainNumber(-6.2), "-6.2");
  EXPECT_EQ(PlainNumber(-0.25), "-0.25");
  EXPECT_EQ(PlainInt(-32768), "-32768");
}

TEST(LenientReader, ReadsTheLeadingNumberAndNeverFails) {
  const std::pair<const char*, double> cases[] = {
      {" 2", 2}, {"-6.15", -6.15}, {" .5", 0.5}, {"-6,15", -6}, {"7abc", 7}, {"", 0}, {"abc", 0},
      {"1 2\t3\n4", 1234}, {"- 5", -5}, {"1e3", 1000}, {"2D2", 200}, {"5E", 5}, {"&H10", 16}, {"&O17", 15},
      {"&HFFFF", -1}, {"+3", 3}, {"--3", 0}, {"nan", 0}, {"inf", 0},
      // An overflowing exponent never yields infinity, however it is padded.
      {"1e999999", 0}, {"1e400", 0}, {".", 0}, {"1e0000000000000000400", 0}, {"0e99999999999", 0}};
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(Val(text), value) << text;
  EXPECT_FALSE(HasNumber("abc"));
  EXPECT_TRUE(HasNumber(" 0"));
}

TEST(LenientReader, SixteenBitFieldsRoundHalfToEvenAndReportOverflow) {
  const std::pair<const char*, std::optional<int16_t>> cases[] = {
      {"5.5", 6}, {"6.5", 6}, {"2.5", 2}, {"-32768", -32768}, {"32767.4", 32767},
      {"32767.5", std::nullopt}, {"99999999999", std::nullopt}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ValInt16(text), value) << text;
}

TEST(StrictReader, AcceptsOnlyAWholeNumber) {
  EXPECT_EQ(StrictNumber(" -6.2 "), -6.2);
  EXPECT_EQ(StrictNumber(".5"), 0.5);
  EXPECT_EQ(StrictNumber("1e2"), 100);
  for (const char* bad : {"", " ", "-", "6,2", "7 jam", "abc", "1e", "nan", "inf", "1e999", "1 2"})
    EXPECT_EQ(StrictNumber(bad), std::nullopt) << bad;
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
// ones signed-blank or as a flag; and they read back as saved.
TEST(Settings, SavesEachValueInItsFormAndReadsItBack) {
  memory::MemorySettings store;
  Settings s(store);
  const Location l{"Kota Baru", -3.3, 116.2, 5.75, 3, -1, 2, 18.5, 17, 1, -2, 4, -1,
                   true, -430, true, engine::HighLatitudeRule::kTwilightAngle};
  s.SaveLocation(l);
  EXPECT_EQ(store.writes, (std::vector<std::string>{
                              "Lokasi/AddDhuhur=3", "Lokasi/AddMaghrib=-1", "Lokasi/MazhabAshar=2",
                              "Lokasi/sudutFajar=18.5", "Lokasi/sudutIsya=17", "Lokasi/Kota=Kota Baru",
                              "Lokasi/LAT=-3.3", "Lokasi/LONG=116.2", "Lokasi/Time ZOne=5.75", "Lokasi/AddShubuh= 1",
                              "Lokasi/AddAshar=-2", "Lokasi/AddIsya= 4", "Lokasi/Koreksi Hijriah=-1", "Lokasi/Metode= 1",
                              "Lokasi/Lintang Tinggi= 3", "Lokasi/Ketinggian=-430", "Lokasi/Ikuti Zona Windows=-1"}));
  const Location back = s.ReadLocation();
  EXPECT_EQ(std::tie(back.city, back.latitude, back.longitude, back.timeZone, back.addDzuhur, back.addMaghrib,
                     back.mazhab, back.sudutFajar, back.sudutIsya, back.addShubuh, back.addAshar, back.addIsya,
                     back.hijriCorrection, back.kemenag, back.elevation, back.followSystemZone, back.highLatitude),
            std::tie(l.city, l.latitude, l.longitude, l.timeZone, l.addDzuhur, l.addMaghrib, l.mazhab, l.sudutFajar,
                     l.sudutIsya, l.addShubuh, l.addAshar, l.addIsya, l.hijriCorrection, l.kemenag, l.elevation,
                     l.followSystemZone, l.highLatitude));
  // Back to what their absence means, the later values stay stored.
  store.writes.clear();
  s.SaveLocation(Location{});
  EXPECT_EQ(store.writes.size(), 17u);
}

// A stored value that cannot be read or lies beyond its range reads as its
// row says: absent, held to the range, or kept.
TEST(Settings, EachStoredValueFallsBackAsItsRowSays) {
  const struct {
    const char* key;
    const char* stored;
    double Location::*number;
    int16_t Location::*whole;
    double reads;
  } cases[] = {
      {"MazhabAshar", "1", nullptr, &Location::mazhab, 1},  {"MazhabAshar", "0", nullptr, &Location::mazhab, 2},
      {"MazhabAshar", "3", nullptr, &Location::mazhab, 2},  {"MazhabAshar", "x", nullptr, &Location::mazhab, 2},
      {"MazhabAshar", "40000", nullptr, &Location::mazhab, 2},
      {"Time ZOne", "5.3", &Location::timeZone, nullptr, 5.25}, {"Time ZOne", "40000", &Location::timeZone, nullptr, 0},
      {"AddShubuh", "99999", nullptr, &Location::addShubuh, 0}, {"AddIsya", "2.5", nullptr, &Location::addIsya, 2},
      {"Koreksi Hijriah", "7", nullptr, &Location::hijriCorrection, 2},
      {"Koreksi Hijriah", "-9", nullptr, &Location::hijriCorrection, -2},
      {"Ketinggian", "6000", &Location::elevation, nullptr, 6000}, {"Ketinggian", "6001", &Location::elevation, nullptr, 0},
      {"Ketinggian", "-501", &Location::elevation, nullptr, 0},   {"Ketinggian", "tinggi", &Location::elevation, nullptr, 0},
      {"sudutIsya", "1e20", &Location::sudutIsya, nullptr, 1e20},
  };
  for (const auto& k : cases) {
    memory::MemorySettings store;
    store.values[{"Lokasi", k.key}] = k.stored;
    const Location l = Settings(store).ReadLocation();
    EXPECT_EQ(k.number ? l.*k.number : l.*k.whole, k.reads) << k.key << " " << k.stored;
  }
  const std::pair<const char*, engine::HighLatitudeRule> rules[] = {
      {"", engine::HighLatitudeRule::kAuto}, {"1", engine::HighLatitudeRule::kMiddleOfNight},
      {"2", engine::HighLatitudeRule::kSeventhOfNight}, {"3", engine::HighLatitudeRule::kTwilightAngle},
      {"4", engine::HighLatitudeRule::kAuto}, {"-1", engine::HighLatitudeRule::kAuto}};
  for (const auto& [stored, rule] : rules) {
    memory::MemorySettings store;
    store.values[{"Lokasi", "Lintang Tinggi"}] = stored;
    EXPECT_EQ(Settings(store).ReadLocation().highLatitude, rule) << stored;
  }
}

// The engine takes any school but 1 as Hanafi's; an Isya angle it cannot
// take falls back to the latitude's (Jakarta's 18), halves to even.
TEST(Settings, TheEnginesMethodForAStoredLocation) {
  Location l;
  for (int16_t mazhab : {1, 2}) {
    l.mazhab = mazhab;
    EXPECT_EQ(MethodOf(l).mazhab, mazhab == 1 ? engine::Mazhab::kShafii : engine::Mazhab::kHanafi);
  }
  const std::pair<double, double> isya[] = {{0, 18}, {9, 18}, {21, 18}, {1e9, 18}, {17.5, 18}, {16.5, 16}, {20, 20}};
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
    EXPECT_EQ(s.ReadPopDelay(), 5) << stored;
    EXPECT_EQ(s.ReadDisplayVersion(), DisplayVersion::kFace) << stored;
    EXPECT_EQ(store.writes, (std::vector<std::string>{"Lokasi/Pop Delay= 5", "Lokasi/Versi Display= 1"}));
  }
}

}  // namespace
}  // namespace qov::settings
