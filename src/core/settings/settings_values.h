#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace morvane {

// A stored value has one of two kinds: a 32-bit integer (booleans are stored as 1 / 0) or a
// string of any bytes.
using SettingsValue = std::variant<std::int32_t, std::string>;

// Value names are plain ASCII words: a letter or '_' followed by letters, digits or '_'.
bool IsValidSettingsName(std::string_view name);

// ASCII comparison without regard to letter case, as value names are compared.
bool SameSettingsName(std::string_view a, std::string_view b);

// The named values of the settings key, in the order they were first stored. Names compare
// without regard to letter case, so each value appears once whatever spelling wrote it.
class SettingsValues {
 public:
  struct Entry {
    std::string name;  // the spelling of its last writer
    SettingsValue value;
  };

  // nullptr when no value has this name.
  const SettingsValue* Find(std::string_view name) const;
  // Creates the value or replaces it in place, taking the new spelling of the name.
  void Set(std::string_view name, SettingsValue value);

  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
};

}  // namespace morvane
