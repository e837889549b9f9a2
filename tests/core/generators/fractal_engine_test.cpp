#include "core/generators/fractal_engine.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/generators/fractal_views.h"
#include "support/fractal_reference.h"

namespace morvane {
namespace {

RandomSource Constant(unsigned r) {
  return [r] { return r; };
}

// The map's top-left 5 x 5 bytes.
std::vector<std::vector<int>> Corner5(const FractalEngine& engine) {
  std::vector<std::vector<int>> rows(5, std::vector<int>(5));
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 5; ++c) rows[r][c] = engine.Map(r, c);
  }
  return rows;
}

TEST(FractalEngineTest, RandomBetweenTakesTheSpanOrOneHundredAndTwentyEight) {
  struct Case {
    int lo, hi, r, expected;
  };
  const std::array<Case, 6> cases = {{{-50, 50, 0, -50},
                                      {-50, 50, 99, 49},
                                      {-50, 50, 100, -50},
                                      {10, 20, 13, 13},
                                      {0, 0, 200, 72},
                                      {-3, -3, 32767, -3 + 127}}};
  for (const Case& c : cases) {
    FractalEngine engine(Constant(c.r));
    EXPECT_EQ(engine.RandomBetween(c.lo, c.hi), c.expected) << c.lo << ".." << c.hi << " r " << c.r;
  }
}

// One level from a 3 x 3 start: the spread moves (1..2, 1..2) to the even points, and every new
// point is the mean of its corners plus the displacement. With range 255 and r = 127 the
// displacement is 0; the sums run past 255 before they are divided.
TEST(FractalEngineTest, OneLevelSpreadsThenAveragesCellsAndFarEdges) {
  const std::vector<std::vector<int>> means = {{0, 10, 20, 10, 0},
                                               {30, 30, 30, 35, 40},
                                               {60, 50, 40, 60, 80},
                                               {30, 55, 80, 110, 140},
                                               {0, 60, 120, 160, 200}};
  for (const int r : {127, 0}) {
    FractalEngine engine(Constant(r));
    engine.SetLevels(1);
    engine.SetMap(1, 1, 40);
    engine.SetMap(1, 2, 80);
    engine.SetMap(2, 1, 120);
    engine.SetMap(2, 2, 200);
    engine.SetMap(0, 2, 20);
    engine.SetMap(2, 0, 60);
    engine.CalcPyramid();
    // r = 0 gives the displacement -127 on every new point; the corners keep their values.
    std::vector<std::vector<int>> expected = means;
    for (int row = 0; row < 5; ++row) {
      for (int col = 0; col < 5; ++col) {
        const bool corner = row % 2 == 0 && col % 2 == 0;
        if (!corner) expected[row][col] = (means[row][col] + r - 127) & 0xFF;
      }
    }
    EXPECT_EQ(Corner5(engine), expected) << "r " << r;
    EXPECT_EQ(engine.Map(0, 5), 0);
    EXPECT_EQ(engine.Map(5, 0), 0);
  }
}

TEST(FractalEngineTest, SevenLevelsReachIndexTwoHundredAndFiftySixAndNoFurther) {
  unsigned seed = 1;
  int calls = 0;
  FractalEngine engine([&seed, &calls] {
    ++calls;
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  });
  engine.CalcPyramid();
  // Per level of edge s (4 .. 256): three values per cell and two per far-edge step.
  int expected_calls = 0;
  for (int s = 4; s <= 256; s *= 2) expected_calls += 3 * (s / 2) * (s / 2) + 2 * (s / 2);
  EXPECT_EQ(calls, expected_calls);
  int nonzero_edge = 0;
  for (int t = 0; t <= 256; ++t) nonzero_edge += engine.Map(256, t) != 0 || engine.Map(t, 256) != 0;
  EXPECT_GT(nonzero_edge, 200);
  for (int t = 0; t < kFractalMapSize; ++t) {
    for (int far = 257; far < kFractalMapSize; far += 97) {
      ASSERT_EQ(engine.Map(far, t), 0) << far << "," << t;
      ASSERT_EQ(engine.Map(t, far), 0) << t << "," << far;
    }
  }
}

TEST(FractalEngineTest, RangeZeroClipsEveryByteToZero) {
  FractalEngine engine(Constant(5000));
  for (int r = 0; r < kFractalMapSize; r += 3) engine.MapRow(r)[r] = 200;
  engine.SetRange(0);
  engine.CalcPyramid();
  for (int r = 0; r < kFractalMapSize; ++r) {
    for (const std::uint8_t v : engine.MapRow(r)) ASSERT_EQ(v, 0) << "row " << r;
  }
}

