#pragma once

#include "core/settings/settings_store.h"

namespace morvane {

// What the sample editor window keeps: its place and size, and whether it was shown.
struct SampleEditorSettings {
  int left = 180;
  int top = 160;
  int width = 820;
  int height = 420;
  bool visible = false;
};

// PX16, PY16, PW16, PH16, EN16 in that order; a missing value stops the pass there.
void ReadSampleEditorSettings(SettingsReader& reader, SampleEditorSettings& settings);
void WriteSampleEditorSettings(SettingsWriter& writer, const SampleEditorSettings& settings);

}  // namespace morvane
