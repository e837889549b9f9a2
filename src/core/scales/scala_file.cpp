#include "core/scales/scala_file.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "core/scales/note_name.h"

namespace morvane {

namespace {

struct Line {
  int number;
  std::string_view text;
};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

std::string LineError(int number, std::string_view what) {
  return "line " + std::to_string(number) + ": " + std::string(what);
}

std::optional<long long> ParseInteger(std::string_view text) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Cents of a pitch line; the first blank ends the value (the rest is a remark).
std::optional<double> ParsePitch(std::string_view text) {
  text = text.substr(0, text.find_first_of(" \t"));
  if (text.empty()) return std::nullopt;
  if (text.find('.') != std::string_view::npos) {
    double cents = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), cents);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(cents)) {
      return std::nullopt;
    }
    return cents;
  }
  const std::size_t slash = text.find('/');
  const auto num = ParseInteger(text.substr(0, slash));
  const auto den = slash == std::string_view::npos ? std::optional<long long>(1)
                                                   : ParseInteger(text.substr(slash + 1));
  if (!num || !den || *num <= 0 || *den <= 0) return std::nullopt;
  return 1200.0 * std::log2(static_cast<double>(*num) / static_cast<double>(*den));
}

// "! base D " names the 1/1; "none" marks the empty scale. -1 for none, nothing when absent.
std::optional<int> ParseBase(std::string_view comment, bool& found) {
  comment = Trim(comment.substr(1));
  if (comment.substr(0, 5) != "base ") return std::nullopt;
  const std::string_view note = Trim(comment.substr(5));
  found = true;
  if (note == "none") return -1;
  for (int k = 0; k < 12; ++k) {
    if (note == Trim(NoteName(k, 0, false))) return k;
  }
  found = false;
  return std::nullopt;
}

}  // namespace

std::string ExportScala(int mask, std::string_view description) {
  std::string text(description);
  text += "\r\n";
  int base = -1;
  for (int k = 0; k < 12 && base < 0; ++k) {
    if ((mask >> k) & 1) base = k;
  }
  if (base < 0) return text + "! base none\r\n0\r\n";
  std::vector<int> steps;
  for (int k = base + 1; k < 12; ++k) {
    if ((mask >> k) & 1) steps.push_back(k - base);
  }
  steps.push_back(12);
  text += "! base " + NoteName(base, 0, false) + "\r\n";
  text += std::to_string(steps.size()) + "\r\n";
  for (int step : steps) text += std::to_string(step * 100) + ".0\r\n";
  return text;
}

ScalaImport ImportScala(std::string_view bytes) {
  ScalaImport result;
  if (bytes.size() > kScalaFileLimit) {
    result.error = "the file is larger than 64 KB";
    return result;
  }
  std::vector<Line> lines;  // the lines that are not comments
  std::optional<int> base;
  bool base_found = false;
  int number = 0;
  while (!bytes.empty()) {
    ++number;
    const std::size_t end = bytes.find('\n');
    const std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    for (std::size_t i = 0; i < line.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(line[i]);
      const bool last_cr = c == '\r' && i + 1 == line.size();
      if ((c < 0x20 && c != '\t' && !last_cr) || c == 0x7F) {
        result.error = LineError(number, "not a text file");
        return result;
      }
    }
    if (!line.empty() && line.front() == '!') {
      if (!base_found) base = ParseBase(line, base_found);
      continue;
    }
    lines.push_back({number, line});
  }
  if (lines.empty()) {
    result.error = LineError(number + 1, "no description");
    return result;
  }
  if (lines.size() < 2) {
    result.error = LineError(number + 1, "no note count");
    return result;
  }
  const std::string_view count_text = Trim(lines[1].text);
  const auto count = ParseInteger(count_text.substr(0, count_text.find_first_of(" \t")));
  if (!count || *count < 0) {
    result.error = LineError(lines[1].number, "the note count is not a number");
    return result;
  }
  if (static_cast<long long>(lines.size()) - 2 != *count) {
    const int at =
        lines.size() - 2 > static_cast<std::size_t>(*count) ? lines[2 + *count].number : number + 1;
    result.error = LineError(
        at, "the note count " + std::to_string(*count) + " does not match the pitch lines");
    return result;
  }
  const int root = base.value_or(0);
  if (root < 0) {
    if (*count != 0) {
      result.error = LineError(lines[1].number, "a scale with base none has notes");
      return result;
    }
    result.ok = true;
    return result;
  }
  int mask = 1 << root;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const auto cents = ParsePitch(Trim(lines[i].text));
    if (!cents) {
      result.error = LineError(lines[i].number, "the pitch is not a number");
      return result;
    }
    const double semitones = std::round(*cents / 100.0);
    if (semitones < 1 || semitones > 12 || std::fabs(*cents - semitones * 100.0) > 1.0) {
      result.error = LineError(lines[i].number, "the pitch is not a semitone of one octave");
      return result;
    }
    const int step = static_cast<int>(semitones);
    if (step < 12) mask |= 1 << ((root + step) % 12);
  }
  result.mask = mask;
  result.ok = true;
  return result;
}

}  // namespace morvane
