// The alerts the user sets: what happens at each time, the sound files and
// their fallback, stopping and muting, several reminders, Friday's Jumat,
// what a sleep missed, the next prayer in the tip and the countdown. The
// cases are the scenarios of tests/clock/data/alerts.txt.
#include "tests/app/scenario.h"

namespace qov::testing {
namespace {

class AlertChoices : public Scenario {
 protected:
  void Play() { Scenario::Play("clock/data/alerts.txt"); }
};

TEST_F(AlertChoices, EachTimeAlertsAsChosen) { Play(); }
TEST_F(AlertChoices, TheMasterSwitchOffSilencesAdzanAndChimeButNotTheNotification) { Play(); }
TEST_F(AlertChoices, OwnFilesShubuhsOwnAndTheShippedSoundWhenOneCannotPlay) { Play(); }
TEST_F(AlertChoices, TheAdzanStopsFromTheMenuOrAClickOnTheFaceButNotADrag) { Play(); }
TEST_F(AlertChoices, MutingStopsWhatPlays) { Play(); }
TEST_F(AlertChoices, AMuteSilencesUntilItsMomentAcrossMidnightASleepAndARestart) { Play(); }
TEST_F(AlertChoices, AHandEditedMuteOrCountdownFallsBackToSound) { Play(); }
TEST_F(AlertChoices, SeveralRemindersPerTimeEachOnceAndJumatsOwn) { Play(); }
TEST_F(AlertChoices, ARestartWithinAReminderMinuteDoesNotRepeatIt) { Play(); }
TEST_F(AlertChoices, FridaysDzuhurIsJumatOnThePanelTheAlertAndTheTip) { Play(); }
TEST_F(AlertChoices, ASleepPastTimesSaysWhatWasMissedQuietlyOnce) { Play(); }
TEST_F(AlertChoices, TheTipSaysTheNextPrayerItsTimeAndTheTimeLeft) { Play(); }
TEST_F(AlertChoices, TheCountdownTakesTurnsWithTheTimeEveryFiveSeconds) { Play(); }

// "Pengingat", the one lead for all five.
using Reminders = AlertChoices;
TEST_F(Reminders, ReminderOffShowsNothingAndAChoiceIsKeptForTheNextStart) { Play(); }
TEST_F(Reminders, ReminderAfterASleepPastItsMomentNeverLateAndSetBackNeverTwice) { Play(); }

}  // namespace
}  // namespace qov::testing
