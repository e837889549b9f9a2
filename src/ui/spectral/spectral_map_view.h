#pragma once

#include <QImage>
#include <QWidget>

#include "core/spectral/spectral_map.h"

namespace morvane {

// The map itself: every cell drawn from the spectrum cache into one image, no transform. The left
// button drags a selection of cells and reports the cell it is released over; the right button
// asks for the window menu.
class SpectralMapView : public QWidget {
  Q_OBJECT

 public:
  explicit SpectralMapView(const WavetableStore& store, QWidget* parent = nullptr);

  void SetLayout(int format, int thickness);
  int Format() const { return format_; }
  int Thickness() const { return thickness_; }
  void SetSource(MapSource source) { source_ = source; }
  MapSource Source() const { return source_; }
  const MapSelection& Selection() const { return selection_; }

  // Redraws every cell from the cache, selected cells in their selected colours.
  void Redraw();
  // Redraws one cell only.
  void DrawCell(int column, int row, bool selected);
  // The cell (column, row) under a point of the view, or (-1, -1) off the cells.
  QPoint CellAt(QPoint pos) const;
  const QImage& Image() const { return image_; }

 signals:
  void CellReleased(int column, int row);
  void MenuRequested(QPoint global);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SelectFromAnchorTo(QPoint cell);
  std::uint32_t* Pixels();
  int Stride() const;

  const WavetableStore& store_;
  int format_ = kMapDefaultFormat;
  int thickness_ = 1;
  MapSource source_ = MapSource::kLevel;
  MapSelection selection_;
  QPoint anchor_{-1, -1};
  QImage image_;
};

}  // namespace morvane
