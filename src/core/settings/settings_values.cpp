#include "core/settings/settings_values.h"

#include <algorithm>
#include <utility>

namespace morvane {

namespace {

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool IsValidSettingsName(std::string_view name) {
  return !name.empty() && IsNameStart(name.front()) &&
         std::all_of(name.begin(), name.end(), IsNameChar);
}

bool SameSettingsName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

const SettingsValue* SettingsValues::Find(std::string_view name) const {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [name](const Entry& entry) { return SameSettingsName(entry.name, name); });
  return it == entries_.end() ? nullptr : &it->value;
}

void SettingsValues::Set(std::string_view name, SettingsValue value) {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [name](const Entry& entry) { return SameSettingsName(entry.name, name); });
  if (it == entries_.end()) {
    entries_.push_back(Entry{std::string(name), std::move(value)});
  } else {
    it->name = name;
    it->value = std::move(value);
  }
}

}  // namespace morvane
