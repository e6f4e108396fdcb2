// The yardstick for qov-clock's footprint: the least a Qt Widgets program
// costs, one small frameless tool window and its event loop, measured
// beside the clock by scripts/measure-footprint. With --tick it also runs
// a 300 ms timer that does nothing: what the clock's tick costs before it
// draws anything.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window(nullptr, Qt::Tool | Qt::FramelessWindowHint);
  window.setWindowTitle(QStringLiteral("empty"));
  window.resize(160, 200);
  window.show();
  QTimer tick;
  if (argc > 1 && std::strcmp(argv[1], "--tick") == 0) tick.start(300);
  return QApplication::exec();
}
