#pragma once

#include <cstdint>

namespace morvane {

// The MIDI log pane's text and background before the user has chosen any: aqua on navy
// (0x00BBGGRR numbers).
inline constexpr std::uint32_t kDefaultLogLineColor = 0x00FFFF00;
inline constexpr std::uint32_t kDefaultLogBackColor = 0x00800000;

}  // namespace morvane
