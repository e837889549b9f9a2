#include "core/waveform/value_grid_text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "core/scales/note_name.h"

namespace morvane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string ValueText(std::uint8_t value, ValueFormat format) {
  if (format == ValueFormat::kDecimal) return std::to_string(value);
  char text[3];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

int DecimalOrZero(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  // from_chars takes a minus sign but not a plus sign.
  if (text.size() > 1 && text[0] == '+' && text[1] >= '0' && text[1] <= '9') text.remove_prefix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end ? value : 0;
}

std::uint8_t SampleFromCellText(std::string_view text) {
  return static_cast<std::uint8_t>(DecimalOrZero(text) & 0xFF);
}

std::string ValueNoteName(std::uint8_t value, int step) {
  // The scales window keeps its step within 1..128; a step outside would divide by nothing.
  return NoteName(value / std::clamp(step, 1, kMaxSemitoneStep), 0, true);
}

}  // namespace morvane
