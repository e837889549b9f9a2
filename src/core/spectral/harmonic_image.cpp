#include "core/spectral/harmonic_image.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/spectral/window_functions.h"

namespace morvane {
namespace {

constexpr double kPi = std::numbers::pi;
// Full scale of the LIN amplitude: a magnitude of 162 reads as 1 %.
constexpr double kLinScale = 162.0;
constexpr int kMaxShownHarmonic = kHarmonicCount - 1;  // synthesis uses harmonics 1..127

}  // namespace

std::uint8_t AmplitudeByte(double level) {
  const double scaled = std::trunc(level * 2.56);
  return static_cast<std::uint8_t>(std::clamp(scaled, 0.0, 255.0));
}

std::uint8_t PhaseByte(double degrees) {
  const int sector = static_cast<int>(std::trunc(degrees * 128.0 / 180.0));
  return static_cast<std::uint8_t>((sector + 128) & 0xFF);
}

void AnalyseHarmonics(FftEngine& engine, ConstWaveSpan samples, int kind, AmplitudeScale scale,
                      HarmonicSpan amplitude, HarmonicSpan phase, HarmonicValues* values) {
  double* re = engine.Re();
  double* im = engine.Im();
  for (int n = 0; n < kFftSize; ++n) {
    re[n] = WindowValue(kind, n, kFftSize) * (samples[static_cast<std::size_t>(n)] - 128);
    im[n] = 0.0;
  }
  engine.Transform(kFftForward);
  for (int h = 1; h <= kHarmonicCount; ++h) {
    const double power = re[h] * re[h] + im[h] * im[h];
    double level = 0.0;
    if (scale == AmplitudeScale::kLog) {
      if (power > 0.0) level = 10.0 * std::log10(power);
    } else {
      level = std::sqrt(power) / kLinScale;
    }
    const double angle = re[h] == 0.0 ? 0.0 : std::atan2(im[h], re[h]) * 180.0 / kPi;
    const auto index = static_cast<std::size_t>(h - 1);
    amplitude[index] = AmplitudeByte(level);
    phase[index] = PhaseByte(angle);
    if (values) {
      values->level[index] = level;
      values->angle[index] = angle;
    }
  }
}

void SynthesiseHarmonics(FftEngine& engine, ConstHarmonicSpan amplitude, ConstHarmonicSpan phase,
                         int kind, AmplitudeScale scale, WaveSpan samples, HarmonicValues* values) {
  double* re = engine.Re();
  double* im = engine.Im();
  double sum = 0.0;
  for (int h = 1; h <= kMaxShownHarmonic; ++h) {
    const auto index = static_cast<std::size_t>(h - 1);
    const double x = amplitude[index] * 0.390625;
    const double angle = (phase[index] - 128) * 180.0 / 128.0;
    const double magnitude =
        scale == AmplitudeScale::kLin ? x * kLinScale : std::pow(10.0, x / 20.0);
    const double radians = angle * kPi / 180.0;
    re[h] = magnitude * std::cos(radians);
    im[h] = magnitude * std::sin(radians);
    re[kFftSize - h] = re[h];
    im[kFftSize - h] = -im[h];
    sum += re[h];
    if (values) {
      values->level[index] = x;
      values->angle[index] = angle;
    }
  }
  re[0] = sum / 256.0;
  im[0] = 0.0;
  // The 128th harmonic (the Nyquist bin) is not taken from the image: it is zero, so the result
  // never depends on what an earlier transform left in the shared buffers.
  re[kFftSize / 2] = 0.0;
  im[kFftSize / 2] = 0.0;
  engine.Transform(kFftInverse);
  for (int n = 0; n < kFftSize; ++n) {
    const double w = WindowValue(kind, n, kFftSize);
    int value = 128;
    if (w != 0.0) value = static_cast<int>(std::clamp(std::trunc(re[n] / w) + 128.0, 0.0, 255.0));
    samples[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(value);
  }
}

int AmplitudePercentCaption(int value) { return value * 100 / 255; }

int PhaseKnobCaption(int value) { return std::max((value * 180 - 23040) / 127, -180); }

int ShownPhaseCaption(int value) { return (value * 255 - 32640) / 180; }

int SpectrumHarmFor(HarmonicChoice choice) {
  switch (choice) {
    case HarmonicChoice::kEven:
      return 2;
    case HarmonicChoice::kOdd:
      return 1;
    case HarmonicChoice::kBoth:
      break;
  }
  return 3;
}

std::vector<int> KnobTargets(HarmonicChoice choice, int harmonic_n, int selection_start,
                             int selection_length) {
  std::vector<int> targets;
  if (selection_length <= 0) {
    if (harmonic_n >= 1 && harmonic_n <= kHarmonicCount) targets.push_back(harmonic_n - 1);
    return targets;
  }
  const int begin = selection_start - 1;
  const int end = begin + selection_length;
  const int first = choice == HarmonicChoice::kEven ? begin + 1 : begin;
  const int step = choice == HarmonicChoice::kBoth ? 1 : 2;
  for (int i = first; i < end; i += step) {
    if (i >= 0 && i < kHarmonicCount) targets.push_back(i);
  }
  return targets;
}

}  // namespace morvane
