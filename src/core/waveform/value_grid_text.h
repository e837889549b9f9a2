#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morvane {

// How the value grid of the waveform editor shows a sample.
enum class ValueFormat { kDecimal = 0, kHexadecimal = 1 };

// "200" in decimal, "C8" (always two upper-case digits) in hexadecimal.
std::string ValueText(std::uint8_t value, ValueFormat format);

// The text read as a decimal integer, blanks around it allowed; 0 when it is not one (empty,
// letters, hexadecimal digits, or too large for an int).
int DecimalOrZero(std::string_view text);

// The sample an edited value cell stands for: the decimal integer's low eight bits, so "300"
// gives 44 and "-1" gives 255.
std::uint8_t SampleFromCellText(std::string_view text);

// Step per semitone of the scales window when it is first shown: two table units per semitone.
inline constexpr int kDefaultSemitoneStep = 2;
inline constexpr int kMaxSemitoneStep = 128;

// The note a table value stands for: semitone value div step, named with its octave.
std::string ValueNoteName(std::uint8_t value, int step);

}  // namespace morvane
