#include "backends/qt/form_widget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainterPath>
#include <QRegion>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "backends/common/conversions.h"
#include "backends/qt/x11.h"

namespace qov::qt {

using desktop::MouseRouter;
using desktop::PxRect;

namespace {

// Logical pixels are 1/96 inch: the model's twips map at 15 per pixel
// whatever the screen, and Qt scales the pixels to the screen's density.
constexpr float kTwipsPerPixel = 15;
// How far inside the window an edge drag starts in the sizing mode.
constexpr int kEdgeGrip = 6;

enum MouseKind { kDown, kUp, kDouble, kMove };

int ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return MouseRouter::kLeft;
    case Qt::RightButton:
      return MouseRouter::kRight;
    default:
      return MouseRouter::kMiddle;
  }
}

int HeldOf(Qt::MouseButtons b) {
  return (b & Qt::LeftButton ? MouseRouter::kLeft : 0) | (b & Qt::RightButton ? MouseRouter::kRight : 0) |
         (b & Qt::MiddleButton ? MouseRouter::kMiddle : 0);
}

int ShiftOf(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

Qt::CursorShape ResizeCursor(int edges) {
  const bool h = edges & (Qt::LeftEdge | Qt::RightEdge), v = edges & (Qt::TopEdge | Qt::BottomEdge);
  if (h && v) {
    const bool main = (edges & Qt::LeftEdge && edges & Qt::TopEdge) || (edges & Qt::RightEdge && edges & Qt::BottomEdge);
    return main ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
  }
  return h ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

}  // namespace

FormWidget::FormWidget(ui::Form& form, bool isMain, PictureCache& pictures, QWidget* owner)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), form_(&form), main_(isMain), pictures_(pictures) {
  // Every pixel is painted by paintEvent: no background fill first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  // The clock never takes the keyboard by showing itself, at start or when
  // an alert's blink brings it back: only a click gives it the focus. Set
  // before the native window exists, which reads it when it is made.
  if (isMain) setAttribute(Qt::WA_ShowWithoutActivating);
  // The title names the form, for the window list and for the tests.
  setWindowTitle(QString::fromStdString(form.name()));
  if (owner) {
    winId();
    if (owner->windowHandle()) windowHandle()->setTransientParent(owner->windowHandle());
  }
  form_->SetHandle(reinterpret_cast<ui::Handle>(this));
  form_->SetView(this);
  form_->ReportScale(kTwipsPerPixel, kTwipsPerPixel);
  form_->ReportBorder(0, 0);
  ApplyGeometry();
  ScheduleNativeSync();
  SyncTimers();
}

FormWidget::~FormWidget() {
  *alive_ = false;
  if (form_) {
    if (form_->view() == this) form_->SetView(nullptr);
    form_->SetHandle(0);
  }
}

void FormWidget::Destroy(bool runUnload) {
  if (!*alive_) return;
  for (QTimer* t : timers_) t->stop();
  timerStates_.clear();
  if (form_ && runUnload && !unloaded_) {
    unloaded_ = true;
    if (form_->onUnload) {
      ui::Handler unload = form_->onUnload;
      unload();
    }
  }
  *alive_ = false;
  if (form_) {
    form_->Hide();
    if (form_->view() == this) form_->SetView(nullptr);
    form_->SetHandle(0);
    form_ = nullptr;
  }
  for (auto& n : natives_) n->model = nullptr;
  hide();
  deleteLater();
  for (auto& h : std::exchange(closed_, {})) h();
}

void FormWidget::FormDestroyed(ui::Form&) {
  // The model goes first: nothing of it may be touched from here on.
  form_ = nullptr;
  Destroy(false);
}

void FormWidget::closeEvent(QCloseEvent* e) {
  // A close from the window system (a window manager's close) is a close
  // like any other: the unload handler stores what it stores.
  e->accept();
  Destroy(true);
}

// --------------------------------------------------------------- geometry

desktop::Scale FormWidget::scale() const {
  return form_ ? desktop::Scale{form_->twipsPerPixelX(), form_->twipsPerPixelY()} : desktop::Scale{};
}

PxRect FormWidget::ClientPx() const { return {0, 0, width(), height()}; }

void FormWidget::ApplyGeometry() {
  if (!form_) return;
  const PxRect r = desktop::FormRectPx(*form_);
  const QRect want(r.left, r.top, std::max(r.right - r.left, 1), std::max(r.bottom - r.top, 1));
  if (geometry() != want) setGeometry(want);
  RepaintAll();
}

void FormWidget::GeometryChanged() {
  if (!*alive_ || !form_) return;
  ApplyGeometry();
  ScheduleNativeSync();
}

