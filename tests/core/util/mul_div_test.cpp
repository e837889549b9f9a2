#include "core/util/mul_div.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace morvane {
namespace {

struct MulDivCase {
  std::int64_t a, b, c, expected;
};

class MulDivTest : public ::testing::TestWithParam<MulDivCase> {};

TEST_P(MulDivTest, RoundsToNearestWithHalvesAwayFromZero) {
  const MulDivCase& t = GetParam();
  EXPECT_EQ(MulDiv(t.a, t.b, t.c), t.expected) << t.a << "*" << t.b << "/" << t.c;
}

INSTANTIATE_TEST_SUITE_P(Cases, MulDivTest,
                         ::testing::Values(MulDivCase{6, 4, 3, 8},    // exact
                                           MulDivCase{5, 1, 4, 1},    // 1.25 down
                                           MulDivCase{7, 1, 4, 2},    // 1.75 up
                                           MulDivCase{1, 3, 2, 2},    // 1.5 away from zero
                                           MulDivCase{1, -3, 2, -2},  // -1.5 away from zero
                                           MulDivCase{-1, 1, 2, -1},  // -0.5
                                           MulDivCase{1, 1, -2, -1},  // negative divisor
                                           MulDivCase{-3, 1, -2, 2},  // both negative: +1.5
                                           MulDivCase{-5, 1, 4, -1},  // -1.25
                                           MulDivCase{1, -127, 2,
                                                      -64},  // a colour step of the gradient
                                           MulDivCase{255, 774, 256, 771},
                                           // The product needs more than 32 bits.
                                           MulDivCase{3'000'000'000, 3, 2, 4'500'000'000},
                                           MulDivCase{5, 7, 0, 0}));  // no trap on a zero divisor

}  // namespace
}  // namespace morvane
