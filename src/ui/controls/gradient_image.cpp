#include "ui/controls/gradient_image.h"

#include <QPainter>

namespace morvane {
namespace {

Rgb ToRgb(const QColor& color) {
  return {static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
          static_cast<std::uint8_t>(color.blue())};
}

}  // namespace

QImage RenderGradient(QSize size, GradientTypex type, int band_count, const QColor& background,
                      const QColor& gradient) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(background);
  const bool stacked = GradientIsStacked(type);
  const int extent = stacked ? size.height() : size.width();
  QPainter painter(&image);
  for (const GradientBand& band :
       GradientBands(type, extent, band_count, ToRgb(background), ToRgb(gradient))) {
    const int length = band.end - band.begin;
    if (length <= 0) continue;
    const QColor color(band.color.r, band.color.g, band.color.b);
    if (stacked) {
      painter.fillRect(0, band.begin, size.width(), length, color);
    } else {
      painter.fillRect(band.begin, 0, length, size.height(), color);
    }
  }
  return image;
}

}  // namespace morvane
