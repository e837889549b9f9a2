#include "core/spectral/spectral_map.h"

#include <algorithm>

#include "core/spectral/spectrum_editor_settings.h"

namespace morvane {

std::string MapFormatCaption(int format) {
  return std::to_string(MapRowCount(format)) + " x " + std::to_string(MapColumnCount(format));
}

int MapWaveAt(int column, int row, int format) {
  const int columns = MapColumnCount(format);
  if (column < 0 || row < 0 || column >= columns) return -1;
  const int index = column + row * columns;
  return index < kWaveCount ? index : -1;
}

std::uint32_t MapPixelColor(std::uint8_t b, int marker, bool selected) {
  int red = b;
  int green = b;
  int blue = b;
  if (selected) {
    red = b / 2 + 10;
    green = b / 2 + 10;
    blue = b + 24;
  } else if (marker == kMarkerMark) {
    red = b + 24;
    green = b + 24;
    blue = b / 4;
  } else if (marker == kMarkerScale) {
    red = b / 2;
    green = b + 24;
    blue = b / 3 + 10;
  } else if (marker == kMarkerIrregularScale) {
    red = b + 24;
    green = b / 3 + 10;
    blue = b / 2;
  }
  return (static_cast<std::uint32_t>(red & 0xFF) << 16) |
         (static_cast<std::uint32_t>(green & 0xFF) << 8) | static_cast<std::uint32_t>(blue & 0xFF);
}

MapClientSize MapWindowSize(int top_panel_height, int visible_rows, int thickness, int format,
                            int window_left, int screen_width) {
  const int rows = std::min(visible_rows, MapRowCount(format));
  MapClientSize size;
  size.height = top_panel_height + rows * kMapRowHeight + rows - 1;
  size.width = MapColumnCount(format) * (thickness + 1);
  if (window_left + size.width > screen_width) {
    size.width = screen_width - window_left - 10;
    size.height += kMapScrollBarHeight;
  }
  return size;
}

int MapImageWidth(int format, int thickness) { return MapColumnCount(format) * (thickness + 1); }
int MapImageHeight(int format) { return MapRowCount(format) * (kMapRowHeight + 1) - 1; }

void RenderMapCell(const WavetableStore& store, MapSource source, int format, int thickness,
                   int column, int row, bool selected, std::uint32_t* pixels, int stride) {
  const int k = MapWaveAt(column, row, format);
  if (k < 0) return;
  const ConstHarmonicSpan bytes = source == MapSource::kLevel ? store.Amplitude(k) : store.Phase(k);
  const int marker = store.Marker(k);
  // A line runs from the cell's left edge to its right edge + 1.
  const int x0 = column * (thickness + 1);
  const int x1 = std::min(x0 + thickness + 1, MapImageWidth(format, thickness));
  const int bottom = row * (kMapRowHeight + 1) + kMapRowHeight;  // one below the cell
  for (int i = 1; i <= kHarmonicCount; ++i) {
    const std::uint32_t color =
        0xFF000000u | MapPixelColor(bytes[static_cast<std::size_t>(i - 1)], marker, selected);
    std::uint32_t* line = pixels + static_cast<std::ptrdiff_t>(bottom - i) * stride;
    std::fill(line + x0, line + x1, color);
  }
}

void RenderSpectralMap(const WavetableStore& store, MapSource source, int format, int thickness,
                       const MapSelection& selection, std::uint32_t* pixels, int stride) {
  for (int row = 0; row < MapRowCount(format); ++row) {
    for (int column = 0; column < MapColumnCount(format); ++column) {
      RenderMapCell(store, source, format, thickness, column, row, selection.Contains(column, row),
                    pixels, stride);
    }
  }
}

void ReadSpectralMapSettings(SettingsReader& reader, SpectralMapSettings& settings) {
  reader.ReadInteger("PX9", settings.left);
  reader.ReadInteger("PY9", settings.top);
  reader.ReadInteger("PW9", settings.width);
  reader.ReadInteger("PH9", settings.height);
  auto read_knob = [&reader](const char* name, int& value, int min, int max) {
    std::int32_t stored = 0;
    if (reader.ReadInteger(name, stored)) value = std::clamp(stored, min, max);
  };
  read_knob("WSMTHICK", settings.thickness, kMapMinThickness, kMapMaxThickness);
  read_knob("WSMFORMAT", settings.format, kMapMinFormat, kMapMaxFormat);
  ReadWindowKind(reader, "WSMWIND", settings.window_kind);
  read_knob("WSMHMAX", settings.visible_rows, kMapMinVisibleRows, kMapMaxVisibleRows);
  reader.ReadBoolean("EN9", settings.visible);
}

void WriteSpectralMapSettings(SettingsWriter& writer, const SpectralMapSettings& settings) {
  writer.WriteInteger("PX9", settings.left);
  writer.WriteInteger("PY9", settings.top);
  writer.WriteBoolean("EN9", settings.visible);
  writer.WriteInteger("PW9", settings.width);
  writer.WriteInteger("PH9", settings.height);
  writer.WriteInteger("WSMTHICK", settings.thickness);
  writer.WriteInteger("WSMFORMAT", settings.format);
  writer.WriteInteger("WSMWIND", settings.window_kind);
  writer.WriteInteger("WSMHMAX", settings.visible_rows);
  writer.WriteInteger("PH9", settings.height);
}

}  // namespace morvane
