// One top-level window showing one ui::Form: it paints the form's face
// picture, hands, labels and frames, hosts native Qt widgets for the text
// boxes, the combo box, the buttons and the option buttons, runs the form's
// timers and turns mouse input into the model's events.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>
#include <vector>
#include <vector>

#include "platform/model.h"
#include "backends/common/damage.h"
#include "backends/common/geometry.h"
#include "backends/common/mouse_router.h"
#include "backends/common/timer_plan.h"

class QTimer;

namespace qov::qt {

// A model font in Qt's terms: the same character height in pixels.
QFont ToQFont(const ui::Font& f);

// The pictures the logic names ("faceWithNumerals", "plainFace"), scaled once per size.
class PictureCache {
 public:
  const QPixmap* Get(const std::string& id, QSize devicePixels);

 private:
  std::map<std::tuple<std::string, int, int>, QPixmap> scaled_;
};

class FormWidget final : public QWidget, public ui::FormView {
 public:
  FormWidget(ui::Form& form, bool isMain, PictureCache& pictures, QWidget* owner);
  ~FormWidget() override;

  ui::Form* form() const { return form_; }
  bool isMain() const { return main_; }
  // False once the window is closed; outlives the widget.
  std::shared_ptr<const bool> alive() const { return alive_; }
  // Runs `then` from the event loop once the window has painted, or at
  // once (from the loop) when it already has.
  void AfterFirstPaint(std::function<void()> then);
  // Closes the window: stops its timers, raises onUnload once when
  // `runUnload`, hides it and lets go of the form. The widget itself is
  // deleted later, from the event loop.
  void Destroy(bool runUnload);
  // Runs once the window has closed, by any path.
  void AddClosedHandler(std::function<void()> h) { closed_.push_back(std::move(h)); }
  // The press a popup or a modal box took over is forgotten.
  void MouseCaptureLost() { router_.CaptureLost(); }

  void SetSizable(bool on);
  void SetRoundCorners(int ellipsePixels);
  void SetTopmost(bool on);

  // ui::FormView
  void GeometryChanged() override;
  void ControlChanged(ui::Control& c) override;
  void TimerChanged(ui::Timer& t) override;
  void FormChanged() override;
  void FormDestroyed(ui::Form& f) override;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  struct Native {
    ui::Control* model = nullptr;
    QPointer<QWidget> widget;
    desktop::PxRect rect;
    ui::Font font;
    bool fontSet = false;
    ui::Color fore = 0, back = 0;
    bool colorsSet = false;
    std::vector<ui::ComboItem> items;  // as last given to the list
  };

  // Painting (form_paint.cpp).
  void DrawControl(QPainter& p, const ui::Control& c, const QRegion& dirty);
  void DrawLabel(QPainter& p, const ui::Control& c, const desktop::PxRect& r);
  void DrawFrame(QPainter& p, const ui::Control& c, const desktop::PxRect& r);
  void DrawPicture(QPainter& p, const ui::Control& c, const desktop::PxRect& r);
  void DrawLine(QPainter& p, const ui::Control& c);

  // Native widgets (native_controls.cpp).
  // The control's widget; made now when `create`, else null until then.
  Native* NativeFor(ui::Control& c, bool create);
  void ScheduleNativeSync();
  void SyncNatives();
  void SyncNative(Native& n);
  void ConnectNative(Native& n);

  // Input.
  void Deliver(QMouseEvent* e, int kind);
  int EdgesAt(QPoint p) const;
  void ResizeTo(QPoint globalPos);

  desktop::Scale scale() const;
  desktop::PxRect ClientPx() const;
  void ApplyGeometry();
  void ApplyVisibility();
  void ApplyMask();
  void SyncTimers();
  void RepaintAll();

  ui::Form* form_;
  bool main_;
  PictureCache& pictures_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool unloaded_ = false;
  bool painted_ = false;
  std::vector<std::function<void()>> afterPaint_;
  bool syncing_ = false;     // pushing model state into the natives
  bool syncPosted_ = false;
  bool sizable_ = false;
  int roundCorners_ = 0;
  // An edge drag of the sizing mode: which edges follow the pointer, and
  // the window and pointer where it began.
  int resizeEdges_ = 0;
  bool systemResize_ = false;  // the window manager runs an edge drag
  QRect resizeStart_;
  QPoint resizePointer_;
  desktop::MouseRouter router_;
  std::vector<desktop::ArmedTimer> timerStates_;
  std::vector<QTimer*> timers_;
  desktop::DamageTracker damage_;
  std::vector<std::unique_ptr<Native>> natives_;
  std::vector<std::function<void()>> closed_;
};

}  // namespace qov::qt
