// The resource probe's line and its process-id argument: a counter the
// system cannot give must never read as a flat zero, and a mistyped id must
// never probe some other process.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "e2e/tools/probe_line.h"

namespace qov::probe {
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

TEST(ProcessIdText, AcceptsOnlyPlainDecimalIds) {
  const std::pair<const char*, std::optional<uint32_t>> cases[] = {
      {"1", 1u}, {"0032", 32u}, {"4294967295", 4294967295u}, {"0", std::nullopt}, {"", std::nullopt},
      {"4294967296", std::nullopt},   // one past 32 bits
      {"99999999999", std::nullopt},  // would wrap if read leniently
      {"-1", std::nullopt}, {"+5", std::nullopt}, {" 5", std::nullopt}, {"5 ", std::nullopt},
      {"0x10", std::nullopt}, {"1e3", std::nullopt}, {"12a", std::nullopt}};
  for (const auto& [text, want] : cases) EXPECT_EQ(ParseProcessId(text), want) << '"' << text << '"';
}

}  // namespace
}  // namespace qov::probe
