#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "ui/shell/file_dialogs.h"

namespace morvane {

// Answers the colour dialog from a script (nothing = the user cancelled) and keeps the colour
// each dialog started from.
class ScriptedColorDialogs : public ColorDialogs {
 public:
  std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) override {
    started_from.push_back(initial);
    if (answers.empty()) return std::nullopt;
    const std::optional<std::uint32_t> answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<std::optional<std::uint32_t>> answers;
  std::vector<std::uint32_t> started_from;
};

}  // namespace morvane
