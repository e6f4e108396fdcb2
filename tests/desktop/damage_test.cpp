// What the Win32 back end repaints when the model changes.
#include <gtest/gtest.h>

#include <ostream>

#include "backends/common/damage.h"

namespace qov::desktop {

// Readable failures for pixel rectangles.
inline void PrintTo(const PxRect& r, std::ostream* os) {
  *os << "{" << r.left << "," << r.top << " - " << r.right << "," << r.bottom << "}";
}

namespace {

using ui::Kind;

constexpr Scale k96{15, 15};
const PxRect kClient{0, 0, 400, 400};

bool Covers(const PxRect& outer, const PxRect& inner) { return Union(outer, inner) == outer; }

struct Face {
  ui::Form form{"clockface"};
  ui::Control& picture = form.Add(Kind::PictureBox, "Picture1");
  ui::Control& hand = form.Add(Kind::Line, "minHand", -1, &picture);
  ui::Control& panel = form.Add(Kind::Frame, "Frame1");
  ui::Control& time = form.Add(Kind::Label, "lbWkt", 0, &panel);
  DamageTracker damage;

  Face() {
    picture.Move(0, 0, 2115, 2706);
    hand.SetBorderWidth(2);
    hand.SetStart(1058, 1538);
    hand.SetEnd(1058, 700);
    panel.Move(0, 0, 1960, 2860);
    time.Move(1215, 810, 780, 240);
    damage.Reset(form, k96, kClient);
  }
  PxRect Change(const ui::Control& c) { return damage.Changed(c, k96, kClient); }
  PxRect HandNow() const { return DrawnRectPx(hand, k96, kClient); }
};

TEST(Damage, AHandsTickRepaintsWhereItWasAndWhereItIs) {
  Face f;
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
  Face f;
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
  Face f;
  const PxRect shown = ControlRectPx(f.panel, k96);
  f.panel.SetVisible(false);
  EXPECT_EQ(f.Change(f.panel), shown);  // the panel's area, once, to uncover the face
  f.time.SetText("04:09");
  EXPECT_TRUE(f.Change(f.time).empty());
  f.panel.SetVisible(true);
  EXPECT_EQ(f.Change(f.panel), shown);
  f.time.SetText("04:10");
  // The label reaches past the panel's edge; only the part inside is drawn.
  EXPECT_EQ(f.Change(f.time), Intersect(ControlRectPx(f.time, k96), shown));
}

TEST(Damage, PaintingRecordsWhereTheControlReallyIs) {
  Face f;
  f.damage.Clear();  // nothing known, as before the first paint
  f.damage.Drawn(f.hand, f.HandNow());
  const PxRect drawn = f.HandNow();
  f.hand.SetEnd(500, 1538);
  EXPECT_TRUE(Covers(f.Change(f.hand), drawn));
}

}  // namespace
}  // namespace qov::desktop
