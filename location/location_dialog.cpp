#include "location/location_dialog.h"

#include <optional>
#include <string>

#include "engine/numeric.h"

namespace qov {

namespace {

constexpr const char* kCaption = "Lokasi";
// The window is made this tall (294 pixels at 96 dpi) so the frame fits.
constexpr ui::Twips kDialogHeight = 4410;
// Back colour of a box whose text OK cannot take.
constexpr ui::Color kWrongBox = 0x00C0C0FF;

constexpr int16_t kHanafi = 2, kShafii = 1;

}  // namespace

LocationDialog::LocationDialog(ui::Form& form, ContextMenu& menu, Services& services,
                               settings::Settings& settings, ClockWindow& window, Schedule& schedule)
    : form_(form), svc_(services), settings_(settings), window_(window), schedule_(schedule) {
  frame_ = &form_.Add(ui::Kind::Frame, "locationDialog");
  frame_->Move(0, 0, 2835, 4365);
  frame_->SetText(kCaption);
  frame_->SetBackColor(ui::kBlack);
  frame_->SetForeColor(ui::kYellow);
  frame_->SetFont(ui::Font{"Arial", 9.75f, true, false});
  frame_->SetVisible(false);

  const ui::Font captionFont{"Arial", 9.75f, true, false};
  const ui::Font boxFont{"Arial", 8.25f, true, false};
  auto label = [&](const char* text, float l, float t, float w) {
    ui::Control& c = form_.Add(ui::Kind::Label, "caption", -1, frame_);
    c.Move(l, t, w, 240);
    c.SetText(text);
    c.SetFont(captionFont);
    c.SetForeColor(ui::kYellow);
    c.SetTransparent(true);
  };
  auto box = [&](const char* name, float l, float t, float w) {
    ui::Control& c = form_.Add(ui::Kind::TextBox, name, -1, frame_);
    c.Move(l, t, w, 240);
    c.SetFont(boxFont);
    return &c;
  };

  city_ = &form_.Add(ui::Kind::ComboBox, "city", -1, frame_);
  city_->Move(150, 480, 2535, 315);
  city_->SetFont(boxFont);

  constexpr float kLabelLeft = 150, kBoxLeft = 1440, kBoxWidth = 1245;
  label("Lat", kLabelLeft, 960, 1250);
  latitude_ = box("latitude", kBoxLeft, 960, kBoxWidth);
  label("Long", kLabelLeft, 1320, 1250);
  longitude_ = box("longitude", kBoxLeft, 1320, kBoxWidth);
  label("Gmt", kLabelLeft, 1680, 1250);
  zone_ = box("zone", kBoxLeft, 1680, kBoxWidth);

  ui::Control& rule = form_.Add(ui::Kind::Line, "separator", -1, frame_);
  rule.SetBorderColor(ui::kWhite);
  rule.SetStart(0, 2040);
  rule.SetEnd(3000, 2040);

  label("+ Dzhuhur", kLabelLeft, 2160, 1280);
  addDzuhur_ = box("addDzuhur", kBoxLeft, 2160, 480);
  label("Menit", 1995, 2160, 780);
  label("+ Maghrib", kLabelLeft, 2400, 1280);
  addMaghrib_ = box("addMaghrib", kBoxLeft, 2400, 480);
  label("Menit", 1995, 2400, 780);

  label("Ashar", kLabelLeft, 2760, 1250);
  hanafi_ = &form_.Add(ui::Kind::OptionButton, "hanafi", -1, frame_);
  hanafi_->Move(kBoxLeft, 2760, 1245, 255);
  hanafi_->SetText("Hanafi");
  shafii_ = &form_.Add(ui::Kind::OptionButton, "hambali", -1, frame_);
  shafii_->Move(kBoxLeft, 3000, 1245, 255);
  shafii_->SetText("Hambali");
  for (ui::Control* o : {hanafi_, shafii_}) {
    o->SetFont(captionFont);
    o->SetForeColor(ui::kYellow);
    o->SetBackColor(ui::kBlack);
  }

  label("Sudut Fajar", kLabelLeft, 3240, 1280);
  fajrAngle_ = box("fajrAngle", kBoxLeft, 3240, kBoxWidth);
  label("Sudut Isya", kLabelLeft, 3600, 1280);
  isyaAngle_ = box("isyaAngle", kBoxLeft, 3600, kBoxWidth);

  ok_ = &form_.Add(ui::Kind::Button, "ok", -1, frame_);
  ok_->Move(150, 3960, 1215, 315);
  ok_->SetText("OK");
  cancel_ = &form_.Add(ui::Kind::Button, "cancel", -1, frame_);
  cancel_->Move(1470, 3960, 1215, 315);
  cancel_->SetText("Cancel");
  for (ui::Control* b : {ok_, cancel_}) b->SetFont(captionFont);

  city_->onClick = [this] { PickCity(); };
  ok_->onClick = [this] { Accept(); };
  cancel_->onClick = [this] { Cancel(); };
  menu.location.onClick = [this] { Open(); };
}

void LocationDialog::LoadCities() {
  city_->ClearItems();
  std::string path = svc_.files->AppPath();
  // At a drive's root the folder already ends in a separator.
  if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
  path += kCityListFile;
  // A missing or unreadable file reads as empty: one blank entry.
  const std::optional<std::string> bytes = svc_.files->ReadAll(path, kCityListMaxBytes);
  // Records past the list's end are not read at all; the list keeps file
  // order and the item data is the record's index.
  cities_ = ParseCityList(bytes ? *bytes : std::string(), kMaxCities);
  for (size_t i = 0; i < cities_.size(); ++i) city_->AddItem(cities_[i].name, static_cast<int32_t>(i));
}

// A wrong box stays marked only until the next OK, Cancel or opening.
void LocationDialog::ClearWrongBoxes() {
  frame_->SetText(kCaption);
  for (ui::Control* box : {city_, latitude_, longitude_, zone_, addDzuhur_, addMaghrib_, fajrAngle_, isyaAngle_})
    box->SetBackColor(ui::kSystemWindow);
}

void LocationDialog::Open() {
  window_.HoldStripAtLeast(kDialogHeight);
  window_.EnlargeFor(kDialogHeight);
  form_.Show();
  // The layout pass has run by now, so the width is the final one.
  frame_->Move((form_.width() - frame_->width()) / 2, (form_.height() - frame_->height()) / 2,
               frame_->width(), frame_->height());

  ClearWrongBoxes();
  const settings::Location& l = schedule_.location();
  latitude_->SetText(settings::PlainNumber(l.latitude));
  longitude_->SetText(settings::PlainNumber(l.longitude));
  zone_->SetText(settings::PlainInt(l.timeZone));
  city_->SetText(l.city);
  addDzuhur_->SetText(settings::PlainInt(l.addDzuhur));
  addMaghrib_->SetText(settings::PlainInt(l.addMaghrib));
  (l.mazhab == kHanafi ? hanafi_ : shafii_)->SetValue(true);
  fajrAngle_->SetText(settings::PlainNumber(l.sudutFajar));
  isyaAngle_->SetText(settings::PlainNumber(l.sudutIsya));
  frame_->SetVisible(true);
}

void LocationDialog::PickCity() {
  const int at = city_->listIndex();
  if (at < 0 || at >= static_cast<int>(city_->items().size())) return;
  const int32_t k = city_->items()[static_cast<size_t>(at)].itemData;
  if (k < 0 || static_cast<size_t>(k) >= cities_.size()) return;
  const City& c = cities_[static_cast<size_t>(k)];
  latitude_->SetText(settings::PlainNumber(c.latitude));
  longitude_->SetText(settings::PlainNumber(c.longitude));
  zone_->SetText(settings::PlainInt(c.zone));
}

bool LocationDialog::Accept() {
  ClearWrongBoxes();
  using settings::StrictNumber;
  using settings::Val;

  // Everything is checked before anything is stored: a refused OK leaves
  // the store and the clock's place as they were, so a later start never
  // reads a half-written place.
  const std::optional<double> lat = StrictNumber(latitude_->text());
  const std::optional<double> lon = StrictNumber(longitude_->text());
  const std::optional<double> zoneNumber = StrictNumber(zone_->text());
  const std::optional<int16_t> zone = zoneNumber ? ToInt16(*zoneNumber) : std::nullopt;
  const std::optional<int16_t> addDz = settings::ValInt16(addDzuhur_->text());
  const std::optional<int16_t> addMag = settings::ValInt16(addMaghrib_->text());
  const bool fajrRead = settings::HasNumber(fajrAngle_->text());
  const bool isyaRead = settings::HasNumber(isyaAngle_->text());
  const double fajr = Val(fajrAngle_->text()), isya = Val(isyaAngle_->text());

  struct Check {
    ui::Control* box;
    const char* hint;
    bool ok;
  };
  // An empty name would read as a first run at the next start, which would
  // overwrite the place with Jakarta's.
  const Check checks[] = {
      {city_, "Kota", city_->text().find_first_not_of(" \t") != std::string::npos},
      {latitude_, "Lat", lat && settings::LatitudeOk(*lat)},
      {longitude_, "Long", lon && settings::LongitudeOk(*lon)},
      {zone_, "Gmt", zone && settings::ZoneOk(*zone)},
      {addDzuhur_, "Dzhuhur", addDz.has_value()},
      {addMaghrib_, "Maghrib", addMag.has_value()},
      {fajrAngle_, "Fajar", fajrRead && settings::FajrAngleOk(fajr)},
      {isyaAngle_, "Isya", isyaRead && settings::IsyaAngleOk(isya)},
  };
  const Check* firstWrong = nullptr;
  for (const Check& c : checks) {
    if (c.ok) continue;
    c.box->SetBackColor(kWrongBox);
    if (!firstWrong) firstWrong = &c;
  }
  if (firstWrong) {
    frame_->SetText(std::string(kCaption) + " - " + firstWrong->hint + " salah");
    // An angle's range is not obvious: say it.
    if (firstWrong->box == fajrAngle_ || firstWrong->box == isyaAngle_) {
      const bool isFajr = firstWrong->box == fajrAngle_;
      svc_.dialogs->MessageBox(
          std::string("Sudut ") + (isFajr ? "Fajar" : "Isya") + " harus antara " +
              settings::PlainNumber(isFajr ? settings::kMinFajr : settings::kMinIsya) + " dan " +
              settings::PlainNumber(isFajr ? settings::kMaxFajr : settings::kMaxIsya) + " derajat.",
          kCaption);
    }
    return false;
  }

  settings::Location l;
  l.city = city_->text();
  // All present, as checked above; value_or keeps GCC's flow analysis quiet.
  l.latitude = lat.value_or(0);
  l.longitude = lon.value_or(0);
  l.timeZone = zone.value_or(0);
  l.addDzuhur = addDz.value_or(0);
  l.addMaghrib = addMag.value_or(0);
  l.mazhab = hanafi_->value() ? kHanafi : kShafii;
  l.sudutFajar = fajr;
  l.sudutIsya = isya;
  settings_.SaveLocation(l);
  // The new place applies at once: the alerts would otherwise keep the old
  // place's times until midnight.
  schedule_.SetLocation(l, svc_.clock->Now());
  CloseFrame();
  return true;
}

void LocationDialog::Cancel() {
  ClearWrongBoxes();
  CloseFrame();
}

void LocationDialog::CloseFrame() {
  window_.HoldStripAtLeast(0);
  window_.RestoreHeight();
  frame_->SetVisible(false);
}

}  // namespace qov
