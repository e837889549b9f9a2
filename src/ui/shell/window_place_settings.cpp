#include "ui/shell/window_place_settings.h"

#include <QWidget>

#include "core/settings/window_place.h"

namespace morvane {

void RestoreWindowPlace(SettingsStore& settings, QWidget& window, int number) {
  SettingsReader reader = settings.OpenForReading();
  if (!reader.Exists()) return;
  WindowPlace place{window.x(), window.y(), window.isVisible()};
  ReadWindowPlace(reader, number, place);
  window.move(place.left, place.top);
  window.setVisible(place.visible);
}

void SaveWindowPlace(SettingsStore& settings, const QWidget& window, int number) {
  SettingsWriter writer = settings.OpenForWriting();
  WriteWindowPlace(writer, number, WindowPlace{window.x(), window.y(), window.isVisible()});
  writer.Close();
}

}  // namespace morvane
