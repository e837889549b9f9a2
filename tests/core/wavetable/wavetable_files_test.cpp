#include "core/wavetable/wavetable_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/settings/temp_folder.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

// Everything a file operation could touch in the current slot.
struct SlotSnapshot {
  std::vector<std::uint8_t> samples;  // 2048 × 256, in index order
  std::vector<std::uint8_t> spectra;  // amplitude then phase of every waveform
  std::vector<int> markers;
  std::vector<int> origins;
  bool operator==(const SlotSnapshot&) const = default;
};

SlotSnapshot Snapshot(const WavetableStore& store) {
  SlotSnapshot s;
  for (int k = 0; k < kWaveCount; ++k) {
    s.samples.insert(s.samples.end(), store.Wave(k).begin(), store.Wave(k).end());
    s.spectra.insert(s.spectra.end(), store.Amplitude(k).begin(), store.Amplitude(k).end());
    s.spectra.insert(s.spectra.end(), store.Phase(k).begin(), store.Phase(k).end());
    s.markers.push_back(store.Marker(k));
    s.origins.push_back(store.Origin(k));
  }
  return s;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& b : bytes) b = static_cast<char>(random());
  return bytes;
}

std::uint8_t ByteAt(const std::string& bytes, std::size_t i) {
  return static_cast<std::uint8_t>(bytes[i]);
}

// A slot whose every sample, spectrum byte, marker and origin differs from what a load writes,
// so any change shows.
class WavetableFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { FillSlot(); }

  void FillSlot() {
    store.ClearAll();
    store.SetCurrentSlot(4);
    std::mt19937 random(7);
    for (int k = 0; k < kWaveCount; ++k) {
      for (auto& b : store.Wave(k)) b = static_cast<std::uint8_t>(random());
      for (auto& b : store.Amplitude(k)) b = static_cast<std::uint8_t>(random());
      for (auto& b : store.Phase(k)) b = static_cast<std::uint8_t>(random());
      store.SetMarker(k, 1 + k % 3);
    }
    for (int k = 0; k < kWaveCount; k += 2) store.SwapIndex(k, kWaveCount - 1 - k);
  }

  WavetableStore store;
  TempFolder folder;
};

// What a read of `file` into the slot from byte `first_byte` on must leave: `count` file bytes
// there, the former samples everywhere else.
void ExpectSamplesRead(const SlotSnapshot& before, const WavetableStore& store,
                       const std::string& file, std::size_t first_byte, std::size_t count) {
  std::vector<std::uint8_t> expected = before.samples;
  std::copy_n(file.begin(), count, expected.begin() + static_cast<std::ptrdiff_t>(first_byte));
  const std::vector<std::uint8_t> samples = Snapshot(store).samples;
  const auto at = std::mismatch(samples.begin(), samples.end(), expected.begin()).first;
  const auto index = at - samples.begin();
  EXPECT_TRUE(at == samples.end())
      << "first difference at wave " << index / kWaveLength << " sample " << index % kWaveLength;
}

TEST_F(WavetableFilesTest, LoadReadsUpToOneSlotAndKeepsWhatTheFileDoesNotReach) {
  // {file size, bytes that must be read}
  const std::pair<std::size_t, std::size_t> cases[] = {
      {1000, 1000},  // waves 0..2 and 232 samples of wave 3
      {0, 0},        // an empty file still loads
      {kBankBytes, kBankBytes},
      {kSlotBytes, kSlotBytes},
      {kSlotBytes + 4096 + 17, kSlotBytes},  // the rest is ignored
  };
  for (const auto& [size, read] : cases) {
    SCOPED_TRACE(size);
    FillSlot();
    const std::string file = RandomBytes(size, static_cast<unsigned>(size));
    WriteBytes(folder / "slot.bin", file);
    const SlotSnapshot before = Snapshot(store);

    ASSERT_TRUE(LoadSlotFile(store, folder / "slot.bin"));
    ExpectSamplesRead(before, store, file, 0, read);
    const SlotSnapshot after = Snapshot(store);
    EXPECT_EQ(after.spectra, before.spectra) << "the spectral map recomputes them";
    for (int k = 0; k < kWaveCount; ++k) {
      ASSERT_EQ(store.Marker(k), kMarkerNone) << k;
      ASSERT_EQ(store.Origin(k), k) << k;
    }
  }
}

