#pragma once

#include <filesystem>

namespace morvane {

// Per-user folders of the editor, following the XDG base directories.
std::filesystem::path UserConfigFolder();  // $XDG_CONFIG_HOME or ~/.config
std::filesystem::path UserDataFolder();    // $XDG_DATA_HOME or ~/.local/share, + /morvane8

// The file standing for the settings key "\Software\Tandrel\MRV8_V2".
std::filesystem::path SettingsFilePath();

}  // namespace morvane
