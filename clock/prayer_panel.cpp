#include "clock/prayer_panel.h"

#include <cmath>
#include <cstdio>

#include "engine/hijri.h"
#include "engine/numeric.h"

namespace qov {

namespace {

// The window grows to at least this height so the panel fits.
constexpr ui::Twips kPanelMinHeight = 3000;

std::string FormatPanelDate(double day, Locale& locale) {
  const CivilDate d = DateOf(day);
  char dd[4];
  std::snprintf(dd, sizeof dd, "%02d", d.day % 100);
  char yyyy[8];
  std::snprintf(yyyy, sizeof yyyy, "%04d", d.year % 10000);
  return std::string(dd) + " " + locale.MonthName(d.month) + " " + yyyy;
}

std::string FormatMinute(int minute) {
  if (minute < 0) return "--:--";
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d:%02d", minute / 60 % 100, minute % 60);
  return buf;
}

}  // namespace

PrayerPanel::PrayerPanel(ui::Form& form, ContextMenu& menu, Services& services,
                         settings::Settings& settings, ClockWindow& window, Schedule& schedule)
    : form_(form), menu_(menu), svc_(services), settings_(settings), window_(window), schedule_(schedule) {
  frame_ = &form_.Add(ui::Kind::Frame, "prayerPanel");
  frame_->Move(0, 0, 1960, 2860);
  frame_->SetBackColor(ui::kBlack);
  frame_->SetVisible(false);

  const ui::Font labelFont{"Arial", 8.25f, true, false};
  auto label = [&](const char* name, int index, const char* text, float l, float t, float w, float h) {
    ui::Control& c = form_.Add(ui::Kind::Label, name, index, frame_);
    c.Move(l, t, w, h);
    c.SetText(text);
    c.SetFont(labelFont);
    c.SetForeColor(ui::kYellow);
    c.SetTransparent(true);
    return &c;
  };

  label("title", -1, "Waktu Sholat Hari Ini", 120, 120, 1725, 330);
  date_ = label("date", -1, "12 Januari 2004", 135, 360, 1635, 330);
  date_->SetAlignment(ui::Align::Center);
  // The Hijri date of the civil day, as Indonesian calendars print it.
  hijri_ = label("hijri", -1, "", 30, 600, 1900, 240);
  hijri_->SetAlignment(ui::Align::Center);
  // Month names run long ("Jumadil Akhir"): a smaller plain face keeps the
  // line on one row of the narrow panel.
  hijri_->SetFont(ui::Font{"Arial", 7.5f, false, false});

  struct Row {
    const char* name;
    float top, width;
  };
  // In the order of the day, which is the engine's order.
  static constexpr Row kRows[engine::kPrayerCount] = {
      {"Shubuh", 930, 780}, {"Dzuhur", 1200, 690}, {"Ashar", 1470, 645},
      {"Maghrib", 1785, 690}, {"Isya", 2055, 690}};
  for (int k = 0; k < engine::kPrayerCount; ++k) {
    const Row& r = kRows[k];
    label("prayerName", k, r.name, 270, r.top, r.width, 240);
    label("colon", k, ":", 1080, r.top, 105, 195);
    times_[static_cast<size_t>(k)] = label("prayerTime", k, "", 1215, r.top, 780, 240);
  }

  delayCaption_ = label("delayCaption", -1, "Pop Up Time", 405, 2300, 1320, 240);
  delayBox_ = &form_.Add(ui::Kind::TextBox, "delayBox", -1, frame_);
  delayBox_->Move(270, 2540, 420, 285);
  delayBox_->SetText("Text1");
  delayBox_->SetFont(ui::Font{"Arial", 8.25f, false, false});
  delayUnit_ = label("delayUnit", -1, "detik", 810, 2585, 600, 240);
  delayOk_ = &form_.Add(ui::Kind::Button, "delayOk", -1, frame_);
  delayOk_->Move(1395, 2540, 420, 285);
  delayOk_->SetText("OK");
  delayOk_->SetFont(ui::Font{"Arial", 8.25f, false, false});
  ShowEditor(false);

  autoClose_ = &form_.AddTimer("panelAutoClose", 0, false);
  autoClose_->onTimer = [this] {
    autoClose_->SetEnabled(false);
    Close();
  };
  frame_->onClick = [this] { Close(); };
  delayOk_->onClick = [this] { AcceptDelay(); };
  menu.prayerTimes.onClick = [this] { OpenWithAutoClose(); };
  menu.popUpTimes.onClick = [this] { OpenWithDelayEditor(); };
  menu.fullSchedule.onClick = [this] { ToggleFullSchedule(); };
}

void PrayerPanel::ToggleFullSchedule() {
  const bool on = !menu_.fullSchedule.checked;
  menu_.fullSchedule.checked = on;
  settings_.SaveFullSchedule(on);
}

void PrayerPanel::Load(int16_t popDelaySeconds, bool fullSchedule) {
  popDelay_ = popDelaySeconds;
  menu_.fullSchedule.checked = fullSchedule;
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
  window_.EnlargeFor(kPanelMinHeight);
  frame_->Move((form_.width() - frame_->width()) / 2, (form_.height() - frame_->height()) / 2,
               frame_->width(), frame_->height());
  frame_->SetVisible(true);
  form_.Show();
}

// The date line and a fresh computation for today.
void PrayerPanel::Fill() {
  const double now = svc_.clock->Now();
  date_->SetText(FormatPanelDate(DatePart(now), *svc_.locale));
  const CivilDate d = DateOf(DatePart(now));
  hijri_->SetText(engine::FormatHijri(
      engine::HijriFromCivil(d.year, d.month, d.day, schedule_.location().hijriCorrection)));
  schedule_.Compute(now);
  for (int k = 0; k < engine::kPrayerCount; ++k)
    times_[static_cast<size_t>(k)]->SetText(FormatMinute(schedule_.Minute(static_cast<engine::Prayer>(k))));
}

void PrayerPanel::OpenWithAutoClose() {
  OpenFrame();
  // Worked out in 32 bits, so every 16-bit delay up to 32767 s (about 9
  // hours) is a valid interval. A delay of 0 or below leaves the timer
  // unarmed: the panel stays until it is clicked.
  const int32_t ms = popDelay_ > 0 ? int32_t{popDelay_} * 1000 : 0;
  autoClose_->SetInterval(ms);
  autoClose_->SetEnabled(ms > 0);
  Fill();
}

void PrayerPanel::OpenWithDelayEditor() {
  OpenFrame();
  Fill();
  ShowEditor(true);
  delayBox_->SetText(settings::PlainInt(popDelay_));
}

void PrayerPanel::Close() {
  frame_->SetVisible(false);
  window_.RestoreHeight();
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
