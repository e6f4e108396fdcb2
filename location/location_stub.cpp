// Placeholder: the city list and the location dialog.
#include "app/clockface.h"

namespace qov {

void ClockFace::AddNamaPosisi() {}
void ClockFace::mLok_Click() {}
void ClockFace::Combo1_Click() {}
void ClockFace::Command1_Click() {}
void ClockFace::Command2_Click() {}

}  // namespace qov
