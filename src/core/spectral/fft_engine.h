#pragma once

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
