#include "chrome/about_box.h"

#include "platform/i18n.h"

// Neutral defaults; the build sets the real values (chrome/CMakeLists.txt).
#ifndef QOV_VERSION
#define QOV_VERSION "0.0.0"
#endif
#ifndef QOV_AUTHOR_NAME
#define QOV_AUTHOR_NAME "Tim QOV Clock"
#endif
#ifndef QOV_AUTHOR_MAIL
#define QOV_AUTHOR_MAIL "qovclock@example.org"
#endif
#ifndef QOV_WEB_URL
#define QOV_WEB_URL "https://example.org/qovclock"
#endif

namespace qov {

const char* const kVersion = QOV_VERSION;
const char* const kAuthorName = QOV_AUTHOR_NAME;
const char* const kAuthorMail = QOV_AUTHOR_MAIL;
const char* const kWebUrl = QOV_WEB_URL;

namespace {
constexpr int kFirstTickMs = 10;
constexpr int kShowMs = 5000;
constexpr int kCornerEllipse = 30;  // pixels

}  // namespace

AboutBox::AboutBox(ui::Form& clock, Services& services) : clock_(clock), svc_(services), form_("aboutBox") {
  // No frame: the outer size is the client area.
  form_.Move(0, 0, 2775, 1005);

  const ui::Font font{"Arial", 8.25f, true, false};
  auto label = [&](const char* name, const std::string& text, ui::Twips left, ui::Twips top,
                   ui::Twips width) -> ui::Control& {
    ui::Control& l = form_.Add(ui::Kind::Label, name);
    l.Move(left, top, width, 240);
    l.SetText(text);
    l.SetFont(font);
    return l;
  };
  ui::Control& title = label("title", i18n::Fill("Jam QOV Ver {1}", {kVersion}), 270, 180, 2130);
  ui::Control& credit = label("credit", i18n::Fill("Created by  {1}", {kAuthorName}), 225, 405, 2445);
  ui::Control& mail = label("mail", kAuthorMail, 360, 630, 2175);
  ui::Font link = font;
  link.underline = true;
  mail.SetFont(link);
  mail.SetCursor(ui::Cursor::Hand);

  timer_ = &form_.AddTimer("close", kFirstTickMs, true);

  form_.onLoad = [this] { OnLoad(); };
  form_.onClick = [this] {
    timer_->SetEnabled(false);
    Close();
  };
  title.onClick = [this] { Close(); };
  credit.onClick = [this] { Close(); };
  // The box stays open; its timer still closes it.
  mail.onClick = [this] { OpenLink(*svc_.shell, std::string("mailto:") + kAuthorMail); };
  timer_->onTimer = [this] { OnTimer(); };
  // Every way of closing, the platform's included, leaves the box ready to
  // run its full sequence at the next opening.
  form_.onUnload = [this] {
    timer_->SetEnabled(false);
    firstTickDone_ = false;
    open_ = false;
  };
}

AboutBox::~AboutBox() {
  // The window must not outlive the form it renders.
  if (open_ || form_.visible()) Close();
}

void AboutBox::Show() {
  // The box is modal, yet the tray icon's menu still reaches "About" while
  // it is open; a second box would take the form away from under the
  // platform.
  if (open_) return;
  // The back end creates the window, raises onLoad and shows it; the real
  // one returns only when the box has closed.
  svc_.windows->ShowModal(form_, clock_);
}

void AboutBox::Close() { svc_.windows->Close(form_); }

void AboutBox::OnLoad() {
  open_ = true;
  firstTickDone_ = false;
  timer_->SetInterval(kFirstTickMs);
  timer_->SetEnabled(true);
  // Centred over the clock, but never past the screen's edge: the box is
  // wider than the clock, which often sits in the top right corner.
  MoveOnScreen(form_, svc_.screen->Info(), clock_.left() + (clock_.width() - form_.width()) / 2,
               clock_.top() + (clock_.height() - form_.height()) / 2);
  svc_.window->SetRoundCorners(form_, kCornerEllipse);
}

void AboutBox::OnTimer() {
  if (!firstTickDone_) {
    // The clock stays in the top-most band after the box, whatever its own
    // "Always On Top" says.
    svc_.window->SetTopmost(clock_, true);
    firstTickDone_ = true;
    timer_->SetInterval(kShowMs);
  } else {
    timer_->SetEnabled(false);
    Close();
    firstTickDone_ = false;
  }
}

void OpenLink(Shell& shell, const std::string& link) {
  // The shell's default action on an empty name opens a folder window.
  if (link.empty()) return;
  shell.Open(link);
}

}  // namespace qov
