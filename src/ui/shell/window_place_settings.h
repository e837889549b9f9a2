#pragma once

class QWidget;

namespace morvane {

class SettingsStore;

// A tool window's place and visibility kept as PXn, PYn and ENn. Restoring reads them only when
// the settings exist, and a window moves only when its place was read.
void RestoreWindowPlace(SettingsStore& settings, QWidget& window, int number);
void SaveWindowPlace(SettingsStore& settings, const QWidget& window, int number);

}  // namespace morvane
