// The settings file as the store reads it. Properties: a text either parses, and then writes back
// as a text that parses to the same values in the same order and formats to the same bytes, or is
// refused with the number of a line it has; through the store, a refused file is kept byte for
// byte as <name>.bad, reported once and read as a first run, and an accepted one is left as it was
// and gives every value back by its kind; the dialog folders take each stored string, skip a
// missing value without failing, and stop at the first of another kind, naming it. The store
// keeps its text in memory here; on disk it only reads, moves and replaces the file around the
// same rules.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "core/settings/dialog_folders.h"
#include "core/settings/settings_file_format.h"
#include "core/settings/settings_store.h"
#include "fuzz/fuzz_support.h"

namespace morvane {
namespace {

// The settings text in memory: what stands under the name and what was set aside.
class MemorySettings final : public SettingsMedium {
 public:
  explicit MemorySettings(std::string_view text) : text_(std::string(text)) {}

  ReadResult Read(std::string& text, std::string&) override {
    if (!text_) return ReadResult::kMissing;
    text = *text_;
    return ReadResult::kRead;
  }
  std::error_code SetAside() override {
    aside_ = std::move(text_);
    text_.reset();
    return {};
  }
  bool Replace(std::string_view text) override {
    text_ = std::string(text);
    return true;
  }
  const std::filesystem::path& Name() const override { return name_; }

  const std::optional<std::string>& Text() const { return text_; }
  const std::optional<std::string>& Aside() const { return aside_; }

 private:
  const std::filesystem::path name_ = "MRV8_V2.conf";
  std::optional<std::string> text_;
  std::optional<std::string> aside_;
};

bool SameEntries(const SettingsValues& a, const SettingsValues& b) {
  if (a.Entries().size() != b.Entries().size()) return false;
  for (std::size_t i = 0; i < a.Entries().size(); ++i) {
    if (a.Entries()[i].name != b.Entries()[i].name) return false;
    if (a.Entries()[i].value != b.Entries()[i].value) return false;
  }
  return true;
}

// "line N: reason" with N from 1 to the number of lines of the text.
bool NamesALineOf(const std::string& error, std::string_view text) {
  constexpr std::string_view kPrefix = "line ";
  if (error.compare(0, kPrefix.size(), kPrefix) != 0) return false;
  const std::size_t colon = error.find(": ", kPrefix.size());
  if (colon == std::string::npos || colon == kPrefix.size() || colon + 2 == error.size()) {
    return false;
  }
  const std::string digits = error.substr(kPrefix.size(), colon - kPrefix.size());
  if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) {
    return false;
  }
  const std::size_t line = std::stoul(digits);
  const std::size_t lines =
      static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  return line >= 1 && line <= lines;
}

void CheckParse(std::string_view text) {
  const SettingsParseResult parsed = ParseSettingsText(text);
  if (!parsed.values) {
    FUZZ_CHECK(NamesALineOf(parsed.error, text));
    return;
  }
  FUZZ_CHECK(parsed.error.empty());
  for (const SettingsValues::Entry& entry : parsed.values->Entries()) {
    FUZZ_CHECK(IsValidSettingsName(entry.name));
  }
  const std::string written = FormatSettingsText(*parsed.values);
  const SettingsParseResult reread = ParseSettingsText(written);
  FUZZ_CHECK(reread.values.has_value());
  FUZZ_CHECK(SameEntries(*reread.values, *parsed.values));
  FUZZ_CHECK(FormatSettingsText(*reread.values) == written);
}

void CheckDialogFolders(SettingsStore& store, const SettingsValues& values) {
  DialogFolders folders;
  SettingsReader reader = store.OpenForReading();
  folders.Read(reader);
  bool failed = false;
  for (std::string_view purpose : kDialogPurposes) {
    const SettingsValue* stored = values.Find(purpose);
    const auto* text = stored != nullptr ? std::get_if<std::string>(stored) : nullptr;
    if (stored != nullptr && text == nullptr && !failed) {
      failed = true;
      FUZZ_CHECK(reader.Error() ==
                 "Settings value \"" + std::string(purpose) + "\" is not a string");
    }
    FUZZ_CHECK(folders.Folder(purpose) == (text != nullptr && !failed ? *text : std::string()));
  }
  FUZZ_CHECK(reader.Failed() == failed);
}

void CheckStore(std::string_view text) {
  const SettingsParseResult parsed = ParseSettingsText(text);
  const auto medium = std::make_shared<MemorySettings>(text);
  SettingsStore store(medium);
  int reports = 0;
  store.SetProblemHandler([&](const std::string&) { ++reports; });
  SettingsReader reader = store.OpenForReading();
  if (!parsed.values) {
    FUZZ_CHECK(!reader.Exists());
    FUZZ_CHECK(reports == 1);
    FUZZ_CHECK(!medium->Text());
    FUZZ_CHECK(medium->Aside() == text);
    // A second pass finds no file: a first run, not told again.
    FUZZ_CHECK(!store.OpenForReading().Exists());
    FUZZ_CHECK(reports == 1);
    return;
  }
  FUZZ_CHECK(reader.Exists());
  FUZZ_CHECK(reports == 0);
  for (const SettingsValues::Entry& entry : parsed.values->Entries()) {
    if (const auto* number = std::get_if<std::int32_t>(&entry.value)) {
      std::int32_t read = 0;
      FUZZ_CHECK(reader.ReadInteger(entry.name, read) && read == *number);
    } else {
      std::string read;
      FUZZ_CHECK(reader.ReadString(entry.name, read) && read == std::get<std::string>(entry.value));
    }
  }
  FUZZ_CHECK(!reader.Failed());
  FUZZ_CHECK(medium->Text() == text && !medium->Aside());
  CheckDialogFolders(store, *parsed.values);

  // A writing pass keeps every value it does not write.
  SettingsWriter writer = store.OpenForWriting();
  writer.WriteInteger("FuzzWritten", 1);
  FUZZ_CHECK(writer.Close());
  SettingsValues expected = *parsed.values;
  expected.Set("FuzzWritten", 1);
  FUZZ_CHECK(medium->Text().has_value());
  const SettingsParseResult reread = ParseSettingsText(*medium->Text());
  FUZZ_CHECK(reread.values.has_value() && SameEntries(*reread.values, expected));
}

}  // namespace
}  // namespace morvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvane::CheckParse(morvane::fuzz::AsText({data, size}));
  morvane::CheckStore(morvane::fuzz::AsText({data, size}));
  return 0;
}
