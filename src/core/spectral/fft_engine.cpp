#include "core/spectral/fft_engine.h"

#include <utility>

namespace morvane {

FftEngine::FftEngine()
    : re_(new double[static_cast<std::size_t>(kFftSize)]),
      im_(new double[static_cast<std::size_t>(kFftSize)]) {}

FftEngine::~FftEngine() = default;

void FftTransform(std::uint8_t direction, int log2_size, double* re, double* im) {
  const int n = 1 << log2_size;
  // Bit-reversal permutation.
  int j = 0;
  for (int i = 0; i < n - 1; ++i) {
    if (i < j) {
      std::swap(re[i], re[j]);
      std::swap(im[i], im[j]);
    }
    int k = n / 2;
    while (k <= j) {
      j -= k;
      k /= 2;
    }
    j += k;
  }
  ForEachTwiddle(direction, log2_size, [&](int l1, int l2, int first, double u1, double u2) {
    for (int i = first; i < n; i += l2) {
      const int i1 = i + l1;
      const double t1 = u1 * re[i1] - u2 * im[i1];
      const double t2 = u1 * im[i1] + u2 * re[i1];
      re[i1] = re[i] - t1;
      im[i1] = im[i] - t2;
      re[i] = re[i] + t1;
      im[i] = im[i] + t2;
    }
  });
  if (direction != kFftForward) {
    for (int i = 0; i < n; ++i) {
      re[i] /= n;
      im[i] /= n;
    }
  }
}

}  // namespace morvane
