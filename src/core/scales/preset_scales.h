#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// " 0005- Minor": a blank, the scale number in four digits, "- " and the name as typed.
std::string FormatPresetEntry(int mask, std::string_view name);

// The number before the first "-" of an entry (leading blanks allowed); nothing when there is
// none or it is not a plain decimal number.
std::optional<int> ParsePresetNumber(std::string_view entry);

// The preset list file sp.kub: one entry per line, CR LF line ends, no header. Frozen.
struct PresetFile {
  std::vector<std::string> entries;
  std::vector<int> malformed_lines;  // 1-based numbers of the lines left out
};

enum class PresetReadResult { kRead, kMissing, kUnreadable };

// Splits the bytes into entries; a line that holds no number before its first "-" or control
// bytes is left out and its number noted.
PresetFile ParsePresetFile(std::string_view bytes);
std::string SerializePresetFile(const std::vector<std::string>& entries);

// Reads sp.kub at most 1 MB of it; a file that is not there is kMissing, not an error.
PresetReadResult ReadPresetFile(const std::filesystem::path& file, PresetFile& result);
// Replaces the file whole; false (old file kept) when the write fails.
bool WritePresetFile(const std::filesystem::path& file, const std::vector<std::string>& entries);

}  // namespace morvane
