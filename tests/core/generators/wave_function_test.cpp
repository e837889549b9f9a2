#include "core/generators/wave_function.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace morvane {
namespace {

std::vector<std::uint8_t> Wave(
    int type, const WaveParameters& p, int n = 256,
    const RandomSource& random = [] { return 0u; }) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(n));
  CalcWaveFunction(out.data(), n, type, p, random);
  return out;
}

WaveParameters Params(int level, int offset = 0, int phase = 0, int freq = 1, int mask = 0,
                      int width = 3) {
  return WaveParameters{level, freq, width, offset, phase, mask};
}

TEST(ConvertSampleTest, ClampsTruncatesMasksAndOffsets) {
  struct Case {
    double value;
    int mask;
    int byte;
  } cases[] = {
      {0.0, 0, 128},    {127.0, 0, 255}, {200.0, 0, 255}, {-127.0, 0, 1}, {-900.0, 0, 1},
      {-5.0, 128, 251}, {3.0, 1, 130},   {99.9, 0, 227},  {-99.9, 0, 29}, {5.0, 255, 128},
      {-1.0, 1, 126},   {-0.7, 0, 128},  {64.0, 64, 128},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConvertSample(c.value, c.mask), c.byte) << c.value << " mask " << c.mask;
  }
}

TEST(CalcWaveFunctionTest, SineHitsZeroPeakAndTrough) {
  const auto w = Wave(kWaveSine, Params(100));
  EXPECT_EQ(w[0], 128);
  EXPECT_EQ(w[64], 228);
  EXPECT_EQ(w[192], 28);
  // 90 degrees of phase start at the peak.
  EXPECT_EQ(Wave(kWaveSine, Params(100, 0, 90))[0], 228);
}

TEST(CalcWaveFunctionTest, SawUpRisesFromMinusLevel) {
  const auto w = Wave(kWaveSawUp, Params(100));
  EXPECT_EQ(w[0], 28);
  EXPECT_EQ(w[255], 227);
  for (int i = 1; i < 256; ++i) EXPECT_GE(w[i], w[i - 1]) << i;
  const auto down = Wave(kWaveSawDown, Params(100));
  EXPECT_EQ(down[0], 228);
  EXPECT_EQ(down[255], 29);
}

TEST(CalcWaveFunctionTest, NegativePhaseCountsUpBeforeThePeriodStarts) {
  const auto w = Wave(kWaveSawUp, Params(100, 0, -90));
  for (int i = 0; i <= 55; ++i) EXPECT_EQ(w[i], 1) << i;
  EXPECT_EQ(w[56], 2);
  EXPECT_EQ(w[89], 28);
  EXPECT_EQ(w[90], 28);
  EXPECT_EQ(w[91], 29);
}

TEST(CalcWaveFunctionTest, TriangleTurnsAtTheHalfPeriod) {
  const auto w = Wave(kWaveTriangle, Params(50));
  EXPECT_EQ(w[0], 128 - 50);
  // Divisor 255: at c = 128 the value is 4*50*128/255 - 50 = 50.39.
  EXPECT_EQ(w[128], 128 + 50);
  EXPECT_LT(w[129], w[128]);
  EXPECT_LT(w[255], w[200]);
}

TEST(CalcWaveFunctionTest, SquareStartsLowAndFlipsAtHalf) {
  const auto w = Wave(kWaveSquare, Params(100, 10));
  for (int i = 0; i < 128; ++i) ASSERT_EQ(w[i], 128 + 10 - 100) << i;
  for (int i = 128; i < 256; ++i) ASSERT_EQ(w[i], 128 + 10 + 100) << i;
  // Two cycles.
  const auto two = Wave(kWaveSquare, Params(100, 0, 0, 2));
  EXPECT_EQ(two[63], 28);
  EXPECT_EQ(two[64], 228);
  EXPECT_EQ(two[128], 28);
}

TEST(CalcWaveFunctionTest, SquareWithoutAWholeHalfPeriodFlipsEverySample) {
  // 128 bytes for an FFT view at F = 100: n div 2F is 0.
  const auto w = Wave(kWaveSquare, Params(100, 0, 0, 100), 128);
  for (int i = 0; i < 128; ++i) ASSERT_EQ(w[i], i % 2 == 0 ? 28 : 228) << i;
}

TEST(CalcWaveFunctionTest, PulseHoldsWidthHighSamplesPerPeriod) {
  const auto w = Wave(kWavePulse, Params(100, 0, 0, 4, 0, 3));
  for (int i = 0; i < 256; ++i) EXPECT_EQ(w[i], i % 64 < 3 ? 228 : 28) << i;
  for (int width : {0, -5}) {
    const auto low = Wave(kWavePulse, Params(100, 0, 0, 4, 0, width));
    for (int i = 0; i < 256; ++i) ASSERT_EQ(low[i], 28) << i;
  }
}

TEST(CalcWaveFunctionTest, NoiseTakesTheRandomOutputModuloTwiceTheLevel) {
  unsigned next = 0;
  const RandomSource counting = [&next] { return next++ * 7; };
  const auto w = Wave(kWaveNoise, Params(10), 256, counting);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(w[i], 128 + 10 - (i * 7) % 20) << i;
  // A = 0 reads no bits of the generator and leaves the offset alone.
  const auto flat = Wave(kWaveNoise, Params(0, -20), 256, [] { return 12345u; });
  for (std::uint8_t b : flat) ASSERT_EQ(b, 108);
}

TEST(CalcWaveFunctionTest, RandomStepsHoldANewValueForWidthThenDropToZero) {
  unsigned draws = 0;
  const RandomSource source = [&draws] { return ++draws; };
  const auto w = Wave(kWaveRandomSteps, Params(50, 0, 0, 2, 0, 4), 256, source);
  EXPECT_EQ(draws, 2u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(w[i], 128 + 50 - 1) << i;
  for (int i = 4; i < 128; ++i) EXPECT_EQ(w[i], 128) << i;
  for (int i = 128; i < 132; ++i) EXPECT_EQ(w[i], 128 + 50 - 2) << i;
  EXPECT_EQ(w[132], 128);
}

TEST(CalcWaveFunctionTest, DcIsTheOffsetUnderTheMask) {
  for (std::uint8_t b : Wave(kWaveDc, Params(100, -5, 0, 1, 128))) ASSERT_EQ(b, 251);
  for (std::uint8_t b : Wave(kWaveDc, Params(100, 3, 0, 1, 1))) ASSERT_EQ(b, 130);
}

TEST(CalcWaveFunctionTest, LevelBeyondTheSampleRangeClamps) {
  const auto w = Wave(kWaveSquare, Params(999));
  EXPECT_EQ(w[0], 1);
  EXPECT_EQ(w[200], 255);
}

TEST(AddTableTest, AddsAroundTheZeroLineAndWraps) {
  std::array<std::uint8_t, 4> buffer{200, 128, 0, 10};
  const std::array<std::uint8_t, 4> table{255, 77, 0, 130};
  AddTable(buffer.data(), table.data(), 3);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{71, 77, 128, 10}));
}

}  // namespace
}  // namespace morvane
