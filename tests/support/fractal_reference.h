#pragma once

#include <cstdint>
#include <vector>

#include "core/generators/fractal_complex.h"

namespace morvane::testing {

// The Mandelbrot and Julia images written point by point as the rule reads, kept apart from the
// program's own kernels as the yardstick they must match byte for byte.
inline std::vector<std::uint8_t> ReferenceComplexImage(ComplexKind kind,
                                                       const ComplexParameters& p) {
  const int width = kComplexSize;
  const int height = kComplexSize;
  std::vector<std::uint8_t> image(static_cast<std::size_t>(width) * height);
  const double z = 10.0 * p.zoom;
  const double xmin = -3000.0 / z + p.narrowing * 2.9 * 0.01;
  const double xmax = 3000.0 / z - p.narrowing * 2.9 * 0.01;
  const double dx = (xmax - xmin) / (width + 1);
  const double dy = (xmax - xmin) / (height + 1);
  const int res = p.resolution;
  double y = p.origin * 0.01;
  for (int i = 0; i < height; ++i) {
    double x = xmin;
    for (int j = 0; j < width; ++j) {
      double re = x;
      double im = y;
      const double cr = kind == ComplexKind::kJulia ? p.julia_re * 0.01 : x;
      const double ci = kind == ComplexKind::kJulia ? p.julia_im * 0.01 : y;
      int n = 0;
      while (n < res) {
        const double old_re = re;
        re = old_re * old_re - im * im + cr;
        im = 2 * old_re * im + ci;
        if (re * re + im * im > 1000) break;
        n = n + 1;
      }
      image[static_cast<std::size_t>(i) * width + j] =
          n < res ? static_cast<std::uint8_t>(n * 255 / res) : 0;
      x = x + dx;
    }
    y = y - dy;
  }
  return image;
}

}  // namespace morvane::testing
