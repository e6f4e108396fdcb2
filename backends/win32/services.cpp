#include "backends/win32/services.h"

#include <cmath>
#include <vector>

#include "engine/datetime.h"
#include "backends/common/reg_value.h"
#include "backends/win32/form_window.h"

namespace qov::win32 {

namespace {

std::wstring KeyPath(const std::string& section) { return L"Software\\QOVClock\\" + Wide(section); }

// The running program's full path; empty when the system will not say.
std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

}  // namespace

UINT WindowDpi(HWND w) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (w && getDpi) {
    if (UINT dpi = getDpi(w)) return dpi;
  }
  ScopedGetDc dc(nullptr);
  const int dpi = dc.get() ? GetDeviceCaps(dc.get(), LOGPIXELSX) : 96;
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// ---------------------------------------------------------------- registry

std::string RegistrySettings::Get(const std::string& section, const std::string& key) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
    return {};
  AutoKey k(raw);
  const std::wstring name = Wide(key);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  if (size > SettingsStore::kMaxValueBytes) return {};
  std::vector<uint8_t> buf(size + 2);
  DWORD got = size;
  // A value that grew between the two calls reads ERROR_MORE_DATA: treated
  // as missing rather than read half.
  if (RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, buf.data(), &got) != ERROR_SUCCESS) return {};
  return DecodeRegString(type, buf.data(), got);
}

bool RegistrySettings::Save(const std::string& section, const std::string& key, const std::string& value) {
  const std::wstring data = Wide(value);
  const size_t bytes = (data.size() + 1) * sizeof(wchar_t);
  // Never store what Get would refuse to read back.
  if (bytes > SettingsStore::kMaxValueBytes) return false;
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                      nullptr) != ERROR_SUCCESS)
    return false;
  AutoKey k(raw);
  return RegSetValueExW(k.get(), Wide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

// ------------------------------------------------------------ clock, locale

double LocalClock::Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return DateTimeFromLocal(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

double LocalClock::UtcOffsetAt(double utcDateTime) {
  // Windows' own rules for the zone the user chose, summer time included:
  // the local time it gives for that instant, less the instant.
  if (!(utcDateTime > 0 && utcDateTime < 2958466)) return 0;
  const CivilDate d = DateOf(utcDateTime);
  const TimeOfDay t = TimeOf(utcDateTime);
  SYSTEMTIME utc{};
  utc.wYear = static_cast<WORD>(d.year);
  utc.wMonth = static_cast<WORD>(d.month);
  utc.wDay = static_cast<WORD>(d.day);
  utc.wHour = static_cast<WORD>(t.hour);
  utc.wMinute = static_cast<WORD>(t.minute);
  SYSTEMTIME local{};
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return 0;
  const double localValue = DateTimeFromLocal(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, 0, 0);
  const double utcValue = DateTimeFromLocal(utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, 0, 0);
  // Zones are whole quarter hours.
  return std::round((localValue - utcValue) * 96) / 4;
}

std::string UserLocale::LongTime(double dateTime) {
  const CivilDate d = DateOf(dateTime);
  const TimeOfDay t = TimeOf(dateTime);
  SYSTEMTIME st{};
  // The date fields only need to be plausible; the time format ignores them.
  st.wYear = static_cast<WORD>(d.year >= 1601 && d.year <= 30827 ? d.year : 2000);
  st.wMonth = static_cast<WORD>(d.month >= 1 && d.month <= 12 ? d.month : 1);
  st.wDay = static_cast<WORD>(d.day >= 1 && d.day <= 31 ? d.day : 1);
  if (t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60) {
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    wchar_t buf[128];
    const int n = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, buf, 128);
    if (n > 1) return Narrow(std::wstring_view(buf, static_cast<size_t>(n - 1)));
  }
  return FormatHHMMSS(dateTime);
}

std::string UserLocale::MonthName(int month) {
  if (month < 1 || month > 12) return {};
  wchar_t buf[96];
  const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + month - 1), buf, 96);
  return n > 1 ? Narrow(std::wstring_view(buf, static_cast<size_t>(n - 1))) : std::string();
}

// ------------------------------------------------------------------ screen

ScreenInfo MonitorScreen::Info() {
  HWND w = mainWindow_ ? mainWindow_() : nullptr;
  HMONITOR mon = w ? MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST) : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (mon && GetMonitorInfoW(mon, &mi)) work = mi.rcWork;
  const float tpp = TwipsPerPixel(WindowDpi(w));
  ScreenInfo info;
  // The logic treats the width as the right edge ("near the top right
  // corner"), so the edge's coordinate is given, which is the same on the
  // primary monitor and right on the others.
  info.width = static_cast<ui::Twips>(work.right) * tpp;
  info.height = static_cast<ui::Twips>(work.bottom) * tpp;
  info.left = static_cast<ui::Twips>(work.left) * tpp;
  info.top = static_cast<ui::Twips>(work.top) * tpp;
  info.twipsPerPixelX = tpp;
  info.twipsPerPixelY = tpp;
  return info;
}

// --------------------------------------------------------- single instance

