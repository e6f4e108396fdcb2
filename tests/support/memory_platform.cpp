#include "tests/support/memory_platform.h"

#include <algorithm>
#include <cmath>

#include "engine/datetime.h"

namespace qov::memory {

// --------------------------------------------------------------- settings

std::string MemorySettings::Get(const std::string& section, const std::string& key) {
  ++reads;
  auto it = values.find({section, key});
  return it == values.end() ? std::string() : it->second;
}

bool MemorySettings::Save(const std::string& section, const std::string& key,
                          const std::string& value) {
  if (failWrites) return false;
  values[{section, key}] = value;
  writes.push_back(section + "/" + key + "=" + value);
  return true;
}

// ------------------------------------------------------------------ clock

double FakeClock::Now() { return static_cast<double>(ms_) / 86400000.0; }

void FakeClock::Set(int year, int month, int day, int hour, int minute, int second, int ms) {
  ms_ = static_cast<int64_t>(DateSerial(year, month, day)) * 86400000 +
        ((hour * 60LL + minute) * 60 + second) * 1000 + ms;
}

void FakeClock::SetValue(double dateTime) {
  ms_ = static_cast<int64_t>(std::llround(dateTime * 86400000.0));
}

std::string MemoryLocale::LongTime(double dateTime) { return FormatHHMMSS(dateTime); }

std::string MemoryLocale::MonthName(int month) {
  static const char* const kNames[] = {"Januari", "Februari", "Maret",     "April",
                                       "Mei",     "Juni",     "Juli",      "Agustus",
                                       "September", "Oktober", "November", "Desember"};
  return month >= 1 && month <= 12 ? kNames[month - 1] : std::string();
}

// ---------------------------------------------------------------- dialogs

void MemoryDialogs::MessageBox(const std::string& text, const std::string& caption) {
  messages.emplace_back(text, caption);
}

bool MemoryDialogs::ChooseColor(ui::Form& owner, ui::Color* result) {
  ++colorDialogs;
  lastColorOwner = &owner;
  if (!colorOk) return false;
  *result = nextColor;
  return true;
}

// ---------------------------------------------------------- window intents

const MemoryWindowService::Window& MemoryWindowService::Of(const ui::Form& form) const {
  static const Window kUntouched;
  auto it = windows.find(&form);
  return it == windows.end() ? kUntouched : it->second;
}

void MemoryWindowService::SetTopmost(ui::Form& form, bool on) {
  if (form.hWnd() != 0) windows[&form].topmost = on;
}

void MemoryWindowService::SetSizable(ui::Form& form, bool on) {
  if (form.hWnd() != 0) windows[&form].sizable = on;
}

void MemoryWindowService::SetRoundCorners(ui::Form& form, int ellipsePixels) {
  if (form.hWnd() != 0) windows[&form].cornerEllipse = std::max(ellipsePixels, 0);
}

// ------------------------------------------------------------------- tray

bool MemoryTray::Show(const std::string& text, std::function<void(TrayIcon::Click)> onClick) {
  tip = text;
  onClick_ = std::move(onClick);
  if (noNotificationArea) return false;
  shown = true;
  removed = false;
  return true;
}

void MemoryTray::Remove() {
  if (!shown) return;
  shown = false;
  removed = true;
}

void MemoryTray::ShowMessage(const std::string& title, const std::string& text) {
  if (shown) messages.emplace_back(title, text);
}

bool MemoryTray::Click(TrayIcon::Click click) {
  if (!shown || !onClick_) return false;
  // A copy: the handler may remove the icon or show it anew while it runs.
  const auto handler = onClick_;
  handler(click);
  return true;
}

// ---------------------------------------------------------------- windows

namespace {
void ListVisible(const ui::MenuItem& m, const std::string& prefix, std::vector<std::string>& out) {
  for (const auto& c : m.children) {
    if (!c->visible) continue;
    std::string path = prefix.empty() ? c->caption : prefix + "/" + c->caption;
    out.push_back(path);
    ListVisible(*c, path, out);
  }
}
}  // namespace

void MemoryWindows::PopupMenu(ui::Form&, ui::MenuItem& menu) {
  ++popups;
  lastMenu.clear();
  ListVisible(menu, "", lastMenu);
  std::string pick = std::move(choose);
  choose.clear();
  if (pick.empty()) return;
  ui::MenuItem* item = menu.Find(pick);
  if (item && item->visible && item->enabled && item->onClick) item->onClick();
}

void MemoryWindows::ShowModal(ui::Form& form, ui::Form&) {
  modal.push_back(&form);
  // The window is created here, as the real back end does: it has its handle
  // and its timers run before its load handler sees it.
  if (platform && form.view() != platform) platform->Attach(form);
  if (form.onLoad) form.onLoad();
  form.Show();
}

void MemoryWindows::Close(ui::Form& form) {
  if (form.onUnload) form.onUnload();
  form.Hide();
  auto it = std::remove(modal.begin(), modal.end(), &form);
  const bool wasModal = it != modal.end();
  modal.erase(it, modal.end());
  // A closed modal window is gone; its form may be destroyed next.
  if (wasModal && platform) platform->Detach(form);
}

// ------------------------------------------------------------------ files

std::optional<std::string> MemoryFiles::ReadAll(const std::string& path, size_t maxBytes) {
  reads.push_back(path);
  auto it = files.find(path);
  if (it == files.end()) return std::nullopt;
  return it->second.substr(0, maxBytes);
}

// --------------------------------------------------------------- platform

MemoryPlatform::MemoryPlatform() {
  services.settings = &settings;
  services.clock = &clock;
  services.locale = &locale;
  services.screen = &screen;
  services.instance = &instance;
  services.dialogs = &dialogs;
  services.window = &window;
  services.sound = &sound;
  services.shell = &shell;
  services.tray = &tray;
  services.windows = &windows;
  services.files = &files;
  windows.platform = this;
  clock.Set(2004, 6, 15, 8, 0, 0);
}

MemoryPlatform::~MemoryPlatform() {
  for (ui::Form* f : forms_) f->SetView(nullptr);
}

ui::Handle MemoryPlatform::Attach(ui::Form& form) {
  form.SetView(this);
  ui::Handle h = form.hWnd();
  if (h == 0) {
    h = nextHandle_;
    nextHandle_ += 0x10;
    form.SetHandle(h);
  }
  ScreenInfo s = screen.Info();
  form.ReportScale(s.twipsPerPixelX, s.twipsPerPixelY);
  forms_.push_back(&form);
  for (auto& t : form.timers()) Rearm(*t);
  return h;
}

void MemoryPlatform::Detach(ui::Form& form) {
  for (auto& t : form.timers()) due_.erase(t.get());
  // Its window is gone: a window made for it later starts plain.
  window.windows.erase(&form);
  forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
  form.SetView(nullptr);
}

void MemoryPlatform::TimerChanged(ui::Timer& t) { Rearm(t); }

void MemoryPlatform::Rearm(ui::Timer& t) {
  if (t.enabled() && t.interval() > 0) due_[&t] = clock.ms() + t.interval();
  else due_.erase(&t);
}

void MemoryPlatform::RunFor(int64_t ms) {
  const int64_t end = clock.ms() + ms;
  for (;;) {
    // Earliest due timer; ties go to the one created first.
    ui::Timer* next = nullptr;
    int64_t due = end + 1;
    for (ui::Form* f : forms_) {
      for (auto& t : f->timers()) {
        auto it = due_.find(t.get());
        if (it != due_.end() && it->second < due) {
          due = it->second;
          next = t.get();
        }
      }
    }
    if (!next) break;
    clock.SetMs(due);
    due_[next] = due + next->interval();
    if (next->onTimer) next->onTimer();
  }
  clock.SetMs(end);
}

void MemoryPlatform::JumpTo(double dateTime) {
  int64_t before = clock.ms();
  clock.SetValue(dateTime);
  int64_t delta = clock.ms() - before;
  // Window timers count elapsed time, not wall time: they keep their phase.
  for (auto& [t, due] : due_) due += delta;
}

void MemoryPlatform::UserResize(ui::Form& form, ui::Twips width, ui::Twips height) {
  auto snap = [](ui::Twips v, float tpp) { return static_cast<ui::Twips>(std::nearbyint(v / tpp) * tpp); };
  form.ReportGeometry(form.left(), form.top(), snap(width, form.twipsPerPixelX()),
                      snap(height, form.twipsPerPixelY()));
}

}  // namespace qov::memory
