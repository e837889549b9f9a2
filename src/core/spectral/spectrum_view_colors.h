#pragma once

#include <cstdint>

#include "core/waveform/gradient_bands.h"

namespace morvane {

// The looks of the spectrum editor's two views (magnitude and phase) before the user has chosen
// any, as 0x00BBGGRR numbers: dark backgrounds and bright lines, each drawn part in its own colour.
struct SpectrumViewColors {
  std::uint32_t back;
  std::uint32_t line;
  std::uint32_t text;
  std::uint32_t selection;
  std::uint32_t marker;
  std::uint32_t axes;
  std::uint32_t locator;
  std::uint32_t gradient;
  std::uint32_t minimax;
  GradientTypex gradient_type;
};

inline constexpr SpectrumViewColors kDefaultMagnitudeViewColors = {
    0x00100800,  // back: near-black navy
    0x0000C8FF,  // lines: orange
    0x0000FFFF,  // text: yellow
    0x00A04000,  // selection: blue
    0x00FFFF00,  // markers: aqua
    0x00606060,  // axes: grey
    0x00FF00FF,  // locator: magenta
    0x00402000,  // gradient: dark blue
    0x000080FF,  // min/max: amber
    GradientTypex::grxTopToBottom,
};

// The phase view differs from the magnitude view only by its line colour.
inline constexpr SpectrumViewColors kDefaultPhaseViewColors = {
    kDefaultMagnitudeViewColors.back,
    0x0060FF60,  // lines: light green
    kDefaultMagnitudeViewColors.text,
    kDefaultMagnitudeViewColors.selection,
    kDefaultMagnitudeViewColors.marker,
    kDefaultMagnitudeViewColors.axes,
    kDefaultMagnitudeViewColors.locator,
    kDefaultMagnitudeViewColors.gradient,
    kDefaultMagnitudeViewColors.minimax,
    kDefaultMagnitudeViewColors.gradient_type,
};

}  // namespace morvane
