// Painting: one paintEvent draws the dirty area back to front into Qt's
// back buffer, so the hands never flicker over the face.
#include <QFontMetrics>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>
#include <utility>

#include "backends/qt/form_widget.h"
#include "backends/qt/services.h"
#include "backends/common/conversions.h"

namespace qov::qt {

using desktop::PxRect;

namespace {

// Pictures are never shown bigger than a screen; a larger request is a
// broken geometry, not a reason to allocate gigabytes.
constexpr int kMaxPictureSide = 8192;
// Scaled copies kept; the clock needs one or two at a time.
constexpr size_t kMaxScaled = 8;

QRect ToQRect(const PxRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QColor Back(const QWidget& w, ui::Color c) {
  return c == ui::kSystemWindow ? w.palette().color(QPalette::Window) : QColor(ToRgb(c));
}
QColor Fore(const QWidget& w, ui::Color c) {
  return c == ui::kSystemWindow ? w.palette().color(QPalette::WindowText) : QColor(ToRgb(c));
}

}  // namespace

QFont ToQFont(const ui::Font& f) {
  QFont font(QString::fromStdString(f.name.empty() ? std::string("Arial") : f.name));
  // The character height in pixels, as the Windows program asks of GDI.
  font.setPixelSize(desktop::FontHeightPx(f.size, 96));
  font.setBold(f.bold);
  font.setUnderline(f.underline);
  return font;
}

const QPixmap* PictureCache::Get(const std::string& id, QSize size) {
  if (id.empty() || size.width() <= 0 || size.height() <= 0 || size.width() > kMaxPictureSide ||
      size.height() > kMaxPictureSide)
    return nullptr;
  const auto key = std::make_tuple(id, size.width(), size.height());
  if (auto it = scaled_.find(key); it != scaled_.end()) return &it->second;
  // Read as what it is: left to guess, Qt loads every image reader it has
  // (GIF, JPEG and libjpeg) for good. The full-size picture is not kept: a
  // new size is rare, and reading it again is cheap.
  QImageReader reader(":/pictures/" + QString::fromStdString(id) + ".bmp", "bmp");
  reader.setAutoDetectImageFormat(false);
  const QImage original = reader.read();
  if (original.isNull()) return nullptr;
  if (scaled_.size() >= kMaxScaled) scaled_.clear();
  QPixmap scaled = QPixmap::fromImage(original.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  return &scaled_.emplace(key, std::move(scaled)).first->second;
}

void FormWidget::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  // A second's change is a hand's box and the time's label, often far
  // apart: only what lies in them is drawn, not all in the box around both.
  const QRegion& dirty = e->region();
  // The system's window colour shows wherever no control is.
  for (const QRect& r : dirty) p.fillRect(r, palette().color(QPalette::Window));
  if (!form_) return;
  desktop::ForEachInPaintOrder(*form_, [&](const ui::Control& c) { DrawControl(p, c, dirty); });
  if (!painted_) {
    painted_ = true;
    for (auto& then : std::exchange(afterPaint_, {})) QTimer::singleShot(0, this, std::move(then));
  }
}

void FormWidget::AfterFirstPaint(std::function<void()> then) {
  if (painted_) QTimer::singleShot(0, this, std::move(then));
  else afterPaint_.push_back(std::move(then));
}

void FormWidget::DrawControl(QPainter& p, const ui::Control& c, const QRegion& dirty) {
  const desktop::Scale s = scale();
  const PxRect client = ClientPx();
  const PxRect drawn = desktop::DrawnRectPx(c, s, client);
  damage_.Drawn(c, drawn);
  if (drawn.empty() || !dirty.intersects(ToQRect(drawn))) return;
  p.save();
  p.setClipRegion(dirty.intersected(ToQRect(desktop::ClipRectPx(c, s, client))));
  switch (c.kind()) {
    case ui::Kind::Label:
      DrawLabel(p, c, desktop::ControlRectPx(c, s));
      break;
    case ui::Kind::Frame:
      DrawFrame(p, c, desktop::ControlRectPx(c, s));
      break;
    case ui::Kind::PictureBox:
      DrawPicture(p, c, desktop::ControlRectPx(c, s));
      break;
    case ui::Kind::Line:
      DrawLine(p, c);
      break;
    default:
      break;  // native widgets draw themselves
  }
  p.restore();
}

void FormWidget::DrawLabel(QPainter& p, const ui::Control& c, const PxRect& r) {
  const QRect rect = ToQRect(r);
  if (!c.transparent()) p.fillRect(rect, Back(*this, c.backColor()));
  if (c.text().empty()) return;
  // Text stays inside its label, as DrawText clips it.
  p.setClipRect(rect, Qt::IntersectClip);
  p.setFont(ToQFont(c.font()));
  p.setPen(Fore(*this, c.foreColor()));
  const int align = c.alignment() == ui::Align::Center  ? Qt::AlignHCenter
                    : c.alignment() == ui::Align::Right ? Qt::AlignRight
                                                        : Qt::AlignLeft;
  p.drawText(rect, align | Qt::AlignTop | Qt::TextWordWrap, QString::fromStdString(c.text()));
}

void FormWidget::DrawFrame(QPainter& p, const ui::Control& c, const PxRect& r) {
  const QRect rect = ToQRect(r);
  const QColor back = Back(*this, c.backColor());
  p.fillRect(rect, back);
  if (c.text().empty()) return;  // a plain panel has no border
  const QFont font = ToQFont(c.font());
  const QFontMetrics fm(font);
  const QString caption = QString::fromStdString(c.text());
  const int textW = fm.horizontalAdvance(caption), textH = fm.height();
  const QColor fore = Fore(*this, c.foreColor());
  // A thin border from the middle of the caption down, like a group box,
  // with the caption at the top left breaking the line.
  p.setPen(fore);
  p.drawRect(QRect(rect.left(), rect.top() + textH / 2, rect.width() - 1, rect.height() - textH / 2 - 1));
  constexpr int inset = 8, pad = 2;
  const QRect text(rect.left() + inset, rect.top(), std::min(textW + 2 * pad, rect.width() - inset), textH);
  p.fillRect(text, back);
  p.setFont(font);
  p.drawText(text, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, caption);
}

void FormWidget::DrawPicture(QPainter& p, const ui::Control& c, const PxRect& r) {
  const QRect rect = ToQRect(r);
  // Scaled to the screen's real pixels, so the face stays sharp at any
  // scale factor.
  const qreal dpr = devicePixelRatioF();
  const QSize device(qRound(rect.width() * dpr), qRound(rect.height() * dpr));
  const QPixmap* picture = pictures_.Get(c.picture(), device);
  if (!picture) {
    p.fillRect(rect, Back(*this, c.backColor()));
    return;
  }
  p.drawPixmap(rect, *picture);
}

void FormWidget::DrawLine(QPainter& p, const ui::Control& c) {
  const desktop::PxLine l = desktop::LinePx(c, scale());
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(QColor(ToRgb(c.borderColor())), c.borderWidth(), Qt::SolidLine, Qt::RoundCap);
  p.setPen(pen);
  // Whole coordinates are pixel edges in Qt as in the face's geometry.
  p.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
}

}  // namespace qov::qt
