#include "location/location_dialog.h"

#include "clock/dialog_frame.h"

#include <optional>
#include <string>

#include "platform/i18n.h"

namespace qov {

namespace {

constexpr const char* kCaption = N_("Lokasi");
constexpr ui::Twips kFrameWidth = 3435, kFrameHeight = 6465;
// The window is made this tall (434 pixels at 96 dpi) so the frame fits.
constexpr ui::Twips kDialogHeight = kFrameHeight + 45;

constexpr int16_t kHanafi = 2, kShafii = 1;

// The published Indonesian schedule (Kemenag): Fajr 20 and Isya 18 degrees
// below the horizon, Shafi'i's shadow, and its safety minutes (ihtiyat).
constexpr double kKemenagFajr = 20, kKemenagIsya = 18;
constexpr int kKemenagAdditions[5] = {2, 3, 2, 2, 2};  // Shubuh, Dzuhur, Ashar, Maghrib, Isya

std::string ZoneText(double hours) { return settings::PlainNumber(hours); }

// Names the system's zone ("Windows"), so it is composed at each opening.
std::string FollowZoneCaption(Clock& clock) { return i18n::Fill("Ikuti zona waktu {1}", {i18n::Tr(clock.SystemName())}); }

}  // namespace

LocationDialog::LocationDialog(ui::Form& form, ContextMenu& menu, Services& services,
                               settings::Settings& settings, ClockWindow& window, Schedule& schedule)
    : form_(form), svc_(services), settings_(settings), window_(window), schedule_(schedule) {
  frame_ = &dialog::AddFrame(form_, "locationDialog", kCaption, kFrameWidth, kFrameHeight);
  const ui::Font& captionFont = dialog::kCaptionFont;
  const ui::Font& boxFont = dialog::kBoxFont;
  auto label = [&](const char* text, float l, float t, float w) { dialog::AddCaption(form_, *frame_, text, l, t, w); };
  auto box = [&](const char* name, float l, float t, float w) {
    ui::Control& c = form_.Add(ui::Kind::TextBox, name, -1, frame_);
    c.Move(l, t, w, 240);
    c.SetFont(boxFont);
    return &c;
  };
  auto tick = [&](ui::Kind kind, const char* name, const char* text, float l, float t, float w) {
    ui::Control& c = form_.Add(kind, name, -1, frame_);
    c.Move(l, t, w, 255);
    c.SetCaption(text);
    c.SetFont(kind == ui::Kind::CheckBox ? boxFont : captionFont);
    c.SetForeColor(ui::kYellow);
    c.SetBackColor(ui::kBlack);
    return &c;
  };

  city_ = &form_.Add(ui::Kind::ComboBox, "city", -1, frame_);
  city_->Move(150, 480, kFrameWidth - 300, 315);
  city_->SetFont(boxFont);

  constexpr float kLabelLeft = 150, kBoxLeft = 1740, kBoxWidth = 1545, kShortBox = 480, kUnitLeft = 2295;
  label(N_("Lat"), kLabelLeft, 900, 1580);
  latitude_ = box("latitude", kBoxLeft, 900, kBoxWidth);
  label(N_("Long"), kLabelLeft, 1200, 1580);
  longitude_ = box("longitude", kBoxLeft, 1200, kBoxWidth);
  label(N_("Gmt"), kLabelLeft, 1500, 1580);
  zone_ = box("zone", kBoxLeft, 1500, kBoxWidth);
  followZone_ = tick(ui::Kind::CheckBox, "followZone", "", kLabelLeft, 1800, kFrameWidth - 300);
  followZone_->SetText(FollowZoneCaption(*svc_.clock));

  ui::Control& rule = form_.Add(ui::Kind::Line, "separator", -1, frame_);
  rule.SetBorderColor(ui::kWhite);
  rule.SetStart(0, 2130);
  rule.SetEnd(kFrameWidth, 2130);

  struct Addition {
    const char* caption;
    const char* name;
    ui::Control** box;
  };
  const Addition additions[] = {{N_("+ Shubuh"), "addShubuh", &addShubuh_}, {N_("+ Dzhuhur"), "addDzuhur", &addDzuhur_},
                                {N_("+ Ashar"), "addAshar", &addAshar_},    {N_("+ Maghrib"), "addMaghrib", &addMaghrib_},
                                {N_("+ Isya"), "addIsya", &addIsya_}};
  float top = 2220;
  for (const Addition& a : additions) {
    label(a.caption, kLabelLeft, top, 1580);
    *a.box = box(a.name, kBoxLeft, top, kShortBox);
    label(N_("Menit"), kUnitLeft, top, 780);
    top += 270;
  }

  label(N_("Ashar"), kLabelLeft, 3600, 1580);
  hanafi_ = tick(ui::Kind::OptionButton, "hanafi", N_("Hanafi"), kBoxLeft, 3600, kBoxWidth);
  shafii_ = tick(ui::Kind::OptionButton, "hambali", N_("Hambali"), kBoxLeft, 3840, kBoxWidth);

  label(N_("Sudut Fajar"), kLabelLeft, 4140, 1580);
  fajrAngle_ = box("fajrAngle", kBoxLeft, 4140, kBoxWidth);
  label(N_("Sudut Isya"), kLabelLeft, 4440, 1580);
  isyaAngle_ = box("isyaAngle", kBoxLeft, 4440, kBoxWidth);

  label(N_("Lintang tinggi"), kLabelLeft, 4740, 1580);
  highLatitude_ = &form_.Add(ui::Kind::ComboBox, "highLatitude", -1, frame_);
  highLatitude_->Move(kBoxLeft, 4710, kBoxWidth, 315);
  highLatitude_->SetFont(boxFont);
  // Only the listed rules mean anything: typing is not offered.
  highLatitude_->SetListOnly(true);
  for (int i = 0; i < settings::kStoredHighLatitudeChoices; ++i)
    highLatitude_->AddCaptionItem(settings::kHighLatitudeChoices[i].caption, i);

  label(N_("Koreksi Hijriah"), kLabelLeft, 5100, 1580);
  hijriCorrection_ = box("hijriCorrection", kBoxLeft, 5100, kShortBox);
  label(N_("Hari"), kUnitLeft, 5100, 780);
  label(N_("Ketinggian"), kLabelLeft, 5400, 1580);
  elevation_ = box("elevation", kBoxLeft, 5400, kShortBox);
  label(N_("Meter"), kUnitLeft, 5400, 780);

  kemenag_ = tick(ui::Kind::CheckBox, "kemenag", N_("Standar Kemenag"), kLabelLeft, 5700, kFrameWidth - 300);

  ok_ = &form_.Add(ui::Kind::Button, "ok", -1, frame_);
  ok_->Move(150, 6060, 1515, 315);
  ok_->SetText("OK");
  cancel_ = &form_.Add(ui::Kind::Button, "cancel", -1, frame_);
  cancel_->Move(1770, 6060, 1515, 315);
  cancel_->SetCaption(N_("Cancel"));
  cancel_->SetCancel(true);
  for (ui::Control* b : {ok_, cancel_}) b->SetFont(captionFont);

  city_->onClick = [this] { PickCity(); };
  followZone_->onClick = [this] { ToggleFollowSystemZone(); };
  kemenag_->onClick = [this] { ToggleKemenag(); };
  ok_->onClick = [this] { Accept(); };
  cancel_->onClick = [this] { Cancel(); };
  menu.On(Command::kLocation, [this] { Open(); });
}

void LocationDialog::LoadCities() {
  citiesLoaded_ = true;
  city_->ClearItems();
  const std::string path = svc_.files->BesideProgram(kCityListFile);
  // A missing or unreadable file reads as empty: one blank entry.
  const std::optional<std::string> bytes = svc_.files->ReadAll(path, kCityListMaxBytes);
  // Records past the list's end are not read at all; the list keeps file
  // order and the item data is the record's index.
  cities_ = ParseCityList(bytes ? *bytes : std::string(), kMaxCities);
  for (size_t i = 0; i < cities_.size(); ++i) city_->AddItem(cities_[i].name, static_cast<int32_t>(i));
}

// A wrong box stays marked only until the next OK, Cancel or opening.
void LocationDialog::ClearWrongBoxes() {
  frame_->SetCaption(kCaption);
  for (ui::Control* box : {city_, latitude_, longitude_, zone_, addShubuh_, addDzuhur_, addAshar_, addMaghrib_,
                           addIsya_, fajrAngle_, isyaAngle_, hijriCorrection_, elevation_})
    box->SetBackColor(ui::kSystemWindow);
}

void LocationDialog::Open() {
  if (!citiesLoaded_) LoadCities();
  window_.OpenOverlay(ClockWindow::Overlay::kDialog, *frame_, kDialogHeight);
  followZone_->SetText(FollowZoneCaption(*svc_.clock));

  ClearWrongBoxes();
  const settings::Location& l = schedule_.location();
  latitude_->SetText(settings::PlainNumber(l.latitude));
  longitude_->SetText(settings::PlainNumber(l.longitude));
  zone_->SetEnabled(true);
  zone_->SetText(ZoneText(l.timeZone));
  followZone_->SetValue(l.followSystemZone);
  ToggleFollowSystemZone();
  city_->SetText(l.city);
  addShubuh_->SetText(settings::PlainInt(l.addShubuh));
  addDzuhur_->SetText(settings::PlainInt(l.addDzuhur));
  addAshar_->SetText(settings::PlainInt(l.addAshar));
  addMaghrib_->SetText(settings::PlainInt(l.addMaghrib));
  addIsya_->SetText(settings::PlainInt(l.addIsya));
  (l.mazhab == kHanafi ? hanafi_ : shafii_)->SetValue(true);
  fajrAngle_->SetText(settings::PlainNumber(l.sudutFajar));
  isyaAngle_->SetText(settings::PlainNumber(l.sudutIsya));
  highLatitude_->SelectItem(static_cast<int>(settings::kHighLatitude.field.get(l)));
  hijriCorrection_->SetText(settings::PlainInt(l.hijriCorrection));
  elevation_->SetText(settings::PlainNumber(l.elevation));
  kemenag_->SetValue(l.kemenag);
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
  // The list's zone is the standard one; following the system's zone keeps
  // its own offset in the box, and the list's for when it is unticked.
  if (followZone_->value())
    ownZone_ = ZoneText(c.zone);
  else
    zone_->SetText(ZoneText(c.zone));
}

// While the system's offset shows, the user's own zone is kept aside: it
// is what OK stores and what unticking brings back, so a summer offset
// shown once never becomes the zone for the whole year.
void LocationDialog::ToggleFollowSystemZone() {
  const bool on = followZone_->value();
  if (on == !zone_->enabled()) return;  // already showing that
  zone_->SetEnabled(!on);
  if (!on) {
    zone_->SetText(ownZone_);
    return;
  }
  ownZone_ = zone_->text();
  // The offset now: the zone's own rules at this instant.
  const double local = svc_.clock->Now();
  const double offset = svc_.clock->UtcOffsetAt(local - svc_.clock->UtcOffsetAt(local) / 24);
  zone_->SetText(ZoneText(offset));
}

void LocationDialog::ToggleKemenag() {
  if (!kemenag_->value()) return;  // the boxes keep what they show
  fajrAngle_->SetText(settings::PlainNumber(kKemenagFajr));
  isyaAngle_->SetText(settings::PlainNumber(kKemenagIsya));
  ui::Control* boxes[5] = {addShubuh_, addDzuhur_, addAshar_, addMaghrib_, addIsya_};
  for (int i = 0; i < 5; ++i) boxes[i]->SetText(settings::PlainInt(kKemenagAdditions[i]));
  shafii_->SetValue(true);
}

bool LocationDialog::Accept() {
  ClearWrongBoxes();
  using settings::Setting;

  // How a box is read: the place boxes and the new ones must hold exactly
  // one number; the additions and the angles are read as the store reads
  // them, and an angle needs a number at its start.
  enum class Reading { kText, kStrict, kLenient, kLeadingNumber };
  struct Box {
    ui::Control* control;
    const Setting& setting;
    Reading reading;
  };
  const Box boxes[] = {
      {city_, settings::kCity, Reading::kText},
      {latitude_, settings::kLatitude, Reading::kStrict},
      {longitude_, settings::kLongitude, Reading::kStrict},
      {zone_, settings::kTimeZone, Reading::kStrict},
      {addShubuh_, settings::kAddShubuh, Reading::kLenient},
      {addDzuhur_, settings::kAddDzuhur, Reading::kLenient},
      {addAshar_, settings::kAddAshar, Reading::kLenient},
      {addMaghrib_, settings::kAddMaghrib, Reading::kLenient},
      {addIsya_, settings::kAddIsya, Reading::kLenient},
      {fajrAngle_, settings::kFajrAngle, Reading::kLeadingNumber},
      {isyaAngle_, settings::kIsyaAngle, Reading::kLeadingNumber},
      {hijriCorrection_, settings::kHijriCorrection, Reading::kStrict},
      {elevation_, settings::kElevation, Reading::kStrict},
  };
  auto read = [this](const Box& b) -> std::optional<double> {
    const std::string& text = b.control == zone_ && followZone_->value() ? ownZone_ : b.control->text();
    switch (b.reading) {
      case Reading::kText:
        return text.find_first_not_of(" \t") != std::string::npos ? std::optional<double>(0) : std::nullopt;
      case Reading::kStrict:
        return settings::StrictNumber(text);
      case Reading::kLeadingNumber:
        if (!settings::HasNumber(text)) return std::nullopt;
        [[fallthrough]];
      case Reading::kLenient:
        return settings::Val(text);
    }
    return std::nullopt;
  };

  // Everything is checked before anything is stored: a refused OK leaves
  // the store and the clock's place as they were, so a later start never
  // reads a half-written place.
  settings::Location l;
  const Box* firstWrong = nullptr;
  for (const Box& b : boxes) {
    const std::optional<double> v = read(b);
    if (v && (b.reading == Reading::kText || b.setting.Accepts(*v))) {
      if (b.setting.field.set) b.setting.field.set(l, *v);
      continue;
    }
    b.control->SetBackColor(dialog::kWrongBox);
    if (!firstWrong) firstWrong = &b;
  }
  if (firstWrong) {
    frame_->SetText(i18n::Fill("{1} - {2} salah", {i18n::Tr(kCaption), i18n::Tr(firstWrong->setting.hint)}));
    svc_.dialogs->MessageBox(settings::RefusalMessage(firstWrong->setting), i18n::Tr(kCaption));
    return false;
  }

  l.city = city_->text();
  l.kemenag = kemenag_->value();
  l.followSystemZone = followZone_->value();
  const int rule = highLatitude_->listIndex();
  if (rule >= 0 && rule < settings::kStoredHighLatitudeChoices) settings::kHighLatitude.field.set(l, rule);
  l.mazhab = hanafi_->value() ? kHanafi : kShafii;
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
  window_.CloseOverlay(ClockWindow::Overlay::kDialog, *frame_);
}

}  // namespace qov
