#include "core/spectral/spectrum_cache.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>

#include "core/spectral/harmonic_image.h"
#include "core/spectral/window_functions.h"

namespace morvane {
namespace {

constexpr double kPi = std::numbers::pi;
// A value this close (relatively) to a truncation boundary is decided by the rule itself. The
// tables and the arithmetic around them err by a few units of 1e-16, so a decision outside this
// margin cannot differ from the rule's.
constexpr double kBoundaryMargin = 1e-9;

// The rule's own bytes, as the plain analysis makes them.
std::uint8_t RuleAmplitudeByte(double power) {
  return AmplitudeByte(power > 0.0 ? 10.0 * std::log10(power) : 0.0);
}
std::uint8_t RulePhaseByte(double re, double im) {
  return PhaseByte(re == 0.0 ? 0.0 : std::atan2(im, re) * 180.0 / kPi);
}

// thresholds[b]: the power from which the amplitude byte is at least b (b = 1..255), that is
// 10^(b/25.6); thresholds[0] = 0 and thresholds[256] infinite. guess[slot]: the byte at the
// lower end of each slot of powers 1 .. 2^34 that shares a binary exponent and the first eight
// mantissa bits; a slot spans less than a twentieth of a byte, so at most one boundary lies in it.
constexpr int kGuessExponents = 34;
constexpr int kGuessMantissaBits = 8;
struct AmplitudeTable {
  std::array<double, 257> thresholds{};
  std::array<std::uint8_t, (kGuessExponents << kGuessMantissaBits)> guess{};
  AmplitudeTable() {
    for (int b = 1; b <= 255; ++b)
      thresholds[static_cast<std::size_t>(b)] = std::pow(10.0, b / 25.6);
    thresholds[256] = HUGE_VAL;
    int b = 0;
    for (std::size_t slot = 0; slot < guess.size(); ++slot) {
      const double low = std::ldexp(1.0 + static_cast<double>(slot & 0xFF) / 256.0,
                                    static_cast<int>(slot >> kGuessMantissaBits));
      while (b < 255 && low >= thresholds[static_cast<std::size_t>(b + 1)]) ++b;
      guess[slot] = static_cast<std::uint8_t>(b);
    }
  }
};

// The directions of the phase sector boundaries j·π/128, j = 0..128.
struct PhaseTable {
  std::array<double, 129> cosine{};
  std::array<double, 129> sine{};
  PhaseTable() {
    for (int j = 0; j <= 128; ++j) {
      cosine[static_cast<std::size_t>(j)] = std::cos(j * kPi / 128.0);
      sine[static_cast<std::size_t>(j)] = std::sin(j * kPi / 128.0);
    }
    cosine[128] = -1.0;
    sine[128] = 0.0;
  }
};

const AmplitudeTable& Amplitudes() {
  static const AmplitudeTable table;
  return table;
}
const PhaseTable& Phases() {
  static const PhaseTable table;
  return table;
}

// atan(r) for r in 0..1 to within 2e-8 (an odd polynomial of degree 15), so the sector it
// points at is almost always the right one and the checks below rarely step.
inline double RoughAtan(double r) {
  const double q = r * r;
  return r * (0.9999993329 +
              q * (-0.3332985605 +
                   q * (0.1994653599 +
                        q * (-0.1390853351 +
                             q * (0.0964200441 +
                                  q * (-0.0559098861 + q * (0.0218612288 - q * 0.0040540580)))))));
}

[[gnu::always_inline]] inline std::uint8_t LogAmplitudeByte(const AmplitudeTable& table, double re,
                                                            double im) {
  const double power = re * re + im * im;
  std::uint64_t bits = 0;
  std::memcpy(&bits, &power, sizeof bits);
  // Slots from 1.0 (exponent 1023) on; below 1 the byte is 0 and above 2^34 it is 255.
  const std::int64_t slot = static_cast<std::int64_t>(bits >> (52 - kGuessMantissaBits)) -
                            (std::int64_t{1023} << kGuessMantissaBits);
  // Below 1 the level is negative, so the byte is 0.
  if (power < 1.0) return 0;
  if (slot < 0 || slot >= static_cast<std::int64_t>(table.guess.size())) {
    return RuleAmplitudeByte(power);
  }
  int b = table.guess[static_cast<std::size_t>(slot)];
  const auto& t = table.thresholds;
  if (power >= t[static_cast<std::size_t>(b + 1)]) ++b;
  const bool near_lower =
      b > 0 && power <= t[static_cast<std::size_t>(b)] * (1.0 + kBoundaryMargin);
  const bool near_upper =
      b < 255 && power >= t[static_cast<std::size_t>(b + 1)] * (1.0 - kBoundaryMargin);
  if (near_lower || near_upper) return RuleAmplitudeByte(power);
  return static_cast<std::uint8_t>(b);
}

[[gnu::always_inline]] inline std::uint8_t SectorPhaseByte(const PhaseTable& p, double re,
                                                           double im) {
  if (re == 0.0) return 128;  // the rule's φ = 0
  if (im == 0.0) {
    // On the negative axis the angle is ±180° as atan2 rounds it: the rule decides.
    return re > 0.0 ? 128 : RulePhaseByte(re, im);
  }
  const double a = std::abs(im);
  const double ar = std::abs(re);
  // c(j) = |r|·sin(θ − j·π/128) for θ = atan2(|im|, re) in (0, π): not negative while θ ≥ j·π/128.
  auto side = [&](int j) {
    return p.cosine[static_cast<std::size_t>(j)] * a - p.sine[static_cast<std::size_t>(j)] * re;
  };
  double theta = ar >= a ? RoughAtan(a / ar) : kPi / 2.0 - RoughAtan(ar / a);
  if (re < 0.0) theta = kPi - theta;
  int k = std::clamp(static_cast<int>(theta * (128.0 / kPi)), 0, 127);
  double upper = side(k + 1);
  while (upper >= 0.0 && k < 127) upper = side(++k + 1);
  double lower = k > 0 ? side(k) : 1.0;
  while (lower < 0.0) {
    upper = lower;
    --k;
    lower = k > 0 ? side(k) : 1.0;
  }
  const double tolerance = kBoundaryMargin * (ar + a);
  // k = 127: the upper side is the distance to π.
  if ((k > 0 && std::abs(lower) <= tolerance) || std::abs(upper) <= tolerance) {
    return RulePhaseByte(re, im);
  }
  const int sector = std::signbit(im) ? -k : k;
  return static_cast<std::uint8_t>((sector + 128) & 0xFF);
}

}  // namespace

std::uint8_t FastLogAmplitudeByte(double re, double im) {
  return LogAmplitudeByte(Amplitudes(), re, im);
}

std::uint8_t FastPhaseByte(double re, double im) { return SectorPhaseByte(Phases(), re, im); }

void ComputeSpectrum(WavetableStore& store, FftEngine& engine, int kind, int k) {
  if (k < 0 || k >= kWaveCount) return;
  AnalyseHarmonics(engine, std::as_const(store).Wave(k), kind, AmplitudeScale::kLog,
                   store.Amplitude(k), store.Phase(k));
}

namespace {

constexpr int kLanes = 4;
using Lanes = double __attribute__((vector_size(kLanes * sizeof(double))));

// The twiddle factors the recurrence gives each span of each stage, worked out once exactly as
// the transform works them out, so every lane multiplies by the very same numbers.
struct Twiddles {
  std::array<double, kFftSize> u1{};  // stage s, span j at (1 << s) - 1 + j
  std::array<double, kFftSize> u2{};
};

void MakeTwiddles(Twiddles& twiddles) {
  ForEachTwiddle(kFftForward, kFftLog2Size, [&](int l1, int, int j, double u1, double u2) {
    twiddles.u1[static_cast<std::size_t>(l1 - 1 + j)] = u1;
    twiddles.u2[static_cast<std::size_t>(l1 - 1 + j)] = u2;
  });
}

int BitReversed(int i) {
  int r = 0;
  for (int bit = 0; bit < kFftLog2Size; ++bit) r |= ((i >> bit) & 1) << (kFftLog2Size - 1 - bit);
  return r;
}

// The forward transform of four waveforms side by side, each lane computing what FftTransform
// computes for its waveform, operation for operation.
__attribute__((target_clones("avx2", "default"))) void TransformLanes(const Twiddles& twiddles,
                                                                      Lanes* re, Lanes* im) {
  int l2 = 1;
  for (int stage = 0; stage < kFftLog2Size; ++stage) {
    const int l1 = l2;
    l2 *= 2;
    for (int j = 0; j < l1; ++j) {
      const double u1 = twiddles.u1[static_cast<std::size_t>(l1 - 1 + j)];
      const double u2 = twiddles.u2[static_cast<std::size_t>(l1 - 1 + j)];
      for (int i = j; i < kFftSize; i += l2) {
        const int i1 = i + l1;
        const Lanes t1 = u1 * re[i1] - u2 * im[i1];
        const Lanes t2 = u1 * im[i1] + u2 * re[i1];
        re[i1] = re[i] - t1;
        im[i1] = im[i] - t2;
        re[i] = re[i] + t1;
        im[i] = im[i] + t2;
      }
    }
  }
}

}  // namespace

void ComputeAllSpectra(WavetableStore& store, int kind) {
  std::array<double, kFftSize> window{};
  for (int n = 0; n < kFftSize; ++n)
    window[static_cast<std::size_t>(n)] = WindowValue(kind, n, kFftSize);
  Twiddles twiddles;
  MakeTwiddles(twiddles);
  std::array<int, kFftSize> reversed{};
  for (int i = 0; i < kFftSize; ++i) reversed[static_cast<std::size_t>(i)] = BitReversed(i);

  alignas(32) std::array<Lanes, kFftSize> re{};
  alignas(32) std::array<Lanes, kFftSize> im{};
  const AmplitudeTable& amplitudes = Amplitudes();
  const PhaseTable& phases = Phases();
  const WavetableStore& samples = store;
  for (int first = 0; first < kWaveCount; first += kLanes) {
    std::array<const std::uint8_t*, kLanes> waves{};
    for (int lane = 0; lane < kLanes; ++lane) {
      waves[static_cast<std::size_t>(lane)] = samples.Wave(first + lane).data();
    }
    // Loaded straight into bit-reversed order, which is where the permutation would put them.
    for (int i = 0; i < kFftSize; ++i) {
      const auto n = static_cast<std::size_t>(reversed[static_cast<std::size_t>(i)]);
      Lanes value;
      for (int lane = 0; lane < kLanes; ++lane) {
        value[lane] = window[n] * (waves[static_cast<std::size_t>(lane)][n] - 128);
      }
      re[static_cast<std::size_t>(i)] = value;
      im[static_cast<std::size_t>(i)] = Lanes{0.0, 0.0, 0.0, 0.0};
    }
    TransformLanes(twiddles, re.data(), im.data());
    for (int lane = 0; lane < kLanes; ++lane) {
      const HarmonicSpan amplitude = store.Amplitude(first + lane);
      const HarmonicSpan phase = store.Phase(first + lane);
      for (int h = 1; h <= kHarmonicCount; ++h) {
        const double bin_re = re[static_cast<std::size_t>(h)][lane];
        const double bin_im = im[static_cast<std::size_t>(h)][lane];
        amplitude[static_cast<std::size_t>(h - 1)] = LogAmplitudeByte(amplitudes, bin_re, bin_im);
        phase[static_cast<std::size_t>(h - 1)] = SectorPhaseByte(phases, bin_re, bin_im);
      }
    }
  }
}

}  // namespace morvane
