#include "ui/controls/value_knob.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <string>
#include <vector>

#include "control_test_support.h"
#include "ui/controls/bitmap_knob.h"

namespace morvane {
namespace {

using testing::MoveWithButtons;
using testing::PixelAt;

struct ValueKnobTest : ::testing::Test {
  ValueKnobTest() : changes(&knob, &ValueKnob::OnChange) {}

  void Configure(int min, int max, int state) {
    knob.SetMin(min);
    knob.SetMax(max);
    knob.SetState(state);
  }

  ValueKnob knob;
  QSignalSpy changes;
};

TEST_F(ValueKnobTest, StartsWithItsDefaults) {
  EXPECT_EQ(knob.State(), 0);
  EXPECT_EQ(knob.Min(), 0);
  EXPECT_EQ(knob.Max(), 100);
  EXPECT_EQ(knob.CursorRange(), 15);
  EXPECT_TRUE(knob.AlwayDetect());
  EXPECT_EQ(knob.Mouvement(), KnobOrientation::kVertical);
  EXPECT_EQ(knob.text(), "0");
  EXPECT_EQ(knob.size(), QSize(30, 30));
}

TEST_F(ValueKnobTest, ProgramSetterLimitsShowsAndStaysSilent) {
  knob.SetMax(127);
  knob.SetState(500);
  EXPECT_EQ(knob.State(), 127);
  EXPECT_EQ(knob.text(), "127");
  knob.SetState(-3);
  EXPECT_EQ(knob.text(), "0");
  EXPECT_EQ(changes.count(), 0);
}

TEST_F(ValueKnobTest, ClicksStepShowAndFireOnce) {
  struct Case {
    std::string name;
    int max, state;
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    int expected;
  };
  const std::vector<Case> cases = {
      {"left click at Min stays", 100, 0, Qt::LeftButton, Qt::NoModifier, 0},
      {"left click lowers", 100, 40, Qt::LeftButton, Qt::NoModifier, 39},
      {"right click raises", 100, 40, Qt::RightButton, Qt::NoModifier, 41},
      {"shift right click adds 99", 999, 40, Qt::RightButton, Qt::ShiftModifier, 139},
      {"shift left click subtracts 99", 999, 140, Qt::LeftButton, Qt::ShiftModifier, 41},
  };
  for (const Case& c : cases) {
    Configure(0, c.max, c.state);
    changes.clear();
    QTest::mouseClick(&knob, c.button, c.modifiers, QPoint(10, 12));
    EXPECT_EQ(knob.State(), c.expected) << c.name;
    EXPECT_EQ(knob.text(), QString::number(c.expected)) << c.name;
    EXPECT_EQ(changes.count(), 1) << c.name;
  }
}

TEST_F(ValueKnobTest, DragFiresOnEveryMoveOnlyWithAlwayDetect) {
  for (const bool alway_detect : {true, false}) {
    Configure(0, 100, 0);
    knob.SetAlwayDetect(alway_detect);
    changes.clear();
    QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(15, 20));
    MoveWithButtons(&knob, QPoint(15, 17), Qt::LeftButton);  // 3 of 15 pixels: 20
    EXPECT_EQ(knob.text(), "20");
    MoveWithButtons(&knob, QPoint(15, 14), Qt::LeftButton);
    EXPECT_EQ(knob.text(), "40");
    EXPECT_EQ(changes.count(), alway_detect ? 2 : 0);
    QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(15, 11));
    EXPECT_EQ(knob.State(), 60);
    EXPECT_EQ(changes.count(), alway_detect ? 3 : 1);
  }
}

TEST_F(ValueKnobTest, DragsPastTheControlAndHorizontally) {
  Configure(0, 100, 50);
  QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(15, 15));
  MoveWithButtons(&knob, QPoint(15, -40), Qt::LeftButton);  // far above the control
  EXPECT_EQ(knob.State(), 100);
  QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(15, 200));
  EXPECT_EQ(knob.State(), 0);

  knob.SetMouvement(KnobOrientation::kHorizontal);
  QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
  MoveWithButtons(&knob, QPoint(17, 25), Qt::LeftButton);  // 3 pixels left, 20 down
  EXPECT_EQ(knob.State(), 20);
  QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(17, 25));
}

TEST_F(ValueKnobTest, ChordsJumpToTheEnds) {
  Configure(3, 90, 50);
  QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  QTest::mousePress(&knob, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
  QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_EQ(knob.text(), "3");
  QTest::mouseRelease(&knob, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));

  QTest::mousePress(&knob, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
  QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  QTest::mouseRelease(&knob, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_EQ(knob.text(), "90");
  QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_EQ(changes.count(), 4);
}

TEST_F(ValueKnobTest, EmptyRangeIgnoresTheMouse) {
  Configure(0, 100, 40);
  knob.SetMin(40);
  knob.SetMax(40);
  QTest::mouseClick(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  MoveWithButtons(&knob, QPoint(10, 0), Qt::LeftButton);
  QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, QPoint(10, 0));
  EXPECT_EQ(knob.text(), "40");
  EXPECT_EQ(changes.count(), 0);
}

TEST_F(ValueKnobTest, ColoursFillTheBackground) {
  knob.SetColors(Qt::yellow, Qt::black);
  EXPECT_EQ(PixelAt(knob, QPoint(28, 1)), QColor(Qt::black));
  EXPECT_EQ(knob.palette().color(QPalette::WindowText), QColor(Qt::yellow));

  // Inside a toolbar too, digits and background keep the knob's colours.
  QMainWindow window;
  auto* in_toolbar = new ValueKnob(window.addToolBar("Tools"));
  in_toolbar->SetColors(Qt::yellow, Qt::black);
  window.findChild<QToolBar*>()->addWidget(in_toolbar);
  window.show();
  in_toolbar->SetState(88);
  EXPECT_EQ(PixelAt(*in_toolbar, QPoint(1, 1)), QColor(Qt::black));
  EXPECT_GT(testing::YellowishPixels(*in_toolbar), 5) << "the digits are drawn in the text colour";
}

// A right click steps a knob; the parent's context menu must not open on top of that.
TEST(KnobContextMenuTest, RightClickOnAKnobOpensNoParentMenu) {
  QWidget parent;
  parent.setContextMenuPolicy(Qt::CustomContextMenu);
  QSignalSpy menus(&parent, &QWidget::customContextMenuRequested);
  ValueKnob value_knob(&parent);
  BitmapKnob bitmap_knob(&parent);
  for (QWidget* knob : {static_cast<QWidget*>(&value_knob), static_cast<QWidget*>(&bitmap_knob)}) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            knob->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(knob, &event);
  }
  EXPECT_EQ(menus.count(), 0);
  // The check above would pass for any widget that never forwards the menu: show one that does.
  QWidget plain(&parent);
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), plain.mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(&plain, &event);
  EXPECT_EQ(menus.count(), 1);
}

}  // namespace
}  // namespace morvane
