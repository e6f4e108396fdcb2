// The clock program: composes the clock window, the alerts, the prayer
// panel, the location dialog, the tray menu and the about box over one
// form and the services, runs its start-up and shut-down, and beats the
// 300 ms tick that drives the window's time and the alerts.
#pragma once

#include <memory>

#include "platform/i18n.h"
#include "platform/model.h"
#include "platform/services.h"

namespace qov {

inline constexpr const char* kAppTitle = N_("Jam QOV");

class ClockApp {
 public:
  explicit ClockApp(Services& services);
  ~ClockApp();
  ClockApp(const ClockApp&) = delete;
  ClockApp& operator=(const ClockApp&) = delete;

  // The main window's form; the back end attaches its window before Start.
  ui::Form& form();
  // Reads the settings, shows the clock and runs its first layout pass.
  // False when another copy runs: the refusal was shown, and the caller ends
  // the process leaving nothing behind.
  bool Start();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace qov
