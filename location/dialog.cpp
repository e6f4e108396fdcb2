// The location dialog Frame2: opening, picking a city, OK and Cancel.
#include <cctype>
#include <cmath>
#include <optional>
#include <string>

#include "app/clockface.h"
#include "app/settings.h"
#include "engine/numeric.h"

namespace qov {

namespace s = settings;

namespace {

constexpr const char* kCaption = "Lokasi";
// The window is made this tall (294 pixels at 96 dpi) so the frame fits.
constexpr float kDialogHeight = 4410;
// Back colour of a box whose text OK cannot take.
constexpr ui::Color kWrongBox = 0x00C0C0FF;

// The Ashar shadow factor behind each option: Hanafi casts twice the
// object's length, Hanbali (like Shafi'i) once.
constexpr int16_t kHanafiFactor = 2;
constexpr int16_t kHambaliFactor = 1;

// Whether the lenient reader finds a number at the start of the text at
// all, as opposed to reading 0 for text without one.
bool HasLeadingNumber(const std::string& text) {
  std::string t;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n') t.push_back(c);
  auto digit = [&](size_t i, int base) {
    if (i >= t.size()) return false;
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t[i])));
    if (base == 16) return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    return c >= '0' && c < static_cast<char>('0' + base);
  };
  if (t.size() >= 2 && t[0] == '&') {
    const char k = static_cast<char>(std::tolower(static_cast<unsigned char>(t[1])));
    if (k == 'h') return digit(2, 16);
    if (k == 'o') return digit(2, 8);
  }
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (digit(i, 10)) return true;
  return i < t.size() && t[i] == '.' && digit(i + 1, 10);
}

// A wrong box stays marked only until the next OK, Cancel or opening.
void ClearWrongBoxes(ClockFace& c) {
  c.Frame2->SetText(kCaption);
  for (ui::Control* box : {c.tkLat, c.tkLong, c.tkTimeZone, c.tkDz, c.tkMag, c.sdFajar, c.sdIsya})
    box->SetBackColor(ui::kSystemWindow);
}

}  // namespace

void ClockFace::mLok_Click() {
  // The panel shares SavedHeight: opening over an open panel keeps the
  // height it already enlarged to. A window beyond 16 bits of twips keeps
  // the largest height that fits.
  const double h = std::nearbyint(form_.height());
  SavedHeight = ToInt16(h).value_or(h < 0 ? int16_t{0} : int16_t{32767});
  DialogMinHeight = static_cast<int16_t>(kDialogHeight);
  if (form_.height() < kDialogHeight) form_.SetHeight(kDialogHeight);
  form_.Show();
  // The layout pass has run by now, so the width is the final one.
  Frame2->Move((form_.width() - Frame2->width()) / 2, (form_.height() - Frame2->height()) / 2,
               Frame2->width(), Frame2->height());

  ClearWrongBoxes(*this);
  tkLat->SetText(s::PlainNumber(Lat));
  tkLong->SetText(s::PlainNumber(Lon));
  tkTimeZone->SetText(s::PlainInt(TimeZone));
  Combo1->SetText(Kota);
  tkDz->SetText(s::PlainInt(AddDhuhur));
  tkMag->SetText(s::PlainInt(AddMaghrib));
  if (MazhabAshar == kHanafiFactor)
    Option1->SetValue(true);
  else
    Option2->SetValue(true);
  sdFajar->SetText(s::PlainNumber(SudutFajar));
  sdIsya->SetText(s::PlainNumber(SudutIsya));
  Frame2->SetVisible(true);
}

void ClockFace::Combo1_Click() {
  const int at = Combo1->listIndex();
  if (at < 0 || at >= static_cast<int>(Combo1->items().size())) return;
  const int32_t k = Combo1->items()[static_cast<size_t>(at)].itemData;
  if (k < 0 || static_cast<size_t>(k) >= daftarPosisi.size()) return;
  const Posisi& p = daftarPosisi[static_cast<size_t>(k)];
  tkLat->SetText(s::PlainNumber(p.latitude));
  tkLong->SetText(s::PlainNumber(p.longitude));
  tkTimeZone->SetText(s::PlainInt(p.zone));
}

