#include "core/wavetable/wavetable_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace morvane {
namespace {

struct RecordSnapshot {
  std::vector<std::uint8_t> bytes;  // samples, amplitude and phase of every waveform
  std::vector<int> markers;
  std::vector<int> origins;
  bool operator==(const RecordSnapshot&) const = default;
};

RecordSnapshot Snapshot(const WavetableStore& store) {
  RecordSnapshot s;
  for (int k = 0; k < kWaveCount; ++k) {
    s.bytes.insert(s.bytes.end(), store.Wave(k).begin(), store.Wave(k).end());
    s.bytes.insert(s.bytes.end(), store.Amplitude(k).begin(), store.Amplitude(k).end());
    s.bytes.insert(s.bytes.end(), store.Phase(k).begin(), store.Phase(k).end());
    s.markers.push_back(store.Marker(k));
    s.origins.push_back(store.Origin(k));
  }
  return s;
}

// Gives every waveform of the current slot distinct, recognisable contents.
void FillDistinct(WavetableStore& store, unsigned seed) {
  std::mt19937 random(seed);
  for (int k = 0; k < kWaveCount; ++k) {
    for (auto& b : store.Wave(k)) b = static_cast<std::uint8_t>(random());
    for (auto& b : store.Amplitude(k)) b = static_cast<std::uint8_t>(random());
    for (auto& b : store.Phase(k)) b = static_cast<std::uint8_t>(random());
    store.SetMarker(k, static_cast<int>(random() % 4));
  }
}

bool IsEmptyRecord(const WavetableStore& store, int k) {
  return std::all_of(store.Wave(k).begin(), store.Wave(k).end(),
                     [](std::uint8_t s) { return s == kZeroLine; }) &&
         std::all_of(store.Amplitude(k).begin(), store.Amplitude(k).end(),
                     [](std::uint8_t s) { return s == 0; }) &&
         std::all_of(store.Phase(k).begin(), store.Phase(k).end(),
                     [](std::uint8_t s) { return s == 0; }) &&
         store.Marker(k) == kMarkerNone;
}

class WavetableStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { store.ClearAll(); }
  WavetableStore store;
};

TEST_F(WavetableStoreTest, ClearAllEmptiesEverySlotAndResetsOrder) {
  for (int slot : {0, 3, 7}) {
    store.SetCurrentSlot(slot);
    FillDistinct(store, static_cast<unsigned>(slot));
    store.SwapIndex(0, 2047);
  }
  store.SetCurrentSlot(5);
  store.ClearAll();
  EXPECT_EQ(store.CurrentSlot(), 5);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    store.SetCurrentSlot(slot);
    for (int k = 0; k < kWaveCount; ++k) {
      ASSERT_TRUE(IsEmptyRecord(store, k)) << "slot " << slot << " wave " << k;
      ASSERT_EQ(store.Origin(k), k);
    }
  }
}

TEST_F(WavetableStoreTest, SlotsAreIndependentAndMarkerClearingHasItsScope) {
  store.SetCurrentSlot(2);
  store.SetSample(10, 0, 7);
  store.SetMarker(10, kMarkerScale);
  store.SetCurrentSlot(6);
  store.SetMarker(10, kMarkerMark);
  EXPECT_EQ(store.Wave(10)[0], kZeroLine);

  store.ClearMarkers();  // current slot only
  EXPECT_EQ(store.Marker(10), kMarkerNone);
  store.SetCurrentSlot(2);
  EXPECT_EQ(store.Marker(10), kMarkerScale);
  EXPECT_EQ(store.Wave(10)[0], 7);

  store.SetMarker(64 * 3 + 5, kMarkerMark);
  store.ClearBankMarkers(3);
  EXPECT_EQ(store.Marker(64 * 3 + 5), kMarkerNone);
  EXPECT_EQ(store.Marker(10), kMarkerScale);

  store.SetCurrentSlot(6);
  store.SetMarker(11, kMarkerIrregularScale);
  store.ClearAllMarkers();
  EXPECT_EQ(store.Marker(11), kMarkerNone);
  store.SetCurrentSlot(2);
  EXPECT_EQ(store.Marker(10), kMarkerNone);

  store.SetCurrentSlot(8);
  store.SetCurrentSlot(-1);
  EXPECT_EQ(store.CurrentSlot(), 2);
}

TEST_F(WavetableStoreTest, OutOfRangeWritesChangeNothing) {
  FillDistinct(store, 1);
  const RecordSnapshot before = Snapshot(store);
  store.SetMarker(2048, kMarkerMark);
  store.SetMarker(-1, kMarkerMark);
  store.SetSample(0, 256, 1);
  store.SetSample(2048, 0, 1);
  store.SwapIndex(0, 2048);
  store.SwapIndex(2048, 5);
  store.CopyWave(0, 64, 0, 0);  // wave beyond the bank
  store.MoveWave(32, 0, 0, 0);  // bank beyond the table
  store.SwapWaves(0, -1, 0, 0);
  EXPECT_EQ(Snapshot(store), before);
}

