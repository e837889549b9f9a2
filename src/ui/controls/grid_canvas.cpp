#include "ui/controls/grid_canvas.h"

#include <algorithm>

namespace morvane {

void GridCanvas::Reset(const QRect& area) {
  area_ = area;
  if (image_.width() < area.width() || image_.height() < area.height()) {
    image_ = QImage(area.size().expandedTo(image_.size()), QImage::Format_RGB32);
  }
  rows_ = reinterpret_cast<QRgb*>(image_.bits());
  stride_ = image_.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
}

void GridCanvas::Fill(const QRect& rect, QRgb color) {
  const QRect clipped = rect & area_;
  if (clipped.isEmpty()) return;
  const int offset = clipped.left() - area_.left();
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    std::fill_n(Row(y) + offset, clipped.width(), color);
  }
}

void GridCanvas::PaintWaveCell(const QRect& cell, ConstWaveSpan samples, CellInk ink) {
  const QRect clipped = cell & area_;
  if (clipped.isEmpty()) return;
  Fill(clipped, ink.back);

  const CellPixels pixels{cell.left(), cell.top(), cell.left() + cell.width(),
                          cell.top() + cell.height()};
  spans_.resize(static_cast<std::size_t>(cell.width()));
  TraceWaveCell(pixels, samples, spans_);

  for (int x = clipped.left(); x <= clipped.right(); ++x) {
    const ColumnSpan& span = spans_[static_cast<std::size_t>(x - cell.left())];
    const int top = std::max(span.top, clipped.top());
    const int bottom = std::min(span.bottom, clipped.bottom());
    if (top > bottom) continue;
    QRgb* pixel = Row(top) + (x - area_.left());
    for (int y = top; y <= bottom; ++y, pixel += stride_) *pixel = ink.line;
  }
}

void GridCanvas::InvertIfDotted(int x, int y) {
  // The dots keep their place on the screen wherever the frame goes, as a focus frame's do.
  if (((x + y) & 1) != 0 || !area_.contains(x, y)) return;
  QRgb& pixel = Row(y)[x - area_.left()];
  pixel ^= 0x00FFFFFF;
}

void GridCanvas::InvertDottedFrame(const QRect& frame) {
  if (frame.isEmpty()) return;
  // Each outline pixel once, so corners are not inverted twice.
  for (int x = frame.left(); x <= frame.right(); ++x) {
    InvertIfDotted(x, frame.top());
    if (frame.bottom() != frame.top()) InvertIfDotted(x, frame.bottom());
  }
  for (int y = frame.top() + 1; y < frame.bottom(); ++y) {
    InvertIfDotted(frame.left(), y);
    if (frame.right() != frame.left()) InvertIfDotted(frame.right(), y);
  }
}

}  // namespace morvane
