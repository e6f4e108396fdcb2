// Design of the location dialog Frame2: black frame, yellow bold captions,
// the city list, the place boxes, a separator, the calculation boxes.
#include "app/clockface.h"

namespace qov {

using ui::Kind;

void ClockFace::DesignDialog() {
  Frame2 = &form_.Add(Kind::Frame, "Frame2");
  Frame2->Move(0, 0, 2835, 4365);
  Frame2->SetText("Lokasi");
  Frame2->SetBackColor(ui::kBlack);
  Frame2->SetForeColor(ui::kYellow);
  Frame2->SetFont(ui::Font{"Arial", 9.75f, true, false});
  Frame2->SetVisible(false);

  const ui::Font captionFont{"Arial", 9.75f, true, false};
  const ui::Font boxFont{"Arial", 8.25f, true, false};
  auto label = [&](const char* name, int index, const char* text, float l, float t, float w) {
    ui::Control& c = form_.Add(Kind::Label, name, index, Frame2);
    c.Move(l, t, w, 240);
    c.SetText(text);
    c.SetFont(captionFont);
    c.SetForeColor(ui::kYellow);
    c.SetTransparent(true);
    return &c;
  };
  auto box = [&](const char* name, float l, float t, float w) {
    ui::Control& c = form_.Add(Kind::TextBox, name, -1, Frame2);
    c.Move(l, t, w, 240);
    c.SetFont(boxFont);
    return &c;
  };

  Combo1 = &form_.Add(Kind::ComboBox, "Combo1", -1, Frame2);
  Combo1->Move(150, 480, 2535, 315);
  Combo1->SetFont(boxFont);

  constexpr float kLabelLeft = 150, kBoxLeft = 1440, kBoxWidth = 1245;
  label("Label1", 1, "Lat", kLabelLeft, 960, 1250);
  tkLat = box("tkLat", kBoxLeft, 960, kBoxWidth);
  label("Label2", 1, "Long", kLabelLeft, 1320, 1250);
  tkLong = box("tkLong", kBoxLeft, 1320, kBoxWidth);
  label("Label3", -1, "Gmt", kLabelLeft, 1680, 1250);
  tkTimeZone = box("tkTimeZone", kBoxLeft, 1680, kBoxWidth);

  ui::Control& batas = form_.Add(Kind::Line, "Batas", -1, Frame2);
  batas.SetBorderColor(ui::kWhite);
  batas.SetStart(0, 2040);
  batas.SetEnd(3000, 2040);

  label("Label1", 2, "+ Dzhuhur", kLabelLeft, 2160, 1280);
  tkDz = box("tkDz", kBoxLeft, 2160, 480);
  label("Label1", 5, "Menit", 1995, 2160, 780);
  label("Label1", 3, "+ Maghrib", kLabelLeft, 2400, 1280);
  tkMag = box("tkMag", kBoxLeft, 2400, 480);
  label("Label1", 6, "Menit", 1995, 2400, 780);

  label("Label1", 4, "Ashar", kLabelLeft, 2760, 1250);
  Option1 = &form_.Add(Kind::OptionButton, "Option1", -1, Frame2);
  Option1->Move(kBoxLeft, 2760, 1245, 255);
  Option1->SetText("Hanafi");
  Option2 = &form_.Add(Kind::OptionButton, "Option2", -1, Frame2);
  Option2->Move(kBoxLeft, 3000, 1245, 255);
  Option2->SetText("Hambali");
  for (ui::Control* o : {Option1, Option2}) {
    o->SetFont(captionFont);
    o->SetForeColor(ui::kYellow);
    o->SetBackColor(ui::kBlack);
  }

  label("Label1", 7, "Sudut Fajar", kLabelLeft, 3240, 1280);
  sdFajar = box("sdFajar", kBoxLeft, 3240, kBoxWidth);
  label("Label1", 8, "Sudut Isya", kLabelLeft, 3600, 1280);
  sdIsya = box("sdIsya", kBoxLeft, 3600, kBoxWidth);

  Command1 = &form_.Add(Kind::Button, "Command1", -1, Frame2);
  Command1->Move(150, 3960, 1215, 315);
  Command1->SetText("OK");
  Command2 = &form_.Add(Kind::Button, "Command2", -1, Frame2);
  Command2->Move(1470, 3960, 1215, 315);
  Command2->SetText("Cancel");
  for (ui::Control* b : {Command1, Command2}) b->SetFont(captionFont);
}

}  // namespace qov
