// The about box: a small rounded window over the clock that closes by
// itself after about five seconds or when clicked; the mail address is a
// link.
#pragma once

#include <string>

#include "platform/model.h"
#include "platform/services.h"

namespace qov {

class AboutBox {
 public:
  AboutBox(ui::Form& clock, Services& services);
  ~AboutBox();
  AboutBox(const AboutBox&) = delete;
  AboutBox& operator=(const AboutBox&) = delete;

  ui::Form& form() { return form_; }
  // Between the window's creation and its closing, by whatever path.
  bool IsOpen() const { return open_; }

  // Shows the box modally over the clock; a box already open stays the
  // only one.
  void Show();

 private:
  void OnLoad();
  void OnTimer();
  void Close();

  ui::Form& clock_;
  Services& svc_;
  ui::Form form_;
  ui::Timer* timer_ = nullptr;
  bool open_ = false;
  bool firstTickDone_ = false;
};

// Hands a link to the shell's default action; an empty link opens nothing.
void OpenLink(Shell& shell, const std::string& link);

// Build-time texts: the version, the credit line's name, the mail address
// of the about box and the web address of "QOV Web Site".
extern const char* const kVersion;
extern const char* const kAuthorName;
extern const char* const kAuthorMail;
extern const char* const kWebUrl;

}  // namespace qov
