#pragma once

#include <string>

#include "core/settings/settings_store.h"
#include "core/wavetable/cell_colors.h"

namespace morvane {

inline constexpr int kMinCellWidth = 12;
inline constexpr int kMaxCellWidth = 128;

// What the main window keeps between runs; the initializers are the values of a first start.
struct MainWindowSettings {
  int left = 238;
  int top = 443;
  int width = 1096;
  int height = 713;
  int cell_width = 39;
  bool auto_size = true;
  CellColors colors = kDefaultCellColors;
};

// Reads the values in the window's order, each applied as soon as it is read; a missing or
// wrongly-kinded value stops the pass there (the reader then holds the error). A cell width
// outside 12..128 is brought into that range and returns a line saying so; else "".
std::string ReadMainWindowSettings(SettingsReader& reader, MainWindowSettings& settings);
void WriteMainWindowSettings(SettingsWriter& writer, const MainWindowSettings& settings);

}  // namespace morvane
