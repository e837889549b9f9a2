#include "core/spectral/spectrum_file.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "core/settings/temp_folder.h"

namespace morvane {
namespace {

using Bytes = std::array<std::uint8_t, kHarmonicCount>;

class SpectrumFileTest : public ::testing::Test {
 protected:
  SpectrumFileTest() {
    amplitude_.fill(11);
    phase_.fill(22);
  }
  std::filesystem::path WriteFile(const char* name, std::size_t size) {
    const std::filesystem::path path = folder_.Path() / name;
    std::ofstream out(path, std::ios::binary);
    for (std::size_t i = 0; i < size; ++i) out.put(static_cast<char>(200 + i % 50));
    return path;
  }
  TempFolder folder_;
  Bytes amplitude_{};
  Bytes phase_{};
};

TEST_F(SpectrumFileTest, SavesAmplitudesThenPhasesAndReadsThemBack) {
  std::iota(amplitude_.begin(), amplitude_.end(), 0);
  std::iota(phase_.begin(), phase_.end(), 128);
  const auto path = folder_.Path() / "a.msp";
  ASSERT_TRUE(SaveSpectrumFile(path, amplitude_, phase_));
  EXPECT_EQ(std::filesystem::file_size(path), kSpectrumFileBytes);
  Bytes amplitude{};
  Bytes phase{};
  ASSERT_TRUE(LoadSpectrumFile(path, amplitude, phase));
  EXPECT_EQ(amplitude, amplitude_);
  EXPECT_EQ(phase, phase_);
}

TEST_F(SpectrumFileTest, AShortFileChangesOnlyWhatItHolds) {
  ASSERT_TRUE(LoadSpectrumFile(WriteFile("short.msp", 100), amplitude_, phase_));
  for (int i = 0; i < 100; ++i) EXPECT_EQ(amplitude_[i], 200 + i % 50);
  for (int i = 100; i < kHarmonicCount; ++i) EXPECT_EQ(amplitude_[i], 11);
  for (int i = 0; i < kHarmonicCount; ++i) EXPECT_EQ(phase_[i], 22);
}

TEST_F(SpectrumFileTest, ALongerFileGivesItsFirst256Bytes) {
  ASSERT_TRUE(LoadSpectrumFile(WriteFile("long.msp", 1000), amplitude_, phase_));
  EXPECT_EQ(amplitude_[0], 200);
  EXPECT_EQ(phase_[127], 200 + 255 % 50);
}

TEST_F(SpectrumFileTest, MissingFileOrFolderChangesNothing) {
  for (const std::filesystem::path& path : {folder_.Path() / "none.msp", folder_.Path()}) {
    EXPECT_FALSE(LoadSpectrumFile(path, amplitude_, phase_)) << path;
    EXPECT_EQ(amplitude_[0], 11);
    EXPECT_EQ(phase_[0], 22);
  }
}

TEST_F(SpectrumFileTest, AFailedSaveLeavesWhatWasThere) {
  WriteFile("kept.msp", 256);
  EXPECT_FALSE(SaveSpectrumFile(folder_.Path() / "no" / "x.msp", amplitude_, phase_));
  std::filesystem::create_directory(folder_.Path() / "dir.msp");
  EXPECT_FALSE(SaveSpectrumFile(folder_.Path() / "dir.msp", amplitude_, phase_));
  EXPECT_EQ(FolderListing(folder_.Path()), (std::vector<std::string>{"dir.msp", "kept.msp"}));
  EXPECT_EQ(ReadBytes(folder_.Path() / "kept.msp")[0], static_cast<char>(200));
}

}  // namespace
}  // namespace morvane
