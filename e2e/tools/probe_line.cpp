#include "e2e/tools/probe_line.h"

#include <limits>

namespace qov::probe {

namespace {

void Append(std::string& out, std::string_view key, const Counter& c) {
  out += ' ';
  out += key;
  out += '=';
  out += c.supported ? std::to_string(c.value) : std::string("unsupported");
}

}  // namespace

std::string FormatProbeLine(const ProbeSample& s) {
  std::string out = "pid=" + std::to_string(s.pid);
  Append(out, "gdi", s.gdi);
  Append(out, "user", s.user);
  Append(out, "private", s.privateBytes);
  Append(out, "working", s.workingSet);
  return out;
}

std::optional<uint32_t> ParseProcessId(std::string_view text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  uint64_t v = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return std::nullopt;
    v = v * 10 + static_cast<uint64_t>(ch - '0');
  }
  if (v == 0 || v > std::numeric_limits<uint32_t>::max()) return std::nullopt;
  return static_cast<uint32_t>(v);
}

}  // namespace qov::probe
