// Numbers crossing between the system and the model in the Win32 back end.
#include <gtest/gtest.h>

#include <string>

#include "engine/datetime.h"
#include "backends/common/conversions.h"
#include "tests/data_lines.h"

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
  for (const auto& k : testing::DataRows("desktop/data/font_heights.txt"))
    EXPECT_EQ(FontHeightPx(std::stof(k.at(0)), static_cast<unsigned>(std::stoul(k.at(1)))), std::stoi(k.at(2)))
        << k[0] << " pt at " << k[1];
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
