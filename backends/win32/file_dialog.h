// What the open and save dialogs share: the owner, the filter, the name
// preselected in a buffer long enough for any path, the title, and the
// working folder left where it was whatever the user browses.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "backends/win32/win.h"

namespace qov::win32 {

class FileDialog {
 public:
  // filter: pairs of description and pattern, each ended by '\0'.
  FileDialog(ui::Form& owner, std::wstring_view name, std::wstring filter, std::wstring title)
      : file_(32768, L'\0'), filter_(std::move(filter)), title_(std::move(title)) {
    std::copy_n(name.begin(), std::min(name.size(), file_.size() - 1), file_.begin());
    filter_.push_back(L'\0');  // the list ends in an empty pair
    ofn.lStructSize = sizeof(ofn);
    HWND ownerWindow = ToHwnd(owner.hWnd());
    ofn.hwndOwner = ownerWindow && IsWindow(ownerWindow) ? ownerWindow : nullptr;
    ofn.lpstrFilter = filter_.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file_.data();
    ofn.nMaxFile = static_cast<DWORD>(file_.size());
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
  }
  FileDialog(const FileDialog&) = delete;
  FileDialog& operator=(const FileDialog&) = delete;

  // The path the user chose, after GetOpenFileNameW or GetSaveFileNameW
  // answered yes.
  std::string Chosen() const { return Narrow(std::wstring_view(file_.c_str())); }

  OPENFILENAMEW ofn{};

 private:
  std::wstring file_, filter_, title_;
};

}  // namespace qov::win32
