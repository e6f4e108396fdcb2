// The prayer-time panel over the clock: today's date and five times. "Waktu
// Sholat" opens it with an auto-close after the pop-up delay; "Pop Up Waktu
// Sholat" opens it with the delay's editor.
#pragma once

#include <array>
#include <cstdint>

#include "chrome/context_menu.h"
#include "clock/clock_window.h"
#include "clock/schedule.h"
#include "platform/model.h"
#include "platform/services.h"
#include "settings/settings.h"

namespace qov {

class PrayerPanel {
 public:
  PrayerPanel(ui::Form& form, ContextMenu& menu, Services& services, settings::Settings& settings,
              ClockWindow& window, Schedule& schedule);

  void Load(int16_t popDelaySeconds, bool fullSchedule);

  void OpenWithAutoClose();
  void OpenWithDelayEditor();
  void Close();
  // The editor's OK: stores the typed delay and closes.
  void AcceptDelay();
  // "Jadwal Lengkap": Imsak, Terbit and Dhuha among the five.
  void ToggleFullSchedule();
  // The language changed: an open panel writes its dates in the new one.
  void Retranslate() {
    if (frame_->visible()) Fill();
  }

 private:
  void OpenFrame();
  void Fill();
  void ShowEditor(bool on);
  // Places the rows and the editor for the current mode and sizes the frame.
  void Arrange();

  ui::Form& form_;
  ContextMenu& menu_;
  Services& svc_;
  settings::Settings& settings_;
  ClockWindow& window_;
  Schedule& schedule_;

  ui::Control* frame_ = nullptr;
  ui::Control* date_ = nullptr;
  ui::Control* hijri_ = nullptr;
  // One row per time of the full day, in its order; the five prayers'
  // rows always show, Imsak, Terbit and Dhuha with "Jadwal Lengkap".
  struct Row {
    ui::Control* name = nullptr;
    ui::Control* colon = nullptr;
    ui::Control* time = nullptr;
  };
  std::array<Row, engine::kWaktuCount> rows_{};
  ui::Control* ruleNote_ = nullptr;
  ui::Control* delayCaption_ = nullptr;
  ui::Control* delayBox_ = nullptr;
  ui::Control* delayUnit_ = nullptr;
  ui::Control* delayOk_ = nullptr;
  ui::Timer* autoClose_ = nullptr;

  int16_t popDelay_ = settings::kDefaultPopDelay;
  bool fullSchedule_ = false;
  // The Hijri date is worked out once per civil day and correction.
  double hijriFor_ = -1;
  int hijriCorrection_ = 0;
  const void* hijriLanguage_ = nullptr;
};

}  // namespace qov
