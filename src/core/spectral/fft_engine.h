#pragma once

#include <cmath>
#include <cstdint>
#include <memory>

namespace morvane {

// Size of every transform the editor runs: one waveform.
inline constexpr int kFftLog2Size = 8;
inline constexpr int kFftSize = 1 << kFftLog2Size;  // 256

// Transform directions. Forward sums x[n]·e^(+2πi·k·n/N) without scaling; inverse sums with the
// other sign and divides by N, so one undoes the other.
inline constexpr std::uint8_t kFftForward = 0;
inline constexpr std::uint8_t kFftInverse = 1;

// The twiddle factors of the butterfly stages, made by the half-angle recurrence: for each stage
// (span l1, stride l2 = 2·l1) and each j below l1, calls spans(l1, l2, j, u1, u2). One
// recurrence serves every transform, so all of them multiply by the very same numbers.
template <typename Spans>
void ForEachTwiddle(std::uint8_t direction, int log2_size, Spans&& spans) {
  double c1 = -1.0;
  double c2 = 0.0;
  int l2 = 1;
  for (int stage = 0; stage < log2_size; ++stage) {
    const int l1 = l2;
    l2 *= 2;
    double u1 = 1.0;
    double u2 = 0.0;
    for (int j = 0; j < l1; ++j) {
      spans(l1, l2, j, u1, u2);
      const double z = u1 * c1 - u2 * c2;
      u2 = u1 * c2 + u2 * c1;
      u1 = z;
    }
    c2 = std::sqrt((1.0 - c1) / 2.0);
    if (direction == kFftInverse) c2 = -c2;
    c1 = std::sqrt((1.0 + c1) / 2.0);
  }
}

// In-place radix-2 decimation-in-time transform of 2^log2_size complex points, its twiddle
// factors made by the half-angle recurrence. Allocates nothing.
void FftTransform(std::uint8_t direction, int log2_size, double* re, double* im);

// The shared FFT store: two 256-point work buffers that the analyses and syntheses fill,
// transform and read before they return. The constructor takes their memory (throwing
// std::bad_alloc when it cannot); their contents start undefined.
class FftEngine {
 public:
  FftEngine();
  ~FftEngine();
  FftEngine(const FftEngine&) = delete;
  FftEngine& operator=(const FftEngine&) = delete;

  double* Re() { return re_.get(); }
  double* Im() { return im_.get(); }
  // Transforms the engine's own buffers.
  void Transform(std::uint8_t direction) { FftTransform(direction, kFftLog2Size, Re(), Im()); }

 private:
  std::unique_ptr<double[]> re_;
  std::unique_ptr<double[]> im_;
};

}  // namespace morvane
