#pragma once

#include <array>
#include <cstdint>

namespace morvane {

// A quantizer table built from a scale: the module reads its control voltage as an index into
// the 256 samples and plays the sample found, counted in digital steps.
struct ScaleTable {
  std::array<std::uint8_t, 256> samples{};
  int selected_notes = 0;    // notes of the mask that are on
  int samples_per_note = 0;  // 0 when no note is on
};

inline constexpr int kScaleMaskCount = 4096;  // 12 notes, bit 0 = C ... bit 11 = B

// The table of `mask` (bit k = note k) with `inc` table units per semitone, spanning `octaves`
// octaves and transposed by `transpose` semitones. No note gives 256 zeros.
ScaleTable CalcScalesAuto(int mask, int inc, int octaves, int transpose);

}  // namespace morvane
