#include "core/spectral/spectrum_editor_settings.h"

#include "core/waveform/waveform_editor_settings.h"

namespace morvane {

void ReadWindowKind(SettingsReader& reader, std::string_view name, int& kind) {
  std::int32_t value = 0;
  if (reader.ReadInteger(name, value) && value >= 0 && value < kWindowKindCount) kind = value;
}

void ReadSpectrumEditorSettings(SettingsReader& reader, SpectrumEditorSettings& settings) {
  reader.ReadInteger("PX7", settings.left);
  reader.ReadInteger("PY7", settings.top);
  reader.ReadBoolean("EN7", settings.visible);
  reader.ReadColor("ColorAmplText", settings.text_color);
  reader.ReadColor("ColorBackSM", settings.back_color);
  SpectrumViewColors& amplitude = settings.amplitude;
  reader.ReadColor("ColorLineSM", amplitude.line);
  reader.ReadColor("ColorMarkSM", amplitude.marker);
  reader.ReadColor("ColorMarkSM", settings.grid_text_color);
  reader.ReadColor("ColorAxesSM", amplitude.axes);
  reader.ReadColor("ColorGradientSM", amplitude.gradient);
  reader.ReadColor("ColorLocatorSM", amplitude.locator);
  reader.ReadColor("ColorSelectionSM", amplitude.selection);
  ReadGradientType(reader, "GradientTypeSM", amplitude.gradient_type);
  reader.ReadColor("ColorSMMinmax", amplitude.minimax);
  SpectrumViewColors& phase = settings.phase;
  reader.ReadColor("ColorLineSA", phase.line);
  reader.ReadColor("ColorMarkSA", phase.marker);
  reader.ReadColor("ColorAxesSA", phase.axes);
  reader.ReadColor("ColorGradientSA", phase.gradient);
  reader.ReadColor("ColorLocatorSA", phase.locator);
  reader.ReadColor("ColorSelectionSA", phase.selection);
  reader.ReadColor("ColorSAMinmax", phase.minimax);
  ReadGradientType(reader, "GradientTypeSA", phase.gradient_type);
  reader.ReadBoolean("Enlarge1", settings.small_window);
  reader.ReadBoolean("VtableSpectr", settings.grid_edit);
  reader.ReadBoolean("VtableSpectr", settings.grid_edit);
  ReadWindowKind(reader, "F7WIND", settings.window_kind);
}

void WriteSpectrumEditorSettings(SettingsWriter& writer, const SpectrumEditorSettings& settings) {
  writer.WriteInteger("PX7", settings.left);
  writer.WriteInteger("PY7", settings.top);
  writer.WriteBoolean("EN7", settings.visible);
  writer.WriteBoolean("VtableSpectr", settings.grid_edit);
  writer.WriteBoolean("Enlarge1", settings.small_window);
  writer.WriteInteger("F7WIND", settings.window_kind);
}

}  // namespace morvane
