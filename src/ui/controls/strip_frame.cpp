#include "ui/controls/strip_frame.h"

#include <QPainter>
#include <QPixmap>
#include <QRectF>
#include <QWidget>

namespace morvane {

namespace {

// Frame width in the strip's own pixels.
int FrameWidth(const QPixmap& strip, int count) {
  if (strip.isNull() || count < 1) return 0;
  return strip.width() / count;
}

}  // namespace

QSize StripFrameSize(const QPixmap& strip, int count) {
  const int width = FrameWidth(strip, count);
  if (width == 0) return {};
  const qreal ratio = strip.devicePixelRatio();
  return QSize(qRound(width / ratio), qRound(strip.height() / ratio));
}

QSize StripControlSize(const QPixmap& strip, int count) {
  const QSize frame = StripFrameSize(strip, count);
  return frame.isEmpty() ? QSize(30, 30) : frame;
}

void FitToStripFrame(QWidget& control, const QPixmap& strip, int count) {
  const QSize frame = StripFrameSize(strip, count);
  if (!frame.isEmpty()) control.resize(frame);
}

void DrawStripFrame(QPainter& painter, const QPixmap& strip, int count, int index) {
  const int width = FrameWidth(strip, count);
  if (width == 0 || index < 0 || index >= count) return;
  const qreal ratio = strip.devicePixelRatio();
  const QRectF source(index * width, 0, width, strip.height());
  const QRectF target(0, 0, width / ratio, strip.height() / ratio);
  painter.drawPixmap(target, strip, source);
}

}  // namespace morvane