void FormWidget::resizeEvent(QResizeEvent*) {
  ApplyMask();
  RepaintAll();
  if (!form_ || !systemResize_) return;
  // The window manager sized the window (an edge drag it runs): news to
  // the model. Otherwise every size is the model's own, and a late echo of
  // an earlier one must not be taken for the user's.
  const PxRect actual{x(), y(), x() + width(), y() + height()};
  if (actual == desktop::FormRectPx(*form_)) return;
  const desktop::TwipsRect t = desktop::ToTwips(actual, scale());
  form_->ReportGeometry(t.left, t.top, t.width, t.height);
  ApplyGeometry();
}

void FormWidget::RepaintAll() {
  if (form_) damage_.Reset(*form_, scale(), ClientPx());
  update();
}

// --------------------------------------------------------------- services

void FormWidget::SetSizable(bool on) {
  sizable_ = on;
  if (!on) {
    resizeEdges_ = 0;
    systemResize_ = false;
    unsetCursor();
  }
}

void FormWidget::SetRoundCorners(int ellipsePixels) {
  roundCorners_ = std::max(ellipsePixels, 0);
  ApplyMask();
}

void FormWidget::ApplyMask() {
  if (roundCorners_ <= 0 || width() <= 0 || height() <= 0) {
    clearMask();
    return;
  }
  // The same ellipses in the corners as CreateRoundRectRgn: radius half
  // the ellipse's size.
  QPainterPath path;
  const qreal radius = roundCorners_ / 2.0;
  path.addRoundedRect(QRectF(0, 0, width(), height()), radius, radius);
  setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void FormWidget::SetTopmost(bool on) {
  const Qt::WindowFlags flags = on ? windowFlags() | Qt::WindowStaysOnTopHint : windowFlags() & ~Qt::WindowStaysOnTopHint;
  if (flags == windowFlags()) return;
  // Told to the window system directly: QWidget::setWindowFlags would
  // recreate and hide the window.
  overrideWindowFlags(flags);
  if (QWindow* w = windowHandle()) w->setFlags(flags);
}

// ---------------------------------------------------------------- changes

void FormWidget::ControlChanged(ui::Control& c) {
  if (!*alive_ || !form_) return;
  if (desktop::IsNative(c.kind())) {
    ScheduleNativeSync();
    return;
  }
  const PxRect r = damage_.Changed(c, scale(), ClientPx());
  if (!r.empty()) update(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (desktop::IsContainer(c.kind())) ScheduleNativeSync();  // children follow their container
}

void FormWidget::FormChanged() {
  SyncTimers();
  ApplyVisibility();
}

void FormWidget::ApplyVisibility() {
  if (!*alive_ || !form_) return;
  // The alert's blink hides the window on odd ticks.
  const bool want = form_->visible() && form_->blink();
  if (want == isVisible()) return;
  if (want) {
    // A tool window, as on Windows: the tray icon stands for the clock.
    x11::SkipTaskbarAndPager(*this);
    show();
  } else {
    hide();
  }
}

// ------------------------------------------------------------------ timers

void FormWidget::SyncTimers() {
  if (!*alive_ || !form_) return;
  const auto& timers = form_->timers();
  if (timerStates_.size() < timers.size()) timerStates_.resize(timers.size());
  while (timers_.size() < timers.size()) {
    const size_t i = timers_.size();
    auto* t = new QTimer(this);
    connect(t, &QTimer::timeout, this, [this, i] {
      if (!form_ || i >= form_->timers().size() || i >= timerStates_.size()) return;
      ui::Timer& model = *form_->timers()[i];
      if (!desktop::ShouldFire(model, timerStates_[i]) || !model.onTimer) return;
      ui::Handler tick = model.onTimer;
      tick();
    });
    timers_.push_back(t);
  }
  for (size_t i = 0; i < timers.size(); ++i) {
    switch (desktop::PlanTimer(*timers[i], timerStates_[i])) {
      case desktop::TimerAction::kSet:
        timers_[i]->start(timers[i]->interval());
        break;
      case desktop::TimerAction::kKill:
        timers_[i]->stop();
        break;
      case desktop::TimerAction::kNone:
        break;
    }
  }
}

void FormWidget::TimerChanged(ui::Timer&) { SyncTimers(); }

// ------------------------------------------------------------------- mouse

int FormWidget::EdgesAt(QPoint p) const {
  if (!sizable_) return 0;
  int edges = 0;
  if (p.x() < kEdgeGrip) edges |= Qt::LeftEdge;
  if (p.x() >= width() - kEdgeGrip) edges |= Qt::RightEdge;
  if (p.y() < kEdgeGrip) edges |= Qt::TopEdge;
  if (p.y() >= height() - kEdgeGrip) edges |= Qt::BottomEdge;
  return edges;
}

void FormWidget::ResizeTo(QPoint globalPos) {
  if (!form_) return;
  const QPoint d = globalPos - resizePointer_;
  QRect r = resizeStart_;
  constexpr int kMin = 8;
  if (resizeEdges_ & Qt::LeftEdge) r.setLeft(std::min(r.left() + d.x(), r.right() - kMin));
  if (resizeEdges_ & Qt::RightEdge) r.setRight(std::max(r.right() + d.x(), r.left() + kMin));
  if (resizeEdges_ & Qt::TopEdge) r.setTop(std::min(r.top() + d.y(), r.bottom() - kMin));
  if (resizeEdges_ & Qt::BottomEdge) r.setBottom(std::max(r.bottom() + d.y(), r.top() + kMin));
  const desktop::TwipsRect t = desktop::ToTwips({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}, scale());
  // The layout answers with the size its proportion allows.
  form_->ReportGeometry(t.left, t.top, t.width, t.height);
  ApplyGeometry();
}

// ------------------------------------------------------------------- keys

void FormWidget::keyPressEvent(QKeyEvent* e) {
  // A text box, a list or a button leaves Escape to its window: it presses
  // the open dialog's Cancel.
  ui::Control* cancel = form_ && e->key() == Qt::Key_Escape ? desktop::EscapeButton(*form_) : nullptr;
  if (!cancel || !cancel->onClick) {
    QWidget::keyPressEvent(e);
    return;
  }
  e->accept();
  ui::Handler click = cancel->onClick;
  click();
}

void FormWidget::mousePressEvent(QMouseEvent* e) { Deliver(e, kDown); }
void FormWidget::mouseReleaseEvent(QMouseEvent* e) { Deliver(e, kUp); }
void FormWidget::mouseDoubleClickEvent(QMouseEvent* e) { Deliver(e, kDouble); }
void FormWidget::mouseMoveEvent(QMouseEvent* e) { Deliver(e, kMove); }

void FormWidget::Deliver(QMouseEvent* e, int kind) {
  if (!form_) return;
  e->accept();
  const QPoint pos = e->position().toPoint();
  const QPoint global = e->globalPosition().toPoint();
  const int px = pos.x(), py = pos.y();
  const int held = HeldOf(e->buttons());
  const int shift = ShiftOf(e->modifiers());
  const desktop::Scale s = scale();
  ui::Form& f = *form_;

  // The sizing mode's edges belong to the window, not to the clock, as a
  // frame's do.
  if (resizeEdges_ != 0) {
    if (kind == kMove && resizeEdges_ > 0) ResizeTo(global);
    if (kind == kUp && held == 0) resizeEdges_ = 0;
    return;
  }
  if ((kind == kDown || kind == kDouble) && e->button() == Qt::LeftButton) {
    if (const int edges = EdgesAt(pos)) {
      QWindow* w = windowHandle();
      if (w && w->startSystemResize(Qt::Edges(edges))) {
        systemResize_ = true;  // the window manager runs it; resizeEvent reports
      } else {
        resizeEdges_ = edges;
        resizeStart_ = geometry();
        resizePointer_ = global;
      }
      return;
    }
  }

  const std::shared_ptr<bool> alive = alive_;
  switch (kind) {
    case kMove:
      if (!router_.pressed()) {
        const int edges = EdgesAt(pos);
        const desktop::Hit hit = desktop::HitTest(f, px, py, s);
        if (edges) setCursor(ResizeCursor(edges));
        else if (hit.control && hit.control->cursor() == ui::Cursor::Hand) setCursor(Qt::PointingHandCursor);
        else unsetCursor();
      }
    {
      const float left = f.left(), top = f.top();
      router_.Move(f, held, shift, px, py, s);
      // A Wayland client cannot place its window: when a drag moved it in
      // the model, the compositor takes the drag over, and the press ends
      // here as the compositor's grab ends it.
      if (*alive && form_ && (f.left() != left || f.top() != top) && (held & MouseRouter::kLeft) &&
          QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && windowHandle() &&
          windowHandle()->startSystemMove())
        router_.Up(f, MouseRouter::kLeft, 0, shift, px, py, s);
      return;
    }
    case kDouble:
      if (e->button() == Qt::LeftButton) router_.DoubleClick(f, shift, px, py, s);
      else router_.Down(f, ButtonOf(e->button()), shift, px, py, s);  // no double click for these buttons
      break;
    case kDown:
      router_.Down(f, ButtonOf(e->button()), shift, px, py, s);
      break;
    default:
      router_.Up(f, ButtonOf(e->button()), held, shift, px, py, s);
      return;
  }
  // A menu or a modal box the handler opened took the release: the press
  // is forgotten so that later moves go where the pointer is.
  if (*alive && !(QGuiApplication::mouseButtons() & e->button())) router_.CaptureLost();
}

}  // namespace qov::qt
