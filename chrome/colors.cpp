// Hand colours. They last for the run only: nothing is stored.
#include "chrome/colors.h"

#include "app/clockface.h"

namespace qov {

std::optional<ui::Color> PilihWarna(Dialogs& dialogs, ui::Handle owner) {
  ui::Color chosen = 0;
  if (!dialogs.ChooseColor(owner, &chosen)) return std::nullopt;
  // A plain RGB value: the high byte would read as a system colour.
  return chosen & 0x00FFFFFF;
}

namespace {
// Cancelling the dialog leaves the hand as it was.
void Warnai(ClockFace& clock, ui::Control& hand) {
  if (auto c = PilihWarna(*clock.services().dialogs, clock.form().hWnd())) hand.SetBorderColor(*c);
}
}  // namespace

void ClockFace::mJam_Click() { Warnai(*this, *hHand); }
void ClockFace::MMenit_Click() { Warnai(*this, *minHand); }
void ClockFace::mDetik_Click() { Warnai(*this, *secHand); }

}  // namespace qov
