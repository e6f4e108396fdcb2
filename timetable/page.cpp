#include "timetable/page.h"

#include <algorithm>
#include <cmath>
#include <charconv>
#include <cstdio>

#include "engine/waktu_names.h"
#include "platform/i18n.h"

namespace qov::timetable {
namespace {

std::string Html(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string HHMM(const engine::PrayerTime& t) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", t.minuteOfDay / 60, t.minuteOfDay % 60);
  return buf;
}

std::string ShortMonth(int month) { return std::string(i18n::Tr(MonthName(month))).substr(0, 3); }

std::string HijriMonthYear(const engine::HijriDate& h) {
  return i18n::Fill("{1} {2} H", {i18n::Tr(engine::HijriMonthName(h.month)), std::to_string(h.year)});
}

// "Syaban – Ramadan 1447 H", "Zulhijah 1447 H – Muharram 1448 H".
std::string HijriSpan(const std::vector<Day>& days) {
  const auto first = std::find_if(days.begin(), days.end(), [](const Day& d) { return d.hijri.valid; });
  const auto last = std::find_if(days.rbegin(), days.rend(), [](const Day& d) { return d.hijri.valid; });
  if (first == days.end()) return "";
  const engine::HijriDate &a = first->hijri, &b = last->hijri;
  if (a.year == b.year && a.month == b.month) return HijriMonthYear(a);
  if (a.year == b.year) return std::string(i18n::Tr(engine::HijriMonthName(a.month))) + " – " + HijriMonthYear(b);
  return HijriMonthYear(a) + " – " + HijriMonthYear(b);
}

std::string CivilDay(double date, bool withYear) {
  const CivilDate c = DateOf(date);
  return std::to_string(c.day) + " " + i18n::Tr(MonthName(c.month)) + (withYear ? " " + std::to_string(c.year) : "");
}

// The offsets in force over the sheet's days, and the day each begins.
std::string OffsetsText(const std::vector<Day>& days) {
  constexpr auto kNoon = static_cast<size_t>(engine::Waktu::kDzuhur);
  std::string text;
  double current = std::nan("");
  for (const Day& d : days) {
    if (!d.times.valid || d.utcOffset[kNoon] == current) continue;
    if (!text.empty()) text += ", mulai " + CivilDay(d.date, false) + " ";
    text += UtcOffsetText(d.utcOffset[kNoon]);
    current = d.utcOffset[kNoon];
  }
  return text;
}

constexpr const char* kStyle = R"(
@page { size: A4; margin: 10mm 12mm; }
* { box-sizing: border-box; }
body { margin: 0; color: #000; font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; }
section { break-after: page; page-break-after: always; }
section:last-child { break-after: auto; page-break-after: auto; }
h1 { font-size: 22pt; margin: 0; }
.sub { font-size: 15pt; margin: 1mm 0 0; font-weight: bold; }
.info { font-size: 10.5pt; margin: 1.5mm 0 2.5mm; line-height: 1.35; }
table { width: 100%; border-collapse: collapse; table-layout: fixed; }
th { font-size: 11.5pt; padding: 1.2mm 0.5mm; background: #ddd; border-bottom: 0.5mm solid #000; }
td { text-align: center; padding: 0.35mm 0.5mm; line-height: 1.08; border-bottom: 0.2mm solid #aaa;
     white-space: nowrap; font-variant-numeric: tabular-nums; }
table.five td { font-size: 15.5pt; }
table.eight th { font-size: 9.5pt; padding: 1.2mm 0; }
table.eight td { font-size: 13pt; padding: 0.75mm 0.2mm; }
table.eight td.day, table.eight td.note { font-size: 10.5pt; }
td.day { text-align: left; padding-left: 1.5mm; font-size: 12pt; }
td.note { font-size: 11pt; }
tr.friday td { background: #e4f0e4; font-weight: bold; }
th.em { background: #f4d35e; }
td.em { background: #fbeeb8; font-weight: bold; }
tr.friday td.em { background: #f0e0a0; }
.mark { font-size: 55%; vertical-align: super; margin-left: 0.3mm; }
p.foot { font-size: 9pt; margin: 2mm 0 0; color: #333; }
@media screen { body { max-width: 200mm; margin: 8mm auto; } section { margin-bottom: 12mm; } }
)";

}  // namespace

std::string UtcOffsetText(double hours) {
  const long minutes = std::lround(std::fabs(hours) * 60);
  char buf[32];
  std::snprintf(buf, sizeof buf, "UTC%c%02ld:%02ld", hours < 0 ? '-' : '+', minutes / 60, minutes % 60);
  return buf;
}

std::string CoordinatesText(double latitude, double longitude) {
  auto degrees = [](double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f°", std::fabs(v));
    std::string s = buf;
    std::replace(s.begin(), s.end(), '.', *i18n::Tr("desimal", ","));  // a comma in Indonesian
    return s;
  };
  return degrees(latitude) + " " + (latitude < 0 ? i18n::Tr("LS") : i18n::Tr("LU")) + ", " + degrees(longitude) + " " +
         (longitude < 0 ? i18n::Tr("BB") : i18n::Tr("BT"));
}

std::vector<Sheet> MonthSheets(const std::vector<Day>& days, const std::vector<engine::Waktu>& shown) {
  std::vector<Sheet> sheets;
  int month = 0, year = 0;
  for (const Day& d : days) {
    const CivilDate c = DateOf(d.date);
    if (sheets.empty() || c.month != month || c.year != year) {
      month = c.month;
      year = c.year;
      Sheet& s = sheets.emplace_back();
      s.title = i18n::Fill("Jadwal Sholat {1} {2}", {i18n::Tr(MonthName(month)), std::to_string(year)});
      s.shown = shown;
    }
    sheets.back().days.push_back(d);
  }
  for (Sheet& s : sheets) s.subtitle = HijriSpan(s.days);
  return sheets;
}

Sheet RamadanSheet(const std::vector<Day>& days, int hijriYear) {
  Sheet s;
  s.title = i18n::Fill("Jadwal Imsakiyah Ramadan {1} H", {std::to_string(hijriYear)});
  s.ramadan = true;
  s.days = days;
  if (!days.empty())
    s.subtitle = CivilDay(days.front().date, DateOf(days.front().date).year != DateOf(days.back().date).year) +
                 " – " + CivilDay(days.back().date, true);
  for (int k = 0; k < engine::kWaktuCount; ++k) s.shown.push_back(static_cast<engine::Waktu>(k));
  s.emphasised = {engine::Waktu::kImsak, engine::Waktu::kMaghrib};
  return s;
}

std::string WritePage(const std::vector<Sheet>& sheets, const Heading& heading) {
  std::string out = "<!DOCTYPE html>\n<html lang=\"" + std::string(i18n::Current().code) + "\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
  out += Html(sheets.empty() ? i18n::Tr("Jadwal Sholat") : sheets.front().title) + "</title>\n<style>" + kStyle +
         "</style>\n</head>\n<body>\n";
  for (const Sheet& s : sheets) {
    const auto emphasised = [&s](engine::Waktu w) {
      return std::find(s.emphasised.begin(), s.emphasised.end(), w) != s.emphasised.end();
    };
    out += "<section>\n<h1>" + Html(s.title) + "</h1>\n";
    if (!s.subtitle.empty()) out += "<p class=\"sub\">" + Html(s.subtitle) + "</p>\n";
    std::string zone = heading.zone.empty() ? OffsetsText(s.days) : heading.zone + " (" + OffsetsText(s.days) + ")";
    out += "<p class=\"info\">" + Html(heading.place) + "<br>" + Html(heading.method) + "<br>" + Html(i18n::Fill("Waktu: {1}", {zone})) +
           "</p>\n";
    const bool eight = s.shown.size() > 5;
    out += std::string("<table class=\"") + (eight ? "eight" : "five") + "\">\n<thead><tr>";
    // The first three columns' widths, in per cent: narrower beside eight times.
    const auto th = [](int width, const char* name) {
      return "<th style=\"width:" + std::to_string(width) + "%\">" + name + "</th>";
    };
    out += s.ramadan ? th(11, i18n::Tr("Ramadan")) + th(11, i18n::Tr("kolom", "Hari")) + th(9, i18n::Tr("Tanggal"))
                     : th(eight ? 12 : 14, i18n::Tr("kolom", "Hari")) + th(eight ? 5 : 7, i18n::Tr("Tgl")) + th(eight ? 15 : 19, i18n::Tr("Hijriah"));
    for (const engine::Waktu w : s.shown)
      out += std::string(emphasised(w) ? "<th class=\"em\">" : "<th>") + i18n::Tr(engine::NameOf(w)) + "</th>";
    out += "</tr></thead>\n<tbody>\n";
    bool otherDay = false, ruled = false;
    for (size_t i = 0; i < s.days.size(); ++i) {
      const Day& d = s.days[i];
      const CivilDate c = DateOf(d.date);
      out += IsFriday(d.date) ? "<tr class=\"friday\">" : "<tr>";
      std::string hijri = "–";
      if (d.hijri.valid)
        hijri = std::to_string(d.hijri.day) +
                (!s.ramadan && (i == 0 || d.hijri.day == 1) ? " " + std::string(i18n::Tr(engine::HijriMonthName(d.hijri.month)))
                                                            : "");
      const std::string civil = s.ramadan ? std::to_string(c.day) + " " + ShortMonth(c.month) : std::to_string(c.day);
      const std::string day = std::string("<td class=\"day\">") + i18n::Tr("hari", WeekdayName(d.date)) + "</td>";
      out += s.ramadan ? "<td>" + hijri + "</td>" + day + "<td class=\"note\">" + civil + "</td>"
                       : day + "<td>" + civil + "</td><td class=\"note\">" + Html(hijri) + "</td>";
      for (const engine::Waktu w : s.shown) {
        const engine::PrayerTime& t = d.times[w];
        std::string cell = d.times.valid && t.minuteOfDay >= 0 ? HHMM(t) : "–";
        if (d.times.valid && t.dayOffset != 0) {
          cell += std::string("<span class=\"mark\">") + (t.dayOffset > 0 ? "+" : "−") +
                  std::to_string(std::abs(t.dayOffset)) + "</span>";
          otherDay = true;
        }
        if (d.times.valid && t.status != engine::TimeStatus::kNormal) {
          cell += "<span class=\"mark\">*</span>";
          ruled = true;
        }
        out += std::string(emphasised(w) ? "<td class=\"em\">" : "<td>") + cell + "</td>";
      }
      out += "</tr>\n";
    }
    out += std::string("</tbody>\n</table>\n<p class=\"foot\">") + i18n::Tr("Hari Jumat dicetak tebal.");
    // The minus sign stays outside the texts: xgettext drops it.
    if (otherDay) out += std::string(" ") + i18n::Tr("+1: esok hari;") + " −1: " + i18n::Tr("hari sebelumnya.");
    if (ruled) out += std::string(" ") + i18n::Tr("*: matahari tidak mencapai sudutnya hari itu; waktu pengganti.");
    out += std::string(" ") + i18n::Tr("Dihitung oleh Jam QOV.") + "</p>\n</section>\n";
  }
  out += "</body>\n</html>\n";
  return out;
}

namespace {
std::string Number(double v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string SignedText(int v) { return (v >= 0 ? "+" : "") + std::to_string(v); }

}  // namespace

std::string MethodText(const engine::Method& m, bool kemenag) {
  using i18n::Fill;
  using i18n::Tr;
  // The degree sign stays outside the texts: xgettext drops it.
  const std::string text = Fill("sudut Shubuh {1}, Isya {2}, Ashar {3}",
                                {Number(m.fajrAngle) + "°", Number(m.isyaAngle) + "°",
                                 m.mazhab == engine::Mazhab::kHanafi ? "Hanafi" : Tr("Syafi'i")});
  const std::pair<const char*, int> additions[] = {{N_("Shubuh"), m.addShubuh}, {N_("Dzuhur"), m.addDzuhur},
                                                   {N_("Ashar"), m.addAshar},   {N_("Maghrib"), m.addMaghrib},
                                                   {N_("Isya"), m.addIsya}};
  std::string added;
  for (const auto& [name, minutes] : additions)
    if (minutes) added += std::string(added.empty() ? "" : ", ") + Tr(name) + " " + SignedText(minutes);
  const std::string all = added.empty() ? text : Fill("{1}; ihtiyat {2} menit", {text, added});
  return kemenag ? Fill("Metode Kemenag: {1}", {all}) : all;
}

}  // namespace qov::timetable
