#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/wavetable/wavetable_store.h"

namespace morvane {

// A sample as a percentage of full swing around the zero line: (value * 100 - 12800) / 127,
// truncated, so 255 is 100 and 0 is -100.
constexpr int PercentOfSample(std::uint8_t value) { return (value * 100 - 12800) / 127; }

// The five knobs of the control panel. Each recomputes the view from the waveform as stored, with
// its own value only, so their effects never add up.
enum class WaveTransform { kLevel, kVertical, kBitAvg, kOffset, kMask };

// Applies one knob to a sample view or its model (both offer the same operations).
template <typename View>
void ApplyWaveTransform(View& view, WaveTransform transform, std::span<const std::uint8_t> stored,
                        int value) {
  switch (transform) {
    case WaveTransform::kLevel:
      view.ApplyLevel(stored, value);
      break;
    case WaveTransform::kVertical:
      view.ApplyVertical(stored, value);
      break;
    case WaveTransform::kBitAvg:
      view.ApplyBitAverage(stored, value);
      break;
    case WaveTransform::kOffset:
      view.ApplyOffset(stored, value);
      break;
    case WaveTransform::kMask:
      view.ApplyMask(stored, value);
      break;
  }
}

// Places the working copy turns towards index 0 when the locator is dragged from `from` to `to`
// with rotation on: from - to (negative: towards the end).
constexpr int RotationForLocatorMove(int from, int to) { return from - to; }

// The locator after a recorded step: one on, modulo 256, back to the selection start once it
// reaches the end of the selection.
constexpr int NextRecordLocator(int locator, int selection_start, int selection_length) {
  const int next = (locator + 1) % 256;
  return next >= selection_start + selection_length ? selection_start : next;
}

struct SelectionRange {
  int start = 0;
  int length = 0;
  friend bool operator==(const SelectionRange&, const SelectionRange&) = default;
};

// The Edit menu's three commands that alternate between two states. All start from their first
// state when the program starts and are never saved.
class EditMenuToggles {
 public:
  // Samples 0 to 254 (not 255), then nothing.
  SelectionRange SelectAll();
  // 127 samples from 0, then 127 samples from 128.
  SelectionRange SelectHalf();
  // 0, then 128.
  int CenterLocator();

 private:
  bool select_all_ = false;
  bool select_half_ = false;
  bool center_locator_ = false;
};

// Captions of the five scale marks beside the view, from the bottom line to the top one, and of
// the unit: percent of full swing with bars drawn from the centre, raw values otherwise.
struct ScaleCaptions {
  std::array<std::string_view, 5> marks;
  std::string_view unit;
};
ScaleCaptions ScaleCaptionsFor(bool from_center);

}  // namespace morvane
