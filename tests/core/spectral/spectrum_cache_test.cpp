#include "core/spectral/spectrum_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "core/spectral/harmonic_image.h"
#include "core/spectral/window_functions.h"

namespace morvane {
namespace {

// Every amplitude and phase byte of the current slot.
std::vector<std::uint8_t> Cache(const WavetableStore& store) {
  std::vector<std::uint8_t> bytes;
  for (int k = 0; k < kWaveCount; ++k) {
    bytes.insert(bytes.end(), store.Amplitude(k).begin(), store.Amplitude(k).end());
    bytes.insert(bytes.end(), store.Phase(k).begin(), store.Phase(k).end());
  }
  return bytes;
}

// The rule as written, waveform by waveform, is the reference.
std::vector<std::uint8_t> PlainCache(WavetableStore& store, int kind) {
  FftEngine engine;
  for (int k = 0; k < kWaveCount; ++k) ComputeSpectrum(store, engine, kind, k);
  return Cache(store);
}

std::vector<std::uint8_t> FastCache(WavetableStore& store, int kind) {
  // Garbage first, so that every byte is seen to be written.
  for (int k = 0; k < kWaveCount; ++k) {
    std::ranges::fill(store.Amplitude(k), 77);
    std::ranges::fill(store.Phase(k), 77);
  }
  ComputeAllSpectra(store, kind);
  return Cache(store);
}

enum class Fill { kRandom, kSilent, kSquares, kSparse };

void FillSlot(WavetableStore& store, Fill fill) {
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> small(-2, 2);
  for (int k = 0; k < kWaveCount; ++k) {
    WaveSpan wave = store.Wave(k);
    for (int n = 0; n < kWaveLength; ++n) {
      switch (fill) {
        case Fill::kRandom:
          wave[n] = static_cast<std::uint8_t>(byte(random));
          break;
        case Fill::kSilent:
          wave[n] = 128;
          break;
        case Fill::kSquares:  // full-scale squares of every period from 2 to 256 samples
          wave[n] = (n / (1 + k % 128)) % 2 == 0 ? 255 : 0;
          break;
        case Fill::kSparse:  // a few small values: bins on the axes and at exact powers
          wave[n] = static_cast<std::uint8_t>(n % (1 + k % 64) == 0 ? 128 + small(random) : 128);
          break;
      }
    }
  }
}

TEST(SpectrumCacheTest, FastPathIsByteIdenticalToTheRule) {
  WavetableStore store;
  for (Fill fill : {Fill::kRandom, Fill::kSilent, Fill::kSquares, Fill::kSparse}) {
    FillSlot(store, fill);
    for (int kind : {0, 6, 10, 13}) {
      const std::vector<std::uint8_t> plain = PlainCache(store, kind);
      EXPECT_EQ(FastCache(store, kind), plain)
          << "fill " << static_cast<int>(fill) << ", window " << WindowMenuCaption(kind);
    }
  }
}

TEST(SpectrumCacheTest, FastPathWorksOnTheCurrentSlotOnly) {
  WavetableStore store;
  store.ClearAll();
  store.SetCurrentSlot(2);
  FillSlot(store, Fill::kRandom);
  ComputeAllSpectra(store, 0);
  store.SetCurrentSlot(3);
  for (int k = 0; k < kWaveCount; k += 97) {
    // Cleared phases are 0; an analysis of this silent slot would have made them 128.
    EXPECT_TRUE(std::ranges::all_of(store.Phase(k), [](std::uint8_t b) { return b == 0; }));
  }
}

TEST(SpectrumCacheTest, ConstantZeroLineHasNoLevelAndPhase128) {
  WavetableStore store;
  store.ClearAll();
  ComputeAllSpectra(store, 4);
  for (int k : {0, 1000, 2047}) {
    EXPECT_TRUE(std::ranges::all_of(store.Amplitude(k), [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(std::ranges::all_of(store.Phase(k), [](std::uint8_t b) { return b == 128; }));
  }
}

// Bins placed exactly on and just beside the truncation boundaries, where only the rule itself
// can decide.
TEST(SpectrumCacheTest, ByteDecisionsOnTruncationBoundariesFollowTheRule) {
  auto rule_amplitude = [](double re, double im) {
    const double power = re * re + im * im;
    return AmplitudeByte(power > 0.0 ? 10.0 * std::log10(power) : 0.0);
  };
  auto rule_phase = [](double re, double im) {
    return PhaseByte(re == 0.0 ? 0.0 : std::atan2(im, re) * 180.0 / std::numbers::pi);
  };
  std::vector<std::pair<double, double>> bins = {{0.0, 5.0},  {-3.0, 0.0},   {-3.0, -0.0},
                                                 {3.0, -0.0}, {-1.0, 1e-20}, {-1.0, -1e-20},
                                                 {0.0, 0.0},  {1e-160, 0.0}, {1e200, 1e200}};
  for (int b = 1; b <= 255; ++b) {
    const double root = std::sqrt(std::pow(10.0, b / 25.6));
    for (double scale : {1.0, 1.0 - 1e-15, 1.0 + 1e-15, 1.0 - 1e-12, 1.0 + 1e-12}) {
      bins.emplace_back(root * scale, 0.0);
    }
  }
  for (int j = 0; j <= 256; ++j) {
    const double angle = j * std::numbers::pi / 128.0 - std::numbers::pi;
    for (double nudge : {0.0, 1e-15, -1e-15, 1e-11, -1e-11}) {
      bins.emplace_back(1000.0 * std::cos(angle + nudge), 1000.0 * std::sin(angle + nudge));
    }
  }
  for (const auto& [re, im] : bins) {
    EXPECT_EQ(FastLogAmplitudeByte(re, im), rule_amplitude(re, im)) << re << " " << im;
    EXPECT_EQ(FastPhaseByte(re, im), rule_phase(re, im)) << re << " " << im;
  }
}

}  // namespace
}  // namespace morvane
