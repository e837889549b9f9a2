#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/settings/settings_values.h"

namespace morvane {

// The settings file is text, one value a line, meant to be readable and editable by hand:
//
//   # comment lines and blank lines are ignored
//   ZoomWT = 12
//   TempPath = "/home/me/tmp \"x\""
//
// Strings are quoted, with the escapes \\ \" \n \r \t; any other byte stands as it is. Integers are
// decimal and must fit 32 bits. Any other line, a bad escape, an unterminated string or a name
// given twice (in any letter case) makes the whole file corrupt. Frozen: users' files depend on it.

struct SettingsParseResult {
  std::optional<SettingsValues> values;  // empty when the text is corrupt
  std::string error;                     // then e.g. "line 3: unterminated string"
};

SettingsParseResult ParseSettingsText(std::string_view text);

// The text of a settings file: a header comment, then one line a value in the given order.
// The names must be valid (IsValidSettingsName) for the text to read back.
std::string FormatSettingsText(const SettingsValues& values);

}  // namespace morvane
