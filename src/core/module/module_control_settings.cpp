#include "core/module/module_control_settings.h"

#include "core/midi/controller_names.h"

namespace morvane {
namespace {

void ReadListPosition(SettingsReader& reader, const char* name, std::int32_t& position) {
  std::int32_t value = 0;
  if (reader.ReadInteger(name, value)) {
    position = value >= 0 && value < kControllerListSize ? value : 0;
  }
}

void ReadByte(SettingsReader& reader, const char* name, std::uint8_t& byte) {
  std::int32_t value = 0;
  if (reader.ReadInteger(name, value)) byte = static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

void ReadModuleControlSettings(SettingsReader& reader, ModuleControlSettings& settings) {
  reader.ReadInteger("PX8", settings.left);
  reader.ReadInteger("PY8", settings.top);
  reader.ReadColor("ColorLogLine", settings.log_line_color);
  reader.ReadColor("ColorLogBack", settings.log_back_color);
  ReadListPosition(reader, "CtrlRef0", settings.wave_list_position);
  ReadListPosition(reader, "CtrlRef1", settings.bank_list_position);
  reader.ReadInteger("NoteRef", settings.note_ref);
  reader.ReadInteger("CanalMidi", settings.channel);
  reader.ReadBoolean("SendRTCtrl", settings.send_controllers);
  reader.ReadBoolean("SendBufferRT", settings.send_buffer);
  reader.ReadBoolean("ShowMidiLog", settings.show_log);
  reader.ReadBoolean("EN8", settings.visible);
  reader.ReadInteger("Range0", settings.bank_range);
  reader.ReadInteger("Range1", settings.wave_range);
  reader.ReadInteger("loop0", settings.clock_reset);
  reader.ReadInteger("loop1", settings.gate_reset);
  reader.ReadInteger("Trigtime", settings.trigger);
  reader.ReadInteger("Divide", settings.divider);
  reader.ReadBoolean("Autodetect", settings.autodetect);
  ReadByte(reader, "Config1", settings.config1);
  ReadByte(reader, "Config2", settings.config2);
}

void WriteModuleControlSettings(SettingsWriter& writer, const ModuleControlSettings& settings) {
  writer.WriteInteger("PX8", settings.left);
  writer.WriteInteger("PY8", settings.top);
  writer.WriteBoolean("EN8", settings.visible);
  writer.WriteInteger("CtrlRef0", settings.wave_list_position);
  writer.WriteInteger("CtrlRef1", settings.bank_list_position);
  writer.WriteInteger("NoteRef", settings.note_ref);
  writer.WriteInteger("CanalMidi", settings.channel);
  writer.WriteBoolean("SendRTCtrl", settings.send_controllers);
  writer.WriteInteger("Range0", settings.bank_range);
  writer.WriteInteger("Range1", settings.wave_range);
  writer.WriteInteger("loop0", settings.clock_reset);
  writer.WriteInteger("loop1", settings.gate_reset);
  writer.WriteInteger("Divide", settings.divider);
  writer.WriteInteger("Trigtime", settings.trigger);
  writer.WriteBoolean("Autodetect", settings.autodetect);
  writer.WriteColor("ColorLogLine", settings.log_line_color);
  writer.WriteColor("ColorLogBack", settings.log_back_color);
  writer.WriteInteger("Config1", settings.config1);
  writer.WriteInteger("Config2", settings.config2);
  writer.WriteBoolean("SendBufferRT", settings.send_buffer);
  writer.WriteBoolean("ShowMidiLog", settings.show_log);
}

}  // namespace morvane
