// The layout pass, the two display versions, the analog switch and the end
// of the sizing mode.
#include <algorithm>
#include <cmath>
#include <limits>

#include "app/clockface.h"
#include "app/settings.h"
#include "chrome/cls_style.h"
#include "engine/numeric.h"

namespace qov {

namespace s = settings;

namespace {

// Proportions of the two versions, and the hand widths per twip of the
// master dimension (the doubles nearest 1/532.5, 1/710 and 1/2130).
constexpr double kVersion1Aspect = 1.491383812010444;  // height / width
constexpr double kVersion2Aspect = 4.505879999999999;  // width / height
constexpr double kHourWidthPerTwip = 0.0018779342723004694;
constexpr double kMinuteWidthPerTwip = 0.0014084507042253522;
constexpr double kSecondWidthPerTwip = 0.00046948356807511736;

// Every statement of the layout pass ignores failure: a value that does not
// fit its 16-bit field leaves the field unchanged.
void Assign16(int16_t& field, double v) {
  if (auto r = ToInt16(v)) field = *r;
}

int HandWidth(double master, double perTwip) {
  const double w = std::floor(master * perTwip);
  return w >= 1 && w < 1000 ? static_cast<int>(w) : 0;  // 0: not accepted by the line
}

}  // namespace

void ClockFace::PaintFace() { Picture1->SetPicture(mAna->checked ? kImage1 : kImage2); }

void ClockFace::Form_Resize() {
  if (LayoutDone) {
    Timer1->SetInterval(0);
    Timer1->SetEnabled(false);
  } else {
    const std::string panjang = Get(s::kPosisiWindow, s::kPanjang);
    if (!panjang.empty()) {
      // A hand-edited height that gives no window (0, negative, unreadable,
      // under a pixel, beyond single precision) is not restored: the window
      // would vanish, and unload would store the same height again.
      const double height = s::Val(panjang);
      if (height >= form_.twipsPerPixelY() && height <= std::numeric_limits<float>::max()) {
        form_.SetHeight(static_cast<float>(height));
        // The strip's width is never stored, only its height: its proportion
        // gives the width back, so the strip reopens as it was closed rather
        // than at the new window's width (a sliver 141 pixels wide).
        if (VersiDisplay == 2) {
          const ScreenInfo area = svc_.screen->Info();
          form_.SetWidth(std::min(static_cast<float>(form_.height() * kVersion2Aspect), area.width - area.left));
        }
      }
      // A coordinate that was never stored leaves the window where start-up
      // placed it, instead of throwing it to the screen's corner.
      const std::string top = Get(s::kPosisiWindow, s::kTop);
      if (!top.empty()) form_.SetTop(static_cast<float>(s::Val(top)));
      const std::string left = Get(s::kPosisiWindow, s::kLeft);
      if (!left.empty()) form_.SetLeft(static_cast<float>(s::Val(left)));
      // Never toggled: the topmost state the first run showed.
      const std::string aot = Get(s::kPosisiWindow, s::kAot);
      mAOP->checked = aot.empty() || s::ValFlag(aot);
      SetAlwaysOnTop(form_, mAOP->checked, *svc_.window);
    }
    LayoutDone = true;
  }

  PaintFace();

  if (VersiDisplay == 1) {
    form_.SetWidth(static_cast<float>(form_.height() / kVersion1Aspect));
    const float w = form_.width(), h = form_.height();
    Picture1->Move(0, 0, w, static_cast<float>(h * 0.88));
    hHand->SetBorderWidth(HandWidth(w, kHourWidthPerTwip));
    minHand->SetBorderWidth(HandWidth(w, kMinuteWidthPerTwip));
    secHand->SetBorderWidth(HandWidth(w, kSecondWidthPerTwip));
    const float strip = h - Picture1->height();
    digTime->Move(0, Picture1->height(), w, strip);
    digTime->SetFontSize(strip / 28.0f);
    Assign16(CenterX, w / 2.0);
    Assign16(CenterY, h * 0.5);
    digTime->SetAlignment(ui::Align::Center);
    Assign16(LongHandLen, w * 0.28);
    Assign16(ShortHandLen, w * 0.15);
  } else if (VersiDisplay == 2) {
    float strip = static_cast<float>(form_.width() / kVersion2Aspect);
    if (strip < DialogMinHeight) strip = DialogMinHeight;
    form_.SetHeight(strip);
    const float w = form_.width(), h = form_.height();
    Picture1->Move(0, 0, w / 6.0f, h);
    hHand->SetBorderWidth(HandWidth(h, kHourWidthPerTwip));
    minHand->SetBorderWidth(HandWidth(h, kMinuteWidthPerTwip));
    secHand->SetBorderWidth(HandWidth(h, kSecondWidthPerTwip));
    digTime->Move(Picture1->width(), 0, w - Picture1->width(), h);
    digTime->SetFontSize(static_cast<float>(h / 22.5));
    digTime->SetAlignment(ui::Align::Center);
    Assign16(CenterX, Picture1->width() / 2.0);
    Assign16(CenterY, Picture1->height() * 0.56);
    Assign16(LongHandLen, h * 0.24);
    Assign16(ShortHandLen, h * 0.13);
  }

  KeepOnScreen();

  ResizePending = true;
  Timer1->SetInterval(2000);
  Timer1->SetEnabled(true);
  AnchorHands();
}

// A window that grew past an edge of the work area (the wide strip, the
// location dialog), or that was stored where no monitor is any more, is
// pulled back in, so that nothing it shows is out of reach. A window dragged
// partly off screen stays there until its size next changes.
void ClockFace::KeepOnScreen() { MoveOnScreen(form_, svc_.screen->Info(), form_.left(), form_.top()); }

void ClockFace::mVer1_Click() {
  if (VersiDisplay != 2) return;
  VersiDisplay = 1;
  Save(s::kLokasi, s::kVersiDisplay, s::SignedBlank(VersiDisplay));
  form_.SetHeight(form_.width() / 6.0f * 1.4f);
  mVer1->checked = true;
  mVer2->checked = false;
  Form_Resize();
}

void ClockFace::mVer2_Click() {
  if (VersiDisplay != 1) return;
  VersiDisplay = 2;
  Save(s::kLokasi, s::kVersiDisplay, s::SignedBlank(VersiDisplay));
  form_.SetWidth(6.0f * form_.width());
  mVer1->checked = false;
  mVer2->checked = true;
}

void ClockFace::mAna_Click() {
  if (mAna->checked) {
    mAna->checked = false;
    Save(s::kPosisiWindow, s::kAnalog, s::kFlagOff);
    hHand->SetVisible(false);
    secHand->SetVisible(false);
    minHand->SetVisible(false);
    PaintFace();
  } else {
    mAna->checked = true;
    PaintFace();
    Save(s::kPosisiWindow, s::kAnalog, s::kFlagOn);
    hHand->SetVisible(true);
    secHand->SetVisible(true);
    minHand->SetVisible(true);
  }
}

void ClockFace::Timer1_Timer() {
  Timer1->SetEnabled(false);
  if (ResizePending) {
    ResizePending = false;
    if (Style) Style->SetSizable(false);
  }
}

}  // namespace qov
