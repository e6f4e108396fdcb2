// "Pengaturan Adzan" over the clock: per time what happens at it and the
// reminder leads, the adzan file and Shubuh's, the volume with a trial. OK
// checks every box before anything is stored.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "chrome/context_menu.h"
#include "clock/alerts.h"
#include "clock/clock_window.h"
#include "platform/model.h"
#include "platform/services.h"
#include "settings/settings.h"

namespace qov {

class AlertDialog {
 public:
  AlertDialog(ui::Form& form, ContextMenu& menu, Services& services, settings::Settings& settings,
              ClockWindow& window, Alerts& alerts);

  void Open();
  // False when a box was refused: the dialog stays open with that box
  // marked and named in the caption.
  bool Accept();
  void Cancel();

 private:
  void Pick(std::string& path, const char* title);
  void ShowFiles();
  void Refuse(ui::Control* box, const std::string& what, const std::string& message);
  void Close();

  ui::Form& form_;
  Services& svc_;
  settings::Settings& settings_;
  ClockWindow& window_;
  Alerts& alerts_;

  ui::Control* frame_ = nullptr;
  std::array<ui::Control*, settings::kAlertTimes> choices_{};
  std::array<ui::Control*, settings::kAlertTimes + 1> leads_{};
  // What the lead boxes showed at opening: unchanged, a value not stored
  // stays unstored.
  std::array<std::string, settings::kAlertTimes + 1> shownLeads_;
  ui::Control* adzanFile_ = nullptr;
  ui::Control* shubuhFile_ = nullptr;
  ui::Control* volume_ = nullptr;
  std::string adzanPath_, shubuhPath_;  // empty: the default
  bool tried_ = false;
};

}  // namespace qov
