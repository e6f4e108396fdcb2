// The window intents on real windows: the topmost band, the sizing border
// and rounded corners, each applied to the form's window as it is now.
#pragma once

#include "platform/services.h"

namespace qov::win32 {

class Win32WindowService final : public WindowService {
 public:
  void SetTopmost(ui::Form& form, bool on) override;
  void SetSizable(ui::Form& form, bool on) override;
  void SetRoundCorners(ui::Form& form, int ellipsePixels) override;
};

}  // namespace qov::win32
