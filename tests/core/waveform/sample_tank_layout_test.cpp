#include "core/waveform/sample_tank_layout.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

// The waveform editor's view: 775 x 512 pixels, 256 samples (W = 774, H = 511, W2 = 773).
const SampleTankLayout kEditorView(775, 512, 256);

struct PointCase {
  int width, height, max, index, value, x, y;
};

class SamplePointTest : public ::testing::TestWithParam<PointCase> {};

TEST_P(SamplePointTest, PlacesSamplesOnThePixelsOfTheFormula) {
  const PointCase& t = GetParam();
  const SampleTankLayout layout(t.width, t.height, t.max);
  EXPECT_EQ(layout.SampleX(t.index), t.x);
  EXPECT_EQ(layout.ValueY(t.value), t.y);
}

INSTANTIATE_TEST_SUITE_P(
    Views, SamplePointTest,
    ::testing::Values(PointCase{775, 512, 256, 0, 128, 5, 256},    // first sample, zero line
                      PointCase{775, 512, 256, 255, 0, 770, 511},  // last sample, lowest value
                      PointCase{775, 512, 256, 100, 255, 305, 2},  // highest value stays inside
                      PointCase{521, 200, 128, 0, 0, 6, 199},      // small spectrum view
                      PointCase{521, 200, 128, 127, 255, 514, 1},
                      PointCase{100, 80, 256, 255, 128, 99, 40}));  // default size: W/Max is 0

TEST(SampleTankLayoutTest, LocatorIsGrabbedWithinFiveSamplesEitherSide) {
  // b = 256 * x / 773 must lie strictly between locator - 5 and locator + 5.
  EXPECT_TRUE(kEditorView.IsOnLocator(302, 100));   // b = 100
  EXPECT_TRUE(kEditorView.IsOnLocator(290, 100));   // b = 96
  EXPECT_FALSE(kEditorView.IsOnLocator(287, 100));  // b = 95
  EXPECT_TRUE(kEditorView.IsOnLocator(314, 100));   // b = 103
  EXPECT_TRUE(kEditorView.IsOnLocator(317, 100));   // b = 104.98 truncates to 104
  EXPECT_FALSE(kEditorView.IsOnLocator(320, 100));  // b = 105
  EXPECT_TRUE(kEditorView.IsOnLocator(0, 0));
}

TEST(SampleTankLayoutTest, IndexUnderTheMouseIsLimitedToTheSamples) {
  EXPECT_EQ(kEditorView.IndexAt(0), 0);      // (0 - 2) * 258 / 773 truncates to 0
  EXPECT_EQ(kEditorView.IndexAt(-50), 0);    // dragged off the left edge
  EXPECT_EQ(kEditorView.IndexAt(400), 132);  // 398 * 258 / 773 = 132.8
  EXPECT_EQ(kEditorView.IndexAt(772), 255);  // 257 before the limit
  EXPECT_EQ(kEditorView.IndexAt(2000), 255);
}

TEST(SampleTankLayoutTest, SelectionIndexIsNotLimited) {
  // Offset W2 / Max + 2 = 5 pixels.
  EXPECT_EQ(kEditorView.SelectionIndexAt(5), 0);
  EXPECT_EQ(kEditorView.SelectionIndexAt(0), -1);  // -1.67 truncates towards zero
  EXPECT_EQ(kEditorView.SelectionIndexAt(200), 65);
  EXPECT_EQ(kEditorView.SelectionIndexAt(900), 298);
}

struct DrawCase {
  int value, y, expected;
};

class DrawnValueTest : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawnValueTest, FollowsThePenAndStopsAtTheByteRange) {
  // 100 x 80 view: H = 79, H2 = 78.
  const SampleTankLayout layout(100, 80, 256);
  const DrawCase& t = GetParam();
  EXPECT_EQ(layout.DrawnValue(t.value, t.y), t.expected) << t.value << " at y " << t.y;
}

INSTANTIATE_TEST_SUITE_P(
    Pen, DrawnValueTest,
    ::testing::Values(DrawCase{128, 40, 128},  // the pen on the point changes nothing
                      DrawCase{128, 20, 193},  // 128 + 256 * 20 / 78
                      DrawCase{128, 60, 63},   // 128 - 65
                      // The top row overshoots: 0 + 256 * 79 / 78 = 259 would wrap to 3.
                      DrawCase{0, 0, 255},
                      // The bottom row undershoots: 255 - 256 would wrap to 255.
                      DrawCase{255, 79, 0}, DrawCase{128, -300, 255},  // dragged above the view
                      DrawCase{128, 500, 0}));                         // dragged below it

TEST(SampleTankLayoutTest, TinyViewsRefuseTheMouse) {
  EXPECT_FALSE(SampleTankLayout(2, 80, 256).AcceptsMouse());
  EXPECT_FALSE(SampleTankLayout(100, 2, 256).AcceptsMouse());
  EXPECT_TRUE(SampleTankLayout(3, 3, 256).AcceptsMouse());
}

}  // namespace
}  // namespace morvane
