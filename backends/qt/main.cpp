// The Linux program: the Qt application, the back end, the clock window
// and the event loop. SIGTERM, SIGINT, SIGHUP and the end of the session
// close the clock as the user would, so its settings are stored.
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QSocketNotifier>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>
#include <sys/socket.h>
#include <unistd.h>

#include "app/clock_app.h"
#include "backends/qt/command_line.h"
#include "backends/qt/platform.h"

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  // Only async-signal-safe work here: the event loop does the rest.
  [[maybe_unused]] const ssize_t n = write(signalPipe[1], &byte, 1);
}

void CatchTerminationSignals() {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &sa, nullptr);
}

// Qt's Wayland platform plugin is installed (Debian: qt6-wayland).
bool WaylandPluginPresent() {
  QStringList folders = qEnvironmentVariable("QT_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
  folders << QLibraryInfo::path(QLibraryInfo::PluginsPath);
  return std::any_of(folders.begin(), folders.end(), [](const QString& f) {
    return !QDir(f + QStringLiteral("/platforms")).entryList({QStringLiteral("libqwayland-*.so")}, QDir::Files).isEmpty();
  });
}

// The clock places itself, is dragged by its face and stays on top:
// things a Wayland client may not do. Under Wayland it runs through
// XWayland where there is one, unless the user chose a platform; with
// Wayland alone it runs natively (the compositor places it, and moves it
// when the face is dragged). Asked for on the command line, not in the
// environment, which the browser or mail program the clock opens would
// inherit. False, after saying what is missing, when no display will do:
// Qt would abort with a message about plugins.
bool ChooseDisplay(std::vector<char*>& args) {
  static char platformOption[] = "-platform", xcb[] = "xcb";
  const bool chosen = std::any_of(args.begin(), args.end(), [](const char* a) {
    return std::strcmp(a, "-platform") == 0 || std::strcmp(a, "--platform") == 0;
  });
  if (chosen || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
  if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
    args.push_back(platformOption);
    args.push_back(xcb);
    return true;
  }
  if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    std::fputs("qov-clock: no display to show the clock on: it needs an X11 display (DISPLAY) or a Wayland "
               "session (WAYLAND_DISPLAY).\n", stderr);
    return false;
  }
  if (!WaylandPluginPresent()) {
    std::fputs("qov-clock: this Wayland session has no XWayland (DISPLAY is not set) and Qt's Wayland plugin is "
               "not installed: install XWayland (Debian: xwayland) or the plugin (Debian: qt6-wayland).\n", stderr);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> answered = qov::qt::AnswerCommandLine(argc, argv)) return *answered;
  std::vector<char*> args(argv, argv + argc);
  if (!ChooseDisplay(args)) return 1;
  args.push_back(nullptr);
  int count = static_cast<int>(args.size()) - 1;
  // Each second's repaint is a hand's box and a label, a few kilobytes:
  // sent over the X socket they cost no more than through shared memory,
  // where every flush waits for the server's answer and so wakes the
  // clock a second time each second. Read once, when Qt connects; taken
  // out again so that the programs the clock opens get their own choice.
  const bool shmChosen = qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
  if (!shmChosen) qputenv("QT_XCB_NO_MITSHM", "1");
  QApplication app(count, args.data());
  if (!shmChosen) qunsetenv("QT_XCB_NO_MITSHM");
  QCoreApplication::setOrganizationName("QOVClock");
  QCoreApplication::setApplicationName("QOVClock");
  QGuiApplication::setDesktopFileName("qov-clock");
  // The clock's windows are tool windows and hide while they blink: the
  // program ends when its main window closes, not when none is visible.
  QApplication::setQuitOnLastWindowClosed(false);

  // Declared before the clock: the services and the windows outlive the
  // form they show.
  qov::qt::Platform platform;
  CatchTerminationSignals();
  std::unique_ptr<QSocketNotifier> signalNotifier;
  if (signalPipe[0] >= 0) {
    signalNotifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, [&platform] {
      char byte;
      [[maybe_unused]] const ssize_t n = read(signalPipe[0], &byte, 1);
      platform.CloseMain();
      QCoreApplication::exit(0);
    });
  }
  QObject::connect(&app, &QGuiApplication::commitDataRequest, [&platform](QSessionManager&) { platform.CloseMain(); });

  int code = 0;
  {
    qov::ClockApp clock(platform.services);
    if (!platform.AttachMain(clock.form())) return 1;
    if (!clock.Start()) {
      // A second copy: it leaves no window, icon or setting behind.
      platform.Discard();
      return 0;
    }
    // The window list's icon once the clock is on the screen: decoding it
    // first would only hold the window back.
    platform.AfterShown([] { QApplication::setWindowIcon(qov::qt::ClockIcon()); });
    code = QApplication::exec();
    platform.Shutdown();
  }
  return code;
}
