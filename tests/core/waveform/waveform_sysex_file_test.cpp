#include "core/waveform/waveform_sysex_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/settings/temp_folder.h"

namespace morvane {
namespace {

using Wave = std::array<std::uint8_t, 256>;

Wave Ramp() {
  Wave wave;
  for (int i = 0; i < 256; ++i) wave[i] = static_cast<std::uint8_t>(i);
  return wave;
}

// Writes the first half of the bytes and then fails, as a full disk would.
class HalfWayFailingWriter : public FileWriter {
 protected:
  bool WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes) override {
    FileWriter::WriteBytes(file, bytes.first(bytes.size() / 2));
    return false;
  }
};

TEST(WaveformSysexFileTest, HoldsTheFourBlockMessagesOfTheWaveform) {
  const Wave wave = Ramp();
  const WaveformSysexFile file = BuildWaveformSysexFile(wave, 5);
  ASSERT_EQ(file.size(), 328u);
  for (int block = 0; block < 4; ++block) {
    const auto message = std::span<const std::uint8_t>(file).subspan(82 * block, 82);
    EXPECT_EQ(message[3], 5);
    EXPECT_EQ(message[5], 4 * block);  // 0, 4, 8, 12
    const auto parsed = ParseWaveBlockMessage(message);
    ASSERT_TRUE(parsed.has_value()) << block;
    EXPECT_TRUE(std::equal(parsed->data.begin(), parsed->data.end(), wave.begin() + 64 * block));
  }
}

TEST(WaveformSysexFileTest, SavedFileHas328BytesAndReplacesAnOlderOne) {
  TempFolder folder;
  const auto path = folder / "wave.syx";
  WriteBytes(path, std::string(1000, 'x'));
  const Wave wave = Ramp();
  ASSERT_TRUE(SaveWaveformSysexFile(path, wave, 0));
  const WaveformSysexFile expected = BuildWaveformSysexFile(wave, 0);
  EXPECT_EQ(ReadBytes(path), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"wave.syx"});
}

TEST(WaveformSysexFileTest, AFailedSaveKeepsTheExistingFileAndLeavesNoTemporary) {
  TempFolder folder;
  const auto path = folder / "wave.syx";
  const std::string old_contents = "an older waveform file";
  WriteBytes(path, old_contents);
  HalfWayFailingWriter writer;
  EXPECT_FALSE(SaveWaveformSysexFile(path, Ramp(), 0, writer));
  EXPECT_EQ(ReadBytes(path), old_contents);
  EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"wave.syx"});
  // A folder that is not there cannot receive the file either.
  EXPECT_FALSE(SaveWaveformSysexFile(folder / "missing" / "wave.syx", Ramp(), 0));
}

}  // namespace
}  // namespace morvane
