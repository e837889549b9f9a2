#include "core/settings/whole_file_io.h"

#include <cstdio>
#include <exception>
#include <random>
#include <system_error>

namespace morvane {

namespace {

namespace fs = std::filesystem;

// Closes the stream; true only when every write before it reached the file.
bool FinishWriting(std::FILE* stream) {
  bool written = std::fflush(stream) == 0 && std::ferror(stream) == 0;
  return std::fclose(stream) == 0 && written;
}

// A random number for a temporary name; the attempt number where the system has no random source,
// as the exclusive creation below still keeps two writers apart.
unsigned NameNumber(int attempt) {
  try {
    return std::random_device()();
  } catch (const std::exception&) {
    return static_cast<unsigned>(attempt);
  }
}

// Creates a new file beside `file` with a name no one else uses ("x" fails when it exists).
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

}  // namespace

bool ReadWholeFile(const fs::path& file, std::string& contents) {
  std::FILE* stream = std::fopen(file.c_str(), "rb");
  if (stream == nullptr) return false;
  contents.clear();
  char buffer[4096];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, stream)) > 0) contents.append(buffer, count);
  bool complete = std::ferror(stream) == 0;
  std::fclose(stream);
  return complete;
}

bool ReplaceWholeFile(const fs::path& file, std::string_view contents) {
  std::error_code error;
  if (file.has_parent_path()) {
    fs::create_directories(file.parent_path(), error);
    if (error) return false;
  }
  fs::path temporary;
  std::FILE* stream = CreateTemporaryBeside(file, temporary);
  if (stream == nullptr) return false;
  bool written = std::fwrite(contents.data(), 1, contents.size(), stream) == contents.size();
  written = FinishWriting(stream) && written;
  if (written) fs::rename(temporary, file, error);
  if (!written || error) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace morvane
