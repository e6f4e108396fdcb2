// The user32 subset of the style class, always-on-top, the message hook and
// the about box's region, including real window subclassing: one static
// procedure is installed, and it hands each message to the callable of the
// window's newest hook.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/services.h"
#include "platform/win32/win.h"

namespace qov::win32 {

class Win32WindowApi final : public WindowApi {
 public:
  Win32WindowApi();
  ~Win32WindowApi() override;

  int32_t GetWindowLong(ui::Handle h, int index) override;
  int32_t SetWindowLong(ui::Handle h, int index, int32_t value) override;
  bool SetWindowPos(ui::Handle h, ui::Handle insertAfter, int x, int y, int cx, int cy, uint32_t flags) override;
  intptr_t SendMessage(ui::Handle h, uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
  void ReleaseCapture() override;
  void GetCursorPos(int* x, int* y) override;

  uintptr_t SubclassWindow(ui::Handle h, WindowProc proc) override;
  void RestoreWindowProc(ui::Handle h, uintptr_t token) override;
  intptr_t CallWindowProc(uintptr_t token, ui::Handle h, uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

  bool SetRoundRegion(ui::Handle h, int w, int h2, int ellipseW, int ellipseH) override;

 private:
  // One installed hook. Its token (its address) stands for it when a newer
  // hook calls "the previous procedure".
  struct Layer {
    WindowProc proc;
    uintptr_t below = 0;  // token of the procedure it replaced
  };
  static LRESULT CALLBACK Thunk(HWND h, UINT msg, WPARAM wp, LPARAM lp);
  std::shared_ptr<Layer> Top(HWND h) const;
  void Forget(HWND h);

  static Win32WindowApi* instance_;
  std::unordered_map<HWND, std::vector<std::shared_ptr<Layer>>> stacks_;
  std::unordered_map<uintptr_t, std::weak_ptr<Layer>> tokens_;
};

}  // namespace qov::win32
