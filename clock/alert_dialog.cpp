#include "clock/alert_dialog.h"

#include "clock/dialog_frame.h"

#include <optional>

namespace qov {

using i18n::Tr;
using settings::kAlertTimes;

namespace {

constexpr const char* kCaption = N_("Pengaturan Adzan");
constexpr ui::Twips kFrameWidth = 3435, kFrameHeight = 5280;
constexpr ui::Twips kDialogHeight = kFrameHeight + 45;
constexpr float kRowTop = 600, kRowStep = 300;

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "30, 10" as the box shows it; none is blank.
std::string LeadsBox(const std::vector<int16_t>& leads) {
  std::string text;
  for (int16_t m : leads) text += (text.empty() ? "" : ", ") + std::to_string(m);
  return text;
}

}  // namespace

AlertDialog::AlertDialog(ui::Form& form, ContextMenu& menu, Services& services, settings::Settings& settings,
                         ClockWindow& window, Alerts& alerts)
    : form_(form), svc_(services), settings_(settings), window_(window), alerts_(alerts) {
  frame_ = &dialog::AddFrame(form_, "alertDialog", kCaption, kFrameWidth, kFrameHeight);
  const ui::Font& captionFont = dialog::kCaptionFont;
  const ui::Font& boxFont = dialog::kBoxFont;
  auto label = [&](const char* text, float l, float t, float w) { dialog::AddCaption(form_, *frame_, text, l, t, w); };
  auto add = [&](ui::Kind kind, const std::string& name, float l, float t, float w, float h) {
    ui::Control& c = form_.Add(kind, name, -1, frame_);
    c.Move(l, t, w, h);
    c.SetFont(kind == ui::Kind::Button ? captionFont : boxFont);
    return &c;
  };

  // One line over the choices: a longer header wrapped inside its one-line
  // label, and the top of its hidden second line showed below it at 125 %.
  label(N_("Saat"), 1050, 330, 1250);
  label(N_("Pengingat"), 2300, 330, 1050);
  for (int i = 0; i <= kAlertTimes; ++i) {
    const std::string name = settings::kAlertTimeNames[i];
    const float top = kRowTop + kRowStep * static_cast<float>(i);
    label(settings::kAlertTimeNames[i], 150, top, 900);
    if (i < kAlertTimes) {
      ui::Control* c = add(ui::Kind::ComboBox, "choice" + name, 1050, top - 30, 1200, 315);
      // Only the four choices mean anything: typing is not offered.
      c->SetListOnly(true);
      for (int k = 0; k < 4; ++k) c->AddCaptionItem(settings::kAlertChoiceNames[k], k);
      choices_[static_cast<size_t>(i)] = c;
    }
    leads_[static_cast<size_t>(i)] = add(ui::Kind::TextBox, "leads" + name, 2350, top, 935, 240);
  }

  ui::Control& rule = form_.Add(ui::Kind::Line, "separator", -1, frame_);
  rule.SetBorderColor(ui::kWhite);
  rule.SetStart(0, 3000);
  rule.SetEnd(kFrameWidth, 3000);

  struct FileRow {
    const char* caption;
    const char* name;
    const char* pick;
    const char* clear;
    ui::Control** box;
    std::string* path;
    const char* title;
  };
  const FileRow files[] = {{N_("File adzan"), "adzanFile", "pickAdzanFile", "clearAdzanFile", &adzanFile_, &adzanPath_, N_("Pilih file adzan")},
                           {N_("File adzan Shubuh"), "shubuhFile", "pickShubuhFile", "clearShubuhFile", &shubuhFile_, &shubuhPath_, N_("Pilih file adzan Shubuh")}};
  float top = 3090;
  for (const FileRow& f : files) {
    label(f.caption, 150, top, 3100);
    *f.box = add(ui::Kind::TextBox, f.name, 150, top + 240, 1700, 285);
    (*f.box)->SetEnabled(false);  // shows the name; the file comes from the dialog
    ui::Control* pick = add(ui::Kind::Button, f.pick, 1900, top + 240, 600, 285);
    pick->SetCaption(N_("Pilih..."));
    pick->SetFont(boxFont);
    pick->onClick = [this, path = f.path, title = f.title] { Pick(*path, title); };
    ui::Control* clear = add(ui::Kind::Button, f.clear, 2550, top + 240, 735, 285);
    clear->SetCaption(N_("Bawaan"));
    clear->SetFont(boxFont);
    clear->onClick = [this, path = f.path] {
      path->clear();
      ShowFiles();
    };
    top += 600;
  }

  label(N_("Volume"), 150, 4320, 900);
  volume_ = add(ui::Kind::TextBox, "volume", 1050, 4320, 600, 240);
  label("%", 1700, 4320, 250);
  ui::Control* tryAdzan = add(ui::Kind::Button, "tryAdzan", 2000, 4290, 1285, 315);
  tryAdzan->SetCaption(N_("Coba"));
  tryAdzan->onClick = [this] {
    frame_->SetCaption(kCaption);
    volume_->SetBackColor(ui::kSystemWindow);
    const std::optional<double> v = settings::StrictNumber(volume_->text());
    if (!v || !settings::kVolume.Accepts(*v)) {
      Refuse(volume_, Tr("Volume"), settings::RefusalMessage(settings::kVolume));
      return;
    }
    tried_ = true;
    const std::string told = alerts_.PlayAdzan(adzanPath_, static_cast<int>(*v));
    if (!told.empty()) svc_.dialogs->MessageBox(told, Tr(kCaption));
  };

  ui::Control* ok = add(ui::Kind::Button, "alertOk", 150, 4830, 1515, 315);
  ok->SetText("OK");
  ok->onClick = [this] { Accept(); };
  ui::Control* cancel = add(ui::Kind::Button, "alertCancel", 1770, 4830, 1515, 315);
  cancel->SetCaption(N_("Batal"));
  cancel->onClick = [this] { Cancel(); };
  menu.On(Command::kAlertSettings, [this] { Open(); });
}

void AlertDialog::Open() {
  window_.OpenOverlay(ClockWindow::Overlay::kAlertDialog, *frame_, kDialogHeight);
  frame_->SetCaption(kCaption);
  const settings::AlertSettings& a = alerts_.stored();
  for (int i = 0; i <= kAlertTimes; ++i) {
    const size_t k = static_cast<size_t>(i);
    if (i < kAlertTimes) choices_[k]->SelectItem(static_cast<int>(a.choice[k]));
    // Jumat's box is blank while it follows Dzuhur's.
    shownLeads_[k] = i == settings::kJumat && !a.leads[k] ? std::string() : LeadsBox(alerts_.LeadsOf(i));
    leads_[k]->SetText(shownLeads_[k]);
    leads_[k]->SetBackColor(ui::kSystemWindow);
  }
  adzanPath_ = a.adzanFile;
  shubuhPath_ = a.shubuhFile;
  ShowFiles();
  volume_->SetText(settings::PlainInt(a.volume));
  volume_->SetBackColor(ui::kSystemWindow);
  tried_ = false;
  frame_->SetVisible(true);
}

void AlertDialog::ShowFiles() {
  adzanFile_->SetText(adzanPath_.empty() ? Tr("(bawaan)") : BaseName(adzanPath_));
  shubuhFile_->SetText(shubuhPath_.empty() ? Tr("(ikut file adzan)") : BaseName(shubuhPath_));
}

void AlertDialog::Pick(std::string& path, const char* title) {
  if (const std::optional<std::string> chosen = svc_.dialogs->OpenSoundFile(form_, Tr(title), path)) {
    if (!chosen->empty()) path = *chosen;
  }
  ShowFiles();
}

void AlertDialog::Refuse(ui::Control* box, const std::string& what, const std::string& message) {
  box->SetBackColor(dialog::kWrongBox);
  frame_->SetText(i18n::Fill("{1} - {2} salah", {Tr(kCaption), what}));
  svc_.dialogs->MessageBox(message, Tr(kCaption));
}

bool AlertDialog::Accept() {
  frame_->SetCaption(kCaption);
  settings::AlertSettings a = alerts_.stored();
  // Everything is checked before anything is stored.
  ui::Control* firstWrong = nullptr;
  std::string what, message;
  for (int i = 0; i <= kAlertTimes; ++i) {
    const size_t k = static_cast<size_t>(i);
    ui::Control* box = leads_[k];
    box->SetBackColor(ui::kSystemWindow);
    const std::optional<std::vector<int16_t>> leads = settings::ParseLeads(box->text());
    if (!leads) {
      box->SetBackColor(dialog::kWrongBox);
      if (!firstWrong) {
        firstWrong = box;
        what = i18n::Fill("Pengingat {1}", {Tr(settings::kAlertTimeNames[i])});
        message = i18n::Fill("{1} harus menit bulat antara 1 dan 120, dipisah koma (mis. 30, 10).", {what});
      }
      continue;
    }
    // A box left as it showed keeps a value that was not stored unstored,
    // so it follows "Pengingat" as before; Jumat's blank follows Dzuhur.
    const bool follows = i == settings::kJumat ? leads->empty() : box->text() == shownLeads_[k] && !a.leads[k];
    a.leads[k] = follows ? std::nullopt : leads;
  }
  const std::optional<double> volume = settings::StrictNumber(volume_->text());
  volume_->SetBackColor(ui::kSystemWindow);
  if (!volume || !settings::kVolume.Accepts(*volume)) {
    volume_->SetBackColor(dialog::kWrongBox);
    if (!firstWrong) {
      firstWrong = volume_;
      what = Tr("Volume");
      message = settings::RefusalMessage(settings::kVolume);
    }
  }
  if (firstWrong) {
    Refuse(firstWrong, what, message);
    return false;
  }
  for (int i = 0; i < kAlertTimes; ++i) {
    const int at = choices_[static_cast<size_t>(i)]->listIndex();
    if (at >= 0 && at < 4) a.choice[static_cast<size_t>(i)] = static_cast<settings::AlertChoice>(at);
  }
  a.adzanFile = adzanPath_;
  a.shubuhFile = shubuhPath_;
  a.volume = static_cast<int16_t>(*volume);
  settings_.SaveAlerts(a);
  alerts_.ApplyStored();
  Close();
  return true;
}

void AlertDialog::Cancel() { Close(); }

void AlertDialog::Close() {
  if (tried_) alerts_.StopSound();
  window_.CloseOverlay(ClockWindow::Overlay::kAlertDialog, *frame_);
}

}  // namespace qov
