#include "core/spectral/fft_engine.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <random>

#include "core/spectral/window_functions.h"

namespace morvane {
namespace {

struct WindowRow {
  int kind;
  std::array<double, 5> values;  // at n = 0, 64, 127, 128, 255
};

// The table of window values for N = 256, to six places.
constexpr std::array<WindowRow, kWindowKindCount> kWindowTable = {{
    {0, {1, 1, 1, 1, 1}},
    {1, {0.003906, 0.503906, 0.996094, 0.996094, 0.003906}},
    {2, {0.000000, 0.340000, 0.999753, 1.000000, 0.000054}},
    {3, {0.000000, 0.343086, 0.999938, 0.999938, 0.000000}},
    {4, {0.080000, 0.540000, 0.999861, 1.000000, 0.080139}},
    {5, {0.076720, 0.541204, 0.999965, 0.999965, 0.076720}},
    {6, {0.000000, 0.500000, 0.999849, 1.000000, 0.000151}},
    {7, {0.000000, 0.503080, 0.999962, 0.999962, 0.000000}},
    {8, {0.000000, 0.709281, 0.999981, 0.999981, 0.000000}},
    {9, {0.000000, 0.639114, 0.999975, 0.999975, 0.000000}},
    {10, {0.541341, 2.435637, 3.999877, 3.999877, 0.541341}},
    {11, {0.000000, 0.502811, 0.999030, 0.999030, 0.000000}},
    {12, {0.000000, 0.501961, 0.996078, 0.996078, 0.000000}},
    {13, {0.789848, 0.945457, 0.999997, 0.999997, 0.789848}},
    {14, {0.438676, 0.835985, 0.999989, 0.999989, 0.438676}},
    {15, {0.204885, 0.728837, 0.999981, 0.999981, 0.204885}},
}};

TEST(WindowFunctionsTest, MatchTheTableToSixPlaces) {
  constexpr std::array<int, 5> kSamples = {0, 64, 127, 128, 255};
  for (const WindowRow& row : kWindowTable) {
    for (std::size_t i = 0; i < kSamples.size(); ++i) {
      const double value = WindowValue(row.kind, kSamples[i], kFftSize);
      EXPECT_EQ(std::round(value * 1e6) / 1e6, row.values[i])
          << WindowMenuCaption(row.kind) << " at n = " << kSamples[i] << ": " << value;
    }
  }
}

TEST(WindowFunctionsTest, PeriodicVariantsPeakAtTheMiddleSampleAndLanczosStaysFinite) {
  for (int kind : {2, 4, 6}) {
    EXPECT_DOUBLE_EQ(WindowValue(kind, 128, kFftSize), 1.0);
    EXPECT_NE(WindowValue(kind, 0, kFftSize), WindowValue(kind, 255, kFftSize));
  }
  for (int n = 0; n < kFftSize; ++n) EXPECT_TRUE(std::isfinite(WindowValue(9, n, kFftSize)));
}

TEST(WindowFunctionsTest, KindsOutsideTheListGiveZeroAndNoNames) {
  for (int kind : {-1, 16, 99}) {
    for (int n = 0; n < kFftSize; ++n) EXPECT_EQ(WindowValue(kind, n, kFftSize), 0.0);
    EXPECT_EQ(WindowMenuCaption(kind), "");
    EXPECT_EQ(WindowPanelText(kind), "");
  }
  EXPECT_EQ(WindowMenuCaption(11), "Barlett/Hann");
  EXPECT_EQ(WindowPanelText(11), "BARLT/HANN");
  EXPECT_EQ(WindowPanelText(8), "COSINUS");
  EXPECT_EQ(WindowPanelText(15), "KAISER 3");
}

TEST(FftEngineTest, ForwardThenInverseGivesTheInputBack) {
  FftEngine engine;
  std::mt19937 random(7);
  std::uniform_real_distribution<double> value(-128.0, 127.0);
  std::array<double, kFftSize> re_in{};
  std::array<double, kFftSize> im_in{};
  for (int n = 0; n < kFftSize; ++n) {
    re_in[n] = engine.Re()[n] = value(random);
    im_in[n] = engine.Im()[n] = value(random);
  }
  engine.Transform(kFftForward);
  engine.Transform(kFftInverse);
  for (int n = 0; n < kFftSize; ++n) {
    EXPECT_NEAR(engine.Re()[n], re_in[n], 1e-10);
    EXPECT_NEAR(engine.Im()[n], im_in[n], 1e-10);
  }
}

TEST(FftEngineTest, ACosineAtHarmonicThreeLandsInBinsThreeAndTwoHundredFiftyThree) {
  FftEngine engine;
  for (int n = 0; n < kFftSize; ++n) {
    engine.Re()[n] = std::cos(2.0 * std::numbers::pi * 3.0 * n / kFftSize);
    engine.Im()[n] = 0.0;
  }
  engine.Transform(kFftForward);
  for (int k = 0; k < kFftSize; ++k) {
    const double expected = k == 3 || k == 253 ? 128.0 : 0.0;
    EXPECT_NEAR(engine.Re()[k], expected, 1e-9) << k;
    EXPECT_NEAR(engine.Im()[k], 0.0, 1e-9) << k;
  }
}

TEST(FftEngineTest, ForwardSignGivesAShiftedCosineItsPhase) {
  // A·cos(2πkn/N − φ) analyses to a bin whose angle is +φ.
  FftEngine engine;
  const double phi = 0.6;
  for (int n = 0; n < kFftSize; ++n) {
    engine.Re()[n] = std::cos(2.0 * std::numbers::pi * 5.0 * n / kFftSize - phi);
    engine.Im()[n] = 0.0;
  }
  engine.Transform(kFftForward);
  EXPECT_NEAR(std::atan2(engine.Im()[5], engine.Re()[5]), phi, 1e-12);
}

}  // namespace
}  // namespace morvane
