// qov-jadwal where the program cannot be run from a shell: an output that
// fails. Its command line is tested through the program in
// tests/jadwal/cli_test.sh.
#include "tools/jadwal/jadwal.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "engine/datetime.h"

namespace qov::jadwal {
namespace {

TEST(JadwalBadInput, AnUnwritableOutputIsAFailureForTheHelpTooAndTheSchedule) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, std::vector<std::string>{"--date", "2026-01-01"}}) {
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(RunJadwal(args, out, err, DateSerial(2026, 12, 6)), kExitWriteError) << args[0];
    EXPECT_EQ(err.str(), "qov-jadwal: cannot write the output\n") << args[0];
  }
}

}  // namespace
}  // namespace qov::jadwal
