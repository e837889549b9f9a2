#pragma once

#include <cstdint>

#include "core/wavetable/cell_drop.h"
#include "core/wavetable/mulaw_tables.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// The Selection menu's commands that change each waveform alone.
enum class WaveCommand {
  kDelete,
  kReverse,
  kUnsigned,
  kCenter,
  kNormalise,
  kMuLawToLin,
  kLinToMuLaw
};

// Whether a selection of a single cell stands for the whole slot: true for every batch command
// but "Delete", which always works on the selection itself.
bool SingleCellMeansWholeSlot(WaveCommand command);
bool IsSingleCell(const CellRange& selection);

// The cells a command works on: the selection, or the whole slot for a single cell when the
// command takes it so. The range is limited to the 64 x 32 table.
CellRange CommandCells(WaveCommand command, const CellRange& selection);

// The sample transforms behind the commands.
std::uint8_t Fold(std::uint8_t sample);
void ReverseWave(WaveSpan wave);
void FoldWave(WaveSpan wave);
void CenterWave(WaveSpan wave);
void NormaliseWave(WaveSpan wave);
void MuLawToLinWave(WaveSpan wave, const MuLawTables& tables);
void LinToMuLawWave(WaveSpan wave, const MuLawTables& tables);

// Applies the command to every cell of `cells` (limited to the table) of the current slot.
void ApplyWaveCommand(WavetableStore& store, WaveCommand command, const CellRange& cells,
                      const MuLawTables& tables);

// Interpolates the inner cells between the first and the last one of a row (columns c0..c1) or
// of a column (rows r0..r1); the end cells are not changed, and nothing happens for two cells or
// fewer.
void MorphHorizontal(WavetableStore& store, int row, int c0, int c1);
void MorphVertical(WavetableStore& store, int r0, int r1, int column);
// "Linear Morphing" by the shape of the selection (a single cell: from the four corners).
void LinearMorphing(WavetableStore& store, const CellRange& selection);
// "Tonal Morphing": sorts the selection's cells (the whole slot for a single cell) by their
// amplitude (which = 0) or phase (which = 1) arrays as last computed.
void TonalMorphing(WavetableStore& store, const CellRange& selection, int which);

}  // namespace morvane
