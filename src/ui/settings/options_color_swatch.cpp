#include "ui/settings/options_color_swatch.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/shell/color_value.h"

namespace morvane {

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setFixedSize(sizeHint());
  setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::SetColor(std::uint32_t color) {
  if (color == color_) return;
  color_ = color;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(contentsRect(), ColorFromValue(color_));
  painter.end();
  QFrame::paintEvent(event);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit Clicked();
  }
  QFrame::mouseReleaseEvent(event);
}

}  // namespace morvane
