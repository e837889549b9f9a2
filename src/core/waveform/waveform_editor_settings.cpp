#include "core/waveform/waveform_editor_settings.h"

namespace morvane {
namespace {

// The toggles are stored as integers 0 / 1; any value but 0 is on.
void ReadToggle(SettingsReader& reader, const char* name, bool& on) {
  std::int32_t value = 0;
  if (reader.ReadInteger(name, value)) on = value != 0;
}

}  // namespace

void ReadGradientType(SettingsReader& reader, std::string_view name, GradientTypex& type) {
  std::int32_t value = 0;
  if (reader.ReadInteger(name, value) && value >= 0 && value < kGradientTypexCount) {
    type = static_cast<GradientTypex>(value);
  }
}

void ReadWaveformEditorSettings(SettingsReader& reader, WaveformEditorSettings& settings) {
  reader.ReadInteger("PX3", settings.left);
  reader.ReadInteger("PY3", settings.top);
  reader.ReadBoolean("Vtable1", settings.grid_edit);
  reader.ReadBoolean("Cpanel1", settings.control_panel);
  reader.ReadBoolean("EN3", settings.visible);
  reader.ReadColor("ColorMark", settings.marker_color);
  reader.ReadColor("ColorMark", settings.grid_text_color);
  reader.ReadColor("ColorWaveText", settings.text_color);
  reader.ReadColor("ColorBack", settings.back_color);
  reader.ReadColor("ColorLine", settings.line_color);
  reader.ReadColor("ColorAxes", settings.axes_color);
  reader.ReadColor("ColorGradient", settings.gradient_color);
  reader.ReadColor("ColorLocator", settings.locator_color);
  reader.ReadColor("ColorSelection", settings.selection_color);
  reader.ReadColor("ColorWaveMinmax", settings.minimax_color);
  ReadGradientType(reader, "GradientType", settings.gradient_type);
  ReadToggle(reader, "WedCenter", settings.center);
  ReadToggle(reader, "WedLine", settings.line);
  ReadToggle(reader, "WedMark", settings.markers);
  ReadToggle(reader, "WedFull", settings.full);
}

void WriteWaveformEditorSettings(SettingsWriter& writer, const WaveformEditorSettings& settings) {
  writer.WriteInteger("PX3", settings.left);
  writer.WriteInteger("PY3", settings.top);
  writer.WriteBoolean("EN3", settings.visible);
  writer.WriteBoolean("Vtable1", settings.grid_edit);
  writer.WriteBoolean("Cpanel1", settings.control_panel);
  writer.WriteInteger("WedCenter", settings.center ? 1 : 0);
  writer.WriteInteger("WedLine", settings.line ? 1 : 0);
  writer.WriteInteger("WedMark", settings.markers ? 1 : 0);
  writer.WriteInteger("WedFull", settings.full ? 1 : 0);
}

}  // namespace morvane
