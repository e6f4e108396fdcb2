#include "backends/common/mouse_router.h"

namespace qov::desktop {

namespace {

const ui::MouseHandler& DownHandler(ui::Form& f, ui::Control* c) { return c ? c->onMouseDown : f.onMouseDown; }
const ui::MouseHandler& UpHandler(ui::Form& f, ui::Control* c) { return c ? c->onMouseUp : f.onMouseUp; }
const ui::MouseHandler& MoveHandler(ui::Form& f, ui::Control* c) { return c ? c->onMouseMove : f.onMouseMove; }
const ui::Handler& ClickHandler(ui::Form& f, ui::Control* c) { return c ? c->onClick : f.onClick; }
const ui::Handler& DblClickHandler(ui::Form& f, ui::Control* c) { return c ? c->onDblClick : f.onDblClick; }

// Handlers are copied before the call: a handler may replace itself.
void Fire(const ui::MouseHandler& h, int button, int shift, const Hit& at) {
  if (!h) return;
  ui::MouseHandler call = h;
  call(button, shift, at.x, at.y);
}

void Fire(const ui::Handler& h) {
  if (!h) return;
  ui::Handler call = h;
  call();
}

}  // namespace

Hit MouseRouter::Target(ui::Form& form, int px, int py, Scale s) const {
  return pressed_ ? RelativeTo(surface_, px, py, s) : HitTest(form, px, py, s);
}

bool MouseRouter::Down(ui::Form& form, int button, int shift, int px, int py, Scale s) {
  const Hit at = Target(form, px, py, s);
  if (!pressed_) {
    pressed_ = true;
    surface_ = at.control;
    clickPending_ = button == kLeft;
  } else {
    clickPending_ = false;  // a chord is no click
  }
  Fire(DownHandler(form, at.control), button, shift, at);
  return pressed_;
}

bool MouseRouter::Up(ui::Form& form, int button, int held, int shift, int px, int py, Scale s) {
  // A release whose press we never saw (it began outside the window, or a
  // menu consumed it) belongs to no surface.
  if (!pressed_) return false;
  const Hit at = RelativeTo(surface_, px, py, s);
  const bool click =
      clickPending_ && button == kLeft && HitTest(form, px, py, s).control == surface_;
  if ((held & (kLeft | kRight | kMiddle)) == 0) {
    pressed_ = false;
    clickPending_ = false;
  }
  Fire(UpHandler(form, at.control), button, shift, at);
  if (click) Fire(ClickHandler(form, at.control));
  return pressed_;
}

void MouseRouter::Move(ui::Form& form, int held, int shift, int px, int py, Scale s) {
  const Hit at = Target(form, px, py, s);
  Fire(MoveHandler(form, at.control), held & (kLeft | kRight | kMiddle), shift, at);
}

bool MouseRouter::DoubleClick(ui::Form& form, int shift, int px, int py, Scale s) {
  (void)shift;
  const Hit at = Target(form, px, py, s);
  if (!pressed_) {
    pressed_ = true;
    surface_ = at.control;
  }
  clickPending_ = false;
  Fire(DblClickHandler(form, at.control));
  return pressed_;
}

}  // namespace qov::desktop
