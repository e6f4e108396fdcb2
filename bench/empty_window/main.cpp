// The yardstick for qov-clock's footprint: the least a Qt Widgets program
// costs, one small frameless tool window and its event loop, measured
// beside the clock by scripts/measure-footprint.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window(nullptr, Qt::Tool | Qt::FramelessWindowHint);
  window.setWindowTitle(QStringLiteral("empty"));
  window.resize(160, 200);
  window.show();
  return QApplication::exec();
}
