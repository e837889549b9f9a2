#include "core/sample/sample_editor_rules.h"

#include <algorithm>
#include <cstring>

namespace morvane {

std::string LoadedSizeCaption(int sample_size) { return std::to_string(sample_size / 1023) + "Ko"; }

std::string KilobyteCaption(int kilobytes) { return std::to_string(kilobytes) + "kB"; }

int FullSizeZoom(int sample_size, int view_width) {
  return sample_size / std::max(view_width - 1, 1) + 1;
}

ViewColumns ColumnsOfKnobs(int locator, int origin, int pos, int len, int zoom) {
  zoom = std::max(zoom, 1);
  ViewColumns columns;
  if (locator - origin > 0) {
    columns.has_locator = true;
    columns.locator = (locator - origin) / zoom;
  }
  columns.selection_pos = (pos - origin) / zoom;
  columns.selection_len = len / zoom;
  return columns;
}

KnobSelection KnobsOfSelection(int start_column, int length_columns, int origin, int zoom) {
  if (length_columns < 0) {
    return {(start_column + length_columns) * zoom + origin, -length_columns * zoom};
  }
  return {origin + start_column * zoom, length_columns * zoom};
}

TrackedPosition TrackPosition(std::int64_t position, int origin, int zoom, bool follow_locator) {
  TrackedPosition tracked;
  const int p = static_cast<int>(std::clamp<std::int64_t>(position, 0, 1 << 30));
  if (follow_locator) {
    tracked.origin = p;
    return tracked;
  }
  tracked.origin = origin;
  tracked.locator_column = std::max((p - origin) / std::max(zoom, 1), 0);
  tracked.locator = tracked.locator_column * zoom + origin;
  return tracked;
}

std::uint8_t ValueAtLocator(std::span<const std::uint8_t> buffer, int locator) {
  if (buffer.empty()) return 0;
  const std::size_t at =
      std::clamp<std::size_t>(static_cast<std::size_t>(std::max(locator, 0)), 0, buffer.size() - 1);
  return buffer[at];
}

int FillSampleFromCells(const WavetableStore& store, CellRange cells, int size_knob,
                        std::span<std::uint8_t> buffer) {
  const int w = cells.right - cells.left;
  const int h = cells.bottom - cells.top;
  const std::size_t capacity_waves = buffer.size() / kWaveLength;
  auto copy_wave = [&](std::size_t slot, int bank, int wave) {
    if (slot >= capacity_waves) return;
    store.CopyWaveToBuffer(buffer.subspan(slot * kWaveLength).first<kWaveLength>(), bank, wave);
  };
  if (w > 0 || h > 0) {
    for (int i = 0; i <= h; ++i) {
      for (int j = 0; j <= w; ++j) {
        copy_wave(static_cast<std::size_t>(i * (w + 1) + j), cells.top + i, cells.left + j);
      }
    }
    return static_cast<int>(std::min<std::size_t>(
        static_cast<std::size_t>((h + 1) * (w + 1)) * kWaveLength, buffer.size()));
  }
  const int n = std::clamp(size_knob * 4, 0, static_cast<int>(capacity_waves));
  for (int i = 0; i < n; ++i) copy_wave(static_cast<std::size_t>(i), cells.top, cells.left);
  return n * kWaveLength;
}

}  // namespace morvane
