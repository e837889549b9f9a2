// The whole-slot commands of the Selection and Find menus: "Double" on every kind of slot (checked
// against the pairwise rule before it is timed), the scale pass over random and real tables, and
// a batch command followed by the spectra of the whole slot.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/scales/scale_table.h"
#include "core/spectral/spectrum_cache.h"
#include "core/wavetable/batch_operations.h"
#include "core/wavetable/find_operations.h"
#include "core/wavetable/scale_pass.h"

namespace morvane {
namespace {

enum Slot { kAllEqual, kAllDifferent, kRandomGroups, kRandomBytes, kScaleTables };

void Fill(WavetableStore& store, int slot) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> group(0, 299);
  for (int k = 0; k < kWaveCount; ++k) {
    WaveSpan wave = store.Wave(k);
    const int pattern = slot == kRandomGroups ? group(random) : k;
    for (int n = 0; n < kWaveLength; ++n) {
      switch (slot) {
        case kAllEqual:
          wave[n] = static_cast<std::uint8_t>(n);
          break;
        case kAllDifferent:
          // Every waveform differs from the others in its last sample only.
          wave[n] = static_cast<std::uint8_t>(n == kWaveLength - 1 ? k : n);
          if (n == kWaveLength - 2) wave[n] = static_cast<std::uint8_t>(k >> 8);
          break;
        case kRandomGroups:
          wave[n] = static_cast<std::uint8_t>((pattern * 31 + n * 7) & 0xFF);
          break;
        default:
          wave[n] = static_cast<std::uint8_t>(byte(random));
      }
    }
    if (slot == kScaleTables) {
      const ScaleTable table = CalcScalesAuto(k, 2, 10, 0);
      std::copy(table.samples.begin(), table.samples.end(), wave.begin());
    }
  }
}

std::vector<int> Markers(const WavetableStore& store) {
  std::vector<int> markers;
  for (int k = 0; k < kWaveCount; ++k) markers.push_back(store.Marker(k));
  return markers;
}

void Double(benchmark::State& state) {
  WavetableStore store;
  Fill(store, static_cast<int>(state.range(0)));
  const bool mark_first = state.range(1) != 0;
  MarkDoublesPairwise(store, mark_first);
  const std::vector<int> expected = Markers(store);
  MarkDoubles(store, mark_first);
  if (Markers(store) != expected) {
    std::fprintf(stderr, "Double marks other waveforms than the pairwise rule\n");
    std::abort();
  }
  for (auto _ : state) MarkDoubles(store, mark_first);
}
BENCHMARK(Double)
    ->ArgsProduct({{kAllEqual, kAllDifferent, kRandomGroups}, {0, 1}})
    ->ArgNames({"slot", "mark_first"})
    ->Unit(benchmark::kMicrosecond);

void DoublePairwise(benchmark::State& state) {
  WavetableStore store;
  Fill(store, static_cast<int>(state.range(0)));
  for (auto _ : state) MarkDoublesPairwise(store, false);
}
BENCHMARK(DoublePairwise)
    ->Arg(kAllEqual)
    ->Arg(kAllDifferent)
    ->Arg(kRandomGroups)
    ->ArgName("slot")
    ->Unit(benchmark::kMillisecond);

// The preset list as a user keeps it: some dozens of named scales.
std::vector<std::string> Presets() {
  std::vector<std::string> presets;
  for (int i = 0; i < 40; ++i) {
    char line[32];
    std::snprintf(line, sizeof line, " %04d- Preset %d", 100 * i + 5, i);
    presets.emplace_back(line);
  }
  presets.emplace_back(" 1365- Whole tone");
  return presets;
}

void ScalePass(benchmark::State& state) {
  WavetableStore store;
  Fill(store, static_cast<int>(state.range(0)));
  const std::vector<std::string> presets = Presets();
  std::size_t lines = 0;
  for (auto _ : state) {
    const ScalePassResult result = RunScalePass(store, 2, presets);
    lines = result.lines.size();
    benchmark::DoNotOptimize(result.lines.data());
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(ScalePass)
    ->Arg(kRandomBytes)
    ->Arg(kScaleTables)
    ->ArgName("slot")
    ->Unit(benchmark::kMicrosecond);

// "Reverse" on the whole slot and the spectral map's re-analysis that follows it.
void BatchWithSpectra(benchmark::State& state) {
  WavetableStore store;
  Fill(store, kRandomBytes);
  const MuLawTables mu_law = BuildMuLawTables();
  const CellRange slot{0, 0, kWavesPerBank - 1, kBankCount - 1};
  for (auto _ : state) {
    ApplyWaveCommand(store, WaveCommand::kReverse, slot, mu_law);
    ComputeAllSpectra(store, 0);
  }
}
BENCHMARK(BatchWithSpectra)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane
