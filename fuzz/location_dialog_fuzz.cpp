// The location dialog of a ClockApp on the in-memory back end, with any
// texts typed into its boxes and OK pressed. The input is NUL-separated: a
// control text (first byte: which option, whether to pick a city first,
// whether to type at all), then the texts typed into the city, latitude,
// longitude, zone, additions and angle boxes (a box without a text keeps
// what the dialog showed), then, if present, stored texts for the nine
// "Lokasi" keys before the start.
//
// OK takes everything or nothing: refused, the store is untouched, the
// dialog stays open and names the box; taken, the dialog closes, every
// stored key reads back as the typed box's reading, a restart's dialog
// shows the same texts, and the panel shows a time for every prayer.
#include <algorithm>

#include "app/clock_app.h"
#include "fuzz/fuzz_check.h"
#include "settings/settings.h"
#include "tests/support/memory_platform.h"

namespace s = qov::settings;
using namespace qov::fuzz;

namespace {

constexpr const char* kCities =
    "\"Jakarta\",-6.2,106.8,7\r\n\"Makassar\",-5.14,119.42,8\r\n\"Reykjavik\",64.15,-21.94,0\r\n";
const char* const kBoxes[] = {"city", "latitude", "longitude", "zone", "addDzuhur", "addMaghrib", "fajrAngle", "isyaAngle"};
const char* const kKeys[] = {"Kota", "LAT", "LONG", "Time ZOne", "AddDhuhur", "AddMaghrib", "sudutFajar", "sudutIsya", "MazhabAshar"};

struct Clock {
  qov::memory::MemoryPlatform p;
  qov::ClockApp app{p.services};
  Clock() {
    p.clock.Set(2026, 3, 15, 9, 30);
    p.files.files[p.files.appPath + "\\daftar_all.TXT"] = kCities;
  }
  qov::ui::Control& Get(const char* name, int index = -1) { return *app.form().Find(name, index); }
  void Menu(const char* item) { app.form().menu().Find(item)->onClick(); }
  std::string Dialog() {
    Menu("location");
    std::string out;
    for (const char* b : kBoxes) out += Get(b).text() + "|";
    out += Get("hanafi").value() ? "Hanafi" : "Hambali";
    Get("cancel").onClick();
    return out;
  }
  void CheckPanel(const std::string& where) {
    Menu("prayerTimes");
    for (int k = 0; k < 5; ++k) {
      const std::string t = Get("prayerTime", k).text();
      // "HH:MM", "--:--" for none, "HH:MM*" from the high-latitude rule.
      const bool marked = t.size() == 6 && t[5] == '*';
      QOV_FUZZ_CHECK((t.size() == 5 || marked) && t[2] == ':', where + ": panel shows " + qov::fuzz::Shown(t));
    }
    Get("prayerPanel").onClick();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> parts = Split(Text(data, size), '\0');
  const unsigned control = parts[0].empty() ? 0 : static_cast<unsigned char>(parts[0][0]);

  Clock c;
  for (size_t k = 0; k < 9 && 9 + k < parts.size(); ++k) c.p.settings.values[{"Lokasi", kKeys[k]}] = parts[9 + k];
  c.p.Attach(c.app.form());
  if (!c.app.Start()) return 0;

  const float heightBefore = c.app.form().height();
  c.Menu("location");
  QOV_FUZZ_CHECK(c.Get("locationDialog").visible(), "the dialog did not open");
  if (control & 0x04) c.Get("city").SelectItem(static_cast<int>(control >> 4) % 4);
  if (control & 0x01) c.Get(control & 0x02 ? "hanafi" : "hambali").SetValue(true);
  const bool typed = parts.size() > 1 && !(control & 0x08);
  for (size_t k = 0; typed && k < 8 && 1 + k < parts.size(); ++k) c.Get(kBoxes[k]).SetTextFromUser(parts[1 + k]);

  std::string texts[8];
  for (size_t k = 0; k < 8; ++k) texts[k] = c.Get(kBoxes[k]).text();
  const bool hanafi = c.Get("hanafi").value();
  const auto storeBefore = c.p.settings.values;
  c.Get("ok").onClick();

  if (c.Get("locationDialog").visible()) {
    QOV_FUZZ_CHECK(c.p.settings.values == storeBefore, "a refused OK wrote to the store");
    QOV_FUZZ_CHECK(c.Get("locationDialog").text().rfind("Lokasi - ", 0) == 0, "a refusal without its caption");
    c.Get("cancel").onClick();
    c.CheckPanel("refused");
    return 0;
  }

  // Taken: what is stored reads back as the boxes' readings.
  QOV_FUZZ_CHECK(c.app.form().height() == heightBefore, Line("height", c.app.form().height(), "after OK, was", heightBefore));
  const s::Location l = s::Settings(c.p.settings).ReadLocation();
  QOV_FUZZ_CHECK(l.city == texts[0] && texts[0].find_first_not_of(" \t") != std::string::npos, Shown(l.city));
  QOV_FUZZ_CHECK(s::StrictNumber(texts[1]) == l.latitude && s::kLatitude.Accepts(l.latitude), Line(Shown(texts[1]), l.latitude));
  QOV_FUZZ_CHECK(s::StrictNumber(texts[2]) == l.longitude, Line(Shown(texts[2]), l.longitude));
  QOV_FUZZ_CHECK(s::kTimeZone.Accepts(l.timeZone), Line(Shown(texts[3]), l.timeZone));
  QOV_FUZZ_CHECK(s::ValInt16(texts[4]) == l.addDzuhur && s::ValInt16(texts[5]) == l.addMaghrib,
                 Line(Shown(texts[4]), l.addDzuhur, Shown(texts[5]), l.addMaghrib));
  QOV_FUZZ_CHECK(s::Val(texts[6]) == l.sudutFajar && s::kFajrAngle.Accepts(l.sudutFajar), Line(Shown(texts[6]), l.sudutFajar));
  QOV_FUZZ_CHECK(s::Val(texts[7]) == l.sudutIsya && s::kIsyaAngle.Accepts(l.sudutIsya), Line(Shown(texts[7]), l.sudutIsya));
  QOV_FUZZ_CHECK(l.mazhab == (hanafi ? 2 : 1), Line("mazhab", l.mazhab));
  c.CheckPanel("taken");

  // The next start shows the same place.
  const std::string shown = c.Dialog();
  Clock again;
  again.p.settings.values = c.p.settings.values;
  again.p.Attach(again.app.form());
  QOV_FUZZ_CHECK(again.app.Start(), "restart refused");
  QOV_FUZZ_CHECK(again.Dialog() == shown, Shown(shown) + " came back as " + Shown(again.Dialog()));
  return 0;
}
