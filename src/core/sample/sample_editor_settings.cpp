#include "core/sample/sample_editor_settings.h"

namespace morvane {

void ReadSampleEditorSettings(SettingsReader& reader, SampleEditorSettings& settings) {
  reader.ReadInteger("PX16", settings.left);
  reader.ReadInteger("PY16", settings.top);
  reader.ReadInteger("PW16", settings.width);
  reader.ReadInteger("PH16", settings.height);
  reader.ReadBoolean("EN16", settings.visible);
}

void WriteSampleEditorSettings(SettingsWriter& writer, const SampleEditorSettings& settings) {
  writer.WriteInteger("PX16", settings.left);
  writer.WriteInteger("PY16", settings.top);
  writer.WriteInteger("PW16", settings.width);
  writer.WriteInteger("PH16", settings.height);
  writer.WriteBoolean("EN16", settings.visible);
}

}  // namespace morvane
