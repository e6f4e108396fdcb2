#include "app/clock_app.h"

#include "chrome/about_box.h"
#include "chrome/context_menu.h"
#include "chrome/tray_menu.h"
#include "clock/alert_dialog.h"
#include "clock/alerts.h"
#include "clock/clock_window.h"
#include "clock/month_window.h"
#include "clock/prayer_panel.h"
#include "clock/schedule.h"
#include "location/location_dialog.h"
#include "platform/i18n.h"
#include "settings/settings.h"

namespace qov {

// Built in this order, so that the window's controls lie under the panel's
// and the panel's under the dialogs'.
struct ClockApp::Parts {
  explicit Parts(Services& s)
      : svc(s),
        form("clockface"),
        settings(*s.settings),
        menu(form, *s.windows),
        schedule(settings::Location{}, *s.clock),
        window(form, menu, s, settings),
        panel(form, menu, s, settings, window, schedule),
        dialog(form, menu, s, settings, window, schedule),
        alerts(form, menu, s, settings, schedule),
        alertDialog(form, menu, s, settings, window, alerts),
        month(form, menu, s, settings, schedule),
        tray(form, menu, *s.tray) {
    window.onPlainClick = [this] { alerts.StopSound(); };
    menu.On(Command::kWebSite, [this] { OpenLink(*svc.shell, kWebUrl); });
    menu.On(Command::kAbout, [this] { ShowAbout(); });
    menu.On(Command::kExit, [this] { svc.windows->Close(form); });
    menu.On(Command::kLoginStart, [this] { ToggleLoginStart(); });
    menu.OnOpen([this] { ShowLoginStart(); });
    menu.OnOpen([this] { OfferOverlays(); });
    menu.OnLanguage([this](const std::string& code) { ChooseLanguage(code); });
    form.onUnload = [this] { Unload(); };
    heartbeat = &form.AddTimer("tick", kTickMs, true);
    heartbeat->onTimer = [this] { Tick(); };
  }

  bool Load();
  void Unload();
  void ShowAbout();
  void ShowLoginStart();
  void OfferOverlays();
  void ToggleLoginStart();
  void ChooseLanguage(const std::string& code);
  // Every 300 ms: the hands and the digital time (or the alert's name),
  // then the alerts. Nothing here reads a file or the store, and the
  // engine runs only when the day or the zone's offset changed.
  void Tick() {
    const double now = svc.clock->Now();
    window.ShowTime(now, alerts.banner());
    alerts.Check(now);
  }

  static constexpr int kTickMs = 300;

  Services& svc;
  ui::Form form;
  settings::Settings settings;
  ContextMenu menu;
  Schedule schedule;
  ClockWindow window;
  PrayerPanel panel;
  LocationDialog dialog;
  Alerts alerts;
  AlertDialog alertDialog;
  MonthWindow month;
  TrayMenu tray;
  ui::Timer* heartbeat = nullptr;
  bool unloaded = false;
  std::unique_ptr<AboutBox> about;
};

bool ClockApp::Parts::Load() {
  // The refusal comes before any read of the store, so it is Indonesian.
  if (svc.instance->AnotherRunning()) {
    svc.instance->BringRunningForward(form.name());
    svc.dialogs->MessageBox("Sudah ada yang jalan", kAppTitle);
    return false;
  }
  i18n::SetLanguage(settings.ReadLanguage());
  menu.CheckLanguage(i18n::Current().code);
  form.Retranslate();
  month.Retranslate();
  const bool firstRun = settings.IsFirstRun();
  const settings::Location location = firstRun ? settings.WriteFirstRun() : settings.ReadLocation();
  const int16_t popDelay = firstRun ? int16_t{settings::kDefaultPopDelay} : settings.ReadPopDelay();
  const settings::DisplayVersion version =
      firstRun ? settings::DisplayVersion::kFace : settings.ReadDisplayVersion();
  const settings::WindowState stored = settings.ReadWindow();

  schedule.SetLocation(location, svc.clock->Now());
  window.Load(version, stored, firstRun);
  alerts.Load(firstRun ? settings::WindowState{} : stored);
  panel.Load(popDelay, stored.fullSchedule);
  return true;
}

void ClockApp::Parts::Unload() {
  unloaded = true;
  tray.Remove();
  window.Unload();
}

void ClockApp::Parts::ShowAbout() {
  if (about && about->IsOpen()) return;
  about = std::make_unique<AboutBox>(form, svc);
  about->Show();
}

// The panel and the dialogs open inside the clock, which takes no input
// while the month window is open over it: the tray's menu, still open to
// the user, would start one the user could not reach until the month
// window closed.
void ClockApp::Parts::OfferOverlays() {
  const bool free = !month.IsOpen();
  for (Command c : {Command::kPrayerTimes, Command::kLocation, Command::kAlertSettings}) menu.Enable(c, free);
}

// The entry belongs to the desktop, not to our settings: its check mark is
// read afresh at each opening, and a change that failed is said, never
// shown as done.
void ClockApp::Parts::ShowLoginStart() {
  menu.Show(Command::kLoginStart, svc.loginStart != nullptr);
  if (svc.loginStart) menu.Check(Command::kLoginStart, svc.loginStart->IsEnabled());
}

void ClockApp::Parts::ToggleLoginStart() {
  if (!svc.loginStart) return;
  const bool on = !svc.loginStart->IsEnabled();
  if (!svc.loginStart->Enable(on))
    svc.dialogs->MessageBox(i18n::Tr(on ? "Jam QOV tidak dapat diatur agar berjalan saat login."
                                        : "Jam QOV tidak dapat dihentikan dari berjalan saat login."),
                            i18n::Tr(kAppTitle));
  menu.Check(Command::kLoginStart, svc.loginStart->IsEnabled());
}

// Every text follows at once: the captions given in Indonesian through the
// form, the texts the features compose through their own.
void ClockApp::Parts::ChooseLanguage(const std::string& code) {
  i18n::SetLanguage(code);
  settings.SaveLanguage(i18n::Current().code);
  menu.CheckLanguage(i18n::Current().code);
  form.Retranslate();
  panel.Retranslate();
  alerts.Retranslate();
  month.Retranslate();
  Tick();
}

ClockApp::ClockApp(Services& services) : parts_(std::make_unique<Parts>(services)) {}
ClockApp::~ClockApp() = default;

ui::Form& ClockApp::form() { return parts_->form; }

bool ClockApp::Start() {
  if (!parts_->Load()) return false;
  parts_->form.Show();
  // The platform raises the first layout pass when the window is shown.
  parts_->window.Layout();
  // The time and the hands at once, before the window is first painted,
  // rather than an empty label until the first tick.
  parts_->window.ShowTime(parts_->svc.clock->Now(), std::string());
  // The tray icon once the clock is on the screen: registering it with the
  // desktop's tray takes longer than showing the window. A clock closed
  // before then shows none.
  parts_->svc.windows->AfterShown([parts = parts_.get()] {
    if (!parts->unloaded) parts->tray.Show();
  });
  return true;
}

}  // namespace qov
