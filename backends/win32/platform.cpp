#include "backends/win32/platform.h"

#include <algorithm>

#include "backends/common/menu_plan.h"
#include "backends/win32/form_window.h"

namespace qov::win32 {

Platform::Platform(HINSTANCE instance)
    : instance_(instance),
      screen_([this] { return mainWindow(); }),
      tray_(instance, [this] { return mainWindow(); }),
      gdi_(instance) {
  services.settings = &settings_;
  services.clock = &clock_;
  services.locale = &locale_;
  services.screen = &screen_;
  services.instance = &instanceLock_;
  services.dialogs = &dialogs_;
  services.window = &windowService_;
  services.sound = &sound_;
  services.shell = &shell_;
  services.tray = &tray_;
  services.windows = this;
  services.files = &files_;
  services.loginStart = &loginStart_;
  services.printer = &printer_;
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

Platform::~Platform() {
  Discard();
  windows_.clear();
}

HWND Platform::mainWindow() const {
  for (const auto& w : windows_)
    if (w->isMain() && w->hwnd()) return w->hwnd();
  return nullptr;
}

FormWindow* Platform::Find(const ui::Form& form) const {
  for (const auto& w : windows_)
    if (w->form() == &form && w->hwnd()) return w.get();
  return nullptr;
}

FormWindow* Platform::Create(ui::Form& form, bool isMain, HWND owner) {
  auto w = std::make_unique<FormWindow>(*this, form, isMain);
  if (!w->Create(owner)) return nullptr;
  windows_.push_back(std::move(w));
  return windows_.back().get();
}

bool Platform::AttachMain(ui::Form& form) { return Create(form, true, nullptr) != nullptr; }

void Platform::Discard() {
  for (auto& w : windows_)
    if (w->hwnd()) w->Destroy(false);
  Reap();
}

void Platform::Shutdown() {
  // Windows still open when the loop ended close as any close would.
  for (auto& w : windows_)
    if (w->hwnd()) w->Destroy(true);
  Reap();
}

void Platform::Reap() {
  windows_.erase(std::remove_if(windows_.begin(), windows_.end(), [](const auto& w) { return w->reapable(); }),
                 windows_.end());
}

namespace {

// Tab, the arrow keys and the like move between the location dialog's
// boxes and buttons, as in any dialog, while one of them has the keyboard.
void Dispatch(MSG& msg) {
  if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
    HWND focus = GetFocus();
    HWND top = focus ? GetAncestor(focus, GA_ROOT) : nullptr;
    if (top && top != focus && IsDialogMessageW(top, &msg)) return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

int Platform::RunMessageLoop() {
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 1;
    Dispatch(msg);
    Reap();
  }
}

void Platform::PopupMenu(ui::Form& owner, ui::MenuItem& menu) {
  const MenuPlan plan = PlanMenu(menu);
  if (plan.steps.empty()) return;
  HWND ownerWindow = ToHwnd(owner.hWnd());
  if (!ownerWindow || !IsWindow(ownerWindow)) ownerWindow = mainWindow();
  if (!ownerWindow) return;

  AutoMenu root(CreatePopupMenu());
  if (!root) return;
  std::vector<HMENU> open{root.get()};
  for (const MenuStep& step : plan.steps) {
    HMENU into = open.back();
    const UINT grayed = step.enabled ? 0 : MF_GRAYED;
    switch (step.type) {
      case MenuStep::kItem:
        AppendMenuW(into, MF_STRING | grayed | (step.checked ? MF_CHECKED : 0), step.id, Wide(step.caption).c_str());
        break;
      case MenuStep::kSeparator:
        AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
        break;
      case MenuStep::kBeginSubmenu: {
        AutoMenu sub(CreatePopupMenu());
        if (sub && AppendMenuW(into, MF_POPUP | grayed, reinterpret_cast<UINT_PTR>(sub.get()),
                               Wide(step.caption).c_str())) {
          open.push_back(sub.release());  // owned by its parent from now on
        } else {
          open.push_back(into);  // its items land one level up rather than nowhere
        }
        break;
      }
      case MenuStep::kEndSubmenu:
        if (open.size() > 1) open.pop_back();
        break;
    }
  }

  // The menu closes when the user clicks elsewhere only if its owner is the
  // foreground window; the WM_NULL afterwards lets a menu opened from the
  // notification area close properly.
  SetForegroundWindow(ownerWindow);
  POINT at{0, 0};
  GetCursorPos(&at);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(root.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                       at.x, at.y, 0, ownerWindow, nullptr));
  PostMessageW(ownerWindow, WM_NULL, 0, 0);
  root.reset();

  ui::MenuItem* item = plan.Find(chosen);
  if (item && item->visible && item->enabled && item->onClick) {
    ui::Handler click = item->onClick;
    click();
  }
}

void Platform::ShowModal(ui::Form& form, ui::Form& owner) {
  HWND ownerWindow = ToHwnd(owner.hWnd());
  if (ownerWindow && !IsWindow(ownerWindow)) ownerWindow = nullptr;
  FormWindow* w = Find(form);
  const bool created = w == nullptr;
  if (created) w = Create(form, false, ownerWindow ? ownerWindow : mainWindow());
  if (!w) return;
  const std::shared_ptr<const bool> alive = w->alive();
  if (created && form.onLoad) {
    ui::Handler load = form.onLoad;
    load();
  }
  if (!*alive) return;  // closed while loading
  w->SetModalOwner(ownerWindow);
  form.Show();
  if (ownerWindow) EnableWindow(ownerWindow, FALSE);

  // The owner takes no input meanwhile, but its timers keep running: this
  // loop dispatches everything, as the main loop does.
  MSG msg;
  while (*alive) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
      break;
    }
    if (got == -1) break;
    Dispatch(msg);
    Reap();
  }
  if (ownerWindow && IsWindow(ownerWindow)) EnableWindow(ownerWindow, TRUE);
}

void Platform::Close(ui::Form& form) {
  if (FormWindow* w = Find(form)) {
    w->Destroy(true);  // WM_DESTROY raises onUnload
    return;
  }
  // A form without a window closes all the same.
  if (form.onUnload) {
    ui::Handler unload = form.onUnload;
    unload();
  }
  form.Hide();
}

}  // namespace qov::win32
