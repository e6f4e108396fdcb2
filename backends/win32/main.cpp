// The Windows program: per-monitor DPI awareness, the shell's ID for it,
// COM and GDI+ for the
// shell and the anti-aliased hands, the back end, the clock window, and the
// message loop.
#include "backends/win32/win.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <objbase.h>
#include <shobjidl.h>

#include "app/clock_app.h"
#include "backends/win32/platform.h"

namespace {

void EnableDpiAwareness() {
  using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  const auto setContext = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  if (setContext) {
    if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return;
    // Already set, by the manifest: nothing more to do.
    if (GetLastError() == ERROR_ACCESS_DENIED) return;
  }
  SetProcessDPIAware();
}

// Before any window or tray icon: the shell ties the taskbar, pinning and
// the notifications (toasts on Windows 10 and 11) to this ID, and matches it
// with the one the installer wrote into the Start-menu shortcut.
void TakeAppUserModelId() { SetCurrentProcessExplicitAppUserModelID(QOV_APP_USER_MODEL_ID); }

class ComSession {
 public:
  ComSession() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComSession() {
    if (ok_) CoUninitialize();
  }
  ComSession(const ComSession&) = delete;
  ComSession& operator=(const ComSession&) = delete;

 private:
  bool ok_;
};

class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
  }
  ~GdiplusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  EnableDpiAwareness();
  TakeAppUserModelId();
  ComSession com;
  GdiplusSession gdiplus;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  // Declared before the clock: the services and the windows outlive the
  // form they show.
  qov::win32::Platform platform(instance);
  int code = 0;
  {
    qov::ClockApp clock(platform.services);
    if (!platform.AttachMain(clock.form())) return 1;
    if (!clock.Start()) {
      // A second copy: it leaves no window, icon or setting behind.
      platform.Discard();
      return 0;
    }
    code = platform.RunMessageLoop();
    platform.Shutdown();
  }
  return code;
}
