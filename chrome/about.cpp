// The about box and the two shell links.
#include "chrome/about.h"

#include "app/clockface.h"
#include "engine/numeric.h"

// Neutral defaults; the build sets the real values (chrome/CMakeLists.txt).
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

const char* const kAuthorName = QOV_AUTHOR_NAME;
const char* const kAuthorMail = QOV_AUTHOR_MAIL;
const char* const kWebUrl = QOV_WEB_URL;

namespace {
constexpr int kFirstTickMs = 10;
constexpr int kShowMs = 5000;
constexpr int kCornerEllipse = 30;  // pixels
}  // namespace

FrmAbout::FrmAbout(ClockFace& owner) : owner_(owner), form_("frmAbout") {
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
  ui::Control& label1 = label("Label1", "Jam QOV Ver 1.0.0", 270, 180, 2130);
  ui::Control& label2 = label("Label2", std::string("Created by  ") + kAuthorName, 225, 405, 2445);
  ui::Control& label3 = label("Label3", kAuthorMail, 360, 630, 2175);
  ui::Font link = font;
  link.underline = true;
  label3.SetFont(link);

  timer1_ = &form_.AddTimer("Timer1", kFirstTickMs, true);

  form_.onLoad = [this] { Form_Load(); };
  form_.onClick = [this] { Form_Click(); };
  label1.onClick = [this] { Label1_Click(); };
  label2.onClick = [this] { Label2_Click(); };
  label3.onClick = [this] { Label3_Click(); };
  timer1_->onTimer = [this] { Timer1_Timer(); };
  // Every way of closing, the platform's included, leaves the box ready to
  // run its full sequence at the next opening.
  form_.onUnload = [this] {
    timer1_->SetEnabled(false);
    firstTickDone = false;
    open_ = false;
  };
}

FrmAbout::~FrmAbout() {
  // The window must not outlive the form it renders.
  if (open_ || form_.visible()) Close();
}

void FrmAbout::Close() { owner_.services().windows->Close(form_); }

void FrmAbout::Form_Load() {
  open_ = true;
  firstTickDone = false;
  timer1_->SetInterval(kFirstTickMs);
  timer1_->SetEnabled(true);

  const ui::Form& clock = owner_.form();
  // Centred over the clock, but never past the screen's edge: the box is
  // wider than the clock, which often sits in the top right corner.
  MoveOnScreen(form_, owner_.services().screen->Info(), clock.left() + (clock.width() - form_.width()) / 2,
               clock.top() + (clock.height() - form_.height()) / 2);

  const int w = ToInt32(static_cast<double>(form_.width()) / form_.twipsPerPixelX()).value_or(0);
  const int h = ToInt32(static_cast<double>(form_.height()) / form_.twipsPerPixelY()).value_or(0);
  // An empty region would hide the window altogether; a failed one leaves it
  // rectangular.
  if (w > 0 && h > 0)
    owner_.services().window->SetRoundRegion(form_.hWnd(), w, h, kCornerEllipse, kCornerEllipse);
}

void FrmAbout::Timer1_Timer() {
  if (!firstTickDone) {
    // The clock stays in the top-most band after the box, whatever its own
    // "Always On Top" says.
    SetAlwaysOnTop(owner_.form(), true, *owner_.services().window);
    firstTickDone = true;
    timer1_->SetInterval(kShowMs);
  } else {
    timer1_->SetEnabled(false);
    Close();
    firstTickDone = false;
  }
}

void FrmAbout::Form_Click() {
  timer1_->SetEnabled(false);
  Close();
}

void FrmAbout::Label1_Click() { Close(); }
void FrmAbout::Label2_Click() { Close(); }

// The box stays open; its timer still closes it.
void FrmAbout::Label3_Click() { BukaLink(*owner_.services().shell, std::string("mailto:") + kAuthorMail); }

void BukaLink(Shell& shell, const std::string& link) {
  // The shell's default action on an empty name opens a folder window.
  if (link.empty()) return;
  shell.Open(link);
}

void ClockFace::mAbout_Click() {
  // The box is modal, yet the tray icon's menu still reaches this handler
  // while it is open; a second box would take the first one's form away
  // from under the platform.
  if (about && about->IsOpen()) return;
  about = std::make_unique<FrmAbout>(*this);
  // The back end creates the window, raises its onLoad (Form_Load) and shows
  // it; the real one returns only when the box has closed.
  svc_.windows->ShowModal(about->form(), form_);
}

void ClockFace::mQOV_Click() { BukaLink(*svc_.shell, kWebUrl); }

}  // namespace qov
