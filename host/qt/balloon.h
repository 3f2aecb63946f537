#pragma once
// A balloon tip: a small pale-yellow bubble whose pointer touches a point of the screen, with a
// short text. It goes away by itself after a while or when clicked.
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace quarvel {

class Balloon : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kLifetimeMs = 6000;

  // tip: the screen point the pointer touches. The balloon deletes itself when it closes.
  Balloon(const QString& text, QPoint tip, int lifetimeMs = kLifetimeMs);

  QString text() const { return text_; }
  // The screen point the pointer touches.
  QPoint tipPoint() const { return mapToGlobal(tipLocal_); }
  // True when the bubble lies below the point (its pointer points up).
  bool pointsUp() const { return pointsUp_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QString text_;
  QPoint tipLocal_;
  bool pointsUp_ = true;
  QRect textRect_;
  QImage image_;
};

}  // namespace quarvel
