#include "ui/controls/bitmap_knob.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "control_test_support.h"
#include "ui/controls/control_pictures.h"

namespace morvane {
namespace {

using testing::ColourStrip;
using testing::FrameColour;
using testing::MoveWithButtons;
using testing::PixelAt;

constexpr QSize kFrame(10, 12);
constexpr QPoint kInside(5, 6);

// Nine frames over 0..8, so every value has a frame of its own.
void UseNineFrames(BitmapKnob& knob) {
  knob.SetBitmap(ColourStrip(9, kFrame));
  knob.SetGlyph(9);
  knob.SetMax(8);
}

struct BitmapKnobTest : ::testing::Test {
  BitmapKnobTest() : changes(&knob, &BitmapKnob::OnChange) { UseNineFrames(knob); }

  QColor Shown() { return PixelAt(knob, kInside); }

  BitmapKnob knob;
  QSignalSpy changes;
};

TEST(BitmapKnobDefaultsTest, StartsWithItsDefaults) {
  BitmapKnob knob;
  EXPECT_EQ(knob.State(), 0);
  EXPECT_EQ(knob.Min(), 0);
  EXPECT_EQ(knob.Max(), 1);
  EXPECT_EQ(knob.CursorRange(), 5);
  EXPECT_TRUE(knob.AlwayDetect());
  EXPECT_EQ(knob.Mouvement(), KnobOrientation::kVertical);
  EXPECT_EQ(knob.Glyph(), 1);
  EXPECT_TRUE(knob.AutoSize());
  EXPECT_EQ(knob.focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(knob.size(), QSize(30, 30));
  // A value restored before its range is limited by the default 0..1.
  knob.SetState(5);
  EXPECT_EQ(knob.State(), 1);
}

TEST_F(BitmapKnobTest, ShowsTheFrameOfTheValue) {
  EXPECT_EQ(knob.size(), kFrame);
  for (const int value : {0, 4, 8}) {
    knob.SetState(value);
    EXPECT_EQ(Shown(), FrameColour(value)) << value;
  }
  knob.SetMax(16);  // the same value now sits half way
  EXPECT_EQ(Shown(), FrameColour(4));
  EXPECT_EQ(changes.count(), 0);
}

TEST_F(BitmapKnobTest, GlyphOutsideOneTo256IsRefused) {
  for (const int refused : {0, -1, 257}) {
    knob.SetGlyph(refused);
    EXPECT_EQ(knob.Glyph(), 9) << refused;
  }
  knob.SetGlyph(256);
  EXPECT_EQ(knob.Glyph(), 256);
}

TEST_F(BitmapKnobTest, AutoSizeFitsOneFrame) {
  knob.SetAutoSize(false);
  knob.resize(40, 40);
  knob.SetGlyph(3);  // frames of 30 x 12 now, but the size stays
  EXPECT_EQ(knob.size(), QSize(40, 40));
  knob.SetAutoSize(true);
  EXPECT_EQ(knob.size(), QSize(30, 12));
}

TEST_F(BitmapKnobTest, KeysStepAndFireOnlyWhenTheUnlimitedValueDiffers) {
  struct Case {
    std::string name;
    int state;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int expected;
    int fired;
  };
  knob.SetMax(80);
  const std::vector<Case> cases = {
      {"page up", 10, Qt::Key_PageUp, Qt::NoModifier, 11, 1},
      {"shift page up", 10, Qt::Key_PageUp, Qt::ShiftModifier, 18, 1},
      {"page down", 10, Qt::Key_PageDown, Qt::NoModifier, 9, 1},
      {"shift page down", 10, Qt::Key_PageDown, Qt::ShiftModifier, 2, 1},
      {"page up at Max stays and fires", 80, Qt::Key_PageUp, Qt::NoModifier, 80, 1},
      {"home", 10, Qt::Key_Home, Qt::NoModifier, 80, 1},
      {"end", 10, Qt::Key_End, Qt::NoModifier, 0, 1},
      {"end at Min does nothing", 0, Qt::Key_End, Qt::NoModifier, 0, 0},
      {"another key does nothing", 10, Qt::Key_Up, Qt::NoModifier, 10, 0},
  };
  for (const Case& c : cases) {
    knob.SetState(c.state);
    changes.clear();
    QTest::keyClick(&knob, c.key, c.modifiers);
    EXPECT_EQ(knob.State(), c.expected) << c.name;
    EXPECT_EQ(changes.count(), c.fired) << c.name;
  }
  knob.SetMax(8);
  knob.SetState(4);
  QTest::keyClick(&knob, Qt::Key_PageUp);
  EXPECT_EQ(Shown(), FrameColour(5)) << "the new value is drawn";
}

TEST(BitmapKnobMouseTest, MouseTakesTheFocusAndTurnsTheFrame) {
  QWidget window;
  QLineEdit editor(&window);
  BitmapKnob knob(&window);
  UseNineFrames(knob);
  QSignalSpy changes(&knob, &BitmapKnob::OnChange);
  knob.move(0, 40);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  editor.setFocus();
  ASSERT_TRUE(editor.hasFocus());

  for (const Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {
    editor.setFocus();
    QTest::mousePress(&knob, button, Qt::NoModifier, kInside);
    EXPECT_TRUE(knob.hasFocus()) << button;
    QTest::mouseRelease(&knob, button, Qt::NoModifier, kInside);
  }
  EXPECT_EQ(knob.State(), 0);  // one step up, one down
  EXPECT_EQ(changes.count(), 2);

  // Five pixels of travel cover 0..8: two pixels up is 2 x 8 div 5 = 3.
  QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, kInside);
  MoveWithButtons(&knob, kInside - QPoint(0, 2), Qt::LeftButton);
  EXPECT_EQ(PixelAt(knob, kInside), FrameColour(3));
  QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, kInside - QPoint(0, 2));
  EXPECT_EQ(knob.State(), 3);
  EXPECT_EQ(changes.count(), 4);
}

TEST_F(BitmapKnobTest, EmptyRangeDrawsTheFirstFrameIgnoresTheMouseAndKeepsTheKeyRules) {
  knob.SetState(6);
  knob.SetMin(6);
  knob.SetMax(6);
  EXPECT_EQ(Shown(), FrameColour(0));
  QTest::mouseClick(&knob, Qt::RightButton, Qt::NoModifier, kInside);
  EXPECT_EQ(changes.count(), 0);
  QTest::keyClick(&knob, Qt::Key_Home);  // already at Max: nothing
  EXPECT_EQ(changes.count(), 0);
  QTest::keyClick(&knob, Qt::Key_PageDown);  // asks for 5: limited back to 6, but fired
  EXPECT_EQ(knob.State(), 6);
  EXPECT_EQ(changes.count(), 1);
  EXPECT_EQ(Shown(), FrameColour(0));
}

TEST(BitmapKnobPictureTest, WithoutAPictureKeepsItsSizeAndDrawsNothing) {
  QWidget window;
  window.setAutoFillBackground(true);
  window.setPalette(QPalette(Qt::magenta));
  BitmapKnob knob(&window);
  knob.SetMax(100);
  knob.SetState(50);
  knob.SetGlyph(4);
  EXPECT_EQ(knob.size(), QSize(30, 30));
  EXPECT_EQ(window.grab().toImage().pixelColor(15, 15), QColor(Qt::magenta));
}

TEST(BitmapKnobPictureTest, HighDensityStripSizesInDeviceIndependentPixels) {
  KnobStripLook look;
  look.frames = 16;
  look.size = 24;
  look.device_pixel_ratio = 2.0;
  BitmapKnob knob;
  knob.SetGlyph(16);
  knob.SetBitmap(DrawKnobStrip(look));
  EXPECT_EQ(knob.size(), QSize(24, 24));
}

}  // namespace
}  // namespace morvane
