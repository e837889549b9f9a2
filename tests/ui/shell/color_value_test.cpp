#include "ui/shell/color_value.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

namespace morvane {
namespace {

TEST(ColorValueTest, ReadsTheLowByteAsRed) {
  EXPECT_EQ(ColorFromValue(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(ColorFromValue(0x808000), QColor(0, 128, 128));
  EXPECT_EQ(ColorFromValue(0x123456), QColor(0x56, 0x34, 0x12));
}

TEST(ColorValueTest, SystemCodesTakeThePaletteColours) {
  QPalette palette = QApplication::palette();
  const QPalette saved = palette;
  palette.setColor(QPalette::Button, QColor(1, 2, 3));
  palette.setColor(QPalette::Base, QColor(4, 5, 6));
  palette.setColor(QPalette::Text, QColor(7, 8, 9));
  palette.setColor(QPalette::Highlight, QColor(10, 11, 12));
  QApplication::setPalette(palette);
  EXPECT_EQ(ColorFromValue(0x8000000F), QColor(1, 2, 3));     // button face
  EXPECT_EQ(ColorFromValue(0x80000005), QColor(4, 5, 6));     // window
  EXPECT_EQ(ColorFromValue(0x80000008), QColor(7, 8, 9));     // window text
  EXPECT_EQ(ColorFromValue(0x8000000D), QColor(10, 11, 12));  // highlight
  EXPECT_TRUE(ColorFromValue(0x800000FF).isValid());          // unknown index: still a colour
  QApplication::setPalette(saved);
}

}  // namespace
}  // namespace morvane
