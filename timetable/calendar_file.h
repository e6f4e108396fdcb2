// The timetable as an iCalendar file (RFC 5545) that calendar programs
// import: one event per shown time per day. Each event's UID is made of
// its row's date, the time's name and the place, so importing a newer
// file (another method, another month's overlap) updates the events
// instead of adding copies. Times are written in UTC ("Z"), each at the
// offset in force at its own instant, so summer time needs no zone rules
// in the file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/prayer_times.h"
#include "timetable/days.h"

namespace qov::timetable {

struct CalendarFile {
  std::string placeName;         // in each event's title and location; may be empty
  double latitude = 0, longitude = 0;  // the place part of the UIDs
  std::string methodText;        // each event's description
  std::vector<engine::Waktu> shown;  // the events of a day, in the day's order
  std::vector<int> alarmLeads;   // minutes before each time; empty: no alarm
  double stampUtc = 0;           // DTSTAMP: when the file was made, UTC
};

// The whole file, CRLF line ends, long lines folded. Days without times
// (outside the engine's years) and times without a minute are left out.
std::string WriteCalendarFile(const std::vector<Day>& days, const CalendarFile& file);

// RFC 5545 3.3.11: backslash, semicolon, comma and line breaks escaped.
std::string EscapeText(std::string_view text);
// RFC 5545 3.1: a content line cut into lines of at most 75 octets, each
// continuation starting with a blank, never inside a UTF-8 sequence; with
// its CRLF.
std::string FoldLine(std::string_view line);

}  // namespace qov::timetable
