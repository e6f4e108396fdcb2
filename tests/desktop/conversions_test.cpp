// Numbers crossing between the system and the model in the Win32 back end.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "engine/datetime.h"
#include "backends/common/conversions.h"

namespace qov::desktop {
namespace {

TEST(LocalTime, BecomesDaysSince1899WithMilliseconds) {
  EXPECT_DOUBLE_EQ(DateTimeFromLocal(1899, 12, 30, 0, 0, 0, 0), 0.0);
  EXPECT_DOUBLE_EQ(DateTimeFromLocal(1899, 12, 31, 12, 0, 0, 0), 1.5);
  const double t = DateTimeFromLocal(2004, 1, 12, 19, 30, 5, 250);
  EXPECT_EQ(FormatIsoDate(t), "2004-01-12");
  EXPECT_EQ(FormatHHMMSS(t), "19:30:05");
  // The milliseconds matter: the tick compares minutes that a truncated
  // clock would reach late.
  EXPECT_NEAR((t - DateTimeFromLocal(2004, 1, 12, 19, 30, 5, 0)) * 86400000.0, 250.0, 1e-3);
}

TEST(FontHeights, FollowTheMonitorsDpi) {
  const struct {
    float points;
    unsigned dpi;
    int px;
  } cases[] = {{8.25f, 96, 11}, {8.25f, 144, 17}, {24, 96, 32}, {24, 192, 64}, {9.75f, 120, 16},
               {8.25f, 0, 11},  // no DPI reported: 96
               // The layout's size for a tiny window, or garbage.
               {0.2f, 96, 1}, {-3, 96, 1}, {std::numeric_limits<float>::quiet_NaN(), 96, 11}, {1e9f, 96, 1333}};
  for (const auto& k : cases) EXPECT_EQ(FontHeightPx(k.points, k.dpi), k.px) << k.points << " pt at " << k.dpi;
}

TEST(SizingBorder, IsHalfTheDifferenceOnEachAxis) {
  EXPECT_EQ(BorderOf(141, 205, 141, 205), (Border{0, 0}));
  EXPECT_EQ(BorderOf(141, 205, 133, 197), (Border{4, 4}));
  // A client area bigger than the window (a glitch during a style change)
  // is no negative border.
  EXPECT_EQ(BorderOf(100, 100, 120, 90), (Border{0, 5}));
}

// What the back end reports from the system must read back as the same
// pixels, or every echo of its own move would look like news and the layout
// would run again and again.
TEST(ReportedGeometry, ReadsBackAsTheSamePixels) {
  for (unsigned dpi : {96u, 120u, 144u, 168u, 192u, 0u}) {
    const float tpp = TwipsPerPixel(dpi);
    const Scale s{tpp, tpp};
    ui::Form form("clockface");
    form.ReportScale(tpp, tpp);
    for (const PxRect& r : {PxRect{1125, 20, 1266, 225}, PxRect{0, 0, 141, 205}, PxRect{-300, 7, 522, 189},
                            PxRect{1999, 1033, 2253, 1411}}) {
      const TwipsRect t = ToTwips(r, s);
      form.ReportGeometry(t.left, t.top, t.width, t.height);
      EXPECT_EQ(FormRectPx(form), r) << "at " << dpi << " dpi";
    }
  }
}

TEST(ProgramFolder, IsThePathUpToTheLastSeparator) {
  EXPECT_EQ(FolderOf(std::string("C:\\Program Files\\QOVClock\\QOVClock.exe")), "C:\\Program Files\\QOVClock");
  EXPECT_EQ(FolderOf(std::string("C:\\QOVClock.exe")), "C:\\");  // a drive's root keeps its separator
  EXPECT_EQ(FolderOf(std::string("\\\\server\\share\\QOVClock.exe")), "\\\\server\\share");
  EXPECT_EQ(FolderOf(std::string("Z:/tmp/build/QOVClock.exe")), "Z:/tmp/build");
  EXPECT_EQ(FolderOf(std::string("QOVClock.exe")), "");
  EXPECT_EQ(FolderOf(std::u16string(u"D:\\Jam QOV\\QOVClock.exe")), u"D:\\Jam QOV");
}

}  // namespace
}  // namespace qov::desktop
