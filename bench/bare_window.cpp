// The floor for the start-up figure: a bare Qt Widgets window of MainWindow's size and place with
// one Chinese label, painted green like MainWindow's title bar.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowFlags(Qt::FramelessWindowHint);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, QColor(0, 128, 0));
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.setGeometry(1490, 936, 426, 100);
  QLabel label(QString::fromUtf8("Quarvel v2.16 谷歌"), &window);
  window.show();
  return app.exec();
}
