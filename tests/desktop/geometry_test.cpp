// Where the Win32 back end draws the model, what it repaints when the model
// changes, and which surface gets the pointer: pixel rounding, repaint
// boxes, damage, paint order and hit testing.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "backends/common/damage.h"
#include "backends/common/geometry.h"
#include "tests/data_lines.h"

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
  // At 150 % the pen keeps its weight (6 px) and the box grows with it.
  EXPECT_EQ(LineWidthPx(c.hand, k144), 6);
  const PxLine l144 = LinePx(c.hand, k144);
  const int x144 = static_cast<int>(l144.x1);
  EXPECT_TRUE(Covers(DrawnRectPx(c.hand, k144, kClient),
                     PxRect{x144 - 3, static_cast<int>(l144.y2) - 3, x144 + 4, static_cast<int>(l144.y1) + 4}));
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

// Each tick of a hand repaints where it was drawn last and where it is now:
// after a layout moved the face (the hand with it), and after a paint that
// recorded it, as before the first paint.
TEST(Damage, AHandsTickRepaintsWhereItWasDrawnLastAndWhereItIs) {
  Damaged f;
  const PxRect before = f.HandNow();
  f.hand.SetEnd(1600, 1538);  // from 12 to 3 o'clock
  const PxRect dirty = f.Change(f.hand);
  EXPECT_TRUE(Covers(dirty, before) && Covers(dirty, f.HandNow()));
  // Two thin boxes' worth, not the whole face.
  EXPECT_LT((dirty.right - dirty.left) * (dirty.bottom - dirty.top), 141 * 180 / 2);
  const std::function<void()> steps[] = {
      [] {},
      [&] {
        f.picture.Move(750, 300, 2115, 2706);
        EXPECT_TRUE(Covers(f.Change(f.picture), ControlRectPx(f.picture, k96)));
      },
      [&] { f.damage.Clear(); f.damage.Drawn(f.hand, f.HandNow()); }};
  for (size_t i = 0; i < std::size(steps); ++i) {
    steps[i]();
    const PxRect drawn = f.HandNow();
    f.hand.SetEnd(i % 2 ? 500 : 1058, i % 2 ? 1538 : 2300);
    EXPECT_TRUE(Covers(f.Change(f.hand), drawn)) << i;
  }
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
  for (const auto& h : testing::DataRows("desktop/data/hit_tests.txt")) {
    ASSERT_EQ(h.size(), 7u);
    SCOPED_TRACE(h[0]);
    ClockLike c;
    c.frame.SetVisible(h[1] == "1");
    c.form.Move(0, 0, 2200, 3300);  // a strip of bare form on the right and bottom
    const Hit hit = HitTest(c.form, std::stoi(h[2]), std::stoi(h[3]), k96);
    EXPECT_EQ(hit.control ? hit.control->name() : std::string(), h[4]);
    EXPECT_EQ(std::pair(hit.x, hit.y), std::pair(std::stof(h[5]), std::stof(h[6])));
  }
}

}  // namespace
}  // namespace qov::desktop
