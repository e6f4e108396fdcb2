#include "settings/table.h"

#include <algorithm>
#include <cmath>

#include "engine/numeric.h"
#include "platform/i18n.h"
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
  const std::string label = i18n::Tr(s.label ? s.label : s.key);
  if (s.type == Type::kText) return i18n::Fill("{1} harus diisi.", {label});
  const Range& r = s.range;
  const char* pattern = r.step == 1 ? (r.open ? N_("{1} harus bilangan bulat lebih dari {2} dan kurang dari {3}")
                                              : N_("{1} harus bilangan bulat antara {2} dan {3}"))
                                    : (r.open ? N_("{1} harus lebih dari {2} dan kurang dari {3}")
                                              : N_("{1} harus antara {2} dan {3}"));
  std::string m = i18n::Fill(pattern, {label, PlainNumber(r.min), PlainNumber(r.max)});
  if (s.unit) m += std::string(" ") + i18n::Tr(s.unit);
  if (r.step == 0.25) m += i18n::Tr(", dalam kelipatan seperempat jam");
  return m + ".";
}

}  // namespace qov::settings
