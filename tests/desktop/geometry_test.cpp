// Where the Win32 back end draws the model, what it repaints when the model
// changes, and which surface gets the pointer: pixel rounding, repaint
// boxes, damage, paint order and hit testing.
#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "backends/common/damage.h"
#include "backends/common/geometry.h"

namespace qov::desktop {

// Readable failures for pixel rectangles.
inline void PrintTo(const PxRect& r, std::ostream* os) {
  *os << "{" << r.left << "," << r.top << " - " << r.right << "," << r.bottom << "}";
}

namespace {

using ui::Kind;

constexpr Scale k96{15, 15};
constexpr Scale k144{10, 10};
const PxRect kClient{0, 0, 1000, 1000};

// The clock's main surfaces as the design lays them out: the face box with
// its hands, the digital text below, the panel frame (hidden) over the face
// with a label inside.
struct ClockLike {
  ui::Form form{"clockface"};
  ui::Control& picture = form.Add(Kind::PictureBox, "Picture1");
  ui::Control& hand = form.Add(Kind::Line, "secHand", -1, &picture);
  ui::Control& digTime = form.Add(Kind::Label, "digTime");
  ui::Control& frame = form.Add(Kind::Frame, "Frame1");
  ui::Control& label = form.Add(Kind::Label, "lbWkt", 0, &frame);
  ui::Control& box = form.Add(Kind::TextBox, "tkDel", -1, &frame);

