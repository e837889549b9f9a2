#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "core/util/file_writer.h"

namespace morvane {

// Where "Save as Sysex" writes for a chosen name: the name itself when it has an extension, else
// the name + ".syx"; and the backup an existing target becomes, base + ".BAK" in the same folder
// (base: the name without its extension).
struct SysexFileTarget {
  std::string target;
  std::string backup;
};
SysexFileTarget SysexTargetFor(const std::string& chosen_name);

// Writes the bytes to the target of `chosen_name`. An existing target is kept as the backup
// first, unless a backup of that name exists already (it is then left alone and the target is
// overwritten). The new file is written in full before anything is renamed, so a failure
// leaves the target and the backup as they were. False when the file could not be written.
bool SaveSysexWithBackup(const std::string& chosen_name, std::span<const std::uint8_t> bytes,
                         FileWriter& writer);

}  // namespace morvane
