#include "core/generators/wave_function.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace morvane {
namespace {

// A random offset in 0..2A-1 (0 when A is 0), taken as the generator's output modulo 2A.
int RandomOffset(const RandomSource& random, int level) {
  const long long range = 2LL * level;
  if (range <= 0) return 0;
  return static_cast<int>(static_cast<long long>(random()) % range);
}

// The start-of-period test of the counted shapes: C++'s remainder keeps the sign of c, so a
// negative start counts up to 0 before the first period begins.
bool PeriodStarts(int c, int period) { return c % period == 0; }

double CountedValue(int type, int c, const WaveParameters& p, int half) {
  const double a = p.level;
  const double b = p.offset;
  switch (type) {
    case kWaveTriangle: {
      // The divisor is 255, not 256: the module's tables were made that way.
      const double ramp = 4.0 * a * (static_cast<double>(c) * p.freq / 255.0);
      return c <= half ? ramp + b - a : -ramp + b + 3.0 * a;
    }
    case kWaveSawUp:
      return 2.0 * a * (static_cast<double>(c) * p.freq / 256.0) + b - a;
    default:  // kWaveSawDown
      return a + b - 2.0 * a * (static_cast<double>(c) * p.freq / 256.0);
  }
}

}  // namespace

double NextRandomStep(RandomStepsState& state, const WaveParameters& p, int period,
                      const RandomSource& random) {
  if (PeriodStarts(state.c, period)) {
    state.high = true;
    state.w = 0;
    state.held = p.level + p.offset - RandomOffset(random, p.level);
  }
  if (state.high && state.w < p.pulse_width) {
    ++state.w;
  } else {
    state.high = false;
    state.held = 0.0;  // the zero line, not B - A
  }
  ++state.c;
  return state.held;
}

std::uint8_t ConvertSample(double value, int mask) {
  const int v = static_cast<int>(std::trunc(std::clamp(value, -127.0, 127.0)));
  const int pattern = (v & 0xFF) & (255 - mask);
  return static_cast<std::uint8_t>((pattern + 128) & 0xFF);
}

void CalcWaveFunction(std::uint8_t* buffer, int n, int type, const WaveParameters& p,
                      const RandomSource& random) {
  const int freq = std::max(1, p.freq);
  const int period = std::max(1, n / freq);
  // A 128-sample buffer with F above 64 has no whole half period; the square then flips its sign
  // on every sample, the closest it can come to the asked frequency.
  const int half = std::max(1, n / (2 * freq));
  const double a = p.level;
  const double b = p.offset;
  int c = p.phase;
  int w = 0;
  bool high = false;
  double sign = 1.0;
  RandomStepsState steps{p.phase};
  for (int i = 0; i < n; ++i) {
    double v = b;
    switch (type) {
      case kWaveSine:
        v = a * std::sin(2.0 * std::numbers::pi * freq * i / n +
                         p.phase * std::numbers::pi / 180.0) +
            b;
        break;
      case kWaveTriangle:
      case kWaveSawUp:
      case kWaveSawDown:
        if (PeriodStarts(c, period)) c = 0;
        v = CountedValue(type, c, p, half);
        ++c;
        break;
      case kWaveSquare:
        if (c % half == 0) sign = -sign;
        v = sign * a + b;
        ++c;
        break;
      case kWavePulse:
        if (PeriodStarts(c, period)) {
          high = true;
          w = 0;
        }
        if (high && w < p.pulse_width) {
          ++w;
          v = a + b;
        } else {
          high = false;
          v = b - a;
        }
        ++c;
        break;
      case kWaveNoise:
        v = a + b - RandomOffset(random, p.level);
        break;
      case kWaveRandomSteps:
        v = NextRandomStep(steps, p, period, random);
        break;
      default:  // kWaveDc
        break;
    }
    buffer[i] = ConvertSample(v, p.mask);
  }
}

void AddTable(std::uint8_t* buffer, const std::uint8_t* table, int n) {
  for (int i = 0; i < n; ++i)
    buffer[i] = static_cast<std::uint8_t>((buffer[i] + table[i] - 128) & 0xFF);
}

}  // namespace morvane
