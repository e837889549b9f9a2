#pragma once

#include <cstdint>
#include <string_view>

#include "core/settings/settings_store.h"
#include "core/waveform/gradient_bands.h"

namespace morvane {

// What the waveform editor reads at creation; the initializers are the values of a first start.
// The colours are 0x00BBGGRR numbers or system colour codes; the options dialog writes them.
struct WaveformEditorSettings {
  int left = 300;
  int top = 120;
  bool grid_edit = true;      // value grid panel shown
  bool control_panel = true;  // transform knob panel shown
  bool visible = false;
  std::uint32_t marker_color = 0xFFFF00;
  std::uint32_t grid_text_color = 0xFFFF00;  // the marker colour, read a second time
  std::uint32_t text_color = 0x00FF00;
  std::uint32_t back_color = 0x000000;
  std::uint32_t line_color = 0x808000;
  std::uint32_t axes_color = 0x000080;
  std::uint32_t gradient_color = 0x800000;
  std::uint32_t locator_color = 0x800080;
  std::uint32_t selection_color = 0xFF0000;
  std::uint32_t minimax_color = 0x800080;
  GradientTypex gradient_type = GradientTypex::grxVertCenterToBorder;
  bool center = true;   // "C": bars from the middle, percent scale
  bool line = false;    // "L": a line instead of bars
  bool markers = true;  // "M"
  bool full = true;     // "A": centre cross and quarter lines
};

// Reads a gradient layout; a number outside the eight layouts keeps the one before.
void ReadGradientType(SettingsReader& reader, std::string_view name, GradientTypex& type);

// Reads the values in the window's order, each applied as soon as it is read; a missing or
// wrongly-kinded value stops the pass there (the reader then holds the error). A gradient type
// outside the eight layouts keeps the one before.
void ReadWaveformEditorSettings(SettingsReader& reader, WaveformEditorSettings& settings);

// Writes the values the window owns: place, visibility, panels and the four toggles. The colours
// belong to the options dialog and are not written here.
void WriteWaveformEditorSettings(SettingsWriter& writer, const WaveformEditorSettings& settings);

}  // namespace morvane
