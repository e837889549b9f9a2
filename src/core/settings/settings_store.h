#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/settings/settings_medium.h"
#include "core/settings/settings_values.h"

namespace morvane {

// One reading pass of one window. The window reads its values in its own order and applies each
// as soon as it is read.
class SettingsReader {
 public:
  // False when there is no settings file (or a corrupt one was set aside): a first run, in which
  // every read returns false, touches nothing and does not count as a failure.
  bool Exists() const { return values_.has_value(); }

  // Each read fails when the value is missing or of the other kind. After the first failure of a
  // pass every later read is skipped (returns false, touches nothing), so the values after the
  // failing one keep their initial values while those already read stay applied.
  bool ReadInteger(std::string_view name, std::int32_t& out);
  bool ReadBoolean(std::string_view name, bool& out);  // an integer; true when not 0
  // A colour (0x00BBGGRR, or 0x80000000 plus a system colour index) kept as an integer.
  bool ReadColor(std::string_view name, std::uint32_t& out);
  bool ReadString(std::string_view name, std::string& out);
  // For a value that settings files written before it lack: when it is missing the read returns
  // false and the pass goes on as if it had not been asked for. Of the other kind, or after an
  // earlier failure, it behaves as ReadString.
  bool ReadStringIfPresent(std::string_view name, std::string& out);

  bool Failed() const { return !error_.empty(); }
  // One line naming the failing value, e.g. Settings value "ZoomWT" is missing.
  const std::string& Error() const { return error_; }

 private:
  friend class SettingsStore;
  explicit SettingsReader(std::optional<SettingsValues> values) : values_(std::move(values)) {}

  // The integer named, or nothing (then the pass has failed) when it is missing or a string.
  std::optional<std::int32_t> FindInteger(std::string_view name, std::string_view kind);
  // The stored value, or nullptr when the pass cannot read it (the failure is recorded).
  const SettingsValue* Find(std::string_view name);
  void Fail(std::string_view name, std::string_view problem);

  std::optional<SettingsValues> values_;
  std::string error_;
};

// One writing pass of one window. It starts from the values now in the file, so the values this
// window does not write keep what their last writer stored.
class SettingsWriter {
 public:
  SettingsWriter(SettingsWriter&& other) noexcept;
  SettingsWriter& operator=(SettingsWriter&& other) noexcept;
  SettingsWriter(const SettingsWriter&) = delete;
  SettingsWriter& operator=(const SettingsWriter&) = delete;
  ~SettingsWriter();  // closes when Close was not called

  // Each write creates the value or replaces it, whatever the letter case of its stored name.
  // Writes after Close are ignored. A name that is not a plain ASCII word cannot be stored: the
  // pass then writes nothing and Close returns false.
  void WriteInteger(std::string_view name, std::int32_t value);
  void WriteBoolean(std::string_view name, bool value);         // stored as integer 1 / 0
  void WriteColor(std::string_view name, std::uint32_t value);  // stored as its 32 bits
  void WriteString(std::string_view name, std::string_view value);

  // Replaces the file (creating it and its folders when missing) with every value at once. False,
  // silently, when it could not; the old file is then untouched. Later calls return the first
  // call's result.
  bool Close();

 private:
  friend class SettingsStore;
  SettingsWriter(std::shared_ptr<SettingsMedium> medium, SettingsValues values, bool refused)
      : medium_(std::move(medium)), values_(std::move(values)), refused_(refused) {}

  void Write(std::string_view name, SettingsValue value);

  std::shared_ptr<SettingsMedium> medium_;
  SettingsValues values_;
  bool refused_;  // the file there must not be overwritten, or a name was invalid
  std::optional<bool> closed_result_;
};

// The settings key of the current user, kept as one text file. Each pass reads the file anew.
class SettingsStore {
 public:
  explicit SettingsStore(std::filesystem::path file)
      : medium_(std::make_shared<SettingsFile>(std::move(file))) {}
  // The same rules on the text kept elsewhere.
  explicit SettingsStore(std::shared_ptr<SettingsMedium> medium) : medium_(std::move(medium)) {}

  const std::filesystem::path& File() const { return medium_->Name(); }

  SettingsReader OpenForReading();
  SettingsWriter OpenForWriting();

  // Told once per store, in one readable line, when the file is corrupt or unreadable; the file is
  // then moved aside to <file>.bad (replacing an older one) and the pass is a first run. When it
  // cannot be moved aside the line says so, and this store's writes are refused so that the file
  // is not overwritten. A problem met before a handler is set is told to the handler when it is.
  void SetProblemHandler(std::function<void(const std::string&)> handler);

 private:
  // The values of the file; nothing when there is none or it could not be used.
  std::optional<SettingsValues> Load();
  void SetAside(const std::string& problem);
  void Report(std::string message);

  std::shared_ptr<SettingsMedium> medium_;
  std::function<void(const std::string&)> problem_handler_;
  std::optional<std::string> pending_problem_;
  bool problem_reported_ = false;
  bool writes_refused_ = false;
};

}  // namespace morvane
