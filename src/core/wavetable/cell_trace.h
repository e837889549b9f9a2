#pragma once

#include <cstdint>
#include <span>

#include "core/wavetable/wavetable_store.h"

namespace morvane {

// A grid cell in pixels; right and bottom are the first pixels past the cell.
struct CellPixels {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct TracePoint {
  int x = 0;
  int y = 0;
};

// Where sample `index` (0..255) of value `sample` is drawn in the cell: 0 at the bottom row,
// 255 near the top, the 256 samples spread over the width.
TracePoint WaveCellPoint(const CellPixels& cell, int index, std::uint8_t sample);

// The rows a trace covers in one pixel column, both inclusive; empty when top > bottom.
struct ColumnSpan {
  int top = 1;
  int bottom = 0;
  bool Empty() const { return top > bottom; }
};

// The polyline through the cell's 256 points as one vertical span per pixel column: spans[c]
// is column cell.left + c, and `spans` must hold cell.right - cell.left entries. Every point lies
// in its column's span, and the spans of neighbouring columns touch, so filling them draws a
// connected line. Segments crossing several columns are split at half-pixel boundaries.
void TraceWaveCell(const CellPixels& cell, ConstWaveSpan samples, std::span<ColumnSpan> spans);

}  // namespace morvane
