#include "backends/common/reg_value.h"

#include <string_view>

#include "platform/utf.h"

namespace qov::desktop {

std::string DecodeRegString(uint32_t type, const uint8_t* data, size_t size) {
  if (type != kRegSz && type != kRegExpandSz) return {};
  if (size > SettingsStore::kMaxValueBytes || (size > 0 && !data)) return {};
  std::u16string units;
  units.reserve(size / 2);
  for (size_t k = 0; k + 1 < size; k += 2) {
    const char16_t u = static_cast<char16_t>(data[k] | (data[k + 1] << 8));
    if (u == 0) break;
    units.push_back(u);
  }
  return Utf16ToUtf8(std::u16string_view(units));
}

}  // namespace qov::desktop
