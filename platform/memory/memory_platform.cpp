#include "platform/memory/memory_platform.h"

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

bool MemorySettings::Has(const std::string& section, const std::string& key) const {
  return values.count({section, key}) != 0;
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

bool MemoryDialogs::ChooseColor(ui::Handle owner, ui::Color* result) {
  ++colorDialogs;
  lastColorOwner = owner;
  if (!colorOk) return false;
  *result = nextColor;
  return true;
}

// ------------------------------------------------------------- window API

int32_t MemoryWindowApi::GetWindowLong(ui::Handle h, int index) {
  auto it = windows.find(h);
  if (it == windows.end()) return 0;
  if (index == kGwlStyle) return it->second.style;
  if (index == kGwlExStyle) return it->second.exStyle | (it->second.topmost ? 0x8 : 0);
  return 0;
}

int32_t MemoryWindowApi::SetWindowLong(ui::Handle h, int index, int32_t value) {
  auto it = windows.find(h);
  if (it == windows.end()) return 0;
  Window& w = it->second;
  int32_t old = GetWindowLong(h, index);
  // A refused bit keeps its old state, as the window manager does for bits
  // it will not take.
  auto apply = [this](int32_t oldV, int32_t v) {
    return (v & ~refusedStyleBits) | (oldV & refusedStyleBits);
  };
  if (index == kGwlStyle) w.style = apply(w.style, value);
  if (index == kGwlExStyle) w.exStyle = apply(w.exStyle, value) & ~0x8;  // topmost: z-order only
  return old;
}

bool MemoryWindowApi::SetWindowPos(ui::Handle h, ui::Handle insertAfter, int x, int y, int cx,
                                   int cy, uint32_t flags) {
  posCalls.push_back({h, insertAfter, x, y, cx, cy, flags});
  auto it = windows.find(h);
  if (it == windows.end()) return false;
  Window& w = it->second;
  constexpr uint32_t kNoSize = 1, kNoMove = 2, kNoZOrder = 4, kNoActivate = 0x10, kFrameChanged = 0x20;
  if (!(flags & kNoMove)) {
    w.x = x;
    w.y = y;
  }
  if (!(flags & kNoSize)) {
    w.cx = cx;
    w.cy = cy;
  }
  if (!(flags & kNoZOrder)) {
    if (insertAfter == kHwndTopmost) w.topmost = true;
    if (insertAfter == kHwndNoTopmost) w.topmost = false;
  }
  if (!(flags & kNoActivate)) w.active = true;
  if (flags & kFrameChanged) ++w.redraws;
  return true;
}

intptr_t MemoryWindowApi::SendMessage(ui::Handle h, uint32_t msg, uintptr_t wParam,
                                      intptr_t lParam) {
  sent.push_back({h, msg, wParam, lParam});
  return 0;
}

uintptr_t MemoryWindowApi::SubclassWindow(ui::Handle h, WindowProc proc) {
  auto it = windows.find(h);
  if (failSubclass || it == windows.end()) return 0;
  uintptr_t token = nextToken_++;
  procs_[token] = std::move(proc);
  previous_[token] = it->second.procToken;
  uintptr_t old = it->second.procToken;
  it->second.procToken = token;
  // The original procedure has token 0 internally; hand out a non-zero
  // stand-in so that callers can tell success from failure.
  return old == 0 ? ~uintptr_t{0} : old;
}

void MemoryWindowApi::RestoreWindowProc(ui::Handle h, uintptr_t token) {
  auto it = windows.find(h);
  if (it == windows.end()) return;
  it->second.procToken = token == ~uintptr_t{0} ? 0 : token;
}

intptr_t MemoryWindowApi::CallWindowProc(uintptr_t token, ui::Handle h, uint32_t msg,
                                         uintptr_t wParam, intptr_t lParam) {
  if (token == ~uintptr_t{0} || token == 0) {
    defaultProcMessages.push_back({h, msg, wParam, lParam});
    return 0;
  }
  auto it = procs_.find(token);
  if (it == procs_.end()) return 0;
  return it->second(h, msg, wParam, lParam);
}

intptr_t MemoryWindowApi::Deliver(ui::Handle h, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  auto it = windows.find(h);
  uintptr_t token = it == windows.end() ? 0 : it->second.procToken;
  return CallWindowProc(token, h, msg, wParam, lParam);
}

bool MemoryWindowApi::SetRoundRegion(ui::Handle h, int w, int h2, int ellipseW, int ellipseH) {
  auto it = windows.find(h);
  if (it == windows.end()) return false;
  it->second.regionW = w;
  it->second.regionH = h2;
  it->second.regionEllipseW = ellipseW;
  it->second.regionEllipseH = ellipseH;
  return true;
}

// ------------------------------------------------------------------- tray

int MemoryTray::NotifyIcon(Op op, const TrayIconData& data) {
  calls.emplace_back(op, data);
  if (noNotificationArea) return 0;
  auto key = std::make_pair(data.hWnd, data.uID);
  switch (op) {
    case kAdd:
      if (icons.count(key)) return 0;
      icons[key] = data;
      return 1;
    case kModify:
      if (!icons.count(key)) return 0;
      icons[key] = data;
      return 1;
    case kDelete:
      return icons.erase(key) ? 1 : 0;
  }
  return 0;
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
  window.windows[h];
  ScreenInfo s = screen.Info();
  form.ReportScale(s.twipsPerPixelX, s.twipsPerPixelY);
  forms_.push_back(&form);
  for (auto& t : form.timers()) Rearm(*t);
  return h;
}

void MemoryPlatform::Detach(ui::Form& form) {
  for (auto& t : form.timers()) schedule_.erase(t.get());
  forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
  form.SetView(nullptr);
}

void MemoryPlatform::TimerChanged(ui::Timer& t) { Rearm(t); }

void MemoryPlatform::Rearm(ui::Timer& t) {
  if (!t.enabled() || t.interval() <= 0) {
    schedule_.erase(&t);
    return;
  }
  schedule_[&t] = Scheduled{nullptr, &t, clock.ms() + t.interval(), t.generation()};
}

void MemoryPlatform::RunFor(int64_t ms) {
  const int64_t end = clock.ms() + ms;
  for (;;) {
    // Earliest due timer; ties go to the one created first.
    ui::Timer* next = nullptr;
    int64_t due = end + 1;
    for (ui::Form* f : forms_) {
      for (auto& t : f->timers()) {
        auto it = schedule_.find(t.get());
        if (it != schedule_.end() && it->second.due < due) {
          due = it->second.due;
          next = t.get();
        }
      }
    }
    if (!next) break;
    clock.SetMs(due);
    schedule_[next].due = due + next->interval();
    if (next->onTimer) next->onTimer();
  }
  clock.SetMs(end);
}

void MemoryPlatform::JumpTo(double dateTime) {
  int64_t before = clock.ms();
  clock.SetValue(dateTime);
  int64_t delta = clock.ms() - before;
  // Window timers count elapsed time, not wall time: they keep their phase.
  for (auto& [t, s] : schedule_) s.due += delta;
}

void MemoryPlatform::UserResize(ui::Form& form, ui::Twips width, ui::Twips height) {
  auto snap = [](ui::Twips v, float tpp) { return static_cast<ui::Twips>(std::nearbyint(v / tpp) * tpp); };
  form.ReportGeometry(form.left(), form.top(), snap(width, form.twipsPerPixelX()),
                      snap(height, form.twipsPerPixelY()));
}

}  // namespace qov::memory