TEST_F(WavetableStoreTest, CopyMoveAndSwapCarryWhatTheySay) {
  FillDistinct(store, 2);
  const int src = 1 * 64 + 2;
  const int dst = 4 * 64 + 5;
  store.SetMarker(src, kMarkerMark);
  store.SetMarker(dst, kMarkerScale);
  store.SwapIndex(dst, 100);  // give the destination a foreign origin
  const int dst_origin = store.Origin(dst);
  const std::vector<std::uint8_t> src_samples(store.Wave(src).begin(), store.Wave(src).end());
  const std::vector<std::uint8_t> src_amplitude(store.Amplitude(src).begin(),
                                                store.Amplitude(src).end());

  store.CopyWave(4, 5, 1, 2);
  EXPECT_TRUE(std::equal(src_samples.begin(), src_samples.end(), store.Wave(dst).begin()));
  EXPECT_EQ(store.Marker(dst), kMarkerMark);
  EXPECT_EQ(store.Origin(dst), dst_origin);

  store.SetMarker(dst, kMarkerScale);
  store.MoveWave(4, 5, 1, 2);
  EXPECT_TRUE(std::equal(src_samples.begin(), src_samples.end(), store.Wave(dst).begin()));
  EXPECT_TRUE(std::equal(src_amplitude.begin(), src_amplitude.end(), store.Amplitude(dst).begin()));
  EXPECT_EQ(store.Marker(dst), kMarkerScale) << "a move keeps the destination's marker";
  EXPECT_EQ(store.Origin(dst), dst_origin);
  EXPECT_TRUE(IsEmptyRecord(store, src));
  EXPECT_EQ(store.Origin(src), src) << "clearing keeps the origin";

  store.MoveWave(4, 5, 4, 5);
  EXPECT_TRUE(IsEmptyRecord(store, dst)) << "a move onto itself leaves the cell empty";
}

TEST_F(WavetableStoreTest, SwapWavesIsNotUndoneByRestoreOrder) {
  FillDistinct(store, 3);
  const RecordSnapshot before = Snapshot(store);
  store.SwapWaves(0, 0, 31, 63);
  EXPECT_EQ(store.Origin(0), 0);
  EXPECT_EQ(store.Origin(2047), 2047);
  store.RestoreOrder();
  EXPECT_TRUE(std::equal(before.bytes.begin() + 2047 * 512, before.bytes.begin() + 2047 * 512 + 256,
                         store.Wave(0).begin()));
  EXPECT_EQ(store.Marker(0), before.markers[2047]);
  EXPECT_EQ(store.Marker(2047), before.markers[0]);
}

TEST_F(WavetableStoreTest, RestoreOrderUndoesAnyPermutationOfSwapIndex) {
  FillDistinct(store, 4);
  const RecordSnapshot before = Snapshot(store);
  std::mt19937 random(99);
  for (int n = 0; n < 5000; ++n) store.SwapIndex(random() % 2048, random() % 2048);
  ASSERT_NE(Snapshot(store), before);
  store.RestoreOrder();
  EXPECT_EQ(Snapshot(store), before);
}

TEST_F(WavetableStoreTest, SortBySpectrumKeepsItsExchangeSequenceOnTies) {
  // Four cells in a row whose first amplitude bytes are 1, 3, 3, 2. Halving-gap Shell sort with
  // strict comparison leaves the two 3s exchanged relative to a stable sort.
  const std::uint8_t first[] = {1, 3, 3, 2};
  for (int e = 0; e < 4; ++e) store.Amplitude(64 * 7 + 20 + e)[0] = first[e];
  store.SortBySpectrum(7, 20, 4, 1, 0);
  const int expected_origins[] = {64 * 7 + 22, 64 * 7 + 21, 64 * 7 + 23, 64 * 7 + 20};
  for (int e = 0; e < 4; ++e) EXPECT_EQ(store.Origin(64 * 7 + 20 + e), expected_origins[e]);
}

