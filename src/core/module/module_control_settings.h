#pragma once

#include <cstdint>

#include "core/module/midi_log_colors.h"
#include "core/settings/settings_store.h"

namespace morvane {

// What the module control window keeps between runs, at its first-start values.
struct ModuleControlSettings {
  std::int32_t left = 300;  // PX8, PY8
  std::int32_t top = 120;
  std::uint32_t log_line_color = kDefaultLogLineColor;  // ColorLogLine
  std::uint32_t log_back_color = kDefaultLogBackColor;  // ColorLogBack
  std::int32_t wave_list_position = 0;                  // CtrlRef0
  std::int32_t bank_list_position = 0;                  // CtrlRef1
  std::int32_t note_ref = 24;                           // NoteRef
  std::int32_t channel = 1;                             // CanalMidi
  bool send_controllers = false;                        // SendRTCtrl
  bool send_buffer = false;                             // SendBufferRT
  bool show_log = true;                                 // ShowMidiLog
  bool visible = false;                                 // EN8
  std::int32_t bank_range = 4;                          // Range0
  std::int32_t wave_range = 5;                          // Range1
  std::int32_t clock_reset = 16;                        // loop0
  std::int32_t gate_reset = 16;                         // loop1
  std::int32_t trigger = 12;                            // Trigtime
  std::int32_t divider = 24;                            // Divide
  bool autodetect = false;                              // Autodetect
  std::uint8_t config1 = 0;                             // Config1
  std::uint8_t config2 = 0;                             // Config2
};

// Reads in the window's order; the pass stops at the first missing value, those before it stay.
// A list position outside the controller list reads as "none"; a Config byte keeps its low eight
// bits. Knob values are limited to their ranges by the knobs themselves.
void ReadModuleControlSettings(SettingsReader& reader, ModuleControlSettings& settings);
void WriteModuleControlSettings(SettingsWriter& writer, const ModuleControlSettings& settings);

}  // namespace morvane
