// The prayer-time panel over the clock face: opened by "Waktu Sholat" with
// an auto-close, or by "Pop Up Waktu Sholat" with the pop-delay editor.
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "app/clockface.h"
#include "app/settings.h"
#include "engine/datetime.h"
#include "engine/numeric.h"

namespace qov {

namespace s = settings;

namespace {

constexpr ui::Twips kPanelMinHeight = 3000;

// Save the height, grow the window to fit the frame, centre the frame and
// show everything. The growth runs the layout pass at once, so the centring
// sees the final size; in version 2 the strip may stay lower than the frame
// and the frame is clipped, which is harmless.
void OpenPanel(ClockFace& c) {
  ui::Form& f = c.form();
  c.SavedHeight = ToInt16(f.height()).value_or(INT16_MAX);
  if (f.height() < kPanelMinHeight) f.SetHeight(kPanelMinHeight);
  ui::Control& frame = *c.Frame1;
  frame.Move((f.width() - frame.width()) / 2, (f.height() - frame.height()) / 2, frame.width(),
             frame.height());
  frame.SetVisible(true);
  f.Show();
}

std::string FormatPanelDate(double day, Locale& locale) {
  const CivilDate d = DateOf(day);
  char dd[4];
  std::snprintf(dd, sizeof dd, "%02d", d.day % 100);
  char yyyy[8];
  std::snprintf(yyyy, sizeof yyyy, "%04d", d.year % 10000);
  return std::string(dd) + " " + locale.MonthName(d.month) + " " + yyyy;
}

// Date line, a fresh computation for today (which the tick then compares
// against), and the five times.
void FillPanel(ClockFace& c) {
  Services& svc = c.services();
  // The date the times are computed for, not the second-rounded one.
  c.Label2_0->SetText(FormatPanelDate(DatePart(svc.clock->Now()), *svc.locale));
  c.HitungHariIni();
  const engine::WaktuSholat& e = c.engine();
  c.lbWkt[1]->SetText(FormatHHMM(e.WaktuDzuhur));
  c.lbWkt[2]->SetText(FormatHHMM(e.WaktuAshar));
  c.lbWkt[3]->SetText(FormatHHMM(e.WaktuMaghrib));
  c.lbWkt[4]->SetText(FormatHHMM(e.WaktuIsya));
  c.lbWkt[0]->SetText(FormatHHMM(e.WaktuShubuh));
}

void ClosePanel(ClockFace& c) {
  c.Frame1->SetVisible(false);
  c.form().SetHeight(c.SavedHeight);
}

}  // namespace

void ClockFace::mwSholat_Click() {
  OpenPanel(*this);
  // The interval is worked out in 32 bits, so every 16-bit delay up to
  // 32767 s (about 9 hours) is a valid interval. A delay of 0 or below
  // leaves the timer unarmed: the panel stays until it is clicked.
  const int32_t ms = PopDelay > 0 ? int32_t{PopDelay} * 1000 : 0;
  timerPopUp->SetInterval(ms);
  timerPopUp->SetEnabled(ms > 0);
  FillPanel(*this);
}

void ClockFace::mpop_Click() {
  OpenPanel(*this);
  FillPanel(*this);
  lbWkSholat[5]->SetVisible(true);
  lbWkSholat[6]->SetVisible(true);
  Command3->SetVisible(true);
  tkDel->SetVisible(true);
  tkDel->SetText(s::PlainInt(PopDelay));
}

void ClockFace::timerPopUp_Timer() {
  timerPopUp->SetEnabled(false);
  ClosePanel(*this);
}

// The auto-close stays armed: when it fires it sets the saved height again.
void ClockFace::Frame1_Click() { ClosePanel(*this); }

void ClockFace::Command3_Click() {
  lbWkSholat[5]->SetVisible(false);
  lbWkSholat[6]->SetVisible(false);
  Command3->SetVisible(false);
  tkDel->SetVisible(false);
  ClosePanel(*this);
  // Read leniently (anything unreadable is 0) and held to the 16-bit range,
  // so no typed text can fail here or at the next opening.
  double v = RoundHalfEven(s::Val(tkDel->text()));
  if (!std::isfinite(v)) v = 0;
  if (v < -32768.0) v = -32768.0;
  if (v > 32767.0) v = 32767.0;
  PopDelay = static_cast<int16_t>(v);
  svc_.settings->Save(s::kLokasi, s::kPopDelay, s::PlainInt(PopDelay));
}

}  // namespace qov
