// TEMPORARY until settings/settings.cpp lands: the two settings functions
// qov-jadwal uses, so that it links on its own. Delete this file (and its
// line in CMakeLists.txt) once qov_settings exists.
#include "engine/numeric.h"
#include "settings/settings.h"

namespace qov::settings {

engine::Place PlaceOf(const Location& l) {
  return {l.latitude, l.longitude, static_cast<double>(l.timeZone)};
}

engine::Method MethodOf(const Location& l) {
  engine::Method m;
  m.fajrAngle = RoundHalfEven(l.sudutFajar);
  m.isyaAngle = RoundHalfEven(l.sudutIsya);
  if (m.isyaAngle < 10 || m.isyaAngle > 20) m.isyaAngle = engine::DefaultIsyaAngle(l.latitude);
  m.mazhab = l.mazhab == 1 ? engine::Mazhab::kShafii : engine::Mazhab::kHanafi;
  m.addDzuhur = l.addDzuhur;
  m.addMaghrib = l.addMaghrib;
  return m;
}

}  // namespace qov::settings
