#include "backends/qt/command_line.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace qov::qt {
namespace {

constexpr const char* kUsage =
    "Usage: qov-clock [--help] [--version] [Qt options]\n"
    "Jam QOV: a desktop clock with today's prayer times and the adzan.\n"
    "\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Everything else is set from the clock's own menu (right click on the\n"
    "clock or its tray icon) and kept in $XDG_CONFIG_HOME/QOVClock/QOVClock.conf.\n"
    "Qt's options, such as -platform xcb or -display :1, are passed on to Qt.\n"
    "The times for any day or month: qov-jadwal --help.\n";

// QGuiApplication's and QApplication's own options; the session manager
// restarts the program with -session. Those in the first list take a value.
constexpr std::string_view kQtWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "style", "stylesheet", "qmljsdebugger"};
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

// "-name", "--name" or "-name=value" / "--name=value" as Qt reads them.
bool IsQtOption(std::string_view arg, bool* takesNext) {
  arg.remove_prefix(arg.rfind("--", 0) == 0 ? 2 : 1);
  const size_t eq = arg.find('=');
  const std::string_view name = arg.substr(0, eq);
  for (std::string_view o : kQtWithValue)
    if (name == o) {
      *takesNext = eq == std::string_view::npos;
      return true;
    }
  for (std::string_view o : kQtFlags)
    if (arg == o) return true;
  return false;
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::printf("qov-clock %s\n", QOV_VERSION);
      return 0;
    }
    bool takesNext = false;
    if (arg.size() > 1 && arg[0] == '-' && IsQtOption(arg, &takesNext)) {
      i += takesNext ? 1 : 0;
      continue;
    }
    std::fprintf(stderr, "qov-clock: %s '%s' (see qov-clock --help)\n",
                 arg.size() > 1 && arg[0] == '-' ? "unknown option" : "takes no argument", argv[i]);
    return 2;
  }
  return std::nullopt;
}

}  // namespace qov::qt
