// The text forms, the readers and the typed settings over a store.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>

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

TEST(Settings, TheDialogsPlaceReadsBackAsSaved) {
  memory::MemorySettings store;
  Settings s(store);
  const Location l{"Kota Baru", -3.3, 116.2, 8, 3, 1, 2, 18.5, 17};
  s.SaveLocation(l);
  const Location back = s.ReadLocation();
  EXPECT_EQ(back.city, l.city);
  EXPECT_EQ(std::make_tuple(back.latitude, back.longitude, back.timeZone, back.addDzuhur, back.addMaghrib,
                            back.mazhab, back.sudutFajar, back.sudutIsya),
            std::make_tuple(l.latitude, l.longitude, l.timeZone, l.addDzuhur, l.addMaghrib, l.mazhab,
                            l.sudutFajar, l.sudutIsya));
}

// The engine takes any school but 1 as Hanafi's; the reading says so.
TEST(Settings, AStoredSchoolOtherThanOneReadsAsHanafi) {
  const std::pair<const char*, int16_t> cases[] = {{"1", 1}, {"2", 2}, {"0", 2}, {"3", 2}, {"-1", 2}, {"x", 2}, {"40000", 2}};
  for (const auto& [stored, mazhab] : cases) {
    memory::MemorySettings store;
    store.values[{"Lokasi", "MazhabAshar"}] = stored;
    const Location l = Settings(store).ReadLocation();
    EXPECT_EQ(l.mazhab, mazhab) << stored;
    EXPECT_EQ(MethodOf(l).mazhab, mazhab == 1 ? engine::Mazhab::kShafii : engine::Mazhab::kHanafi) << stored;
  }
}

// An Isya angle the engine cannot take falls back to the latitude's.
TEST(Settings, AnUnusableIsyaAngleTakesTheLatitudesDefault) {
  Location l;
  for (double isya : {0.0, 9.0, 21.0, 1e9}) {
    l.sudutIsya = isya;
    EXPECT_EQ(MethodOf(l).isyaAngle, engine::DefaultIsyaAngle(l.latitude)) << isya;
  }
  l.sudutIsya = 17.5;  // halves to even
  EXPECT_EQ(MethodOf(l).isyaAngle, 18);
}

TEST(Settings, MissingOrUnreadablePopDelayAndVersionAreMendedAndStored) {
  for (const char* stored : {"", "0", "abc", "40000"}) {
    memory::MemorySettings store;
    store.values[{"Lokasi", "Pop Delay"}] = stored;
    store.values[{"Lokasi", "Versi Display"}] = stored;
    Settings s(store);
    EXPECT_EQ(s.ReadPopDelay(), kDefaultPopDelay) << stored;
    EXPECT_EQ(s.ReadDisplayVersion(), DisplayVersion::kFace) << stored;
    EXPECT_EQ(store.writes, (std::vector<std::string>{"Lokasi/Pop Delay= 5", "Lokasi/Versi Display= 1"}));
  }
}

}  // namespace
}  // namespace qov::settings
