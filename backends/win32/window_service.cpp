#include "backends/win32/window_service.h"

#include "backends/win32/win.h"

namespace qov::win32 {

namespace {

// A form without a live window has nothing to change.
HWND WindowOf(const ui::Form& form) {
  HWND w = ToHwnd(form.hWnd());
  return w && IsWindow(w) ? w : nullptr;
}

// Neither the stacking order nor the frame is reason to take the keyboard:
// the clock is activated only by the user's click (the menus that lead here
// made it the foreground window already), and a window disabled under a
// modal box must not take the keyboard from the box, which the user could
// then not dismiss with the keyboard.
constexpr UINT kKeepFocus = SWP_NOACTIVATE;

}  // namespace

void Win32WindowService::SetTopmost(ui::Form& form, bool on) {
  HWND w = WindowOf(form);
  if (!w) return;
  SetWindowPos(w, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | kKeepFocus);
}

void Win32WindowService::SetSizable(ui::Form& form, bool on) {
  HWND w = WindowOf(form);
  if (!w) return;
  const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
  SetWindowLongPtrW(w, GWL_STYLE, on ? (style | WS_THICKFRAME) : (style & ~static_cast<LONG_PTR>(WS_THICKFRAME)));
  // The frame is recomputed only when asked; the window's own handling of
  // the change then reports the new border to the model.
  SetWindowPos(w, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | kKeepFocus);
}

void Win32WindowService::SetRoundCorners(ui::Form& form, int ellipsePixels) {
  HWND w = WindowOf(form);
  if (!w) return;
  if (ellipsePixels <= 0) {
    SetWindowRgn(w, nullptr, TRUE);  // square corners again
    return;
  }
  RECT r;
  if (!GetWindowRect(w, &r)) return;
  const int width = r.right - r.left, height = r.bottom - r.top;
  // An empty region would hide the window altogether; a failed one leaves
  // it rectangular.
  if (width <= 0 || height <= 0) return;
  // The corners keep their look at any DPI. The region leaves out its last
  // row and column, so it reaches one pixel past the window's edge.
  const int ellipse = MulDiv(ellipsePixels, static_cast<int>(WindowDpi(w)), 96);
  AutoRegion region(CreateRoundRectRgn(0, 0, width + 1, height + 1, ellipse, ellipse));
  if (!region) return;
  if (SetWindowRgn(w, region.get(), TRUE)) region.release();  // the window owns it now
}

}  // namespace qov::win32
