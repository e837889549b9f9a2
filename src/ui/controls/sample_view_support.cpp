#include "ui/controls/sample_view_support.h"

#include <QFile>
#include <QPainter>

#include "ui/controls/gradient_image.h"
#include "ui/shell/color_value.h"

namespace morvane {

TankButton ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return TankButton::kLeft;
    case Qt::RightButton:
      return TankButton::kRight;
    default:
      return TankButton::kOther;
  }
}

QPen DottedPen(std::uint32_t color) {
  QPen pen(ColorFromValue(color), 1);
  pen.setDashPattern({1.0, 1.0});
  return pen;
}

QPen SolidPen(std::uint32_t color) { return QPen(ColorFromValue(color), 1); }

// The bands are computed for one size; a resized view gets new ones rather than a stretched or
// partly painted background.
void GradientBackground::Paint(QPainter& painter, QSize size, bool banded, GradientTypex type,
                               int band_count, std::uint32_t background, std::uint32_t gradient) {
  if (!banded) {
    painter.fillRect(QRect(QPoint(0, 0), size), ColorFromValue(background));
    return;
  }
  if (!valid_ || cache_.size() != size) {
    cache_ = RenderGradient(size, type, band_count, ColorFromValue(background),
                            ColorFromValue(gradient));
    valid_ = true;
  }
  painter.drawImage(0, 0, cache_);
}

void PaintSelectionArea(QPainter& painter, const QRect& area, int style, std::uint32_t color) {
  // Exclusive or with white inverts the area.
  const QColor tint = style == 1 ? ColorFromValue(color) : QColor(Qt::white);
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.fillRect(area, tint);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

}  // namespace morvane
