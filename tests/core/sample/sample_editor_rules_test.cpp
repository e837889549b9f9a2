#include "core/sample/sample_editor_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/sample/sample_edit_model.h"
#include "core/sample/wave_header.h"

namespace morvane {
namespace {

TEST(SampleEditorRulesTest, Captions) {
  EXPECT_EQ(LoadedSizeCaption(100000), "97Ko");
  EXPECT_EQ(LoadedSizeCaption(kSampleCapacity), "512Ko");
  EXPECT_EQ(KilobyteCaption(3), "3kB");
  EXPECT_EQ(FullSizeZoom(100000, 801), 126);
  EXPECT_EQ(FullSizeZoom(0, 801), 1);
  EXPECT_EQ(FullSizeZoom(1000, 1), 1001);  // no division by zero on a view too narrow
}

TEST(SampleEditorRulesTest, KnobsAndColumns) {
  const ViewColumns columns = ColumnsOfKnobs(1400, 1000, 1040, 80, 4);
  EXPECT_TRUE(columns.has_locator);
  EXPECT_EQ(columns.locator, 100);
  EXPECT_EQ(columns.selection_pos, 10);
  EXPECT_EQ(columns.selection_len, 20);
  EXPECT_FALSE(ColumnsOfKnobs(1000, 1000, 0, 0, 4).has_locator);

  EXPECT_EQ(KnobsOfSelection(10, 20, 1000, 4).pos, 1040);
  EXPECT_EQ(KnobsOfSelection(10, 20, 1000, 4).len, 80);
  EXPECT_EQ(KnobsOfSelection(30, -20, 1000, 4).pos, 1040);
  EXPECT_EQ(KnobsOfSelection(30, -20, 1000, 4).len, 80);
}

TEST(SampleEditorRulesTest, PlayingPositionMovesLocatorOrOrigin) {
  const TrackedPosition locator = TrackPosition(1400, 1000, 4, false);
  EXPECT_EQ(locator.locator_column, 100);
  EXPECT_EQ(locator.locator, 1400);
  EXPECT_EQ(locator.origin, 1000);
  EXPECT_EQ(TrackPosition(500, 1000, 4, false).locator_column, 0);
  EXPECT_EQ(TrackPosition(1400, 1000, 4, true).origin, 1400);
}

TEST(SampleEditorRulesTest, ValueAtLocatorStaysInTheBuffer) {
  std::vector<std::uint8_t> buffer(kSampleCapacity, 7);
  buffer.back() = 9;
  EXPECT_EQ(ValueAtLocator(buffer, 0), 7);
  EXPECT_EQ(ValueAtLocator(buffer, kSampleCapacity), 9);
}

TEST(SampleEditorRulesTest, CellsBecomeASampleRowAfterRow) {
  WavetableStore store;
  for (int k = 0; k < kWaveCount; ++k) {
    for (int i = 0; i < kWaveLength; ++i) store.SetSample(k, i, static_cast<std::uint8_t>(k % 256));
  }
  std::vector<std::uint8_t> buffer(kSampleCapacity);
  // A 2 x 2 selection: (top, left), (top, left + 1), (top + 1, left), (top + 1, left + 1).
  const int length = FillSampleFromCells(store, {3, 5, 4, 6}, 1, buffer);
  EXPECT_EQ(length, 1024);
  const int expected[] = {5 * 64 + 3, 5 * 64 + 4, 6 * 64 + 3, 6 * 64 + 4};
  for (int w = 0; w < 4; ++w) {
    EXPECT_EQ(buffer[static_cast<std::size_t>(w * 256)], expected[w] % 256) << w;
    EXPECT_EQ(buffer[static_cast<std::size_t>(w * 256 + 255)], expected[w] % 256) << w;
  }
  // One cell with "Sample Size" 3: twelve copies.
  std::fill(buffer.begin(), buffer.end(), 0);
  EXPECT_EQ(FillSampleFromCells(store, {2, 1, 2, 1}, 3, buffer), 3072);
  EXPECT_EQ(buffer[3071], 66);
  EXPECT_EQ(buffer[3072], 0);
  // The whole table fits exactly.
  EXPECT_EQ(FillSampleFromCells(store, {0, 0, 63, 31}, 1, buffer), kSampleCapacity);
  EXPECT_EQ(buffer[kSampleCapacity - 1], 2047 % 256);
  EXPECT_EQ(FillSampleFromCells(store, {0, 0, 0, 0}, 512, buffer), kSampleCapacity);
}

std::vector<std::uint8_t> RiffWith(
    std::initializer_list<std::pair<const char*, std::uint32_t>> chunks) {
  std::vector<std::uint8_t> bytes = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  for (const auto& [tag, size] : chunks) {
    bytes.insert(bytes.end(), tag, tag + 4);
    for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<std::uint8_t>(size >> (8 * b)));
    if (std::string_view(tag) != "data") bytes.resize(bytes.size() + size + (size & 1), 0);
  }
  return bytes;
}

TEST(WaveHeaderTest, FindsTheDataChunkPastOtherChunks) {
  const auto plain = RiffWith({{"fmt ", 16}, {"data", 100}});
  EXPECT_EQ(FindWaveData(plain, 44 + 100), (WaveDataChunk{44, 100, 100}));
  const auto extended = RiffWith({{"fmt ", 18}, {"LIST", 7}, {"data", 10}});
  const std::int64_t offset = 12 + 8 + 18 + 8 + 8 + 8;
  EXPECT_EQ(FindWaveData(extended, offset + 10)->offset, offset);
  const auto cut = FindWaveData(plain, 44 + 60);
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->length, 60);
  EXPECT_TRUE(cut->CutShort());
  EXPECT_FALSE(FindWaveData(RiffWith({{"fmt ", 16}}), 36));
  const std::vector<std::uint8_t> not_wave = {'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  EXPECT_FALSE(FindWaveData(not_wave, 12));
}

}  // namespace
}  // namespace morvane
