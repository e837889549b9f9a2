#pragma once

#include <cstdint>
#include <vector>

namespace morvane {

// Layouts of the banded background of the sample views. The order is stored in the settings.
enum class GradientTypex : int {
  grxLeftToRight,
  grxRightToLeft,
  grxTopToBottom,
  grxBottomToTop,
  grxHorizCenterToBorder,
  grxHorizBorderToCenter,
  grxVertCenterToBorder,
  grxVertBorderToCenter,
};
inline constexpr int kGradientTypexCount = 8;

// Accepted band counts: 0 (one band per pixel, 2 to 256) or 2 to 256.
inline constexpr int kMaxGradientBands = 256;
constexpr bool IsValidGradientBandCount(int count) {
  return count == 0 || (count >= 2 && count <= kMaxGradientBands);
}

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// One band of the gradient: pixels begin..end-1 along the gradient's extent, in one colour.
struct GradientBand {
  int begin = 0;
  int end = 0;
  Rgb color;
  friend bool operator==(const GradientBand&, const GradientBand&) = default;
};

// True when the bands are stacked rows (the colour changes from top to bottom); false when they
// stand side by side as columns (the colour changes from left to right).
bool GradientIsStacked(GradientTypex type);

// The bands of the gradient over `extent` pixels (the control's height for stacked bands, its width
// otherwise). `background` is the control's Color, `gradient` its GradientColor. A band count of 0
// means one band per pixel, at most 256 and at least 2.
std::vector<GradientBand> GradientBands(GradientTypex type, int extent, int band_count,
                                        Rgb background, Rgb gradient);

}  // namespace morvane
