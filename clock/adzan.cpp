// The start of a prayer alert and the adzan recording beside the program.
#include "app/clockface.h"

namespace qov {

void ClockFace::Adzhan() {
  AdzanArmed = false;
  // An alert that starts during the midnight wait (a prayer at 00:01) takes
  // over Timer2 with a fresh count: ending with the wait's count would cut
  // it to a few seconds and re-arm it inside its own minute, so the same
  // prayer would alert, and the adzan start, a second time.
  AlertTicks = 0;
  Timer2->SetEnabled(true);
  // Plain concatenation: a program at a drive's root ("C:\") gives
  // "C:\\adzhan.wav", which Windows reads as the same file.
  if (msuara->checked && svc_.files) PlayWave(svc_.files->AppPath() + "\\adzhan.wav");
  Timer3->SetEnabled(true);
}

// Asynchronous; a missing or unplayable file plays nothing and the alert
// goes on regardless.
void ClockFace::PlayWave(const std::string& path) {
  if (svc_.sound) svc_.sound->PlayWave(path);
}

}  // namespace qov
