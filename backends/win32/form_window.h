// One top-level window showing one ui::Form: it draws the form's face
// picture, hands, labels and frames, hosts native child controls for the
// text boxes, the combo box, the buttons and the option buttons, runs the
// form's timers, and turns mouse input into the model's events.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/model.h"
#include "backends/common/damage.h"
#include "backends/common/geometry.h"
#include "backends/common/mouse_router.h"
#include "backends/common/timer_plan.h"
#include "backends/win32/win.h"

namespace qov::win32 {

// The window class of every form; with the title it finds the running copy.
inline constexpr wchar_t kFormClassName[] = L"QOVClockForm";

class Platform;

class FormWindow final : public ui::FormView {
 public:
  FormWindow(Platform& platform, ui::Form& form, bool isMain);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // Creates the window, hidden, at the model's geometry, and attaches the
  // view: the form gets its handle and scale, its timers start.
  bool Create(HWND owner);

  HWND hwnd() const { return hwnd_; }
  ui::Form* form() const { return form_; }
  bool isMain() const { return main_; }
  // False once the window is destroyed; outlives the window object.
  std::shared_ptr<const bool> alive() const { return alive_; }
  // Destroyed and no message of it is being handled: safe to delete.
  bool reapable() const { return !hwnd_ && depth_ == 0; }
  // The owner a modal window disabled, enabled again before the window goes
  // so that activation returns to it rather than to another program.
  void SetModalOwner(HWND owner) { modalOwner_ = owner; }
  // Destroys the window; with runUnload false the form's onUnload is not
  // raised (a refused second copy, or the form itself going away).
  void Destroy(bool runUnload);

  // ui::FormView
  void GeometryChanged() override;
  void ControlChanged(ui::Control& c) override;
  void TimerChanged(ui::Timer& t) override;
  void FormChanged() override;

 private:
  // A label's or frame's text as the system draws it, converted once per
  // change rather than at every paint.
  struct Cached {
    std::wstring text;
    bool textStale = true;
  };
  struct Native {
    ui::Control* model = nullptr;
    HWND hwnd = nullptr;
    AutoFont font;
    ui::Font fontKey;
    UINT fontDpi = 0;
    PxRect rect;
    std::vector<ui::ComboItem> items;  // as last given to the list
  };

  // Posted once per batch of control changes: native controls follow the
  // model after the handler that changed it, so filling a list of two
  // thousand cities item by item rebuilds the native list once.
  static constexpr UINT kMsgSyncNatives = WM_APP + 1;

  static LRESULT CALLBACK WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Messages, one small function each.
  LRESULT OnPaint();
  void OnSize();
  void OnWindowPosChanged(const WINDOWPOS& wp);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnGetMinMaxInfo(MINMAXINFO& mmi);
  void OnTimer(UINT_PTR id);
  void OnMouse(UINT msg, WPARAM wp, LPARAM lp);
  bool OnSetCursor();
  void OnCommand(WPARAM wp, LPARAM lp);
  bool OnEscape();
  LRESULT OnCtlColor(UINT msg, HDC dc, HWND child);
  void OnDestroy();
  void OnNcDestroy();

  // Painting (form_paint.cpp).
  void PaintContent(HDC hdc, const RECT& rc);
  void DrawControl(HDC dc, const ui::Control& c, const PxRect& dirty);
  void DrawLabel(HDC dc, const ui::Control& c, Cached& cache, const PxRect& r);
  void DrawFrame(HDC dc, const ui::Control& c, Cached& cache, const PxRect& r);
  void DrawPicture(HDC dc, const ui::Control& c, const PxRect& r);
  void DrawLine(HDC dc, const ui::Control& c, const PxRect& dirty);
  const std::wstring& TextOf(const ui::Control& c, Cached& cache);
  bool EnsureBackBuffer(HDC reference, int w, int h);
  void ReleaseBackBuffer();

  // Native child controls (native_controls.cpp).
  void CreateNatives();
  Native* NativeFor(ui::Control& c);
  Native* NativeByHwnd(HWND h);
  void ScheduleNativeSync();
  void SyncNatives();
  void SyncNative(Native& n);
  std::string NativeText(HWND h) const;

  // Bookkeeping.
  Scale scale() const;
  PxRect ClientPx() const;
  void Invalidate(const PxRect& r);
  void InvalidateAll();
  void SyncTimers();
  void UpdateBorder();
  void ApplyVisibility();

  Platform& platform_;
  ui::Form* form_;
  bool main_;
  HWND hwnd_ = nullptr;
  HWND modalOwner_ = nullptr;
  UINT dpi_ = 96;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(false);
  int depth_ = 0;
  bool applying_ = false;   // our own SetWindowPos is running
  bool destroying_ = false;
  bool runUnload_ = true;
  bool unloaded_ = false;
  bool shownOnce_ = false;
  bool syncing_ = false;    // pushing model state into the natives
  bool syncPosted_ = false;
  Border border_;           // frame thickness, pixels
  MouseRouter router_;
  std::vector<ArmedTimer> timers_;
  std::unordered_map<const ui::Control*, Cached> cache_;
  DamageTracker damage_;
  std::vector<std::unique_ptr<Native>> natives_;
  // The back buffer every paint draws into before one blit.
  AutoDc backDc_;
  AutoBitmap backBitmap_;
  HGDIOBJ backOld_ = nullptr;
  int backW_ = 0, backH_ = 0;
  // The DC a scaled face picture is blitted from.
  AutoDc pictureDc_;
};

}  // namespace qov::win32
