#include "ui/controls/toggle_panel.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "ui/controls/control_test_support.h"

namespace morvane {
namespace {

TEST(TogglePanelTest, AClickFlipsItAndShowsTheStateByItsColours) {
  TogglePanel panel("C");
  panel.resize(24, 20);
  QSignalSpy clicked(&panel, &TogglePanel::Clicked);
  EXPECT_FALSE(panel.On());
  EXPECT_EQ(testing::PixelAt(panel, QPoint(1, 1)), QColor(0, 0, 0));
  EXPECT_EQ(panel.TextColor(), QColor(0, 128, 0));

  QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_TRUE(panel.On());
  EXPECT_EQ(clicked.count(), 1);
  EXPECT_EQ(testing::PixelAt(panel, QPoint(1, 1)), QColor(0, 128, 0));
  EXPECT_EQ(panel.TextColor(), QColor(0, 255, 0));

  QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(3, 3));  // only the left button flips
  EXPECT_TRUE(panel.On());
  EXPECT_EQ(clicked.count(), 1);
}

TEST(TogglePanelTest, SettingTheStateFromTheProgramFiresNothing) {
  const TogglePanel::Look red{0x0000FF, 0x00FFFF, 0x004000, 0x808080};
  TogglePanel panel("REC", nullptr, red);
  QSignalSpy clicked(&panel, &TogglePanel::Clicked);
  EXPECT_EQ(panel.BackColor(), QColor(0, 64, 0));
  panel.SetOn(true);
  EXPECT_TRUE(panel.On());
  EXPECT_EQ(panel.BackColor(), QColor(255, 0, 0));
  EXPECT_EQ(panel.TextColor(), QColor(255, 255, 0));
  EXPECT_EQ(clicked.count(), 0);
}

}  // namespace
}  // namespace morvane
