#include "ui/controls/graphic_switch.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "control_test_support.h"

namespace morvane {
namespace {

using testing::ColourStrip;
using testing::FrameColour;
using testing::PixelAt;

constexpr QSize kFrame(14, 9);
constexpr QPoint kInside(7, 4);

struct GraphicSwitchTest : ::testing::Test {
  GraphicSwitchTest() : clicks(&toggle, &GraphicSwitch::OnClick) {
    toggle.SetBitmap(ColourStrip(2, kFrame));
  }

  QColor Shown() { return PixelAt(toggle, kInside); }

  GraphicSwitch toggle;
  QSignalSpy clicks;
};

TEST(GraphicSwitchDefaultsTest, StartsOffAtThirtyPixels) {
  GraphicSwitch toggle;
  EXPECT_FALSE(toggle.Checked());
  EXPECT_TRUE(toggle.AutoSize());
  EXPECT_EQ(toggle.size(), QSize(30, 30));
}

TEST_F(GraphicSwitchTest, ClickTogglesFiresAndShowsTheFrame) {
  EXPECT_EQ(toggle.size(), kFrame);
  EXPECT_EQ(Shown(), FrameColour(0));
  bool seen_in_handler = false;
  QObject::connect(&toggle, &GraphicSwitch::OnClick, [&] { seen_in_handler = toggle.Checked(); });

  QTest::mouseClick(&toggle, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_TRUE(toggle.Checked());
  EXPECT_TRUE(seen_in_handler) << "the handler reads the new state";
  EXPECT_EQ(Shown(), FrameColour(1));

  QTest::mouseClick(&toggle, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_FALSE(toggle.Checked());
  EXPECT_EQ(Shown(), FrameColour(0));
  EXPECT_EQ(clicks.count(), 2);
}

TEST_F(GraphicSwitchTest, ProgramSetterRepaintsWithoutFiring) {
  toggle.SetChecked(true);
  EXPECT_EQ(Shown(), FrameColour(1));
  toggle.SetChecked(true);
  toggle.SetChecked(false);
  EXPECT_EQ(Shown(), FrameColour(0));
  EXPECT_EQ(clicks.count(), 0);
}

TEST_F(GraphicSwitchTest, OnlyALeftClickInsideCounts) {
  QTest::mouseClick(&toggle, Qt::RightButton, Qt::NoModifier, kInside);
  QTest::mousePress(&toggle, Qt::LeftButton, Qt::NoModifier, kInside);
  QTest::mouseRelease(&toggle, Qt::LeftButton, Qt::NoModifier, QPoint(60, 60));
  QTest::mouseRelease(&toggle, Qt::LeftButton, Qt::NoModifier, kInside);  // no press before it
  EXPECT_FALSE(toggle.Checked());
  EXPECT_EQ(clicks.count(), 0);
}

TEST_F(GraphicSwitchTest, AutoSizeFitsOneFrameWhenSwitchedOn) {
  toggle.SetAutoSize(false);
  toggle.resize(40, 40);
  toggle.SetBitmap(ColourStrip(2, QSize(20, 16)));
  EXPECT_EQ(toggle.size(), QSize(40, 40));
  toggle.SetAutoSize(true);
  EXPECT_EQ(toggle.size(), QSize(20, 16));
}

}  // namespace
}  // namespace morvane
