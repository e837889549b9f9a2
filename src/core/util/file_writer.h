#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>

namespace morvane {

// Saves whole files so that a failure never costs the user the file already on disk: the bytes
// go to a new temporary file in the target's folder, which is renamed over the target only when
// every byte has been written. On failure the temporary file is removed and the target is left
// as it was. The folder must exist; it is not created.
class FileWriter {
 public:
  virtual ~FileWriter() = default;

  // Replaces the file at `path` (or creates it) with `bytes`; false when anything failed. A
  // symbolic link keeps pointing at its file, which is replaced, and an existing file keeps its
  // permissions.
  bool Replace(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

 protected:
  // Writes the bytes into the open temporary file; false when not all of them got there. Tests
  // override it to fail part-way, as a full disk would.
  virtual bool WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes);
};

}  // namespace morvane
