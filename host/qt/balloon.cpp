#include "host/qt/balloon.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace quarvel {
namespace {

constexpr int kPadding = 8;         // between the border and the text
constexpr int kPointerHeight = 12;  // from the body to the tip
constexpr int kPointerHalfBase = 8;
constexpr int kRadius = 5;
constexpr int kMaxTextWidth = 320;
constexpr int kPointerOffset = 24;  // preferred distance of the tip from the bubble's left edge
const QColor kFill(255, 255, 225);
const QColor kBorder(118, 118, 118);

QFont BalloonFont() {
  QFont font(QStringLiteral("WenQuanYi Micro Hei"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(12);
  return font;
}

}  // namespace

Balloon::Balloon(const QString& text, QPoint tip, int lifetimeMs)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      text_(text) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFont(BalloonFont());

  const QFontMetrics metrics(font());
  const QRect textBounds =
      metrics.boundingRect(QRect(0, 0, kMaxTextWidth, 10000), Qt::TextWordWrap | Qt::AlignLeft, text_);
  const int bodyWidth = std::max(textBounds.width() + 2 * kPadding, 2 * (kRadius + kPointerHalfBase) + 8);
  const int bodyHeight = textBounds.height() + 2 * kPadding;
  const int width = bodyWidth;
  const int height = bodyHeight + kPointerHeight;

  // Below the point when there is room, else above it; kept on the screen sideways.
  QScreen* screen = QGuiApplication::screenAt(tip);
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect(tip - QPoint(1000, 1000), QSize(2000, 2000));
  pointsUp_ = tip.y() + height <= area.bottom() + 1 || tip.y() - height + 1 < area.top();
  int left = tip.x() - kPointerOffset;
  left = std::clamp(left, area.left(), std::max(area.left(), area.right() + 1 - width));
  const int top = pointsUp_ ? tip.y() : tip.y() - height + 1;

  // The pointer's base stays on the straight part of the body; its tip is exactly on the point,
  // so the pointer leans when the bubble had to be pushed sideways.
  const int tipX = tip.x() - left;
  const int baseX = std::clamp(tipX, kRadius + kPointerHalfBase, bodyWidth - 1 - kRadius - kPointerHalfBase);
  const int bodyTop = pointsUp_ ? kPointerHeight : 0;
  const QRectF body(0.5, bodyTop + 0.5, bodyWidth - 1, bodyHeight - 1);
  tipLocal_ = QPoint(tipX, pointsUp_ ? 0 : height - 1);
  textRect_ = QRect(kPadding, bodyTop + kPadding, textBounds.width(), textBounds.height());

  QPainterPath shape;
  shape.addRoundedRect(body, kRadius, kRadius);
  const qreal baseY = pointsUp_ ? body.top() + 1 : body.bottom() - 1;
  const QPointF baseLeft(baseX - kPointerHalfBase + 0.5, baseY),
      baseRight(baseX + kPointerHalfBase + 0.5, baseY);
  const QPointF tipCentre(tipLocal_.x() + 0.5, tipLocal_.y() + 0.5);
  QPainterPath pointer;
  pointer.addPolygon(QPolygonF{baseLeft, tipCentre, baseRight});
  pointer.closeSubpath();
  shape = shape.united(pointer);

  // Drawn once without smoothing; the window takes the exact shape of what was drawn, so it
  // needs no compositor to look right.
  image_ = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
  image_.fill(Qt::transparent);
  {
    QPainter painter(&image_);
    painter.setPen(QPen(kBorder, 1));
    painter.setBrush(kFill);
    painter.drawPath(shape);
    painter.setPen(Qt::black);
    painter.setFont(font());
    painter.drawText(textRect_, Qt::TextWordWrap | Qt::AlignLeft, text_);
  }
  // The very tip is one pixel that the rasteriser may leave out; it is the point that matters.
  image_.setPixelColor(tipLocal_, kBorder);
  setFixedSize(width, height);
  setMask(QBitmap::fromImage(image_.createAlphaMask()));
  move(left, top);

  QTimer::singleShot(lifetimeMs, this, &QWidget::close);
}

void Balloon::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

void Balloon::mousePressEvent(QMouseEvent* event) {
  event->accept();
  close();
}

}  // namespace quarvel
