// "Pengaturan Adzan": what it shows, what it refuses and what its OK stores;
// the scenarios of tests/clock/data/alerts.txt.
#include "tests/app/scenario.h"

namespace qov::testing {
namespace {

class AlertDialogTest : public Scenario {
 protected:
  void Play() { Scenario::Play("clock/data/alerts.txt"); }
};

TEST_F(AlertDialogTest, OpensOverTheClockWithWhatIsInForce) { Play(); }
TEST_F(AlertDialogTest, RefusesWrongBoxesSayingWhatIsWrongAndStoresNothing) { Play(); }
TEST_F(AlertDialogTest, OkStoresWhatChangedAndTheClockFollowsAtOnce) { Play(); }
TEST_F(AlertDialogTest, ATrialOfAFileThatCannotPlaySaysSoAndPlaysTheShippedSound) { Play(); }
TEST_F(AlertDialogTest, TheStripHoldsTheDialogAndGivesItsHeightBack) { Play(); }

}  // namespace
}  // namespace qov::testing
