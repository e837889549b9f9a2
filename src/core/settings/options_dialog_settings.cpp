#include "core/settings/options_dialog_settings.h"

#include <cstddef>
#include <initializer_list>

#include "core/module/midi_log_colors.h"
#include "core/spectral/spectrum_view_colors.h"
#include "core/waveform/gradient_bands.h"
#include "core/waveform/waveform_editor_settings.h"
#include "core/wavetable/file_names.h"

namespace morvane {
namespace {

// The colours of a column in the order they are read and written (text and min/max go apart).
constexpr std::initializer_list<EditorColor> kColumnOrder = {
    kEditorBack,     kEditorLines,   kEditorMarkers,  kEditorAxes,
    kEditorGradient, kEditorLocator, kEditorSelection};

std::string LabPathName(std::size_t slot) { return "LabPath" + std::to_string(slot + 1); }

void ReadColumnColors(SettingsReader& reader, EditorView view, EditorLook& look) {
  for (EditorColor color : kColumnOrder) {
    const std::string_view name = kEditorColorSettings[view][color];
    if (!name.empty()) reader.ReadColor(name, look.colors[color]);
  }
}

void WriteColumnColors(SettingsWriter& writer, EditorView view, const EditorLook& look) {
  for (EditorColor color : kColumnOrder) {
    const std::string_view name = kEditorColorSettings[view][color];
    if (!name.empty()) writer.WriteColor(name, look.colors[color]);
  }
}

void ReadGradient(SettingsReader& reader, EditorView view, EditorLook& look) {
  GradientTypex type = static_cast<GradientTypex>(look.gradient_type);
  ReadGradientType(reader, kGradientTypeSettings[view], type);
  look.gradient_type = static_cast<std::int32_t>(type);
  reader.ReadInteger(kGradientStepsSettings[view], look.gradient_steps);
}

void WriteGradient(SettingsWriter& writer, EditorView view, const EditorLook& look) {
  writer.WriteInteger(kGradientTypeSettings[view], look.gradient_type);
  writer.WriteInteger(kGradientStepsSettings[view], look.gradient_steps);
}

EditorLook LookOf(const SpectrumViewColors& view) {
  EditorLook look;
  look.colors = {view.back, view.line,    view.text,     view.selection, view.marker,
                 view.axes, view.locator, view.gradient, view.minimax};
  look.gradient_type = static_cast<std::int32_t>(view.gradient_type);
  return look;
}

}  // namespace

WavetableColors MakeWavetableColors(const CellColors& cells, std::uint32_t log_line,
                                    std::uint32_t log_back) {
  WavetableColors colors{};
  for (std::size_t s = 0; s < colors.size(); ++s) {
    const int cell = kWavetableSwatches[s].cell_color;
    if (cell >= 0) colors[s] = cells[static_cast<std::size_t>(cell)];
  }
  colors[kLogLineSwatch] = log_line;
  colors[kLogBackSwatch] = log_back;
  return colors;
}

CellColors CellColorsOf(const WavetableColors& colors) {
  CellColors cells{};
  for (std::size_t s = 0; s < colors.size(); ++s) {
    const int cell = kWavetableSwatches[s].cell_color;
    if (cell >= 0) cells[static_cast<std::size_t>(cell)] = colors[s];
  }
  return cells;
}

std::array<std::string, kSlotCount> OptionsDialogSettings::FirstStartSlotPaths() {
  std::array<std::string, kSlotCount> paths;
  paths.fill(kNewSlotPath);
  return paths;
}

WavetableColors OptionsDialogSettings::FirstStartWavetableColors() {
  return MakeWavetableColors(kDefaultCellColors, kDefaultLogLineColor, kDefaultLogBackColor);
}

EditorLooks OptionsDialogSettings::FirstStartEditorLooks() {
  const WaveformEditorSettings editor;
  EditorLook wave;
  wave.colors[kEditorBack] = editor.back_color;
  wave.colors[kEditorLines] = editor.line_color;
  wave.colors[kEditorText] = editor.text_color;
  wave.colors[kEditorSelection] = editor.selection_color;
  wave.colors[kEditorMarkers] = editor.marker_color;
  wave.colors[kEditorAxes] = editor.axes_color;
  wave.colors[kEditorLocator] = editor.locator_color;
  wave.colors[kEditorGradient] = editor.gradient_color;
  wave.colors[kEditorMinMax] = editor.minimax_color;
  wave.gradient_type = static_cast<std::int32_t>(editor.gradient_type);
  return {wave, LookOf(kDefaultMagnitudeViewColors), LookOf(kDefaultPhaseViewColors)};
}

void ReadOptionsDialogSettings(SettingsReader& reader, OptionsDialogSettings& settings,
                               const SlotPathsRead& slot_paths_read) {
  reader.ReadInteger("PX4", settings.left);
  reader.ReadInteger("PY4", settings.top);
  reader.ReadInteger("KRN5IN", settings.krn5_input);
  reader.ReadBoolean("KRN5PRE", settings.krn5_merge);
  reader.ReadBoolean("KRN5AS", settings.krn5_startup_send);
  reader.ReadBoolean("CAPTNON", settings.capture_note_on);
  reader.ReadBoolean("CAPTCC", settings.capture_controller);
  for (std::size_t s = 0; s < kWavetableSwatches.size(); ++s) {
    reader.ReadColor(kWavetableSwatches[s].setting, settings.wavetable_colors[s]);
  }
  EditorLooks& looks = settings.editors;
  ReadGradient(reader, kWaveView, looks[kWaveView]);
  ReadColumnColors(reader, kWaveView, looks[kWaveView]);
  reader.ReadColor(kEditorColorSettings[kWaveView][kEditorText],
                   looks[kWaveView].colors[kEditorText]);
  ReadGradient(reader, kAmplView, looks[kAmplView]);
  ReadColumnColors(reader, kAmplView, looks[kAmplView]);
  ReadGradient(reader, kPhaseView, looks[kPhaseView]);
  ReadColumnColors(reader, kPhaseView, looks[kPhaseView]);
  reader.ReadColor(kEditorColorSettings[kAmplView][kEditorText],
                   looks[kAmplView].colors[kEditorText]);
  reader.ReadBoolean("EN4", settings.visible);
  reader.ReadString("TempPath", settings.temp_path);
  if (reader.ReadBoolean("RELOAD", settings.reload) && settings.reload) {
    bool all_read = true;
    for (std::size_t slot = 0; slot < settings.slot_paths.size(); ++slot) {
      all_read = reader.ReadString(LabPathName(slot), settings.slot_paths[slot]) && all_read;
    }
    if (all_read && slot_paths_read) slot_paths_read(settings);
  }
  for (EditorView view : {kWaveView, kAmplView, kPhaseView}) {
    reader.ReadColor(kEditorColorSettings[view][kEditorMinMax], looks[view].colors[kEditorMinMax]);
  }
  reader.ReadInteger("SysexSendDelay", settings.sysex_send_delay);
}

void ReadAudioOutputSettings(SettingsReader& reader, OptionsDialogSettings& settings) {
  reader.ReadInteger("AudioBufsz", settings.audio_buffers);
  reader.ReadInteger("AudioOUT", settings.audio_out);
}

void WriteOptionsDialogSettings(SettingsWriter& writer, const OptionsDialogSettings& settings) {
  writer.WriteInteger("PX4", settings.left);
  writer.WriteInteger("PY4", settings.top);
  writer.WriteInteger("MIDIIN", settings.midi_in);
  writer.WriteInteger("MIDIOUT", settings.midi_out);
  writer.WriteInteger("KRN5IN", settings.krn5_input);
  writer.WriteBoolean("KRN5PRE", settings.krn5_merge);
  writer.WriteBoolean("KRN5AS", settings.krn5_startup_send);
  writer.WriteInteger("TIMEOUT", settings.time_out);
  writer.WriteInteger("SysexSendDelay", settings.sysex_send_delay);
  writer.WriteBoolean("CAPTNON", settings.capture_note_on);
  writer.WriteBoolean("CAPTCC", settings.capture_controller);
  writer.WriteBoolean("EN4", settings.visible);
  writer.WriteBoolean("RELOAD", settings.reload);
  writer.WriteString("TempPath", settings.temp_path);
  if (settings.reload) {
    for (std::size_t slot = 0; slot < settings.slot_paths.size(); ++slot) {
      writer.WriteString(LabPathName(slot), StoredSlotPath(settings.slot_paths[slot]));
    }
  }
  const EditorLooks& looks = settings.editors;
  WriteColumnColors(writer, kWaveView, looks[kWaveView]);
  WriteGradient(writer, kWaveView, looks[kWaveView]);
  writer.WriteColor(kEditorColorSettings[kWaveView][kEditorText],
                    looks[kWaveView].colors[kEditorText]);
  WriteColumnColors(writer, kAmplView, looks[kAmplView]);
  WriteGradient(writer, kAmplView, looks[kAmplView]);
  WriteColumnColors(writer, kPhaseView, looks[kPhaseView]);
  WriteGradient(writer, kPhaseView, looks[kPhaseView]);
  writer.WriteColor(kEditorColorSettings[kAmplView][kEditorText],
                    looks[kAmplView].colors[kEditorText]);
  for (EditorView view : {kWaveView, kAmplView, kPhaseView}) {
    writer.WriteColor(kEditorColorSettings[view][kEditorMinMax], looks[view].colors[kEditorMinMax]);
  }
  writer.WriteInteger("AudioBufsz", settings.audio_buffers);
  writer.WriteInteger("AudioOUT", settings.audio_out);
  // The log colours are the module control window's to write.
}

std::string StoredSlotPath(std::string_view slot_path) {
  return HasDirectoryPart(slot_path) ? std::string(slot_path) : std::string(kNewSlotPath);
}

bool IsUnsetTempPath(std::string_view temp_path) {
  return temp_path.empty() || temp_path == kUnsetTempPath;
}

}  // namespace morvane
