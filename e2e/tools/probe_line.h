// The resource probe's pure part: reading its command line and writing the
// one-line sample the long-run script parses. Kept free of the system so a
// bad argument or an unmeasurable counter is handled the same everywhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qov::probe {

// A count the system could not give (Wine stubs the GUI-resource query).
struct Counter {
  bool supported = false;
  uint64_t value = 0;
};

struct ProbeSample {
  uint32_t pid = 0;
  Counter gdi;
  Counter user;
  Counter privateBytes;
  Counter workingSet;
};

// "pid=N gdi=N user=N private=N working=N"; an unmeasured counter is
// written as "unsupported" so a zero never passes for a flat count.
std::string FormatProbeLine(const ProbeSample& s);

// A process id as typed: decimal digits only, nonzero and within 32 bits.
// Anything else (sign, blanks, hex, overflow) is refused instead of being
// read leniently, since a misread id would probe some other process.
std::optional<uint32_t> ParseProcessId(std::string_view text);

}  // namespace qov::probe
