#pragma once

#include <QImage>
#include <QPen>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <filesystem>

#include "core/waveform/gradient_bands.h"
#include "core/waveform/sample_tank_mouse.h"

class QPainter;

namespace morvane {

// What the sample views (the waveform's and the long sample's) share in drawing and routing.

TankButton ButtonOf(Qt::MouseButton button);
// One pixel on, one off: axes are drawn dotted.
QPen DottedPen(std::uint32_t color);
QPen SolidPen(std::uint32_t color);

// The background of a view: plain, or banded and cached until one of its properties or the size
// changes.
class GradientBackground {
 public:
  void Invalidate() { valid_ = false; }
  void Paint(QPainter& painter, QSize size, bool banded, GradientTypex type, int band_count,
             std::uint32_t background, std::uint32_t gradient);

 private:
  QImage cache_;
  bool valid_ = false;
};

// The selected area: style 1 combines it with `color` by exclusive or, any other style inverts it.
void PaintSelectionArea(QPainter& painter, const QRect& area, int style, std::uint32_t color);

}  // namespace morvane
