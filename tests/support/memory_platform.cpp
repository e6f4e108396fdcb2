#include "tests/support/memory_platform.h"

namespace qov::memory {

void FakeClock::Set(int year, int month, int day, int hour, int minute, int second) {
  SetValue(DateSerial(year, month, day) + ((hour * 60.0 + minute) * 60 + second) / 86400);
}

namespace {
void ListVisible(const ui::MenuItem& m, const std::string& prefix, std::vector<std::string>& out) {
  for (const auto& c : m.children) {
    if (!c->visible) continue;
    // A copy: the list grows while the children are listed.
    const std::string path = prefix.empty() ? c->caption : prefix + "/" + c->caption;
    out.push_back(path);
    ListVisible(*c, path, out);
  }
}
}  // namespace

void MemoryWindows::PopupMenu(ui::Form&, ui::MenuItem& menu) {
  ++popups;
  lastMenu.clear();
  ListVisible(menu, "", lastMenu);
  const std::string pick = std::exchange(choose, "");
  ui::MenuItem* item = pick.empty() ? nullptr : menu.Find(pick);
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
  // A closed modal window is gone; its form may be destroyed next.
  if (it != modal.end() && platform) platform->Detach(form);
  modal.erase(it, modal.end());
}

MemoryPlatform::MemoryPlatform() {
  services = {&settings, &clock, &locale, &screen, &instance, &dialogs, &window, &sound, &shell, &tray, &windows, &files, &loginStart, &printer};
  windows.platform = this;
  clock.Set(2004, 6, 15, 8);
}

MemoryPlatform::~MemoryPlatform() {
  for (ui::Form* f : forms_) f->SetView(nullptr);
}

ui::Handle MemoryPlatform::Attach(ui::Form& form) {
  form.SetView(this);
  if (form.hWnd() == 0) {
    form.SetHandle(nextHandle_);
    nextHandle_ += 0x10;
  }
  form.ReportScale(screen.info.twipsPerPixelX, screen.info.twipsPerPixelY);
  forms_.push_back(&form);
  for (auto& t : form.timers()) TimerChanged(*t);
  return form.hWnd();
}

void MemoryPlatform::Detach(ui::Form& form) {
  for (auto& t : form.timers()) due_.erase(t.get());
  window.windows.erase(&form);  // a window made for it later starts plain
  forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
  form.SetView(nullptr);
}

void MemoryPlatform::TimerChanged(ui::Timer& t) {
  if (t.enabled() && t.interval() > 0) due_[&t] = clock.ms() + t.interval();
  else due_.erase(&t);
}

void MemoryPlatform::RunFor(int64_t ms) {
  const int64_t end = clock.ms() + ms;
  for (;;) {
    // Earliest due timer; ties go to the one created first.
    ui::Timer* next = nullptr;
    int64_t due = end + 1;
    for (ui::Form* f : forms_)
      for (auto& t : f->timers())
        if (auto it = due_.find(t.get()); it != due_.end() && it->second < due) due = it->second, next = t.get();
    if (!next) break;
    clock.SetMs(due);
    due_[next] = due + next->interval();
    if (next->onTimer) next->onTimer();
  }
  clock.SetMs(end);
}

void MemoryPlatform::JumpTo(double dateTime) {
  const int64_t before = clock.ms();
  clock.SetValue(dateTime);
  // Window timers count elapsed time, not wall time: they keep their phase.
  for (auto& [t, due] : due_) due += clock.ms() - before;
}

void MemoryPlatform::UserResize(ui::Form& form, ui::Twips width, ui::Twips height) {
  auto snap = [](ui::Twips v, float tpp) { return static_cast<ui::Twips>(std::nearbyint(v / tpp) * tpp); };
  form.ReportGeometry(form.left(), form.top(), snap(width, form.twipsPerPixelX()), snap(height, form.twipsPerPixelY()));
}

}  // namespace qov::memory
