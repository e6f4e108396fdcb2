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
  // Between Form_Load and the window's closing, by whatever path.
  bool IsOpen() const { return open_; }

 private:
  void Close();

  ClockFace& owner_;
  ui::Form form_;
  ui::Timer* timer1_ = nullptr;
  bool open_ = false;
};

// Hands a link to the shell's default action; an empty link opens nothing.
void BukaLink(Shell& shell, const std::string& link);

// Build-time settings: the credit line's name, the mail address of the
// about box and the web address of "QOV Web Site".
extern const char* const kAuthorName;
extern const char* const kAuthorMail;
extern const char* const kWebUrl;

}  // namespace qov
