#pragma once

#include <QSize>

class QPainter;
class QPixmap;
class QWidget;

namespace morvane {

// A picture strip holds `count` frames of equal width side by side; any remainder columns at
// the right are not part of a frame.

// Size of one frame in the widget's own (device-independent) pixels; empty when the strip is
// empty or narrower than `count` pixels.
QSize StripFrameSize(const QPixmap& strip, int count);

// Size a picture control asks for: one frame, or 30 x 30 until it has a picture.
QSize StripControlSize(const QPixmap& strip, int count);

// Resizes `control` to one frame; leaves it alone while the strip has no frame.
void FitToStripFrame(QWidget& control, const QPixmap& strip, int count);

// Draws frame `index` at the painter's origin; draws nothing when the frame is empty.
void DrawStripFrame(QPainter& painter, const QPixmap& strip, int count, int index);

}  // namespace morvane
