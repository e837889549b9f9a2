#pragma once

#include "core/settings/settings_store.h"

namespace morvane {

// A tool window's kept place and whether it was shown: PXn, PYn and ENn for window number n.
struct WindowPlace {
  int left = 0;
  int top = 0;
  bool visible = false;
};

// PXn, PYn, ENn in that order; a missing value stops the pass there and leaves the rest as it was.
void ReadWindowPlace(SettingsReader& reader, int window, WindowPlace& place);
void WriteWindowPlace(SettingsWriter& writer, int window, const WindowPlace& place);

}  // namespace morvane
