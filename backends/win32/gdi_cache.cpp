#include "backends/win32/gdi_cache.h"

#include <gdiplus.h>

#include <cmath>

namespace qov::win32 {

namespace {

// Bounds past which a cache is emptied at the next Trim.
constexpr size_t kMaxFonts = 48;
constexpr size_t kMaxBrushes = 48;
constexpr size_t kMaxScaled = 8;
constexpr size_t kMaxPens = 24;
// Pictures are never shown bigger than a screen; a larger request is a
// broken geometry, not a reason to allocate gigabytes.
constexpr int kMaxPictureSide = 8192;

int SizeKey(float points) {
  return std::isfinite(points) ? static_cast<int>(std::lround(std::clamp(points, 0.0f, 2000.0f) * 100)) : 0;
}

}  // namespace

GdiCache::GdiCache(HINSTANCE instance) : instance_(instance) {}
GdiCache::~GdiCache() = default;

void GdiCache::Trim() {
  if (fonts_.size() > kMaxFonts) fonts_.clear();
  if (brushes_.size() > kMaxBrushes) brushes_.clear();
  if (scaled_.size() > kMaxScaled) scaled_.clear();
  if (pens_.size() > kMaxPens) pens_.clear();
}

HFONT GdiCache::CreateFontFor(const ui::Font& f, UINT dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -FontHeightPx(f.size, dpi);  // negative: the character height, not the cell's
  lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = f.underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  const std::wstring face = Wide(f.name.empty() ? std::string("Arial") : f.name);
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}

HFONT GdiCache::Font(const ui::Font& f, UINT dpi) {
  const auto key = std::make_tuple(f.name, SizeKey(f.size), f.bold, f.underline, dpi);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second.get();
  return fonts_.emplace(key, AutoFont(CreateFontFor(f, dpi))).first->second.get();
}

HBRUSH GdiCache::Brush(COLORREF c) {
  auto it = brushes_.find(c);
  if (it != brushes_.end()) return it->second.get();
  return brushes_.emplace(c, AutoBrush(CreateSolidBrush(c))).first->second.get();
}

HBITMAP GdiCache::Original(const std::string& id) {
  auto it = originals_.find(id);
  if (it != originals_.end()) return it->second.get();
  HBITMAP bmp = id.empty() ? nullptr
                           : static_cast<HBITMAP>(LoadImageW(instance_, Wide(id).c_str(), IMAGE_BITMAP, 0, 0,
                                                             LR_CREATEDIBSECTION));
  return originals_.emplace(id, AutoBitmap(bmp)).first->second.get();
}

HBITMAP GdiCache::Picture(const std::string& id, int w, int h) {
  if (w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide) return nullptr;
  const auto key = std::make_tuple(id, w, h);
  auto it = scaled_.find(key);
  if (it != scaled_.end()) return it->second.get();

  HBITMAP src = Original(id);
  if (!src) return nullptr;
  BITMAP info{};
  if (!GetObjectW(src, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0) return nullptr;
  const int srcW = info.bmWidth, srcH = std::abs(info.bmHeight);

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  AutoBitmap scaled(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!scaled) return nullptr;
  AutoDc dst(CreateCompatibleDC(nullptr));
  if (!dst) return nullptr;
  {
    ScopedSelect keepDst(dst.get(), scaled.get());
    Gdiplus::Status status = Gdiplus::GenericError;
    {
      Gdiplus::Bitmap image(src, nullptr);
      Gdiplus::Graphics g(dst.get());
      g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
      g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
      // Mirrored edges keep the bicubic filter from pulling black in from
      // outside the picture.
      Gdiplus::ImageAttributes wrap;
      wrap.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
      if (image.GetLastStatus() == Gdiplus::Ok)
        status = g.DrawImage(&image, Gdiplus::Rect(0, 0, w, h), 0, 0, srcW, srcH, Gdiplus::UnitPixel, &wrap);
    }
    if (status != Gdiplus::Ok) {
      AutoDc from(CreateCompatibleDC(nullptr));
      ScopedSelect keepSrc(from.get(), src);
      SetStretchBltMode(dst.get(), HALFTONE);
      SetBrushOrgEx(dst.get(), 0, 0, nullptr);
      StretchBlt(dst.get(), 0, 0, w, h, from.get(), 0, 0, srcW, srcH, SRCCOPY);
    }
  }
  return scaled_.emplace(key, std::move(scaled)).first->second.get();
}

Gdiplus::Pen* GdiCache::Pen(COLORREF c, int width) {
  const auto key = std::make_pair(c, width);
  auto it = pens_.find(key);
  if (it != pens_.end()) return it->second.get();
  auto pen = std::make_unique<Gdiplus::Pen>(Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)),
                                            static_cast<Gdiplus::REAL>(width));
  pen->SetStartCap(Gdiplus::LineCapRound);
  pen->SetEndCap(Gdiplus::LineCapRound);
  return pens_.emplace(key, std::move(pen)).first->second.get();
}

}  // namespace qov::win32
