// qov-clock-print.so: the printer behind backends/qt/print/print_page.h.
#include "backends/qt/print/print_page.h"

#include <QPrintDialog>
#include <QPrinter>

extern "C" Q_DECL_EXPORT bool qov_print_page(QWidget* parent, const QString& title, const QString& html,
                                             qov::qt::PageRenderer render) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(title);
  if (dialog.exec() != QDialog::Accepted) return true;
  return render(printer, html);
}
