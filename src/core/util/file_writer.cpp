#include "core/util/file_writer.h"

#include <exception>
#include <random>
#include <system_error>

namespace morvane {

namespace {

namespace fs = std::filesystem;

// The file a save really replaces: the one a symbolic link points at, so the link survives.
fs::path ReplacedFile(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  fs::path target = fs::canonical(path, error);
  return error ? path : target;  // a dangling link is replaced itself
}

// A random number for a temporary name; the attempt number where the system has no random
// source, as the exclusive creation below still keeps two writers apart.
unsigned NameNumber(int attempt) {
  try {
    return std::random_device()();
  } catch (const std::exception&) {
    return static_cast<unsigned>(attempt);
  }
}

// Creates a new file beside `file` under a name nobody else uses ("x" fails when it exists).
std::FILE* CreateTemporaryBeside(const fs::path& file, fs::path& temporary) {
  constexpr int kAttempts = 16;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".tmp%08x", NameNumber(attempt));
    temporary = file;
    temporary += suffix;
    if (std::FILE* stream = std::fopen(temporary.c_str(), "wbx")) return stream;
  }
  return nullptr;
}

// Closes the stream; true only when every byte written before reached the file.
bool FinishWriting(std::FILE* stream) {
  const bool flushed = std::fflush(stream) == 0 && std::ferror(stream) == 0;
  return std::fclose(stream) == 0 && flushed;
}

// Gives the new file the permissions of the one it replaces, if there is one.
void KeepPermissions(const fs::path& old_file, const fs::path& new_file) {
  std::error_code error;
  const fs::file_status status = fs::status(old_file, error);
  if (!error && fs::is_regular_file(status)) fs::permissions(new_file, status.permissions(), error);
}

}  // namespace

bool FileWriter::Replace(const fs::path& path, std::span<const std::uint8_t> bytes) {
  const fs::path target = ReplacedFile(path);
  fs::path temporary;
  std::FILE* stream = CreateTemporaryBeside(target, temporary);
  if (stream == nullptr) return false;
  bool written = WriteBytes(stream, bytes);
  written = FinishWriting(stream) && written;
  std::error_code error;
  if (written) {
    KeepPermissions(target, temporary);
    fs::rename(temporary, target, error);
  }
  if (!written || error) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
}

bool FileWriter::WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

}  // namespace morvane
