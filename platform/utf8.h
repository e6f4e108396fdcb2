// UTF-8 encoding, shared by the city-list reader (cp1252 to UTF-8) and the
// Win32 back end's UTF-16 conversions.
#pragma once

#include <string>

namespace qov {

// Appends one code point (at most U+10FFFF) in UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace qov
