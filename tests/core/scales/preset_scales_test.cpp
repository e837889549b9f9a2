#include "core/scales/preset_scales.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/settings/temp_folder.h"
#include "support/file_size_limit.h"

namespace morvane {
namespace {

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

TEST(PresetScalesTest, EntryHasABlankFourDigitsAHyphenAndTheName) {
  EXPECT_EQ(FormatPresetEntry(5, "Minor"), " 0005- Minor");
  EXPECT_EQ(FormatPresetEntry(42, "a - b"), " 0042- a - b");
  EXPECT_EQ(FormatPresetEntry(127, " "), " 0127-  ");
  EXPECT_EQ(FormatPresetEntry(4095, "All"), " 4095- All");
}

TEST(PresetScalesTest, NumberIsTheTextBeforeTheFirstHyphen) {
  for (const auto& [entry, expected] : std::vector<std::pair<std::string, std::optional<int>>>{
           {" 0005- Minor", 5},
           {"   12-x-y", 12},
           {"4095-", 4095},
           {" 0005 Minor", std::nullopt},  // no hyphen
           {"- name", std::nullopt},       // nothing before it
           {"  -", std::nullopt},
           {" 12a- x", std::nullopt},
           {" -5- x", std::nullopt},
           {"", std::nullopt},
       }) {
    EXPECT_EQ(ParsePresetNumber(entry), expected) << '"' << entry << '"';
  }
}

TEST(PresetScalesTest, FileRoundTripsByteForByte) {
  TempFolder folder;
  const std::string bytes = " 0005- Minor\r\n 0127- C to F# - wide\r\n 4095- All\r\n";
  WriteBytes(folder / "sp.kub", bytes);
  PresetFile file;
  ASSERT_EQ(ReadPresetFile(folder / "sp.kub", file), PresetReadResult::kRead);
  EXPECT_EQ(file.entries,
            (std::vector<std::string>{" 0005- Minor", " 0127- C to F# - wide", " 4095- All"}));
  EXPECT_TRUE(file.malformed_lines.empty());
  ASSERT_TRUE(WritePresetFile(folder / "copy.kub", file.entries));
  EXPECT_EQ(ReadBytes(folder / "copy.kub"), bytes);
}

TEST(PresetScalesTest, MissingFileIsNoErrorAndAFolderIsUnreadable) {
  TempFolder folder;
  PresetFile file;
  EXPECT_EQ(ReadPresetFile(folder / "sp.kub", file), PresetReadResult::kMissing);
  std::filesystem::create_directory(folder / "dir.kub");
  EXPECT_EQ(ReadPresetFile(folder / "dir.kub", file), PresetReadResult::kUnreadable);
}

TEST(PresetScalesTest, MalformedLinesAreLeftOutWithTheirNumbers) {
  using namespace std::string_literals;
  const PresetFile file = ParsePresetFile(
      " 0001- C\r\nno number\r\n 0002- C#\r\n\r\n 00\0"
      "3- x\n 0004- E\n"s);
  EXPECT_EQ(file.entries, (std::vector<std::string>{" 0001- C", " 0002- C#", " 0004- E"}));
  EXPECT_EQ(file.malformed_lines, (std::vector<int>{2, 4, 5}));
}

TEST(PresetScalesTest, FailedWriteKeepsThePreviousFile) {
  TempFolder folder;
  const std::string old_bytes = " 0001- C\r\n";
  WriteBytes(folder / "sp.kub", old_bytes);
  std::vector<std::string> entries(200, " 0005- A rather long preset name to fill the disk");
  {
    FileSizeLimit limit(256);
    ASSERT_TRUE(limit.Applied());
    EXPECT_FALSE(WritePresetFile(folder / "sp.kub", entries));
  }
  EXPECT_EQ(ReadBytes(folder / "sp.kub"), old_bytes);
}

}  // namespace
}  // namespace morvane
