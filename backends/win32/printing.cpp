// Files the user asks for: the save dialog, whole-file writes, and the
// printable page handed to the browser.
#include <algorithm>
#include <cstdio>

#include "backends/win32/file_dialog.h"
#include "backends/win32/services.h"
#include "backends/win32/win.h"

namespace qov::win32 {
namespace {

// Writes beside the target and renames it into place, so a reader never
// sees half a file and a failure leaves the old one as it was.
bool WriteWhole(const std::wstring& path, const std::string& bytes) {
  wchar_t tag[24];
  std::swprintf(tag, 24, L".%08lx.tmp", static_cast<unsigned long>(GetTickCount() ^ GetCurrentProcessId()));
  const std::wstring temp = path + tag;
  {
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    AutoHandle file(h);
    size_t done = 0;
    while (done < bytes.size()) {
      const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
      DWORD wrote = 0;
      if (!WriteFile(file.get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) break;
      done += wrote;
    }
    if (done != bytes.size()) {
      file.reset();
      DeleteFileW(temp.c_str());
      return false;
    }
  }
  if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileW(temp.c_str());
  return false;
}

}  // namespace

std::optional<std::string> SystemDialogs::SaveFile(ui::Form& owner, const std::string& title,
                                                   const std::string& suggested, const FileKind& kind) {
  const std::wstring ext = Wide(kind.extension);
  // "Kalender (*.ics)\0*.ics\0"
  std::wstring filter = Wide(kind.description) + L" (*." + ext + L")";
  filter.push_back(L'\0');
  filter += L"*." + ext;
  filter.push_back(L'\0');
  FileDialog dialog(owner, Wide(suggested), std::move(filter), Wide(title));
  dialog.ofn.lpstrDefExt = ext.c_str();
  dialog.ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (!GetSaveFileNameW(&dialog.ofn)) return std::nullopt;
  return dialog.Chosen();
}

bool SystemFiles::WriteAll(const std::string& path, const std::string& bytes) { return WriteWhole(Wide(path), bytes); }

bool BrowserPrinter::Print(ui::Form&, const std::string& html) {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
  if (n == 0 || n > MAX_PATH) return false;
  // One name, replaced at each print: the folder does not fill with pages.
  const std::wstring path = std::wstring(folder) + L"qov-jadwal.html";
  if (!WriteWhole(path, html)) return false;
  return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

}  // namespace qov::win32
