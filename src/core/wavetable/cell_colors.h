#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace morvane {

// The ten colours of the wavetable grid's cells, 0x00BBGGRR values, in their settings order.
enum CellColor {
  kCellBack,
  kCellLine,
  kCellSelectedBack,
  kCellSelectedLine,
  kCellMarkLine,
  kCellMarkBack,
  kCellScaleLine,
  kCellScaleBack,
  kCellIrregularScaleLine,
  kCellIrregularScaleBack,
  kCellColorCount
};

using CellColors = std::array<std::uint32_t, kCellColorCount>;

inline constexpr std::array<std::string_view, kCellColorCount> kCellColorSettingNames = {
    "ColorBackWT",        "ColorLineWT",       "ColorSelWT",       "ColorSelWTL",
    "ColorMarkLineWT",    "ColorMarkBackWT",   "ColorScaleLineWT", "ColorScaleBackWT",
    "ColorIrScaleLineWT", "ColorIrScaleBackWT"};

// The palette of a first start: dark cells with bright lines, a distinct pair for each state, so
// the grid is readable before the user has chosen colours.
inline constexpr CellColors kDefaultCellColors = {
    0x00201810,  // back: near-black blue
    0x0078DC50,  // line: green
    0x00824628,  // selected back: steel blue
    0x00FFFFFF,  // selected line: white
    0x0028C8FF,  // mark line: amber
    0x000A3246,  // mark back: dark brown
    0x00FFC85A,  // scale line: sky blue
    0x00462D0A,  // scale back: dark teal
    0x00C86EFF,  // irregular scale line: pink
    0x00320F46,  // irregular scale back: dark plum
};

}  // namespace morvane
