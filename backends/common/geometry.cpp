#include "backends/common/geometry.h"

#include <cmath>

namespace qov::desktop {

using ui::Kind;

namespace {

// Far beyond any screen, yet far from int overflow when edges are added.
constexpr double kMaxPx = 1 << 24;
// A pixel at 96 DPI, the unit of the model's line widths.
constexpr double kTwipsPerPixelAt96 = 15;

ui::Control* HitIn(const ui::Form& form, const ui::Control* container, int px, int py, Scale s) {
  const auto& all = form.controls();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    ui::Control* c = it->get();
    if (c->container() != container || !IsContainer(c->kind()) || !c->visible()) continue;
    if (!ControlRectPx(*c, s).Contains(px, py)) continue;
    if (ui::Control* inner = HitIn(form, c, px, py, s)) return inner;
    return c;
  }
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    ui::Control* c = it->get();
    if (c->container() != container || c->kind() != Kind::Label || !c->visible()) continue;
    if (ControlRectPx(*c, s).Contains(px, py)) return c;
  }
  return nullptr;
}

}  // namespace

PxRect Union(const PxRect& a, const PxRect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

PxRect Intersect(const PxRect& a, const PxRect& b) {
  PxRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
  return r.empty() ? PxRect{} : r;
}

int ToPx(double twips, float tpp) {
  if (!std::isfinite(twips) || !(tpp > 0)) return 0;
  const double v = std::nearbyint(twips / tpp);
  return static_cast<int>(std::clamp(v, -kMaxPx, kMaxPx));
}

PxRect FormRectPx(const ui::Form& form) {
  const int x = ToPx(form.left(), form.twipsPerPixelX());
  const int y = ToPx(form.top(), form.twipsPerPixelY());
  return {x, y, x + ToPx(form.width(), form.twipsPerPixelX()),
          y + ToPx(form.height(), form.twipsPerPixelY())};
}

void OriginTwips(const ui::Control& c, float* x, float* y) {
  float ox = 0, oy = 0;
  for (const ui::Control* k = &c; k; k = k->container()) {
    ox += k->left();
    oy += k->top();
  }
  *x = ox;
  *y = oy;
}

PxRect ControlRectPx(const ui::Control& c, Scale s) {
  float ox, oy;
  OriginTwips(c, &ox, &oy);
  return {ToPx(ox, s.tppX), ToPx(oy, s.tppY), ToPx(static_cast<double>(ox) + c.width(), s.tppX),
          ToPx(static_cast<double>(oy) + c.height(), s.tppY)};
}

PxRect ClipRectPx(const ui::Control& c, Scale s, const PxRect& client) {
  PxRect clip = client;
  for (const ui::Control* k = c.container(); k; k = k->container())
    clip = Intersect(clip, ControlRectPx(*k, s));
  return clip;
}

PxLine LinePx(const ui::Control& line, Scale s) {
  float ox = 0, oy = 0;
  if (line.container()) OriginTwips(*line.container(), &ox, &oy);
  auto px = [](double twips, float tpp) {
    const double v = twips / tpp;
    return static_cast<float>(std::isfinite(v) ? std::clamp(v, -kMaxPx, kMaxPx) : 0.0);
  };
  return {px(static_cast<double>(ox) + line.x1(), s.tppX), px(static_cast<double>(oy) + line.y1(), s.tppY),
          px(static_cast<double>(ox) + line.x2(), s.tppX), px(static_cast<double>(oy) + line.y2(), s.tppY)};
}

int LineWidthPx(const ui::Control& line, Scale s) {
  const double px = std::round(line.borderWidth() * kTwipsPerPixelAt96 / s.tppX);
  return std::isfinite(px) ? static_cast<int>(std::clamp(px, 1.0, kMaxPx)) : 1;
}

PxRect LineBoundsPx(const PxLine& l, int penWidth) {
  // Half the pen, the round cap's reach and one pixel of anti-aliasing.
  const float grow = static_cast<float>(std::max(penWidth, 1)) / 2.0f + 2.0f;
  return {static_cast<int>(std::floor(std::min(l.x1, l.x2) - grow)),
          static_cast<int>(std::floor(std::min(l.y1, l.y2) - grow)),
          static_cast<int>(std::ceil(std::max(l.x1, l.x2) + grow)),
          static_cast<int>(std::ceil(std::max(l.y1, l.y2) + grow))};
}

PxRect DrawnRectPx(const ui::Control& c, Scale s, const PxRect& client) {
  if (!c.shown()) return {};
  const PxRect own = c.kind() == Kind::Line ? LineBoundsPx(LinePx(c, s), LineWidthPx(c, s))
                                            : ControlRectPx(c, s);
  return Intersect(own, ClipRectPx(c, s, client));
}

bool IsGraphic(Kind k) { return k == Kind::Label || k == Kind::Line; }
bool IsContainer(Kind k) { return k == Kind::Frame || k == Kind::PictureBox; }
bool IsNative(Kind k) {
  return k == Kind::TextBox || k == Kind::ComboBox || k == Kind::Button || k == Kind::OptionButton ||
         k == Kind::CheckBox;
}

Hit HitTest(const ui::Form& form, int px, int py, Scale s) {
  return RelativeTo(HitIn(form, nullptr, px, py, s), px, py, s);
}

Hit RelativeTo(ui::Control* surface, int px, int py, Scale s) {
  float ox = 0, oy = 0;
  if (surface) OriginTwips(*surface, &ox, &oy);
  return {surface, static_cast<float>(px) * s.tppX - ox, static_cast<float>(py) * s.tppY - oy};
}

ui::Control* EscapeButton(const ui::Form& form) {
  for (const auto& c : form.controls())
    if (c->kind() == ui::Kind::Button && c->cancel() && c->shown() && c->enabled()) return c.get();
  return nullptr;
}

}  // namespace qov::desktop