  ClockLike() {
    picture.Move(0, 0, 2115, 2706);
    digTime.Move(0, 2706, 2115, 369);
    frame.Move(0, 0, 1960, 2860);
    frame.SetVisible(false);
    label.Move(1215, 810, 780, 240);
    box.Move(270, 2430, 420, 285);
    hand.SetStart(1058, 1538);
    hand.SetEnd(1058, 700);
  }
};

bool Covers(const PxRect& outer, const PxRect& inner) { return Union(outer, inner) == outer; }

TEST(PixelGeometry, RoundsEdgesSoNeighboursMeetWithoutAGapAndOffsetsChildren) {
  ClockLike c;
  // 2706 twips is 180.4 px: the face ends where the text begins.
  EXPECT_EQ(ControlRectPx(c.picture, k96), (PxRect{0, 0, 141, 180}));
  EXPECT_EQ(ControlRectPx(c.digTime, k96), (PxRect{0, 180, 141, 205}));
  EXPECT_EQ(ControlRectPx(c.digTime, k144), (PxRect{0, 271, 212, 308}));
  // Children sit at their container's offset and are clipped to it.
  c.frame.Move(300, 150, 1960, 2860);
  EXPECT_EQ(ControlRectPx(c.label, k96), (PxRect{101, 64, 153, 80}));
  EXPECT_EQ(ClipRectPx(c.label, k96, kClient), ControlRectPx(c.frame, k96));
  EXPECT_EQ(ClipRectPx(c.digTime, k96, kClient), kClient);
}

TEST(PixelGeometry, AbsurdTwipsClampInsteadOfOverflowing) {
  EXPECT_EQ(ToPx(1e30, 15), 1 << 24);
  EXPECT_EQ(ToPx(-1e30, 15), -(1 << 24));
  EXPECT_EQ(ToPx(std::numeric_limits<double>::quiet_NaN(), 15), 0);
  EXPECT_EQ(ToPx(1500, 0), 0);
  ui::Form f("f");
  f.Move(1e12f, 0, 2115, 3075);  // a hand-edited "Left"
  const PxRect r = FormRectPx(f);
  EXPECT_EQ(r.right - r.left, 141);
}

TEST(RepaintBox, CoversTheWholePenOfAShownHandInsideTheFace) {
  ClockLike c;
  const PxLine l = LinePx(c.hand, k96);
  c.hand.SetBorderWidth(4);
  const PxRect box = DrawnRectPx(c.hand, k96, kClient);
  // Every pixel the 4 px round-capped pen can touch, and no more than a
  // few pixels around it.
  const int x = static_cast<int>(l.x1);
  EXPECT_TRUE(Covers(box, PxRect{x - 2, static_cast<int>(l.y2) - 2, x + 3, static_cast<int>(l.y1) + 3}));
  EXPECT_LT(box.right - box.left, 12);
  // A hand pointing out of the face box is cut at its edge.
  c.hand.SetEnd(5000, 1538);
  EXPECT_EQ(DrawnRectPx(c.hand, k96, kClient).right, 141);
  // Nothing for hidden controls and the children of hidden containers.
  EXPECT_TRUE(DrawnRectPx(c.label, k96, kClient).empty());  // Frame1 hidden
  c.frame.SetVisible(true);
  EXPECT_FALSE(DrawnRectPx(c.label, k96, kClient).empty());
  c.hand.SetVisible(false);
  EXPECT_TRUE(DrawnRectPx(c.hand, k96, kClient).empty());
}

// The panel shown, a 2 px hand, and the tracker in step with both.
struct Damaged : ClockLike {
  DamageTracker damage;
  Damaged() {
    hand.SetBorderWidth(2);
    frame.SetVisible(true);
    damage.Reset(form, k96, kClient);
  }
  PxRect Change(const ui::Control& c) { return damage.Changed(c, k96, kClient); }
  PxRect HandNow() const { return DrawnRectPx(hand, k96, kClient); }
};

TEST(Damage, AHandsTickRepaintsWhereItWasAndWhereItIs) {
  Damaged f;
  const PxRect before = f.HandNow();
  f.hand.SetEnd(1600, 1538);  // from 12 to 3 o'clock
  const PxRect dirty = f.Change(f.hand);
  EXPECT_TRUE(Covers(dirty, before));
  EXPECT_TRUE(Covers(dirty, f.HandNow()));
  // Two thin boxes' worth, not the whole face.
  EXPECT_LT((dirty.right - dirty.left) * (dirty.bottom - dirty.top), 141 * 180 / 2);
  // The next tick starts from where it was drawn last.
  const PxRect at3 = f.HandNow();
  f.hand.SetEnd(1058, 2300);
  EXPECT_TRUE(Covers(f.Change(f.hand), at3));
}

TEST(Damage, AfterTheFaceMovesTheHandsOldImageIsStillErased) {
  Damaged f;
  // The layout moves the face box (the hand goes with it) ...
  f.picture.Move(750, 300, 2115, 2706);
  const PxRect moved = f.Change(f.picture);
  EXPECT_TRUE(Covers(moved, ControlRectPx(f.picture, k96)));
  const PxRect drawnAfterMove = f.HandNow();
  // ... and the next tick must erase the hand where the move put it, not
  // where it was before the move.
  f.hand.SetEnd(1600, 1538);
  EXPECT_TRUE(Covers(f.Change(f.hand), drawnAfterMove));
}

TEST(Damage, NothingInsideAHiddenPanelIsRepainted) {
  Damaged f;
  const PxRect shown = ControlRectPx(f.frame, k96);
  f.frame.SetVisible(false);
  EXPECT_EQ(f.Change(f.frame), shown);  // the panel's area, once, to uncover the face
  f.label.SetText("04:09");
  EXPECT_TRUE(f.Change(f.label).empty());
  f.frame.SetVisible(true);
  EXPECT_EQ(f.Change(f.frame), shown);
  f.label.SetText("04:10");
  // The label reaches past the panel's edge; only the part inside is drawn.
  EXPECT_EQ(f.Change(f.label), Intersect(ControlRectPx(f.label, k96), shown));
}

TEST(Damage, PaintingRecordsWhereTheControlReallyIs) {
  Damaged f;
  f.damage.Clear();  // nothing known, as before the first paint
  f.damage.Drawn(f.hand, f.HandNow());
  const PxRect drawn = f.HandNow();
  f.hand.SetEnd(500, 1538);
  EXPECT_TRUE(Covers(f.Change(f.hand), drawn));
}

std::vector<std::string> PaintOrder(const ui::Form& f) {
  std::vector<std::string> names;
  ForEachInPaintOrder(f, [&](const ui::Control& c) { names.push_back(c.name()); });
  return names;
}

TEST(PaintOrder, LabelsFirstThenContainersEachWithTheirContents) {
  ClockLike c;
  EXPECT_EQ(PaintOrder(c.form), (std::vector<std::string>{"digTime", "Picture1", "secHand"}));
  c.frame.SetVisible(true);
  // The panel is laid over the face; native controls are never painted.
  EXPECT_EQ(PaintOrder(c.form), (std::vector<std::string>{"digTime", "Picture1", "secHand", "Frame1", "lbWkt"}));
}

TEST(HitTesting, FindsTheSurfaceAndRelativePosition) {
  const struct {
    const char* name;
    bool panelShown;
    int px, py;
    const char* surface;  // "" for the form
    float x, y;           // twips relative to the surface
  } cases[] = {
      {"Face", false, 70, 90, "Picture1", 1050, 1350},
      // Lines never take the pointer: a click on a hand is a click on the face.
      {"HandIsFace", false, 70, 60, "Picture1", 1050, 900},
      {"DigitalText", false, 10, 190, "digTime", 150, 144},
      {"FormOutsideTheControls", false, 143, 10, "", 2145, 150},
      {"PanelOverFace", true, 20, 20, "Frame1", 300, 300},
      {"LabelInPanel", true, 85, 57, "lbWkt", 60, 45},
      // The native text box is a window of its own, not a surface here.
      {"NativeBoxIsPanel", true, 20, 165, "Frame1", 300, 2475},
      {"TextBelowPanel", true, 10, 195, "digTime", 150, 219},
  };
  for (const auto& h : cases) {
    SCOPED_TRACE(h.name);
    ClockLike c;
    c.frame.SetVisible(h.panelShown);
    c.form.Move(0, 0, 2200, 3300);  // a strip of bare form on the right and bottom
    const Hit hit = HitTest(c.form, h.px, h.py, k96);
    EXPECT_EQ(hit.control ? hit.control->name() : std::string(), h.surface);
    EXPECT_FLOAT_EQ(hit.x, h.x);
    EXPECT_FLOAT_EQ(hit.y, h.y);
  }
}

}  // namespace
}  // namespace qov::desktop
