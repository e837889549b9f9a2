#include "core/wavetable/scale_pass.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace morvane {

namespace {

constexpr const char* kUnknownLine = "- Unknow ";

// The integer written in `text`, blanks around it allowed; nothing for anything else.
std::optional<int> ReadInteger(const std::string& text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return std::nullopt;
  bool negative = false;
  if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
  const std::size_t digits = i;
  long value = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) &&
         value < 100000000) {
    value = value * 10 + (text[i++] - '0');
  }
  if (i == digits || text.find_first_not_of(' ', i) != std::string::npos) return std::nullopt;
  return static_cast<int>(negative ? -value : value);
}

// The text before the first "-" read as an integer.
std::optional<int> NumberBeforeDash(const std::string& line) {
  const std::size_t dash = line.find('-');
  if (dash == std::string::npos) return std::nullopt;
  return ReadInteger(line.substr(0, dash));
}

}  // namespace

// One pass over the points where the value changes, the only places where a rule can fail: a
// table never falls; every value lies on the step grid above the first one; every step is as
// wide as the first. Values above 255 - step and the samples after the last whole step are not
// checked, and an uneven width counts only when nothing else fails.
int DetectScale(ConstWaveSpan s, int step) {
  step = std::clamp(step, 1, 128);
  const int top = 255 - step;
  std::array<bool, 256> on_grid{};
  for (int g = s[0]; g < 256; g += step) on_grid[static_cast<std::size_t>(g)] = true;
  int w = kWaveLength;  // the first step's width
  int whole_steps_end = kWaveLength;
  int boundary = 0;  // the step boundary at or after the current change
  bool uneven = false;
  for (int i = 1; i < kWaveLength; ++i) {
    const int v = s[i];
    const int previous = s[i - 1];
    if (v == previous) continue;
    if (v < previous) return kNotAScale;
    if (w == kWaveLength) {
      w = i;
      whole_steps_end = kWaveLength / w * w;
    }
    if (v > top) continue;
    if (!on_grid[static_cast<std::size_t>(v)]) return kNotAScale;
    while (boundary < i) boundary += w;
    if (i != boundary && i < whole_steps_end) uneven = true;
  }
  // A table that does not fall is all zero line exactly when both its ends are.
  if (s[0] == kZeroLine && s[kWaveLength - 1] == kZeroLine) return kNotAScale;
  if (uneven) return kIrregularScale;
  int mask = 0;
  for (int i = 1; i < kWaveLength; ++i) {
    const int n = s[i] / step;
    if (n <= 11) mask |= 1 << n;
    if (s[i] >= s[0] + 12 * step) break;
  }
  return mask;
}

std::string ScaleListPrefix(int k) {
  k = std::clamp(k, 0, 9999);
  std::string prefix = " 0000";
  for (std::size_t i = prefix.size() - 1; k > 0; --i, k /= 10)
    prefix[i] = static_cast<char>('0' + k % 10);
  return prefix;
}

namespace {

// The number of each preset line, read once for a whole pass.
std::vector<std::optional<int>> PresetNumbers(std::span<const std::string> presets) {
  std::vector<std::optional<int>> numbers;
  numbers.reserve(presets.size());
  for (const std::string& preset : presets) numbers.push_back(NumberBeforeDash(preset));
  return numbers;
}

std::string LineOf(int k, int mask, std::span<const std::string> presets,
                   const std::vector<std::optional<int>>& numbers) {
  for (std::size_t i = 0; i < presets.size(); ++i) {
    if (numbers[i] == mask) return ScaleListPrefix(k) + "-" + presets[i];
  }
  return ScaleListPrefix(k) + "- " + std::to_string(mask);
}

}  // namespace

std::string ScaleLine(int k, int mask, std::span<const std::string> presets) {
  return LineOf(k, mask, presets, PresetNumbers(presets));
}

ScalePassResult RunScalePass(WavetableStore& store, int step,
                             std::span<const std::string> presets) {
  ScalePassResult result;
  result.lines.reserve(kWaveCount);
  const std::vector<std::optional<int>> numbers = PresetNumbers(presets);
  for (int k = 0; k < kWaveCount; ++k) {
    const int r = DetectScale(store.Wave(k), step);
    if (r >= 1) {
      store.SetMarker(k, kMarkerScale);
      result.lines.push_back(LineOf(k, r, presets, numbers));
    } else if (r == 0 || r == kIrregularScale) {
      store.SetMarker(k, kMarkerIrregularScale);
      result.lines.push_back(ScaleListPrefix(k) + kUnknownLine);
      ++result.irregular;
    } else {
      store.SetMarker(k, kMarkerNone);
    }
  }
  return result;
}

std::optional<ScaleListChoice> ParseScaleListLine(const std::string& line) {
  const std::optional<int> k = NumberBeforeDash(line);
  if (!k || *k < 0 || *k >= kWaveCount) return std::nullopt;
  ScaleListChoice choice{.k = *k, .mask = std::nullopt};
  const std::size_t dash = line.find('-');
  if (line.compare(dash + 1, 4, " Unk") == 0) return choice;
  // The mask stands in the four characters from the eighth on.
  if (line.size() > 7) {
    std::string digits = line.substr(7, 4);
    digits.erase(
        std::find_if_not(digits.begin(), digits.end(),
                         [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }),
        digits.end());
    if (const std::optional<int> mask = ReadInteger(digits)) choice.mask = *mask;
  }
  if (!choice.mask) choice.mask = 0;
  return choice;
}

}  // namespace morvane
