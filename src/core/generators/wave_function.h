#pragma once

#include <cstdint>
#include <functional>

namespace morvane {

// The nine shapes of the function generator, in the order of the wave-type knob's pictures.
enum WaveType : int {
  kWaveSine = 0,
  kWaveTriangle = 1,
  kWaveSawUp = 2,
  kWaveSawDown = 3,
  kWaveSquare = 4,
  kWavePulse = 5,
  kWaveNoise = 6,
  kWaveRandomSteps = 7,
  kWaveDc = 8,
};
inline constexpr int kWaveTypeCount = 9;

// One parameter set of the generator, in knob units.
struct WaveParameters {
  int level = 100;      // A: amplitude in sample units
  int freq = 1;         // F: cycles per buffer, at least 1
  int pulse_width = 3;  // W: high samples at the start of each period (pulse, random steps)
  int offset = 0;       // B: added to every value
  int phase = 0;        // P: degrees for the sine, a start count in samples otherwise
  int mask = 0;         // M: bits cleared in every output sample

  bool operator==(const WaveParameters&) const = default;
};

// Source of non-negative pseudo-random integers for the noise and random-step shapes. Tests pass
// a fixed sequence; the window passes a generator seeded from the time.
using RandomSource = std::function<unsigned()>;

// The random-steps shape's running state: the counter c, the count w of samples held high, the
// state and the held value.
struct RandomStepsState {
  int c = 0;
  int w = 0;
  bool high = false;
  double held = 0.0;
};

// One sample of the random-steps shape: a period of `period` samples starts when c mod period
// is 0 with a new value A + B - r (r in 0..2A-1), held for W samples, then the zero line.
double NextRandomStep(RandomStepsState& state, const WaveParameters& p, int period,
                      const RandomSource& random);

// A signed value to a sample byte: clamped to -127..127, truncated toward zero, reduced to its
// 8-bit pattern, the mask bits cleared, then moved to the unsigned zero line of 128.
std::uint8_t ConvertSample(double value, int mask);

// Fills n bytes of `buffer` with wave `type` under `params`. `random` is read only by the two
// random shapes.
void CalcWaveFunction(std::uint8_t* buffer, int n, int type, const WaveParameters& params,
                      const RandomSource& random);

// "+Table": buffer[i] = (buffer[i] + table[i] - 128) mod 256 for i < n, wrapping, not clamping.
void AddTable(std::uint8_t* buffer, const std::uint8_t* table, int n);

}  // namespace morvane
