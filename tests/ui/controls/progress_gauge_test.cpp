#include "ui/controls/progress_gauge.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QImage>
#include <QTest>

namespace morvane {
namespace {

// Counts the paint events a widget receives, synchronous ones included.
class PaintCounter : public QObject {
 public:
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

TEST(ProgressGaugeTest, PositionsAreClampedToTheRange) {
  ProgressGauge gauge;
  gauge.SetMaxValue(64);
  gauge.SetProgress(80);
  EXPECT_EQ(gauge.Progress(), 64);
  EXPECT_EQ(gauge.PercentDone(), 100);
  gauge.SetProgress(-3);
  EXPECT_EQ(gauge.Progress(), 0);
  gauge.SetProgress(21);
  EXPECT_EQ(gauge.PercentDone(), 32);  // 2100 / 64, truncated
  gauge.SetMaxValue(10);
  EXPECT_EQ(gauge.Progress(), 10);
  gauge.SetMaxValue(0);
  EXPECT_EQ(gauge.MaxValue(), 1);
}

TEST(ProgressGaugeTest, RepaintsAtOnceOnlyWhenTheWholePercentChanges) {
  ProgressGauge gauge;
  gauge.resize(200, 20);
  gauge.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&gauge));
  PaintCounter counter;
  gauge.installEventFilter(&counter);
  gauge.SetMaxValue(2048);

  // No event loop runs here, as during a transfer: the paints must happen inside the calls.
  gauge.SetProgress(10);  // 0 % still
  EXPECT_EQ(counter.count, 0);
  gauge.SetProgress(21);  // 1 %
  EXPECT_EQ(counter.count, 1);
  gauge.SetProgress(40);  // still 1 %
  EXPECT_EQ(counter.count, 1);
  gauge.SetProgress(1024);  // 50 %
  EXPECT_EQ(counter.count, 2);
}

TEST(ProgressGaugeTest, FillsThePartDoneInDarkBlueAndTheRestInTeal) {
  ProgressGauge gauge;
  gauge.resize(200, 20);
  gauge.SetMaxValue(4);
  gauge.SetProgress(1);
  const QImage image = gauge.grab().toImage();
  EXPECT_EQ(image.pixelColor(10, 2), QColor(0, 0, 128));
  EXPECT_EQ(image.pixelColor(190, 2), QColor(0, 128, 128));
  EXPECT_EQ(image.pixelColor(45, 2), QColor(0, 0, 128));
  EXPECT_EQ(image.pixelColor(55, 2), QColor(0, 128, 128));
}

}  // namespace
}  // namespace morvane
