// Notifications through the desktop's notification service
// (org.freedesktop.Notifications on the session bus), which keeps them in
// its history and honours do-not-disturb, unlike a tray balloon.
#pragma once

#include <functional>
#include <string>

namespace qov::qt {

class DesktopNotifications {
 public:
  // Sends a notification without waiting for the answer; `undelivered`
  // runs later, from the event loop, when no service took it (none on the
  // bus, no bus, or no answer in time).
  void Send(const std::string& title, const std::string& text, std::function<void()> undelivered);
};

}  // namespace qov::qt
