// Placeholder: tray icon, hook, colours and about box.
#include "app/clockface.h"
#include "chrome/about.h"
#include "chrome/cls_tray_icon.h"

namespace qov {

ClsTrayIcon::ClsTrayIcon(Tray& tray) : tray_(tray) {}
ClsTrayIcon::~ClsTrayIcon() = default;
int32_t ClsTrayIcon::trayDelete() { return 0; }
FrmAbout::~FrmAbout() = default;
void ClockFace::CreateTrayIcon() {}
void ClockFace::HookWindow(ui::Handle) {}
void ClockFace::UnhookWindow() {}
intptr_t ClockFace::WindowProc(ui::Handle, uint32_t, uintptr_t, intptr_t) { return 0; }
void ClockFace::mJam_Click() {}
void ClockFace::MMenit_Click() {}
void ClockFace::mDetik_Click() {}
void ClockFace::mAbout_Click() {}
void ClockFace::mQOV_Click() {}

}  // namespace qov
