#include "core/settings/settings_medium.h"

#include "core/util/whole_file_io.h"

namespace morvane {

namespace fs = std::filesystem;

SettingsMedium::ReadResult SettingsFile::Read(std::string& text, std::string& problem) {
  std::error_code error;
  const fs::file_status status = fs::status(file_, error);
  if (status.type() == fs::file_type::not_found) return ReadResult::kMissing;
  if (error) {
    problem = "cannot be read (" + error.message() + ")";
    return ReadResult::kUnreadable;
  }
  if (status.type() != fs::file_type::regular) {
    problem = "cannot be read (it is not a regular file)";
    return ReadResult::kUnreadable;
  }
  if (!ReadWholeFile(file_, text)) {
    problem = "cannot be read";
    return ReadResult::kUnreadable;
  }
  return ReadResult::kRead;
}

std::error_code SettingsFile::SetAside() {
  fs::path bad = file_;
  bad += ".bad";
  std::error_code error;
  fs::rename(file_, bad, error);
  // An older .bad of another type (file against folder) or an empty folder stands in the way:
  // it may be replaced. A folder with contents is never deleted.
  if (error == std::errc::is_a_directory || error == std::errc::not_a_directory ||
      error == std::errc::directory_not_empty || error == std::errc::file_exists) {
    std::error_code removal;
    if (fs::remove(bad, removal)) fs::rename(file_, bad, error);
  }
  return error;
}

bool SettingsFile::Replace(std::string_view text) { return ReplaceWholeFile(file_, text); }

}  // namespace morvane
