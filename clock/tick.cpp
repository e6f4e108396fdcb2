// Placeholder: the main tick and the alert timers.
#include "app/clockface.h"

namespace qov {

void ClockFace::tmr_Timer() {}
void ClockFace::Timer2_Timer() {}
void ClockFace::Timer3_Timer() {}
void ClockFace::SetHand(int16_t, ui::Control&, int16_t) {}
void ClockFace::UpdateHands() {}
void ClockFace::Adzhan() {}
void ClockFace::PlayWave(const std::string&) {}
void ClockFace::mwSholat_Click() {}
void ClockFace::mpop_Click() {}
void ClockFace::timerPopUp_Timer() {}
void ClockFace::Frame1_Click() {}
void ClockFace::Command3_Click() {}

}  // namespace qov
