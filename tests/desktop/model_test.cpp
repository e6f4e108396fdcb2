// The retained window model's own rules: nested resizes and timer restarts.
#include "platform/model.h"

#include <gtest/gtest.h>

#include <vector>

namespace qov::ui {
namespace {

// Counts what the model tells a back end.
struct CountingView : FormView {
  void GeometryChanged() override { ++geometry; }
  void ControlChanged(Control&) override { ++controls; }
  void TimerChanged(Timer& t) override { restarts.push_back(t.generation()); }
  void FormChanged() override {}
  int geometry = 0, controls = 0;
  std::vector<uint64_t> restarts;
};

// Every size change raises onResize at once, also from inside onResize; a
// handler that never settles is cut off after a few levels.
TEST(ModelResize, NestsForEveryChangeAndStopsARunawayHandler) {
  Form f("f");
  std::vector<float> seen;
  f.onResize = [&] {
    seen.push_back(f.width());
    if (f.width() < 3000) f.SetWidth(f.width() + 150);  // settles after a few
  };
  f.SetWidth(2700);
  EXPECT_EQ(seen, (std::vector<float>{2700, 2850, 3000}));

  int depth = 0, calls = 0;
  f.onResize = [&] {
    ++calls;
    ++depth;
    f.SetHeight(f.height() + 15);  // never settles
    --depth;
  };
  f.SetHeight(1500);
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(calls, 8);
  f.SetLeft(300);  // a move alone raises nothing
  EXPECT_EQ(calls, 8);
}

TEST(ModelResize, GeometrySettlesInWholePixelsAndIgnoresNonFinite) {
  Form f("f");
  f.ReportScale(15, 12);
  f.Move(100, 100, 2132.3f, 3180);
  EXPECT_EQ((std::vector<float>{f.left(), f.top(), f.width(), f.height()}), (std::vector<float>{105, 96, 2130, 3180}));
  Control& c = f.Add(Kind::Label, "l");
  c.Move(1, 2, 3, 4);
  c.Move(1, 2, std::numeric_limits<float>::infinity(), 4);
  EXPECT_FLOAT_EQ(c.width(), 3);
  c.SetBorderWidth(0);
  EXPECT_EQ(c.borderWidth(), 1);
}

// Setting the interval restarts the countdown even when it is the same;
// enabling a running timer does not; disabling and enabling does.
TEST(ModelTimer, RestartRules) {
  Form f("f");
  CountingView view;
  f.SetView(&view);
  Timer& t = f.AddTimer("t", 1000, true);
  t.SetEnabled(true);
  EXPECT_TRUE(view.restarts.empty()) << "enabling a running timer keeps its countdown";
  t.SetInterval(1000);
  t.SetEnabled(false);
  t.SetEnabled(true);
  EXPECT_EQ(view.restarts, (std::vector<uint64_t>{1, 2, 3}));
  t.SetInterval(-5);
  EXPECT_EQ(t.interval(), 0);
  f.SetView(nullptr);
}

TEST(ModelControls, OptionButtonsShareTheirContainerAndAListPickRaisesClick) {
  Form f("f");
  Control& frame = f.Add(Kind::Frame, "frame");
  Control& a = f.Add(Kind::OptionButton, "a", -1, &frame);
  Control& b = f.Add(Kind::OptionButton, "b", -1, &frame);
  Control& elsewhere = f.Add(Kind::OptionButton, "c");
  a.SetValue(true);
  elsewhere.SetValue(true);
  b.SetValue(true);
  EXPECT_EQ((std::vector<bool>{a.value(), b.value(), elsewhere.value()}), (std::vector<bool>{false, true, true}));

  Control& combo = f.Add(Kind::ComboBox, "combo");
  int clicks = 0;
  combo.onClick = [&] { ++clicks; };
  combo.AddItem("Medan", 7);
  combo.SelectItem(0);
  combo.SelectItem(5);  // no such entry
  EXPECT_EQ(combo.text(), "Medan");
  EXPECT_EQ(clicks, 1);
  frame.SetVisible(false);
  EXPECT_FALSE(a.shown());
}

}  // namespace
}  // namespace qov::ui
