// The text forms of stored and shown numbers, on any double, float and
// integer: each form reads back through the readers that meet it later. The
// signed-blank form is read by Val at the next start; the plain number shown
// in a dialog box is read strictly when the user presses OK unchanged; a
// 16-bit value written at the first run must come back as itself.
#include <fuzzer/FuzzedDataProvider.h>

#include <cfloat>

#include "settings/settings.h"
#include "fuzz/fuzz_check.h"

namespace s = qov::settings;
using namespace qov::fuzz;

namespace {

// x rounded to 15 significant digits, as a double.
double Fifteen(double x) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", x);
  return std::strtod(buf, nullptr);
}

bool NormalOrZero(double x) { return x == 0 || (std::isfinite(x) && std::fabs(x) >= DBL_MIN); }

// The shape every signed-blank text has: blank or minus, then digits with at
// most one point and no trailing zero after it, or the exponent form; a
// number between -1 and 1 without a zero before its point.
void CheckSignedBlankShape(const std::string& t, double x) {
  QOV_FUZZ_CHECK(t.size() >= 2 && (t[0] == ' ' || t[0] == '-'), Shown(t) + " for " + Num(x));
  QOV_FUZZ_CHECK((t[0] == '-') == (x < 0), Shown(t) + " sign for " + Num(x));
  const size_t e = t.find('E');
  const std::string mantissa = t.substr(1, e == std::string::npos ? std::string::npos : e - 1);
  const size_t point = mantissa.find('.');
  if (point != std::string::npos) {
    QOV_FUZZ_CHECK(mantissa.back() != '0' && mantissa.back() != '.', Shown(t) + " trailing zero");
    QOV_FUZZ_CHECK(mantissa.find('.', point + 1) == std::string::npos, Shown(t) + " two points");
  }
  QOV_FUZZ_CHECK(mantissa.rfind("0.", 0) != 0, Shown(t) + " has a zero before its point");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const auto x = std::bit_cast<double>(in.ConsumeIntegral<uint64_t>());
  const auto f = std::bit_cast<float>(in.ConsumeIntegral<uint32_t>());
  const int64_t whole = in.ConsumeIntegral<int64_t>();

  // Any double, NaN and infinities included: a text that reads back finite.
  const std::string sb = s::SignedBlank(x);
  const std::string pn = s::PlainNumber(x);
  QOV_FUZZ_CHECK(std::isfinite(s::Val(sb)), Shown(sb));
  QOV_FUZZ_CHECK(std::isfinite(s::Val(pn)), Shown(pn));
  if (!std::isfinite(x)) {
    QOV_FUZZ_CHECK(sb == " 0" && pn == "0", Shown(sb) + " " + Shown(pn) + " for " + Num(x));
    return 0;
  }
  CheckSignedBlankShape(sb, x);
  QOV_FUZZ_CHECK(!pn.empty() && pn[0] != ' ', Shown(pn) + " for " + Num(x));

  // Fifteen significant digits survive both forms exactly.
  const double x15 = Fifteen(x);
  if (NormalOrZero(x15)) {
    QOV_FUZZ_CHECK(s::Val(sb) == x15, Shown(sb) + " reads " + Num(s::Val(sb)) + ", not " + Num(x15));
    QOV_FUZZ_CHECK(s::SignedBlank(x15) == sb, Shown(sb) + " vs " + Shown(s::SignedBlank(x15)));
    QOV_FUZZ_CHECK(s::StrictNumber(pn) == x15, Shown(pn) + " is not strictly " + Num(x15));
    QOV_FUZZ_CHECK(s::Val(pn) == x15, Shown(pn) + " reads " + Num(s::Val(pn)));
  }

  // Window geometry: single precision, seven digits.
  if (std::isfinite(f)) {
    const std::string g = s::SignedBlank(f, 7);
    CheckSignedBlankShape(g, f);
    const double back = s::Val(g);
    const std::string why = Line(Shown(g), "reads", back, "for", f);
    // Half a unit in the seventh digit, relative to a leading digit of 1.
    QOV_FUZZ_CHECK(std::fabs(back - f) <= 5.0000001e-7 * std::fabs(f), why);
    if (f == std::trunc(f) && std::fabs(f) < 1e7f) QOV_FUZZ_CHECK(back == f, why);
  } else {
    QOV_FUZZ_CHECK(s::SignedBlank(f, 7) == " 0", Shown(s::SignedBlank(f, 7)));
  }

  // Integers: the plain form reads back exactly wherever a double holds it,
  // and every 16-bit value comes back through both forms the store uses.
  const std::string pi = s::PlainInt(static_cast<long>(whole));
  constexpr int64_t kExact = int64_t{1} << 53;
  if (whole > -kExact && whole < kExact) {
    QOV_FUZZ_CHECK(s::Val(pi) == static_cast<double>(whole), Shown(pi));
    QOV_FUZZ_CHECK(s::StrictNumber(pi) == static_cast<double>(whole), Shown(pi));
  }
  const auto i16 = static_cast<int16_t>(whole);
  QOV_FUZZ_CHECK(s::ValInt16(s::PlainInt(i16)) == i16, Shown(s::PlainInt(i16)));
  QOV_FUZZ_CHECK(s::ValInt16(s::SignedBlank(i16)) == i16, Shown(s::SignedBlank(i16)));
  return 0;
}
