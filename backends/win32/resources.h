// Names of the resources in qov.rc.
#pragma once

namespace qov::win32 {

inline constexpr const wchar_t* kMainIconName = L"MAINICON";

}  // namespace qov::win32
