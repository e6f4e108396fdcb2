#include "backends/qt/platform.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "backends/common/menu_plan.h"
#include "backends/qt/x11.h"

namespace qov::qt {

namespace {

uint32_t Le(const QByteArray& b, qsizetype at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
  return v;
}

// One picture of an icon file: a PNG, or a 32-bit bottom-up DIB whose
// alpha is its mask. Null for what the clock's icon does not hold.
QImage IconImage(const QByteArray& data) {
  if (data.startsWith("\x89PNG")) {
    QBuffer buffer;
    buffer.setData(data);
    QImageReader png(&buffer, "png");
    png.setAutoDetectImageFormat(false);
    return png.read();
  }
  if (data.size() < 40 || Le(data, 0, 4) != 40 || Le(data, 14, 2) != 32 || Le(data, 16, 4) != 0) return {};
  const int w = static_cast<int>(Le(data, 4, 4)), h = static_cast<int>(Le(data, 8, 4)) / 2;
  if (w <= 0 || h <= 0 || w > 1024 || h > 1024 || data.size() < 40 + qsizetype{w} * h * 4) return {};
  QImage image(w, h, QImage::Format_ARGB32);
  // BGRA bytes are Qt's ARGB32 in memory on a little-endian machine.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const qsizetype at = 40 + (qsizetype{h - 1 - y} * w + x) * 4;
      image.setPixel(x, y, Le(data, at, 4));
    }
  return image;
}

}  // namespace

QIcon ClockIcon() {
  // Read here: Qt's reader for icon files asks every image reader whether
  // the large PNG inside is theirs, and keeps the GIF and JPEG readers and
  // libjpeg loaded from start-up on.
  static const QIcon icon = [] {
    QIcon sizes;
    QFile file(QStringLiteral(":/icons/qov.ico"));
    const QByteArray ico = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const int count = ico.size() >= 6 ? static_cast<int>(Le(ico, 4, 2)) : 0;
    for (int i = 0; i < count && ico.size() >= 6 + 16 * (i + 1); ++i) {
      const qsizetype entry = 6 + 16 * i, size = Le(ico, entry + 8, 4), offset = Le(ico, entry + 12, 4);
      if (offset > ico.size() || size > ico.size() - offset) continue;
      const QImage image = IconImage(ico.mid(offset, size));
      if (!image.isNull()) sizes.addPixmap(QPixmap::fromImage(image));
    }
    return sizes;
  }();
  return icon;
}

// ---------------------------------------------------------- window service

void QtWindowService::SetTopmost(ui::Form& form, bool on) {
  if (FormWidget* w = platform_.Find(&form)) w->SetTopmost(on);
}

void QtWindowService::SetSizable(ui::Form& form, bool on) {
  if (FormWidget* w = platform_.Find(&form)) w->SetSizable(on);
}

void QtWindowService::SetRoundCorners(ui::Form& form, int ellipsePixels) {
  if (FormWidget* w = platform_.Find(&form)) w->SetRoundCorners(ellipsePixels);
}

// ---------------------------------------------------------------- platform

Platform::Platform()
    : screen_([this] { return static_cast<QWidget*>(mainWidget()); }),
      dialogs_([this](const ui::Form* f) { return static_cast<QWidget*>(Find(f)); }),
      windowService_(*this),
      printer_([this](const ui::Form* f) { return static_cast<QWidget*>(Find(f)); }),
      tray_(&ClockIcon) {
  services.settings = &settings_;
  services.clock = &clock_;
  services.locale = &locale_;
  services.screen = &screen_;
  services.instance = &instanceLock_;
  services.dialogs = &dialogs_;
  services.window = &windowService_;
  services.sound = &sound_;
  services.shell = &shell_;
  services.tray = &tray_;
  services.windows = this;
  services.files = &files_;
  services.loginStart = &loginStart_;
  services.printer = &printer_;
}

Platform::~Platform() {
  Discard();
  // Closed windows are deleted by the event loop, which has ended by now.
  for (const auto& w : windows_) delete w.data();
}

std::vector<FormWidget*> Platform::Open() const {
  std::vector<FormWidget*> open;
  for (const auto& w : windows_)
    if (w && *w->alive()) open.push_back(w.data());
  return open;
}

FormWidget* Platform::Find(const ui::Form* form) const {
  if (!form) return nullptr;
  for (FormWidget* w : Open())
    if (w->form() == form) return w;
  return nullptr;
}

FormWidget* Platform::mainWidget() const {
  for (FormWidget* w : Open())
    if (w->isMain()) return w;
  return nullptr;
}

