#include "backends/qt/notifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QStringList>
#include <QVariantMap>

namespace qov::qt {
namespace {

// A service that has not answered by then is not coming: the balloon is
// still timely.
constexpr int kAnswerMs = 5000;

}  // namespace

void DesktopNotifications::Send(const std::string& title, const std::string& text,
                                std::function<void()> undelivered) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    undelivered();
    return;
  }
  QDBusMessage notify = QDBusMessage::createMethodCall(
      "org.freedesktop.Notifications", "/org/freedesktop/Notifications", "org.freedesktop.Notifications", "Notify");
  // The icon by its name in the icon theme, as the desktop entry names it;
  // the entry lets the service group and configure our notifications.
  const QVariantMap hints{{"desktop-entry", QStringLiteral("qov-clock")}};
  notify << QStringLiteral("Jam QOV") << uint{0} << QStringLiteral("qov-clock") << QString::fromStdString(title)
         << QString::fromStdString(text) << QStringList{} << hints << int{-1};
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(notify, kAnswerMs));
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                   [undelivered = std::move(undelivered)](QDBusPendingCallWatcher* w) {
                     if (w->isError()) undelivered();
                     w->deleteLater();
                   });
}

}  // namespace qov::qt
