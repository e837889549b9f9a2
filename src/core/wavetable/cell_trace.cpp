#include "core/wavetable/cell_trace.h"

#include <algorithm>
#include <utility>

namespace morvane {
namespace {

constexpr int kWidthDivisor = 258;
constexpr int kHeightDivisor = 256;

void Cover(ColumnSpan& span, int y0, int y1) {
  if (y0 > y1) std::swap(y0, y1);
  if (span.Empty()) {
    span = {y0, y1};
    return;
  }
  span.top = std::min(span.top, y0);
  span.bottom = std::max(span.bottom, y1);
}

// y of the segment at the doubled abscissa t2 (2x - 1 is a column's left edge, 2x + 1 its right
// edge), rounded to the nearest row.
int SegmentRowAt(const TracePoint& a, const TracePoint& b, int t2) {
  const int numerator = (b.y - a.y) * (t2 - 2 * a.x);
  const int denominator = 2 * (b.x - a.x);
  const int half = denominator / 2;
  const int rounded =
      numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
  return a.y + rounded;
}

void CoverSegment(const CellPixels& cell, const TracePoint& a, const TracePoint& b,
                  std::span<ColumnSpan> spans) {
  if (a.x == b.x) {
    Cover(spans[static_cast<std::size_t>(a.x - cell.left)], a.y, b.y);
    return;
  }
  if (b.x == a.x + 1) {
    // The usual step between neighbouring columns: each takes its half of the rise.
    const int middle = SegmentRowAt(a, b, 2 * a.x + 1);
    Cover(spans[static_cast<std::size_t>(a.x - cell.left)], a.y, middle);
    Cover(spans[static_cast<std::size_t>(b.x - cell.left)], middle, b.y);
    return;
  }
  for (int x = a.x; x <= b.x; ++x) {
    const int from = std::max(2 * x - 1, 2 * a.x);
    const int to = std::min(2 * x + 1, 2 * b.x);
    Cover(spans[static_cast<std::size_t>(x - cell.left)], SegmentRowAt(a, b, from),
          SegmentRowAt(a, b, to));
  }
}

}  // namespace

TracePoint WaveCellPoint(const CellPixels& cell, int index, std::uint8_t sample) {
  const int w = cell.right - cell.left - 1;
  const int h = cell.bottom - cell.top - 1;
  return {cell.left + (index * w) / kWidthDivisor + w / kWidthDivisor,
          cell.top + h - (sample * h) / kHeightDivisor};
}

void TraceWaveCell(const CellPixels& cell, ConstWaveSpan samples, std::span<ColumnSpan> spans) {
  const int width = cell.right - cell.left;
  std::fill(spans.begin(), spans.begin() + std::max(0, width), ColumnSpan{});
  if (width < 1 || cell.bottom - cell.top < 1) return;
  TracePoint previous = WaveCellPoint(cell, 0, samples[0]);
  Cover(spans[static_cast<std::size_t>(previous.x - cell.left)], previous.y, previous.y);
  for (int i = 1; i < kWaveLength; ++i) {
    const TracePoint point = WaveCellPoint(cell, i, samples[static_cast<std::size_t>(i)]);
    CoverSegment(cell, previous, point, spans);
    previous = point;
  }
}

}  // namespace morvane
