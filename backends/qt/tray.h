// The notification-area icon through QSystemTrayIcon, on an X tray (XEmbed)
// or a D-Bus one (StatusNotifierItem), whichever the desktop runs. Qt puts
// the icon back by itself when the tray restarts.
#pragma once

#include <QIcon>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "backends/qt/notifications.h"
#include "platform/services.h"

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace qov::qt {

class QtTrayIcon final : public TrayIcon {
 public:
  // The icon is made when the tray icon is first shown.
  explicit QtTrayIcon(std::function<QIcon()> icon);
  ~QtTrayIcon() override;
  bool Show(const std::string& tip, std::function<void(Click)> onClick) override;
  void Remove() override;
  void ShowMessage(const std::string& title, const std::string& text) override;
  void SetTip(const std::string& tip) override;
  void SetMenu(ui::MenuItem& menu, ui::Handler onOpening) override;

 private:
  void Activated(int reason);
  void Mirror(ui::MenuItem& from, QMenu& into, int depth);
  void Sync();
  void Choose(ui::MenuItem& item);
  void Balloon(const std::string& title, const std::string& text);

  std::function<QIcon()> icon_;
  DesktopNotifications notifications_;
  // The model's menu as a QMenu, which Qt exports over D-Bus (dbusmenu) to
  // a D-Bus tray and pops up itself on an X tray. It outlives the icon
  // that points to it.
  std::unique_ptr<QMenu> menu_;
  std::vector<std::pair<QAction*, ui::MenuItem*>> mirrored_;
  ui::Handler onOpening_;
  std::unique_ptr<QSystemTrayIcon> systemIcon_;
  std::function<void(Click)> onClick_;
  bool wanted_ = false;
  bool removed_ = false;
};

}  // namespace qov::qt
