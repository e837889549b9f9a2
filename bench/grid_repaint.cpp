// Whole-grid repaint: the grid's own span drawing against plain QPainter polylines through the
// same points, at the smallest and the default cell size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

#include "core/wavetable/cell_colors.h"
#include "core/wavetable/cell_trace.h"
#include "core/wavetable/wavetable_store.h"
#include "ui/controls/wave_grid.h"
#include "ui/shell/color_value.h"
#include "widget_benchmark_main.h"

namespace morvane {
namespace {

// Sines of several periods, noise, saws and empty waveforms, a quarter each, with a sprinkling
// of markers so every colour pair is used.
void FillVaried(WavetableStore& store) {
  store.ClearAll();
  std::mt19937 random(2048);
  for (int k = 0; k < kWaveCount; ++k) {
    auto wave = store.Wave(k);
    for (int i = 0; i < kWaveLength; ++i) {
      const double phase = 2.0 * std::numbers::pi * i * (1 + k % 5) / kWaveLength;
      switch (k % 4) {
        case 0:
          wave[i] = static_cast<std::uint8_t>(127.5 + 127.5 * std::sin(phase));
          break;
        case 1:
          wave[i] = static_cast<std::uint8_t>(random());
          break;
        case 2:
          wave[i] = static_cast<std::uint8_t>(i * (1 + k % 3));
          break;
        default:
          break;  // empty
      }
    }
    store.SetMarker(k, k % 13 == 0 ? 1 + k % 3 : kMarkerNone);
  }
}

void BM_GridOwnDrawing(benchmark::State& state) {
  WavetableStore store;
  FillVaried(store);
  WaveGrid grid(store);
  grid.SetCellSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  grid.SetSelection(QRect(QPoint(10, 5), QPoint(20, 8)));
  QImage target(grid.size(), QImage::Format_RGB32);
  for (auto _ : state) {
    grid.render(&target);
    benchmark::DoNotOptimize(target.constBits());
  }
}

void BM_GridPolylines(benchmark::State& state) {
  WavetableStore store;
  FillVaried(store);
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  QImage target(QSize(64 * (width + 1), 32 * (height + 1)), QImage::Format_RGB32);
  const QColor back = ColorFromValue(kDefaultCellColors[kCellBack]);
  const QPen line(ColorFromValue(kDefaultCellColors[kCellLine]), 0);
  std::array<QPoint, kWaveLength> points;
  for (auto _ : state) {
    QPainter painter(&target);
    painter.fillRect(target.rect(), QColor(0xC0, 0xC0, 0xC0));
    painter.setPen(line);
    for (int row = 0; row < kBankCount; ++row) {
      for (int column = 0; column < kWavesPerBank; ++column) {
        const int left = column * (width + 1);
        const int top = row * (height + 1);
        const CellPixels cell{left, top, left + width, top + height};
        const auto wave = store.Wave(row * kWavesPerBank + column);
        for (int i = 0; i < kWaveLength; ++i) {
          const TracePoint p = WaveCellPoint(cell, i, wave[i]);
          points[static_cast<std::size_t>(i)] = QPoint(p.x, p.y);
        }
        painter.fillRect(left, top, width, height, back);
        painter.drawPolyline(points.data(), kWaveLength);
      }
    }
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}

BENCHMARK(BM_GridOwnDrawing)->Args({12, 9})->Args({39, 29})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridPolylines)->Args({12, 9})->Args({39, 29})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::RunWidgetBenchmarks(argc, argv); }
