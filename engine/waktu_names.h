// The names the clock shows for the times of the day, one table for the
// panel, the alert and the reminder.
#pragma once

#include <array>
#include <cstddef>

#include "engine/prayer_times.h"

namespace qov::engine {

inline constexpr std::array<const char*, kWaktuCount> kWaktuNames = {"Imsak",  "Shubuh", "Terbit",  "Dhuha",
                                                                     "Dzuhur", "Ashar",  "Maghrib", "Isya"};

constexpr const char* NameOf(Waktu w) { return kWaktuNames[static_cast<size_t>(w)]; }
constexpr const char* NameOf(Prayer p) { return NameOf(WaktuOf(p)); }

}  // namespace qov::engine