FormWidget* Platform::Create(ui::Form& form, bool isMain, QWidget* owner) {
  windows_.erase(std::remove_if(windows_.begin(), windows_.end(), [](const auto& w) { return w.isNull(); }),
                 windows_.end());
  auto* w = new FormWidget(form, isMain, pictures_, owner);
  if (isMain) {
    w->AddClosedHandler([this] {
      // The icon belongs to the main window: it goes with it, also where
      // no unload handler removed it (a discarded copy).
      tray_.Remove();
      QCoreApplication::exit(0);
    });
  }
  windows_.emplace_back(w);
  return w;
}

bool Platform::AttachMain(ui::Form& form) { return Create(form, true, nullptr) != nullptr; }

void Platform::Discard() {
  for (FormWidget* w : Open()) w->Destroy(false);
}

void Platform::Shutdown() {
  // Windows still open when the loop ended close as any close would; the
  // owned ones first, so the main window's unload sees them closed.
  for (FormWidget* w : Open())
    if (!w->isMain()) w->Destroy(true);
  for (FormWidget* w : Open()) w->Destroy(true);
}

void Platform::CloseMain() {
  if (FormWidget* w = mainWidget()) w->Destroy(true);
}

void Platform::PopupMenu(ui::Form& owner, ui::MenuItem& menu) {
  const desktop::MenuPlan plan = desktop::PlanMenu(menu);
  if (plan.steps.empty()) return;
  FormWidget* ownerWidget = Find(&owner);
  if (!ownerWidget) ownerWidget = mainWidget();

  QMenu root(ownerWidget);
  std::vector<QMenu*> open{&root};
  for (const desktop::MenuStep& step : plan.steps) {
    QMenu* into = open.back();
    switch (step.type) {
      case desktop::MenuStep::kItem: {
        QAction* a = into->addAction(QString::fromStdString(step.caption));
        // Only a checked item shows a mark; an unchecked one shows no empty
        // box, as in the Windows menu.
        a->setCheckable(step.checked);
        a->setChecked(step.checked);
        a->setEnabled(step.enabled);
        a->setData(static_cast<uint>(step.id));
        break;
      }
      case desktop::MenuStep::kSeparator:
        into->addSeparator();
        break;
      case desktop::MenuStep::kBeginSubmenu: {
        QMenu* sub = into->addMenu(QString::fromStdString(step.caption));
        sub->setEnabled(step.enabled);
        open.push_back(sub);
        break;
      }
      case desktop::MenuStep::kEndSubmenu:
        if (open.size() > 1) open.pop_back();
        break;
    }
  }

  const QPointer<FormWidget> guard(ownerWidget);
  QAction* chosen = root.exec(QCursor::pos());
  if (guard) guard->MouseCaptureLost();
  ui::MenuItem* item = chosen ? plan.Find(chosen->data().toUInt()) : nullptr;
  if (item && item->visible && item->enabled && item->onClick) {
    ui::Handler click = item->onClick;
    click();
  }
}

void Platform::AfterShown(std::function<void()> then) {
  // The window's map goes out now, and `then` waits for its first paint;
  // a window that is never painted (hidden, or a compositor that draws
  // nothing) lets it run within a second all the same.
  x11::Flush();
  auto once = std::make_shared<std::function<void()>>(std::move(then));
  auto run = [once] {
    if (*once) std::exchange(*once, {})();
  };
  FormWidget* w = mainWidget();
  if (w && w->isVisible()) w->AfterFirstPaint(run);
  QTimer::singleShot(w && w->isVisible() ? 1000 : 0, qApp, run);
}

void Platform::ShowModal(ui::Form& form, ui::Form& owner) {
  QWidget* ownerWidget = Find(&owner);
  FormWidget* w = Find(&form);
  const bool created = w == nullptr;
  if (created) w = Create(form, false, ownerWidget ? ownerWidget : mainWidget());
  if (!w) return;
  const std::shared_ptr<const bool> alive = w->alive();
  if (created && form.onLoad) {
    ui::Handler load = form.onLoad;
    load();
  }
  if (!*alive) return;  // closed while loading
  // The owner takes no input meanwhile, but its timers keep running.
  if (!w->isVisible()) w->setWindowModality(Qt::WindowModal);
  QEventLoop loop;
  const QPointer<QEventLoop> running(&loop);
  w->AddClosedHandler([running] {
    if (running) running->quit();
  });
  form.Show();
  if (*alive) loop.exec();
  if (FormWidget* o = Find(&owner)) o->MouseCaptureLost();
}

void Platform::Close(ui::Form& form) {
  if (FormWidget* w = Find(&form)) {
    w->Destroy(true);
    return;
  }
  // A form without a window closes all the same.
  if (form.onUnload) {
    ui::Handler unload = form.onUnload;
    unload();
  }
  form.Hide();
}

}  // namespace qov::qt
