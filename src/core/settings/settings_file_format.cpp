#include "core/settings/settings_file_format.h"

#include <cstdint>
#include <limits>
#include <string>
#include <utility>

namespace morvane {

namespace {

constexpr std::string_view kHeader = "# Morvane-8 editor settings\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads one line from left to right. Each Parse* call consumes what it accepts and, on failure,
// leaves the reason in error_.
class LineParser {
 public:
  explicit LineParser(std::string_view line) : line_(line) {}

  const std::string& Error() const { return error_; }

  void SkipBlanks() {
    while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
  }
  bool AtEnd() const { return pos_ == line_.size(); }
  char Peek() const { return line_[pos_]; }

  bool ParseName(std::string& name) {
    std::size_t start = pos_;
    while (pos_ < line_.size() && !IsBlank(line_[pos_]) && line_[pos_] != '=') ++pos_;
    name = line_.substr(start, pos_ - start);
    if (!IsValidSettingsName(name)) return Fail("expected a value name");
    return true;
  }

  bool ParseEquals(const std::string& name) {
    if (AtEnd() || Peek() != '=') return Fail("expected '=' after \"" + name + "\"");
    ++pos_;
    return true;
  }

  bool ParseValue(SettingsValue& value) {
    if (AtEnd()) return Fail("expected a value");
    if (Peek() == '"') return ParseString(value);
    if (Peek() == '-' || IsDigit(Peek())) return ParseInteger(value);
    return Fail("expected an integer or a quoted string");
  }

 private:
  bool Fail(std::string reason) {
    error_ = std::move(reason);
    return false;
  }

  bool ParseInteger(SettingsValue& value) {
    bool negative = Peek() == '-';
    if (negative) ++pos_;
    if (AtEnd() || !IsDigit(Peek())) return Fail("expected digits");
    // Accumulated in 64 bits and stopped as soon as it leaves the 32-bit range.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    while (!AtEnd() && IsDigit(Peek())) {
      magnitude = magnitude * 10 + (Peek() - '0');
      if (magnitude > kLimit) return Fail("integer out of range");
      ++pos_;
    }
    if (!negative && magnitude == kLimit) return Fail("integer out of range");
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
  }

  bool ParseString(SettingsValue& value) {
    ++pos_;  // opening quote
    std::string text;
    while (!AtEnd()) {
      char c = line_[pos_++];
      if (c == '"') {
        value = std::move(text);
        return true;
      }
      if (c != '\\') {
        text += c;
        continue;
      }
      if (AtEnd()) break;
      switch (line_[pos_++]) {
        case '\\':
          text += '\\';
          break;
        case '"':
          text += '"';
          break;
        case 'n':
          text += '\n';
          break;
        case 'r':
          text += '\r';
          break;
        case 't':
          text += '\t';
          break;
        default:
          return Fail("bad escape in string");
      }
    }
    return Fail("unterminated string");
  }

  std::string_view line_;
  std::size_t pos_ = 0;
  std::string error_;
};

// Parses one line into values; false with the reason when the line is not a comment, a blank
// line or a value line.
bool ParseLine(std::string_view line, SettingsValues& values, std::string& error) {
  LineParser parser(line);
  parser.SkipBlanks();
  if (parser.AtEnd() || parser.Peek() == '#') return true;
  std::string name;
  SettingsValue value;
  bool parsed = parser.ParseName(name) && (parser.SkipBlanks(), parser.ParseEquals(name)) &&
                (parser.SkipBlanks(), parser.ParseValue(value));
  if (!parsed) {
    error = parser.Error();
    return false;
  }
  parser.SkipBlanks();
  if (!parser.AtEnd()) {
    error = "unexpected text after the value of \"" + name + "\"";
    return false;
  }
  if (values.Find(name) != nullptr) {
    error = "value \"" + name + "\" is given twice";
    return false;
  }
  values.Set(name, std::move(value));
  return true;
}

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  out += '"';
}

}  // namespace

SettingsParseResult ParseSettingsText(std::string_view text) {
  SettingsValues values;
  int line_number = 0;
  while (!text.empty()) {
    ++line_number;
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    // Files edited on Windows end their lines in CR LF.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string error;
    if (!ParseLine(line, values, error)) {
      return {std::nullopt, "line " + std::to_string(line_number) + ": " + error};
    }
  }
  return {std::move(values), {}};
}

std::string FormatSettingsText(const SettingsValues& values) {
  std::string out(kHeader);
  for (const SettingsValues::Entry& entry : values.Entries()) {
    out += entry.name;
    out += " = ";
    if (const auto* number = std::get_if<std::int32_t>(&entry.value)) {
      out += std::to_string(*number);
    } else {
      AppendQuoted(out, std::get<std::string>(entry.value));
    }
    out += '\n';
  }
  return out;
}

}  // namespace morvane
