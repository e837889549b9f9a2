#include "core/scales/note_name.h"

#include <string_view>

namespace morvane {

std::string NoteName(int n, int offset, bool with_octave) {
  constexpr std::string_view kLetters = "CCDDEFFGGAAB";
  constexpr std::string_view kSigns = " # #  # # # ";
  const int m = n + offset;
  // Kept inside the table even for a negative m, which no caller passes.
  const auto semitone = static_cast<std::size_t>((m % 12 + 12) % 12);
  std::string name{kLetters[semitone], kSigns[semitone]};
  if (with_octave) name += std::to_string(m / 12 - 2);
  return name;
}

}  // namespace morvane