void ClockFace::Command1_Click() {
  ClearWrongBoxes(*this);

  // Everything is checked before anything is stored: a rejected OK leaves
  // the store and the working values as they were, so a later start never
  // reads a half-written place.
  const std::string& latText = tkLat->text();
  const std::string& lonText = tkLong->text();
  const std::string& zoneText = tkTimeZone->text();
  const std::optional<double> lat = s::StrictNumber(latText);
  const std::optional<double> lon = s::StrictNumber(lonText);
  const std::optional<double> zoneNumber = s::StrictNumber(zoneText);
  const std::optional<int16_t> zone = zoneNumber ? ToInt16(*zoneNumber) : std::nullopt;
  const std::optional<int16_t> addDz = s::ValInt16(tkDz->text());
  const std::optional<int16_t> addMag = s::ValInt16(tkMag->text());

  struct Check {
    ui::Control* box;
    const char* hint;
    bool ok;
  };
  // The poles have no usable day, and no zone lies outside -12 to +14. The
  // start-up reads the stored text with the lenient reader, so the text must
  // also read back that way as what is set now.
  const Check checks[] = {
      {tkLat, "Lat", lat && *lat > -90 && *lat < 90 && s::Val(latText) == *lat},
      {tkLong, "Long", lon && *lon >= -180 && *lon <= 180 && s::Val(lonText) == *lon},
      {tkTimeZone, "Gmt", zone && *zone >= -12 && *zone <= 14 && s::ValInt16(zoneText) == zone},
      {tkDz, "Dzhuhur", addDz.has_value()},
      {tkMag, "Maghrib", addMag.has_value()},
      {sdFajar, "Fajar", HasLeadingNumber(sdFajar->text())},
      {sdIsya, "Isya", HasLeadingNumber(sdIsya->text())},
  };
  const Check* firstWrong = nullptr;
  for (const Check& c : checks) {
    if (c.ok) continue;
    c.box->SetBackColor(kWrongBox);
    if (!firstWrong) firstWrong = &c;
  }
  if (firstWrong) {
    Frame2->SetText(std::string(kCaption) + " - " + firstWrong->hint + " salah");
    return;
  }

  Save(s::kLokasi, s::kKota, Combo1->text());
  Save(s::kLokasi, s::kLat, tkLat->text());
  Save(s::kLokasi, s::kLong, tkLong->text());
  Save(s::kLokasi, s::kTimeZone, tkTimeZone->text());
  Save(s::kLokasi, s::kAddDhuhur, tkDz->text());
  Save(s::kLokasi, s::kAddMaghrib, tkMag->text());
  // All present, as checked above.
  Lat = lat.value_or(0);
  Lon = lon.value_or(0);
  TimeZone = zone.value_or(0);
  Kota = Combo1->text();
  AddDhuhur = addDz.value_or(0);
  AddMaghrib = addMag.value_or(0);

  MazhabAshar = Option1->value() ? kHanafiFactor : kHambaliFactor;
  Save(s::kLokasi, s::kMazhabAshar, s::PlainInt(MazhabAshar));

  Save(s::kLokasi, s::kSudutFajar, sdFajar->text());
  SudutFajar = s::Val(sdFajar->text());
  Save(s::kLokasi, s::kSudutIsya, sdIsya->text());
  SudutIsya = s::Val(sdIsya->text());

  // The new place applies at once: until the next computation (midnight,
  // or the panel) the alerts would keep the old place's times.
  HitungHariIni();

  DialogMinHeight = 0;
  form_.SetHeight(SavedHeight);
  Frame2->SetVisible(false);
}

void ClockFace::Command2_Click() {
  ClearWrongBoxes(*this);
  DialogMinHeight = 0;
  form_.SetHeight(SavedHeight);
  Frame2->SetVisible(false);
}

}  // namespace qov
