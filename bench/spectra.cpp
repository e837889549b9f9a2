// The spectra of a whole slot (2048 window-and-transform passes), written plainly and fast, and a
// redraw of the spectral map from the cache. Before timing, each data set checks that the fast
// path gives the plain rule's bytes exactly.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "core/spectral/fft_engine.h"
#include "core/spectral/spectral_map.h"
#include "core/spectral/spectrum_cache.h"

namespace morvane {
namespace {

enum DataSet { kRandom, kSilent, kSquare };

void Fill(WavetableStore& store, int set) {
  store.ClearAll();
  std::mt19937 random(99);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int k = 0; k < kWaveCount; ++k) {
    WaveSpan wave = store.Wave(k);
    for (int n = 0; n < kWaveLength; ++n) {
      if (set == kRandom) wave[n] = static_cast<std::uint8_t>(byte(random));
      if (set == kSilent) wave[n] = 128;
      if (set == kSquare) wave[n] = n < 128 ? 255 : 0;
    }
  }
}

// The reference: the rule as written, one waveform after the other.
void PlainSpectra(WavetableStore& store, FftEngine& engine, int kind) {
  for (int k = 0; k < kWaveCount; ++k) ComputeSpectrum(store, engine, kind, k);
}

std::vector<std::uint8_t> Cache(const WavetableStore& store) {
  std::vector<std::uint8_t> bytes;
  for (int k = 0; k < kWaveCount; ++k) {
    bytes.insert(bytes.end(), store.Amplitude(k).begin(), store.Amplitude(k).end());
    bytes.insert(bytes.end(), store.Phase(k).begin(), store.Phase(k).end());
  }
  return bytes;
}

void CheckIdentical(WavetableStore& store, int set, int kind) {
  FftEngine engine;
  Fill(store, set);
  PlainSpectra(store, engine, kind);
  const std::vector<std::uint8_t> plain = Cache(store);
  ComputeAllSpectra(store, kind);
  if (Cache(store) != plain) {
    std::fprintf(stderr, "fast spectra differ from the rule (data set %d, window %d)\n", set, kind);
    std::abort();
  }
}

void BM_ComputeAllSpectraPlain(benchmark::State& state) {
  WavetableStore store;
  FftEngine engine;
  Fill(store, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    PlainSpectra(store, engine, static_cast<int>(state.range(1)));
    benchmark::DoNotOptimize(store.Amplitude(2047).data());
  }
}

void BM_ComputeAllSpectra(benchmark::State& state) {
  WavetableStore store;
  CheckIdentical(store, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    ComputeAllSpectra(store, static_cast<int>(state.range(1)));
    benchmark::DoNotOptimize(store.Amplitude(2047).data());
  }
}

// Data set (random, silent, square) and window kind (rectangle, Kaiser 3).
void Arguments(benchmark::internal::Benchmark* b) {
  for (int set : {kRandom, kSilent, kSquare}) b->Args({set, 0});
  b->Args({kRandom, 15});
  b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_ComputeAllSpectraPlain)->Apply(Arguments);
BENCHMARK(BM_ComputeAllSpectra)->Apply(Arguments);

// A redraw of all 2048 columns at the default format and thickness, from the cache.
void BM_RedrawSpectralMap(benchmark::State& state) {
  WavetableStore store;
  Fill(store, kRandom);
  ComputeAllSpectra(store, 0);
  const int format = static_cast<int>(state.range(0));
  const int thickness = static_cast<int>(state.range(1));
  const int width = MapImageWidth(format, thickness);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * MapImageHeight(format));
  for (auto _ : state) {
    RenderSpectralMap(store, MapSource::kLevel, format, thickness, {}, pixels.data(), width);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_RedrawSpectralMap)
    ->Args({kMapDefaultFormat, 1})
    ->Args({0, 1})
    ->Args({5, 16})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane
