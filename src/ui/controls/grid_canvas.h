#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <vector>

#include "core/wavetable/cell_trace.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// The two colours of one cell: its background and its trace.
struct CellInk {
  QRgb back;
  QRgb line;
};

// A window onto the grid's pixels, held in an image whose pixel (0, 0) is the area's top left.
// Everything is written pixel by pixel and clipped to the area: filling each column's span of a
// trace is several times faster than stroking polylines. The image is kept between paints, so
// nothing is allocated once it has reached the largest area asked for.
class GridCanvas {
 public:
  // Starts a new picture of `area` (grid coordinates); the contents are undefined until painted.
  void Reset(const QRect& area);

  const QImage& Image() const { return image_; }

  void Fill(const QRect& rect, QRgb color);
  // Background over the whole cell, then the waveform's trace.
  void PaintWaveCell(const QRect& cell, ConstWaveSpan samples, CellInk ink);
  // Inverts every other pixel of the rectangle's outline, a dotted frame that a second call
  // would remove again.
  void InvertDottedFrame(const QRect& frame);

 private:
  QRgb* Row(int y) { return rows_ + static_cast<qsizetype>(y - area_.top()) * stride_; }
  void InvertIfDotted(int x, int y);

  QImage image_;
  QRect area_;
  QRgb* rows_ = nullptr;  // the image's first row, taken once per picture
  qsizetype stride_ = 0;  // pixels from one row to the next
  std::vector<ColumnSpan> spans_;
};

}  // namespace morvane
