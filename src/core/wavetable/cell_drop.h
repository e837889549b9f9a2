#pragma once

#include <functional>

#include "core/wavetable/wavetable_store.h"

namespace morvane {

// What a right-button drag of grid cells does on the drop.
enum class DragMode { kSwap, kCopy, kMove };

// The mode chosen when the right button goes down: Alt moves (even with Ctrl), Ctrl copies,
// anything else swaps.
DragMode DragModeFor(bool ctrl_held, bool alt_held);

// A rectangle of grid cells, columns = waves, rows = banks, all four edges inclusive.
struct CellRange {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Called for every cell pair the drop has processed, after the store changed.
using DropPairVisitor =
    std::function<void(int source_column, int source_row, int target_column, int target_row)>;

// Drops the cells of `source` with their top-left cell on (target_column, target_row). Cells are
// handled one by one, columns in the outer loop and rows in the inner one, so overlapping source
// and target rectangles see what the same drop has already changed. Targets beyond the 64 x 32
// table are skipped and not visited.
void DropCells(WavetableStore& store, DragMode mode, const CellRange& source, int target_column,
               int target_row, const DropPairVisitor& visit = {});

}  // namespace morvane
