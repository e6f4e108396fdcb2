#include "timetable/calendar_file.h"

#include <cmath>
#include <cstdio>

#include "engine/waktu_names.h"
#include "platform/i18n.h"

namespace qov::timetable {

std::string EscapeText(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ';' || c == ',') {
      out += '\\';
      out += c;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\\n";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      // Other controls are not allowed in TEXT values at all.
    } else {
      out += c;
    }
  }
  return out;
}

std::string FoldLine(std::string_view line) {
  constexpr size_t kMaxOctets = 75;
  std::string out;
  size_t room = kMaxOctets;
  size_t i = 0;
  while (line.size() - i > room) {
    size_t cut = i + room;
    // Back off to the start of a UTF-8 sequence.
    while (cut > i && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    if (cut == i) cut = i + room;  // not UTF-8 after all: cut where it fits
    out.append(line.substr(i, cut - i));
    out += "\r\n ";
    i = cut;
    room = kMaxOctets - 1;  // the blank counts
  }
  out.append(line.substr(i));
  out += "\r\n";
  return out;
}

namespace {

// "20260329T043000Z" for a UTC date-time value, to the second.
std::string UtcText(double utc) {
  const double day = std::floor(utc);
  long seconds = std::lround((utc - day) * 86400);
  double date = day;
  if (seconds >= 86400) {
    seconds -= 86400;
    date += 1;
  }
  const CivilDate c = DateOf(date);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d%02d%02dT%02ld%02ld%02ldZ", c.year, c.month, c.day, seconds / 3600,
                seconds / 60 % 60, seconds % 60);
  return buf;
}

// The place as the UID names it: degrees to three decimals, the precision
// the clock computes with, so the same city always gives the same UIDs.
std::string PlaceKey(double latitude, double longitude) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%+.3f%+.3f", latitude, longitude);
  return buf;
}

std::string LowerName(engine::Waktu w) {
  std::string s = engine::NameOf(w);
  for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  return s;
}

}  // namespace

std::string WriteCalendarFile(const std::vector<Day>& days, const CalendarFile& file) {
  std::string out;
  auto line = [&out](std::string_view text) { out += FoldLine(text); };
  const std::string where = EscapeText(file.placeName);
  line("BEGIN:VCALENDAR");
  line("VERSION:2.0");
  line("PRODID:-//QOV Clock//qov-jadwal//ID");
  line("CALSCALE:GREGORIAN");
  line("METHOD:PUBLISH");
  line("X-WR-CALNAME:" + EscapeText(i18n::Tr("Jadwal Sholat") + (file.placeName.empty() ? "" : " " + file.placeName)));
  const std::string stamp = UtcText(file.stampUtc);
  const std::string place = PlaceKey(file.latitude, file.longitude);
  for (const Day& d : days) {
    if (!d.times.valid) continue;
    std::string date = FormatIsoDate(d.date);
    std::erase(date, '-');
    for (const engine::Waktu w : file.shown) {
      if (d.times[w].minuteOfDay < 0) continue;
      const std::string name = i18n::Tr(engine::NameOf(w));
      line("BEGIN:VEVENT");
      line("UID:" + date + "-" + LowerName(w) + place + "@jadwal.qovclock");
      line("DTSTAMP:" + stamp);
      line("DTSTART:" + UtcText(d.Utc(w)));
      line("SUMMARY:" + EscapeText(name) + (where.empty() ? "" : " (" + where + ")"));
      if (!where.empty()) line("LOCATION:" + where);
      if (!file.methodText.empty()) line("DESCRIPTION:" + EscapeText(file.methodText));
      line("TRANSP:TRANSPARENT");
      for (const int lead : file.alarmLeads) {
        line("BEGIN:VALARM");
        line("ACTION:DISPLAY");
        line("DESCRIPTION:" + EscapeText(lead == 1 ? i18n::Fill("{1} 1 menit lagi", {name})
                                                      : i18n::Fill("{1} {2} menit lagi", {name, std::to_string(lead)})));
        line("TRIGGER:-PT" + std::to_string(lead) + "M");
        line("END:VALARM");
      }
      line("END:VEVENT");
    }
  }
  line("END:VCALENDAR");
  return out;
}

}  // namespace qov::timetable
