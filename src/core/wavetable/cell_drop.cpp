#include "core/wavetable/cell_drop.h"

namespace morvane {
DragMode DragModeFor(bool ctrl_held, bool alt_held) {
  if (alt_held) return DragMode::kMove;
  if (ctrl_held) return DragMode::kCopy;
  return DragMode::kSwap;
}

void DropCells(WavetableStore& store, DragMode mode, const CellRange& source, int target_column,
               int target_row, const DropPairVisitor& visit) {
  const int width = source.right - source.left;
  const int height = source.bottom - source.top;
  for (int i = 0; i <= width; ++i) {
    for (int j = 0; j <= height; ++j) {
      const int source_column = source.left + i;
      const int source_row = source.top + j;
      const int column = target_column + i;
      const int row = target_row + j;
      // The store would ignore these too; skipping here also keeps them from being redrawn.
      if (!InTable(row, column)) continue;
      switch (mode) {
        case DragMode::kMove:
          store.MoveWave(row, column, source_row, source_column);
          break;
        case DragMode::kCopy:
          store.CopyWave(row, column, source_row, source_column);
          break;
        case DragMode::kSwap:
          store.SwapWaves(row, column, source_row, source_column);
          break;
      }
      if (visit) visit(source_column, source_row, column, row);
    }
  }
}

}  // namespace morvane
