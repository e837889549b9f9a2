#include "core/waveform/sample_tank_mouse.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvane {
namespace {

// The waveform editor's view: 775 x 512, W2 = 773, H2 = 510.
class SampleTankMouseTest : public ::testing::Test {
 protected:
  SampleTankLayout Layout() const { return SampleTankLayout(775, 512, model_.Max()); }
  TankMouseOutcome Press(TankButton button, int x) {
    return mouse_.Press(button, x, model_, Layout());
  }
  TankMouseOutcome MoveLeft(int x) { return mouse_.Move(true, false, x, 0, model_, Layout()); }
  TankMouseOutcome MoveRight(int x, int y) {
    return mouse_.Move(false, true, x, y, model_, Layout());
  }
  TankMouseOutcome Release(TankButton button, int x, int y = 0) {
    return mouse_.Release(button, x, y, model_, Layout());
  }

  SampleTankModel model_;
  SampleTankMouse mouse_;
};

TEST_F(SampleTankMouseTest, PressNearTheLocatorDragsIt) {
  Press(TankButton::kLeft, 5);  // b = 1, locator at 0
  EXPECT_EQ(mouse_.DragMode(), SampleTankMouse::kDragLocator);
  const TankMouseOutcome moved = MoveLeft(400);
  EXPECT_EQ(model_.LocatorPos(), 132);
  EXPECT_TRUE(moved.locator_changed);
  EXPECT_TRUE(moved.repaint);
  EXPECT_FALSE(moved.selection_changed || moved.changed);
  const TankMouseOutcome released = Release(TankButton::kLeft, 500);
  EXPECT_EQ(model_.LocatorPos(), 166);
  EXPECT_TRUE(released.locator_changed);
  EXPECT_FALSE(mouse_.ButtonDown());
  EXPECT_EQ(model_.SelectionLen(), 0);
}

TEST_F(SampleTankMouseTest, LocatorDragStaysOnTheSamples) {
  Press(TankButton::kLeft, 5);
  MoveLeft(-40);
  EXPECT_EQ(model_.LocatorPos(), 0);
  MoveLeft(5000);
  EXPECT_EQ(model_.LocatorPos(), 255);
}

TEST_F(SampleTankMouseTest, PressAwayFromTheLocatorStartsASelection) {
  const TankMouseOutcome pressed = Press(TankButton::kLeft, 200);  // b = 66
  EXPECT_EQ(mouse_.DragMode(), SampleTankMouse::kDragSelection);
  EXPECT_EQ(model_.SelectionPos(), 65);
  EXPECT_FALSE(pressed.selection_changed);  // the event comes with the drag
  EXPECT_TRUE(MoveLeft(300).selection_changed);
  EXPECT_EQ(model_.SelectionLen(), 33);  // 98 - 65
  MoveLeft(100);                         // left of the start
  EXPECT_EQ(model_.SelectionLen(), 0);
  EXPECT_TRUE(Release(TankButton::kLeft, 900).selection_changed);
  EXPECT_EQ(model_.SelectionLen(), 233);  // 298 - 65: not limited below Max
  EXPECT_EQ(model_.LocatorPos(), 0);
}

TEST_F(SampleTankMouseTest, SelectionStartBeforeTheFirstSampleIsZero) {
  model_.SetLocatorPos(200);
  Press(TankButton::kLeft, 0);  // (0 - 5) * 258 / 773 truncates to 0; -1 at x = -20
  EXPECT_EQ(model_.SelectionPos(), 0);
  model_.SetSelectionPos(40);
  Press(TankButton::kLeft, -20);
  EXPECT_EQ(model_.SelectionPos(), 0);
}

TEST_F(SampleTankMouseTest, SelectionLongerThanMaxBecomesMaxMinusOne) {
  model_.SetMax(8);  // offset 773 / 8 + 2 = 98 pixels, index = (x - 98) * 10 / 773
  model_.SetLocatorPos(7);
  Press(TankButton::kLeft, 50);
  ASSERT_EQ(mouse_.DragMode(), SampleTankMouse::kDragSelection);
  EXPECT_EQ(model_.SelectionPos(), 0);
  MoveLeft(772);  // index 8 = Max: kept
  EXPECT_EQ(model_.SelectionLen(), 8);
  MoveLeft(850);  // index 9 > Max
  EXPECT_EQ(model_.SelectionLen(), 7);
}

TEST_F(SampleTankMouseTest, RightDragDrawsTheSampleUnderThePen) {
  model_.Fill(128);
  EXPECT_FALSE(Press(TankButton::kRight, 400).repaint);
  const TankMouseOutcome drawn = MoveRight(400, 100);
  // Index 132; 128 at y 256: 128 + 256 * 156 / 510.
  EXPECT_EQ(model_.GetValue(132), 206);
  EXPECT_TRUE(drawn.repaint);
  EXPECT_TRUE(drawn.changed);
  EXPECT_FALSE(drawn.locator_changed || drawn.selection_changed);
  EXPECT_EQ(model_.GetValue(131), 128);
  EXPECT_EQ(model_.GetValue(133), 128);
}

TEST_F(SampleTankMouseTest, WithoutAlwayDetectOnlyTheReleaseReportsTheChange) {
  mouse_.SetAlwayDetect(false);
  model_.Fill(128);
  Press(TankButton::kRight, 400);
  const TankMouseOutcome drawn = MoveRight(400, 100);
  EXPECT_TRUE(drawn.repaint);
  EXPECT_FALSE(drawn.changed);
  const TankMouseOutcome released = Release(TankButton::kRight, 410, 50);
  EXPECT_TRUE(released.changed);
  EXPECT_EQ(model_.GetValue(136), 231);  // the release draws one more step
}

TEST_F(SampleTankMouseTest, DrawingStopsRightOfTheDrawingArea) {
  model_.Fill(128);
  Press(TankButton::kRight, 700);
  EXPECT_FALSE(MoveRight(774, 10).repaint);  // x > W2
  const TankMouseOutcome released = Release(TankButton::kRight, 774, 10);
  EXPECT_FALSE(released.changed);
  EXPECT_EQ(model_.GetValue(255), 128);
}

TEST(SpectrumHarmTest, ChoosesTheIndicesDrawingMayChange) {
  struct Case {
    int harm, index;
    bool allowed;
  };
  const std::vector<Case> cases = {{1, 3, true},  {1, 4, false}, {2, 4, true},  {2, 3, false},
                                   {3, 3, true},  {3, 0, true},  {0, 3, false}, {0, 4, false},
                                   {4, 4, false}, {-1, 1, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(SpectrumHarmAllows(c.harm, c.index), c.allowed) << c.harm << " " << c.index;
  }
}

TEST_F(SampleTankMouseTest, DrawingSkipsIndicesSpectrumHarmExcludes) {
  model_.Fill(128);
  mouse_.SetSpectrumHarm(kHarmOdd);
  Press(TankButton::kRight, 400);
  for (int x = 380; x <= 420; ++x) MoveRight(x, 100);
  int odd_drawn = 0;
  for (int i = 0; i < 256; ++i) {
    if (i % 2 == 0) {
      ASSERT_EQ(model_.GetValue(i), 128) << i;
    } else if (model_.GetValue(i) != 128) {
      ++odd_drawn;
    }
  }
  EXPECT_GE(odd_drawn, 5);
}

TEST_F(SampleTankMouseTest, DrawingWithNoHarmonicsAllowedStillReportsTheRelease) {
  model_.Fill(128);
  mouse_.SetSpectrumHarm(0);
  Press(TankButton::kRight, 400);
  const TankMouseOutcome moved = MoveRight(400, 100);
  EXPECT_FALSE(moved.changed || moved.repaint);
  EXPECT_TRUE(Release(TankButton::kRight, 400, 100).changed);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(model_.GetValue(i), 128) << i;
}

TEST_F(SampleTankMouseTest, MovesAndReleasesWithoutAPressDoNothing) {
  model_.Fill(128);
  const TankMouseOutcome moved = mouse_.Move(true, true, 400, 100, model_, Layout());
  EXPECT_FALSE(moved.repaint || moved.changed || moved.locator_changed);
  const TankMouseOutcome released = Release(TankButton::kRight, 400, 100);
  EXPECT_FALSE(released.changed);
  EXPECT_EQ(model_.GetValue(132), 128);
  Press(TankButton::kOther, 400);
  EXPECT_FALSE(mouse_.ButtonDown());
}

TEST_F(SampleTankMouseTest, AnyReleaseEndsTheDrag) {
  Press(TankButton::kLeft, 5);
  Release(TankButton::kOther, 5);
  EXPECT_FALSE(MoveLeft(400).locator_changed);
  EXPECT_EQ(model_.LocatorPos(), 0);
}

}  // namespace
}  // namespace morvane
