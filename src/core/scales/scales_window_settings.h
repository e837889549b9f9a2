#pragma once

#include "core/settings/settings_store.h"

namespace morvane {

// What the scales window keeps: its place and whether it was shown.
struct ScalesWindowSettings {
  int left = 420;
  int top = 200;
  bool visible = false;
};

// PX13, PY13, EN13 in that order; a missing value stops the pass there.
void ReadScalesWindowSettings(SettingsReader& reader, ScalesWindowSettings& settings);
void WriteScalesWindowSettings(SettingsWriter& writer, const ScalesWindowSettings& settings);

}  // namespace morvane
