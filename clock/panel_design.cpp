// Design of the prayer-time panel Frame1: a black borderless frame listing
// today's date and times, with the pop-delay editor below them.
#include "app/clockface.h"

namespace qov {

using ui::Kind;

void ClockFace::DesignPanel() {
  Frame1 = &form_.Add(Kind::Frame, "Frame1");
  Frame1->Move(0, 0, 1960, 2860);
  Frame1->SetBackColor(ui::kBlack);
  Frame1->SetVisible(false);

  const ui::Font labelFont{"Arial", 8.25f, true, false};
  auto label = [&](const char* name, int index, const char* text, float l, float t, float w, float h) {
    ui::Control& c = form_.Add(Kind::Label, name, index, Frame1);
    c.Move(l, t, w, h);
    c.SetText(text);
    c.SetFont(labelFont);
    c.SetForeColor(ui::kYellow);
    c.SetTransparent(true);
    return &c;
  };

  Label1_0 = label("Label1", 0, "Waktu Sholat Hari Ini", 120, 120, 1725, 330);
  Label2_0 = label("Label2", 0, "12 Januari 2004", 135, 360, 1635, 330);
  Label2_0->SetAlignment(ui::Align::Center);

  struct Row {
    const char* name;
    float top, width;
  };
  static constexpr Row kRows[5] = {
      {"Shubuh", 810, 780}, {"Dzuhur", 1080, 690}, {"Ashar", 1350, 645},
      {"Maghrib", 1665, 690}, {"Isya", 1935, 690}};
  for (int k = 0; k < 5; ++k) {
    lbWkSholat[static_cast<size_t>(k)] = label("lbWkSholat", k, kRows[k].name, 270, kRows[k].top, kRows[k].width, 240);
    lbtikwa[static_cast<size_t>(k)] = label("lbtikwa", k, ":", 1080, kRows[k].top, 105, 195);
    lbWkt[static_cast<size_t>(k)] = label("lbWkt", k, "", 1215, kRows[k].top, 780, 240);
  }

  lbWkSholat[5] = label("lbWkSholat", 5, "Pop Up Time", 405, 2160, 1320, 240);
  lbWkSholat[5]->SetVisible(false);
  tkDel = &form_.Add(Kind::TextBox, "tkDel", -1, Frame1);
  tkDel->Move(270, 2430, 420, 285);
  tkDel->SetText("Text1");
  tkDel->SetFont(ui::Font{"Arial", 8.25f, false, false});
  tkDel->SetVisible(false);
  lbWkSholat[6] = label("lbWkSholat", 6, "detik", 810, 2475, 600, 240);
  lbWkSholat[6]->SetVisible(false);
  Command3 = &form_.Add(Kind::Button, "Command3", -1, Frame1);
  Command3->Move(1395, 2430, 420, 285);
  Command3->SetText("OK");
  Command3->SetFont(ui::Font{"Arial", 8.25f, false, false});
  Command3->SetVisible(false);
}

}  // namespace qov
