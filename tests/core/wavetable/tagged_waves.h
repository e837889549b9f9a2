#pragma once

#include <algorithm>
#include <cstdint>

#include "core/wavetable/wavetable_store.h"

namespace morvane::testing {

// Gives every waveform of the current slot contents that tell where it came from: bytes 0 and 1
// hold its index, the rest a ramp of its own slope. Markers are left as cleared.
inline void TagEveryWave(WavetableStore& store) {
  store.ClearAll();
  for (int k = 0; k < kWaveCount; ++k) {
    auto wave = store.Wave(k);
    for (int i = 0; i < kWaveLength; ++i) wave[i] = static_cast<std::uint8_t>(k * 37 + i * (k % 7));
    wave[0] = static_cast<std::uint8_t>(k & 0xFF);
    wave[1] = static_cast<std::uint8_t>(k >> 8);
  }
}

// The index the waveform at (column, row) was tagged with, or -1 for an empty waveform.
inline int TagAt(const WavetableStore& store, int column, int row) {
  const auto wave = store.Wave(row * kWavesPerBank + column);
  if (std::all_of(wave.begin(), wave.end(), [](std::uint8_t b) { return b == kZeroLine; })) {
    return -1;
  }
  return wave[0] | (wave[1] << 8);
}

inline int TagOf(int column, int row) { return row * kWavesPerBank + column; }

}  // namespace morvane::testing
