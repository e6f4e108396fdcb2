// The lenient number reader and the readings built on it, on any text.
// Every stored setting and every typed box goes through these, so a text
// must never yield NaN or infinity, the 16-bit reading must be the number
// rounded half to even (or nothing when it does not fit), and a text that
// the strict reading accepts must read the same leniently: the dialog checks
// a box strictly, stores its raw text, and the next start reads that text
// back with Val.
#include "settings/settings.h"
#include "fuzz/fuzz_check.h"

namespace s = qov::settings;
using namespace qov::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(Text(data, size));

  const double v = s::Val(text);
  QOV_FUZZ_CHECK(std::isfinite(v), Shown(text) + " reads as " + Num(v));

  // Nearest integer, halves to the even one; nothing beyond 16 bits.
  const std::optional<int16_t> i16 = s::ValInt16(text);
  if (i16) {
    const double off = std::fabs(*i16 - v);
    QOV_FUZZ_CHECK(off <= 0.5, Shown(text) + ": " + Num(v) + " -> " + Num(*i16));
    QOV_FUZZ_CHECK(off < 0.5 || *i16 % 2 == 0, Shown(text) + ": half of " + Num(v) + " went odd");
  } else {
    // -32768.5 rounds to the even -32768; 32767.5 to 32768.
    QOV_FUZZ_CHECK(v < -32768.5 || v >= 32767.5, Line(Shown(text), v, "fits 16 bits, refused"));
  }

  QOV_FUZZ_CHECK(s::HasNumber(text) || v == 0, Shown(text) + ": no number, yet reads " + Num(v));

  // Reading stops at the first character that cannot continue the number.
  QOV_FUZZ_CHECK(s::Val(text + ",") == v, Shown(text) + " followed by a comma reads otherwise");

  const bool leadingDigit = !text.empty() && text[0] >= '0' && text[0] <= '9';
  if (leadingDigit)
    QOV_FUZZ_CHECK(s::Val("-" + text) == -v, Shown(text) + ": minus sign not symmetric");

  const std::optional<double> strict = s::StrictNumber(text);
  if (strict) {
    QOV_FUZZ_CHECK(std::isfinite(*strict) && *strict == v, Line(Shown(text), "is strictly", *strict, "but leniently", v));
    if (leadingDigit) {
      const std::optional<double> negated = s::StrictNumber("-" + text);
      QOV_FUZZ_CHECK(negated && *negated == -*strict, Shown(text) + ": strict minus not symmetric");
    }
  }
  return 0;
}
