// The location dialog on the in-memory back end, with any texts typed into
// its boxes and OK pressed. The input is NUL-separated: a control text
// (first byte: which option, whether to pick a city first, whether to type
// at all), then the texts typed into Combo1, tkLat, tkLong, tkTimeZone,
// tkDz, tkMag, sdFajar and sdIsya (a box without a text keeps what the
// dialog showed), then, if present, stored texts for the nine "Lokasi" keys
// before the start.
//
// OK either takes everything or nothing: refused, the store and the working
// values are untouched and the dialog stays open; taken, the nine keys hold
// exactly the typed texts (the school as "1" or "2"), the working values are
// their readings, a restart on that store reads the same working values, and
// the engine computes finite times of day from them. OK on boxes left as
// shown keeps the working values.
#include <algorithm>

#include "app/clockface.h"
#include "app/settings.h"
#include "engine/numeric.h"
#include "fuzz/fuzz_check.h"
#include "platform/memory/memory_platform.h"

namespace s = qov::settings;
using qov::ClockFace;
using namespace qov::fuzz;

namespace {

constexpr const char* kCities =
    "\"Jakarta\",-6.2,106.8,7\r\n\"Makassar\",-5.14,119.42,8\r\n\"Reykjavik\",64.15,-21.94,0\r\n";

// The nine keys OK writes, in the order of the boxes below.
const char* const kKeys[] = {s::kKota,       s::kLat,       s::kLong,       s::kTimeZone,
                             s::kAddDhuhur,  s::kAddMaghrib, s::kSudutFajar, s::kSudutIsya,
                             s::kMazhabAshar};

struct Working {
  std::string kota;
  double lat, lon, fajar, isya;
  int16_t zone, dz, mag, mazhab;

