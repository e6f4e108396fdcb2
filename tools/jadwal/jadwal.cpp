#include "tools/jadwal/jadwal.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <system_error>

#include "engine/datetime.h"
#include "engine/numeric.h"
#include "engine/prayer_times.h"

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

// Rounded half to even into 16 bits, the way the clock converts its settings.
std::optional<int16_t> ParseInt16(const std::string& option, const std::string& text,
                                  std::string& error) {
  const auto v = ParseNumber(option, text, error);
  if (!v) return std::nullopt;
  const auto i = ToInt16(*v);
  if (!i) error = option + ": " + Quote(text) + " is out of range (-32768..32767)";
  return i;
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

}  // namespace

std::string Usage() {
  const settings::Location d;
  using std::to_string;
  return "Usage: qov-jadwal --lat L --lon G --tz Z [--dzuhur N] [--maghrib N] [--ashar S]\n"
         "                  [--fajr A] [--isya A] [--date YYYY-MM-DD | --month YYYY-MM] [--csv]\n"
         "\n"
         "Prints the prayer times (Shubuh, Dzuhur, Ashar, Maghrib, Isya) of QOV Clock\n"
         "for one day or a whole month. Options may also be written --option=value.\n"
         "\n"
         "  --lat L           latitude in degrees, north positive, strictly between\n"
         "                    -90 and 90 (default " + NumberText(d.latitude) + ", " + d.city + ")\n"
         "  --lon G           longitude in degrees, east positive, -180 to 180\n"
         "                    (default " + NumberText(d.longitude) + ")\n"
         "  --tz Z            time zone, hours ahead of universal time, -12 to 14;\n"
         "                    rounded to a whole hour, halves to even (default " +
         to_string(d.timeZone) + ")\n"
         "  --dzuhur N        minutes added to solar noon; more than 10 counts as 10\n"
         "                    (default " + to_string(d.addDzuhur) + ")\n"
         "  --maghrib N       minutes added to sunset; more than 4 counts as 4\n"
         "                    (default " + to_string(d.addMaghrib) + ")\n"
         "  --ashar S         Ashar shadow factor: 1 or 2; any other value counts as 2\n"
         "                    (default " + to_string(d.mazhab) + ")\n"
         "  --fajr A          sun's depression for Shubuh in degrees, rounded to a\n"
         "                    whole degree, halves to even (default " + NumberText(d.sudutFajar) +
         ")\n"
         "  --isya A          sun's depression for Isya in degrees, rounded likewise;\n"
         "                    0 or a value outside 10..20 takes the latitude's default\n"
         "                    (default " + NumberText(d.sudutIsya) + ")\n"
         "  --date YYYY-MM-DD the day to print (default today)\n"
         "  --month YYYY-MM   print every day of this month instead of one day\n"
         "  --csv             comma-separated output with the header\n"
         "                    tanggal,shubuh,dzuhur,ashar,maghrib,isya\n"
         "  --help            show this text and exit\n"
         "\n"
         "N, S and A are numbers rounded to whole values (halves to even) that must fit\n"
         "16 bits. Times are HH:MM of the given zone. Exit status: 0 on success, 2 on\n"
         "bad arguments, 1 when the output cannot be written.\n";
}

std::optional<Options> ParseArgs(const std::vector<std::string>& args, std::string& error) {
  Options o;
  settings::Location& l = o.location;
  bool haveDate = false, haveMonth = false;

  auto setLat = [&](const std::string& opt, const std::string& v) {
    const auto x = ParseNumber(opt, v, error);
    if (!x) return false;
    if (!settings::LatitudeOk(*x)) {
      error = opt + ": " + Quote(v) + " is out of range (strictly between " +
              NumberText(settings::kMinLatitude) + " and " + NumberText(settings::kMaxLatitude) +
              ")";
      return false;
    }
    l.latitude = *x;
    return true;
  };
  auto setLon = [&](const std::string& opt, const std::string& v) {
    const auto x = ParseNumber(opt, v, error);
    if (!x) return false;
    if (!settings::LongitudeOk(*x)) {
      error = opt + ": " + Quote(v) + " is out of range (" + NumberText(settings::kMinLongitude) +
              " to " + NumberText(settings::kMaxLongitude) + ")";
      return false;
    }
    l.longitude = *x;
    return true;
  };
  auto setZone = [&](const std::string& opt, const std::string& v) {
    const auto x = ParseNumber(opt, v, error);
    if (!x) return false;
    const double z = RoundHalfEven(*x);
    if (!settings::ZoneOk(z)) {
      error = opt + ": " + Quote(v) + " is out of range (" + NumberText(settings::kMinZone) +
              " to " + NumberText(settings::kMaxZone) + ")";
      return false;
    }
    l.timeZone = static_cast<int16_t>(z);
    return true;
  };
  // Whole numbers that fit 16 bits, angles included (the clock's settings
  // convert them so); stored into the location's field of whatever type.
  auto int16Setter = [&](auto settings::Location::*field) {
    return [&, field](const std::string& opt, const std::string& v) {
      const auto x = ParseInt16(opt, v, error);
      if (x) l.*field = *x;
      return x.has_value();
    };
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
    haveMonth = true;
    return true;
  };

  using Setter = std::function<bool(const std::string&, const std::string&)>;
  const std::map<std::string, Setter> valued = {
      {"--lat", setLat},
      {"--lon", setLon},
      {"--tz", setZone},
      {"--dzuhur", int16Setter(&settings::Location::addDzuhur)},
      {"--maghrib", int16Setter(&settings::Location::addMaghrib)},
      {"--ashar", int16Setter(&settings::Location::mazhab)},
      {"--fajr", int16Setter(&settings::Location::sudutFajar)},
      {"--isya", int16Setter(&settings::Location::sudutIsya)},
      {"--date", setDate},
      {"--month", setMonth},
  };

  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      o.help = true;
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
    if (name == "--csv") {
      if (value) {
        error = "--csv takes no value";
        return std::nullopt;
      }
      o.csv = true;
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
    if (haveDate && haveMonth) {
      error = "--date and --month cannot be used together";
      return std::nullopt;
    }
  }
  return o;
}

