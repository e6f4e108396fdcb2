// Painting: one PaintContent for WM_PAINT and WM_PRINTCLIENT draws the
// dirty rectangle into a back buffer and copies it to the screen in one
// blit, so the hands never flicker over the face.
#include "backends/win32/form_window.h"

#include <gdiplus.h>

#include "backends/win32/platform.h"

namespace qov::win32 {

namespace {

RECT ToRect(const PxRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

LRESULT FormWindow::OnPaint() {
  ScopedPaint paint(hwnd_);
  if (paint.dc()) PaintContent(paint.dc(), paint.rect());
  return 0;
}

bool FormWindow::EnsureBackBuffer(HDC reference, int w, int h) {
  if (backDc_ && backW_ == w && backH_ == h) return true;
  ReleaseBackBuffer();
  backDc_.reset(CreateCompatibleDC(reference));
  backBitmap_.reset(CreateCompatibleBitmap(reference, w, h));
  if (!backDc_ || !backBitmap_) {
    ReleaseBackBuffer();
    return false;
  }
  backOld_ = SelectObject(backDc_.get(), backBitmap_.get());
  backW_ = w;
  backH_ = h;
  return true;
}

void FormWindow::ReleaseBackBuffer() {
  // The bitmap leaves the DC before either is deleted: a selected bitmap
  // cannot be freed.
  if (backDc_ && backOld_) SelectObject(backDc_.get(), backOld_);
  backOld_ = nullptr;
  backDc_.reset();
  backBitmap_.reset();
  backW_ = backH_ = 0;
}

void FormWindow::PaintContent(HDC hdc, const RECT& rc) {
  if (!form_ || !hwnd_) return;
  const PxRect client = ClientPx();
  const PxRect dirty = Intersect({rc.left, rc.top, rc.right, rc.bottom}, client);
  if (dirty.empty()) return;
  GdiCache& gdi = platform_.gdi();
  gdi.Trim();
  const RECT d = ToRect(dirty);
  if (!EnsureBackBuffer(hdc, client.right, client.bottom)) {
    FillRect(hdc, &d, gdi.Brush(GetSysColor(COLOR_BTNFACE)));
    return;
  }
  HDC dc = backDc_.get();
  {
    ScopedSaveDc save(dc);
    IntersectClipRect(dc, d.left, d.top, d.right, d.bottom);
    // The system's window-background colour shows wherever no control is.
    FillRect(dc, &d, gdi.Brush(GetSysColor(COLOR_BTNFACE)));
    SetBkMode(dc, TRANSPARENT);
    ForEachInPaintOrder(*form_, [&](const ui::Control& c) { DrawControl(dc, c, dirty); });
  }
  BitBlt(hdc, d.left, d.top, d.right - d.left, d.bottom - d.top, dc, d.left, d.top, SRCCOPY);
}

void FormWindow::DrawControl(HDC dc, const ui::Control& c, const PxRect& dirty) {
  const Scale s = scale();
  const PxRect client = ClientPx();
  const PxRect drawn = DrawnRectPx(c, s, client);
  damage_.Drawn(c, drawn);
  if (Intersect(drawn, dirty).empty()) return;
  Cached& cache = cache_[&c];
  const PxRect clip = Intersect(ClipRectPx(c, s, client), dirty);
  ScopedSaveDc save(dc);
  IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  switch (c.kind()) {
    case ui::Kind::Label:
      DrawLabel(dc, c, cache, ControlRectPx(c, s));
      break;
    case ui::Kind::Frame:
      DrawFrame(dc, c, cache, ControlRectPx(c, s));
      break;
    case ui::Kind::PictureBox:
      DrawPicture(dc, c, ControlRectPx(c, s));
      break;
    case ui::Kind::Line:
      DrawLine(dc, c, clip);
      break;
    default:
      break;  // native controls draw themselves
  }
}

const std::wstring& FormWindow::TextOf(const ui::Control& c, Cached& cache) {
  if (cache.textStale) {
    cache.text = Wide(c.text());
    cache.textStale = false;
  }
  return cache.text;
}

void FormWindow::DrawLabel(HDC dc, const ui::Control& c, Cached& cache, const PxRect& r) {
  GdiCache& gdi = platform_.gdi();
  RECT rc = ToRect(r);
  if (!c.transparent()) FillRect(dc, &rc, gdi.Brush(BackColor(c.backColor())));
  const std::wstring& text = TextOf(c, cache);
  if (text.empty()) return;
  ScopedSelect font(dc, gdi.Font(c.font(), dpi_));
  SetTextColor(dc, TextColor(c.foreColor()));
  UINT format = DT_NOPREFIX | DT_WORDBREAK;
  format |= c.alignment() == ui::Align::Center ? DT_CENTER : c.alignment() == ui::Align::Right ? DT_RIGHT : DT_LEFT;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, format);
}

void FormWindow::DrawFrame(HDC dc, const ui::Control& c, Cached& cache, const PxRect& r) {
  GdiCache& gdi = platform_.gdi();
  const RECT rc = ToRect(r);
  const COLORREF back = BackColor(c.backColor());
  FillRect(dc, &rc, gdi.Brush(back));
  const std::wstring& caption = TextOf(c, cache);
  if (caption.empty()) return;  // a plain panel has no border
  ScopedSelect font(dc, gdi.Font(c.font(), dpi_));
  SIZE ext{0, 0};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &ext);
  const COLORREF fore = TextColor(c.foreColor());
  // A thin border from the middle of the caption down, like a group box,
  // with the caption at the top left breaking the line.
  const RECT border{rc.left, rc.top + ext.cy / 2, rc.right, rc.bottom};
  FrameRect(dc, &border, gdi.Brush(fore));
  const int inset = MulDiv(8, static_cast<int>(dpi_), 96);
  const int pad = MulDiv(2, static_cast<int>(dpi_), 96);
  RECT text{rc.left + inset, rc.top, std::min<LONG>(rc.right, rc.left + inset + ext.cx + 2 * pad), rc.top + ext.cy};
  FillRect(dc, &text, gdi.Brush(back));
  SetTextColor(dc, fore);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_NOPREFIX | DT_SINGLELINE | DT_CENTER);
}

void FormWindow::DrawPicture(HDC dc, const ui::Control& c, const PxRect& r) {
  GdiCache& gdi = platform_.gdi();
  const RECT rc = ToRect(r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HBITMAP picture = gdi.Picture(c.picture(), w, h);
  if (!pictureDc_) pictureDc_.reset(CreateCompatibleDC(dc));
  if (!picture || !pictureDc_) {
    FillRect(dc, &rc, gdi.Brush(BackColor(c.backColor())));
    return;
  }
  ScopedSelect select(pictureDc_.get(), picture);
  BitBlt(dc, r.left, r.top, w, h, pictureDc_.get(), 0, 0, SRCCOPY);
}

void FormWindow::DrawLine(HDC dc, const ui::Control& c, const PxRect& clip) {
  const PxLine l = LinePx(c, scale());
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  // Whole coordinates are pixel edges, as in the face pictures' geometry.
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  g.SetClip(Gdiplus::Rect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top));
  g.DrawLine(platform_.gdi().Pen(TextColor(c.borderColor()), LineWidthPx(c, scale())), l.x1, l.y1, l.x2, l.y2);
}

}  // namespace qov::win32
