// Reads and switches the frame and behaviour bits of one window after it
// exists. Every property reads the bits from the window itself, so another
// part that changes the style is seen at the next read.
#pragma once

#include <cstdint>

#include "platform/model.h"
#include "platform/services.h"

namespace qov {

class ClsStyle {
 public:
  explicit ClsStyle(WindowApi& api) : api_(api) {}

  static constexpr int32_t WS_SYSMENU = 0x80000;
  static constexpr int32_t WS_MAXIMIZEBOX = 0x10000;
  static constexpr int32_t WS_MINIMIZEBOX = 0x20000;
  static constexpr int32_t WS_THICKFRAME = 0x40000;
  static constexpr int32_t WS_CAPTION = 0xC00000;
  static constexpr int32_t WS_EX_TOOLWINDOW = 0x80;
  static constexpr int32_t WS_EX_TOPMOST = 0x8;
  static constexpr int32_t WS_EX_CONTEXTHELP = 0x400;
  static constexpr uint32_t WM_NCLBUTTONDOWN = 0xA1;
  static constexpr uint32_t HTCAPTION = 2;
  static constexpr uint32_t WM_SYSMENU_AT = 0x313;

  void SetAutoDrag(bool v) { mAutoDrag = v; }
  bool AutoDrag() const { return mAutoDrag; }
  void SetAutoSysMenu(bool v) { mAutoSysMenu = v; }
  bool AutoSysMenu() const { return mAutoSysMenu; }

  // Binds the object to a form (nullptr unbinds); from then on it also
  // receives the form's mouse-down and mouse-up events.
  void SetClient(ui::Form* form);
  ui::Form* Client() const { return mClient; }
  ui::Handle hWnd() const { return mhWnd; }

  void SetControlBox(bool on) { SetStyleBit(WS_SYSMENU, on); }
  bool ControlBox() { return (GetSetStyle(0) & WS_SYSMENU) != 0; }
  void SetMaxButton(bool on) { SetStyleBit(WS_MAXIMIZEBOX, on); }
  bool MaxButton() { return (GetSetStyle(0) & WS_MAXIMIZEBOX) != 0; }
  void SetMinButton(bool on) { SetStyleBit(WS_MINIMIZEBOX, on); }
  bool MinButton() { return (GetSetStyle(0) & WS_MINIMIZEBOX) != 0; }
  void SetSizable(bool on) { SetStyleBit(WS_THICKFRAME, on); }
  bool Sizable() { return (GetSetStyle(0) & WS_THICKFRAME) != 0; }
  void SetTitlebar(bool on) { SetStyleBit(WS_CAPTION, on); }
  bool Titlebar() { return (GetSetStyle(0) & WS_CAPTION) != 0; }
  void SetToolWindow(bool on) { SetExStyleBit(WS_EX_TOOLWINDOW, on); }
  bool ToolWindow() { return (GetSetExStyle(0) & WS_EX_TOOLWINDOW) != 0; }
  // Top-most is changed through the z-order, not the style word.
  void SetTopMost(bool on);
  bool TopMost() { return (GetSetExStyle(0) & WS_EX_TOPMOST) != 0; }
  void SetWhatsThisButton(bool on) { SetExStyleBit(WS_EX_CONTEXTHELP, on); }
  bool WhatsThisButton() { return (GetSetExStyle(0) & WS_EX_CONTEXTHELP) != 0; }

  // Has the window recompute and redraw its frame after a style change.
  void pRedraw();
  // Opens the window's system menu at a screen position in pixels.
  void ShowSysMenu(int32_t x, int32_t y);

  static int32_t MakeLParam(int16_t hi, int16_t lo) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int32_t>(hi) * 65536) |
                                (static_cast<uint32_t>(lo) & 0xFFFFu));
  }

  void mClient_MouseDown(int button);
  void mClient_MouseUp(int button);

 private:
  int32_t GetSetStyle(int32_t value) { return GetSetWord(WindowApi::kGwlStyle, value); }
  int32_t GetSetExStyle(int32_t value) { return GetSetWord(WindowApi::kGwlExStyle, value); }
  bool SetStyleBit(int32_t bits, bool on) { return SetWordBit(WindowApi::kGwlStyle, bits, on); }
  bool SetExStyleBit(int32_t bits, bool on) { return SetWordBit(WindowApi::kGwlExStyle, bits, on); }
  int32_t GetSetWord(int index, int32_t value);
  bool SetWordBit(int index, int32_t bits, bool on);

  WindowApi& api_;
  ui::Form* mClient = nullptr;
  ui::Handle mhWnd = 0;
  bool mAutoDrag = false;
  bool mAutoSysMenu = false;
};

}  // namespace qov
