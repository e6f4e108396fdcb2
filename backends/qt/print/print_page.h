// The print dialog and the printer live in a module of their own,
// qov-clock-print.so, which the clock loads at the first print: Qt Print
// Support is not among the libraries every clock loads and keeps from
// start-up for a page printed now and then.
#pragma once

#include <QString>

class QPagedPaintDevice;
class QWidget;

namespace qov::qt {

// Lays `html` out on `device`'s page; false when it could not be drawn.
using PageRenderer = bool (*)(QPagedPaintDevice& device, const QString& html);
// Asks for a printer over `parent` in a dialog titled `title` and prints
// `html` with `render`: true when printed or when the user cancelled.
using PrintPage = bool (*)(QWidget* parent, const QString& title, const QString& html, PageRenderer render);
inline constexpr char kPrintPage[] = "qov_print_page";
inline constexpr char kPrintModule[] = "qov-clock-print.so";

}  // namespace qov::qt
