#include "core/waveform/gradient_bands.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvane {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kOrange{200, 100, 0};

std::vector<GradientBand> Bands(GradientTypex type, int extent, int count, Rgb background,
                                Rgb gradient) {
  return GradientBands(type, extent, count, background, gradient);
}

TEST(GradientBandsTest, OneWayLayoutRunsThroughTheMidpoint) {
  // A = GradientColor (200, 100, 0) at the left, B = Color (black) at the right; M = (100, 50, 0).
  const std::vector<GradientBand> expected = {
      {0, 25, {200, 100, 0}},
      {25, 50, {150, 75, 0}},
      {50, 75, {100, 50, 0}},
      {75, 100, {50, 25, 0}},
  };
  EXPECT_EQ(Bands(GradientTypex::grxLeftToRight, 100, 4, kBlack, kOrange), expected);
}

TEST(GradientBandsTest, ReversedLayoutsSwapTheColours) {
  const std::vector<GradientBand> expected = {
      {0, 25, {0, 0, 0}},
      {25, 50, {50, 25, 0}},
      {50, 75, {100, 50, 0}},
      {75, 100, {150, 75, 0}},
  };
  EXPECT_EQ(Bands(GradientTypex::grxRightToLeft, 100, 4, kBlack, kOrange), expected);
  EXPECT_EQ(Bands(GradientTypex::grxBottomToTop, 100, 4, kBlack, kOrange), expected);
}

TEST(GradientBandsTest, SymmetricLayoutGoesOutAndBack) {
  // Border to centre: GradientColor at both edges, Color in the middle.
  const std::vector<GradientBand> expected = {
      {0, 2, {200, 100, 0}},
      {2, 4, {100, 50, 0}},
      {4, 6, {0, 0, 0}},
      {6, 8, {100, 50, 0}},
  };
  EXPECT_EQ(Bands(GradientTypex::grxHorizBorderToCenter, 8, 4, kBlack, kOrange), expected);
  EXPECT_EQ(Bands(GradientTypex::grxVertBorderToCenter, 8, 4, kBlack, kOrange), expected);
  // Centre to border: Color at the edges.
  EXPECT_EQ(Bands(GradientTypex::grxVertCenterToBorder, 8, 4, kOrange, kBlack), expected);
}

TEST(GradientBandsTest, BoundariesAndColoursRoundHalvesAwayFromZero) {
  // Extent 7: halves of 3 and 4 pixels. A = 255 red, B = 0: M = 255 + (-255) / 2 = 128.
  const std::vector<GradientBand> bands =
      Bands(GradientTypex::grxTopToBottom, 7, 4, kBlack, Rgb{255, 0, 0});
  ASSERT_EQ(bands.size(), 4u);
  EXPECT_EQ(bands[0].end, 2);  // MulDiv(1, 3, 2) = 1.5 -> 2
  EXPECT_EQ(bands[1].begin, 2);
  EXPECT_EQ(bands[2].begin, 3);
  EXPECT_EQ(bands[2].end, 5);
  EXPECT_EQ(bands[1].color.r, 191);  // 255 + MulDiv(1, -127, 2) = 255 - 64
  EXPECT_EQ(bands[2].color.r, 128);
  EXPECT_EQ(bands[3].color.r, 64);  // 128 + MulDiv(1, -128, 2)
}

TEST(GradientBandsTest, OddBandCountGivesTheExtraBandToTheSecondHalf) {
  const std::vector<GradientBand> bands =
      Bands(GradientTypex::grxLeftToRight, 90, 3, kBlack, kOrange);
  ASSERT_EQ(bands.size(), 3u);
  EXPECT_EQ(bands[0].end, 45);  // one band for the first half
  EXPECT_EQ(bands[1].begin, 45);
  EXPECT_EQ(bands[1].end, 68);  // 45 + MulDiv(1, 45, 2): 22.5 -> 23
}

TEST(GradientBandsTest, CountZeroMeansOneBandPerPixelWithinTwoTo256) {
  struct Case {
    int extent;
    std::size_t bands;
  };
  for (const Case c : {Case{10, 10}, Case{1, 2}, Case{1000, 256}, Case{256, 256}}) {
    EXPECT_EQ(Bands(GradientTypex::grxLeftToRight, c.extent, 0, kBlack, kOrange).size(), c.bands)
        << c.extent;
  }
}

TEST(GradientBandsTest, EveryLayoutCoversTheExtentWithoutGapsOrOverlaps) {
  for (int type = 0; type < kGradientTypexCount; ++type) {
    for (const int extent : {1, 2, 7, 80, 511, 775}) {
      for (const int count : {0, 2, 3, 64, 256}) {
        const std::vector<GradientBand> bands =
            Bands(static_cast<GradientTypex>(type), extent, count, kBlack, kOrange);
        ASSERT_FALSE(bands.empty());
        int next = 0;
        for (const GradientBand& band : bands) {
          ASSERT_EQ(band.begin, next) << type << " " << extent << " " << count;
          ASSERT_GE(band.end, band.begin);
          next = band.end;
        }
        EXPECT_EQ(next, extent) << type << " " << extent << " " << count;
      }
    }
  }
}

TEST(GradientBandsTest, RefusesBandCountsOutsideTheAcceptedValues) {
  for (const int count : {1, -1, 257, 300}) {
    EXPECT_FALSE(IsValidGradientBandCount(count)) << count;
    EXPECT_TRUE(Bands(GradientTypex::grxLeftToRight, 100, count, kBlack, kOrange).empty());
  }
  for (const int count : {0, 2, 256}) EXPECT_TRUE(IsValidGradientBandCount(count)) << count;
  EXPECT_TRUE(Bands(GradientTypex::grxLeftToRight, 0, 4, kBlack, kOrange).empty());
}

TEST(GradientBandsTest, StackedLayoutsAreTheVerticalOnes) {
  const std::vector<bool> stacked = {false, false, true, true, false, false, true, true};
  for (int type = 0; type < kGradientTypexCount; ++type) {
    EXPECT_EQ(GradientIsStacked(static_cast<GradientTypex>(type)), stacked[type]) << type;
  }
}

}  // namespace
}  // namespace morvane
