#include "core/wavetable/find_operations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/wavetable/tagged_waves.h"

namespace morvane {
namespace {

std::vector<int> Markers(const WavetableStore& store) {
  std::vector<int> markers;
  for (int k = 0; k < kWaveCount; ++k) markers.push_back(store.Marker(k));
  return markers;
}

std::vector<int> Marked(const WavetableStore& store) {
  std::vector<int> marked;
  for (int k = 0; k < kWaveCount; ++k) {
    if (store.Marker(k) != kMarkerNone) marked.push_back(k);
  }
  return marked;
}

TEST(FindOperationsTest, BufferMarksTheWaveformsEqualToIt) {
  WavetableStore store;
  testing::TagEveryWave(store);
  std::array<std::uint8_t, kWaveLength> buffer{};
  std::ranges::copy(store.Wave(77), buffer.begin());
  std::ranges::copy(buffer, store.Wave(2047).begin());
  store.SetMarker(5, kMarkerScale);
  MarkAllEqual(store, buffer);
  EXPECT_EQ(Marked(store), (std::vector<int>{77, 2047}));
}

TEST(FindOperationsTest, RampMarksNonEmptyWaveformsThatNeverFall) {
  WavetableStore store;
  store.ClearAll();
  for (int i = 0; i < kWaveLength; ++i) store.Wave(3)[i] = static_cast<std::uint8_t>(i);
  std::ranges::fill(store.Wave(4), 90);  // constant: never falls
  for (int i = 0; i < kWaveLength; ++i) store.Wave(5)[i] = static_cast<std::uint8_t>(i);
  store.Wave(5)[200] = 0;                     // one fall
  store.SetMarker(6, kMarkerIrregularScale);  // empty: cleared, not marked
  MarkAllRamps(store);
  EXPECT_EQ(Marked(store), (std::vector<int>{3, 4}));
}

TEST(FindOperationsTest, EmptyWorksOnBitZeroOnly) {
  WavetableStore store;
  store.ClearAll();
  std::ranges::fill(store.Wave(0), 1);
  std::ranges::fill(store.Wave(1), 1);
  std::ranges::fill(store.Wave(2), 1);
  store.SetMarker(0, kMarkerIrregularScale);
  store.SetMarker(1, kMarkerMark);
  store.SetMarker(2, kMarkerScale);
  store.SetMarker(3, kMarkerScale);  // empty
  MarkAllEmpty(store);
  EXPECT_EQ(store.Marker(0), kMarkerScale);
  EXPECT_EQ(store.Marker(1), kMarkerNone);
  EXPECT_EQ(store.Marker(2), kMarkerScale);
  EXPECT_EQ(store.Marker(3), kMarkerIrregularScale);
  EXPECT_EQ(store.Marker(2047), kMarkerMark);
  EXPECT_TRUE(IsEmpty(store, 2047));
  EXPECT_FALSE(IsEmpty(store, 0));
}

TEST(FindOperationsTest, DoubleMarksLaterCopiesAndWithMarkFirstTheFirstToo) {
  for (const bool mark_first : {false, true}) {
    WavetableStore store;
    testing::TagEveryWave(store);
    for (const int k : {9, 700}) std::ranges::copy(store.Wave(5), store.Wave(k).begin());
    for (const int k : {10, 11}) std::ranges::fill(store.Wave(k), kZeroLine);  // empty pair
    store.SetMarker(100, kMarkerScale);
    MarkDoubles(store, mark_first);
    const std::vector<int> expected =
        mark_first ? std::vector<int>{5, 9, 700} : std::vector<int>{9, 700};
    EXPECT_EQ(Marked(store), expected);
  }
}

// The hashed search against the pairwise rule, on slots where the hash has the most to do.
TEST(FindOperationsTest, DoubleMatchesThePairwiseRuleWhateverTheData) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> group(0, 40);
  const auto fill = [&](WavetableStore& store, int set) {
    store.ClearAll();
    for (int k = 0; k < kWaveCount; ++k) {
      const int seed = set == 0 ? 1 : set == 1 ? k : group(random);
      for (int i = 0; i < kWaveLength; ++i) {
        store.Wave(k)[i] =
            static_cast<std::uint8_t>(set == 3 ? byte(random) : seed * 13 + i * seed);
      }
      if (set == 1) store.Wave(k)[0] = static_cast<std::uint8_t>(k & 0xFF);
      if (set == 1) store.Wave(k)[1] = static_cast<std::uint8_t>(k >> 8);
      if (set == 2 && k % 97 == 0) std::ranges::fill(store.Wave(k), kZeroLine);
    }
  };
  for (int set = 0; set < 4; ++set) {
    for (const bool mark_first : {false, true}) {
      WavetableStore fast;
      WavetableStore plain;
      std::mt19937 saved = random;
      fill(fast, set);
      random = saved;
      fill(plain, set);
      MarkDoubles(fast, mark_first);
      MarkDoublesPairwise(plain, mark_first);
      EXPECT_EQ(Markers(fast), Markers(plain)) << "set " << set << " mark first " << mark_first;
      const std::size_t expected = set == 0 ? (mark_first ? 2048u : 2047u) : 0u;
      if (set != 2) {
        EXPECT_EQ(Marked(fast).size(), expected);
      }
    }
  }
}

TEST(FindOperationsTest, CompareMarksTheDifferencesInBothSlots) {
  WavetableStore store;
  testing::TagEveryWave(store);
  std::vector<std::uint8_t> tagged(kSlotBytes);
  store.CopySlotToBuffer(std::span<std::uint8_t, kSlotBytes>(tagged.data(), kSlotBytes));
  for (const int slot : {2, 5}) {
    store.SetCurrentSlot(slot);
    store.CopyBufferToSlot(tagged.data(), tagged.size(), 0, 0, 0);
    store.SetMarker(4, kMarkerScale);
  }
  store.Wave(2047)[255] ^= 1;
  store.Wave(3)[0] ^= 1;
  CompareSlots(store, 2, 5);
  EXPECT_EQ(store.CurrentSlot(), 2);
  EXPECT_EQ(Marked(store), (std::vector<int>{3, 2047}));
  store.SetCurrentSlot(5);
  EXPECT_EQ(Marked(store), (std::vector<int>{3, 2047}));

  // Against itself: markers cleared, nothing marked.
  CompareSlots(store, 5, 5);
  EXPECT_TRUE(Marked(store).empty());
  // Against an empty slot: every non-empty waveform differs.
  CompareSlots(store, 5, 7);
  EXPECT_EQ(Marked(store).size(), 2048u);
  EXPECT_EQ(store.CurrentSlot(), 5);
  CompareSlots(store, 5, 8);  // no such slot
  EXPECT_EQ(store.CurrentSlot(), 5);
}

}  // namespace
}  // namespace morvane
