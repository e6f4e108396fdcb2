// The notification-area icon and the hook on the clock window that receives
// the icon's mouse messages.
#include "app/clockface.h"
#include "chrome/cls_tray_icon.h"

namespace qov {

namespace {
// Mouse messages the icon reports in lParam.
constexpr intptr_t WM_LBUTTONDBLCLK = 0x203;
constexpr intptr_t WM_RBUTTONDOWN = 0x204;
// Resource id the back ends map to the program's icon.
constexpr const char* kMainIcon = "MAINICON";
}  // namespace

ClsTrayIcon::ClsTrayIcon(Tray& tray) : tray_(tray) {}

ClsTrayIcon::~ClsTrayIcon() {
  icon_.clear();
  // After the unload handler's removal this finds no icon and does nothing.
  trayDelete();
}

void ClsTrayIcon::SetToolTip(const std::string& text) {
  // The platform's field holds 63 characters and the terminator.
  std::string field = text.substr(0, kTipField - 1);
  field.push_back('\0');
  field.resize(kTipField, ' ');
  tip_ = std::move(field);
}

void ClsTrayIcon::Fill() {
  record_ = TrayIconData{};
  record_.hWnd = parent_;
  record_.uID = TRAY_ID;
  record_.uFlags = NIF_MESSAGE_ICON_TIP;
  record_.uCallbackMessage = TRAY_CALLBACK;
  record_.iconId = icon_;
  record_.tip = tip_;
}

int32_t ClsTrayIcon::trayCreate() {
  Fill();
  return tray_.NotifyIcon(Tray::kAdd, record_);
}

int32_t ClsTrayIcon::trayModify() {
  Fill();
  return tray_.NotifyIcon(Tray::kModify, record_);
}

// The platform finds the icon by window and id, so the record as it was last
// filled removes it even if the properties changed since.
int32_t ClsTrayIcon::trayDelete() { return tray_.NotifyIcon(Tray::kDelete, record_); }

void ClockFace::CreateTrayIcon() {
  trayIcon = std::make_unique<ClsTrayIcon>(*svc_.tray);
  trayIcon->SetIcon(kMainIcon);
  trayIcon->SetToolTip("QOV Clock");
  trayIcon->SetParentHandle(form_.hWnd());
  // Without a notification area the clock simply runs without an icon.
  trayIcon->trayCreate();
}

void ClockFace::HookWindow(ui::Handle hWnd) {
  UnhookWindow();
  oldWindowProc = svc_.window->SubclassWindow(
      hWnd, [this](ui::Handle h, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
        return WindowProc(h, msg, wParam, lParam);
      });
}

// oldWindowProc keeps its value: a message already on its way through the
// hook still reaches the previous procedure.
void ClockFace::UnhookWindow() {
  if (oldWindowProc != 0) svc_.window->RestoreWindowProc(form_.hWnd(), oldWindowProc);
}

intptr_t ClockFace::WindowProc(ui::Handle hWnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
  if (hWnd == form_.hWnd() && uMsg == ClsTrayIcon::TRAY_CALLBACK) {
    if (lParam == WM_LBUTTONDBLCLK) {
      form_.Show();
    } else if (lParam == WM_RBUTTONDOWN) {
      // Only the menu opened from the icon offers "Exit"; a right click on
      // the window hides it again.
      mExit->visible = true;
      PopupContextMenu();
    }
  }
  // The window keeps its own handling of every message, these included.
  return svc_.window->CallWindowProc(oldWindowProc, hWnd, uMsg, wParam, lParam);
}

}  // namespace qov
