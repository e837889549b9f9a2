#pragma once

#include "core/generators/wave_function.h"

namespace morvane {

// A pseudo-random source seeded from the time: the generators take a new one per computation,
// the fractal engine one for the whole run.
RandomSource TimeSeededRandom();

}  // namespace morvane
