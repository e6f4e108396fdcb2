// Delivers a window's mouse input to the model's surfaces: a press goes to
// the surface under the pointer, and until every button is up again the
// moves and the release go to that same surface (the window holds the
// capture), so a drag keeps one frame of reference even when the pointer
// slides onto a neighbouring surface.
#pragma once

#include "platform/model.h"
#include "backends/common/geometry.h"

namespace qov::desktop {

class MouseRouter {
 public:
  static constexpr int kLeft = 1, kRight = 2, kMiddle = 4;

  // Each returns true when the window should hold the mouse capture after
  // the call (false: release it). `held` is the set of buttons down after
  // the event, as the system reports it.
  bool Down(ui::Form& form, int button, int shift, int px, int py, Scale s);
  bool Up(ui::Form& form, int button, int held, int shift, int px, int py, Scale s);
  void Move(ui::Form& form, int held, int shift, int px, int py, Scale s);
  // The second press of a left double click: the surface's DblClick, and no
  // MouseDown or Click, as the classic event order has it.
  bool DoubleClick(ui::Form& form, int shift, int px, int py, Scale s);
  // Something else took the capture (a menu, a modal box): forget the press
  // so that later moves go where the pointer is.
  void CaptureLost() { pressed_ = false; }

  bool pressed() const { return pressed_; }
  ui::Control* pressedSurface() const { return surface_; }

 private:
  Hit Target(ui::Form& form, int px, int py, Scale s) const;

  bool pressed_ = false;
  ui::Control* surface_ = nullptr;  // null: the form
  bool clickPending_ = false;       // a left press that may end in a Click
};

}  // namespace qov::desktop
