#include "core/util/whole_file_io.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <system_error>

#include "core/util/file_writer.h"

namespace morvane {

namespace fs = std::filesystem;

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
  FileWriter writer;
  return writer.Replace(
      file, std::span(reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size()));
}

bool ReadFileStart(const std::filesystem::path& file, std::size_t limit,
                   std::vector<std::uint8_t>& bytes) {
  std::FILE* stream = std::fopen(file.c_str(), "rb");
  if (stream == nullptr) return false;
  bytes.resize(limit);
  const std::size_t count = std::fread(bytes.data(), 1, limit, stream);
  const bool failed = std::ferror(stream) != 0;
  std::fclose(stream);
  bytes.resize(count);
  return !failed;
}

}  // namespace morvane
