#include "platform/user_folders.h"

#include <cstdlib>

namespace morvane {

namespace {

// An XDG variable counts only when it holds an absolute path.
std::filesystem::path FromEnvironment(const char* variable, const char* home_relative) {
  if (const char* value = std::getenv(variable); value && *value == '/') return value;
  const char* home = std::getenv("HOME");
  std::filesystem::path base = (home && *home) ? home : std::filesystem::temp_directory_path();
  return base / home_relative;
}

}  // namespace

std::filesystem::path UserConfigFolder() { return FromEnvironment("XDG_CONFIG_HOME", ".config"); }

std::filesystem::path UserDataFolder() {
  return FromEnvironment("XDG_DATA_HOME", ".local/share") / "morvane8";
}

std::filesystem::path SettingsFilePath() { return UserConfigFolder() / "Tandrel" / "MRV8_V2.conf"; }

}  // namespace morvane
