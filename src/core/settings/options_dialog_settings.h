#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/sample/audio_output_choice.h"
#include "core/settings/settings_store.h"
#include "core/wavetable/cell_colors.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// ---- "WaveTable" colours: a line and a back swatch for each kind of grid cell and for the log.

enum WavetableSwatch {
  kNormalLineSwatch,
  kNormalBackSwatch,
  kSelectedLineSwatch,
  kSelectedBackSwatch,
  kMarkerLineSwatch,
  kMarkerBackSwatch,
  kScaleLineSwatch,
  kScaleBackSwatch,
  kNrScaleLineSwatch,
  kNrScaleBackSwatch,
  kLogLineSwatch,
  kLogBackSwatch,
  kWavetableSwatchCount
};

struct WavetableSwatchInfo {
  std::string_view setting;
  int cell_color;  // the grid colour it stands for (CellColor), or -1 for the MIDI log
};

// Row by row, line before back: the order in which they are read.
inline constexpr std::array<WavetableSwatchInfo, kWavetableSwatchCount> kWavetableSwatches = {{
    {"ColorLineWT", kCellLine},
    {"ColorBackWT", kCellBack},
    {"ColorSelWTL", kCellSelectedLine},
    {"ColorSelWT", kCellSelectedBack},
    {"ColorMarkLineWT", kCellMarkLine},
    {"ColorMarkBackWT", kCellMarkBack},
    {"ColorScaleLineWT", kCellScaleLine},
    {"ColorScaleBackWT", kCellScaleBack},
    {"ColorIrScaleLineWT", kCellIrregularScaleLine},
    {"ColorIRScaleBackWT", kCellIrregularScaleBack},  // the same value as "ColorIrScaleBackWT"
    {"ColorLogLine", -1},
    {"ColorLogBack", -1},
}};

using WavetableColors = std::array<std::uint32_t, kWavetableSwatchCount>;

WavetableColors MakeWavetableColors(const CellColors& cells, std::uint32_t log_line,
                                    std::uint32_t log_back);
CellColors CellColorsOf(const WavetableColors& colors);

// ---- "Editors" colours: a column per view, a row per drawn part.

enum EditorView { kWaveView, kAmplView, kPhaseView, kEditorViewCount };

enum EditorColor {
  kEditorBack,
  kEditorLines,
  kEditorText,
  kEditorSelection,
  kEditorMarkers,
  kEditorAxes,
  kEditorLocator,
  kEditorGradient,
  kEditorMinMax,
  kEditorColorCount
};

// The setting of each swatch; "" where the group has none (the phase view has no back and text
// of its own).
inline constexpr std::array<std::array<std::string_view, kEditorColorCount>, kEditorViewCount>
    kEditorColorSettings = {{
        {"ColorBack", "ColorLine", "ColorWaveText", "ColorSelection", "ColorMark", "ColorAxes",
         "ColorLocator", "ColorGradient", "ColorWaveMinmax"},
        {"ColorBackSM", "ColorLineSM", "ColorAmplText", "ColorSelectionSM", "ColorMarkSM",
         "ColorAxesSM", "ColorLocatorSM", "ColorGradientSM", "ColorSMMinmax"},
        {"", "ColorLineSA", "", "ColorSelectionSA", "ColorMarkSA", "ColorAxesSA", "ColorLocatorSA",
         "ColorGradientSA", "ColorSAMinmax"},
    }};
inline constexpr std::array<std::string_view, kEditorViewCount> kGradientTypeSettings = {
    "GradientType", "GradientTypeSM", "GradientTypeSA"};
inline constexpr std::array<std::string_view, kEditorViewCount> kGradientStepsSettings = {
    "StepsGradient", "StepsGradientSM", "StepsGradientSA"};

inline constexpr int kMinGradientSteps = 1;
inline constexpr int kMaxGradientSteps = 256;
inline constexpr int kInitialGradientSteps = 100;

// What one view's column of the group holds.
struct EditorLook {
  std::array<std::uint32_t, kEditorColorCount> colors{};
  std::int32_t gradient_type = 0;  // one of the eight gradient layouts
  std::int32_t gradient_steps = kInitialGradientSteps;
};

using EditorLooks = std::array<EditorLook, kEditorViewCount>;

// ---- The dialog's values.

inline constexpr const char* kUnsetTempPath = "...";
inline constexpr const char* kNewSlotPath = "New";

// What the options dialog keeps between runs; the initializers are the values of a first start.
// Every colour starts as the window that shows it draws it before any choice, so the first exit
// stores those looks and not a system colour.
struct OptionsDialogSettings {
  int left = 240;
  int top = 160;
  int midi_in = 0;
  int midi_out = 0;
  int time_out = 20;
  int sysex_send_delay = 0;
  int krn5_input = 0;
  bool krn5_merge = false;
  bool krn5_startup_send = true;
  bool capture_note_on = true;
  bool capture_controller = true;
  bool visible = false;
  std::string temp_path = kUnsetTempPath;
  bool reload = false;
  std::array<std::string, kSlotCount> slot_paths = FirstStartSlotPaths();
  WavetableColors wavetable_colors = FirstStartWavetableColors();
  EditorLooks editors = FirstStartEditorLooks();
  int audio_buffers = kInitialBufferKnob;
  int audio_out = 0;  // entry of the device list

  static std::array<std::string, kSlotCount> FirstStartSlotPaths();
  static WavetableColors FirstStartWavetableColors();
  static EditorLooks FirstStartEditorLooks();
};

// Runs once the eight slot paths have been read, which happens only while RELOAD is on: the
// slots are reloaded from them before the values after them are read.
using SlotPathsRead = std::function<void(const OptionsDialogSettings&)>;

// Reads the values in the dialog's order, each taken as soon as it is read; a missing or
// wrongly-kinded value stops the pass there (the reader then holds the error). A gradient type
// outside the eight layouts keeps the one before. The MIDI ports and the time-out are read by
// the MIDI transport, the audio values by ReadAudioOutputSettings.
void ReadOptionsDialogSettings(SettingsReader& reader, OptionsDialogSettings& settings,
                               const SlotPathsRead& slot_paths_read = {});

// The buffer knob (AudioBufsz) and the device list entry (AudioOUT), read on their own pass while
// the audio devices are listed.
void ReadAudioOutputSettings(SettingsReader& reader, OptionsDialogSettings& settings);

// Writes the values the dialog owns, in its order. The slot paths go only while RELOAD is on,
// so the stored ones otherwise stay as they were. The grid's ten colours are the main window's
// to write.
void WriteOptionsDialogSettings(SettingsWriter& writer, const OptionsDialogSettings& settings);

// A slot path as it is kept for the next start: the path when it names a folder, "New" for a new
// or received table, which no file could bring back.
std::string StoredSlotPath(std::string_view slot_path);

// An empty temp folder or the "..." of a first start still waits for its default.
bool IsUnsetTempPath(std::string_view temp_path);

}  // namespace morvane
