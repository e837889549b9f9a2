#include "core/wavetable/scale_pass.h"

#include <algorithm>
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

int DetectScale(ConstWaveSpan s, int step) {
  step = std::clamp(step, 1, 128);
  if (std::all_of(s.begin(), s.end(), [](std::uint8_t v) { return v == kZeroLine; })) {
    return kNotAScale;
  }
  // A table never falls, and every value lies on the step grid above the first one (values
  // above 255 - step are not checked).
  const int top = 255 - step;
  for (int i = 0; i < kWaveLength; ++i) {
    if (i + 1 < kWaveLength && s[i + 1] < s[i]) return kNotAScale;
    if (s[i] <= top && (s[i] - s[0]) % step != 0) return kNotAScale;
  }
  // Every step is as wide as the first; the samples after the last whole step are not checked.
  int w = 1;
  while (w < kWaveLength && s[w] == s[0]) ++w;
  for (int b = 0; b < kWaveLength / w; ++b) {
    for (int m = 1; m < w; ++m) {
      const int v = s[b * w + m];
      if (v <= top && v != s[b * w]) return kIrregularScale;
    }
  }
  int mask = 0;
  for (int i = 1; i < kWaveLength; ++i) {
    const int n = s[i] / step;
    if (n <= 11) mask |= 1 << n;
    if (s[i] >= s[0] + 12 * step) break;
  }
  return mask;
}

std::string ScaleListPrefix(int k) {
  char prefix[8];
  std::snprintf(prefix, sizeof prefix, " %04d", std::clamp(k, 0, 9999));
  return prefix;
}

std::string ScaleLine(int k, int mask, std::span<const std::string> presets) {
  for (const std::string& preset : presets) {
    if (NumberBeforeDash(preset) == mask) return ScaleListPrefix(k) + "-" + preset;
  }
  return ScaleListPrefix(k) + "- " + std::to_string(mask);
}

ScalePassResult RunScalePass(WavetableStore& store, int step,
                             std::span<const std::string> presets) {
  ScalePassResult result;
  for (int k = 0; k < kWaveCount; ++k) {
    const int r = DetectScale(store.Wave(k), step);
    if (r >= 1) {
      store.SetMarker(k, kMarkerScale);
      result.lines.push_back(ScaleLine(k, r, presets));
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
