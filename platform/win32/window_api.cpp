#include "platform/win32/window_api.h"

namespace qov::win32 {

Win32WindowApi* Win32WindowApi::instance_ = nullptr;

Win32WindowApi::Win32WindowApi() { instance_ = this; }

Win32WindowApi::~Win32WindowApi() {
  // Windows still hooked fall back to the default procedure rather than
  // calling into a destroyed object.
  if (instance_ == this) instance_ = nullptr;
}

int32_t Win32WindowApi::GetWindowLong(ui::Handle h, int index) {
  return static_cast<int32_t>(GetWindowLongW(ToHwnd(h), index));
}

int32_t Win32WindowApi::SetWindowLong(ui::Handle h, int index, int32_t value) {
  return static_cast<int32_t>(SetWindowLongW(ToHwnd(h), index, value));
}

bool Win32WindowApi::SetWindowPos(ui::Handle h, ui::Handle insertAfter, int x, int y, int cx, int cy,
                                  uint32_t flags) {
  HWND w = ToHwnd(h);
  // A window disabled under a modal box is not activated: activation would
  // take the keyboard from the box, which the user can then not dismiss
  // with the keyboard, and on some window systems raise the owner over it.
  if (w && !IsWindowEnabled(w)) flags |= SWP_NOACTIVATE;
  return ::SetWindowPos(w, ToHwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
}

intptr_t Win32WindowApi::SendMessage(ui::Handle h, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  return SendMessageW(ToHwnd(h), msg, wParam, lParam);
}

void Win32WindowApi::ReleaseCapture() { ::ReleaseCapture(); }

void Win32WindowApi::GetCursorPos(int* x, int* y) {
  POINT p{0, 0};
  ::GetCursorPos(&p);
  if (x) *x = p.x;
  if (y) *y = p.y;
}

std::shared_ptr<Win32WindowApi::Layer> Win32WindowApi::Top(HWND h) const {
  auto it = stacks_.find(h);
  return it == stacks_.end() || it->second.empty() ? nullptr : it->second.back();
}

LRESULT CALLBACK Win32WindowApi::Thunk(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Win32WindowApi* self = instance_;
  // Held for the call: the hook may remove itself while it runs (the clock
  // unhooks from inside WM_DESTROY, which arrives through the hook).
  std::shared_ptr<Layer> top = self ? self->Top(h) : nullptr;
  if (!top || !top->proc) return DefWindowProcW(h, msg, wp, lp);
  const LRESULT r = top->proc(ToHandle(h), msg, wp, lp);
  if (msg == WM_NCDESTROY && instance_) instance_->Forget(h);
  return r;
}

void Win32WindowApi::Forget(HWND h) {
  auto it = stacks_.find(h);
  if (it == stacks_.end()) return;
  for (auto& layer : it->second) tokens_.erase(reinterpret_cast<uintptr_t>(layer.get()));
  stacks_.erase(it);
}

uintptr_t Win32WindowApi::SubclassWindow(ui::Handle h, WindowProc proc) {
  HWND w = ToHwnd(h);
  if (!w || !IsWindow(w) || !proc) return 0;
  auto layer = std::make_shared<Layer>();
  layer->proc = std::move(proc);
  SetLastError(0);
  const LONG_PTR prev = SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Thunk));
  if (prev == 0 && GetLastError() != 0) return 0;
  auto& stack = stacks_[w];
  // Hooking a hooked window: "the previous procedure" is the older hook,
  // not the shared thunk, which would only call the newest one again.
  if (prev == reinterpret_cast<LONG_PTR>(&Thunk) && !stack.empty())
    layer->below = reinterpret_cast<uintptr_t>(stack.back().get());
  else
    layer->below = static_cast<uintptr_t>(prev);
  stack.push_back(layer);
  tokens_[reinterpret_cast<uintptr_t>(layer.get())] = layer;
  return layer->below;
}

void Win32WindowApi::RestoreWindowProc(ui::Handle h, uintptr_t token) {
  HWND w = ToHwnd(h);
  if (!w || token == 0 || !IsWindow(w)) return;
  auto it = stacks_.find(w);
  auto layerTok = tokens_.find(token);
  if (layerTok != tokens_.end() && !layerTok->second.expired() && it != stacks_.end()) {
    // Back to an older hook: the thunk stays, the newer hooks go.
    auto& stack = it->second;
    while (!stack.empty() && reinterpret_cast<uintptr_t>(stack.back().get()) != token) {
      tokens_.erase(reinterpret_cast<uintptr_t>(stack.back().get()));
      stack.pop_back();
    }
    SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Thunk));
    return;
  }
  SetWindowLongPtrW(w, GWLP_WNDPROC, static_cast<LONG_PTR>(token));
  if (it != stacks_.end()) Forget(w);
}

intptr_t Win32WindowApi::CallWindowProc(uintptr_t token, ui::Handle h, uint32_t msg, uintptr_t wParam,
                                        intptr_t lParam) {
  HWND w = ToHwnd(h);
  if (token == 0) return DefWindowProcW(w, msg, wParam, lParam);
  auto it = tokens_.find(token);
  if (it != tokens_.end()) {
    if (std::shared_ptr<Layer> layer = it->second.lock(); layer && layer->proc)
      return layer->proc(h, msg, wParam, lParam);
    return DefWindowProcW(w, msg, wParam, lParam);
  }
  return CallWindowProcW(reinterpret_cast<WNDPROC>(token), w, msg, wParam, lParam);
}

bool Win32WindowApi::SetRoundRegion(ui::Handle h, int w, int h2, int ellipseW, int ellipseH) {
  HWND win = ToHwnd(h);
  if (!win || !IsWindow(win) || w <= 0 || h2 <= 0) return false;
  AutoRegion region(CreateRoundRectRgn(0, 0, w, h2, ellipseW, ellipseH));
  if (!region) return false;
  if (!SetWindowRgn(win, region.get(), TRUE)) return false;
  region.release();  // the window owns it now
  return true;
}

}  // namespace qov::win32
