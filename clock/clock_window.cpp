#include "clock/clock_window.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "engine/numeric.h"

namespace qov {

using settings::DisplayVersion;

namespace {

constexpr int kLeftButton = 1, kRightButton = 2;

// Proportions of the two versions, and the hand widths per twip of the
// master dimension (the doubles nearest 1/532.5, 1/710 and 1/2130).
constexpr double kVersion1Aspect = 1.491383812010444;  // height / width
constexpr double kVersion2Aspect = 4.505879999999999;  // width / height
constexpr double kHourWidthPerTwip = 0.0018779342723004694;
constexpr double kMinuteWidthPerTwip = 0.0014084507042253522;
constexpr double kSecondWidthPerTwip = 0.00046948356807511736;

// The sizing border stays this long after the last size change.
constexpr int kSizingModeMs = 2000;

// Degrees to radians with the factor the face has always used: a hair
// below pi / 180, so 360 is not exactly a full turn.
constexpr double kRadPerDeg = 0.017453292519943278;

// Every statement of the layout pass ignores failure: a value that does not
// fit its 16-bit field leaves the field unchanged.
void Assign16(int16_t& field, double v) {
  if (auto r = ToInt16(v)) field = *r;
}

int HandWidth(double master, double perTwip) {
  const double w = std::floor(master * perTwip);
  return w >= 1 && w < 1000 ? static_cast<int>(w) : 0;  // 0: not accepted by the line
}

// Nearest 16-bit integer, halves to even. A hand on an absurdly large
// window saturates instead of failing the tick.
int16_t Nearest16(double v) {
  if (!(v > -32768.0)) return v < 0 ? INT16_MIN : 0;  // also NaN -> 0
  const double r = RoundHalfEven(v);
  return r > 32767.0 ? INT16_MAX : static_cast<int16_t>(r);
}

// "HH:MM:SS" written into the label only when it differs; no allocation
// beyond the short string the label keeps.
void ShowClockText(ui::Control& label, const ClockReading& t) {
  const char text[8] = {static_cast<char>('0' + t.hour / 10),   static_cast<char>('0' + t.hour % 10),
                        ':',
                        static_cast<char>('0' + t.minute / 10), static_cast<char>('0' + t.minute % 10),
                        ':',
                        static_cast<char>('0' + t.second / 10), static_cast<char>('0' + t.second % 10)};
  const std::string_view view(text, sizeof text);
  if (label.text() != view) label.SetText(std::string(view));
}

}  // namespace

ClockWindow::ClockWindow(ui::Form& form, ContextMenu& menu, Services& services,
                         settings::Settings& settings)
    : form_(form), menu_(menu), svc_(services), settings_(settings) {
  // Inner area at creation; the first layout pass applies the version's
  // proportion to it.
  form_.Move(0, 0, 2115, 3075);

  face_ = &form_.Add(ui::Kind::PictureBox, "face");
  face_->Move(0, 0, 2115, 2706);
  face_->SetPicture(kFaceWithNumerals);

  auto hand = [&](const char* name, int width) {
    ui::Control& l = form_.Add(ui::Kind::Line, name, -1, face_);
    l.SetBorderColor(ui::kWhite);
    l.SetBorderWidth(width);
    return &l;
  };
  hourHand_ = hand("hourHand", 4);
  secondHand_ = hand("secondHand", 1);
  minuteHand_ = hand("minuteHand", 2);

  digital_ = &form_.Add(ui::Kind::Label, "digitalTime");
  digital_->Move(0, 2706, 2115, 369);
  digital_->SetFont(ui::Font{"Arial", 24, true, false});
  digital_->SetAlignment(ui::Align::Center);

  sizingTimer_ = &form_.AddTimer("sizingMode", 1, true);
  sizingTimer_->onTimer = [this] { EndSizingMode(); };

  form_.onMouseDown = [this](int b, int, float x, float y) { OnMouseDown(b, x, y); };
  form_.onMouseMove = [this](int, int, float x, float y) { Follow(x, y); };
  // A drag that ends on the bare window keeps the height (the sizing mode
  // ends here too), one that ends on the face keeps the place.
  form_.onMouseUp = [this](int, int, float, float) {
    dragging_ = false;
    settings_.SaveHeight(form_.height());
  };
  for (ui::Control* c : {face_, digital_}) {
    c->onMouseDown = [this](int b, int, float x, float y) {
      if (b == kLeftButton && !dragging_) Grab(x, y);
      else if (b == kRightButton) menu_.OpenFromWindow();
    };
    c->onMouseMove = [this](int, int, float x, float y) { Follow(x, y); };
  }
  face_->onMouseUp = [this](int b, int, float, float) {
    const bool click = dragging_ && !moved_;
    dragging_ = false;
    settings_.SavePosition(form_.top(), form_.left());
    if (click && b == kLeftButton && onPlainClick) onPlainClick();
  };
  digital_->onMouseUp = [this](int b, int, float, float) {
    const bool click = dragging_ && !moved_;
    dragging_ = false;
    if (click && b == kLeftButton && onPlainClick) onPlainClick();
  };
  // A double click opens the sizing mode: a border to drag until two
  // seconds after the last size change.
  face_->onDblClick = [this] { svc_.window->SetSizable(form_, true); };
  digital_->onDblClick = [this] {
    svc_.window->SetSizable(form_, true);
    settings_.SavePosition(form_.top(), form_.left());
  };

  menu_.On(Command::kAlwaysOnTop, [this] { ToggleAlwaysOnTop(); });
  menu_.On(Command::kAnalog, [this] { ToggleAnalog(); });
  menu_.On(Command::kVersion1, [this] { ShowVersion1(); });
  menu_.On(Command::kVersion2, [this] { ShowVersion2(); });
  menu_.On(Command::kHourHandColor, [this] { PickHandColor(Hand::kHour); });
  menu_.On(Command::kMinuteHandColor, [this] { PickHandColor(Hand::kMinute); });
  menu_.On(Command::kSecondHandColor, [this] { PickHandColor(Hand::kSecond); });
  form_.onResize = [this] { Layout(); };
}

void ClockWindow::Load(DisplayVersion version, const settings::WindowState& stored, bool firstRun) {
  version_ = version;
  menu_.Check(Command::kVersion1, version == DisplayVersion::kFace);
  menu_.Check(Command::kVersion2, version == DisplayVersion::kStrip);
  analog_ = firstRun || stored.analog;
  menu_.Check(Command::kAnalog, analog_);
  SetHandsVisible(analog_);
  svc_.window->SetSizable(form_, false);
  // The topmost band from the start; the first layout pass applies it again
  // once the window is placed.
  SetTopmost(stored.alwaysOnTop);
  Assign16(centerX_, form_.scaleWidth() / 2.0);
  Assign16(centerY_, form_.scaleHeight() / 2.0);
  AnchorHands();
  if (!stored.top) {
    const ScreenInfo screen = svc_.screen->Info();
    form_.Move(screen.width - 1.1f * form_.width(), 0.1f * form_.height(), form_.width(), form_.height());
  }
}

void ClockWindow::RestoreStoredGeometry() {
  const settings::WindowState stored = settings_.ReadWindow();
  const ScreenInfo area = svc_.screen->Info();
  if (stored.height) {
    // A hand-edited height that gives no window (0, negative, unreadable,
    // under a pixel) is not restored: the window would vanish, and unload
    // would store the same height again. One beyond the work area is held
    // to it, or the layout would pull a giant window apart for the run.
    const float height = std::min(*stored.height, area.height - area.top);
    if (height >= form_.twipsPerPixelY()) {
      form_.SetHeight(height);
      // The strip's width is never stored, only its height: its proportion
      // gives the width back, so the strip reopens as it was closed.
      if (version_ == DisplayVersion::kStrip)
        form_.SetWidth(std::min(static_cast<float>(form_.height() * kVersion2Aspect), area.width - area.left));
    }
    // A coordinate that was never stored leaves the window where start-up
    // placed it, instead of throwing it to the screen's corner.
    if (stored.top) form_.SetTop(*stored.top);
    if (stored.left) form_.SetLeft(*stored.left);
  }
  // Never toggled: the topmost state the first run showed. This holds also
  // when no height was stored (a first run ended by force).
  SetTopmost(stored.alwaysOnTop);
}

void ClockWindow::Layout() {
  if (layoutDone_) {
    sizingTimer_->SetInterval(0);
    sizingTimer_->SetEnabled(false);
  } else {
    RestoreStoredGeometry();
    layoutDone_ = true;
  }

  PaintFace();

  if (version_ == DisplayVersion::kFace) {
    form_.SetWidth(static_cast<float>(form_.height() / kVersion1Aspect));
    const float w = form_.width(), h = form_.height();
    face_->Move(0, 0, w, static_cast<float>(h * 0.88));
    hourHand_->SetBorderWidth(HandWidth(w, kHourWidthPerTwip));
    minuteHand_->SetBorderWidth(HandWidth(w, kMinuteWidthPerTwip));
    secondHand_->SetBorderWidth(HandWidth(w, kSecondWidthPerTwip));
    const float strip = h - face_->height();
    digital_->Move(0, face_->height(), w, strip);
    digital_->SetFontSize(strip / 28.0f);
    Assign16(centerX_, w / 2.0);
    Assign16(centerY_, h * 0.5);
    digital_->SetAlignment(ui::Align::Center);
    Assign16(longHand_, w * 0.28);
    Assign16(shortHand_, w * 0.15);
  } else if (version_ == DisplayVersion::kStrip) {
    const float own = static_cast<float>(form_.width() / kVersion2Aspect);
    form_.SetHeight(std::max({own, stripHold_[0], stripHold_[1], stripHold_[2]}));
    const float w = form_.width(), h = form_.height();
    face_->Move(0, 0, w / 6.0f, h);
    const float dial = own;
    hourHand_->SetBorderWidth(HandWidth(dial, kHourWidthPerTwip));
    minuteHand_->SetBorderWidth(HandWidth(dial, kMinuteWidthPerTwip));
    secondHand_->SetBorderWidth(HandWidth(dial, kSecondWidthPerTwip));
    digital_->Move(face_->width(), 0, w - face_->width(), h);
    // The digits keep their size when the panel or the dialog holds the
    // strip taller: grown with it they would be cut off at both ends.
    digital_->SetFontSize(static_cast<float>(dial / 22.5));
    digital_->SetAlignment(ui::Align::Center);
    Assign16(centerX_, face_->width() / 2.0);
    Assign16(centerY_, face_->height() * 0.56);
    // So do the hands, which would otherwise reach past the dial.
    Assign16(longHand_, dial * 0.24);
    Assign16(shortHand_, dial * 0.13);
  }

  KeepOnScreen();

  resizePending_ = true;
  sizingTimer_->SetInterval(kSizingModeMs);
  sizingTimer_->SetEnabled(true);
  AnchorHands();
}

void ClockWindow::Unload() { settings_.SaveHeight(enlarged_ ? heightBefore_ : form_.height()); }

void ClockWindow::EndSizingMode() {
  sizingTimer_->SetEnabled(false);
  if (resizePending_) {
    resizePending_ = false;
    svc_.window->SetSizable(form_, false);
  }
}

// A window that grew past an edge of the work area (the wide strip, the
// location dialog), or that was stored where no monitor is any more, is
// pulled back in. A window dragged partly off screen stays there until its
// size next changes.
void ClockWindow::KeepOnScreen() { MoveOnScreen(form_, svc_.screen->Info(), form_.left(), form_.top()); }

void ClockWindow::PaintFace() { face_->SetPicture(analog_ ? kFaceWithNumerals : kPlainFace); }

void ClockWindow::AnchorHands() {
  for (ui::Control* h : {hourHand_, minuteHand_, secondHand_}) h->SetStart(centerX_, centerY_);
}

void ClockWindow::SetHandsVisible(bool on) {
  for (ui::Control* h : {hourHand_, secondHand_, minuteHand_}) h->SetVisible(on);
}

void ClockWindow::SetHand(int angle, ui::Control& line, int16_t length) {
  const double r = angle * kRadPerDeg;
  // Computed in double, kept in single precision as the line stores it.
  const float x2 = static_cast<float>(centerX_ + length * std::sin(r));
  const float y2 = static_cast<float>(centerY_ - length * std::cos(r));
  line.SetEnd(x2, y2);
}

void ClockWindow::ShowTime(double now, const std::string& banner) {
  const ClockReading t = ReadClock(now);
  if (analog_) UpdateHands(t);
  if (!banner.empty()) digital_->SetText(banner);
  else if (version_ == DisplayVersion::kFace) digital_->SetText(svc_.locale->LongTime(t.wholeSecond));
  else ShowClockText(*digital_, t);
}

void ClockWindow::UpdateHands(const ClockReading& t) {
  SetHand(t.second * 6, *secondHand_, Nearest16(longHand_ * 1.05));
  SetHand(t.minute * 6, *minuteHand_, Nearest16(longHand_ * 0.9));
  // Odd minutes give a half degree, which goes to the even neighbour.
  SetHand(Nearest16(t.hour * 30 + t.minute / 12.0 * 6), *hourHand_, Nearest16(shortHand_ * 1.2));
}

void ClockWindow::EnlargeFor(ui::Twips minHeight) {
  // Opening one overlay over another keeps the first one's height to give
  // back.
  if (!enlarged_) heightBefore_ = form_.height();
  enlarged_ = true;
  if (form_.height() < minHeight) form_.SetHeight(minHeight);
}

void ClockWindow::RestoreHeight() {
  if (!enlarged_) return;
  enlarged_ = false;
  form_.SetHeight(heightBefore_);
}

void ClockWindow::HoldStripAtLeast(Overlay who, ui::Twips height) { stripHold_[static_cast<int>(who)] = height; }

void ClockWindow::OpenOverlay(Overlay who, ui::Control& frame, ui::Twips height) {
  HoldStripAtLeast(who, height);
  EnlargeFor(height);
  form_.Show();
  // Taller than the work area (a large text scale on a small screen), the
  // window keeps its bottom on it rather than its top: the dialog's OK and
  // Cancel stay within reach, its caption goes past the top edge.
  const ScreenInfo area = svc_.screen->Info();
  if (form_.height() > area.height - area.top) form_.SetTop(area.height - form_.height());
  // The layout pass has run by now, so the width is the final one.
  frame.Move((form_.width() - frame.width()) / 2, (form_.height() - frame.height()) / 2, frame.width(),
             frame.height());
}

void ClockWindow::CloseOverlay(Overlay who, ui::Control& frame) {
  HoldStripAtLeast(who, 0);
  RestoreHeight();
  frame.SetVisible(false);
}

void ClockWindow::SetTopmost(bool on) {
  onTop_ = on;
  menu_.Check(Command::kAlwaysOnTop, on);
  svc_.window->SetTopmost(form_, on);
}

void ClockWindow::ToggleAlwaysOnTop() {
  SetTopmost(!onTop_);
  settings_.SaveAlwaysOnTop(onTop_);
}

void ClockWindow::ToggleAnalog() {
  analog_ = !analog_;
  menu_.Check(Command::kAnalog, analog_);
  settings_.SaveAnalog(analog_);
  SetHandsVisible(analog_);
  PaintFace();
}

void ClockWindow::ShowVersion1() {
  if (version_ != DisplayVersion::kStrip) return;
  version_ = DisplayVersion::kFace;
  settings_.SaveDisplayVersion(version_);
  menu_.Check(Command::kVersion1, true);
  menu_.Check(Command::kVersion2, false);
  // The face as tall as 1.4 of the strip's picture is wide.
  form_.SetHeight(form_.width() / 6.0f * 1.4f);
  Layout();
}

void ClockWindow::ShowVersion2() {
  if (version_ != DisplayVersion::kFace) return;
  version_ = DisplayVersion::kStrip;
  settings_.SaveDisplayVersion(version_);
  menu_.Check(Command::kVersion1, false);
  menu_.Check(Command::kVersion2, true);
  form_.SetWidth(6.0f * form_.width());
}

void ClockWindow::PickHandColor(Hand hand) {
  ui::Color chosen = 0;
  // Cancelling the dialog leaves the hand as it was. The colours last for
  // the run only: nothing is stored.
  if (!svc_.dialogs->ChooseColor(form_, &chosen)) return;
  ui::Control& line = hand == Hand::kHour ? *hourHand_ : hand == Hand::kMinute ? *minuteHand_ : *secondHand_;
  // A plain RGB value: the high byte would read as a system colour.
  line.SetBorderColor(chosen & 0x00FFFFFF);
}

void ClockWindow::Grab(float x, float y) {
  dragging_ = true;
  moved_ = false;
  grabX_ = x;
  grabY_ = y;
}

// The grabbed point follows the pointer; there is no threshold.
void ClockWindow::Follow(float x, float y) {
  if (!dragging_) return;
  if (x != grabX_ || y != grabY_) moved_ = true;
  form_.Move(x - grabX_ + form_.left(), y - grabY_ + form_.top(), form_.width(), form_.height());
}

void ClockWindow::OnMouseDown(int button, float x, float y) {
  if (button == kRightButton) menu_.OpenFromWindow();
  else if (button == kLeftButton && !dragging_) Grab(x, y);
}

}  // namespace qov
