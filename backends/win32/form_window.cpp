#include "backends/win32/form_window.h"

#include "backends/win32/platform.h"
#include "backends/win32/resources.h"

namespace qov::win32 {

namespace {

constexpr UINT_PTR kFirstTimerId = 1;

ATOM RegisterFormClass(HINSTANCE instance, WNDPROC proc) {
  static ATOM atom = 0;
  if (atom) return atom;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  // Double clicks start the sizing mode; no redraw styles: every size
  // change repaints through the layout's own invalidation.
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, kMainIconName, IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                           GetSystemMetrics(SM_CYICON), LR_SHARED));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, kMainIconName, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.lpszClassName = kFormClassName;
  atom = RegisterClassExW(&wc);
  return atom;
}

int ButtonOf(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return MouseRouter::kLeft;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return MouseRouter::kRight;
    default:
      return MouseRouter::kMiddle;
  }
}

}  // namespace

FormWindow::FormWindow(Platform& platform, ui::Form& form, bool isMain)
    : platform_(platform), form_(&form), main_(isMain) {}

FormWindow::~FormWindow() {
  if (hwnd_) Destroy(false);
  ReleaseBackBuffer();
}

bool FormWindow::Create(HWND owner) {
  if (!RegisterFormClass(platform_.instance(), &WndProc)) return false;
  const PxRect r = FormRectPx(*form_);
  // No caption and no border; a tool window, so the clock has no taskbar
  // button of its own: the notification-area icon stands for it.
  CreateWindowExW(WS_EX_TOOLWINDOW, kFormClassName, Wide(form_->name()).c_str(), WS_POPUP | WS_CLIPCHILDREN, r.left,
                  r.top, r.right - r.left, r.bottom - r.top, owner, nullptr, platform_.instance(), this);
  if (!hwnd_) return false;
  *alive_ = true;
  form_->SetHandle(ToHandle(hwnd_));
  form_->SetView(this);

  // The model's twips become pixels at this monitor's DPI.
  dpi_ = WindowDpi(hwnd_);
  form_->ReportScale(TwipsPerPixel(dpi_), TwipsPerPixel(dpi_));
  GeometryChanged();
  UpdateBorder();

  CreateNatives();
  ScheduleNativeSync();
  SyncTimers();
  return true;
}

void FormWindow::Destroy(bool runUnload) {
  if (!hwnd_) return;
  runUnload_ = runUnload;
  DestroyWindow(hwnd_);
}

// ------------------------------------------------------------ message pump

LRESULT CALLBACK FormWindow::WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  FormWindow* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = h;
  } else {
    self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(h, msg, wp, lp);
  // The object outlives every message it is handling: the platform deletes
  // destroyed windows only when no handler of theirs is on the stack.
  ++self->depth_;
  const LRESULT r = self->OnMessage(msg, wp, lp);
  --self->depth_;
  return r;
}

LRESULT FormWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (main_) {
    if (msg == platform_.taskbarCreated() && msg != 0) platform_.tray().ShowAgain();
    if (msg == Win32TrayIcon::kCallbackMessage) {
      platform_.tray().Notify(lp);  // may close this window: nothing after it
      return 0;
    }
  }
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // PaintContent covers every pixel
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && OnSetCursor()) return TRUE;
      break;
    case WM_PAINT:
      return OnPaint();
    case WM_PRINTCLIENT: {
      RECT rc;
      GetClientRect(hwnd_, &rc);
      PaintContent(reinterpret_cast<HDC>(wp), rc);
      return 0;
    }
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_WINDOWPOSCHANGED: {
      const LRESULT r = DefWindowProcW(hwnd_, msg, wp, lp);  // sends WM_SIZE, WM_MOVE
      OnWindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(lp));
      return r;
    }
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lp));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_TIMER:
      OnTimer(wp);
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      OnMouse(msg, wp, lp);
      return 0;
    case WM_CAPTURECHANGED:
      router_.CaptureLost();
      return 0;
    case WM_COMMAND:
      if (lp) {
        OnCommand(wp, lp);
        return 0;
      }
      // Escape in a child control: IsDialogMessage's cancel.
      if (LOWORD(wp) == IDCANCEL && OnEscape()) return 0;
      break;
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE && OnEscape()) return 0;
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (LRESULT brush = OnCtlColor(msg, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp))) return brush;
      break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      InvalidateAll();
      break;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Logging off ends the process without WM_DESTROY: close properly
      // first so the unload handler stores what it stores at any close.
      if (wp && main_) Destroy(true);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy();
      return 0;
    default:
      if (msg == kMsgSyncNatives) {
        syncPosted_ = false;
        SyncNatives();
        return 0;
      }
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

