#include "core/controls/knob_model.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace morvane {
namespace {

KnobModel MakeKnob(int min, int max, int state, int cursor_range = 15) {
  KnobModel knob(0, 100, cursor_range);
  knob.SetMin(min);
  knob.SetMax(max);
  knob.SetState(state);
  return knob;
}

// A click without travel: press and release at one point. Returns whether OnChange fires.
bool Click(KnobModel& knob, KnobButton button, bool shift = false) {
  knob.Press(button, 10, 10);
  return knob.Release(button, 10, 10, shift);
}

TEST(KnobModelTest, ProgramSetterLimitsToTheRange) {
  struct Case {
    int min, max, start, value, expected;
    bool changed;
  };
  const std::vector<Case> cases = {
      {0, 127, 0, 500, 127, true},    // above Max gives Max
      {0, 127, 60, -5, 0, true},      // below Min gives Min
      {0, 127, 40, 40, 40, false},    // the same value does nothing
      {12, 128, 50, 60, 60, true},    // inside the range
      {0, 127, 127, 900, 127, false}  // limited to the value it already has
  };
  for (const Case& c : cases) {
    KnobModel knob = MakeKnob(c.min, c.max, c.start);
    EXPECT_EQ(knob.SetState(c.value), c.changed) << c.value;
    EXPECT_EQ(knob.State(), c.expected) << c.value;
  }
}

TEST(KnobModelTest, RangeSettersDoNotReLimitTheValue) {
  KnobModel knob = MakeKnob(0, 100, 80);
  knob.SetMax(50);
  EXPECT_EQ(knob.State(), 80);
  knob.SetMin(90);
  EXPECT_EQ(knob.State(), 80);
}

TEST(KnobModelTest, ClicksStepAndAlwaysFire) {
  struct Case {
    std::string name;
    int min, max, state;
    KnobButton button;
    bool shift;
    int expected;
  };
  const std::vector<Case> cases = {
      {"left lowers by one", 0, 100, 50, KnobButton::kLeft, false, 49},
      {"left at Min stays at Min", 0, 100, 0, KnobButton::kLeft, false, 0},
      {"shift left lowers by Max div 10", 0, 100, 50, KnobButton::kLeft, true, 40},
      {"shift left stops at Min", 0, 100, 3, KnobButton::kLeft, true, 0},
      {"right raises by one", 0, 100, 50, KnobButton::kRight, false, 51},
      {"right at Max stays at Max", 0, 100, 100, KnobButton::kRight, false, 100},
      {"shift right adds 99 on Max 999", 0, 999, 500, KnobButton::kRight, true, 599},
      {"shift right stops at Max", 0, 999, 950, KnobButton::kRight, true, 999},
      {"shift step truncates", 0, 127, 50, KnobButton::kRight, true, 62},
      {"shift step of a small Max is zero", 0, 8, 5, KnobButton::kRight, true, 5},
  };
  for (const Case& c : cases) {
    KnobModel knob = MakeKnob(c.min, c.max, c.state);
    EXPECT_TRUE(Click(knob, c.button, c.shift)) << c.name;
    EXPECT_EQ(knob.State(), c.expected) << c.name;
  }
}

TEST(KnobModelTest, RightClickBringsAValueBelowARaisedMinIntoTheRange) {
  KnobModel knob = MakeKnob(0, 100, 3);
  knob.SetMin(10);
  EXPECT_TRUE(Click(knob, KnobButton::kRight));
  EXPECT_EQ(knob.State(), 10);
}

TEST(KnobModelTest, ShiftIsReadAtTheRelease) {
  KnobModel knob = MakeKnob(0, 100, 50);
  knob.Press(KnobButton::kRight, 5, 5);
  knob.Release(KnobButton::kRight, 5, 5, /*shift=*/true);
  EXPECT_EQ(knob.State(), 60);
}

TEST(KnobModelTest, AnchorAndDragTruncate) {
  // 50 x 200 div 116 = 86; then (86 x 116) div 200 = 49.
  KnobModel knob = MakeKnob(12, 128, 50, 200);
  knob.Press(KnobButton::kLeft, 3, 40);
  EXPECT_EQ(knob.Anchor(), 40 + 86);
  EXPECT_TRUE(knob.Dragging());
  EXPECT_TRUE(knob.Move(3, 40, true));
  EXPECT_EQ(knob.State(), 49);
  EXPECT_TRUE(knob.Moved());
}

TEST(KnobModelTest, DragFollowsTheMouse) {
  struct Case {
    std::string name;
    int min, max, state, cursor_range;
    KnobOrientation orientation;
    int press_x, press_y, move_x, move_y, expected;
  };
  const auto kV = KnobOrientation::kVertical;
  const auto kH = KnobOrientation::kHorizontal;
  const std::vector<Case> cases = {
      {"up three of fifteen pixels", 0, 100, 0, 15, kV, 5, 20, 5, 17, 20},
      {"up past the travel stops at Max", 0, 100, 0, 15, kV, 5, 20, 5, 2, 100},
      {"down from Min stays at Min", 0, 100, 0, 15, kV, 5, 20, 5, 25, 0},
      {"down one pixel truncates toward zero", -100, 100, 0, 15, kV, 5, 20, 5, 21, -13},
      {"sideways is ignored when vertical", 0, 100, 40, 15, kV, 5, 20, 30, 20, 40},
      {"left raises when horizontal", 0, 100, 0, 15, kH, 20, 5, 17, 5, 20},
      {"right lowers when horizontal", 0, 100, 60, 15, kH, 20, 5, 23, 5, 40},
      {"vertical travel is ignored when horizontal", 0, 100, 40, 15, kH, 20, 5, 20, 30, 40},
      // anchor 20 + 50 x -15 div 100 = 13; (13 - 17) x 100 div -15 = 26
      {"negative travel turns the direction round", 0, 100, 50, -15, kV, 5, 20, 5, 17, 26},
  };
  for (const Case& c : cases) {
    KnobModel knob = MakeKnob(c.min, c.max, c.state, c.cursor_range);
    knob.SetMouvement(c.orientation);
    knob.Press(KnobButton::kLeft, c.press_x, c.press_y);
    knob.Move(c.move_x, c.move_y, true);
    EXPECT_EQ(knob.State(), c.expected) << c.name;
    // The release at the same point keeps what the drag showed.
    EXPECT_TRUE(knob.Release(KnobButton::kLeft, c.move_x, c.move_y, false)) << c.name;
    EXPECT_EQ(knob.State(), c.expected) << c.name;
  }
}

TEST(KnobModelTest, DragFiresOnEveryMoveOnlyWithAlwayDetect) {
  for (const bool alway_detect : {true, false}) {
    KnobModel knob = MakeKnob(0, 100, 0);
    knob.SetAlwayDetect(alway_detect);
    knob.Press(KnobButton::kLeft, 0, 20);
    EXPECT_EQ(knob.Move(0, 18, true), alway_detect);
    EXPECT_EQ(knob.Move(0, 18, true), alway_detect);  // unchanged value, still an event
    EXPECT_TRUE(knob.Release(KnobButton::kLeft, 0, 17, false));
    EXPECT_EQ(knob.State(), 20);
  }
}

TEST(KnobModelTest, MovesOutsideALeftDragAreIgnored) {
  KnobModel knob = MakeKnob(0, 100, 40);
  EXPECT_FALSE(knob.Move(0, 0, true));  // no press at all
  knob.Press(KnobButton::kRight, 0, 20);
  EXPECT_FALSE(knob.Move(0, 0, true));  // right press does not drag
  knob.Release(KnobButton::kRight, 0, 20, false);
  knob.Press(KnobButton::kLeft, 0, 20);
  EXPECT_FALSE(knob.Move(0, 0, false));  // left button no longer held
  EXPECT_EQ(knob.State(), 41);
  EXPECT_FALSE(knob.Moved());
}

TEST(KnobModelTest, ReleaseClearsTheDrag) {
  KnobModel knob = MakeKnob(0, 100, 10);
  knob.Press(KnobButton::kLeft, 0, 20);
  knob.Move(0, 10, true);
  knob.Release(KnobButton::kLeft, 0, 10, false);
  EXPECT_EQ(knob.Anchor(), 0);
  EXPECT_FALSE(knob.Dragging());
  EXPECT_FALSE(knob.Moved());
  // The next click is a plain step again, not a drag to the release point.
  const int dragged = knob.State();
  EXPECT_TRUE(Click(knob, KnobButton::kLeft));
  EXPECT_EQ(knob.State(), dragged - 1);
}

TEST(KnobModelTest, ChordsJumpToTheEnds) {
  // Right pressed while the left is held, then the left released: Min. The right's own
  // release afterwards is a plain right click.
  KnobModel low = MakeKnob(5, 100, 50);
  low.Press(KnobButton::kLeft, 0, 0);
  low.Press(KnobButton::kRight, 0, 0);
  EXPECT_TRUE(low.Release(KnobButton::kLeft, 0, 0, false));
  EXPECT_EQ(low.State(), 5);
  EXPECT_TRUE(low.Release(KnobButton::kRight, 0, 0, false));
  EXPECT_EQ(low.State(), 6);

  // Left pressed while the right is held, then the right released: Max.
  KnobModel high = MakeKnob(5, 100, 50);
  high.Press(KnobButton::kRight, 0, 0);
  high.Press(KnobButton::kLeft, 0, 0);
  EXPECT_TRUE(high.Release(KnobButton::kRight, 0, 0, false));
  EXPECT_EQ(high.State(), 100);
  EXPECT_EQ(high.LastPress(), KnobButton::kLeft);
  EXPECT_FALSE(high.Dragging());
}

TEST(KnobModelTest, KeysStepAndFireOnlyWhenTheUnlimitedValueDiffers) {
  struct Case {
    std::string name;
    int state;
    KnobKey key;
    bool shift;
    int expected;
    bool fires;
  };
  const std::vector<Case> cases = {
      {"page up adds one", 50, KnobKey::kPageUp, false, 51, true},
      {"page down subtracts one", 50, KnobKey::kPageDown, false, 49, true},
      {"shift page up adds Max div 10", 50, KnobKey::kPageUp, true, 60, true},
      {"shift page down subtracts Max div 10", 50, KnobKey::kPageDown, true, 40, true},
      {"page up at Max stays but fires", 100, KnobKey::kPageUp, false, 100, true},
      {"page down at Min stays but fires", 0, KnobKey::kPageDown, false, 0, true},
      {"end sets Min", 50, KnobKey::kEnd, false, 0, true},
      {"end at Min does nothing", 0, KnobKey::kEnd, false, 0, false},
      {"home sets Max", 50, KnobKey::kHome, false, 100, true},
      {"home at Max does nothing", 100, KnobKey::kHome, false, 100, false},
  };
  for (const Case& c : cases) {
    KnobModel knob = MakeKnob(0, 100, c.state);
    EXPECT_EQ(knob.Key(c.key, c.shift), c.fires) << c.name;
    EXPECT_EQ(knob.State(), c.expected) << c.name;
  }
  KnobModel small = MakeKnob(0, 8, 5);
  EXPECT_FALSE(small.Key(KnobKey::kPageUp, true)) << "a zero shift step changes nothing";
}

TEST(KnobModelTest, FrameFollowsTheValue) {
  struct Case {
    int min, max, state, glyph, expected;
  };
  const std::vector<Case> cases = {
      {0, 8, 8, 9, 8},        // last frame at Max
      {0, 8, 4, 9, 4},        // middle
      {0, 8, 0, 9, 0},        // first frame at Min
      {0, 127, 127, 32, 31},  // 32 is limited to the last frame
      {0, 127, 64, 32, 16},   // 64 x 32 div 127
      {12, 128, 12, 10, 0},   // measured from Min
      {0, 100, 70, 1, 0},     // a one-frame strip
  };
  for (const Case& c : cases) {
    KnobModel knob = MakeKnob(c.min, c.max, c.state);
    EXPECT_EQ(knob.Frame(c.glyph), c.expected) << c.state << " of " << c.min << ".." << c.max;
  }
  // A value left below a raised Min counts its distance: |(0 - 10) x 9 div 10| = 9, limited.
  KnobModel below = MakeKnob(0, 100, 0);
  below.SetMin(10);
  below.SetMax(20);
  EXPECT_EQ(below.Frame(9), 8);
}

TEST(KnobModelTest, EmptyRangeIgnoresTheMouseButNotTheKeys) {
  KnobModel knob = MakeKnob(0, 100, 20);
  knob.SetMin(30);
  knob.SetMax(30);
  EXPECT_FALSE(Click(knob, KnobButton::kLeft));
  EXPECT_FALSE(Click(knob, KnobButton::kRight, true));
  knob.Press(KnobButton::kLeft, 0, 20);
  EXPECT_FALSE(knob.Dragging());
  EXPECT_FALSE(knob.Move(0, 0, true));
  EXPECT_EQ(knob.State(), 20);
  EXPECT_EQ(knob.Frame(9), 0);
  // Page Up asks for 21, which differs: limited to the one value and fired.
  EXPECT_TRUE(knob.Key(KnobKey::kPageUp, false));
  EXPECT_EQ(knob.State(), 30);
  EXPECT_FALSE(knob.Key(KnobKey::kHome, false)) << "already there";
  // The program setter still works and limits as usual.
  knob.SetMax(40);
  knob.SetMin(40);
  EXPECT_TRUE(knob.SetState(90));
  EXPECT_EQ(knob.State(), 40);
}

TEST(KnobModelTest, AnyButtonsReleaseEndsADrag) {
  KnobModel knob = MakeKnob(0, 100, 30);
  knob.Press(KnobButton::kLeft, 0, 20);
  ASSERT_TRUE(knob.Move(0, 10, true));
  EXPECT_FALSE(knob.Release(KnobButton::kNone, 0, 10, false))
      << "the middle button changes nothing";
  EXPECT_FALSE(knob.Dragging());
  EXPECT_FALSE(knob.Moved());
  EXPECT_FALSE(knob.Move(0, 0, true)) << "no drag goes on after it";
}

TEST(KnobModelTest, RangeEmptiedDuringADragEndsItQuietly) {
  KnobModel knob = MakeKnob(0, 100, 30);
  knob.Press(KnobButton::kLeft, 0, 20);
  knob.SetMax(0);
  EXPECT_FALSE(knob.Move(0, 0, true));
  EXPECT_FALSE(knob.Release(KnobButton::kLeft, 0, 0, false));
  EXPECT_FALSE(knob.Dragging());
  EXPECT_EQ(knob.State(), 30);
}

TEST(KnobModelTest, ZeroTravelKeepsTheValueWhileDragging) {
  KnobModel knob = MakeKnob(0, 100, 30, 0);
  knob.Press(KnobButton::kLeft, 0, 20);
  EXPECT_TRUE(knob.Move(0, 5, true));
  EXPECT_EQ(knob.State(), 30);
  EXPECT_TRUE(knob.Release(KnobButton::kLeft, 0, 5, false));
  EXPECT_EQ(knob.State(), 30);
}

TEST(KnobModelTest, ExtremeRangeSaturatesInsteadOfOverflowing) {
  // The anchor lands near 1.5 x 2^31 beyond the press; a drag across the whole int range then
  // multiplies more than 2^32 pixels of travel by a range of 2^32 - 1.
  KnobModel up = MakeKnob(INT_MIN, INT_MAX, INT_MAX, INT_MAX);
  up.Press(KnobButton::kLeft, 0, INT_MAX);
  up.Move(0, INT_MIN, true);
  EXPECT_EQ(up.State(), INT_MAX);

  KnobModel down = MakeKnob(INT_MIN, INT_MAX, INT_MIN, INT_MAX);
  down.Press(KnobButton::kLeft, 0, INT_MIN);
  down.Move(0, INT_MAX, true);
  EXPECT_EQ(down.State(), INT_MIN);
}

}  // namespace
}  // namespace morvane
