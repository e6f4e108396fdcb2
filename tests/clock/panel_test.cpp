// The prayer-time panel, its auto-close and the pop-delay editor: the
// scenarios of tests/clock/data/panel.txt.
#include "tests/app/scenario.h"

namespace qov::testing {
namespace {

class PanelTest : public Scenario {
 protected:
  void Play() { Scenario::Play("clock/data/panel.txt"); }
};

TEST_F(PanelTest, OpensWithTodaysTimesAndClosesAfterTheDelayOrAClick) { Play(); }
TEST_F(PanelTest, TheEditorStaysUntilOkAndTheTypedDelayIsStoredAndUsedSafely) { Play(); }

}  // namespace
}  // namespace qov::testing
