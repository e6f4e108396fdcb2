// Turning a raw registry value into the settings store's text. The store
// holds REG_SZ values the program wrote itself, but the registry is the
// user's to edit: a value of another type, an oversized blob or a string
// without its terminator must read as "missing", never as garbage or a
// crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/services.h"

namespace qov::desktop {

inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;

// `data` holds `size` bytes of UTF-16LE as RegQueryValueEx returned them.
// Gives the UTF-8 text up to the first NUL; "" for a non-string type or a
// value over SettingsStore::kMaxValueBytes. An odd trailing byte is dropped.
std::string DecodeRegString(uint32_t type, const uint8_t* data, size_t size);

}  // namespace qov::desktop
