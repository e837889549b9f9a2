#pragma once

#include <cstdint>

namespace morvane {

// a·b/c computed in 64 bits and rounded to the nearest integer, halves away from zero (so
// MulDiv(1, 1, 2) is 1 and MulDiv(-1, 1, 2) is -1). A zero divisor gives 0 rather than a trap.
constexpr std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
  if (c == 0) return 0;
  const std::int64_t product = a * b;
  std::int64_t quotient = product / c;
  const std::int64_t remainder = product % c;
  const std::int64_t twice_remainder = remainder < 0 ? -2 * remainder : 2 * remainder;
  const std::int64_t magnitude_c = c < 0 ? -c : c;
  if (twice_remainder >= magnitude_c) quotient += (product < 0) == (c < 0) ? 1 : -1;
  return quotient;
}

}  // namespace morvane
