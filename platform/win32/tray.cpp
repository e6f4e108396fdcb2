#include "platform/win32/tray.h"

#include <cwchar>

#include "platform/win32/resources.h"

namespace qov::win32 {

HICON Win32Tray::IconFor(const std::string& id) {
  auto it = icons_.find(id);
  if (it != icons_.end()) return it->second.get();
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  auto load = [&](const wchar_t* name) {
    return static_cast<HICON>(LoadImageW(instance_, name, IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
  };
  // An id the resources do not hold shows the program's icon.
  HICON icon = id.empty() ? nullptr : load(Wide(id).c_str());
  if (!icon) icon = load(kMainIconName);
  return icons_.emplace(id, AutoIcon(icon)).first->second.get();
}

int Win32Tray::Call(DWORD message, const TrayIconData& data) {
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof(nid);
  nid.hWnd = ToHwnd(data.hWnd);
  nid.uID = data.uID;
  nid.uFlags = data.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
  nid.uCallbackMessage = data.uCallbackMessage;
  if (nid.uFlags & NIF_ICON) nid.hIcon = IconFor(data.iconId);
  if (nid.uFlags & NIF_TIP) {
    const std::wstring tip = Wide(TipText(data.tip));
    wcsncpy(nid.szTip, tip.c_str(), std::size(nid.szTip) - 1);
  }
  return Shell_NotifyIconW(message, &nid) ? 1 : 0;
}

int Win32Tray::NotifyIcon(Op op, const TrayIconData& data) {
  const auto key = std::make_pair(data.hWnd, data.uID);
  switch (op) {
    case kAdd:
      // Kept even when the add failed: a taskbar that starts later announces
      // itself, and the icon then appears.
      held_[key] = data;
      return Call(NIM_ADD, data);
    case kModify: {
      const int r = Call(NIM_MODIFY, data);
      if (r) held_[key] = data;
      return r;
    }
    case kDelete:
      held_.erase(key);
      return Call(NIM_DELETE, data);
  }
  return 0;
}

void Win32Tray::AddAgain() {
  for (auto& [key, data] : held_) {
    if (!IsWindow(ToHwnd(data.hWnd))) continue;
    Call(NIM_ADD, data);
  }
}

}  // namespace qov::win32
