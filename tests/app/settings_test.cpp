#include "app/settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace qov::settings {
namespace {

struct WriteCase {
  double value;
  int digits;
  const char* text;
};

class SignedBlankForm : public testing::TestWithParam<WriteCase> {};

TEST_P(SignedBlankForm, WritesTheRuntimeText) {
  EXPECT_EQ(SignedBlank(GetParam().value, GetParam().digits), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SignedBlankForm,
    testing::Values(WriteCase{2, 15, " 2"}, WriteCase{19.0, 15, " 19"}, WriteCase{-6.15, 15, "-6.15"},
                    WriteCase{0.5, 15, " .5"}, WriteCase{-0.5, 15, "-.5"}, WriteCase{0, 15, " 0"},
                    WriteCase{106.816, 15, " 106.816"}, WriteCase{1e15, 15, " 1E+15"},
                    WriteCase{0.0001, 15, " .0001"}, WriteCase{1e-5, 15, " 1E-05"},
                    // Window geometry is single precision: 7 digits.
                    WriteCase{static_cast<float>(3195.0f), 7, " 3195"},
                    WriteCase{static_cast<float>(1234.5678f), 7, " 1234.568"},
                    WriteCase{static_cast<float>(-150.0f), 7, "-150"},
                    WriteCase{std::numeric_limits<double>::quiet_NaN(), 15, " 0"}));

struct ReadCase {
  const char* text;
  double value;
};

class LenientReader : public testing::TestWithParam<ReadCase> {};

TEST_P(LenientReader, ReadsLeadingNumber) { EXPECT_DOUBLE_EQ(Val(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(
    Examples, LenientReader,
    testing::Values(ReadCase{" 2", 2}, ReadCase{" 19", 19}, ReadCase{"-6.15", -6.15},
                    ReadCase{" .5", 0.5}, ReadCase{"-6,15", -6}, ReadCase{"7abc", 7},
                    ReadCase{"", 0}, ReadCase{"abc", 0}, ReadCase{"1 2\t3\n4", 1234},
                    ReadCase{"- 5", -5}, ReadCase{"1e3", 1000}, ReadCase{"2D2", 200},
                    ReadCase{"5E", 5}, ReadCase{"&H10", 16}, ReadCase{"&O17", 15},
                    ReadCase{"&HFFFF", -1}, ReadCase{"+3", 3}, ReadCase{"--3", 0},
                    // An overflowing exponent never yields infinity, however it is padded.
                    ReadCase{"1e999999", 0}, ReadCase{"1e400", 0}, ReadCase{".", 0},
                    ReadCase{"1e0000000000000000400", 0}, ReadCase{"1e-00000000000000000400", 0},
                    ReadCase{"0e99999999999", 0}));

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
class ReaderAgreement : public testing::TestWithParam<std::string> {};

TEST_P(ReaderAgreement, StrictAndLenientReadingsAgree) {
  const std::optional<double> strict = StrictNumber(GetParam());
  ASSERT_TRUE(strict.has_value());
  EXPECT_EQ(Val(GetParam()), *strict);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReaderAgreement,
    testing::Values("-6.15", " 12 ", "+.5", "1e0000001", "-2.5E-0000002", "8.0e+00000000000001",
                    "0.00000000000000000000000000000000000000001e40"));

}  // namespace
}  // namespace qov::settings
