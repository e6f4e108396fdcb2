// The location dialog over the clock: a city from the list or a place typed
// by hand, the additions, the Ashar school and the twilight angles. OK
// checks every box before anything is stored.
#pragma once

#include <vector>

#include "chrome/context_menu.h"
#include "clock/clock_window.h"
#include "clock/schedule.h"
#include "location/city_list.h"
#include "platform/model.h"
#include "platform/services.h"
#include "settings/settings.h"

namespace qov {

class LocationDialog {
 public:
  LocationDialog(ui::Form& form, ContextMenu& menu, Services& services, settings::Settings& settings,
                 ClockWindow& window, Schedule& schedule);

  // Opens the dialog; the city list beside the program is read into the
  // drop-down at the first opening, so a start that never needs it does
  // not wait for two thousand records.
  void Open();
  void PickCity();
  // False when a box was refused: the dialog stays open with that box
  // marked and named in the caption.
  bool Accept();
  void Cancel();
  // The Kemenag box: ticking it fills the angles and additions of the
  // published Indonesian schedule and turns on its rounding.
  void ToggleKemenag();
  // The system-zone box: the zone box then shows the system's offset and
  // cannot be edited.
  void ToggleFollowSystemZone();

 private:
  void LoadCities();
  void ClearWrongBoxes();
  void CloseFrame();

  ui::Form& form_;
  Services& svc_;
  settings::Settings& settings_;
  ClockWindow& window_;
  Schedule& schedule_;
  std::vector<City> cities_;
  bool citiesLoaded_ = false;
  std::string ownZone_;  // the zone box's text while the system's offset shows

  ui::Control* frame_ = nullptr;
  ui::Control* city_ = nullptr;
  ui::Control* latitude_ = nullptr;
  ui::Control* longitude_ = nullptr;
  ui::Control* zone_ = nullptr;
  ui::Control* followZone_ = nullptr;
  ui::Control* addShubuh_ = nullptr;
  ui::Control* addDzuhur_ = nullptr;
  ui::Control* addAshar_ = nullptr;
  ui::Control* addMaghrib_ = nullptr;
  ui::Control* addIsya_ = nullptr;
  ui::Control* hanafi_ = nullptr;
  ui::Control* shafii_ = nullptr;
  ui::Control* fajrAngle_ = nullptr;
  ui::Control* isyaAngle_ = nullptr;
  ui::Control* highLatitude_ = nullptr;
  ui::Control* hijriCorrection_ = nullptr;
  ui::Control* elevation_ = nullptr;
  ui::Control* kemenag_ = nullptr;
  ui::Control* ok_ = nullptr;
  ui::Control* cancel_ = nullptr;
};

}  // namespace qov
