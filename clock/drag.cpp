// Moving the borderless window with the mouse, the context menu on a right
// click, and the double-click that starts the sizing mode.
#include "app/clockface.h"
#include "app/settings.h"
#include "chrome/cls_style.h"
#include "engine/numeric.h"

namespace qov {

namespace s = settings;

namespace {
constexpr int kLeft = 1, kRight = 2;
}

void ClockFace::PopupContextMenu() { svc_.windows->PopupMenu(form_, *mKeluar); }

// The grabbed point follows the pointer; there is no threshold.
static void Grab(ClockFace& c, float x, float y) {
  c.Dragging = true;
  c.GrabX = ToInt16(x).value_or(0);
  c.GrabY = ToInt16(y).value_or(0);
}

static void Follow(ClockFace& c, float x, float y) {
  if (!c.Dragging) return;
  ui::Form& f = c.form();
  const float left = x - c.GrabX + f.left();
  const float top = y - c.GrabY + f.top();
  f.Move(left, top, f.width(), f.height());
}

void ClockFace::Form_MouseDown(int button, int, float x, float y) {
  if (button == kRight) {
    mExit->visible = false;
    PopupContextMenu();
  } else if (button == kLeft && !Dragging) {
    Grab(*this, x, y);
  }
}

void ClockFace::Picture1_MouseDown(int button, int, float x, float y) {
  if (button == kLeft && !Dragging) {
    Grab(*this, x, y);
  } else if (button == kRight) {
    mExit->visible = false;
    PopupContextMenu();
  }
}

void ClockFace::digTime_MouseDown(int button, int shift, float x, float y) {
  Picture1_MouseDown(button, shift, x, y);
}

void ClockFace::Form_MouseMove(int, int, float x, float y) { Follow(*this, x, y); }
void ClockFace::Picture1_MouseMove(int, int, float x, float y) { Follow(*this, x, y); }
void ClockFace::digTime_MouseMove(int, int, float x, float y) { Follow(*this, x, y); }

void ClockFace::digTime_MouseUp(int, int, float, float) { Dragging = false; }

void ClockFace::Picture1_MouseUp(int, int, float, float) {
  Dragging = false;
  Save(s::kPosisiWindow, s::kTop, s::SignedBlankSingle(form_.top()));
  Save(s::kPosisiWindow, s::kLeft, s::SignedBlankSingle(form_.left()));
}

void ClockFace::Form_MouseUp(int, int, float, float) {
  Dragging = false;
  Save(s::kPosisiWindow, s::kPanjang, s::SignedBlankSingle(form_.height()));
}

void ClockFace::Picture1_DblClick() {
  if (Style) Style->SetSizable(true);
}

void ClockFace::digTime_DblClick() {
  if (Style) Style->SetSizable(true);
  Save(s::kPosisiWindow, s::kTop, s::SignedBlankSingle(form_.top()));
  Save(s::kPosisiWindow, s::kLeft, s::SignedBlankSingle(form_.left()));
}

}  // namespace qov
