#include "app/settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace qov::settings {
namespace {

TEST(SignedBlankForm, WritesTheRuntimeText) {
  const struct {
    double value;
    int digits;
    const char* text;
  } cases[] = {{2, 15, " 2"}, {19.0, 15, " 19"}, {-6.15, 15, "-6.15"}, {0.5, 15, " .5"}, {-0.5, 15, "-.5"},
               {0, 15, " 0"}, {106.816, 15, " 106.816"}, {1e15, 15, " 1E+15"}, {0.0001, 15, " .0001"},
               {1e-5, 15, " 1E-05"},
               // Window geometry is single precision: 7 digits.
               {3195.0f, 7, " 3195"}, {1234.5678f, 7, " 1234.568"}, {-150.0f, 7, "-150"},
               {std::numeric_limits<double>::quiet_NaN(), 15, " 0"}};
  for (const auto& k : cases) EXPECT_EQ(SignedBlank(k.value, k.digits), k.text) << k.value;
}

TEST(LenientReader, ReadsLeadingNumber) {
  const std::pair<const char*, double> cases[] = {
      {" 2", 2}, {" 19", 19}, {"-6.15", -6.15}, {" .5", 0.5}, {"-6,15", -6}, {"7abc", 7}, {"", 0}, {"abc", 0},
      {"1 2\t3\n4", 1234}, {"- 5", -5}, {"1e3", 1000}, {"2D2", 200}, {"5E", 5}, {"&H10", 16}, {"&O17", 15},
      {"&HFFFF", -1}, {"+3", 3}, {"--3", 0},
      // An overflowing exponent never yields infinity, however it is padded.
      {"1e999999", 0}, {"1e400", 0}, {".", 0}, {"1e0000000000000000400", 0}, {"1e-00000000000000000400", 0},
      {"0e99999999999", 0}};
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(Val(text), value) << text;
}

TEST(LenientReader, SixteenBitFieldsRoundHalfToEvenAndReportOverflow) {
  EXPECT_EQ(ValInt16("5.5"), 6);
  EXPECT_EQ(ValInt16("6.5"), 6);
  EXPECT_EQ(ValInt16("2.5"), 2);
  EXPECT_EQ(ValInt16("3.5"), 4);
  EXPECT_EQ(ValInt16("-32768"), -32768);
  EXPECT_EQ(ValInt16("32767.4"), 32767);
  EXPECT_EQ(ValInt16("32767.5"), std::nullopt);
  EXPECT_EQ(ValInt16("99999999999"), std::nullopt);
}

TEST(StrictReader, AcceptsOnlyAWholeNumber) {
  EXPECT_EQ(StrictNumber(" -6.2 "), -6.2);
  EXPECT_EQ(StrictNumber("7"), 7);
  EXPECT_EQ(StrictNumber(".5"), 0.5);
  EXPECT_EQ(StrictNumber("1e2"), 100);
  for (const char* bad : {"", " ", "-", "6,2", "7 jam", "abc", "1e", "nan", "inf", "1e999", "1 2",
                          "1e0000000000000000400"})
    EXPECT_EQ(StrictNumber(bad), std::nullopt) << bad;
}

TEST(TextForms, WrittenNumbersReadBackExactly) {
  for (double v : {-6.15, 106.816, 0.5, -0.25, 19.0, 1e-7, 123456789012345.0, -89.99999})
    EXPECT_DOUBLE_EQ(Val(SignedBlank(v)), v) << SignedBlank(v);
}

// A box that the dialog reads strictly is stored as typed and read back
// leniently at the next start: both readings must give the same number, or
// the place changes between one run and the next.
TEST(ReaderAgreement, StrictAndLenientReadingsAgree) {
  for (const char* text : {"-6.15", " 12 ", "+.5", "1e0000001", "-2.5E-0000002", "8.0e+00000000000001",
                           "0.00000000000000000000000000000000000000001e40"}) {
    const std::optional<double> strict = StrictNumber(text);
    ASSERT_TRUE(strict.has_value()) << text;
    EXPECT_EQ(Val(text), *strict) << text;
  }
}

}  // namespace
}  // namespace qov::settings
