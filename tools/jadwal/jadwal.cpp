#include "tools/jadwal/jadwal.h"

#include <date/tz.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>
#include <iterator>
#include <functional>
#include <map>
#include <string_view>
#include <system_error>

#include "engine/datetime.h"
#include "engine/hijri.h"
#include "engine/numeric.h"
#include "engine/prayer_times.h"
#include "platform/i18n.h"
#include "timetable/calendar_file.h"
#include "timetable/days.h"
#include "timetable/page.h"

namespace qov::jadwal {
namespace {

constexpr const char* kProgram = "qov-jadwal";

// Control characters are written as \xNN so that an error stays one line and
// an argument cannot drive the terminal.
std::string Quote(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", b);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// Shortest text that reads back as the same double.
std::string NumberText(double v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

// A whole argument as a finite decimal number, "." as the point whatever the
// locale. An optional leading "+" is allowed (zones are written "+7").
std::optional<double> ParseNumber(const std::string& option, const std::string& text,
                                  std::string& error) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
  double v = 0;
  const auto r = std::from_chars(first, last, v);
  if (r.ec == std::errc::result_out_of_range && r.ptr == last) {
    error = option + ": " + Quote(text) + " is out of range";
    return std::nullopt;
  }
  if (r.ec != std::errc() || r.ptr != last || !std::isfinite(v)) {
    error = option + ": " + Quote(text) + " is not a number";
    return std::nullopt;
  }
  return v;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Fixed-width unsigned field of `width` digits, or -1.
int Digits(const std::string& s, std::size_t pos, std::size_t width) {
  int v = 0;
  for (std::size_t i = pos; i < pos + width; ++i) {
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return -1;
    v = v * 10 + (s[i] - '0');
  }
  return v;
}

// "YYYY-MM" (withDay false) or "YYYY-MM-DD"; years 1 to 9999.
bool ParseCalendar(const std::string& s, bool withDay, int& y, int& m, int& d) {
  const std::size_t length = withDay ? 10 : 7;
  if (s.size() != length || s[4] != '-' || (withDay && s[7] != '-')) return false;
  y = Digits(s, 0, 4);
  m = Digits(s, 5, 2);
  d = withDay ? Digits(s, 8, 2) : 1;
  if (y < 1 || m < 1 || m > 12) return false;
  return d >= 1 && d <= DaysInMonth(y, m);
}

std::string Signed(int v) { return (v >= 0 ? "+" : "") + std::to_string(v); }

std::string HHMM(const engine::PrayerTime& t) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", t.minuteOfDay / 60, t.minuteOfDay % 60);
  return buf;
}

const char* RuleName(engine::HighLatitudeRule r) {
  switch (r) {
    case engine::HighLatitudeRule::kMiddleOfNight: return "the middle of the night";
    case engine::HighLatitudeRule::kSeventhOfNight: return "a seventh of the night";
    case engine::HighLatitudeRule::kTwilightAngle: return "the twilight angle's share of the night";
    default: return "none";
  }
}

// A row's range as the help and the errors state it: "-12 to 14".
std::string RangeText(const settings::Setting& s) {
  const settings::Range& r = s.range;
  return (r.open ? "strictly between " + NumberText(r.min) + " and " : NumberText(r.min) + " to ") +
         NumberText(r.max);
}

// The rule words, "auto, middle, seventh, angle or none".
std::string RuleWords() {
  std::string words;
  const size_t n = std::size(settings::kHighLatitudeChoices);
  for (size_t i = 0; i < n; ++i)
    words += (i == 0 ? "" : i + 1 == n ? " or " : ", ") + std::string(settings::kHighLatitudeChoices[i].option);
  return words;
}

// The zone database's zone for a name, or null for a name it does not know.
const date::time_zone* FindZone(const std::string& name) {
  try {
    return date::locate_zone(name);
  } catch (const std::exception&) {
    return nullptr;
  }
}

// The machine's zone as the C library sees it: $TZ when set (a zone name,
// optionally after ":", or a path into the zone database), else the
// system's own. A TZ the database does not know is no zone.
const date::time_zone* LocalZone() {
  if (const char* tz = std::getenv("TZ")) {
    std::string name = tz;
    if (!name.empty() && name[0] == ':') name.erase(0, 1);
    if (const size_t at = name.find("zoneinfo/"); name.rfind('/', 0) == 0 && at != std::string::npos)
      name.erase(0, at + 9);
    return FindZone(name.empty() ? "UTC" : name);
  }
  try {
    return date::current_zone();
  } catch (const std::exception&) {
    return nullptr;
  }
}

constexpr double kUnixEpochSerial = 25569;  // 1970-01-01 as a date-time value

// The zone's offset, hours, at a UTC date-time value; NaN beyond its data.
double OffsetAt(const date::time_zone* zone, double utc) {
  try {
    const auto seconds = static_cast<long long>(std::llround((utc - kUnixEpochSerial) * 86400));
    const date::sys_seconds t{std::chrono::seconds{seconds}};
    return zone->get_info(t).offset.count() / 3600.0;
  } catch (const std::exception&) {
    return std::nan("");
  }
}

std::string OffsetText(double hours) {
  const long minutes = std::lround(std::fabs(hours) * 60) % (100 * 60);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%c%02ld:%02ld", hours < 0 ? '-' : '+', minutes / 60, minutes % 60);
  return buf;
}

std::string ZoneHoursText(double hours) {
  return (hours >= 0 ? "+" : "") + NumberText(hours);
}


// Writes beside the target, then renames it into place: a reader never
// sees half a file, and a failed write leaves the old one as it was.
bool WriteWhole(const std::string& path, const std::string& text, std::ostream& out, std::string& error) {
  if (path == "-") {
    out << text;
    out.flush();
    if (!out) error = "cannot write the output";
    return static_cast<bool>(out);
  }
  namespace fs = std::filesystem;
  const fs::path target(path);
  std::error_code ec;
  if (fs::is_directory(target, ec)) {
    error = "cannot write " + Quote(path) + ": it is a folder";
    return false;
  }
  char tag[16];
  std::snprintf(tag, sizeof tag, "%08x", static_cast<unsigned>(std::random_device{}()));
  const fs::path temp = target.parent_path() / ("." + target.filename().string() + "." + tag + ".tmp");
  std::ofstream file(temp, std::ios::binary | std::ios::trunc);
  if (!file) {
    error = "cannot write " + Quote(path) + ": " + std::generic_category().message(errno);
    return false;
  }
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  if (file) fs::rename(temp, target, ec);
  if (!file || ec) {
    error = "cannot write " + Quote(path) + ": " + (ec ? ec.message() : "the disk refused the data");
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

// The page and the calendar file, each whole or not at all.
int WriteFiles(const Options& o, const std::vector<timetable::Day>& days, const std::vector<engine::Waktu>& shown,
               const std::string& placeName, const std::string& methodText, const std::string& zoneName,
               const engine::Place& place, double stampUtc, std::ostream& out, std::ostream& err) {
  for (const timetable::Day& d : days) {
    const std::string month = FormatIsoDate(d.date).substr(0, 7);
    if (!d.times.valid) {
      err << kProgram << ": no prayer times for " << month << ": the clock computes the years 100 to 9999\n";
      return kExitUsage;
    }
    if (!o.htmlFile.empty() && !d.hijri.valid) {
      err << kProgram << ": --html: no Hijri dates for " << month << ": the Hijri calendar covers "
          << engine::kHijriFirstCivilYear << " to " << engine::kHijriLastCivilYear << "\n";
      return kExitUsage;
    }
  }
  std::string error;
  if (!o.htmlFile.empty()) {
    const std::vector<timetable::Sheet> sheets =
        o.ramadan ? std::vector{timetable::RamadanSheet(days, *o.ramadan)} : timetable::MonthSheets(days, shown);
    const std::string coordinates = timetable::CoordinatesText(place.latitude, place.longitude);
    const timetable::Heading heading{placeName.empty() ? coordinates : placeName + " (" + coordinates + ")",
                                     methodText, zoneName};
    if (!WriteWhole(o.htmlFile, timetable::WritePage(sheets, heading), out, error)) {
      err << kProgram << ": " << error << '\n';
      return kExitWriteError;
    }
  }
  if (!o.icsFile.empty()) {
    std::vector<int> leads(o.alarmLeads.begin(), o.alarmLeads.end());
    const timetable::CalendarFile file{placeName, place.latitude, place.longitude, methodText, shown, leads,
                                       stampUtc};
    if (!WriteWhole(o.icsFile, timetable::WriteCalendarFile(days, file), out, error)) {
      err << kProgram << ": " << error << '\n';
      return kExitWriteError;
    }
  }
  return kExitOk;
}
}  // namespace

std::string Usage() {
  const settings::Location d;
  using std::to_string;
  using namespace settings;
  return "Usage: qov-jadwal --lat L --lon G --tz Z [--dzuhur N] [--maghrib N] [--ashar S]\n"
         "                  [--fajr A] [--isya A] [--date YYYY-MM-DD | --month YYYY-MM] [--csv]\n"
         "                  [--method default|kemenag] [--shubuh N] [--ashar-add N]\n"
         "                  [--isya-add N] [--elevation M] [--high-lat RULE] [--full]\n"
         "                  [--hijri] [--months N] [--ramadan YEAR] [--hijri-correction N]\n"
         "                  [--html FILE] [--ics FILE [--remind N,N]] [--name TEXT]\n"
         "                  [--lang id|en]\n"
         "\n"
         "Prints the prayer times (Shubuh, Dzuhur, Ashar, Maghrib, Isya) of QOV Clock\n"
         "for one day or a whole month. Options may also be written --option=value.\n"
         "\n"
         "  --lat L           latitude in degrees, north positive,\n"
         "                    " + RangeText(kLatitude) + " (default " + NumberText(d.latitude) + ", " + d.city + ")\n"
         "  --lon G           longitude in degrees, east positive, " + RangeText(kLongitude) + "\n"
         "                    (default " + NumberText(d.longitude) + ")\n"
         "  --tz Z            time zone: hours ahead of universal time, " + RangeText(kTimeZone) + " in\n"
         "                    whole quarter hours (7, 5.5, -3.5, 5.75); or a zone name\n"
         "                    of the system's time-zone database (Asia/Kolkata,\n"
         "                    Europe/London), each time then at the offset in force\n"
         "                    at that instant (summer time included); or \"local\",\n"
         "                    the machine's zone ($TZ when set) (default " + settings::PlainNumber(d.timeZone) + ")\n"
         "  --dzuhur N        minutes added to solar noon; more than 10 counts as 10\n"
         "                    (default " + to_string(d.addDzuhur) + ")\n"
         "  --maghrib N       minutes added to sunset; more than 4 counts as 4\n"
         "                    (default " + to_string(d.addMaghrib) + ")\n"
         "  --shubuh N        minutes added to Shubuh (default 0)\n"
         "  --ashar-add N     minutes added to Ashar (default 0)\n"
         "  --isya-add N      minutes added to Isya (default 0)\n"
         "  --ashar S         Ashar shadow factor, " + RangeText(kMazhab) + ": 1 Shafi'i and Hambali,\n"
         "                    2 Hanafi (default " + to_string(d.mazhab) + ")\n"
         "  --fajr A          sun's depression for Shubuh in degrees, " + RangeText(kFajrAngle) + ",\n"
         "                    rounded to a whole degree, halves to even (default " +
         NumberText(d.sudutFajar) + ")\n"
         "  --isya A          sun's depression for Isya in degrees, " + RangeText(kIsyaAngle) + ",\n"
         "                    rounded likewise (default " + NumberText(d.sudutIsya) + ")\n"
         "  --method NAME     default: the clock's own tables; kemenag: the schedule of\n"
         "                    Indonesia's Ministry of Religious Affairs (Shubuh -20,\n"
         "                    Isya -18, Dhuha 4.5 degrees, 2 minutes added, Dzuhur 3,\n"
         "                    Terbit -2, seconds rounded up, the accurate sun); the\n"
         "                    options above still override its values\n"
         "  --elevation M     the place's height in metres, " + RangeText(kElevation) + ": a higher\n"
         "                    place sees the sun rise earlier and set later (default 0)\n"
         "  --high-lat RULE   where the sun does not reach the Fajr or Isya angle:\n"
         "                    none (held at the nearest time, as the clock does),\n"
         "                    middle (half the night), seventh (a seventh of it),\n"
         "                    angle (angle/60 of it), auto (a seventh beyond 48\n"
         "                    degrees of latitude, else the middle; the default)\n"
         "  --date YYYY-MM-DD the day to print (default today)\n"
         "  --month YYYY-MM   print every day of this month instead of one day\n"
         "  --full            also Imsak, Terbit (sunrise) and Dhuha\n"
         "  --hijri           a last column with the Hijri date, YYYY-MM-DD\n"
         "  --months N        N months (1 to 12) from --month's, or from this month\n"
         "  --ramadan YEAR    the days of Ramadan of a Hijri year (1447), by the clock's\n"
         "                    Hijri calendar\n"
         "  --hijri-correction N  days, -2 to 2: the clock's \"Koreksi Hijriah\"\n"
         "                    (default 0)\n"
         "  --html FILE       write the printable page instead of the table: HTML, one\n"
         "                    A4 page per month (this month's without --month), or\n"
         "                    with --ramadan the jadwal imsakiyah\n"
         "  --ics FILE        write a calendar file (iCalendar) instead: one event per\n"
         "                    time per day (the eight with --full), in UTC\n"
         "  --remind N,N      alarms in the calendar file, minutes before each time\n"
         "                    (1 to 120)\n"
         "  --name TEXT       the place's name on the page and in the events (default\n"
         "                    the first-run city when no --lat or --lon is given)\n"
         "  --csv             comma-separated output with the header\n"
         "                    tanggal,shubuh,dzuhur,ashar,maghrib,isya (with --full\n"
         "                    tanggal,imsak,shubuh,terbit,dhuha,dzuhur,ashar,maghrib,\n"
         "                    isya; --hijri adds hijri)\n"
         "  --lang CODE       the table's and the page's language: id (the default) or\n"
         "                    en; the CSV header stays as it is; with --help, id gives\n"
         "                    this text in Indonesian\n"
         "  --help            show this text and exit\n"
         "\n"
         "N and S are rounded to whole numbers (halves to even) that must fit 16 bits.\n"
         "Times are HH:MM of the given zone, in the table marked +1 on the next day (an\n"
         "Isya after midnight) or -1 on the day before; with a zone name the table shows\n"
         "each day's UTC offset. FILE \"-\" is standard output; a file is written whole\n"
         "or not at all (beside it first, then renamed). Exit status: 0 on success, 2 on\n"
         "bad arguments (a month without times or Hijri dates, a Hijri year without\n"
         "data), 1 when the output cannot be written.\n";
}

std::string UsageIndonesian() {
  const settings::Location d;
  using std::to_string;
  using namespace settings;
  return "Pemakaian: qov-jadwal --lat L --lon G --tz Z [--dzuhur N] [--maghrib N] [--ashar S]\n"
         "                  [--fajr A] [--isya A] [--date YYYY-MM-DD | --month YYYY-MM] [--csv]\n"
         "                  [--method default|kemenag] [--shubuh N] [--ashar-add N]\n"
         "                  [--isya-add N] [--elevation M] [--high-lat ATURAN] [--full]\n"
         "                  [--hijri] [--months N] [--ramadan TAHUN] [--hijri-correction N]\n"
         "                  [--html BERKAS] [--ics BERKAS [--remind N,N]] [--name TEKS]\n"
         "                  [--lang id|en]\n"
         "\n"
         "Mencetak waktu sholat (Shubuh, Dzuhur, Ashar, Maghrib, Isya) Jam QOV untuk\n"
         "satu hari atau sebulan penuh. Opsi boleh juga ditulis --opsi=nilai.\n"
         "\n"
         "  --lat L           lintang dalam derajat, utara positif,\n"
         "                    " + RangeText(kLatitude) + " (bawaan " + NumberText(d.latitude) + ", " + d.city + ")\n"
         "  --lon G           bujur dalam derajat, timur positif, " + RangeText(kLongitude) + "\n"
         "                    (bawaan " + NumberText(d.longitude) + ")\n"
         "  --tz Z            zona waktu: jam di depan waktu universal, " + RangeText(kTimeZone) + ",\n"
         "                    dalam seperempat jam (7, 5.5, -3.5, 5.75); atau nama zona\n"
         "                    dari basis data zona waktu sistem (Asia/Jakarta,\n"
         "                    Europe/London), tiap waktu pada selisih yang berlaku saat\n"
         "                    itu (termasuk waktu musim panas); atau \"local\", zona\n"
         "                    mesin ini ($TZ bila diisi) (bawaan " + settings::PlainNumber(d.timeZone) + ")\n"
         "  --dzuhur N        menit ditambahkan pada tengah hari; lebih dari 10 dihitung 10\n"
         "                    (bawaan " + to_string(d.addDzuhur) + ")\n"
         "  --maghrib N       menit ditambahkan pada terbenam; lebih dari 4 dihitung 4\n"
         "                    (bawaan " + to_string(d.addMaghrib) + ")\n"
         "  --shubuh N        menit ditambahkan pada Shubuh (bawaan 0)\n"
         "  --ashar-add N     menit ditambahkan pada Ashar (bawaan 0)\n"
         "  --isya-add N      menit ditambahkan pada Isya (bawaan 0)\n"
         "  --ashar S         faktor bayangan Ashar, " + RangeText(kMazhab) + ": 1 Syafi'i dan Hambali,\n"
         "                    2 Hanafi (bawaan " + to_string(d.mazhab) + ")\n"
         "  --fajr A          sudut matahari di bawah ufuk untuk Shubuh, " + RangeText(kFajrAngle) + ",\n"
         "                    dibulatkan ke derajat utuh (bawaan " + NumberText(d.sudutFajar) + ")\n"
         "  --isya A          sudut untuk Isya, " + RangeText(kIsyaAngle) + ", dibulatkan sama\n"
         "                    (bawaan " + NumberText(d.sudutIsya) + ")\n"
         "  --method NAMA     default: tabel jam ini sendiri; kemenag: jadwal Kementerian\n"
         "                    Agama (Shubuh -20, Isya -18, Dhuha 4.5 derajat, ihtiyat 2\n"
         "                    menit, Dzuhur 3, Terbit -2, detik dibulatkan ke atas);\n"
         "                    opsi di atas tetap menimpa nilainya\n"
         "  --elevation M     ketinggian tempat dalam meter, " + RangeText(kElevation) + "\n"
         "                    (bawaan 0)\n"
         "  --high-lat ATURAN bila matahari tidak mencapai sudut Shubuh atau Isya:\n"
         "                    none (ditahan pada waktu terdekat), middle (separuh malam),\n"
         "                    seventh (sepertujuh malam), angle (sudut/60 malam), auto\n"
         "                    (sepertujuh di atas lintang 48 derajat, selain itu middle;\n"
         "                    bawaan)\n"
         "  --date YYYY-MM-DD hari yang dicetak (bawaan hari ini)\n"
         "  --month YYYY-MM   cetak setiap hari bulan ini\n"
         "  --full            juga Imsak, Terbit dan Dhuha\n"
         "  --hijri           kolom terakhir berisi tanggal Hijriah, YYYY-MM-DD\n"
         "  --months N        N bulan (1 sampai 12) mulai --month, atau bulan ini\n"
         "  --ramadan TAHUN   hari-hari Ramadan satu tahun Hijriah (1447), menurut\n"
         "                    kalender Hijriah jam ini\n"
         "  --hijri-correction N  hari, -2 sampai 2: \"Koreksi Hijriah\" jam ini (bawaan 0)\n"
         "  --html BERKAS     tulis halaman cetak, bukan tabel: HTML, satu halaman A4 per\n"
         "                    bulan, atau dengan --ramadan jadwal imsakiyah\n"
         "  --ics BERKAS      tulis berkas kalender (iCalendar): satu acara per waktu per\n"
         "                    hari (delapan dengan --full), dalam UTC\n"
         "  --remind N,N      alarm dalam berkas kalender, menit sebelum tiap waktu\n"
         "                    (1 sampai 120)\n"
         "  --name TEKS       nama tempat di halaman dan di acara\n"
         "  --csv             keluaran dipisah koma dengan kepala\n"
         "                    tanggal,shubuh,dzuhur,ashar,maghrib,isya (dengan --full\n"
         "                    tanggal,imsak,shubuh,terbit,dhuha,dzuhur,ashar,maghrib,\n"
         "                    isya; --hijri menambah hijri)\n"
         "  --lang KODE       bahasa tabel, halaman dan bantuan ini: id (bawaan) atau en;\n"
         "                    kepala CSV tetap sama\n"
         "  --help            tampilkan teks ini lalu keluar\n"
         "\n"
         "N dan S dibulatkan ke bilangan bulat yang muat dalam 16 bit. Waktu ditulis HH:MM\n"
         "zona yang diberikan; di tabel +1 menandai hari berikutnya (Isya lewat tengah\n"
         "malam) dan -1 hari sebelumnya. BERKAS \"-\" adalah keluaran standar; berkas\n"
         "ditulis utuh atau tidak sama sekali. Status keluar: 0 berhasil, 2 argumen\n"
         "salah, 1 bila keluaran tidak dapat ditulis.\n";
}

std::optional<Options> ParseArgs(const std::vector<std::string>& args, std::string& error) {
  Options o;
  settings::Location& l = o.location;
  bool haveDate = false, haveMonth = false;

  // An option for a stored value: a number its row accepts.
  auto rowSetter = [&](const settings::Setting& setting) {
    return [&, r = &setting](const std::string& opt, const std::string& v) {
      const settings::Setting& row = *r;
      const auto x = ParseNumber(opt, v, error);
      if (!x) return false;
      if (row.InRange(*x) && !row.OnStep(*x)) {
        error = opt + ": " + Quote(v) + (row.range.step == 1 ? " is not a whole number" : " is not a whole quarter hour");
        return false;
      }
      if (!row.InRange(*x)) {
        error = opt + ": " + Quote(v) + " is out of range (" + RangeText(row) + ")";
        return false;
      }
      row.field.set(l, *x + 0.0);  // (-0 as 0)
      return true;
    };
  };
  const auto setNumericZone = rowSetter(settings::kTimeZone);
  auto setZone = [&](const std::string& opt, const std::string& v) {
    if (v == "local") {
      if (!LocalZone()) {
        error = opt + ": the machine's time zone is unknown";
        return false;
      }
      o.zone = {Zone::Kind::kLocal, 0, {}};
      return true;
    }
    std::string numberError;
    if (ParseNumber(opt, v, numberError)) {
      if (!setNumericZone(opt, v)) return false;
      o.zone = {Zone::Kind::kFixed, l.timeZone, {}};
      return true;
    }
    // Names are letters, digits and "/_+-"; anything else is no zone and
    // never reaches the database's file lookup.
    const bool nameLike = !v.empty() && std::isalpha(static_cast<unsigned char>(v[0])) &&
                          std::all_of(v.begin(), v.end(), [](char c) {
                            return std::isalnum(static_cast<unsigned char>(c)) ||
                                   std::string_view("/_+-").find(c) != std::string_view::npos;
                          }) &&
                          v.find("..") == std::string::npos;
    if (!nameLike || !FindZone(v)) {
      error = opt + ": " + Quote(v) + (nameLike ? " is not a known time zone"
                                                : " is not a number or a time zone name");
      return false;
    }
    o.zone = {Zone::Kind::kNamed, 0, v};
    return true;
  };
  auto setMethod = [&](const std::string& opt, const std::string& v) {
    if (v != "default" && v != "kemenag") {
      error = opt + ": " + Quote(v) + " is not a method (default or kemenag)";
      return false;
    }
    o.kemenag = v == "kemenag";
    return true;
  };
  auto setHighLat = [&](const std::string& opt, const std::string& v) {
    for (const settings::HighLatitudeChoice& c : settings::kHighLatitudeChoices)
      if (v == c.option) {
        l.highLatitude = c.rule;
        return true;
      }
    error = opt + ": " + Quote(v) + " is not a rule (" + RuleWords() + ")";
    return false;
  };
  auto setDate = [&](const std::string& opt, const std::string& v) {
    int y = 0, m = 0, d = 0;
    if (!ParseCalendar(v, true, y, m, d)) {
      error = opt + ": " + Quote(v) + " is not a valid date (YYYY-MM-DD)";
      return false;
    }
    o.firstDay = DateSerial(y, m, d);
    o.days = 1;
    haveDate = true;
    return true;
  };
  auto setMonth = [&](const std::string& opt, const std::string& v) {
    int y = 0, m = 0, d = 0;
    if (!ParseCalendar(v, false, y, m, d)) {
      error = opt + ": " + Quote(v) + " is not a valid month (YYYY-MM)";
      return false;
    }
    o.firstDay = DateSerial(y, m, 1);
    o.days = DaysInMonth(y, m);
    o.wholeMonth = true;
    haveMonth = true;
    return true;
  };
  // A whole number within [lo, hi], or the message `what`.
  auto wholeIn = [&](const std::string& opt, const std::string& v, int lo, int hi, const char* what,
                     int& into) {
    const int n = v.empty() || v.size() > 4 ? -1 : Digits(v, 0, v.size());
    if (n < lo || n > hi) {
      error = opt + ": " + Quote(v) + " is not " + what;
      return false;
    }
    into = n;
    return true;
  };
  auto setMonths = [&](const std::string& opt, const std::string& v) {
    return wholeIn(opt, v, 1, 12, "a number of months from 1 to 12", o.months);
  };
  auto setRamadan = [&](const std::string& opt, const std::string& v) {
    int year = 0;
    if (!wholeIn(opt, v, 1, 9999, "a Hijri year", year)) return false;
    o.ramadan = year;
    return true;
  };
  // The output's file; "-" is standard output.
  auto fileSetter = [&](std::string Options::*file) {
    return [&, file](const std::string& opt, const std::string& v) {
      if (v.empty()) {
        error = opt + ": an empty file name";
        return false;
      }
      o.*file = v;
      return true;
    };
  };
  auto setName = [&](const std::string& opt, const std::string& v) {
    if (v.empty() || std::any_of(v.begin(), v.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
      error = opt + ": " + Quote(v) + " is not a place's name";
      return false;
    }
    o.placeName = v;
    return true;
  };
  auto setRemind = [&](const std::string& opt, const std::string& v) {
    const auto leads = settings::ParseLeads(v);
    if (!leads || leads->empty()) {
      error = opt + ": " + Quote(v) + " is not minutes from 1 to " + std::to_string(settings::kMaxLead) +
              " between commas";
      return false;
    }
    o.alarmLeads = *leads;
    return true;
  };

  using Setter = std::function<bool(const std::string&, const std::string&)>;
  const std::map<std::string, Setter> valued = {
      {"--lat", rowSetter(settings::kLatitude)},
      {"--lon", rowSetter(settings::kLongitude)},
      {"--tz", setZone},
      {"--dzuhur", rowSetter(settings::kAddDzuhur)},
      {"--maghrib", rowSetter(settings::kAddMaghrib)},
      {"--ashar", rowSetter(settings::kMazhab)},
      {"--fajr", rowSetter(settings::kFajrAngle)},
      {"--isya", rowSetter(settings::kIsyaAngle)},
      {"--date", setDate},
      {"--month", setMonth},
      {"--method", setMethod},
      {"--high-lat", setHighLat},
      {"--elevation", rowSetter(settings::kElevation)},
      {"--shubuh", rowSetter(settings::kAddShubuh)},
      {"--ashar-add", rowSetter(settings::kAddAshar)},
      {"--isya-add", rowSetter(settings::kAddIsya)},
      {"--hijri-correction", rowSetter(settings::kHijriCorrection)},
      {"--months", setMonths},
      {"--ramadan", setRamadan},
      {"--html", fileSetter(&Options::htmlFile)},
      {"--ics", fileSetter(&Options::icsFile)},
      {"--name", setName},
      {"--remind", setRemind},
      // Any other code is Indonesian, as the clock reads its "Bahasa".
      {"--lang", [](const std::string&, const std::string& v) { return i18n::SetLanguage(v) || true; }},
  };
  const std::map<std::string, bool Options::*> flags = {
      {"--csv", &Options::csv}, {"--full", &Options::full}, {"--hijri", &Options::hijri}};

  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      o.help = true;
      // Without --lang id the English text, which the manual page is made
      // from.
      for (std::size_t i = 0; i < args.size(); ++i)
        if (args[i] == "--lang=id" || (args[i] == "--lang" && i + 1 < args.size() && args[i + 1] == "id"))
          o.helpIndonesian = true;
      return o;
    }
  }

  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (const std::size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    if (const auto flag = flags.find(name); flag != flags.end()) {
      if (value) {
        error = name + " takes no value";
        return std::nullopt;
      }
      o.*(flag->second) = true;
      continue;
    }
    const auto it = valued.find(name);
    if (it == valued.end()) {
      error = (name.rfind("-", 0) == 0 ? "unknown option " : "unexpected argument ") +
              Quote(args[i]) + " (see --help)";
      return std::nullopt;
    }
    if (!value) {
      // A following option is not taken for a value; negative numbers start
      // with a single dash.
      if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
        error = name + ": missing value";
        return std::nullopt;
      }
      value = args[++i];
    }
    if (!it->second(name, *value)) return std::nullopt;
    o.given.push_back(name);
    if (haveDate && haveMonth) {
      error = "--date and --month cannot be used together";
      return std::nullopt;
    }
  }
  if (o.ramadan && (haveDate || haveMonth || o.months)) {
    error = "--ramadan cannot be used with --date, --month or --months";
    return std::nullopt;
  }
  if (haveDate && o.months) {
    error = "--months counts from --month, not --date";
    return std::nullopt;
  }
  if (haveDate && !o.htmlFile.empty()) {
    error = "--html prints whole months: use --month or --ramadan";
    return std::nullopt;
  }
  if (o.htmlFile == "-" && o.icsFile == "-") {
    error = "--html and --ics cannot both go to standard output";
    return std::nullopt;
  }
  if (!o.alarmLeads.empty() && o.icsFile.empty()) {
    error = "--remind sets the calendar file's alarms: it needs --ics";
    return std::nullopt;
  }
  if (o.months && o.firstDay) {
    // Whole months from the first, up to the last month the dates reach.
    const CivilDate f = DateOf(*o.firstDay);
    const int last = f.year * 12 + f.month - 1 + o.months - 1;
    if (last / 12 > 9999) {
      error = "--months: runs past 9999-12";
      return std::nullopt;
    }
    o.days = static_cast<int>(DateSerial(last / 12, last % 12 + 2, 1) - *o.firstDay);
  }
  return o;
}

int RunJadwal(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              double today, double nowUtc) {
  std::string error;
  const std::optional<Options> parsed = ParseArgs(args, error);
  if (!parsed) {
    err << kProgram << ": " << error << '\n';
    return kExitUsage;
  }
  const Options& o = *parsed;
  if (o.help) {
    // Flushed here, not at exit, so that a full disk is not a success.
    out << (o.helpIndonesian ? UsageIndonesian() : Usage());
    out.flush();
    if (!out) {
      err << kProgram << ": cannot write the output\n";
      return kExitWriteError;
    }
    return kExitOk;
  }

  const settings::Location& l = o.location;
  engine::Place place = settings::PlaceOf(l);
  place.timeZone = o.zone.hours;
  const auto given = [&o](const char* opt) {
    return std::find(o.given.begin(), o.given.end(), opt) != o.given.end();
  };
  // The clock's method from the settings' rules, or the Kemenag preset with
  // the options given on top of it (read by the same rules).
  const engine::Method clock = settings::MethodOf(l);
  engine::Method method = clock;
  if (o.kemenag) {
    method = engine::KemenagMethod();
    if (given("--fajr")) method.fajrAngle = clock.fajrAngle;
    if (given("--isya")) method.isyaAngle = clock.isyaAngle;
    if (given("--ashar")) method.mazhab = clock.mazhab;
    if (given("--dzuhur")) method.addDzuhur = clock.addDzuhur;
    if (given("--maghrib")) method.addMaghrib = clock.addMaghrib;
    if (given("--shubuh")) method.addShubuh = clock.addShubuh;
    if (given("--ashar-add")) method.addAshar = clock.addAshar;
    if (given("--isya-add")) method.addIsya = clock.addIsya;
    method.highLatitudeRule = clock.highLatitudeRule;
  }

  const date::time_zone* zone = o.zone.kind == Zone::Kind::kNamed   ? FindZone(o.zone.name)
                                : o.zone.kind == Zone::Kind::kLocal ? LocalZone()
                                                                    : nullptr;
  timetable::Request request{place, method, {}, l.hijriCorrection};
  if (zone) request.offsetAt = [zone](double utc) { return OffsetAt(zone, utc); };

  // The days: one, whole months, or a Ramadan.
  double first = o.firstDay ? *o.firstDay : DatePart(today);
  int count = o.days;
  const bool files = !o.htmlFile.empty() || !o.icsFile.empty();
  if (o.ramadan) {
    const auto span = timetable::RamadanOf(*o.ramadan, l.hijriCorrection);
    if (!span) {
      const auto [lo, hi] = timetable::RamadanYears(l.hijriCorrection);
      err << kProgram << ": --ramadan: the Hijri calendar has no data for Ramadan " << *o.ramadan
          << " H (it covers " << lo << " to " << hi << " H)\n";
      return kExitUsage;
    }
    first = span->first;
    count = span->days;
  } else if (!o.firstDay && (files || o.months)) {
    const CivilDate c = DateOf(first);
    first = DateSerial(c.year, c.month, 1);
    count = static_cast<int>(DateSerial(c.year, c.month + std::max(o.months, 1), 1) - first);
  }
  const std::vector<timetable::Day> days = timetable::ComputeDays(request, first, count);

  // The columns, in the day's order.
  std::vector<engine::Waktu> shown;
  for (int k = 0; k < engine::kWaktuCount; ++k) {
    const auto w = static_cast<engine::Waktu>(k);
    const bool extra = w == engine::Waktu::kImsak || w == engine::Waktu::kTerbit ||
                       w == engine::Waktu::kDhuha;
    if (o.full || !extra) shown.push_back(w);
  }
  if (files) {
    const bool namedPlace = !given("--lat") && !given("--lon");
    const std::string name = !o.placeName.empty() ? o.placeName : namedPlace ? l.city : "";
    const std::string zoneName = o.zone.kind == Zone::Kind::kNamed ? o.zone.name
                                 : zone                            ? zone->name()
                                                                   : "";
    return WriteFiles(o, days, shown, name, timetable::MethodText(method, o.kemenag), zoneName, place,
                      nowUtc ? nowUtc : today, out, err);
  }

  static constexpr const char* kNames[] = {"imsak",  "shubuh", "terbit",  "dhuha",
                                           "dzuhur", "ashar",  "maghrib", "isya"};
  std::vector<std::string> columns = {"tanggal"};
  // The CSV header is a format and never changes; the table speaks --lang.
  for (const engine::Waktu w : shown)
    columns.push_back(o.csv ? kNames[static_cast<int>(w)] : i18n::Tr("kolom", kNames[static_cast<int>(w)]));
  if (!o.csv) columns.front() = i18n::Tr("kolom", "tanggal");
  const bool offsetColumn = zone && !o.csv;
  if (offsetColumn) columns.push_back("utc");
  if (o.hijri) columns.push_back("hijri");

  std::vector<std::vector<std::string>> rows;
  bool anyTimes = false, anyRule = false, anyOtherDay = false;
  for (const timetable::Day& d : days) {
    const engine::FullDay& t = d.times;
    std::string offsets;
    if (zone) {
      if (t.valid) {
        const auto [lo, hi] = std::minmax_element(d.utcOffset.begin(), d.utcOffset.end());
        // A change day shows the offset before and after.
        const bool changes = *lo != *hi;
        const double before = d.utcOffset.front(), after = d.utcOffset.back();
        offsets = OffsetText(changes ? before : after) + (changes ? "/" + OffsetText(after) : "");
      } else {
        offsets = "-";
      }
    }
    std::vector<std::string>& r = rows.emplace_back();
    r.push_back(FormatIsoDate(d.date));
    // Before year 100 the engine has no times: such days have always
    // printed 00:00.
    for (const engine::Waktu w : shown) {
      // The text table marks a time on the day before or after; the CSV
      // keeps HH:MM.
      const int other = t.valid ? t[w].dayOffset : 0;
      r.push_back((t.valid ? HHMM(t[w]) : "00:00") +
                  (o.csv || !other ? "" : (other > 0 ? "+" : "") + std::to_string(other)));
      anyRule = anyRule || t[w].status == engine::TimeStatus::kRule;
      anyOtherDay = anyOtherDay || other;
    }
    if (offsetColumn) r.push_back(offsets);
    if (o.hijri) {
      const std::string h = engine::FormatHijriIso(d.hijri);
      r.push_back(!h.empty() ? h : o.csv ? "" : "-");
    }
    anyTimes = anyTimes || t.valid;
  }

  if (o.csv) {
    for (size_t c = 0; c < columns.size(); ++c) out << (c ? "," : "") << columns[c];
    out << '\n';
    for (const auto& r : rows) {
      for (size_t c = 0; c < r.size(); ++c) out << (c ? "," : "") << r[c];
      out << '\n';
    }
  } else {
    // The angles the engine used; as before, 0 when it gave no times at all.
    std::string zoneText = o.zone.kind == Zone::Kind::kFixed ? ZoneHoursText(o.zone.hours)
                           : o.zone.kind == Zone::Kind::kNamed
                               ? o.zone.name
                               : (zone ? zone->name() : std::string()) + " (local)";
    out << "Latitude " << NumberText(l.latitude) << ", longitude " << NumberText(l.longitude)
        << ", zone " << zoneText << "; Dzuhur " << Signed(o.kemenag ? method.addDzuhur : l.addDzuhur)
        << " min, Maghrib " << Signed(o.kemenag ? method.addMaghrib : l.addMaghrib)
        << " min, Ashar factor "
        << (o.kemenag ? static_cast<int>(method.mazhab) : static_cast<int>(l.mazhab)) << ", Fajr "
        << NumberText(anyTimes ? method.fajrAngle : 0) << " deg, Isya "
        << NumberText(anyTimes ? method.isyaAngle : 0) << " deg";
    if (method.addShubuh || method.addAshar || method.addIsya)
      out << "; Shubuh " << Signed(method.addShubuh) << " min, Ashar " << Signed(method.addAshar)
          << " min, Isya " << Signed(method.addIsya) << " min";
    if (o.kemenag) out << "; method Kemenag";
    if (l.elevation != 0) out << "; elevation " << NumberText(l.elevation) << " m";
    if (anyRule)
      out << "; where the sun misses the Fajr or Isya angle, "
          << RuleName(engine::RuleFor(method.highLatitudeRule, place.latitude));
    out << '\n';
    // Columns two blanks apart, at least six wide (the date ten); the last
    // one unpadded.
    std::vector<size_t> widths(columns.size());
    for (size_t c = 0; c < columns.size(); ++c) {
      widths[c] = c == 0 ? 10 : std::max<size_t>(6, columns[c].size());
      for (const auto& r : rows) widths[c] = std::max(widths[c], r[c].size());
    }
    auto print = [&](const std::vector<std::string>& cells) {
      std::string text;
      for (size_t c = 0; c < cells.size(); ++c) {
        std::string cell = cells[c];
        if (c + 1 < cells.size() && cell.size() < widths[c]) cell.resize(widths[c], ' ');
        text += (c ? "  " : "") + cell;
      }
      out << text << '\n';
    };
    print(columns);
    for (const auto& r : rows) print(r);
    if (anyOtherDay) out << "+1: the next day, -1: the day before\n";
  }
  out.flush();
  if (!out) {
    err << kProgram << ": cannot write the output\n";
    return kExitWriteError;
  }
  return kExitOk;
}

}  // namespace qov::jadwal