TEST_F(WavetableFilesTest, LoadOfAThousandBytesEndsInsideWaveThree) {
  const std::string file = RandomBytes(1000, 3);
  WriteBytes(folder / "short.raw", file);
  const std::uint8_t kept = store.Wave(3)[232];
  ASSERT_TRUE(LoadSlotFile(store, folder / "short.raw"));
  EXPECT_EQ(store.Wave(3)[231], ByteAt(file, 999));
  EXPECT_EQ(store.Wave(3)[232], kept);
}

TEST_F(WavetableFilesTest, ReadsTouchOnlyTheCurrentSlot) {
  std::vector<SlotSnapshot> others;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    store.SetCurrentSlot(slot);
    others.push_back(Snapshot(store));
  }
  store.SetCurrentSlot(4);
  WriteBytes(folder / "big.bin", RandomBytes(kSlotBytes + kBankBytes, 1));
  ASSERT_TRUE(LoadSlotFile(store, folder / "big.bin"));
  ASSERT_TRUE(ImportBankFile(store, folder / "big.bin", 30));
  ASSERT_TRUE(ImportBankFile(store, folder / "big.bin", 31));
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (slot == 4) continue;
    store.SetCurrentSlot(slot);
    EXPECT_EQ(Snapshot(store), others[static_cast<std::size_t>(slot)]) << "slot " << slot;
  }
}

TEST_F(WavetableFilesTest, ImportFillsFromTheBankToTheEndOfTheSlotAtMost) {
  struct Case {
    int bank;
    std::size_t file_size;
    std::size_t bytes_read;
  };
  const Case cases[] = {
      {30, kSlotBytes, 2 * kBankBytes},  // banks 30 and 31 only
      {0, 1000, 1000},                   // short last read keeps the rest of wave 3
      {5, kBankBytes, kBankBytes},
      {2, 300, 300},
      {31, kBankBytes + 100, kBankBytes},
      {0, kSlotBytes + 5, kSlotBytes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "bank " << c.bank << " size " << c.file_size);
    FillSlot();
    const std::string file = RandomBytes(c.file_size, static_cast<unsigned>(c.bank));
    WriteBytes(folder / "bank.bin", file);
    const SlotSnapshot before = Snapshot(store);

    ASSERT_TRUE(ImportBankFile(store, folder / "bank.bin", c.bank));
    const std::size_t first_byte = static_cast<std::size_t>(c.bank) * kBankBytes;
    ExpectSamplesRead(before, store, file, first_byte, c.bytes_read);
    for (int k = 0; k < kWaveCount; ++k) {
      // Only the first bank's markers are cleared, even where the file reached further.
      const int expected_marker = k / kWavesPerBank == c.bank ? kMarkerNone : before.markers[k];
      ASSERT_EQ(store.Marker(k), expected_marker) << k;
      ASSERT_EQ(store.Origin(k), k) << k;
    }
    EXPECT_EQ(Snapshot(store).spectra, before.spectra);
  }
}

TEST_F(WavetableFilesTest, FailedReadsLeaveTheSlotUnchanged) {
  WriteBytes(folder / "plain", "not a folder");
  fs::create_directories(folder / "folder.bin");
  WriteBytes(folder / "good.bin", RandomBytes(kBankBytes, 2));
  const fs::path bad_paths[] = {
      folder / "missing.bin",
      folder / "folder.bin",           // a folder chosen as the file
      folder / "plain" / "under.bin",  // a path under a regular file
      folder / "nowhere" / "x.bin",
  };
  const SlotSnapshot before = Snapshot(store);
  for (const fs::path& path : bad_paths) {
    EXPECT_FALSE(LoadSlotFile(store, path)) << path;
    EXPECT_FALSE(ImportBankFile(store, path, 3)) << path;
    ASSERT_EQ(Snapshot(store), before) << path;
  }
  for (int bank : {-1, 32}) {
    EXPECT_FALSE(ImportBankFile(store, folder / "good.bin", bank)) << bank;
    ASSERT_EQ(Snapshot(store), before) << bank;
  }
}

TEST_F(WavetableFilesTest, SavesWriteTheRawSamplesAndReplaceAnyOlderFile) {
  const SlotSnapshot slot = Snapshot(store);
  WriteBytes(folder / "slot.bin", std::string(kSlotBytes + 999, 'x'));  // longer than the save
  ASSERT_TRUE(SaveSlotFile(store, folder / "slot.bin"));
  EXPECT_EQ(ReadBytes(folder / "slot.bin"), std::string(slot.samples.begin(), slot.samples.end()));

  for (int bank : {0, 17, 31}) {
    ASSERT_TRUE(SaveBankFile(store, folder / "bank.bin", bank)) << bank;
    const auto first = slot.samples.begin() + static_cast<std::ptrdiff_t>(bank * kBankBytes);
    EXPECT_EQ(ReadBytes(folder / "bank.bin"),
              std::string(first, first + static_cast<std::ptrdiff_t>(kBankBytes)))
        << bank;
  }
  EXPECT_EQ(FolderListing(folder.Path()), (std::vector<std::string>{"bank.bin", "slot.bin"}));
  EXPECT_EQ(Snapshot(store), slot) << "saving changes nothing in the slot";
}