// --------------------------------------------------------------- geometry

Scale FormWindow::scale() const {
  return form_ ? Scale{form_->twipsPerPixelX(), form_->twipsPerPixelY()} : Scale{};
}

PxRect FormWindow::ClientPx() const {
  RECT rc{};
  if (hwnd_) GetClientRect(hwnd_, &rc);
  return {0, 0, rc.right, rc.bottom};
}

void FormWindow::GeometryChanged() {
  if (!hwnd_ || destroying_ || !form_) return;
  const PxRect r = FormRectPx(*form_);
  const bool was = applying_;
  applying_ = true;
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  applying_ = was;
}

void FormWindow::OnWindowPosChanged(const WINDOWPOS& wp) {
  if (!form_ || destroying_) return;
  UpdateBorder();
  // Our own moves are echoes of the model; only the user's sizing, a DPI
  // move or the system's own placement is news to it.
  if (applying_ || ((wp.flags & SWP_NOSIZE) && (wp.flags & SWP_NOMOVE))) return;
  RECT wr;
  if (!GetWindowRect(hwnd_, &wr)) return;
  const PxRect actual{wr.left, wr.top, wr.right, wr.bottom};
  if (actual == FormRectPx(*form_)) return;
  const TwipsRect t = ToTwips(actual, scale());
  form_->ReportGeometry(t.left, t.top, t.width, t.height);
}

void FormWindow::UpdateBorder() {
  if (!hwnd_ || !form_) return;
  RECT wr, cr;
  if (!GetWindowRect(hwnd_, &wr) || !GetClientRect(hwnd_, &cr)) return;
  const Border b = BorderOf(wr.right - wr.left, wr.bottom - wr.top, cr.right, cr.bottom);
  if (b == border_) return;
  border_ = b;
  const Scale s = scale();
  form_->ReportBorder(static_cast<float>(b.x) * s.tppX, static_cast<float>(b.y) * s.tppY);
  InvalidateAll();
}

void FormWindow::OnSize() {
  // The client area changed: everything moves with the layout that follows.
  InvalidateAll();
  ScheduleNativeSync();
}

void FormWindow::OnGetMinMaxInfo(MINMAXINFO& mmi) {
  // The layout decides the size; the system's limits for sizable windows
  // (a minimum tracking size, the screen as maximum) would fight it.
  mmi.ptMinTrackSize = {8, 8};
  mmi.ptMaxTrackSize = {16384, 16384};
}

void FormWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  if (!form_ || dpi == 0) return;
  dpi_ = dpi;
  form_->ReportScale(TwipsPerPixel(dpi), TwipsPerPixel(dpi));
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateAll();
  ScheduleNativeSync();
}

// ------------------------------------------------------------ invalidation

void FormWindow::Invalidate(const PxRect& r) {
  if (!hwnd_ || r.empty()) return;
  const RECT rc{r.left, r.top, r.right, r.bottom};
  InvalidateRect(hwnd_, &rc, FALSE);
}

void FormWindow::InvalidateAll() {
  if (!hwnd_) return;
  InvalidateRect(hwnd_, nullptr, FALSE);
  if (form_) damage_.Reset(*form_, scale(), ClientPx());
}

void FormWindow::ControlChanged(ui::Control& c) {
  if (!hwnd_ || destroying_) return;
  cache_[&c].textStale = true;
  if (IsNative(c.kind())) {
    ScheduleNativeSync();
    return;
  }
  Invalidate(damage_.Changed(c, scale(), ClientPx()));
  if (IsContainer(c.kind())) ScheduleNativeSync();  // children follow their container
}

// ------------------------------------------------------------ visibility

void FormWindow::FormChanged() {
  SyncTimers();
  ApplyVisibility();
}

void FormWindow::ApplyVisibility() {
  if (!hwnd_ || destroying_ || !form_) return;
  // The alert's blink hides the window on odd ticks; it comes back without
  // taking the focus from whatever the user is doing. The first show does
  // activate: Wine makes only an activated caption-less popup a window the
  // window manager knows (on top, off the taskbar, dragged where it is put).
  const bool want = form_->visible() && form_->blink();
  const bool is = IsWindowVisible(hwnd_) != FALSE;
  if (want == is) return;
  if (want) {
    ShowWindow(hwnd_, shownOnce_ ? SW_SHOWNOACTIVATE : SW_SHOW);
    shownOnce_ = true;
  } else {
    ShowWindow(hwnd_, SW_HIDE);
  }
}

// ------------------------------------------------------------------ timers

