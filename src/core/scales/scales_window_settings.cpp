#include "core/scales/scales_window_settings.h"

namespace morvane {

void ReadScalesWindowSettings(SettingsReader& reader, ScalesWindowSettings& settings) {
  reader.ReadInteger("PX13", settings.left);
  reader.ReadInteger("PY13", settings.top);
  reader.ReadBoolean("EN13", settings.visible);
}

void WriteScalesWindowSettings(SettingsWriter& writer, const ScalesWindowSettings& settings) {
  writer.WriteInteger("PX13", settings.left);
  writer.WriteInteger("PY13", settings.top);
  writer.WriteBoolean("EN13", settings.visible);
}

}  // namespace morvane
