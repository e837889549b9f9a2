#include "core/scales/preset_scales.h"

#include <cstdio>
#include <system_error>

#include "core/util/whole_file_io.h"

namespace morvane {

namespace {

constexpr std::size_t kPresetFileLimit = 1 << 20;

bool IsTextLine(std::string_view line) {
  for (unsigned char c : line) {
    if (c < 0x20 && c != '\t') return false;
    if (c == 0x7F) return false;
  }
  return true;
}

}  // namespace

std::string FormatPresetEntry(int mask, std::string_view name) {
  char number[8];
  std::snprintf(number, sizeof number, " %04d", mask);
  return std::string(number) + "- " + std::string(name);
}

std::optional<int> ParsePresetNumber(std::string_view entry) {
  const std::size_t dash = entry.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  std::string_view text = entry.substr(0, dash);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

PresetFile ParsePresetFile(std::string_view bytes) {
  PresetFile file;
  int number = 0;
  while (!bytes.empty()) {
    ++number;
    std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (IsTextLine(line) && ParsePresetNumber(line)) {
      file.entries.emplace_back(line);
    } else {
      file.malformed_lines.push_back(number);
    }
  }
  return file;
}

std::string SerializePresetFile(const std::vector<std::string>& entries) {
  std::string bytes;
  for (const std::string& entry : entries) bytes += entry + "\r\n";
  return bytes;
}

PresetReadResult ReadPresetFile(const std::filesystem::path& file, PresetFile& result) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, error))) {
    return PresetReadResult::kMissing;
  }
  std::vector<std::uint8_t> bytes;
  if (!std::filesystem::is_regular_file(file, error) ||
      !ReadFileStart(file, kPresetFileLimit + 1, bytes) || bytes.size() > kPresetFileLimit) {
    return PresetReadResult::kUnreadable;
  }
  result =
      ParsePresetFile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return PresetReadResult::kRead;
}

bool WritePresetFile(const std::filesystem::path& file, const std::vector<std::string>& entries) {
  return ReplaceWholeFile(file, SerializePresetFile(entries));
}

}  // namespace morvane
