#include "core/module/parameter_sysex_file.h"

#include <system_error>

#include "core/wavetable/file_names.h"

namespace morvane {

namespace fs = std::filesystem;

SysexFileTarget SysexTargetFor(const std::string& chosen_name) {
  const std::string base = WithoutExtension(chosen_name);
  const bool has_extension = base != chosen_name;
  return {has_extension ? chosen_name : chosen_name + ".syx", base + ".BAK"};
}

namespace {

// Makes `backup` hold what `target` holds now without touching the target: a second name for the
// same file where the file system allows it, a copy otherwise. The replacement below then gives
// the target a new file, and the backup keeps the old one, as a rename would have left them.
bool KeepAsBackup(const fs::path& target, const fs::path& backup) {
  std::error_code error;
  fs::create_hard_link(target, backup, error);
  if (!error) return true;
  error.clear();
  return fs::copy_file(target, backup, fs::copy_options::none, error) && !error;
}

}  // namespace

bool SaveSysexWithBackup(const std::string& chosen_name, std::span<const std::uint8_t> bytes,
                         FileWriter& writer) {
  const SysexFileTarget names = SysexTargetFor(chosen_name);
  const fs::path target(names.target);
  const fs::path backup(names.backup);
  std::error_code error;
  const bool target_is_file = fs::is_regular_file(target, error);
  const bool backup_exists = fs::exists(fs::symlink_status(backup, error));
  bool made_backup = false;
  if (target_is_file && !backup_exists) {
    made_backup = KeepAsBackup(target, backup);
    if (!made_backup) return false;
  }
  if (writer.Replace(target, bytes)) return true;
  // Nothing new was written: the backup made for it goes again, the old file is still in place.
  if (made_backup) fs::remove(backup, error);
  return false;
}

}  // namespace morvane