TEST_F(WavetableFilesTest, ASavedSlotLoadsBackIntoAnotherSlot) {
  const SlotSnapshot saved = Snapshot(store);
  ASSERT_TRUE(SaveSlotFile(store, folder / "round.bin"));
  store.SetCurrentSlot(0);
  ASSERT_TRUE(LoadSlotFile(store, folder / "round.bin"));
  EXPECT_EQ(Snapshot(store).samples, saved.samples);
}

TEST_F(WavetableFilesTest, ReplacingKeepsSymbolicLinksAndPermissions) {
  WriteBytes(folder / "real.bin", "old");
  fs::permissions(folder / "real.bin",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("real.bin", folder / "link.bin");

  ASSERT_TRUE(SaveBankFile(store, folder / "link.bin", 0));
  EXPECT_TRUE(fs::is_symlink(folder / "link.bin"));
  EXPECT_EQ(fs::file_size(folder / "real.bin"), kBankBytes);
  EXPECT_EQ(fs::status(folder / "real.bin").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FolderListing(folder.Path()), (std::vector<std::string>{"link.bin", "real.bin"}));
}

// Writes half of the bytes, then fails, as a disk filling up would; remembers what the folder
// held at that moment.
class HalfWayFailingWriter : public FileWriter {
 public:
  explicit HalfWayFailingWriter(fs::path folder) : folder_(std::move(folder)) {}

  std::vector<std::string> listing_while_writing;

 protected:
  bool WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes) override {
    FileWriter::WriteBytes(file, bytes.first(bytes.size() / 2));
    std::fflush(file);
    listing_while_writing = FolderListing(folder_);
    return false;
  }

 private:
  fs::path folder_;
};

TEST_F(WavetableFilesTest, AWriteFailingHalfWayKeepsTheOldFileAndLeavesNoTemporary) {
  const std::string old_file = RandomBytes(kSlotBytes, 11);
  WriteBytes(folder / "keep.bin", old_file);
  for (bool whole_slot : {true, false}) {
    SCOPED_TRACE(whole_slot ? "slot" : "bank");
    HalfWayFailingWriter writer(folder.Path());
    const bool saved = whole_slot ? SaveSlotFile(store, folder / "keep.bin", writer)
                                  : SaveBankFile(store, folder / "keep.bin", 9, writer);
    EXPECT_FALSE(saved);
    // The bytes went to a second file beside the target, never into the target itself.
    EXPECT_EQ(writer.listing_while_writing.size(), 2u);
    EXPECT_EQ(ReadBytes(folder / "keep.bin"), old_file);
    EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"keep.bin"});
  }
}

TEST_F(WavetableFilesTest, SavesThatCannotCreateOrPlaceTheFileFailCleanly) {
  WriteBytes(folder / "plain", "a regular file");
  fs::create_directories(folder / "taken.bin" / "inside");
  const fs::path bad_paths[] = {
      folder / "nowhere" / "x.bin",    // a folder that does not exist
      folder / "plain" / "under.bin",  // a path under a regular file
      folder / "taken.bin",            // a folder stands where the file would go
  };
  for (const fs::path& path : bad_paths) {
    EXPECT_FALSE(SaveSlotFile(store, path)) << path;
    EXPECT_FALSE(SaveBankFile(store, path, 0)) << path;
  }
  EXPECT_EQ(ReadBytes(folder / "plain"), "a regular file");
  EXPECT_TRUE(fs::is_directory(folder / "taken.bin" / "inside"));
  EXPECT_EQ(FolderListing(folder.Path()), (std::vector<std::string>{"plain", "taken.bin"}));
  EXPECT_EQ(FolderListing(folder / "taken.bin"), std::vector<std::string>{"inside"});

  for (int bank : {-1, 32}) EXPECT_FALSE(SaveBankFile(store, folder / "bank.bin", bank)) << bank;
  EXPECT_FALSE(fs::exists(folder / "bank.bin"));
}

}  // namespace
}  // namespace morvane
