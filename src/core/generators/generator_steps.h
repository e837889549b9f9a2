#pragma once

#include <cstdint>

#include "core/generators/wave_function.h"

namespace morvane {

// The parameter set of cell k (row-major) when a sweep from `start` to `end` is written over
// `cell_count` cells: each parameter is start + ((end - start) div cell_count) * k, the division
// truncated toward zero, so the last cell stops short of `end` and a range smaller than the count
// does not move at all.
WaveParameters ParametricCell(const WaveParameters& start, const WaveParameters& end,
                              int cell_count, int k);

// The morph of 256-byte `source` towards `target` at `level` (0..100) into `out`.
void CalcMorph(const std::uint8_t* source, const std::uint8_t* target, int level,
               std::uint8_t* out);

// One step of the back-and-forth animations: bounces `direction` at lo and hi and returns the
// next value. With lo = hi it always returns lo - 1; the caller clamps to its control's range.
int PingPongStep(int x, int lo, int hi, int& direction);

// The wave (column) and bank (row) limits of the wave and bank animations.
struct AnimationRange {
  int wave_min = 0;
  int wave_max = 63;
  int bank_min = 0;
  int bank_max = 31;

  bool operator==(const AnimationRange&) const = default;
};

// The range for a grid selection: a single cell means the whole table.
AnimationRange RangeFromSelection(int left, int top, int right, int bottom);

}  // namespace morvane
