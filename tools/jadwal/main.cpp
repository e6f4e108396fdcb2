// qov-jadwal: see jadwal.h.
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "engine/datetime.h"
#include "tools/jadwal/jadwal.h"

int main(int argc, char** argv) {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  const double today =
      local ? qov::DateSerial(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday) : 0;
  const std::vector<std::string> args(argv + 1, argv + argc);
  constexpr double kUnixEpoch = 25569;  // 1970-01-01 as a date-time value
  const double nowUtc = kUnixEpoch + static_cast<double>(now) / 86400;
  return qov::jadwal::RunJadwal(args, std::cout, std::cerr, today, nowUtc);
}
