// The notification-area icon through QSystemTrayIcon. Qt puts the icon back
// by itself when the tray restarts.
#pragma once

#include <QIcon>
#include <functional>
#include <memory>

#include "platform/services.h"

class QSystemTrayIcon;

namespace qov::qt {

class QtTrayIcon final : public TrayIcon {
 public:
  explicit QtTrayIcon(QIcon icon);
  ~QtTrayIcon() override;
  bool Show(const std::string& tip, std::function<void(Click)> onClick) override;
  void Remove() override;
  void ShowMessage(const std::string& title, const std::string& text) override;
  void SetTip(const std::string& tip) override;

 private:
  void Activated(int reason);

  QIcon icon_;
  std::unique_ptr<QSystemTrayIcon> systemIcon_;
  std::function<void(Click)> onClick_;
  bool wanted_ = false;
};

}  // namespace qov::qt
