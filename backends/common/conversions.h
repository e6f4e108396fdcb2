// The small calculations between the system's numbers and the model's: the
// local time as a date-time value, font heights per DPI, the sizing border,
// pixels reported back as twips, and the program's folder from its path.
#pragma once

#include <cstdint>
#include <string>

#include "backends/common/geometry.h"

namespace qov::desktop {

// GetLocalTime's fields as days since 1899-12-30, milliseconds included.
double DateTimeFromLocal(int year, int month, int day, int hour, int minute, int second, int ms);

// A font's cell height in pixels for a size in points at `dpi` (96 when the
// system reports none). Sizes that are not numbers, not positive or absurd
// give a small but usable font instead of a failing one.
int FontHeightPx(float points, unsigned dpi);

inline float TwipsPerPixel(unsigned dpi) { return 1440.0f / static_cast<float>(dpi ? dpi : 96); }

// The frame thickness on each side from the outer and client sizes.
struct Border {
  int x = 0, y = 0;
  bool operator==(const Border&) const = default;
};
Border BorderOf(int outerW, int outerH, int clientW, int clientH);

// A window rectangle the system reports, in the model's twips.
struct TwipsRect {
  float left = 0, top = 0, width = 0, height = 0;
};
TwipsRect ToTwips(const PxRect& r, Scale s);

// The folder of the program from its full path: everything before the last
// separator, with the drive's root keeping its separator ("C:\"). Empty
// when the path has no folder.
template <typename String>
String FolderOf(const String& path) {
  const auto slash = path.find_last_of(String{static_cast<typename String::value_type>('\\'),
                                              static_cast<typename String::value_type>('/')});
  if (slash == String::npos) return String();
  String folder = path.substr(0, slash);
  if (folder.size() == 2 && folder[1] == static_cast<typename String::value_type>(':')) folder.push_back(path[slash]);
  return folder;
}

}  // namespace qov::desktop
