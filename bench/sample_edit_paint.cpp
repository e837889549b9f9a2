// Drawing a whole 524 288-byte sample in the sample editor's view: at the widest zoom every column
// shows one sample of the whole buffer, over the cached gradient, with a selection.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>
#include <numbers>

#include "core/sample/sample_edit_model.h"
#include "core/sample/sample_editor_rules.h"
#include "ui/controls/sample_edit.h"
#include "widget_benchmark_main.h"

namespace morvane {
namespace {

void BM_SampleEditPaint(benchmark::State& state) {
  SampleEdit view;
  view.resize(static_cast<int>(state.range(0)), 360);
  auto data = view.Data();
  for (int i = 0; i < kSampleCapacity; ++i) {
    data[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(
        128 + 120 * std::sin(2.0 * std::numbers::pi * i / 97.0) * std::cos(i / 40000.0));
  }
  view.SetSampleSize(kSampleCapacity);
  view.SetGradientEnabled(true);
  view.SetGradientNbOfColors(254);
  view.SetAxes2Enabled(true);
  view.SetSelectionStyle(1);
  view.SetSelectionPos(100);
  view.SetSelectionLen(300);
  view.SetZoom(FullSizeZoom(kSampleCapacity, view.width()));
  for (auto _ : state) benchmark::DoNotOptimize(view.PaintCanvas().constBits());
}

BENCHMARK(BM_SampleEditPaint)->Arg(900)->Arg(1920)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::RunWidgetBenchmarks(argc, argv); }
