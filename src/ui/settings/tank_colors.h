#pragma once

#include <cstdint>

#include "core/settings/options_dialog_settings.h"

namespace morvane {

class SampleTank;

// Gives a view the colour of one of its drawn parts: lines, axes, gradient, locator, selection or
// minimum/maximum lines. False for the parts a window applies itself (back, text, markers).
bool SetTankPartColor(SampleTank& tank, EditorColor color, std::uint32_t value);

}  // namespace morvane
