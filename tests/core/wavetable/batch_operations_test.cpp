#include "core/wavetable/batch_operations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/wavetable/tagged_waves.h"

namespace morvane {
namespace {

using testing::TagEveryWave;

constexpr CellRange kOneCell{5, 3, 5, 3};
constexpr CellRange kLastCorner{62, 30, 63, 31};  // touches the last bank and the last wave

void FillWave(WavetableStore& store, int k, std::uint8_t value) {
  std::ranges::fill(store.Wave(k), value);
}

// A waveform spanning lo..hi: a ramp from lo up to hi, then hi.
void SpanWave(WaveSpan wave, int lo, int hi) {
  for (int i = 0; i < kWaveLength; ++i) wave[i] = static_cast<std::uint8_t>(std::min(lo + i, hi));
}

std::vector<std::uint8_t> Slot(const WavetableStore& store) {
  std::vector<std::uint8_t> bytes(kSlotBytes);
  store.CopySlotToBuffer(std::span<std::uint8_t, kSlotBytes>(bytes.data(), kSlotBytes));
  return bytes;
}

TEST(BatchOperationsTest, OneCellStandsForTheWholeSlotExceptForDelete) {
  for (const WaveCommand command :
       {WaveCommand::kReverse, WaveCommand::kUnsigned, WaveCommand::kCenter,
        WaveCommand::kNormalise, WaveCommand::kMuLawToLin, WaveCommand::kLinToMuLaw}) {
    const CellRange cells = CommandCells(command, kOneCell);
    EXPECT_EQ(cells.left, 0);
    EXPECT_EQ(cells.top, 0);
    EXPECT_EQ(cells.right, 63);
    EXPECT_EQ(cells.bottom, 31);
  }
  const CellRange deleted = CommandCells(WaveCommand::kDelete, kOneCell);
  EXPECT_EQ(deleted.left, 5);
  EXPECT_EQ(deleted.right, 5);
  EXPECT_EQ(deleted.top, 3);
  const CellRange block = CommandCells(WaveCommand::kReverse, kLastCorner);
  EXPECT_EQ(block.left, 62);
  EXPECT_EQ(block.bottom, 31);
}

TEST(BatchOperationsTest, ReverseTwiceRestoresAndWorksOnlyInsideTheSelection) {
  WavetableStore store;
  store.ClearAll();
  TagEveryWave(store);
  const auto before = Slot(store);
  const MuLawTables tables = BuildMuLawTables();
  ApplyWaveCommand(store, WaveCommand::kReverse, kLastCorner, tables);
  const auto after = Slot(store);
  for (int k = 0; k < kWaveCount; ++k) {
    const bool inside = k % 64 >= 62 && k / 64 >= 30;
    const auto* was = before.data() + k * kWaveLength;
    const auto* now = after.data() + k * kWaveLength;
    EXPECT_EQ(std::equal(was, was + kWaveLength, now), !inside) << k;
    if (inside) {
      EXPECT_EQ(now[0], was[255]) << k;
    }
  }
  ApplyWaveCommand(store, WaveCommand::kReverse, kLastCorner, tables);
  EXPECT_EQ(Slot(store), before);
}

TEST(BatchOperationsTest, DeleteClearsTheWholeRecordOfEachSelectedCell) {
  WavetableStore store;
  store.ClearAll();
  TagEveryWave(store);
  store.SetMarker(WaveIndex(31, 63), kMarkerScale);
  ApplyWaveCommand(store, WaveCommand::kDelete,
                   CommandCells(WaveCommand::kDelete, {63, 31, 63, 31}), BuildMuLawTables());
  EXPECT_EQ(testing::TagAt(store, 63, 31), -1);
  EXPECT_EQ(store.Marker(WaveIndex(31, 63)), kMarkerNone);
  EXPECT_EQ(testing::TagAt(store, 62, 31), testing::TagOf(62, 31));
}

TEST(BatchOperationsTest, FoldAndTheMuLawConversions) {
  const MuLawTables tables = BuildMuLawTables();
  const std::pair<int, int> fold[] = {{128, 128}, {0, 128}, {127, 1}, {200, 200}, {1, 127}};
  for (auto [in, out] : fold) EXPECT_EQ(Fold(static_cast<std::uint8_t>(in)), out) << in;

  struct Case {
    WaveCommand command;
    int in;
    int out;
  };
  const Case cases[] = {
      {WaveCommand::kMuLawToLin, 0xFF, 255}, {WaveCommand::kMuLawToLin, 0x80, 128},
      {WaveCommand::kMuLawToLin, 0xC0, 135}, {WaveCommand::kMuLawToLin, 0x01, 1},
      {WaveCommand::kLinToMuLaw, 255, 255},  {WaveCommand::kLinToMuLaw, 128, 128},
      {WaveCommand::kLinToMuLaw, 192, 239},  {WaveCommand::kLinToMuLaw, 0, 128},
      {WaveCommand::kUnsigned, 0, 128},      {WaveCommand::kUnsigned, 128, 128},
  };
  for (const Case& c : cases) {
    WavetableStore store;
    store.ClearAll();
    FillWave(store, 0, static_cast<std::uint8_t>(c.in));
    ApplyWaveCommand(store, c.command, CommandCells(c.command, {0, 0, 0, 0}), tables);
    EXPECT_TRUE(std::ranges::all_of(store.Wave(0), [&c](std::uint8_t s) { return s == c.out; }))
        << static_cast<int>(c.command) << " of " << c.in << " gave " << int{store.Wave(0)[0]};
    // Empty waveforms of the rest of the slot stay empty under every conversion.
    EXPECT_EQ(store.Wave(2047)[0], 128);
  }
}

TEST(BatchOperationsTest, CenterMovesTheMiddleOfTheSpanTo127) {
  struct Case {
    int lo, hi, shift;
  };
  const Case cases[] = {{20, 100, 68}, {0, 254, 0}, {0, 255, 0}, {200, 200, -72}};
  for (const Case& c : cases) {
    std::array<std::uint8_t, kWaveLength> wave{};
    SpanWave(wave, c.lo, c.hi);
    const auto before = wave;
    CenterWave(wave);
    for (int i = 0; i < kWaveLength; ++i)
      ASSERT_EQ(wave[i], before[i] + c.shift) << c.lo << ".." << c.hi;
  }
}

TEST(BatchOperationsTest, NormaliseStretchesTheCentredSpan) {
  std::array<std::uint8_t, kWaveLength> wave{};
  SpanWave(wave, 100, 155);
  NormaliseWave(wave);
  const auto [mn, mx] = std::minmax_element(wave.begin(), wave.end());
  EXPECT_EQ(*mn, 0);
  EXPECT_EQ(*mx, 251);
  // q = 100 (already centred): trunc(128 - 128x + 100x) with x = 256 / 56.
  EXPECT_EQ(wave[0], 0);
  EXPECT_EQ(wave[1], static_cast<int>(128 - 128 * (256.0 / 56) + 101 * (256.0 / 56)));

  for (const int hi : {254, 255}) {
    SpanWave(wave, 0, hi);
    const auto before = wave;
    NormaliseWave(wave);
    EXPECT_EQ(wave, before) << hi;
  }
}

TEST(BatchOperationsTest, LinearMorphingOnARowGivesTheUnevenLastStep) {
  WavetableStore store;
  store.ClearAll();
  FillWave(store, WaveIndex(2, 10), 28);
  FillWave(store, WaveIndex(2, 13), 228);
  LinearMorphing(store, {10, 2, 13, 2});
  EXPECT_EQ(store.Wave(WaveIndex(2, 11))[0], 78);
  EXPECT_EQ(store.Wave(WaveIndex(2, 12))[0], 128);
  EXPECT_EQ(store.Wave(WaveIndex(2, 13))[0], 228);
  // Falling the other way: the base is the smaller end.
  FillWave(store, WaveIndex(31, 60), 228);
  FillWave(store, WaveIndex(31, 63), 28);
  LinearMorphing(store, {60, 31, 63, 31});
  EXPECT_EQ(store.Wave(WaveIndex(31, 61))[0], 178);
  EXPECT_EQ(store.Wave(WaveIndex(31, 62))[0], 128);
}

TEST(BatchOperationsTest, LinearMorphingOnTwoCellsChangesNothing) {
  WavetableStore store;
  store.ClearAll();
  TagEveryWave(store);
  const auto before = Slot(store);
  LinearMorphing(store, {62, 31, 63, 31});
  LinearMorphing(store, {63, 30, 63, 31});
  EXPECT_EQ(Slot(store), before);
}

TEST(BatchOperationsTest, LinearMorphingOfOneCellFillsTheSlotFromTheCorners) {
  WavetableStore store;
  store.ClearAll();
  TagEveryWave(store);
  for (const int corner : {0, 63, 1984, 2047}) FillWave(store, corner, 28);
  FillWave(store, 2047, 228);
  LinearMorphing(store, kOneCell);
  // The corners stay; column 0 and the rows in between are interpolated from them.
  EXPECT_EQ(store.Wave(0)[0], 28);
  EXPECT_EQ(store.Wave(2047)[0], 228);
  EXPECT_EQ(store.Wave(WaveIndex(16, 0))[0], 28);  // between two corners of 28
  // Row 31 runs 28 -> 228 over 64 cells, slope 200 / 64 = 3.125.
  EXPECT_EQ(store.Wave(WaveIndex(31, 32))[0], static_cast<int>(32 * 3.125) + 28);
  // Column 32 runs from row 0 (28) to that value over 32 rows.
  const int bottom = store.Wave(WaveIndex(31, 32))[0];
  const double slope = (bottom - 28) / 32.0;
  EXPECT_EQ(store.Wave(WaveIndex(15, 32))[0], static_cast<int>(15 * slope) + 28);
}

TEST(BatchOperationsTest, LinearMorphingOfABlockRunsTopBottomThenColumns) {
  WavetableStore store;
  store.ClearAll();
  FillWave(store, WaveIndex(28, 60), 0);
  FillWave(store, WaveIndex(28, 63), 0);
  FillWave(store, WaveIndex(31, 60), 200);
  FillWave(store, WaveIndex(31, 63), 200);
  LinearMorphing(store, {60, 28, 63, 31});
  for (int column = 60; column <= 63; ++column) {
    EXPECT_EQ(store.Wave(WaveIndex(28, column))[7], 0) << column;
    EXPECT_EQ(store.Wave(WaveIndex(31, column))[7], 200) << column;
    EXPECT_EQ(store.Wave(WaveIndex(29, column))[7], 50) << column;  // 200 / 4
    EXPECT_EQ(store.Wave(WaveIndex(30, column))[7], 100) << column;
  }
}

TEST(BatchOperationsTest, TonalMorphingThenRestoreOrderGivesTheSlotBack) {
  WavetableStore store;
  store.ClearAll();
  TagEveryWave(store);
  for (int k = 0; k < kWaveCount; ++k) {
    auto amplitude = store.Amplitude(k);
    auto phase = store.Phase(k);
    for (int h = 0; h < kHarmonicCount; ++h) {
      amplitude[h] = static_cast<std::uint8_t>((k * 7919 + h) % 251);
      phase[h] = static_cast<std::uint8_t>((k * 31 + h * 3) % 256);
    }
  }
  const auto before = Slot(store);
  for (const int which : {0, 1}) {
    TonalMorphing(store, kOneCell, which);
    EXPECT_NE(Slot(store), before);
    for (int k = 1; k < kWaveCount; ++k) {
      const auto a = which == 0 ? store.Amplitude(k - 1) : store.Phase(k - 1);
      const auto b = which == 0 ? store.Amplitude(k) : store.Phase(k);
      ASSERT_FALSE(std::ranges::lexicographical_compare(a, b)) << k;
    }
    store.RestoreOrder();
    EXPECT_EQ(Slot(store), before);
  }
  // A block touching the last corner is sorted within itself only.
  TonalMorphing(store, kLastCorner, 0);
  for (int k = 0; k < kWaveCount; ++k) {
    const bool inside = k % 64 >= 62 && k / 64 >= 30;
    if (!inside) {
      ASSERT_EQ(testing::TagAt(store, k % 64, k / 64), k);
    }
  }
  store.RestoreOrder();
  EXPECT_EQ(Slot(store), before);
}

// Every command on an empty slot leaves it empty, and with a selection of one cell, one at the
// last corner, one reaching past the table or given backwards, it touches no other slot. The
// sanitizer build runs this over every path that indexes the table.
TEST(BatchOperationsTest, EveryCommandOnAnEmptySlotStaysEmptyAndInsideItsSlot) {
  WavetableStore store;
  store.ClearAll();
  TagEveryWave(store);
  const auto tagged = Slot(store);
  for (int slot = 1; slot < kSlotCount; ++slot) {
    store.SetCurrentSlot(slot);
    store.CopyBufferToSlot(tagged.data(), tagged.size(), 0, 0, 0);
  }
  store.SetCurrentSlot(4);
  for (int k = 0; k < kWaveCount; ++k) store.ClearWave(k / kWavesPerBank, k % kWavesPerBank);
  const auto empty = Slot(store);
  const MuLawTables tables = BuildMuLawTables();
  const std::vector<CellRange> selections = {
      {0, 0, 63, 31}, {63, 31, 63, 31}, kLastCorner, {60, 29, 99, 40}, {63, 31, 61, -4}};
  for (const CellRange& selection : selections) {
    for (const WaveCommand command :
         {WaveCommand::kDelete, WaveCommand::kReverse, WaveCommand::kUnsigned, WaveCommand::kCenter,
          WaveCommand::kNormalise, WaveCommand::kMuLawToLin, WaveCommand::kLinToMuLaw}) {
      ApplyWaveCommand(store, command, CommandCells(command, selection), tables);
      ASSERT_EQ(Slot(store), empty) << static_cast<int>(command) << " at " << selection.left;
    }
    LinearMorphing(store, selection);
    ASSERT_EQ(Slot(store), empty) << "linear morphing at " << selection.left;
    for (const int which : {0, 1}) TonalMorphing(store, selection, which);
    ASSERT_EQ(Slot(store), empty) << "tonal morphing at " << selection.left;
    store.RestoreOrder();
  }
  for (const int slot : {0, 3, 5, 7}) {
    store.SetCurrentSlot(slot);
    EXPECT_EQ(Slot(store), tagged) << slot;
  }
}

}  // namespace
}  // namespace morvane
