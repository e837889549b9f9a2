#pragma once

#include <array>
#include <cstddef>

#include "core/generators/fractal_complex.h"

namespace morvane {

// The six knobs that a view sets, in the order zX, Res, cteX, cteY, Ox, Zx.
struct ComplexView {
  int zoom;
  int resolution;
  int julia_re;
  int julia_im;
  int origin;
  int narrowing;

  // The view applied over `p`, which keeps its other fields (Ocx).
  ComplexParameters Over(ComplexParameters p) const {
    p.zoom = zoom;
    p.resolution = resolution;
    p.julia_re = julia_re;
    p.julia_im = julia_im;
    p.origin = origin;
    p.narrowing = narrowing;
    return p;
  }
};

// The Complex group's "Show fractal window" cycles these views.
inline constexpr std::array<ComplexView, 6> kPresetViews = {{
    {160, 35, -76, 9, 186, 3},
    {127, 54, -76, 37, 234, 19},
    {467, 121, 100, -100, 111, 13},
    {107, 164, 40, -27, 25, 96},
    {135, 262, 35, 42, -62, 71},
    {94, 85, 26, 1, 86, 113},
}};

// "Init Parameters" cycles these two.
inline constexpr std::array<ComplexView, 2> kStartingSets = {{
    {100, 16, 1, -1, 300, 3},
    {100, 16, 100, -100, 300, 0},
}};

// A position in a list of `count` entries, 0 at start; each step moves on and wraps, so the first
// step gives entry 1.
class CyclingCounter {
 public:
  explicit constexpr CyclingCounter(std::size_t count) : count_(count) {}
  std::size_t Next() {
    position_ = (position_ + 1) % count_;
    return position_;
  }

 private:
  std::size_t count_;
  std::size_t position_ = 0;
};

}  // namespace morvane
