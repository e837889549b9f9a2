#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace morvane {

// Where a settings store keeps its text, one whole-text operation a call. The program keeps it
// in a file (SettingsFile); the store's rules do not depend on where, so it can as well be given
// the text in memory.
class SettingsMedium {
 public:
  virtual ~SettingsMedium() = default;

  enum class ReadResult { kRead, kMissing, kUnreadable };

  // The whole text. kMissing when there is none (a first run); kUnreadable when it is there but
  // cannot be read, with `problem` saying so, e.g. "cannot be read (it is not a regular file)".
  virtual ReadResult Read(std::string& text, std::string& problem) = 0;
  // Moves the text aside to Name() + ".bad", replacing what may be replaced there; the error
  // when it could not be moved.
  virtual std::error_code SetAside() = 0;
  // Replaces the text whole, creating what is missing; false, the old text kept, when it could
  // not.
  virtual bool Replace(std::string_view text) = 0;
  // The name messages give it.
  virtual const std::filesystem::path& Name() const = 0;
};

// The settings text as one file on disk.
class SettingsFile final : public SettingsMedium {
 public:
  explicit SettingsFile(std::filesystem::path file) : file_(std::move(file)) {}

  ReadResult Read(std::string& text, std::string& problem) override;
  std::error_code SetAside() override;
  bool Replace(std::string_view text) override;
  const std::filesystem::path& Name() const override { return file_; }

 private:
  std::filesystem::path file_;
};

}  // namespace morvane
