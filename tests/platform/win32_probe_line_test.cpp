// The resource probe's line and its process-id argument: a counter the
// system cannot give must never read as a flat zero, and a mistyped id must
// never probe some other process.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/portable/probe_line.h"

namespace qov::win32 {
namespace {

TEST(ProbeLine, WritesEveryCounterAndMarksTheUnmeasured) {
  ProbeSample s;
  s.pid = 4242;
  s.gdi = {true, 0};  // a real zero stays a number
  s.user = {true, 37};
  s.privateBytes = {true, 18446744073709551615ull};
  EXPECT_EQ(FormatProbeLine(s), "pid=4242 gdi=0 user=37 private=18446744073709551615 working=unsupported");

  ProbeSample none;
  EXPECT_EQ(FormatProbeLine(none), "pid=0 gdi=unsupported user=unsupported private=unsupported working=unsupported");
}

struct IdCase {
  const char* text;
  std::optional<uint32_t> want;
};

class ProcessIdText : public ::testing::TestWithParam<IdCase> {};

TEST_P(ProcessIdText, AcceptsOnlyPlainDecimalIds) {
  EXPECT_EQ(ParseProcessId(GetParam().text), GetParam().want) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProcessIdText,
    ::testing::Values(IdCase{"1", 1u}, IdCase{"0032", 32u}, IdCase{"4294967295", 4294967295u},
                      IdCase{"0", std::nullopt}, IdCase{"", std::nullopt},
                      IdCase{"4294967296", std::nullopt},    // one past 32 bits
                      IdCase{"99999999999", std::nullopt},   // would wrap if read leniently
                      IdCase{"-1", std::nullopt}, IdCase{"+5", std::nullopt}, IdCase{" 5", std::nullopt},
                      IdCase{"5 ", std::nullopt}, IdCase{"0x10", std::nullopt}, IdCase{"1e3", std::nullopt},
                      IdCase{"12a", std::nullopt}));

}  // namespace
}  // namespace qov::win32
