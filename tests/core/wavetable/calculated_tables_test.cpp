#include "core/wavetable/calculated_tables.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/spectral/window_functions.h"

namespace morvane {
namespace {

struct PulseCase {
  const char* name;
  int phase;
  int pulse_width;
  std::vector<int> high_samples;  // where every waveform holds 138
};

// Level 0: every period starts at Offset (here 10, byte 138) for PW samples, with no random
// value drawn; the counter runs on from one waveform into the next.
TEST(CalculatedTablesTest, FastRandomAtLevelZeroPutsTheSamePulseInEveryWaveform) {
  const PulseCase cases[] = {
      {"phase 0", 0, 3, {0, 1, 2}}, {"phase 5", 5, 3, {251, 252, 253}},
      {"phase -5", -5, 2, {5, 6}},  {"pw 0", 0, 0, {}},
      {"pw -4", 0, -4, {}},
  };
  for (const PulseCase& c : cases) {
    WavetableStore store;
    int draws = 0;
    WaveParameters p;
    p.level = 0;
    p.offset = 10;
    p.freq = 1;
    p.phase = c.phase;
    p.pulse_width = c.pulse_width;
    FillRandomSteps(store, kWaveCount, p, [&draws] { return static_cast<unsigned>(++draws); });
    EXPECT_EQ(draws, 0) << c.name;
    for (const int k : {0, 1, 777, 2047}) {
      std::vector<std::uint8_t> expected(kWaveLength, 128);
      for (const int i : c.high_samples) expected[static_cast<std::size_t>(i)] = 138;
      const auto wave = store.Wave(k);
      ASSERT_EQ(std::vector<std::uint8_t>(wave.begin(), wave.end()), expected)
          << c.name << " " << k;
    }
  }
}

TEST(CalculatedTablesTest, FastRandomDrawsOneValuePerPeriodAndStopsAtTheCount) {
  WavetableStore store;
  std::ranges::fill(store.Wave(64), 0x5A);
  WaveParameters p;
  p.level = 50;
  p.freq = 2;  // a period of 128 samples
  p.pulse_width = 2;
  p.mask = 4;
  unsigned next = 0;
  int draws = 0;
  FillRandomSteps(store, kWavesPerBank, p, [&] {
    ++draws;
    return next += 30;  // r mod 100: 30, 60, 90, 20, ...
  });
  EXPECT_EQ(draws, 2 * kWavesPerBank);
  // v = A + B - r mod 2A as an 8-bit pattern with bit 2 cleared: 20 gives 16, -10 (246) gives
  // 242, -40 (216) keeps 216.
  const auto wave = store.Wave(0);
  EXPECT_EQ(wave[0], 128 + 16);
  EXPECT_EQ(wave[1], 128 + 16);
  EXPECT_EQ(wave[2], 128);
  EXPECT_EQ(wave[128], (242 + 128) & 0xFF);
  EXPECT_EQ(wave[129], (242 + 128) & 0xFF);
  EXPECT_EQ(wave[130], 128);
  EXPECT_EQ(store.Wave(1)[0], (216 + 128) & 0xFF);
  EXPECT_EQ(store.Wave(64)[0], 0x5A);
}

TEST(CalculatedTablesTest, TheRectangleWindowIsFullScaleEverywhere) {
  const auto rectangle = WindowShape(kRectangleWindow);
  for (const std::uint8_t v : rectangle) ASSERT_EQ(v, 255);
}

}  // namespace
}  // namespace morvane
