#include "core/wavetable/calculated_tables.h"

#include <algorithm>
#include <cmath>

#include "core/spectral/window_functions.h"

namespace morvane {

void FillRandomSteps(WavetableStore& store, int count, const WaveParameters& p,
                     const RandomSource& random) {
  const int period = std::max(1, kWaveLength / std::max(1, p.freq));
  RandomStepsState state{p.phase};
  for (int k = 0; k < std::min(count, kWaveCount); ++k) {
    WaveSpan wave = store.Wave(k);
    for (std::uint8_t& sample : wave) {
      sample = ConvertSample(NextRandomStep(state, p, period, random), p.mask);
    }
  }
}

std::array<std::uint8_t, kWaveLength> WindowShape(int kind) {
  std::array<std::uint8_t, kWaveLength> shape{};
  for (int j = 0; j < kWaveLength; ++j) {
    const double value = WindowValue(kind, j, kWaveLength);
    const double v = std::isnan(value) ? 0.0 : std::trunc(value * 256);
    shape[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
  }
  return shape;
}

}  // namespace morvane
