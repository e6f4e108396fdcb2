// The look the clock's dialogs share: a black frame with a yellow caption
// over the clock, yellow captions, boxes in a smaller bold face.
#pragma once

#include <string>

#include "platform/i18n.h"
#include "platform/model.h"

namespace qov::dialog {

inline const ui::Font kCaptionFont{"Arial", 9.75f, true, false};
inline const ui::Font kBoxFont{"Arial", 8.25f, true, false};
// Back colour of a box whose text OK cannot take.
inline constexpr ui::Color kWrongBox = 0x00C0C0FF;

// The dialog's frame, hidden until it opens.
inline ui::Control& AddFrame(ui::Form& form, const std::string& name, const char* caption, ui::Twips width,
                             ui::Twips height) {
  ui::Control& f = form.Add(ui::Kind::Frame, name);
  f.Move(0, 0, width, height);
  f.SetCaption(caption);
  f.SetBackColor(ui::kBlack);
  f.SetForeColor(ui::kYellow);
  f.SetFont(kCaptionFont);
  f.SetVisible(false);
  return f;
}

// A caption inside the frame, one line high; `text` in Indonesian.
inline ui::Control& AddCaption(ui::Form& form, ui::Control& frame, const char* text, float left, float top,
                               float width) {
  ui::Control& c = form.Add(ui::Kind::Label, "caption", -1, &frame);
  c.Move(left, top, width, 240);
  c.SetCaption(text);
  c.SetFont(kCaptionFont);
  c.SetForeColor(ui::kYellow);
  c.SetTransparent(true);
  return c;
}

}  // namespace qov::dialog