int RunJadwal(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              double today) {
  std::string error;
  const std::optional<Options> parsed = ParseArgs(args, error);
  if (!parsed) {
    err << kProgram << ": " << error << '\n';
    return kExitUsage;
  }
  const Options& o = *parsed;
  if (o.help) {
    // Flushed here, not at exit, so that a full disk is not a success.
    out << Usage();
    out.flush();
    if (!out) {
      err << kProgram << ": cannot write the output\n";
      return kExitWriteError;
    }
    return kExitOk;
  }

  const settings::Location& l = o.location;
  const engine::Place place = settings::PlaceOf(l);
  const engine::Method method = settings::MethodOf(l);
  const double first = o.firstDay ? *o.firstDay : DatePart(today);
  struct Row {
    std::string date, times[engine::kPrayerCount];
  };
  std::vector<Row> rows;
  bool anyTimes = false;
  for (int i = 0; i < o.days; ++i) {
    const double day = first + i;
    const engine::DayTimes t = engine::HitungWaktuSholat(DateOf(day), place, method);
    Row& r = rows.emplace_back(Row{FormatIsoDate(day), {}});
    // Before year 100 the engine has no times: such days have always
    // printed 00:00.
    for (int k = 0; k < engine::kPrayerCount; ++k)
      r.times[k] = t.valid ? HHMM(t.times[k]) : "00:00";
    anyTimes = anyTimes || t.valid;
  }

  static constexpr const char* kColumns[] = {"tanggal", "shubuh", "dzuhur",
                                             "ashar",   "maghrib", "isya"};
  if (o.csv) {
    for (int c = 0; c < 6; ++c) out << (c ? "," : "") << kColumns[c];
    out << '\n';
    for (const Row& r : rows) {
      out << r.date;
      for (const std::string& t : r.times) out << ',' << t;
      out << '\n';
    }
  } else {
    // The angles the engine used; as before, 0 when it gave no times at all.
    out << "Latitude " << NumberText(l.latitude) << ", longitude " << NumberText(l.longitude)
        << ", zone " << Signed(l.timeZone) << "; Dzuhur " << Signed(l.addDzuhur)
        << " min, Maghrib " << Signed(l.addMaghrib) << " min, Ashar factor " << l.mazhab
        << ", Fajr " << NumberText(anyTimes ? method.fajrAngle : 0) << " deg, Isya "
        << NumberText(anyTimes ? method.isyaAngle : 0) << " deg\n";
    char line[96];
    std::snprintf(line, sizeof line, "%-10s  %-6s  %-6s  %-6s  %-7s  %s\n", kColumns[0],
                  kColumns[1], kColumns[2], kColumns[3], kColumns[4], kColumns[5]);
    out << line;
    for (const Row& r : rows) {
      std::snprintf(line, sizeof line, "%-10s  %-6s  %-6s  %-6s  %-7s  %s\n", r.date.c_str(),
                    r.times[0].c_str(), r.times[1].c_str(), r.times[2].c_str(),
                    r.times[3].c_str(), r.times[4].c_str());
      out << line;
    }
  }
  out.flush();
  if (!out) {
    err << kProgram << ": cannot write the output\n";
    return kExitWriteError;
  }
  return kExitOk;
}

}  // namespace qov::jadwal