// Bytes far from the terrain show the sea arithmetic alone: raised by the sea level and clipped,
// then lowered by it mod 256 and clipped again by the next terrain.
TEST(FractalEngineTest, SeaLevelRaisesClipsAndTheNextTerrainLowersWithWrap) {
  struct Case {
    int before, after_sea, after_terrain;
  };
  const std::array<Case, 5> cases = {{{5, 35, 5},
                                      {0, 30, 0},
                                      {90, 100, 70},
                                      {200, 100, 70},
                                      // 250 + 30 wraps to 24, which falls below 0 to 250: clipped.
                                      {250, 24, 100}}};
  FractalEngine engine(Constant(100));
  engine.SetRange(100);
  for (std::size_t i = 0; i < cases.size(); ++i)
    engine.SetMap(600, static_cast<int>(i), cases[i].before);
  engine.SetSeaLevel(30);
  EXPECT_EQ(engine.Sea(), 30);
  for (std::size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(engine.Map(600, static_cast<int>(i)), cases[i].after_sea) << cases[i].before;
  engine.CalcPyramid();
  for (std::size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(engine.Map(600, static_cast<int>(i)), cases[i].after_terrain) << cases[i].before;
}

TEST(FractalEngineTest, SeaLevelStaysWithinZeroAndRangeAndIsAddedEachTime) {
  FractalEngine engine(Constant(0));
  engine.SetRange(100);
  engine.SetMap(700, 0, 156);
  engine.SetSeaLevel(150);
  EXPECT_EQ(engine.Sea(), 100);
  EXPECT_EQ(engine.Map(700, 0), 0);  // 156 + 100 wraps to 0
  engine.SetSeaLevel(5);
  EXPECT_EQ(engine.Sea(), 100);
  EXPECT_EQ(engine.Map(700, 0), 100);
  engine.SetSeaLevel(-500);
  EXPECT_EQ(engine.Sea(), 0);
  EXPECT_EQ(engine.Map(700, 0), 100);
}

struct NamedView {
  std::string name;
  ComplexParameters p;
};

std::vector<NamedView> ViewsToCheck() {
  std::vector<NamedView> views = {{"initial", ComplexParameters{}}};
  for (std::size_t i = 0; i < kPresetViews.size(); ++i)
    views.push_back({"preset " + std::to_string(i), kPresetViews[i].Over({})});
  for (std::size_t i = 0; i < kStartingSets.size(); ++i)
    views.push_back({"start " + std::to_string(i), kStartingSets[i].Over({})});
  // The knobs' limits: deepest zoom and narrowing, widest view, the far corners of Ox and the
  // constant, and Res at both ends.
  views.push_back({"res 1000", {100, 1000, 100, 100, 0, 300, 3}});
  views.push_back({"res 1000 centred", {250, 1000, -76, 9, 0, 120, 0}});
  views.push_back({"deepest", {1000, 1000, 300, 300, 1000, 1000, 1000}});
  views.push_back({"widest", {1, 1000, -300, -300, -1000, -1000, 0}});
  views.push_back({"far below", {1000, 500, 26, 1, 0, -1000, 0}});
  views.push_back({"res 1", {100, 1, 100, 100, 0, 300, 3}});
  return views;
}

TEST(FractalEngineTest, EveryKernelMatchesThePlainRuleForEveryViewAndLimit) {
  ComplexImageComputer computer;
  std::vector<std::uint8_t> image(kComplexBytes);
  for (const NamedView& view : ViewsToCheck()) {
    for (const ComplexKind kind : {ComplexKind::kMandelbrot, ComplexKind::kJulia}) {
      const std::vector<std::uint8_t> expected = testing::ReferenceComplexImage(kind, view.p);
      const std::string what = view.name + (kind == ComplexKind::kJulia ? " julia" : " mandelbrot");
      std::fill(image.begin(), image.end(), 0xAA);
      ComplexImagePlain(kind, view.p, ComplexImageBytes(image.data(), kComplexBytes));
      ASSERT_EQ(image, expected) << what << ", plain";
      for (const ComplexKernel kernel : SupportedComplexKernels()) {
        std::fill(image.begin(), image.end(), 0xAA);
        computer.SetKernel(kernel);
        computer.Compute(kind, view.p, ComplexImageBytes(image.data(), kComplexBytes));
        ASSERT_EQ(image, expected) << what << ", kernel " << static_cast<int>(kernel);
      }
    }
  }
}

// The first point of the initial Mandelbrot view, c = (-2.913, 3.0), starts at z = c: one step
// gives (-3.427, -14.478), |z|^2 = 221 and n = 1; the next escapes. 1 * 255 / 16 = 15. Res 1
// leaves every pixel black, escaping or not.
TEST(FractalEngineTest, ImagesHaveTheDocumentedPixels) {
  const std::vector<std::uint8_t> initial =
      testing::ReferenceComplexImage(ComplexKind::kMandelbrot, ComplexParameters{});
  EXPECT_EQ(initial[0], 15);
  ComplexParameters one;
  one.resolution = 1;
  FractalEngine engine(Constant(0));
  engine.CalcJulia(one);
  for (const std::uint8_t v : engine.ComplexImage()) ASSERT_EQ(v, 0);
}

TEST(FractalEngineTest, ComplexImagesAreCopiedOnlyIntoTheMapsCorner) {
  FractalEngine engine(Constant(0));
  for (int r = 0; r < kFractalMapSize; ++r)
    std::fill(engine.MapRow(r).begin(), engine.MapRow(r).end(), 77);
  const ComplexParameters view = kPresetViews[0].Over({});
  engine.CalcMandelbrot(view);
  const std::vector<std::uint8_t> expected =
      testing::ReferenceComplexImage(ComplexKind::kMandelbrot, view);
  for (int i = 0; i < kComplexSize; ++i) {
    for (int j = 0; j < kComplexSize; ++j)
      ASSERT_EQ(engine.Map(i, j), expected[std::size_t(i) * kComplexSize + j]) << i << "," << j;
    ASSERT_EQ(engine.Map(i, kComplexSize), 77);
    ASSERT_EQ(engine.Map(kComplexSize, i), 77);
  }
}

TEST(FractalEngineTest, CyclingCountersStartAtOneAndWrap) {
  CyclingCounter views(kPresetViews.size());
  std::vector<std::size_t> seen;
  for (int i = 0; i < 7; ++i) seen.push_back(views.Next());
  EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2, 3, 4, 5, 0, 1}));
  CyclingCounter sets(kStartingSets.size());
  EXPECT_EQ(sets.Next(), 1u);
  EXPECT_EQ(sets.Next(), 0u);
}

}  // namespace
}  // namespace morvane
