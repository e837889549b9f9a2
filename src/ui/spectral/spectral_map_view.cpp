#include "ui/spectral/spectral_map_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace morvane {

SpectralMapView::SpectralMapView(const WavetableStore& store, QWidget* parent)
    : QWidget(parent), store_(store) {
  setObjectName("DrawGrid1");
  SetLayout(format_, thickness_);
}

void SpectralMapView::SetLayout(int format, int thickness) {
  format_ = std::clamp(format, kMapMinFormat, kMapMaxFormat);
  thickness_ = std::clamp(thickness, kMapMinThickness, kMapMaxThickness);
  image_ =
      QImage(MapImageWidth(format_, thickness_), MapImageHeight(format_), QImage::Format_RGB32);
  image_.fill(Qt::black);
  setFixedSize(image_.size());
  selection_ = {};
  Redraw();
}

void SpectralMapView::Redraw() {
  // The lines between rows stay black: the image is filled once per layout.
  RenderSpectralMap(store_, source_, format_, thickness_, selection_, Pixels(), Stride());
  update();
}

std::uint32_t* SpectralMapView::Pixels() { return reinterpret_cast<std::uint32_t*>(image_.bits()); }

int SpectralMapView::Stride() const { return static_cast<int>(image_.bytesPerLine() / 4); }

void SpectralMapView::DrawCell(int column, int row, bool selected) {
  if (MapWaveAt(column, row, format_) < 0) return;
  RenderMapCell(store_, source_, format_, thickness_, column, row, selected, Pixels(), Stride());
  const int pitch = thickness_ + 1;
  update(QRect(column * pitch, row * (kMapRowHeight + 1), pitch, kMapRowHeight));
}

QPoint SpectralMapView::CellAt(QPoint pos) const {
  if (pos.x() < 0 || pos.y() < 0 || pos.x() >= width() || pos.y() >= height()) return {-1, -1};
  return {pos.x() / (thickness_ + 1), pos.y() / (kMapRowHeight + 1)};
}

void SpectralMapView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), image_, event->rect());
}

void SpectralMapView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit MenuRequested(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  anchor_ = CellAt(event->position().toPoint());
  SelectFromAnchorTo(anchor_);
}

void SpectralMapView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || anchor_.x() < 0) return;
  const QPoint pos = event->position().toPoint();
  const QPoint cell(std::clamp(pos.x(), 0, width() - 1) / (thickness_ + 1),
                    std::clamp(pos.y(), 0, height() - 1) / (kMapRowHeight + 1));
  SelectFromAnchorTo(cell);
}

void SpectralMapView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  anchor_ = {-1, -1};
  const QPoint cell = CellAt(event->position().toPoint());
  if (cell.x() >= 0) emit CellReleased(cell.x(), cell.y());
}

void SpectralMapView::SelectFromAnchorTo(QPoint cell) {
  if (anchor_.x() < 0 || cell.x() < 0) return;
  MapSelection next{std::min(anchor_.x(), cell.x()), std::min(anchor_.y(), cell.y()),
                    std::max(anchor_.x(), cell.x()), std::max(anchor_.y(), cell.y())};
  if (next.left == selection_.left && next.top == selection_.top &&
      next.right == selection_.right && next.bottom == selection_.bottom) {
    return;
  }
  selection_ = next;
  Redraw();
}

}  // namespace morvane
