#include "ui/controls/control_pictures.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <numbers>

namespace morvane {
namespace {

QImage Frame(const QPixmap& strip, int index, int width) {
  return strip.toImage().copy(index * width, 0, width, strip.height());
}

// Distance of two colours, summed over the channels.
int Distance(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
         std::abs(a.blue() - b.blue());
}

TEST(ControlPicturesTest, KnobStripHasOneDistinctFramePerPosition) {
  KnobStripLook look;
  look.frames = 9;
  look.size = 40;
  const QPixmap strip = DrawKnobStrip(look);
  ASSERT_EQ(strip.size(), QSize(9 * 40, 40));
  for (int i = 0; i + 1 < look.frames; ++i) {
    EXPECT_NE(Frame(strip, i, 40), Frame(strip, i + 1, 40)) << i;
  }
  EXPECT_EQ(Frame(strip, 0, 40).pixelColor(0, 0).alpha(), 0) << "corners stay transparent";
}

TEST(ControlPicturesTest, PointerTurnsClockwiseFromLowerLeftToLowerRight) {
  KnobStripLook look;
  look.frames = 5;
  look.size = 60;
  const QPixmap strip = DrawKnobStrip(look);
  // Sample the pointer's middle at -135, 0 and +135 degrees from twelve o'clock.
  auto on_pointer = [&](int frame, double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    const QPointF centre(30, 30);
    const QPointF at = centre + QPointF(std::sin(radians), -std::cos(radians)) * 14.0;
    const QColor seen = Frame(strip, frame, 60).pixelColor(at.toPoint());
    return Distance(seen, look.pointer) < 60;
  };
  EXPECT_TRUE(on_pointer(0, -135));
  EXPECT_FALSE(on_pointer(0, 135));
  EXPECT_TRUE(on_pointer(2, 0));
  EXPECT_TRUE(on_pointer(4, 135));
  EXPECT_FALSE(on_pointer(4, -135));
}

TEST(ControlPicturesTest, LedLightsUpWhenOn) {
  SwitchPictureLook look;
  look.look = SwitchLook::kLed;
  look.size = QSize(20, 20);
  const QPixmap frames = DrawSwitchFrames(look);
  ASSERT_EQ(frames.size(), QSize(40, 20));
  const QColor off = Frame(frames, 0, 20).pixelColor(12, 12);
  const QColor on = Frame(frames, 1, 20).pixelColor(12, 12);
  EXPECT_LT(Distance(on, look.on_colour), Distance(off, look.on_colour));
  EXPECT_GT(on.value(), off.value());
}

TEST(ControlPicturesTest, ToggleThumbMovesRightOntoAColouredTrack) {
  SwitchPictureLook look;
  look.look = SwitchLook::kToggle;
  look.size = QSize(40, 20);
  const QPixmap frames = DrawSwitchFrames(look);
  // The thumb is the lightest spot on the middle row; only the on frame shows the colour.
  auto thumb_x = [](const QImage& frame) {
    int lightest = 0;
    for (int x = 1; x < frame.width(); ++x) {
      if (frame.pixelColor(x, 10).lightness() > frame.pixelColor(lightest, 10).lightness()) {
        lightest = x;
      }
    }
    return lightest;
  };
  auto shows_colour = [&](const QImage& frame) {
    for (int x = 0; x < frame.width(); ++x) {
      if (Distance(frame.pixelColor(x, 10), look.on_colour) < 30) return true;
    }
    return false;
  };
  const QImage off = Frame(frames, 0, 40);
  const QImage on = Frame(frames, 1, 40);
  EXPECT_LT(thumb_x(off), 20);
  EXPECT_GT(thumb_x(on), 20);
  EXPECT_FALSE(shows_colour(off));
  EXPECT_TRUE(shows_colour(on));
}

}  // namespace
}  // namespace morvane
