// A year of prayers at the places whose times are hardest to alert: past
// midnight, before it, shared minutes, polar day, the date line. The clock
// is run through the minutes around every prayer and every reminder; each
// prayer must alert once, at its minute, in time order, and each reminder
// come once, unless it would announce its prayer across the one before.
// Which minutes the prayers fall on is the engine's business (its tests
// hold it to published and independent tables); here the engine's day rows
// only say when the alerts are due.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

using YearOfAlerts = AppTest;

struct Due {
  long minute;  // since the epoch of date serials
  std::string names;
};

const char* Spelled(engine::Prayer p) {
  static const char* kNames[] = {"Shubuh", "Dzhuhur", "Ashar", "Maghrib", "Isya"};
  return kNames[static_cast<int>(p)];
}

// Every prayer of the rows from `first` to `last`, grouped by minute in time order.
std::vector<Due> DueAlerts(const settings::Location& l, double first, double last) {
  std::map<long, std::string> byMinute;
  for (double day = first; day <= last; ++day) {
    const engine::FullDay d = engine::HitungHariLengkap(DateOf(day), settings::PlaceOf(l), settings::MethodOf(l));
    for (int k = 0; k < engine::kPrayerCount; ++k) {
      const auto p = static_cast<engine::Prayer>(k);
      if (d[p].minuteOfDay < 0) continue;
      const long minute = std::lround(day) * 1440 + d[p].Minutes();
      std::string& names = byMinute[minute];
      const bool jumat = p == engine::Prayer::kDzuhur && minute / 1440 % 7 == 6;  // a Friday
      names += (names.empty() ? "" : " / ") + std::string(jumat ? "Jumat" : Spelled(p));
    }
  }
  std::vector<Due> due;
  for (auto& [minute, names] : byMinute) due.push_back({minute, names});
  return due;
}

TEST_F(YearOfAlerts, EveryPrayerAlertsOnceAtItsMinuteAndEveryReminderComesOnce) {
  using enum engine::HighLatitudeRule;
  const settings::Location kPlaces[] = {
      {.city = "Reykjavik", .latitude = 64.1466, .longitude = -21.9426, .timeZone = 0, .highLatitude = kAuto},
      {.city = "Longyearbyen", .latitude = 78.2232, .longitude = 15.6267, .timeZone = 1, .highLatitude = kAuto},
      {.city = "Budapest", .latitude = 47.4979, .longitude = 19.0402, .timeZone = 1, .highLatitude = kMiddleOfNight},
      {.city = "Apia", .latitude = -13.8333, .longitude = -171.7667, .timeZone = 13, .highLatitude = kAuto},
      {.city = "Ulan Bator", .latitude = 47.9077, .longitude = 106.8832, .timeZone = 8, .highLatitude = kMiddleOfNight},
      {.city = "Jakarta", .latitude = -6.15, .longitude = 106.816, .timeZone = 7, .highLatitude = kAuto},
  };
  constexpr int kLead = 10;
  const double first = DateSerial(2026, 1, 1), last = DateSerial(2026, 12, 31);
  const double second = 1.0 / 86400;
  for (const settings::Location& l : kPlaces) {
    SCOPED_TRACE(l.city);
    StorePlace(l);
    p.tray.messages.clear();
    std::vector<Due> due = DueAlerts(l, first - 1, last + 1);
    // A reminder is due `kLead` minutes before, unless that moment lies
    // before the prayer before it.
    auto inYear = [&](long minute) { return minute >= first * 1440 + 5 && minute < (last + 1) * 1440; };
    std::vector<long> reminders;
    for (size_t i = 1; i < due.size(); ++i)
      if (due[i].minute - kLead >= due[i - 1].minute && inYear(due[i].minute - kLead) && inYear(due[i].minute))
        reminders.push_back(due[i].minute);
    std::erase_if(due, [&](const Due& d) { return !inYear(d.minute); });

    StartAt(first);
    run->Click("reminder10");
    std::vector<double> moments;
    for (const Due& d : due) moments.push_back(d.minute / 1440.0), moments.push_back((d.minute - kLead) / 1440.0);
    std::sort(moments.begin(), moments.end());
    // Asleep between the moments; awake from just before each until its
    // alert has ended, or the next moment comes.
    for (size_t i = 0; i < moments.size(); ++i) {
      const double m = moments[i];
      if (m - 2 * second > p.clock.Now()) p.JumpTo(m - 2 * second);
      const double awake = i + 1 < moments.size() ? std::min(m + 70 * second, moments[i + 1] - 2 * second) : m + 70 * second;
      RunUntil(std::max(p.clock.Now(), awake));
    }

    std::vector<std::pair<long, std::string>> got, want;
    for (const Alert& a : run->alerts) got.push_back({std::lround(std::floor(a.at * 1440 + 1e-6)), a.name});
    for (const Due& d : due) want.push_back({d.minute, d.names});
    EXPECT_EQ(got.size(), want.size());
    size_t wrong = 0;
    for (size_t i = 0; i < std::min(got.size(), want.size()); ++i)
      if (got[i] != want[i] && ++wrong <= 3)
        ADD_FAILURE() << "alert " << i << ": " << FormatIsoDate(got[i].first / 1440.0) << " " << got[i].second
                      << " at minute " << got[i].first % 1440 << ", due " << want[i].second << " at "
                      << FormatIsoDate(want[i].first / 1440.0) << " minute " << want[i].first % 1440;
    // Each reminder names its prayer's time: "Isya 10 menit lagi (00:29)".
    std::vector<std::string> told, toldDue;
    for (const auto& message : p.tray.messages) told.push_back(message.second.substr(message.second.size() - 7));
    for (long m : reminders) {
      char hhmm[16];
      std::snprintf(hhmm, sizeof hhmm, "(%02ld:%02ld)", m % 1440 / 60, m % 60);
      toldDue.push_back(hhmm);
    }
    EXPECT_EQ(told, toldDue);
    std::cout << "[ year     ] " << l.city << ": " << got.size() << " alerts (" << want.size() << " due), "
              << p.tray.messages.size() << " reminders (" << reminders.size() << " due)\n";
  }
}

}  // namespace
}  // namespace qov::testing
