#include "settings/table.h"

#include <algorithm>
#include <cmath>

#include "engine/numeric.h"
#include "settings/settings.h"

namespace qov::settings {
namespace {

bool Inside(const Range& r, double v) { return r.open ? v > r.min && v < r.max : v >= r.min && v <= r.max; }

}  // namespace

bool Setting::InRange(double v) const {
  if (type != Type::kWhole) return Inside(range, v);
  const std::optional<int16_t> whole = ToInt16(v);
  return whole && Inside(range, *whole);
}

bool Setting::OnStep(double v) const { return range.step == 0 || std::fmod(v, range.step) == 0; }

double Setting::Read(const std::string& stored) const {
  double v = 0;
  switch (type) {
    case Type::kText:
      return 0;
    case Type::kFlag:
      return stored.empty() ? absent : Val(stored) != 0;
    case Type::kZone:
      v = ReadZone(stored).value_or(absent);
      break;
    case Type::kWhole: {
      const std::optional<int16_t> whole = ValInt16(stored);
      v = whole ? *whole : absent;
      break;
    }
    case Type::kNumber:
    case Type::kSingle:
      v = Val(stored);
      break;
  }
  if (beyond == Beyond::kKept || Inside(range, v)) return v;
  return beyond == Beyond::kHeld ? std::clamp(v, range.min, range.max) : absent;
}

std::string Setting::Text(double v, bool firstRun) const {
  if (firstRun) return SignedBlank(v);
  switch (form) {
    case TextForm::kSignedBlank:
      return SignedBlank(v, type == Type::kSingle ? 7 : 15);
    case TextForm::kPlain:
      return type == Type::kWhole ? PlainInt(static_cast<long>(v)) : PlainNumber(v);
    case TextForm::kFlag:
      return v != 0 ? "-1" : "0";
    case TextForm::kText:
      break;
  }
  return {};
}

std::string RefusalMessage(const Setting& s) {
  const std::string label = s.label ? s.label : s.key;
  if (s.type == Type::kText) return label + " harus diisi.";
  const Range& r = s.range;
  std::string m = label + " harus " + (r.step == 1 ? "bilangan bulat " : "");
  m += r.open ? "lebih dari " + PlainNumber(r.min) + " dan kurang dari " + PlainNumber(r.max)
              : "antara " + PlainNumber(r.min) + " dan " + PlainNumber(r.max);
  if (s.unit) m += std::string(" ") + s.unit;
  if (r.step == 0.25) m += ", dalam kelipatan seperempat jam";
  return m + ".";
}

}  // namespace qov::settings
