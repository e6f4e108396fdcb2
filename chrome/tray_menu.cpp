#include "chrome/tray_menu.h"

namespace qov {

void TrayMenu::Show() {
  tray_.SetMenu(clock_.menu(), [this] { menu_.PrepareForTray(); });
  menu_.OfferExitOnWindow(!tray_.Show("QOV Clock", [this](TrayIcon::Click c) { OnClick(c); }));
}

void TrayMenu::Remove() { tray_.Remove(); }

void TrayMenu::OnClick(TrayIcon::Click click) {
  if (click == TrayIcon::Click::kDoubleLeft) clock_.Show();
  else menu_.OpenFromTray();
}

}  // namespace qov
