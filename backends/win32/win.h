// The system headers and the small RAII layer every Win32 file uses. The
// clock repaints three times a second for days: a single leaked brush or
// font per paint exhausts the process's GDI quota within hours, so every
// handle and every selection has an owner that gives it back.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

// The services' method names match the system calls they wrap; the A/W
// switching macros would rename them in these files only. Every call below
// names its W function explicitly.
#undef MessageBox
#undef ChooseColor

#include <string>
#include <string_view>
#include <utility>

#include "backends/common/conversions.h"
#include "platform/model.h"
#include "platform/utf.h"

namespace qov::win32 {

// The helpers shared with the Qt back end are this back end's own vocabulary.
using namespace ::qov::desktop;

template <typename T, auto Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(T h) : h_(h) {}
  ~Owned() { reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& o) noexcept : h_(o.release()) {}
  Owned& operator=(Owned&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  T get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  T release() { return std::exchange(h_, nullptr); }
  void reset(T h = nullptr) {
    if (h_) Free(h_);
    h_ = h;
  }

 private:
  T h_ = nullptr;
};

inline void FreeGdi(HGDIOBJ h) { DeleteObject(h); }
inline void FreeDc(HDC h) { DeleteDC(h); }
inline void FreeMenu(HMENU h) { DestroyMenu(h); }
inline void FreeIcon(HICON h) { DestroyIcon(h); }
inline void FreeHandle(HANDLE h) { CloseHandle(h); }
inline void FreeKey(HKEY h) { RegCloseKey(h); }

using AutoFont = Owned<HFONT, FreeGdi>;
using AutoBrush = Owned<HBRUSH, FreeGdi>;
using AutoPen = Owned<HPEN, FreeGdi>;
using AutoBitmap = Owned<HBITMAP, FreeGdi>;
using AutoRegion = Owned<HRGN, FreeGdi>;
using AutoDc = Owned<HDC, FreeDc>;
using AutoMenu = Owned<HMENU, FreeMenu>;
using AutoIcon = Owned<HICON, FreeIcon>;
using AutoHandle = Owned<HANDLE, FreeHandle>;
using AutoKey = Owned<HKEY, FreeKey>;

// Selects an object into a DC and puts the previous one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  ~ScopedSelect() {
    if (old_) SelectObject(dc_, old_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Saves the DC's state (clip region, colours, modes) and restores it.
class ScopedSaveDc {
 public:
  explicit ScopedSaveDc(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  ~ScopedSaveDc() {
    if (id_) RestoreDC(dc_, id_);
  }
  ScopedSaveDc(const ScopedSaveDc&) = delete;
  ScopedSaveDc& operator=(const ScopedSaveDc&) = delete;

 private:
  HDC dc_;
  int id_;
};

class ScopedGetDc {
 public:
  explicit ScopedGetDc(HWND w) : w_(w), dc_(GetDC(w)) {}
  ~ScopedGetDc() {
    if (dc_) ReleaseDC(w_, dc_);
  }
  ScopedGetDc(const ScopedGetDc&) = delete;
  ScopedGetDc& operator=(const ScopedGetDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND w_;
  HDC dc_;
};

class ScopedPaint {
 public:
  explicit ScopedPaint(HWND w) : w_(w) { dc_ = BeginPaint(w, &ps_); }
  ~ScopedPaint() { EndPaint(w_, &ps_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC dc() const { return dc_; }
  const RECT& rect() const { return ps_.rcPaint; }

 private:
  HWND w_;
  HDC dc_ = nullptr;
  PAINTSTRUCT ps_{};
};

inline std::wstring Wide(std::string_view s) { return Utf8ToUtf16<wchar_t>(s); }
inline std::string Narrow(std::wstring_view s) { return Utf16ToUtf8<wchar_t>(s); }

inline HWND ToHwnd(ui::Handle h) { return reinterpret_cast<HWND>(h); }
inline ui::Handle ToHandle(HWND h) { return reinterpret_cast<ui::Handle>(h); }

// A model colour as the system's; kSystemWindow stands for the system's
// button face (backgrounds) or button text (text).
inline COLORREF BackColor(ui::Color c) {
  return c == ui::kSystemWindow ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(c & 0xFFFFFF);
}
inline COLORREF TextColor(ui::Color c) {
  return c == ui::kSystemWindow ? GetSysColor(COLOR_BTNTEXT) : static_cast<COLORREF>(c & 0xFFFFFF);
}

// The window's current dots per inch: GetDpiForWindow where the system has
// it, otherwise the screen's.
UINT WindowDpi(HWND w);

}  // namespace qov::win32
