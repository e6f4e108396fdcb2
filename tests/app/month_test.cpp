// "Jadwal Sebulan": the scenarios of tests/app/data/month.txt.
#include "tests/app/scenario.h"

namespace qov::testing {
namespace {

class MonthWindow : public Scenario {
 protected:
  void Play() { Scenario::Play("app/data/month.txt"); }
};

TEST_F(MonthWindow, OpensOnTodaysMonthAndPages) { Play(); }
TEST_F(MonthWindow, PagesOnlyWithinTheCalendarsReach) { Play(); }
TEST_F(MonthWindow, OffersNothingInsideTheClockWhileOpen) { Play(); }
TEST_F(MonthWindow, ShowsEightTimesWithTheFullSchedule) { Play(); }
TEST_F(MonthWindow, SavesTheShownMonthAsACalendarFile) { Play(); }
TEST_F(MonthWindow, SavesAPdfOrLeavesItToTheBrowser) { Play(); }
TEST_F(MonthWindow, LeavesThePdfToTheBrowserWithoutAWriter) { Play(); }
TEST_F(MonthWindow, TellsAFileItCannotWriteAndWritesNothing) { Play(); }
TEST_F(MonthWindow, SpeaksTheChosenLanguage) { Play(); }

}  // namespace
}  // namespace qov::testing
