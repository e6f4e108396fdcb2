#include "clock/prayer_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/hijri.h"
#include "engine/numeric.h"
#include "engine/waktu_names.h"
#include "platform/i18n.h"
#include "timetable/days.h"

namespace qov {

namespace {

// The window grows to at least this height so the panel fits.
constexpr ui::Twips kPanelMinHeight = 3000;

// In the chosen language whatever the system's: the names come from the
// catalogue, not from the locale.
std::string FormatPanelDate(double day) {
  const CivilDate d = DateOf(day);
  char dd[4];
  std::snprintf(dd, sizeof dd, "%02d", d.day % 100);
  char yyyy[8];
  std::snprintf(yyyy, sizeof yyyy, "%04d", d.year % 10000);
  return i18n::Fill("{1} {2} {3}", {dd, i18n::Tr(timetable::MonthName(d.month)), yyyy});
}

std::string FormatMinute(int minute) { return minute < 0 ? "--:--" : FormatHHMM(minute / 1440.0); }

}  // namespace

PrayerPanel::PrayerPanel(ui::Form& form, ContextMenu& menu, Services& services,
                         settings::Settings& settings, ClockWindow& window, Schedule& schedule)
    : form_(form), menu_(menu), svc_(services), settings_(settings), window_(window), schedule_(schedule) {
  frame_ = &form_.Add(ui::Kind::Frame, "prayerPanel");
  frame_->Move(0, 0, 1960, 2860);  // Arrange gives the height
  frame_->SetBackColor(ui::kBlack);
  frame_->SetVisible(false);

  const ui::Font labelFont{"Arial", 8.25f, true, false};
  auto label = [&](const char* name, int index, const char* text, float l, float t, float w, float h) {
    ui::Control& c = form_.Add(ui::Kind::Label, name, index, frame_);
    c.Move(l, t, w, h);
    c.SetCaption(text);
    c.SetFont(labelFont);
    c.SetForeColor(ui::kYellow);
    c.SetTransparent(true);
    return &c;
  };

  label("title", -1, N_("Waktu Sholat Hari Ini"), 120, 120, 1725, 330);
  date_ = label("date", -1, "", 135, 360, 1635, 330);
  date_->SetAlignment(ui::Align::Center);
  // The Hijri date of the civil day, as Indonesian calendars print it.
  hijri_ = label("hijri", -1, "", 30, 600, 1900, 240);
  hijri_->SetAlignment(ui::Align::Center);
  // Month names run long ("Jumadil Akhir"): a smaller plain face keeps the
  // line on one row of the narrow panel.
  hijri_->SetFont(ui::Font{"Arial", 7.5f, false, false});

  // The five prayers keep the names and indices they always had; the
  // full day's other three rows come after them.
  static constexpr int kPrayerIndex[engine::kWaktuCount] = {-1, 0, -1, -1, 1, 2, 3, 4};
  int extra = 0;
  for (int w = 0; w < engine::kWaktuCount; ++w) {
    const bool prayer = kPrayerIndex[w] >= 0;
    const int index = prayer ? kPrayerIndex[w] : extra++;
    Row& r = rows_[static_cast<size_t>(w)];
    r.name = label(prayer ? "prayerName" : "extraName", index, engine::kWaktuNames[static_cast<size_t>(w)], 270, 0, 800, 240);
    r.colon = label(prayer ? "colon" : "extraColon", index, ":", 1080, 0, 105, 195);
    r.time = label(prayer ? "prayerTime" : "extraTime", index, "", 1215, 0, 780, 240);
  }
  // Shown when a time came from the high-latitude rule (marked "*").
  ruleNote_ = label("ruleNote", -1, N_("* kaidah lintang tinggi"), 60, 0, 1840, 200);
  ruleNote_->SetFont(ui::Font{"Arial", 6.75f, false, false});
  ruleNote_->SetAlignment(ui::Align::Center);
  ruleNote_->SetVisible(false);

  delayCaption_ = label("delayCaption", -1, N_("Pop Up Time"), 405, 2300, 1320, 240);
  delayBox_ = &form_.Add(ui::Kind::TextBox, "delayBox", -1, frame_);
  delayBox_->Move(270, 2540, 420, 285);
  delayBox_->SetFont(ui::Font{"Arial", 8.25f, false, false});
  delayUnit_ = label("delayUnit", -1, N_("detik"), 810, 2585, 600, 240);
  delayOk_ = &form_.Add(ui::Kind::Button, "delayOk", -1, frame_);
  delayOk_->Move(1395, 2540, 420, 285);
  delayOk_->SetText("OK");
  delayOk_->SetFont(ui::Font{"Arial", 8.25f, false, false});
  ShowEditor(false);
  Arrange();

  autoClose_ = &form_.AddTimer("panelAutoClose", 0, false);
  autoClose_->onTimer = [this] {
    autoClose_->SetEnabled(false);
    Close();
  };
  frame_->onClick = [this] { Close(); };
  delayOk_->onClick = [this] { AcceptDelay(); };
  menu.On(Command::kPrayerTimes, [this] { OpenWithAutoClose(); });
  menu.On(Command::kPopUpTimes, [this] { OpenWithDelayEditor(); });
  menu.On(Command::kFullSchedule, [this] { ToggleFullSchedule(); });
}

void PrayerPanel::ToggleFullSchedule() {
  fullSchedule_ = !fullSchedule_;
  menu_.Check(Command::kFullSchedule, fullSchedule_);
  settings_.SaveFullSchedule(fullSchedule_);
  Arrange();
}

void PrayerPanel::Arrange() {
  const bool full = fullSchedule_;
  // The five rows at the places they always had; the full day in even steps.
  static constexpr float kFiveTops[engine::kWaktuCount] = {0, 930, 0, 0, 1200, 1470, 1785, 2055};
  float bottom = 0;
  int shown = 0;
  for (int w = 0; w < engine::kWaktuCount; ++w) {
    Row& r = rows_[static_cast<size_t>(w)];
    const bool visible = full || kFiveTops[w] > 0;
    const float top = full ? 930 + 255.0f * shown : kFiveTops[w];
    for (ui::Control* c : {r.name, r.colon, r.time}) {
      c->SetVisible(visible);
      c->Move(c->left(), top, c->width(), c->height());
    }
    if (visible) {
      ++shown;
      bottom = top + 240;
    }
  }
  ruleNote_->Move(ruleNote_->left(), bottom + 10, ruleNote_->width(), ruleNote_->height());
  // The delay editor below the rows, and below the note when it shows.
  const float editor = bottom + 5 + (ruleNote_->visible() ? ruleNote_->height() + 10 : 0);
  delayCaption_->Move(delayCaption_->left(), editor, delayCaption_->width(), delayCaption_->height());
  for (ui::Control* c : {delayBox_, delayOk_})
    c->Move(c->left(), editor + 240, c->width(), c->height());
  delayUnit_->Move(delayUnit_->left(), editor + 285, delayUnit_->width(), delayUnit_->height());
  frame_->Move(frame_->left(), frame_->top(), frame_->width(), editor + 560);
}

void PrayerPanel::Load(int16_t popDelaySeconds, bool fullSchedule) {
  popDelay_ = popDelaySeconds;
  fullSchedule_ = fullSchedule;
  menu_.Check(Command::kFullSchedule, fullSchedule);
  Arrange();
  frame_->Move(0, 0, frame_->width(), frame_->height());
}

void PrayerPanel::ShowEditor(bool on) {
  for (ui::Control* c : {delayCaption_, delayUnit_, delayOk_, delayBox_}) c->SetVisible(on);
}

// Grow the window to fit the frame, centre the frame and show everything.
// The growth runs the layout pass at once, so the centring sees the final
// size; in version 2 the strip may stay lower than the frame and the frame
// is clipped, which is harmless.
void PrayerPanel::OpenFrame() {
  const ui::Twips needed = std::max(kPanelMinHeight, frame_->height() + 140);
  window_.OpenOverlay(ClockWindow::Overlay::kPanel, *frame_, needed);
  frame_->SetVisible(true);
}

// The date line and a fresh computation for today.
void PrayerPanel::Fill() {
  const double now = svc_.clock->Now();
  date_->SetText(FormatPanelDate(DatePart(now)));
  const int correction = schedule_.location().hijriCorrection;
  if (DatePart(now) != hijriFor_ || correction != hijriCorrection_ || &i18n::Current() != hijriLanguage_) {
    hijriFor_ = DatePart(now);
    hijriCorrection_ = correction;
    hijriLanguage_ = &i18n::Current();
    const CivilDate d = DateOf(hijriFor_);
    const engine::HijriDate h = engine::HijriFromCivil(d.year, d.month, d.day, correction);
    hijri_->SetText(h.valid ? i18n::Fill("{1} {2} {3} H", {std::to_string(h.day), i18n::Tr(engine::HijriMonthName(h.month)),
                                                            std::to_string(h.year)})
                            : std::string());
  }
  schedule_.Compute(now);
  // Friday's Dzuhur is the Jumat prayer; day 0 of the serials was a Saturday.
  const int64_t day = static_cast<int64_t>(DatePart(now));
  rows_[static_cast<size_t>(engine::Waktu::kDzuhur)].name->SetCaption((day % 7 + 7) % 7 == 6 ? N_("Jumat") : N_("Dzuhur"));
  bool rule = false;
  for (int w = 0; w < engine::kWaktuCount; ++w) {
    const engine::PrayerTime& t = schedule_.times().times[static_cast<size_t>(w)];
    // Not the sun's own event: a share of the night, or the nominal night
    // of a polar day.
    const bool fromRule = t.status != engine::TimeStatus::kNormal;
    rule = rule || fromRule;
    rows_[static_cast<size_t>(w)].time->SetText(FormatMinute(t.minuteOfDay) + (fromRule ? "*" : ""));
  }
  if (rule != ruleNote_->visible()) {
    ruleNote_->SetVisible(rule);
    Arrange();
  }
}

void PrayerPanel::OpenWithAutoClose() {
  Fill();  // first: the note may make the frame taller
  OpenFrame();
  // Worked out in 32 bits, so every 16-bit delay up to 32767 s (about 9
  // hours) is a valid interval. A delay of 0 or below leaves the timer
  // unarmed: the panel stays until it is clicked.
  const int32_t ms = popDelay_ > 0 ? int32_t{popDelay_} * 1000 : 0;
  autoClose_->SetInterval(ms);
  autoClose_->SetEnabled(ms > 0);
}

void PrayerPanel::OpenWithDelayEditor() {
  Fill();
  OpenFrame();
  ShowEditor(true);
  delayBox_->SetText(settings::PlainInt(popDelay_));
}

void PrayerPanel::Close() {
  // Closed by a click, the auto-close must not fire later and shrink the
  // window under the location dialog opened meanwhile.
  autoClose_->SetEnabled(false);
  window_.CloseOverlay(ClockWindow::Overlay::kPanel, *frame_);
}

void PrayerPanel::AcceptDelay() {
  ShowEditor(false);
  Close();
  // Read leniently (anything unreadable is 0) and held to the 16-bit range,
  // so no typed text can fail here or at the next opening.
  double v = RoundHalfEven(settings::Val(delayBox_->text()));
  if (!std::isfinite(v)) v = 0;
  if (v < -32768.0) v = -32768.0;
  if (v > 32767.0) v = 32767.0;
  popDelay_ = static_cast<int16_t>(v);
  settings_.SavePopDelay(popDelay_);
}

}  // namespace qov