  static Working Of(const ClockFace& c) {
    return {c.Kota,     c.Lat,       c.Lon,        c.SudutFajar, c.SudutIsya,
            c.TimeZone, c.AddDhuhur, c.AddMaghrib, c.MazhabAshar};
  }
  bool operator==(const Working& o) const {
    return kota == o.kota && Same(lat, o.lat) && Same(lon, o.lon) && Same(fajar, o.fajar) &&
           Same(isya, o.isya) && zone == o.zone && dz == o.dz && mag == o.mag &&
           mazhab == o.mazhab;
  }
  std::string Text() const {
    return Line(Shown(kota), "lat", lat, "lon", lon, "zone", zone, "dz", dz, "mag", mag, "mazhab",
                mazhab, "fajar", fajar, "isya", isya);
  }
};

// The text a dialog box shows for a double reads back as the double to
// fifteen digits.
double Fifteen(double x) { return s::Val(s::PlainNumber(x)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> parts = Split(Text(data, size), '\0');
  const unsigned control = parts[0].empty() ? 0 : static_cast<unsigned char>(parts[0][0]);

  qov::memory::MemoryPlatform p;
  p.clock.Set(2026, 3, 15, 9, 30);
  p.files.files[p.files.appPath + "\\daftar_all.TXT"] = kCities;
  for (size_t k = 0; k < 9 && 9 + k < parts.size(); ++k)
    p.settings.values[{s::kLokasi, kKeys[k]}] = parts[9 + k];

  ClockFace c(p.services);
  p.Attach(c.form());
  if (!StartClock(c)) return 0;
  CheckTimesOfDay(c.engine(), "start");

  const float heightBefore = c.form().height();
  c.mLok_Click();
  QOV_FUZZ_CHECK(c.Frame2->visible(), "the dialog did not open");
  if (control & 0x04) c.Combo1->SelectItem(static_cast<int>(control >> 4) % 4);
  if (control & 0x01) (control & 0x02 ? c.Option1 : c.Option2)->SetValue(true);

  qov::ui::Control* const boxes[] = {c.Combo1, c.tkLat, c.tkLong,  c.tkTimeZone,
                                c.tkDz,   c.tkMag, c.sdFajar, c.sdIsya};
  const bool typed = parts.size() > 1 && !(control & 0x08);
  for (size_t k = 0; typed && k < 8 && 1 + k < parts.size(); ++k)
    boxes[k]->SetTextFromUser(parts[1 + k]);
  const bool picked = (control & 0x04) != 0;

  const auto storeBefore = p.settings.values;
  const size_t writesBefore = p.settings.writes.size();
  const Working before = Working::Of(c);
  const bool hanafi = c.Option1->value();
  std::string texts[9];  // what OK is to store under kKeys
  for (size_t k = 0; k < 8; ++k) texts[k] = boxes[k]->text();
  texts[8] = hanafi ? "2" : "1";

  c.Command1_Click();

  if (c.Frame2->visible()) {
    // Refused: nothing stored, nothing changed, the dialog still open.
    QOV_FUZZ_CHECK(p.settings.writes.size() == writesBefore && p.settings.values == storeBefore,
                   "a refused OK wrote to the store");
    QOV_FUZZ_CHECK(Working::Of(c) == before, "a refused OK changed " + Working::Of(c).Text());
    // The boxes as the dialog filled them are refused only for a place no
    // engine call can take.
    const bool usable = std::fabs(Fifteen(before.lat)) < 90 && std::fabs(Fifteen(before.lon)) <= 180 &&
                        before.zone >= -12 && before.zone <= 14;
    QOV_FUZZ_CHECK(typed || picked || !usable, "OK refused the dialog's own texts for " + before.Text());
    return 0;
  }

  // Taken: the nine keys hold the typed texts, nothing else was written.
  for (size_t k = 0; k < 9; ++k) {
    const auto it = p.settings.values.find({s::kLokasi, kKeys[k]});
    QOV_FUZZ_CHECK(it != p.settings.values.end() && it->second == texts[k],
                   std::string(kKeys[k]) + " stored otherwise than " + Shown(texts[k]));
  }
  for (const auto& [key, value] : p.settings.values) {
    if (key.first != s::kLokasi || std::ranges::find(kKeys, key.second) == std::end(kKeys)) {
      const auto it = storeBefore.find(key);
      QOV_FUZZ_CHECK(it != storeBefore.end() && it->second == value,
                     "OK wrote " + key.first + "/" + key.second);
    }
  }

  // The working values are the readings of those texts.
  const Working after = Working::Of(c);
  const std::optional<double> zone = s::StrictNumber(texts[3]);
  QOV_FUZZ_CHECK(after.kota == texts[0], after.Text());
  QOV_FUZZ_CHECK(s::StrictNumber(texts[1]) == after.lat && std::fabs(after.lat) < 90, after.Text());
  QOV_FUZZ_CHECK(s::StrictNumber(texts[2]) == after.lon, after.Text());
  QOV_FUZZ_CHECK(zone && qov::ToInt16(*zone) == after.zone, after.Text());
  QOV_FUZZ_CHECK(s::ValInt16(texts[4]) == after.dz && s::ValInt16(texts[5]) == after.mag,
                 after.Text());
  QOV_FUZZ_CHECK(s::Val(texts[6]) == after.fajar && s::Val(texts[7]) == after.isya, after.Text());
  QOV_FUZZ_CHECK(after.mazhab == (hanafi ? 2 : 1), after.Text());
  QOV_FUZZ_CHECK(c.form().height() == heightBefore,
                 "height " + Num(c.form().height()) + " after OK, " + Num(heightBefore) + " before");

  if (!typed && !picked) {
    // Unchanged boxes keep the values (to the fifteen digits a box shows).
    QOV_FUZZ_CHECK(after.kota == before.kota && after.lat == Fifteen(before.lat) &&
                       after.lon == Fifteen(before.lon) && after.zone == before.zone &&
                       after.dz == before.dz && after.mag == before.mag &&
                       after.fajar == Fifteen(before.fajar) && after.isya == Fifteen(before.isya),
                   "OK on the shown texts changed " + before.Text() + " into " + after.Text());
  }

  c.HitungHariIni();
  CheckTimesOfDay(c.engine(), "after OK");

  // The next start reads back what this OK set (an empty name is a first run).
  if (!after.kota.empty()) {
    qov::memory::MemoryPlatform q;
    q.clock.Set(2026, 3, 15, 9, 30);
    q.settings.values = p.settings.values;
    ClockFace d(q.services);
    q.Attach(d.form());
    QOV_FUZZ_CHECK(StartClock(d), "restart refused");
    QOV_FUZZ_CHECK(Working::Of(d) == after,
                   "stored " + after.Text() + ", read back " + Working::Of(d).Text());
  }
  return 0;
}