void FormWindow::SyncTimers() {
  if (!hwnd_ || destroying_ || !form_) return;
  const auto& timers = form_->timers();
  if (timers_.size() < timers.size()) timers_.resize(timers.size());
  for (size_t i = 0; i < timers.size(); ++i) {
    switch (PlanTimer(*timers[i], timers_[i])) {
      case TimerAction::kSet:
        SetTimer(hwnd_, kFirstTimerId + i, static_cast<UINT>(timers[i]->interval()), nullptr);
        break;
      case TimerAction::kKill:
        KillTimer(hwnd_, kFirstTimerId + i);
        break;
      case TimerAction::kNone:
        break;
    }
  }
}

void FormWindow::TimerChanged(ui::Timer&) { SyncTimers(); }

void FormWindow::OnTimer(UINT_PTR id) {
  if (!form_ || id < kFirstTimerId) return;
  const size_t i = id - kFirstTimerId;
  const auto& timers = form_->timers();
  if (i >= timers.size() || i >= timers_.size()) return;
  ui::Timer& t = *timers[i];
  if (!ShouldFire(t, timers_[i]) || !t.onTimer) return;
  ui::Handler tick = t.onTimer;
  tick();
}

// ------------------------------------------------------------------- mouse

// A control that asks for the hand (a link) gets it; elsewhere the class's
// arrow stays.
bool FormWindow::OnSetCursor() {
  if (!form_) return false;
  POINT pt{};
  if (!GetCursorPos(&pt) || !ScreenToClient(hwnd_, &pt)) return false;
  const Hit hit = HitTest(*form_, pt.x, pt.y, scale());
  if (!hit.control || hit.control->cursor() != ui::Cursor::Hand) return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}

void FormWindow::OnMouse(UINT msg, WPARAM wp, LPARAM lp) {
  if (!form_) return;
  // Signed: with the capture held the pointer may be left of or above us.
  const int px = static_cast<short>(LOWORD(lp)), py = static_cast<short>(HIWORD(lp));
  const int held = ((wp & MK_LBUTTON) ? MouseRouter::kLeft : 0) | ((wp & MK_RBUTTON) ? MouseRouter::kRight : 0) |
                   ((wp & MK_MBUTTON) ? MouseRouter::kMiddle : 0);
  const int shift = ((wp & MK_SHIFT) ? 1 : 0) | ((wp & MK_CONTROL) ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
  const Scale s = scale();
  ui::Form& f = *form_;
  // A handler may close this window (the about box closes on a click).
  const std::shared_ptr<bool> alive = alive_;
  bool keep = false;
  switch (msg) {
    case WM_MOUSEMOVE:
      router_.Move(f, held, shift, px, py, s);
      return;
    case WM_LBUTTONDBLCLK:
      SetCapture(hwnd_);
      keep = router_.DoubleClick(f, shift, px, py, s);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDBLCLK:  // no double-click event for these buttons
    case WM_MBUTTONDBLCLK:
      // Captured before the handler runs, so that a menu it opens takes the
      // capture from us and the press is forgotten.
      SetCapture(hwnd_);
      keep = router_.Down(f, ButtonOf(msg), shift, px, py, s);
      break;
    default:  // button up
      keep = router_.Up(f, ButtonOf(msg), held, shift, px, py, s);
      break;
  }
  if (*alive && !keep && GetCapture() == hwnd_) ReleaseCapture();
}

// ---------------------------------------------------------------- lifetime

void FormWindow::OnDestroy() {
  destroying_ = true;
  for (size_t i = 0; i < timers_.size(); ++i)
    if (timers_[i].armed) KillTimer(hwnd_, kFirstTimerId + i);
  timers_.clear();
  if (modalOwner_ && IsWindow(modalOwner_)) EnableWindow(modalOwner_, TRUE);
  if (GetCapture() == hwnd_) ReleaseCapture();
  if (form_ && runUnload_ && !unloaded_) {
    unloaded_ = true;
    if (form_->onUnload) {
      ui::Handler unload = form_->onUnload;
      unload();
    }
  }
  if (form_) form_->Hide();
  if (main_) {
    // The icon belongs to this window: it goes with it, also where no
    // unload handler removed it (a discarded copy, a failed start).
    platform_.tray().Remove();
    PostQuitMessage(0);
  }
}

void FormWindow::OnNcDestroy() {
  *alive_ = false;
  natives_.clear();
  ReleaseBackBuffer();
  pictureDc_.reset();
  cache_.clear();
  damage_.Clear();
  if (form_) {
    if (form_->view() == this) form_->SetView(nullptr);
    form_->SetHandle(0);
    form_ = nullptr;
  }
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
}

}  // namespace qov::win32
