#include "core/wavetable/main_window_settings.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace morvane {

std::string ReadMainWindowSettings(SettingsReader& reader, MainWindowSettings& settings) {
  reader.ReadInteger("PX1", settings.left);
  reader.ReadInteger("PY1", settings.top);
  reader.ReadInteger("PW1", settings.width);
  reader.ReadInteger("PH1", settings.height);
  for (std::size_t c = 0; c < kCellColorSettingNames.size(); ++c) {
    reader.ReadColor(kCellColorSettingNames[c], settings.colors[c]);
  }
  reader.ReadBoolean("AutoSizeWT", settings.auto_size);
  std::int32_t cell_width = 0;
  if (!reader.ReadInteger("ZoomWT", cell_width)) return {};
  // A width outside the zoom knob's range could not be shown or zoomed back.
  settings.cell_width = std::clamp(cell_width, kMinCellWidth, kMaxCellWidth);
  if (settings.cell_width == cell_width) return {};
  return "Settings value \"ZoomWT\" (" + std::to_string(cell_width) + ") is outside " +
         std::to_string(kMinCellWidth) + " to " + std::to_string(kMaxCellWidth) + "; using " +
         std::to_string(settings.cell_width);
}

void WriteMainWindowSettings(SettingsWriter& writer, const MainWindowSettings& settings) {
  writer.WriteInteger("PX1", settings.left);
  writer.WriteInteger("PY1", settings.top);
  writer.WriteInteger("PW1", settings.width);
  writer.WriteInteger("PH1", settings.height);
  writer.WriteInteger("ZoomWT", settings.cell_width);
  for (std::size_t c = 0; c < kCellColorSettingNames.size(); ++c) {
    writer.WriteColor(kCellColorSettingNames[c], settings.colors[c]);
  }
  writer.WriteBoolean("AutoSizeWT", settings.auto_size);
}

}  // namespace morvane
