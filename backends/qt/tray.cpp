#include "backends/qt/tray.h"

#include <QSystemTrayIcon>

namespace qov::qt {

QtTrayIcon::QtTrayIcon(QIcon icon) : icon_(std::move(icon)) {}

QtTrayIcon::~QtTrayIcon() = default;

bool QtTrayIcon::Show(const std::string& tip, std::function<void(Click)> onClick) {
  onClick_ = std::move(onClick);
  if (!systemIcon_) {
    systemIcon_ = std::make_unique<QSystemTrayIcon>(icon_);
    // Handled from the event loop, not inside the icon's own mouse event:
    // the handler may open a menu and end with Exit, which takes the icon's
    // window away while Qt would still be delivering that event to it.
    QObject::connect(systemIcon_.get(), &QSystemTrayIcon::activated, systemIcon_.get(),
                     [this](QSystemTrayIcon::ActivationReason r) { Activated(r); }, Qt::QueuedConnection);
  }
  systemIcon_->setToolTip(QString::fromStdString(tip));
  wanted_ = true;
  // Shown even where no tray runs yet: Qt docks the icon when one starts.
  systemIcon_->show();
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::Remove() {
  if (!wanted_) return;
  wanted_ = false;
  // Hidden, not deleted: Remove may run inside the icon's own signal (the
  // menu's Exit).
  if (systemIcon_) systemIcon_->hide();
}

void QtTrayIcon::ShowMessage(const std::string& title, const std::string& text) {
  if (!wanted_ || !systemIcon_) return;
  systemIcon_->showMessage(QString::fromStdString(title), QString::fromStdString(text),
                            QSystemTrayIcon::Information);
}

void QtTrayIcon::SetTip(const std::string& tip) {
  if (systemIcon_) systemIcon_->setToolTip(QString::fromStdString(tip));
}

void QtTrayIcon::Activated(int reason) {
  if (!wanted_ || !onClick_) return;
  Click click;
  switch (reason) {
    case QSystemTrayIcon::DoubleClick:
      click = Click::kDoubleLeft;
      break;
    case QSystemTrayIcon::Context:
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
