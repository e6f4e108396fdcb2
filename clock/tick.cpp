// The heartbeat (tmr, 300 ms) and the two alert timers: Timer2 measures the
// 66-second alert (and the midnight wait), Timer3 blinks the window.
#include <bit>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "app/clockface.h"
#include "clock/clock_time.h"
#include "engine/datetime.h"

namespace qov {

namespace {

// The order in which the tick tests the times; the first match wins.
constexpr const char* kAlertNames[5] = {"Dzhuhur", "Ashar", "Maghrib", "Isya", "Shubuh"};

// The "HH:MM" minute of a prayer time, as FormatHHMM shows it (rounded to
// the second, so 04:36:59.9999 is 04:37); a value that is no time at all
// matches nothing rather than passing for 00:00.
int MinuteOfDay(double dateTime) {
  if (!std::isfinite(dateTime)) return -1;
  const TimeOfDay t = TimeOf(dateTime);
  return t.hour * 60 + t.minute;
}

// Bitwise, so that a NaN output compares equal to itself and is reduced
// once instead of at every tick.
bool Same(double a, double b) {
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

void RefreshPrayerMinutes(ClockFace& c) {
  const engine::WaktuSholat& e = c.engine();
  const double outputs[5] = {e.WaktuDzuhur, e.WaktuAshar, e.WaktuMaghrib, e.WaktuIsya, e.WaktuShubuh};
  ClockFace::PrayerMinutes& pm = c.prayerMinutes;
  bool same = pm.valid;
  for (size_t i = 0; i < 5 && same; ++i) same = Same(pm.from[i], outputs[i]);
  if (same) return;
  for (size_t i = 0; i < 5; ++i) {
    pm.from[i] = outputs[i];
    pm.minute[i] = static_cast<int16_t>(MinuteOfDay(outputs[i]));
  }
  pm.valid = true;
}

// "HH:MM:SS" written into the label only when it differs; no allocation
// beyond the short string the label keeps.
void ShowClockText(ui::Control& label, const ClockReading& t) {
  const char text[8] = {static_cast<char>('0' + t.hour / 10),   static_cast<char>('0' + t.hour % 10),
                        ':',
                        static_cast<char>('0' + t.minute / 10), static_cast<char>('0' + t.minute % 10),
                        ':',
                        static_cast<char>('0' + t.second / 10), static_cast<char>('0' + t.second % 10)};
  const std::string_view view(text, sizeof text);
  if (label.text() != view) label.SetText(std::string(view));
}

}  // namespace

void ClockFace::tmr_Timer() {
  if (mAna->checked) UpdateHands();

  const double now = svc_.clock->Now();
  const ClockReading reading = ReadClock(now);
  if (!AdzanArmed) {
    digTime->SetText(NamaSholat);
  } else if (VersiDisplay == 1) {
    digTime->SetText(svc_.locale->LongTime(reading.wholeSecond));
  } else {
    ShowClockText(*digTime, reading);
  }

  // A day that began while the computer slept, or a clock set to another
  // date, must not keep the old day's times: the minute 00:00 alone is not
  // enough, it can be slept through or taken by an alert.
  if (DatePart(now) != ComputedDate) HitungHariIni();
  RefreshPrayerMinutes(*this);

  const int minute = reading.MinuteOfDay();
  if (AdzanArmed) {
    for (size_t i = 0; i < 5; ++i) {
      if (prayerMinutes.minute[i] == minute) {
        NamaSholat = kAlertNames[i];
        Adzhan();
        break;
      }
    }
  }

  // Every tick of the minute 00:00 repeats this while alerts stay armed;
  // Timer2 keeps counting from the first one (the midnight wait).
  if (minute == 0 && AdzanArmed) {
    Timer2->SetEnabled(true);
    HitungHariIni();
  }
}

void ClockFace::Timer2_Timer() {
  if (AlertTicks >= 65) {
    AlertTicks = 0;
    Timer2->SetEnabled(false);
    Timer3->SetEnabled(false);
    AdzanArmed = true;
    form_.SetBlink(true);
  } else {
    ++AlertTicks;
  }
}

// BlinkOff is never reset: an alert after one with an odd number of blinks
// starts in the other phase.
void ClockFace::Timer3_Timer() {
  if (BlinkOff) {
    form_.SetBlink(true);
    BlinkOff = false;
  } else {
    form_.SetBlink(false);
    BlinkOff = true;
  }
}

}  // namespace qov
