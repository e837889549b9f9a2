#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/wavetable/cell_drop.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// The "Size" readout after a sample came in: n div 1023 followed by "Ko".
std::string LoadedSizeCaption(int sample_size);
// The "Size" readout after the knob was turned or a crop: kilobytes followed by "kB".
std::string KilobyteCaption(int kilobytes);

// The zoom that shows the whole sample in a view `view_width` pixels wide.
int FullSizeZoom(int sample_size, int view_width);

// The view's columns for the knobs' sample positions (Loc, Ox, Pos, Len) at a zoom. The locator
// column is only given when the locator lies right of the origin.
struct ViewColumns {
  bool has_locator = false;
  int locator = 0;
  int selection_pos = 0;
  int selection_len = 0;
};
ViewColumns ColumnsOfKnobs(int locator, int origin, int pos, int len, int zoom);

// The knobs' Pos and Len for a selection the user changed in columns.
struct KnobSelection {
  int pos = 0;
  int len = 0;
};
KnobSelection KnobsOfSelection(int start_column, int length_columns, int origin, int zoom);

// Where the playing position p puts the view: with "Follow Locator" the origin moves to p;
// otherwise the locator moves to column (p - origin) div zoom (at least 0) and "Loc" shows
// column * zoom + origin.
struct TrackedPosition {
  int origin = 0;
  int locator_column = 0;
  int locator = 0;
};
TrackedPosition TrackPosition(std::int64_t position, int origin, int zoom, bool follow_locator);

// The byte "Val" shows at the locator: the sample there, or the last byte of the buffer when
// the locator stands just past a sample that fills it.
std::uint8_t ValueAtLocator(std::span<const std::uint8_t> buffer, int locator);

// The main window's selection as a sample: several cells, row after row (each row left to
// right); a single cell repeated `size_knob` x 4 times. Returns the sample length in bytes.
int FillSampleFromCells(const WavetableStore& store, CellRange cells, int size_knob,
                        std::span<std::uint8_t> buffer);

}  // namespace morvane
