#include "core/spectral/harmonic_image.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "core/spectral/window_functions.h"
#include "core/waveform/sample_tank_mouse.h"

namespace morvane {
namespace {

using Wave = std::array<std::uint8_t, kWaveLength>;
using Bytes = std::array<std::uint8_t, kHarmonicCount>;

Wave Square() {
  Wave wave{};
  for (int n = 0; n < kWaveLength; ++n) wave[n] = n < 128 ? 255 : 0;
  return wave;
}

// 128 + trunc(amplitude·cos(2π·h·n/256 − shift)).
Wave Cosine(int harmonic, double amplitude, double shift = 0.0) {
  Wave wave{};
  for (int n = 0; n < kWaveLength; ++n) {
    wave[n] = static_cast<std::uint8_t>(
        128 +
        std::trunc(amplitude * std::cos(2.0 * std::numbers::pi * harmonic * n / 256.0 - shift)));
  }
  return wave;
}

class HarmonicImageTest : public ::testing::Test {
 protected:
  void Analyse(const Wave& wave, AmplitudeScale scale, int kind = kRectangleWindow) {
    AnalyseHarmonics(engine_, wave, kind, scale, amplitude_, phase_, &values_);
  }
  FftEngine engine_;
  Bytes amplitude_{};
  Bytes phase_{};
  HarmonicValues values_;
};

TEST_F(HarmonicImageTest, SquareWaveHasHarmonicOneAt221AndNoEvenHarmonics) {
  Analyse(Square(), AmplitudeScale::kLog);
  EXPECT_EQ(amplitude_[0], 221);
  EXPECT_NEAR(values_.level[0], 86.4, 0.05);
  for (int h = 2; h <= kHarmonicCount; h += 2) EXPECT_EQ(amplitude_[h - 1], 0) << "harmonic " << h;
  EXPECT_GT(amplitude_[2], 0);  // the odd ones are there
}

TEST_F(HarmonicImageTest, CosineAtHarmonicThreeGives210InLogWithPhaseZero) {
  Analyse(Cosine(3, 100.0), AmplitudeScale::kLog);
  EXPECT_EQ(amplitude_[2], 210);
  EXPECT_EQ(phase_[2], 128);
}

TEST_F(HarmonicImageTest, CosineInLinFollowsTheRuleOnItsTruncatedSamples) {
  // The truncated samples leave bin 3 a little below 12800, so the rule gives 201, not the 202
  // that an exact cosine would give.
  Analyse(Cosine(3, 100.0), AmplitudeScale::kLin);
  EXPECT_LT(values_.level[2] * 162.0, 12800.0);
  EXPECT_EQ(amplitude_[2], 201);
}

TEST_F(HarmonicImageTest, SilenceHasNoLevelAndZeroPhase) {
  Wave flat{};
  flat.fill(128);
  Analyse(flat, AmplitudeScale::kLog);
  for (int i = 0; i < kHarmonicCount; ++i) {
    EXPECT_EQ(amplitude_[i], 0);
    EXPECT_EQ(phase_[i], 128);
  }
}

TEST(HarmonicBytesTest, PhaseBytesWrapPlusAndMinus180ToZero) {
  EXPECT_EQ(PhaseByte(0.0), 128);
  EXPECT_EQ(PhaseByte(180.0), 0);
  EXPECT_EQ(PhaseByte(-180.0), 0);
  EXPECT_EQ(PhaseByte(90.0), 192);
  EXPECT_EQ(PhaseByte(-1.0), 128);  // truncation towards zero
  EXPECT_EQ(PhaseByte(-1.5), 127);
  EXPECT_EQ(AmplitudeByte(-3.0), 0);
  EXPECT_EQ(AmplitudeByte(99.9), 255);
  EXPECT_EQ(AmplitudeByte(150.0), 255);
}

TEST(HarmonicCaptionsTest, PhaseKnobAndShowHarmonicCaptions) {
  struct Case {
    int value, knob, shown;
  };
  for (const Case& c : {Case{0, -180, -181}, Case{128, 0, 0}, Case{255, 180, 179}}) {
    EXPECT_EQ(PhaseKnobCaption(c.value), c.knob) << c.value;
    EXPECT_EQ(ShownPhaseCaption(c.value), c.shown) << c.value;
  }
  EXPECT_EQ(AmplitudePercentCaption(255), 100);
  EXPECT_EQ(AmplitudePercentCaption(128), 50);
  EXPECT_EQ(AmplitudePercentCaption(2), 0);
}

TEST(HarmonicChoiceTest, EvenAndOddKnobsAndDrawing) {
  // "EVEN" from harmonic 1 writes harmonics 2, 4, 6, ...
  const std::vector<int> even = KnobTargets(HarmonicChoice::kEven, 1, 1, 128);
  ASSERT_EQ(even.size(), 64u);
  EXPECT_EQ(even.front(), 1);
  EXPECT_EQ(even.back(), 127);
  const std::vector<int> odd = KnobTargets(HarmonicChoice::kOdd, 1, 1, 6);
  EXPECT_EQ(odd, (std::vector<int>{0, 2, 4}));
  EXPECT_EQ(KnobTargets(HarmonicChoice::kBoth, 1, 126, 10), (std::vector<int>{125, 126, 127}));
  EXPECT_EQ(KnobTargets(HarmonicChoice::kEven, 40, 1, 0), (std::vector<int>{39}));
  // ... while "EVEN" drawing changes harmonics 1, 3, 5: the even indices.
  const int even_drawing = SpectrumHarmFor(HarmonicChoice::kEven);
  EXPECT_TRUE(SpectrumHarmAllows(even_drawing, 0));
  EXPECT_FALSE(SpectrumHarmAllows(even_drawing, 1));
  const int odd_drawing = SpectrumHarmFor(HarmonicChoice::kOdd);
  EXPECT_TRUE(SpectrumHarmAllows(odd_drawing, 1));
  EXPECT_FALSE(SpectrumHarmAllows(odd_drawing, 2));
  EXPECT_EQ(SpectrumHarmFor(HarmonicChoice::kBoth), 3);
}

TEST_F(HarmonicImageTest, SynthesisRebuildsAnAnalysedWaveform) {
  const Wave original = Cosine(4, 90.0, 0.7);
  Analyse(original, AmplitudeScale::kLin);
  Wave rebuilt{};
  SynthesiseHarmonics(engine_, amplitude_, phase_, kRectangleWindow, AmplitudeScale::kLin, rebuilt);
  for (int n = 0; n < kWaveLength; ++n) EXPECT_NEAR(rebuilt[n], original[n], 3) << n;
}

TEST_F(HarmonicImageTest, NyquistBinIsZeroWhateverTheBuffersHeld) {
  Analyse(Square(), AmplitudeScale::kLog);
  Wave clean{};
  engine_.Re()[128] = 0.0;
  engine_.Im()[128] = 0.0;
  SynthesiseHarmonics(engine_, amplitude_, phase_, kRectangleWindow, AmplitudeScale::kLog, clean);
  Wave after_garbage{};
  engine_.Re()[128] = 5.0e6;
  engine_.Im()[128] = -3.0e6;
  SynthesiseHarmonics(engine_, amplitude_, phase_, kRectangleWindow, AmplitudeScale::kLog,
                      after_garbage);
  EXPECT_EQ(clean, after_garbage);
}

TEST_F(HarmonicImageTest, SynthesisPutsTheZeroLineWhereTheWindowIsZero) {
  Analyse(Cosine(2, 60.0), AmplitudeScale::kLin, 7);
  Wave rebuilt{};
  rebuilt.fill(3);
  SynthesiseHarmonics(engine_, amplitude_, phase_, 7, AmplitudeScale::kLin, rebuilt, &values_);
  EXPECT_EQ(WindowValue(7, 0, 256), 0.0);
  EXPECT_EQ(rebuilt[0], 128);
  EXPECT_EQ(rebuilt[255], 128);
  // The grid values of the synthesis: x = a·0.390625 and (p − 128)·180/128.
  EXPECT_DOUBLE_EQ(values_.level[1], amplitude_[1] * 0.390625);
  EXPECT_DOUBLE_EQ(values_.angle[1], (phase_[1] - 128) * 180.0 / 128.0);
}

}  // namespace
}  // namespace morvane
