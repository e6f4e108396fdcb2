#include "backends/qt/tray.h"

#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>
#include <cstdio>

namespace qov::qt {
namespace {

// As deep as the window's menu goes (menu_plan.cpp): a deeper tree is a
// broken model.
constexpr int kMaxDepth = 16;

}  // namespace

QtTrayIcon::QtTrayIcon(std::function<QIcon()> icon) : icon_(std::move(icon)) {}

QtTrayIcon::~QtTrayIcon() = default;

bool QtTrayIcon::Show(const std::string& tip, std::function<void(Click)> onClick) {
  onClick_ = std::move(onClick);
  if (!systemIcon_) {
    systemIcon_ = std::make_unique<QSystemTrayIcon>(icon_());
    // Handled from the event loop, not inside the icon's own mouse event:
    // the handler may open a menu and end with Exit, which takes the icon's
    // window away while Qt would still be delivering that event to it.
    QObject::connect(systemIcon_.get(), &QSystemTrayIcon::activated, systemIcon_.get(),
                     [this](QSystemTrayIcon::ActivationReason r) { Activated(r); }, Qt::QueuedConnection);
    if (menu_) systemIcon_->setContextMenu(menu_.get());
  }
  systemIcon_->setToolTip(QString::fromStdString(tip));
  wanted_ = true;
  removed_ = false;
  // Shown even where no tray runs yet: Qt docks the icon when one starts.
  systemIcon_->show();
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::Remove() {
  if (!wanted_) return;
  wanted_ = false;
  removed_ = true;
  // Hidden, not deleted: Remove may run inside the icon's own signal (the
  // menu's Exit).
  if (systemIcon_) systemIcon_->hide();
}

void QtTrayIcon::ShowMessage(const std::string& title, const std::string& text) {
  notifications_.Send(title, text, [this, title, text] { Balloon(title, text); });
}

// Where no notification service answered. On a D-Bus tray Qt's balloon asks
// the same absent service, and without a tray there is none: the line on
// stderr is then all that is left of the notification.
void QtTrayIcon::Balloon(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "qov-clock: %s: %s\n", title.c_str(), text.c_str());
  if (wanted_ && systemIcon_ && QSystemTrayIcon::isSystemTrayAvailable())
    systemIcon_->showMessage(QString::fromStdString(title), QString::fromStdString(text),
                              QSystemTrayIcon::Information);
}

void QtTrayIcon::SetTip(const std::string& tip) {
  if (systemIcon_) systemIcon_->setToolTip(QString::fromStdString(tip));
  // The tip changes once a minute, and at a prayer right after its adzan
  // started: a tray that reads the menu without announcing it
  // (AboutToShow) still sees "Hentikan Adzan" and the mute in time.
  if (menu_) Sync();
}

void QtTrayIcon::SetMenu(ui::MenuItem& menu, ui::Handler onOpening) {
  onOpening_ = std::move(onOpening);
  mirrored_.clear();
  auto root = std::make_unique<QMenu>();
  Mirror(menu, *root, 0);
  // A D-Bus tray announces each showing (AboutToShow); an X tray's popup
  // shows it as any menu.
  QObject::connect(root.get(), &QMenu::aboutToShow, root.get(), [this] { Sync(); });
  if (systemIcon_) systemIcon_->setContextMenu(root.get());
  menu_ = std::move(root);
  Sync();
}

// The whole tree, hidden items too: a D-Bus tray knows the items by ids,
// which stay the same when only visibility, checks or captions change.
void QtTrayIcon::Mirror(ui::MenuItem& from, QMenu& into, int depth) {
  for (auto& child : from.children) {
    ui::MenuItem& item = *child;
    QAction* action = nullptr;
    if (item.caption == "-") {
      action = into.addSeparator();
    } else if (!item.children.empty() && depth < kMaxDepth) {
      QMenu* sub = into.addMenu(QString::fromStdString(item.caption));
      action = sub->menuAction();
      Mirror(item, *sub, depth + 1);
    } else {
      action = into.addAction(QString::fromStdString(item.caption));
      // From the event loop, after the menu has closed, as on the window.
      QObject::connect(action, &QAction::triggered, action, [this, &item] { Choose(item); }, Qt::QueuedConnection);
    }
    mirrored_.emplace_back(action, &item);
  }
}

void QtTrayIcon::Sync() {
  // Once removed, the icon stays gone; the menu's handlers may be too.
  if (removed_) return;
  if (onOpening_) {
    const ui::Handler opening = onOpening_;
    opening();
  }
  // Qt tells the tray only what changed.
  for (const auto& [action, item] : mirrored_) {
    action->setVisible(item->visible);
    if (action->isSeparator()) continue;
    action->setText(QString::fromStdString(item->caption));
    action->setEnabled(item->enabled);
    // Only a checked item shows a mark, as on the window's menu.
    action->setCheckable(item->checked);
    action->setChecked(item->checked);
  }
}

void QtTrayIcon::Choose(ui::MenuItem& item) {
  if (removed_) return;
  // A D-Bus tray may click what it showed before the state changed.
  if (item.visible && item.enabled && item.onClick) {
    const ui::Handler click = item.onClick;
    click();
  }
  Sync();
}

void QtTrayIcon::Activated(int reason) {
  if (!wanted_ || !onClick_) return;
  Click click;
  switch (reason) {
    // A D-Bus tray's Activate (its click) and an X tray's single click do
    // what the double click does on Windows.
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
      click = Click::kDoubleLeft;
      break;
    case QSystemTrayIcon::Context:
      if (menu_) {
        // An X tray has popped the menu up already; a D-Bus tray that asks
        // for it (ContextMenu) instead of drawing it gets it at the pointer.
        if (!menu_->isVisible()) menu_->popup(QCursor::pos());
        return;
      }
      click = Click::kRight;
      break;
    default:
      return;
  }
  // A copy: the handler may replace or drop the callback while it runs.
  const std::function<void(Click)> handler = onClick_;
  handler(click);
}

}  // namespace qov::qt
