// The clock window: the face picture, the hands, the digital time, the two
// display versions and their layout pass, the sizing mode, dragging,
// always-on-top and the hand colours.
#pragma once

#include <cstdint>
#include <string>

#include "chrome/context_menu.h"
#include "clock/clock_time.h"
#include "platform/model.h"
#include "platform/services.h"
#include "settings/settings.h"

namespace qov {

class ClockWindow {
 public:
  ClockWindow(ui::Form& form, ContextMenu& menu, Services& services, settings::Settings& settings);

  // Start-up, before the first showing: the version, the stored switches,
  // and the place at the top right corner when none is stored.
  void Load(settings::DisplayVersion version, const settings::WindowState& stored, bool firstRun);
  // The layout pass, raised by every size change.
  void Layout();
  // Shut-down: the height to reopen at.
  void Unload();

  settings::DisplayVersion version() const { return version_; }
  // The heartbeat: the hands and the digital time to `now`, or `banner` in
  // place of the time when it is not empty.
  void ShowTime(double now, const std::string& banner);

  // An overlay (the prayer panel, the location dialog) grows the window to
  // at least `minHeight` while it shows; the height before is given back by
  // RestoreHeight, and is what shut-down stores meanwhile.
  void EnlargeFor(ui::Twips minHeight);
  void RestoreHeight();
  // The strip of version 2 is held at least this high while an overlay
  // shows, so that all of it (the dialog's buttons, the panel's last rows)
  // stays reachable; 0 releases that overlay's hold.
  enum class Overlay { kPanel, kDialog, kAlertDialog };
  void HoldStripAtLeast(Overlay who, ui::Twips height);
  // An overlay holds the window (and the strip) at least `height` tall while
  // it shows, its frame centred once the layout pass has run; closing gives
  // the height back and hides the frame.
  void OpenOverlay(Overlay who, ui::Control& frame, ui::Twips height);
  void CloseOverlay(Overlay who, ui::Control& frame);

  // Menu handlers.
  void ToggleAlwaysOnTop();
  void ToggleAnalog();
  void ShowVersion1();
  void ShowVersion2();
  enum class Hand { kHour, kMinute, kSecond };
  void PickHandColor(Hand hand);

  // A left click on the face or the digital time that moved nothing (the
  // adzan stops on it).
  ui::Handler onPlainClick;

  // Picture ids the back ends map to the face bitmaps.
  static constexpr const char* kFaceWithNumerals = "faceWithNumerals";
  static constexpr const char* kPlainFace = "plainFace";

 private:
  void RestoreStoredGeometry();
  void SetTopmost(bool on);
  void PaintFace();
  void AnchorHands();
  void KeepOnScreen();
  void SetHandsVisible(bool on);
  void EndSizingMode();
  void Grab(float x, float y);
  void Follow(float x, float y);
  void OnMouseDown(int button, float x, float y);
  void SetHand(int angle, ui::Control& line, int16_t length);
  void UpdateHands(const ClockReading& t);

  ui::Form& form_;
  ContextMenu& menu_;
  Services& svc_;
  settings::Settings& settings_;

  ui::Control* face_ = nullptr;
  ui::Control* digital_ = nullptr;
  ui::Control* hourHand_ = nullptr;
  ui::Control* minuteHand_ = nullptr;
  ui::Control* secondHand_ = nullptr;
  ui::Timer* sizingTimer_ = nullptr;

  settings::DisplayVersion version_ = settings::DisplayVersion::kFace;
  bool analog_ = true;
  bool onTop_ = false;
  bool layoutDone_ = false;
  bool resizePending_ = false;
  int16_t centerX_ = 0, centerY_ = 0;
  int16_t longHand_ = 0, shortHand_ = 0;
  // While an overlay shows: the height to give back (and to store).
  bool enlarged_ = false;
  ui::Twips heightBefore_ = 0;
  ui::Twips stripHold_[3] = {0, 0, 0};
  bool dragging_ = false;
  bool moved_ = false;  // the grabbed window followed the pointer: a drag, not a click
  // Where the pointer grabbed the window, in twips of the surface; single
  // precision, as a very wide strip lies beyond 16 bits of twips.
  float grabX_ = 0, grabY_ = 0;
};


}  // namespace qov
