// The about box: a small rounded window over the clock that closes by
// itself after about five seconds or when clicked.
#pragma once

#include <string>

#include "platform/model.h"
#include "platform/services.h"

namespace qov {

class ClockFace;

class FrmAbout {
 public:
  explicit FrmAbout(ClockFace& owner);
  ~FrmAbout();
  ui::Form& form() { return form_; }

  void Form_Load();
  void Timer1_Timer();
  void Form_Click();
  void Label1_Click();
  void Label2_Click();
  void Label3_Click();

  bool firstTickDone = false;

 private:
  ClockFace& owner_;
  ui::Form form_;
  ui::Timer* timer1_ = nullptr;
};

// Hands a link to the shell's default action.
void BukaLink(Shell& shell, const std::string& link);

}  // namespace qov
