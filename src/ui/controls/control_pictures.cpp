#include "ui/controls/control_pictures.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace morvane {

namespace {

constexpr double kSweepDegrees = 270.0;
constexpr double kFirstAngleDegrees = -135.0;  // from twelve o'clock, clockwise positive

// A transparent strip of `count` frames, each painted by `paint_frame(painter, index, frame)`
// in device-independent coordinates.
QPixmap PaintStrip(int count, QSize frame, qreal ratio,
                   const std::function<void(QPainter&, int, const QRectF&)>& paint_frame) {
  QPixmap strip(QSize(count * frame.width(), frame.height()) * ratio);
  strip.setDevicePixelRatio(ratio);
  strip.fill(Qt::transparent);
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < count; ++i) {
    const QRectF cell(i * frame.width(), 0, frame.width(), frame.height());
    painter.save();
    paint_frame(painter, i, cell);
    painter.restore();
  }
  return strip;
}

// The largest centred square of `cell`, shrunk by `inset` on each side.
QRectF CentredSquare(const QRectF& cell, qreal inset) {
  const qreal side = std::min(cell.width(), cell.height()) - 2 * inset;
  return QRectF(cell.center().x() - side / 2, cell.center().y() - side / 2, side, side);
}

void PaintKnob(QPainter& painter, const KnobStripLook& look, double angle_degrees,
               const QRectF& cell) {
  const qreal stroke = std::max(1.0, look.size / 15.0);
  const QRectF disc = CentredSquare(cell, stroke + look.size * 0.04);
  const qreal radius = disc.width() / 2;

  QRadialGradient shade(disc.center() - QPointF(radius * 0.35, radius * 0.35), radius * 1.4);
  shade.setColorAt(0.0, look.body.lighter(160));
  shade.setColorAt(1.0, look.body.darker(140));
  painter.setPen(QPen(look.rim, stroke));
  painter.setBrush(shade);
  painter.drawEllipse(disc);

  const double radians = angle_degrees * std::numbers::pi / 180.0;
  const QPointF direction(std::sin(radians), -std::cos(radians));
  QPen pointer(look.pointer, std::max(2.0, look.size / 10.0));
  pointer.setCapStyle(Qt::RoundCap);
  painter.setPen(pointer);
  painter.drawLine(
      QLineF(disc.center() + direction * radius * 0.3, disc.center() + direction * radius * 0.8));
}

void PaintToggle(QPainter& painter, const SwitchPictureLook& look, bool on, const QRectF& cell) {
  const qreal track_height = cell.height() * 0.6;
  const qreal inset = cell.width() * 0.08;
  const QRectF track(cell.left() + inset, cell.center().y() - track_height / 2,
                     cell.width() - 2 * inset, track_height);
  const qreal round = track_height / 2;
  painter.setPen(QPen(QColor(30, 30, 34), 1.0));
  painter.setBrush(on ? look.on_colour : QColor(92, 92, 100));
  painter.drawRoundedRect(track, round, round);

  const qreal thumb_size = track_height - 4;
  const qreal thumb_x = on ? track.right() - 2 - thumb_size : track.left() + 2;
  const QRectF thumb(thumb_x, track.top() + 2, thumb_size, thumb_size);
  painter.setBrush(QColor(236, 236, 240));
  painter.drawEllipse(thumb);
}

void PaintLed(QPainter& painter, const SwitchPictureLook& look, bool on, const QRectF& cell) {
  const QRectF lens = CentredSquare(cell, std::min(cell.width(), cell.height()) * 0.15);
  const qreal radius = lens.width() / 2;
  if (on) {
    QRadialGradient glow(lens.center(), radius * 1.45);
    QColor halo = look.on_colour;
    halo.setAlpha(110);
    glow.setColorAt(0.6, halo);
    halo.setAlpha(0);
    glow.setColorAt(1.0, halo);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(lens.center(), radius * 1.45, radius * 1.45);
  }
  QRadialGradient light(lens.center() - QPointF(radius * 0.3, radius * 0.3), radius * 1.2);
  const QColor base = on ? look.on_colour : look.on_colour.darker(350);
  light.setColorAt(0.0, on ? base.lighter(170) : base.lighter(130));
  light.setColorAt(1.0, base);
  painter.setPen(QPen(QColor(20, 20, 22), 1.0));
  painter.setBrush(light);
  painter.drawEllipse(lens);
}

}  // namespace

QPixmap DrawKnobStrip(const KnobStripLook& look) {
  const int frames = std::clamp(look.frames, 1, 256);
  const int size = std::max(look.size, 1);
  return PaintStrip(frames, QSize(size, size), look.device_pixel_ratio,
                    [&](QPainter& painter, int i, const QRectF& cell) {
                      const double share = frames == 1 ? 0.0 : double(i) / (frames - 1);
                      PaintKnob(painter, look, kFirstAngleDegrees + kSweepDegrees * share, cell);
                    });
}

QPixmap DrawSwitchFrames(const SwitchPictureLook& look) {
  const QSize size = look.size.expandedTo(QSize(1, 1));
  return PaintStrip(2, size, look.device_pixel_ratio,
                    [&](QPainter& painter, int i, const QRectF& cell) {
                      const bool on = i == 1;
                      if (look.look == SwitchLook::kToggle) {
                        PaintToggle(painter, look, on, cell);
                      } else {
                        PaintLed(painter, look, on, cell);
                      }
                    });
}

}  // namespace morvane
