#pragma once

#include <cstdint>
#include <string>

#include "core/settings/settings_store.h"
#include "core/spectral/window_functions.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// The spectral map: one column of 128 pixel rows per waveform of the current slot, harmonic 1 at
// the bottom, laid out in 2^format rows of 2048 / 2^format columns.
inline constexpr int kMapMinFormat = 0;
inline constexpr int kMapMaxFormat = 5;
inline constexpr int kMapDefaultFormat = 3;
inline constexpr int kMapMinThickness = 1;
inline constexpr int kMapMaxThickness = 16;
inline constexpr int kMapMinVisibleRows = 2;
inline constexpr int kMapMaxVisibleRows = 8;
inline constexpr int kMapRowHeight = kHarmonicCount;  // pixels
// The scroll bar's height, added when the map is wider than the screen allows.
inline constexpr int kMapScrollBarHeight = 16;

constexpr int MapRowCount(int format) { return 1 << format; }
constexpr int MapColumnCount(int format) { return kWaveCount >> format; }
// "8 x 256" for format 3: rows, " x ", columns.
std::string MapFormatCaption(int format);

// Waveform shown in cell (column, row), or -1 where the index would be 2048 or more.
int MapWaveAt(int column, int row, int format);

// Which array the map shows: "LEVEL" the amplitudes, "ANGLE" the phases.
enum class MapSource : std::uint8_t { kLevel = 0, kAngle = 1 };

// The colour (0x00RRGGBB) of harmonic byte b in a cell with that marker; each part kept to eight
// bits.
std::uint32_t MapPixelColor(std::uint8_t b, int marker, bool selected);

// The client size the window takes: height top panel + v·128 + v − 1 for v = the visible rows
// (no more than the map has), width columns·(thickness + 1); when that would pass the right edge
// of the screen, width = screen width − window left − 10 and 16 more in height for the scroll bar.
struct MapClientSize {
  int width = 0;
  int height = 0;
};
MapClientSize MapWindowSize(int top_panel_height, int visible_rows, int thickness, int format,
                            int window_left, int screen_width);

// A selected block of cells, in map columns and rows (inclusive); empty when right < left.
struct MapSelection {
  int left = 0;
  int top = 0;
  int right = -1;
  int bottom = -1;
  bool Contains(int column, int row) const {
    return column >= left && column <= right && row >= top && row <= bottom;
  }
};

// Draws every cell of the map from the spectrum cache into opaque 0xFFRRGGBB pixels of an image of
// columns·(thickness + 1) by rows·129 − 1 pixels (`stride` pixels a line); the one-pixel lines
// between rows are left as they are. No transform is run.
void RenderSpectralMap(const WavetableStore& store, MapSource source, int format, int thickness,
                       const MapSelection& selection, std::uint32_t* pixels, int stride);
// One cell of that image; nothing where no waveform is shown.
void RenderMapCell(const WavetableStore& store, MapSource source, int format, int thickness,
                   int column, int row, bool selected, std::uint32_t* pixels, int stride);
int MapImageWidth(int format, int thickness);
int MapImageHeight(int format);

// What the spectral map reads at creation; the initializers are the values of a first start.
struct SpectralMapSettings {
  int left = 200;
  int top = 100;
  int width = 0;  // replaced by the computed size
  int height = 0;
  int thickness = 1;
  int format = kMapDefaultFormat;
  int window_kind = kRectangleWindow;
  int visible_rows = kMapMaxVisibleRows;
  bool visible = false;
};

// Reads the values in the window's order; a missing or wrongly-kinded value stops the pass there.
// Knob values outside their range are brought into it; a window kind outside 0..15 keeps the one
// before.
void ReadSpectralMapSettings(SettingsReader& reader, SpectralMapSettings& settings);
void WriteSpectralMapSettings(SettingsWriter& writer, const SpectralMapSettings& settings);

}  // namespace morvane
