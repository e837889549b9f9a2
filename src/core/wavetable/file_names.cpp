#include "core/wavetable/file_names.h"

#include <algorithm>

namespace morvane {

namespace {

constexpr char kSeparator = '/';

// Where the file name starts: just after the last separator, or 0.
std::size_t FileNameStart(std::string_view path) {
  const std::size_t separator = path.rfind(kSeparator);
  return separator == std::string_view::npos ? 0 : separator + 1;
}

// Position of the extension's dot in `path`, or npos. "." and ".." are folders, not extensions,
// and a hidden file's leading dot belongs to its name.
std::size_t ExtensionStart(std::string_view path) {
  const std::size_t name_start = FileNameStart(path);
  const std::string_view name = path.substr(name_start);
  if (name == "." || name == "..") return std::string_view::npos;
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::string_view::npos;
  return name_start + dot;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

}  // namespace

std::string ForceExtension(std::string_view name, std::string_view extension) {
  const std::size_t dot = ExtensionStart(name);
  if (dot == std::string_view::npos) return std::string(name) + std::string(extension);
  if (EqualIgnoringCase(name.substr(dot), extension)) return std::string(name);
  return std::string(name.substr(0, dot)) + std::string(extension);
}

std::string WithoutExtension(std::string_view name) {
  const std::size_t dot = ExtensionStart(name);
  return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string FileNameWithoutDirectory(std::string_view path) {
  return std::string(path.substr(FileNameStart(path)));
}

bool HasDirectoryPart(std::string_view path) {
  return path.find(kSeparator) != std::string_view::npos;
}

std::string DirectoryPart(std::string_view path) {
  const std::size_t start = FileNameStart(path);
  if (start == 0) return {};
  return std::string(path.substr(0, start == 1 ? 1 : start - 1));
}

}  // namespace morvane
