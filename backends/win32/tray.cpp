#include "backends/win32/tray.h"

#include <cwchar>
#include <iterator>

#include "backends/win32/resources.h"

namespace qov::win32 {

bool Win32TrayIcon::Call(DWORD message) {
  if (!window_ || !IsWindow(window_)) return false;
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof(nid);
  nid.hWnd = window_;
  nid.uID = kId;
  if (message != NIM_DELETE) {
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = kCallbackMessage;
    nid.hIcon = icon_.get();
    wcsncpy(nid.szTip, tip_.c_str(), std::size(nid.szTip) - 1);
  }
  return Shell_NotifyIconW(message, &nid) != FALSE;
}

bool Win32TrayIcon::Show(const std::string& tip, std::function<void(Click)> onClick) {
  if (!icon_) {
    icon_.reset(static_cast<HICON>(LoadImageW(instance_, kMainIconName, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
  }
  tip_ = Wide(TipText(tip));
  onClick_ = std::move(onClick);
  if (!window_ || !IsWindow(window_)) window_ = owner_ ? owner_() : nullptr;
  wanted_ = true;
  // Shown already (or added by a call that reported a timeout): the tip is
  // changed in place instead.
  return Call(NIM_ADD) || Call(NIM_MODIFY);
}

void Win32TrayIcon::SetTip(const std::string& tip) {
  tip_ = Wide(TipText(tip));
  if (wanted_) Call(NIM_MODIFY);
}

void Win32TrayIcon::Remove() {
  if (!wanted_) return;
  wanted_ = false;
  Call(NIM_DELETE);
  window_ = nullptr;
  // onClick_ stays: Remove may run inside it (the menu's Exit).
}

void Win32TrayIcon::ShowMessage(const std::string& title, const std::string& text) {
  if (!wanted_) return;
  if (!window_ || !IsWindow(window_)) window_ = owner_ ? owner_() : nullptr;
  if (!window_) return;
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof(nid);
  nid.hWnd = window_;
  nid.uID = kId;
  // A balloon; Windows 10 and 11 show it as a toast.
  nid.uFlags = NIF_INFO;
  nid.dwInfoFlags = NIIF_INFO;
  wcsncpy(nid.szInfoTitle, Wide(title).c_str(), std::size(nid.szInfoTitle) - 1);
  wcsncpy(nid.szInfo, Wide(text).c_str(), std::size(nid.szInfo) - 1);
  Shell_NotifyIconW(NIM_MODIFY, &nid);
  // Also to a debugger's log (DebugView; Wine's warn+seh channel): a
  // notification the desktop hides or drops can still be read there.
  OutputDebugStringW(Wide(title + ": " + text + "\n").c_str());
}

void Win32TrayIcon::ShowAgain() {
  if (!wanted_) return;
  if (!window_ || !IsWindow(window_)) window_ = owner_ ? owner_() : nullptr;
  Call(NIM_ADD);
}

void Win32TrayIcon::Notify(LPARAM lParam) {
  if (!wanted_ || !onClick_) return;
  Click click;
  switch (LOWORD(lParam)) {
    case WM_LBUTTONDBLCLK:
      click = Click::kDoubleLeft;
      break;
    case WM_RBUTTONDOWN:
      click = Click::kRight;
      break;
    default:
      return;
  }
  // A copy: the handler may replace or drop the callback while it runs.
  const std::function<void(Click)> handler = onClick_;
  handler(click);
}

}  // namespace qov::win32
