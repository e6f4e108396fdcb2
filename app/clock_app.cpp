#include "app/clock_app.h"

#include "chrome/about_box.h"
#include "chrome/context_menu.h"
#include "chrome/tray_menu.h"
#include "clock/alerts.h"
#include "clock/clock_window.h"
#include "clock/prayer_panel.h"
#include "clock/schedule.h"
#include "location/location_dialog.h"
#include "settings/settings.h"

namespace qov {

// Built in this order, so that the window's controls lie under the panel's
// and the panel's under the dialog's.
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
        alerts(form, menu, s, settings, window, schedule),
        tray(form, menu, *s.tray) {
    menu.webSite.onClick = [this] { OpenLink(*svc.shell, kWebUrl); };
    menu.about.onClick = [this] { ShowAbout(); };
    menu.exit.onClick = [this] { svc.windows->Close(form); };
    form.onUnload = [this] { Unload(); };
  }

  bool Load();
  void Unload();
  void ShowAbout();

  Services& svc;
  ui::Form form;
  settings::Settings settings;
  ContextMenu menu;
  Schedule schedule;
  ClockWindow window;
  PrayerPanel panel;
  LocationDialog dialog;
  Alerts alerts;
  TrayMenu tray;
  std::unique_ptr<AboutBox> about;
};

bool ClockApp::Parts::Load() {
  if (svc.instance->AnotherRunning()) {
    svc.dialogs->MessageBox("Sudah ada yang jalan", kAppTitle);
    return false;
  }
  const bool firstRun = settings.IsFirstRun();
  const settings::Location location = firstRun ? settings.WriteFirstRun() : settings.ReadLocation();
  const int16_t popDelay = firstRun ? int16_t{settings::kDefaultPopDelay} : settings.ReadPopDelay();
  const settings::DisplayVersion version =
      firstRun ? settings::DisplayVersion::kFace : settings.ReadDisplayVersion();
  const settings::WindowState stored = settings.ReadWindow();

  schedule.SetLocation(location, svc.clock->Now());
  window.Load(version, stored, firstRun);
  alerts.Load(firstRun ? settings::WindowState{} : stored);
  dialog.LoadCities();
  panel.Load(popDelay, stored.fullSchedule);
  tray.Show();
  return true;
}

void ClockApp::Parts::Unload() {
  tray.Remove();
  window.Unload();
}

void ClockApp::Parts::ShowAbout() {
  if (about && about->IsOpen()) return;
  about = std::make_unique<AboutBox>(form, svc);
  about->Show();
}

ClockApp::ClockApp(Services& services) : parts_(std::make_unique<Parts>(services)) {}
ClockApp::~ClockApp() = default;

ui::Form& ClockApp::form() { return parts_->form; }

bool ClockApp::Start() {
  if (!parts_->Load()) return false;
  parts_->form.Show();
  // The platform raises the first layout pass when the window is shown.
  parts_->window.Layout();
  return true;
}

}  // namespace qov
