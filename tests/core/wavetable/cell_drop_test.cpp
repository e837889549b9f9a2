#include "core/wavetable/cell_drop.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/wavetable/tagged_waves.h"

namespace morvane {
namespace {

using testing::TagAt;
using testing::TagEveryWave;
using testing::TagOf;

struct CellDropTest : ::testing::Test {
  CellDropTest() { TagEveryWave(store); }

  // The tag of every cell, so a test can tell exactly which cells a drop changed.
  std::vector<int> Tags() const {
    std::vector<int> tags;
    for (int row = 0; row < kBankCount; ++row) {
      for (int column = 0; column < kWavesPerBank; ++column)
        tags.push_back(TagAt(store, column, row));
    }
    return tags;
  }

  WavetableStore store;
};

TEST(DragModeTest, AltWinsOverCtrlAndPlainSwaps) {
  EXPECT_EQ(DragModeFor(false, false), DragMode::kSwap);
  EXPECT_EQ(DragModeFor(true, false), DragMode::kCopy);
  EXPECT_EQ(DragModeFor(false, true), DragMode::kMove);
  EXPECT_EQ(DragModeFor(true, true), DragMode::kMove);
}

TEST_F(CellDropTest, MoveOntoAnEmptyCellTakesTheWaveAndEmptiesTheSource) {
  store.ClearWave(5, 10);
  DropCells(store, DragMode::kMove, {3, 2, 3, 2}, 10, 5);
  EXPECT_EQ(TagAt(store, 10, 5), TagOf(3, 2));
  EXPECT_EQ(TagAt(store, 3, 2), -1);
}

TEST_F(CellDropTest, MoveOntoItselfLeavesTheCellEmpty) {
  DropCells(store, DragMode::kMove, {3, 2, 3, 2}, 3, 2);
  EXPECT_EQ(TagAt(store, 3, 2), -1);
}

TEST_F(CellDropTest, CellsBeyondTheTableAreSkippedAndNotVisited) {
  const std::vector<int> before = Tags();
  std::vector<std::tuple<int, int, int, int>> visited;
  DropCells(store, DragMode::kCopy, {4, 10, 6, 12}, 62, 30,
            [&](int sc, int sr, int tc, int tr) { visited.emplace_back(sc, sr, tc, tr); });

  // Columns outer, rows inner; only targets in columns 62-63 and rows 30-31 exist.
  const std::vector<std::tuple<int, int, int, int>> expected = {
      {4, 10, 62, 30}, {4, 11, 62, 31}, {5, 10, 63, 30}, {5, 11, 63, 31}};
  EXPECT_EQ(visited, expected);
  const std::vector<int> after = Tags();
  for (int row = 0; row < kBankCount; ++row) {
    for (int column = 0; column < kWavesPerBank; ++column) {
      const std::size_t k = static_cast<std::size_t>(TagOf(column, row));
      if (column >= 62 && row >= 30) {
        EXPECT_EQ(after[k], TagOf(column - 58, row - 20)) << column << "," << row;
      } else {
        EXPECT_EQ(after[k], before[k]) << column << "," << row;
      }
    }
  }
}

TEST_F(CellDropTest, ThreeByThreeDroppedAtColumn62ChangesOnlyColumns62And63) {
  const std::vector<int> before = Tags();
  DropCells(store, DragMode::kMove, {1, 4, 3, 6}, 62, 8);
  const std::vector<int> after = Tags();
  for (int row = 0; row < kBankCount; ++row) {
    for (int column = 0; column < kWavesPerBank; ++column) {
      const std::size_t k = static_cast<std::size_t>(TagOf(column, row));
      const bool target = column >= 62 && row >= 8 && row <= 10;
      // Only the two columns that reached the table were moved, so only their sources emptied.
      const bool emptied_source = column >= 1 && column <= 2 && row >= 4 && row <= 6;
      const int expected = target ? TagOf(column - 61, row - 4) : (emptied_source ? -1 : before[k]);
      EXPECT_EQ(after[k], expected) << column << "," << row;
    }
  }
}

TEST_F(CellDropTest, CopyOneColumnRightOverItselfRepeatsTheFirstColumn) {
  DropCells(store, DragMode::kCopy, {2, 1, 5, 3}, 3, 1);
  for (int row = 1; row <= 3; ++row) {
    for (int column = 2; column <= 6; ++column) {
      EXPECT_EQ(TagAt(store, column, row), TagOf(2, row)) << column << "," << row;
    }
    EXPECT_EQ(TagAt(store, 7, row), TagOf(7, row));
  }
  EXPECT_EQ(TagAt(store, 3, 0), TagOf(3, 0));
  EXPECT_EQ(TagAt(store, 3, 4), TagOf(3, 4));
}

TEST_F(CellDropTest, SwapExchangesWavesAndMarkers) {
  store.SetMarker(TagOf(0, 0), kMarkerMark);
  store.SetMarker(TagOf(41, 20), kMarkerScale);
  DropCells(store, DragMode::kSwap, {0, 0, 1, 0}, 40, 20);
  EXPECT_EQ(TagAt(store, 40, 20), TagOf(0, 0));
  EXPECT_EQ(TagAt(store, 41, 20), TagOf(1, 0));
  EXPECT_EQ(TagAt(store, 0, 0), TagOf(40, 20));
  EXPECT_EQ(TagAt(store, 1, 0), TagOf(41, 20));
  EXPECT_EQ(store.Marker(TagOf(40, 20)), kMarkerMark);
  EXPECT_EQ(store.Marker(TagOf(1, 0)), kMarkerScale);
  EXPECT_EQ(store.Marker(TagOf(0, 0)), kMarkerNone);
}

TEST_F(CellDropTest, OverlappingSwapSeesCellsTheDropAlreadyChanged) {
  // Swapping columns 0-1 one column right: (0)<->(1) first, then (1)<->(2), so the original
  // column 0 travels to column 2.
  DropCells(store, DragMode::kSwap, {0, 0, 1, 0}, 1, 0);
  EXPECT_EQ(TagAt(store, 0, 0), TagOf(1, 0));
  EXPECT_EQ(TagAt(store, 1, 0), TagOf(2, 0));
  EXPECT_EQ(TagAt(store, 2, 0), TagOf(0, 0));
}

}  // namespace
}  // namespace morvane
