// Drawing objects shared by every window, created on first use and reused:
// fonts per face, size, style and DPI; solid brushes per colour; the face
// pictures from the resources and their copies scaled to the size they are
// shown at, so a tick that only moves the hands never rescales a picture.
//
// Trim() runs at the start of a paint, when nothing is selected into any DC:
// caches that grew past their bound (a long resize drag makes a font and a
// scaled picture per step) are emptied then, never while in use.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "backends/win32/win.h"

namespace Gdiplus {
class Pen;
}

namespace qov::win32 {

class GdiCache {
 public:
  explicit GdiCache(HINSTANCE instance);
  ~GdiCache();
  GdiCache(const GdiCache&) = delete;
  GdiCache& operator=(const GdiCache&) = delete;

  void Trim();

  HFONT Font(const ui::Font& f, UINT dpi);
  HBRUSH Brush(COLORREF c);
  // The picture `id` scaled to w x h with good quality; null when the
  // resources hold no such picture.
  HBITMAP Picture(const std::string& id, int w, int h);
  // An anti-aliasing pen with round caps.
  Gdiplus::Pen* Pen(COLORREF c, int width);

  // A font for a native control, owned by the caller.
  static HFONT CreateFontFor(const ui::Font& f, UINT dpi);

 private:
  HBITMAP Original(const std::string& id);

  HINSTANCE instance_;
  std::map<std::tuple<std::string, int, bool, bool, UINT>, AutoFont> fonts_;
  std::map<COLORREF, AutoBrush> brushes_;
  std::map<std::string, AutoBitmap> originals_;
  std::map<std::tuple<std::string, int, int>, AutoBitmap> scaled_;
  std::map<std::pair<COLORREF, int>, std::unique_ptr<Gdiplus::Pen>> pens_;
};

}  // namespace qov::win32
