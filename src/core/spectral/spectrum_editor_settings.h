#pragma once

#include "core/settings/settings_store.h"
#include "core/spectral/spectrum_view_colors.h"
#include "core/spectral/window_functions.h"

namespace morvane {

// What the spectrum editor reads at creation; the initializers are the values of a first start.
// The colours belong to the options dialog, which writes them.
struct SpectrumEditorSettings {
  int left = 330;
  int top = 150;
  bool visible = false;
  std::uint32_t text_color = kDefaultMagnitudeViewColors.text;  // panels, knobs, grid
  std::uint32_t back_color = kDefaultMagnitudeViewColors.back;
  std::uint32_t grid_text_color = kDefaultMagnitudeViewColors.marker;
  SpectrumViewColors amplitude = kDefaultMagnitudeViewColors;
  SpectrumViewColors phase = kDefaultPhaseViewColors;
  bool small_window = true;  // "Small window"
  bool grid_edit = false;    // "Grid Edit": the value grid shown
  int window_kind = kRectangleWindow;
};

// Reads a window kind; a number outside 0..15 keeps the one before.
void ReadWindowKind(SettingsReader& reader, std::string_view name, int& kind);

// Reads the values in the window's order, each applied as soon as it is read; a missing or
// wrongly-kinded value stops the pass there. A window kind or gradient layout outside its range
// keeps the one before.
void ReadSpectrumEditorSettings(SettingsReader& reader, SpectrumEditorSettings& settings);

// Writes place, visibility, the grid and size ticks and the window kind.
void WriteSpectrumEditorSettings(SettingsWriter& writer, const SpectrumEditorSettings& settings);

}  // namespace morvane
