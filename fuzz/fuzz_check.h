// Shared pieces of the fuzz targets: invariant checks that abort with a
// readable message (libFuzzer then saves the input as a crash), and the
// splitting of one input into several texts.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace qov::fuzz {

// The text with control and non-ASCII bytes escaped, for messages.
inline std::string Shown(std::string_view s) {
  std::string out = "\"";
  for (const char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b == '"' || b == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20 || b >= 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", b);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

inline std::string Num(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

[[noreturn]] inline void Fail(const char* file, int line, const char* condition,
                              const std::string& detail) {
  std::fprintf(stderr, "\n%s:%d: invariant broken: %s\n  %s\n", file, line, condition,
               detail.c_str());
  std::fflush(stderr);
  std::abort();
}

// Bit-exact equality that also holds for two NaNs of any payload.
inline bool Same(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || a == b;
}

// Texts separated by NUL bytes; n NULs give n + 1 texts.
inline std::vector<std::string> SplitOnNul(const uint8_t* data, size_t size) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      parts.emplace_back();
    else
      parts.back().push_back(static_cast<char>(data[i]));
  }
  return parts;
}

}  // namespace qov::fuzz

// Checked in every build type: the targets exist to find these.
#define QOV_FUZZ_CHECK(condition, detail)                                    \
  do {                                                                       \
    if (!(condition)) ::qov::fuzz::Fail(__FILE__, __LINE__, #condition, (detail)); \
  } while (0)