bool MutexInstanceLock::AnotherRunning() {
  if (asked_) return another_;
  asked_ = true;
  HANDLE h = CreateMutexW(nullptr, FALSE, L"Local\\QOVClock.SingleInstance");
  const DWORD err = GetLastError();
  if (!h) {
    // Denied: another user's copy in this session holds it. Any other
    // failure: better to run than to refuse for no reason.
    another_ = err == ERROR_ACCESS_DENIED;
    return another_;
  }
  if (err == ERROR_ALREADY_EXISTS) {
    CloseHandle(h);
    another_ = true;
    return true;
  }
  mutex_.reset(h);
  return false;
}

namespace {

struct RunningCopy {
  std::wstring title;
  HWND found = nullptr;
};

BOOL CALLBACK FindRunningCopy(HWND w, LPARAM param) {
  auto& copy = *reinterpret_cast<RunningCopy*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[64] = {}, title[64] = {};
  // This copy has a hidden window of the same name already.
  if (pid == GetCurrentProcessId() || !GetClassNameW(w, cls, 64) || wcscmp(cls, kFormClassName) != 0) return TRUE;
  GetWindowTextW(w, title, 64);
  if (copy.title != title) return TRUE;
  copy.found = w;
  return FALSE;
}

}  // namespace

void MutexInstanceLock::BringRunningForward(const std::string& title) {
  if (!another_) return;
  RunningCopy copy{Wide(title)};
  EnumWindows(FindRunningCopy, reinterpret_cast<LPARAM>(&copy));
  // Over the other windows of its band (a topmost clock stays topmost).
  if (copy.found) SetWindowPos(copy.found, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ----------------------------------------------------------------- dialogs

void SystemDialogs::MessageBox(const std::string& text, const std::string& caption) {
  MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(), MB_ICONINFORMATION | MB_OK | MB_SETFOREGROUND);
}

bool SystemDialogs::ChooseColor(ui::Form& owner, ui::Color* result) {
  COLORREF custom[16] = {};  // sixteen black custom colours every time
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof(cc);
  HWND ownerWindow = ToHwnd(owner.hWnd());
  cc.hwndOwner = ownerWindow && IsWindow(ownerWindow) ? ownerWindow : nullptr;
  cc.lpCustColors = custom;
  cc.Flags = 0;
  if (!ChooseColorW(&cc)) return false;
  if (result) *result = static_cast<ui::Color>(cc.rgbResult & 0xFFFFFF);
  return true;
}

// ------------------------------------------------------------------- shell

void SystemShell::Open(const std::string& link) {
  ShellExecuteW(nullptr, nullptr, Wide(link).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// ------------------------------------------------------------------- files

std::string SystemFiles::BesideProgram(const std::string& name) {
  const std::wstring path = ProgramPath();
  if (path.empty()) return {};
  std::string folder = Narrow(FolderOf(path));
  // At a drive's root the folder already ends in a separator.
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder + name;
}

std::optional<std::string> SystemFiles::ReadAll(const std::string& path, size_t maxBytes) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  AutoHandle file(h);
  std::string out;
  char buf[16384];
  while (out.size() < maxBytes) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(sizeof(buf), maxBytes - out.size()));
    DWORD got = 0;
    if (!ReadFile(file.get(), buf, want, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    out.append(buf, got);
  }
  return out;
}

// ------------------------------------------------------------ login start

namespace {

// The value and command of the installer's option "start at sign-in".
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kApprovedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr wchar_t kRunValue[] = L"QOVClock";

// Whether `root`'s Run key has our value and Task Manager has not disabled
// it: its "Disable" keeps the value and marks it in StartupApproved with an
// odd first byte.
bool RunsFrom(HKEY root) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(root, kRunKey, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return false;
  AutoKey run(raw);
  if (RegQueryValueExW(run.get(), kRunValue, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return false;
  if (RegOpenKeyExW(root, kApprovedKey, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return true;
  AutoKey approved(raw);
  BYTE mark[12] = {};
  DWORD type = 0, size = sizeof(mark);
  if (RegQueryValueExW(approved.get(), kRunValue, nullptr, &type, mark, &size) != ERROR_SUCCESS) return true;
  return type != REG_BINARY || size == 0 || (mark[0] & 1) == 0;
}

}  // namespace

bool RunAtSignIn::IsEnabled() { return RunsFrom(HKEY_CURRENT_USER) || RunsFrom(HKEY_LOCAL_MACHINE); }

// Only the user's own entry is touched: an all-users installation's entry is
// the administrator's, and a second entry beside it would start a second
// copy that is refused at every sign-in.
bool RunAtSignIn::Enable(bool on) {
  if (on && !IsEnabled()) {
    const std::wstring path = ProgramPath();
    if (path.empty()) return false;
    const std::wstring command = L"\"" + path + L"\"";
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
      return false;
    AutoKey run(raw);
    RegSetValueExW(run.get(), kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    // Asked again from the menu, it is meant: Task Manager's old "Disable" goes.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kApprovedKey, kRunValue);
  } else if (!on) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
  }
  return IsEnabled() == on;
}

}  // namespace qov::win32
