// What qov-clock answers on the command line before any window system is
// touched, so that --help and --version work without a display.
#pragma once

#include <optional>

namespace qov::qt {

// The exit code when the program ends here: 0 after --help or --version, 2
// after an option that is neither the clock's nor Qt's own. Nothing when
// the clock should start.
std::optional<int> AnswerCommandLine(int argc, char** argv);

}  // namespace qov::qt
