#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// Reads every byte of a regular file. False when the file cannot be opened or read to its end.
bool ReadWholeFile(const std::filesystem::path& file, std::string& contents);

// Reads at most `limit` bytes from the start of the file. False when it cannot be opened or a
// read fails (as reading a folder does); `bytes` then holds nothing worth using.
bool ReadFileStart(const std::filesystem::path& file, std::size_t limit,
                   std::vector<std::uint8_t>& bytes);

// Replaces the file with the given bytes as FileWriter does, so that it is either wholly old or
// wholly new whatever fails, after creating the missing parent folders. False when anything
// fails; the old file is then untouched.
bool ReplaceWholeFile(const std::filesystem::path& file, std::string_view contents);

}  // namespace morvane
