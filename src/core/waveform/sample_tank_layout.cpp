#include "core/waveform/sample_tank_layout.h"

#include <algorithm>

namespace morvane {

bool SampleTankLayout::IsOnLocator(int x, int locator_pos) const {
  const int b = max_ * x / W2();
  return locator_pos - 5 < b && b < locator_pos + 5;
}

int SampleTankLayout::IndexAt(int x) const {
  return std::clamp((x - 2) * (max_ + 2) / W2(), 0, max_ - 1);
}

int SampleTankLayout::SelectionIndexAt(int x) const {
  return (x - (W2() / max_ + 2)) * (max_ + 2) / W2();
}

int SampleTankLayout::DrawnValue(int value, int y) const {
  // The step follows the pen from the point's current height. Near the top and bottom rows (and
  // outside the control while dragging) the step overshoots the byte range; wrapping would throw
  // the sample to the opposite edge, so it is held at the edge instead.
  const int step = 256 * (ValueY(value) - y) / H2();
  return std::clamp(value + step, 0, 255);
}

}  // namespace morvane
