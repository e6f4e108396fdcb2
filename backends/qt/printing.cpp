// Files the user asks for: the save dialog, whole-file writes, and the
// printable page on paper or as a PDF.
#include <QDir>
#include <QFileDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextDocument>
#include <algorithm>

#include "backends/qt/print/print_page.h"
#include "backends/qt/services.h"
#include "platform/i18n.h"

namespace qov::qt {
namespace {

// The page is laid out at least this wide, in the screen's pixels (190 mm
// at 96 dpi, A4 less its margins), then scaled onto the device.
constexpr qreal kLayoutWidth = 718;

// One sheet on one page: the document is scaled to fit the page's printable
// area, so a long month never spills onto a second sheet. A sheet taller
// than the page's shape is laid out wider, so the shrinking it needs anyway
// gives its columns room rather than a blank right margin.
bool RenderPage(QPagedPaintDevice& device, const QString& html) {
  device.setPageSize(QPageSize(QPageSize::A4));
  device.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
  QTextDocument doc;
  doc.setDocumentMargin(0);
  // Qt's HTML engine reads a table's width and padding from its attributes,
  // not from the page's style sheet.
  QString page = html;
  page.replace(QStringLiteral("<table"), QStringLiteral("<table width=\"100%\" cellpadding=\"3\" cellspacing=\"0\""));
  doc.setHtml(page);
  doc.setTextWidth(kLayoutWidth);
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect area = device.pageLayout().paintRectPixels(device.logicalDpiX());
  const qreal aspect = area.width() / std::max<qreal>(area.height(), 1);
  const qreal width = std::max(kLayoutWidth, doc.size().height() * aspect);
  doc.setTextWidth(width);
  const qreal scale = std::min(area.width() / width, area.height() / std::max<qreal>(doc.size().height(), 1));
  painter.scale(scale, scale);
  doc.drawContents(&painter);
  return painter.end();
}

}  // namespace

std::optional<std::string> SystemDialogs::SaveFile(ui::Form& owner, const std::string& title,
                                                   const std::string& suggested, const FileKind& kind) {
  QWidget* parent = widgetOf_ ? widgetOf_(&owner) : nullptr;
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  const QString ext = QString::fromStdString(kind.extension);
  QFileDialog dialog(parent, QString::fromStdString(title), QDir(folder).filePath(QString::fromStdString(suggested)),
                     QString::fromStdString(kind.description) + " (*." + ext + ")");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(ext);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

bool DataFiles::WriteAll(const std::string& path, const std::string& bytes) {
  // QSaveFile writes beside the target and renames it into place on commit.
  QSaveFile file(LocalPath(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool PagePrinter::Print(ui::Form& owner, const std::string& html) {
  QWidget* parent = widgetOf_ ? widgetOf_(&owner) : nullptr;
  const auto print = reinterpret_cast<PrintPage>(ModuleEntry(kPrintModule, kPrintPage));
  return print && print(parent, QString::fromUtf8(i18n::Tr("Cetak Jadwal")), QString::fromStdString(html), RenderPage);
}

bool PagePrinter::WritePdf(const std::string& path, const std::string& html) {
  QSaveFile file(LocalPath(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  bool drawn = false;
  {
    QPdfWriter pdf(&file);
    pdf.setResolution(300);
    pdf.setTitle(QString::fromUtf8(i18n::Tr("Jadwal Sholat")));
    drawn = RenderPage(pdf, QString::fromStdString(html));
  }  // the writer finishes the file when it goes
  if (!drawn) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace qov::qt
