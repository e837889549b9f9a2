#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/wavetable/wavetable_store.h"

namespace morvane {

// What DetectScale finds besides a note mask.
inline constexpr int kIrregularScale = -1;  // a staircase with unequal step widths
inline constexpr int kNotAScale = -2;

// The 12-bit note mask (bit 0 = C) of a quantizer scale table with `step` sample units per
// semitone (1..128; other values are brought into that range), or kIrregularScale, or
// kNotAScale. Reads the 256 samples only.
int DetectScale(ConstWaveSpan samples, int step);

// " 0012" for 12: the list's prefix of waveform k.
std::string ScaleListPrefix(int k);
// The list line of waveform k recognised with `mask`: the prefix, "-" and the first preset line
// whose number (the text before its first "-") equals the mask; without one, "- " and the mask.
std::string ScaleLine(int k, int mask, std::span<const std::string> presets);

// The Find menu's scale pass over the current slot: markers 2 for scale tables, 3 for irregular
// ones (mask 0 included), 0 for the rest, and one list line for each of the first two.
struct ScalePassResult {
  std::vector<std::string> lines;
  int irregular = 0;
  int Recognised() const { return static_cast<int>(lines.size()) - irregular; }
};
ScalePassResult RunScalePass(WavetableStore& store, int step, std::span<const std::string> presets);

// A line of the scales list read back: the waveform, and the mask it shows (nothing for an
// irregular one, whose line reads "Unknow").
struct ScaleListChoice {
  int k = 0;
  std::optional<int> mask;
};
// Nothing when the line names no waveform 0..2047.
std::optional<ScaleListChoice> ParseScaleListLine(const std::string& line);

}  // namespace morvane
