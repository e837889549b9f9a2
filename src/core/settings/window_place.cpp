#include "core/settings/window_place.h"

#include <string>

namespace morvane {

void ReadWindowPlace(SettingsReader& reader, int window, WindowPlace& place) {
  const std::string n = std::to_string(window);
  reader.ReadInteger("PX" + n, place.left);
  reader.ReadInteger("PY" + n, place.top);
  reader.ReadBoolean("EN" + n, place.visible);
}

void WriteWindowPlace(SettingsWriter& writer, int window, const WindowPlace& place) {
  const std::string n = std::to_string(window);
  writer.WriteInteger("PX" + n, place.left);
  writer.WriteInteger("PY" + n, place.top);
  writer.WriteBoolean("EN" + n, place.visible);
}

}  // namespace morvane
