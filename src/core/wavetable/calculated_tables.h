#pragma once

#include <array>
#include <cstdint>

#include "core/generators/wave_function.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// "Fast Random": waveforms 0..count-1 of the current slot as one run of the random-steps shape,
// the counter starting at Phase and, with the width count, state and held value, carried on from
// each waveform into the next. The period is 256 div Freq.
void FillRandomSteps(WavetableStore& store, int count, const WaveParameters& p,
                     const RandomSource& random);

// A window function as a waveform: byte j = trunc(window(kind, j, 256) * 256), limited to
// 0..255, so that a value of 1.0 is 255.
std::array<std::uint8_t, kWaveLength> WindowShape(int kind);

}  // namespace morvane
