#include "core/settings/settings_store.h"

#include <system_error>

#include "core/settings/settings_file_format.h"

namespace morvane {

// ---- SettingsReader ----

void SettingsReader::Fail(std::string_view name, std::string_view problem) {
  error_ = "Settings value \"";
  error_ += name;
  error_ += "\" ";
  error_ += problem;
}

const SettingsValue* SettingsReader::Find(std::string_view name) {
  if (!values_ || Failed()) return nullptr;
  const SettingsValue* value = values_->Find(name);
  if (value == nullptr) Fail(name, "is missing");
  return value;
}

std::optional<std::int32_t> SettingsReader::FindInteger(std::string_view name,
                                                        std::string_view kind) {
  const SettingsValue* value = Find(name);
  if (value == nullptr) return std::nullopt;
  if (const auto* number = std::get_if<std::int32_t>(value)) return *number;
  Fail(name, kind);
  return std::nullopt;
}

bool SettingsReader::ReadInteger(std::string_view name, std::int32_t& out) {
  std::optional<std::int32_t> number = FindInteger(name, "is not an integer");
  if (number) out = *number;
  return number.has_value();
}

bool SettingsReader::ReadBoolean(std::string_view name, bool& out) {
  std::optional<std::int32_t> number = FindInteger(name, "is not a boolean");
  if (number) out = *number != 0;
  return number.has_value();
}

bool SettingsReader::ReadColor(std::string_view name, std::uint32_t& out) {
  std::int32_t value = 0;
  if (!ReadInteger(name, value)) return false;
  out = static_cast<std::uint32_t>(value);
  return true;
}

bool SettingsReader::ReadString(std::string_view name, std::string& out) {
  const SettingsValue* value = Find(name);
  if (value == nullptr) return false;
  if (const auto* text = std::get_if<std::string>(value)) {
    out = *text;
    return true;
  }
  Fail(name, "is not a string");
  return false;
}

bool SettingsReader::ReadStringIfPresent(std::string_view name, std::string& out) {
  if (values_ && !Failed() && values_->Find(name) == nullptr) return false;
  return ReadString(name, out);
}

// ---- SettingsWriter ----

SettingsWriter::SettingsWriter(SettingsWriter&& other) noexcept
    : medium_(std::move(other.medium_)),
      values_(std::move(other.values_)),
      refused_(other.refused_),
      closed_result_(other.closed_result_) {
  other.closed_result_ = false;  // the moved-from pass must never write
}

SettingsWriter& SettingsWriter::operator=(SettingsWriter&& other) noexcept {
  if (this != &other) {
    Close();
    medium_ = std::move(other.medium_);
    values_ = std::move(other.values_);
    refused_ = other.refused_;
    closed_result_ = other.closed_result_;
    other.closed_result_ = false;
  }
  return *this;
}

SettingsWriter::~SettingsWriter() { Close(); }

void SettingsWriter::Write(std::string_view name, SettingsValue value) {
  if (closed_result_) return;
  // Such a name would make the whole file unreadable next time.
  if (!IsValidSettingsName(name)) {
    refused_ = true;
    return;
  }
  values_.Set(name, std::move(value));
}

void SettingsWriter::WriteInteger(std::string_view name, std::int32_t value) { Write(name, value); }

void SettingsWriter::WriteBoolean(std::string_view name, bool value) {
  Write(name, std::int32_t{value ? 1 : 0});
}

void SettingsWriter::WriteColor(std::string_view name, std::uint32_t value) {
  Write(name, static_cast<std::int32_t>(value));
}

void SettingsWriter::WriteString(std::string_view name, std::string_view value) {
  Write(name, std::string(value));
}

bool SettingsWriter::Close() {
  if (!closed_result_) {
    closed_result_ = !refused_ && medium_->Replace(FormatSettingsText(values_));
  }
  return *closed_result_;
}

// ---- SettingsStore ----

SettingsReader SettingsStore::OpenForReading() { return SettingsReader(Load()); }

SettingsWriter SettingsStore::OpenForWriting() {
  std::optional<SettingsValues> values = Load();
  return SettingsWriter(medium_, values ? std::move(*values) : SettingsValues(), writes_refused_);
}

void SettingsStore::SetProblemHandler(std::function<void(const std::string&)> handler) {
  problem_handler_ = std::move(handler);
  if (problem_handler_ && pending_problem_) {
    std::string message = std::move(*pending_problem_);
    pending_problem_.reset();
    problem_handler_(message);
  }
}

std::optional<SettingsValues> SettingsStore::Load() {
  std::string text;
  std::string problem;
  switch (medium_->Read(text, problem)) {
    case SettingsMedium::ReadResult::kMissing:
      return std::nullopt;  // first run
    case SettingsMedium::ReadResult::kUnreadable:
      SetAside(problem);
      return std::nullopt;
    case SettingsMedium::ReadResult::kRead:
      break;
  }
  SettingsParseResult parsed = ParseSettingsText(text);
  if (!parsed.values) SetAside("is corrupt (" + parsed.error + ")");
  return std::move(parsed.values);
}

void SettingsStore::SetAside(const std::string& problem) {
  const std::error_code error = medium_->SetAside();
  std::filesystem::path bad = medium_->Name();
  bad += ".bad";
  std::string message = "Settings file \"" + medium_->Name().string() + "\" " + problem;
  if (!error) {
    message += "; it was set aside as \"" + bad.string() + "\" and settings start from defaults.";
  } else {
    // Writing now would destroy what the user stored in it.
    writes_refused_ = true;
    message += " and could not be set aside as \"" + bad.string() + "\" (" + error.message() +
               "); settings start from defaults and will not be saved.";
  }
  Report(std::move(message));
}

void SettingsStore::Report(std::string message) {
  if (problem_reported_) return;
  problem_reported_ = true;
  if (problem_handler_) {
    problem_handler_(message);
  } else {
    pending_problem_ = std::move(message);
  }
}

}  // namespace morvane
