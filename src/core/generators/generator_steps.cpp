#include "core/generators/generator_steps.h"

#include <cmath>

namespace morvane {
namespace {

int Swept(int start, int end, int cell_count, int k) {
  const int step = (end - start) / cell_count;
  return start + step * k;
}

}  // namespace

WaveParameters ParametricCell(const WaveParameters& start, const WaveParameters& end,
                              int cell_count, int k) {
  const int count = cell_count < 1 ? 1 : cell_count;
  WaveParameters cell;
  cell.level = Swept(start.level, end.level, count, k);
  cell.freq = Swept(start.freq, end.freq, count, k);
  cell.pulse_width = Swept(start.pulse_width, end.pulse_width, count, k);
  cell.offset = Swept(start.offset, end.offset, count, k);
  cell.phase = Swept(start.phase, end.phase, count, k);
  cell.mask = Swept(start.mask, end.mask, count, k);
  return cell;
}

void CalcMorph(const std::uint8_t* source, const std::uint8_t* target, int level,
               std::uint8_t* out) {
  for (int i = 0; i < 256; ++i) {
    const int a = source[i] - 128;
    const int b = target[i] - 128;
    const double d = (b - a) / 100.0;
    // Rising samples move up from the source, falling ones come down from the target; the
    // falling side's factor is 101 - L, so level 0 still sits a step above the target.
    const int result = d >= 0.0 ? a + static_cast<int>(std::trunc(level * d))
                                : b + static_cast<int>(std::trunc(-(101 - level) * d));
    out[i] = static_cast<std::uint8_t>((result + 128) & 0xFF);
  }
}

int PingPongStep(int x, int lo, int hi, int& direction) {
  if (lo >= x) {
    x = lo;
    direction = 1;
  }
  if (x >= hi) {
    x = hi;
    direction = -1;
  }
  return x + direction;
}

AnimationRange RangeFromSelection(int left, int top, int right, int bottom) {
  if (left == right && top == bottom) return AnimationRange{};
  return AnimationRange{left, right, top, bottom};
}

}  // namespace morvane
