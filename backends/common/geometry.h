// Where the model's controls land in a window's client area, in pixels, and
// which of them lies under the pointer. Kept free of system headers so the
// rounding and the hit rules are tested with the logic.
#pragma once

#include <algorithm>

#include "platform/model.h"

namespace qov::desktop {

struct Scale {
  float tppX = 15;  // twips per pixel
  float tppY = 15;
};

struct PxRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool empty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const PxRect&) const = default;
};

PxRect Union(const PxRect& a, const PxRect& b);
PxRect Intersect(const PxRect& a, const PxRect& b);

// Twips to whole pixels, nearest; non-finite or absurd values (a hand-edited
// setting) clamp instead of overflowing an int.
int ToPx(double twips, float tpp);

// A form's outer rectangle in screen pixels.
PxRect FormRectPx(const ui::Form& form);

// The control's top-left corner in client twips: its position plus those of
// its containers.
void OriginTwips(const ui::Control& c, float* x, float* y);

// A control's rectangle in client pixels. Edges are rounded, not sizes, so
// controls that meet in twips (the face box and the digital text) meet in
// pixels without a gap.
PxRect ControlRectPx(const ui::Control& c, Scale s);

// The area a control may draw into: its container's rectangle, or the whole
// client area for controls on the form.
PxRect ClipRectPx(const ui::Control& c, Scale s, const PxRect& client);

// Where a line is drawn, in client pixels (fractions kept for anti-aliasing).
struct PxLine {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
PxLine LinePx(const ui::Control& line, Scale s);
// The line's pen in device pixels: the model's widths are pixels at 96 DPI
// (15 twips), so hands keep their weight on a 150 % monitor.
int LineWidthPx(const ui::Control& line, Scale s);
// Every pixel the line's pen can touch: the end points grown by half the pen,
// the round caps and the anti-aliasing fringe.
PxRect LineBoundsPx(const PxLine& l, int penWidth);

// What must be repainted when the control changes: where it is drawn now
// (nothing when hidden), clipped to its container.
PxRect DrawnRectPx(const ui::Control& c, Scale s, const PxRect& client);

// Kinds drawn by the window itself (labels, lines), kinds that are windows of
// their own in the model's eyes and stack above those (frames, picture
// boxes), and kinds shown by native child controls.
bool IsGraphic(ui::Kind k);
bool IsContainer(ui::Kind k);
bool IsNative(ui::Kind k);

// The button the Escape key presses: the first shown, enabled one marked
// for it; null when no dialog that has one is open.
ui::Control* EscapeButton(const ui::Form& form);

// Visits the drawn controls that are shown, back to front: on each surface
// its labels and lines first, then its frames and picture boxes, each
// followed by its own contents.
template <typename F>
void ForEachInPaintOrder(const ui::Form& form, F&& visit, const ui::Control* container = nullptr) {
  for (const auto& c : form.controls())
    if (c->container() == container && IsGraphic(c->kind()) && c->visible()) visit(*c);
  for (const auto& c : form.controls()) {
    if (c->container() != container || !IsContainer(c->kind()) || !c->visible()) continue;
    visit(*c);
    ForEachInPaintOrder(form, visit, c.get());
  }
}

// The surface under a client pixel and the pointer's position relative to it
// in twips. `control` is null for the form itself.
struct Hit {
  ui::Control* control = nullptr;
  float x = 0, y = 0;
};
// The top-most shown frame or picture box wins over the labels beneath it;
// inside a container its labels win over the container itself. Lines and
// native controls never take the pointer here.
Hit HitTest(const ui::Form& form, int px, int py, Scale s);
// The pointer relative to a given surface, for events delivered to the
// surface that holds the capture.
Hit RelativeTo(ui::Control* surface, int px, int py, Scale s);

}  // namespace qov::desktop
