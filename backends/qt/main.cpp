// The Linux program: the Qt application, the back end, the clock window
// and the event loop. SIGTERM, SIGINT, SIGHUP and the end of the session
// close the clock as the user would, so its settings are stored.
#include <QApplication>
#include <QIcon>
#include <QSessionManager>
#include <QSocketNotifier>
#include <algorithm>
#include <csignal>
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

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> answered = qov::qt::AnswerCommandLine(argc, argv)) return *answered;
  // The clock places itself, is dragged by its face and stays on top:
  // things a Wayland client may not do. Under Wayland it runs through
  // XWayland, unless the user chose a platform. Asked for on the command
  // line, not in the environment, which the browser or mail program the
  // clock opens would inherit.
  std::vector<char*> args(argv, argv + argc);
  char platformOption[] = "-platform", xcb[] = "xcb";
  const bool chosen = std::any_of(args.begin(), args.end(), [](const char* a) {
    return std::strcmp(a, "-platform") == 0 || std::strcmp(a, "--platform") == 0;
  });
  if (!chosen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
    args.push_back(platformOption);
    args.push_back(xcb);
  }
  args.push_back(nullptr);
  int count = static_cast<int>(args.size()) - 1;
  QApplication app(count, args.data());
  QCoreApplication::setOrganizationName("QOVClock");
  QCoreApplication::setApplicationName("QOVClock");
  QGuiApplication::setDesktopFileName("qov-clock");
  // The clock's windows are tool windows and hide while they blink: the
  // program ends when its main window closes, not when none is visible.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(QIcon(":/icons/qov.ico"));

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
    code = QApplication::exec();
    platform.Shutdown();
  }
  return code;
}
