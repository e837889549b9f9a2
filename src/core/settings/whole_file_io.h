#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace morvane {

// Reads every byte of a regular file. False when the file cannot be opened or read to its end.
bool ReadWholeFile(const std::filesystem::path& file, std::string& contents);

// Replaces the file with the given bytes so that it is either wholly old or wholly new, whatever
// fails: the bytes go to a new temporary file in the same folder, which is then renamed over the
// file. Creates the missing parent folders. False when anything fails; the temporary file is then
// removed and the old file is untouched.
bool ReplaceWholeFile(const std::filesystem::path& file, std::string_view contents);

}  // namespace morvane