TEST_F(WavetableStoreTest, SortBySpectrumSortsOnlyTheRectangleAndRestoreOrderUndoesIt) {
  for (int which : {0, 1}) {
    FillDistinct(store, 5 + static_cast<unsigned>(which));
    // Make first bytes collide so later bytes must decide.
    for (int k = 0; k < kWaveCount; ++k) {
      store.Amplitude(k)[0] = static_cast<std::uint8_t>(k % 3);
      store.Phase(k)[0] = static_cast<std::uint8_t>(k % 2);
    }
    const RecordSnapshot before = Snapshot(store);
    const int top = 2, left = 10, width = 5, height = 3;
    store.SortBySpectrum(top, left, width, height, which);

    auto array_of = [&](int k) { return which == 0 ? store.Amplitude(k) : store.Phase(k); };
    std::vector<int> cells;
    for (int e = 0; e < width * height; ++e)
      cells.push_back((top + e / width) * 64 + left + e % width);
    for (std::size_t e = 1; e < cells.size(); ++e) {
      EXPECT_GE(std::memcmp(array_of(cells[e - 1]).data(), array_of(cells[e]).data(), 128), 0)
          << "cell " << e << " sorted by " << which;
    }
    for (int k = 0; k < kWaveCount; ++k) {
      if (std::find(cells.begin(), cells.end(), k) == cells.end()) {
        ASSERT_EQ(store.Origin(k), k) << "outside the rectangle";
      }
    }
    store.RestoreOrder();
    EXPECT_EQ(Snapshot(store), before);
  }
}

TEST_F(WavetableStoreTest, SortBySpectrumOfOneCellChangesNothing) {
  FillDistinct(store, 7);
  const RecordSnapshot before = Snapshot(store);
  store.SortBySpectrum(5, 5, 1, 1, 0);
  EXPECT_EQ(Snapshot(store), before);
}

TEST_F(WavetableStoreTest, ClearBankResetsTheWholeOrderAndClearWaveKeepsTheOrigin) {
  FillDistinct(store, 8);
  store.SwapIndex(3, 2000);
  store.ClearWave(0, 3);
  EXPECT_TRUE(IsEmptyRecord(store, 3));
  EXPECT_EQ(store.Origin(3), 2000);

  store.ClearBank(31);
  for (int wave = 0; wave < 64; ++wave) EXPECT_TRUE(IsEmptyRecord(store, 31 * 64 + wave));
  EXPECT_FALSE(IsEmptyRecord(store, 30 * 64 + 63));
  EXPECT_EQ(store.Origin(3), 3);
}

struct BufferCase {
  std::size_t size;
  int bank;
  int wave;
  int copied;
};

class CopyBufferToSlotTest : public WavetableStoreTest,
                             public ::testing::WithParamInterface<BufferCase> {};

TEST_P(CopyBufferToSlotTest, CopiesWholeWaveformsUpToTheEndOfTheSlot) {
  const BufferCase c = GetParam();
  const std::size_t offset = 3;
  std::vector<std::uint8_t> buffer(offset + c.size);
  for (std::size_t i = 0; i < buffer.size(); ++i)
    buffer[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  store.SetMarker(0, kMarkerMark);
  store.SwapIndex(1, 2);

  store.CopyBufferToSlot(buffer.data(), c.size, offset, c.bank, c.wave);

  const int first = c.bank * 64 + c.wave;
  for (int k = 0; k < kWaveCount; ++k) {
    const bool copied = k >= first && k < first + c.copied;
    for (int i = 0; i < kWaveLength; ++i) {
      const std::uint8_t expected =
          copied ? buffer[offset + static_cast<std::size_t>((k - first) * 256 + i)] : kZeroLine;
      ASSERT_EQ(store.Wave(k)[static_cast<std::size_t>(i)], expected)
          << "wave " << k << " sample " << i;
    }
    ASSERT_EQ(store.Marker(k), kMarkerNone);
    ASSERT_EQ(store.Origin(k), k);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, CopyBufferToSlotTest,
                         ::testing::Values(BufferCase{1000, 0, 0, 3},
                                           BufferCase{kSlotBytes + 255, 0, 0, 2048},
                                           BufferCase{2048, 31, 60, 4}, BufferCase{255, 0, 0, 0},
                                           BufferCase{4 * 256, 10, 62, 4}));

TEST_F(WavetableStoreTest, BufferCopiesFollowIndexOrder) {
  FillDistinct(store, 9);
  std::vector<std::uint8_t> slot(kSlotBytes);
  store.CopySlotToBuffer(std::span<std::uint8_t, kSlotBytes>(slot.data(), kSlotBytes));
  std::array<std::uint8_t, kWaveLength> wave{};
  store.CopyWaveToBuffer(wave, 17, 33);
  const int k = 17 * 64 + 33;
  EXPECT_TRUE(std::equal(wave.begin(), wave.end(), slot.begin() + k * 256));
  EXPECT_TRUE(std::equal(store.Wave(k).begin(), store.Wave(k).end(), wave.begin()));
  EXPECT_TRUE(std::equal(store.Wave(2047).begin(), store.Wave(2047).end(), slot.end() - 256));
}

}  // namespace
}  // namespace morvane
