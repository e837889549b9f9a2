#include "core/generators/generator_steps.h"

#include <gtest/gtest.h>

#include <array>

namespace morvane {
namespace {

TEST(ParametricCellTest, StepsEachParameterByItsRangeDivCellCount) {
  const WaveParameters start{100, 1, 3, 0, 0, 0};
  const WaveParameters end{999, 9, -13, -7, 180, 255};
  const int levels[] = {100, 212, 324, 436, 548, 660, 772, 884};
  for (int k = 0; k < 8; ++k) {
    const WaveParameters cell = ParametricCell(start, end, 8, k);
    EXPECT_EQ(cell.level, levels[k]) << k;
    EXPECT_EQ(cell.freq, 1 + k) << k;
    EXPECT_EQ(cell.pulse_width, 3 - 2 * k) << k;  // -16 div 8
    EXPECT_EQ(cell.offset, 0) << k;               // -7 div 8 truncates to 0: no sweep
    EXPECT_EQ(cell.phase, 22 * k) << k;
    EXPECT_EQ(cell.mask, 31 * k) << k;
  }
  EXPECT_EQ(ParametricCell(start, end, 1, 0), start);
}

TEST(CalcMorphTest, FollowsTheRisingAndFallingRules) {
  struct Case {
    int source;
    int target;
    int level;
    int byte;
  } cases[] = {
      {255, 0, 0, 1},        // falling at level 0: -128 + trunc(101 * 2.55)
      {255, 0, 100, 2},      // falling at level 100: -128 + trunc(2.55), two above the target
      {128, 157, 100, 156},  // b - a = 29: 100 * 0.29 rounds below 29
      {128, 228, 100, 228}, {128, 228, 50, 178}, {128, 228, 0, 128}, {90, 90, 37, 90},
  };
  for (const Case& c : cases) {
    std::array<std::uint8_t, 256> source;
    std::array<std::uint8_t, 256> target;
    std::array<std::uint8_t, 256> out{};
    source.fill(static_cast<std::uint8_t>(c.source));
    target.fill(static_cast<std::uint8_t>(c.target));
    CalcMorph(source.data(), target.data(), c.level, out.data());
    EXPECT_EQ(out[0], c.byte) << c.source << "->" << c.target << " at " << c.level;
    EXPECT_EQ(out[255], c.byte);
  }
}

TEST(PingPongStepTest, BouncesBetweenTheLimits) {
  int direction = 1;
  int x = 0;
  std::array<int, 8> seen{};
  for (int& v : seen) v = x = PingPongStep(x, 0, 3, direction);
  EXPECT_EQ(seen, (std::array<int, 8>{1, 2, 3, 2, 1, 0, 1, 2}));
  // Out of range below: jumps to lo and climbs.
  direction = -1;
  EXPECT_EQ(PingPongStep(-4, 2, 6, direction), 3);
  EXPECT_EQ(direction, 1);
  // Above hi: comes down.
  direction = 1;
  EXPECT_EQ(PingPongStep(9, 2, 6, direction), 5);
  EXPECT_EQ(direction, -1);
}

TEST(PingPongStepTest, EqualLimitsAlwaysEndOneBelow) {
  int direction = 1;
  for (int x : {5, 4, 0, 31}) EXPECT_EQ(PingPongStep(x, 5, 5, direction), 4) << x;
  EXPECT_EQ(PingPongStep(0, 0, 0, direction), -1);  // the bank knob clamps this to 0
}

TEST(RangeFromSelectionTest, OneCellMeansTheWholeTable) {
  EXPECT_EQ(RangeFromSelection(7, 3, 7, 3), (AnimationRange{0, 63, 0, 31}));
  EXPECT_EQ(RangeFromSelection(2, 5, 9, 5), (AnimationRange{2, 9, 5, 5}));
  EXPECT_EQ(RangeFromSelection(4, 1, 4, 6), (AnimationRange{4, 4, 1, 6}));
}

}  // namespace
}  // namespace morvane
