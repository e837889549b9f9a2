#include "ui/controls/sample_tank.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <array>
#include <cstdint>

#include "ui/shell/color_value.h"

namespace morvane {
namespace {

using Wave = std::array<std::uint8_t, 256>;

Wave Filled(std::uint8_t value) {
  Wave wave;
  wave.fill(value);
  return wave;
}

// The waveform editor's view: 775 x 512, so sample i sits at x = 3i + 5 (W = 774, Max + 2 = 258)
// and value v at y = 511 - v * 511 / 256.
class SampleTankTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window_);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* other = new QLineEdit(&window_);
    other->setObjectName("other");
    layout->addWidget(other);
    auto* tank = new SampleTank(&window_);
    tank->setObjectName("kvSampleTank1");
    tank->setFixedSize(775, 512);
    layout->addWidget(tank);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    tank_ = window_.findChild<SampleTank*>("kvSampleTank1");
    ASSERT_NE(tank_, nullptr);
  }

  // Only the waveform line, on black.
  void ShowLineOnly() {
    tank_->SetAxesEnabled(false);
    tank_->SetAxes2Enabled(false);
    tank_->SetMarkerSize(0);
    tank_->SetLocatorEnabled(false);
    tank_->SetMinimaxEnabled(false);
  }

  QImage Shot() const { return tank_->grab().toImage(); }
  static QColor Pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
  static int CountInRow(const QImage& image, int y, int from, int to, const QColor& color) {
    int count = 0;
    for (int x = from; x <= to; ++x) count += image.pixelColor(x, y) == color ? 1 : 0;
    return count;
  }
  static int CountInColumn(const QImage& image, int x, int from, int to, const QColor& color) {
    int count = 0;
    for (int y = from; y <= to; ++y) count += image.pixelColor(x, y) == color ? 1 : 0;
    return count;
  }

  void Press(Qt::MouseButton button, QPoint at) { QTest::mousePress(tank_, button, {}, at); }
  void Move(QPoint at) { QTest::mouseMove(tank_, at); }
  void Release(Qt::MouseButton button, QPoint at) { QTest::mouseRelease(tank_, button, {}, at); }

  QWidget window_;
  SampleTank* tank_ = nullptr;
};

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

TEST(SampleTankDefaultsTest, StartWithThePublishedValues) {
  SampleTank tank;
  EXPECT_EQ(tank.size(), QSize(100, 80));
  EXPECT_EQ(tank.Max(), 256);
  EXPECT_EQ(tank.LineColor(), 0x808000u);
  EXPECT_EQ(tank.AxesColor(), 0x000080u);
  EXPECT_EQ(tank.Axes2Color(), 0x800080u);
  EXPECT_EQ(tank.LocatorColor(), 0x800080u);
  EXPECT_EQ(tank.LocatorSize(), 3);
  EXPECT_EQ(tank.SelectionColor(), 0xFF0000u);
  EXPECT_EQ(tank.SelectionStyle(), 0);
  EXPECT_EQ(tank.GradientColor(), 0x800000u);
  EXPECT_FALSE(tank.GradientEnabled());
  EXPECT_EQ(tank.GradientNbOfColors(), 64);
  EXPECT_EQ(tank.GradientType(), GradientTypex::grxVertCenterToBorder);
  EXPECT_EQ(tank.MarkerSize(), 1);
  EXPECT_EQ(tank.MarkerColor(), 0xFFFF00u);
  EXPECT_EQ(tank.MinimaxColor(), 0x800080u);
  EXPECT_EQ(tank.Color(), 0x000000u);
  EXPECT_EQ(tank.SpectrumHarm(), 3);
  EXPECT_TRUE(tank.AlwayDetect() && tank.LocatorEnabled() && tank.AxesEnabled() &&
              tank.Axes2Enabled() && tank.MinimaxEnabled() && tank.TabStop());
  EXPECT_FALSE(tank.SpectrumMode() || tank.SpectrumCenter());
  EXPECT_EQ(tank.Data()[255], 0);
}

TEST(SampleTankDefaultsTest, SettersRefuseValuesOutsideTheirRange) {
  SampleTank tank;
  tank.SetGradientNbOfColors(1);
  EXPECT_EQ(tank.GradientNbOfColors(), 64);
  tank.SetGradientNbOfColors(300);
  EXPECT_EQ(tank.GradientNbOfColors(), 64);
  tank.SetGradientNbOfColors(0);
  EXPECT_EQ(tank.GradientNbOfColors(), 0);
  tank.SetMax(1000);
  EXPECT_EQ(tank.Max(), 256);
  tank.SetMax(0);
  EXPECT_EQ(tank.Max(), 1);
}

TEST_F(SampleTankTest, DraggingTheLocatorMovesItAndReportsOnlyThat) {
  QSignalSpy locator(tank_, &SampleTank::OnLocatorChange);
  QSignalSpy selection(tank_, &SampleTank::OnSelectorChange);
  QSignalSpy change(tank_, &SampleTank::OnChange);
  Press(Qt::LeftButton, {5, 200});  // on the locator at sample 0
  Move({400, 200});
  EXPECT_EQ(tank_->LocatorPos(), 132);  // (400 - 2) * 258 / 773
  Release(Qt::LeftButton, {403, 200});
  EXPECT_EQ(tank_->LocatorPos(), 133);
  EXPECT_EQ(locator.count(), 2);
  ASSERT_FALSE(locator.isEmpty());
  EXPECT_EQ(locator.first().at(0).value<SampleTank*>(), tank_);
  EXPECT_EQ(selection.count(), 0);
  EXPECT_EQ(change.count(), 0);
  EXPECT_EQ(tank_->SelectionLen(), 0);

  // The locator line now stands at x = 3 * 133 + 5.
  ShowLineOnly();
  tank_->SetLocatorEnabled(true);
  const QImage image = Shot();
  EXPECT_EQ(Pixel(image, 404, 100), ColorFromValue(tank_->LocatorColor()));
  EXPECT_EQ(Pixel(image, 5, 100), kBlack);
}

TEST_F(SampleTankTest, DraggingElsewhereSelectsAndTintsTheSelection) {
  QSignalSpy locator(tank_, &SampleTank::OnLocatorChange);
  QSignalSpy selection(tank_, &SampleTank::OnSelectorChange);
  Press(Qt::LeftButton, {200, 300});
  Move({300, 300});
  Release(Qt::LeftButton, {300, 300});
  EXPECT_EQ(tank_->SelectionPos(), 65);  // (200 - 5) * 258 / 773
  EXPECT_EQ(tank_->SelectionLen(), 33);  // (300 - 5) * 258 / 773 - 65
  EXPECT_EQ(selection.count(), 2);
  EXPECT_EQ(locator.count(), 0);

  // Samples 65..97 cover x = 200..298; the default style inverts them.
  ShowLineOnly();
  const QImage image = Shot();
  EXPECT_EQ(Pixel(image, 200, 100), kWhite);
  EXPECT_EQ(Pixel(image, 298, 510), kWhite);  // down to the last row but one (H = 511)
  EXPECT_EQ(Pixel(image, 250, 0), kWhite);
  EXPECT_EQ(Pixel(image, 199, 100), kBlack);
  EXPECT_EQ(Pixel(image, 299, 100), kBlack);
}

TEST_F(SampleTankTest, RightButtonDrawsValuesAndReportsEachStep) {
  QSignalSpy change(tank_, &SampleTank::OnChange);
  tank_->SetData(Filled(128));
  Press(Qt::RightButton, {400, 256});
  EXPECT_EQ(change.count(), 0);
  Move({400, 100});
  // Index (400 - 2) * 258 / 773 = 132, which held 128 (y 256): 128 + 256 * 156 / 510.
  EXPECT_EQ(tank_->GetValue(132), 206);
  EXPECT_EQ(change.count(), 1);
  Release(Qt::RightButton, {400, 100});
  EXPECT_EQ(change.count(), 2);
  EXPECT_EQ(tank_->GetValue(132), 206);
  EXPECT_EQ(tank_->GetValue(131), 128);

  // The marker square round the new point (x 401, y 100) shows it.
  const QImage image = Shot();
  EXPECT_EQ(tank_->SamplePoint(132), QPoint(401, 100));
  EXPECT_EQ(Pixel(image, 400, 99), ColorFromValue(tank_->MarkerColor()));
  EXPECT_EQ(Pixel(image, 402, 101), ColorFromValue(tank_->MarkerColor()));
}

TEST_F(SampleTankTest, WithoutAlwayDetectOnlyTheReleaseReports) {
  QSignalSpy change(tank_, &SampleTank::OnChange);
  tank_->SetAlwayDetect(false);
  tank_->SetData(Filled(128));
  Press(Qt::RightButton, {400, 256});
  Move({400, 100});
  Move({403, 90});  // index 133
  EXPECT_EQ(change.count(), 0);
  EXPECT_EQ(tank_->GetValue(132), 206);
  Release(Qt::RightButton, {403, 90});
  EXPECT_EQ(change.count(), 1);
}

TEST_F(SampleTankTest, SpectrumHarmLimitsDrawingToOddIndices) {
  tank_->SetSpectrumHarm(1);
  tank_->SetData(Filled(128));
  Press(Qt::RightButton, {380, 100});
  for (int x = 380; x <= 420; ++x) Move({x, 100});
  Release(Qt::RightButton, {420, 100});
  int odd_drawn = 0;
  for (int i = 0; i < 256; ++i) {
    if (i % 2 == 0) {
      ASSERT_EQ(tank_->GetValue(i), 128) << i;
    } else {
      odd_drawn += tank_->GetValue(i) != 128 ? 1 : 0;
    }
  }
  EXPECT_GE(odd_drawn, 6);
}

TEST_F(SampleTankTest, CallsFromTheOwnerFireNoEvents) {
  QSignalSpy locator(tank_, &SampleTank::OnLocatorChange);
  QSignalSpy selection(tank_, &SampleTank::OnSelectorChange);
  QSignalSpy change(tank_, &SampleTank::OnChange);
  const Wave source = Filled(90);
  tank_->SetData(source);
  tank_->SetValue(3, 200);
  tank_->SetLocatorPos(40);
  tank_->SetSelectionPos(10);
  tank_->SetSelectionLen(20);
  tank_->CutSelection();
  tank_->PasteAtLocator();
  tank_->RotateLeft(3);
  tank_->Reverse();
  tank_->ApplyLevel(source, 64);
  tank_->ApplyBitAverage(source, 4);
  tank_->Center(source);
  tank_->Normalise(source);
  tank_->Fill(7, true);
  tank_->SetMax(128);
  QApplication::processEvents();
  EXPECT_EQ(locator.count() + selection.count() + change.count(), 0);
}

TEST_F(SampleTankTest, PressTakesTheKeyboardFocus) {
  window_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  auto* other = window_.findChild<QLineEdit*>("other");
  other->setFocus();
  ASSERT_TRUE(other->hasFocus());
  Press(Qt::RightButton, {100, 100});
  Release(Qt::RightButton, {100, 100});
  EXPECT_TRUE(tank_->hasFocus());
}

TEST_F(SampleTankTest, CutFillsWithTheBarBaseline) {
  tank_->SetData(Filled(90));
  tank_->SetSelectionPos(0);
  tank_->SetSelectionLen(2);
  tank_->CutSelection();
  EXPECT_EQ(tank_->GetValue(0), 0);
  tank_->SetSpectrumCenter(true);
  tank_->SetSelectionPos(4);
  tank_->CutSelection();
  EXPECT_EQ(tank_->GetValue(4), 128);
  EXPECT_EQ(tank_->GetValue(6), 90);
  EXPECT_EQ(tank_->ClipLength(), 2);
}

TEST_F(SampleTankTest, LineIsDottedThroughThePoints) {
  ShowLineOnly();
  tank_->SetData(Filled(128));  // y = 256 from x = 5 to x = 770
  const QImage image = Shot();
  const QColor line = ColorFromValue(0x808000);
  EXPECT_EQ(line, QColor(0, 128, 128));
  EXPECT_EQ(Pixel(image, 5, 256), line);
  EXPECT_EQ(Pixel(image, 4, 256), kBlack);
  EXPECT_EQ(Pixel(image, 771, 256), kBlack);
  const int lit = CountInRow(image, 256, 5, 770, line);
  EXPECT_GT(lit, 766 / 4);
  EXPECT_LT(lit, 766 * 3 / 4);
  EXPECT_EQ(CountInRow(image, 255, 0, 774, line), 0);
}

TEST_F(SampleTankTest, SpectrumModeDrawsBarsToTheBottomOrTheMiddle) {
  ShowLineOnly();
  tank_->SetSpectrumMode(true);
  tank_->SetData(Filled(0));
  tank_->SetValue(10, 200);  // x 35, y 511 - 399 = 112
  const QColor line = ColorFromValue(tank_->LineColor());
  QImage image = Shot();
  EXPECT_GT(CountInColumn(image, 35, 112, 511, line), 100);
  EXPECT_EQ(CountInColumn(image, 35, 0, 111, line), 0);
  EXPECT_EQ(CountInColumn(image, 38, 0, 510, line), 0);  // sample 11 is a dot at the bottom

  tank_->SetSpectrumCenter(true);  // bars end at y = 255
  image = Shot();
  EXPECT_GT(CountInColumn(image, 35, 112, 255, line), 40);
  EXPECT_EQ(CountInColumn(image, 35, 256, 511, line), 0);
  EXPECT_GT(CountInColumn(image, 38, 255, 511, line), 100);  // value 0 hangs down from the middle
}

TEST_F(SampleTankTest, AxesLocatorAndMinimaxLinesStandWhereTheySay) {
  ShowLineOnly();
  tank_->SetAxesEnabled(true);
  tank_->SetAxes2Enabled(true);
  tank_->SetLocatorEnabled(true);
  tank_->SetLocatorColor(0xFFFFFF);  // apart from the quarter lines' default colour
  tank_->SetLocatorPos(100);         // x 305
  tank_->SetMinimaxEnabled(true);
  tank_->SetMinimaxColor(0x0000FF);
  tank_->SetLineColor(0x00FF00);
  Wave wave = Filled(128);
  wave[0] = 0;      // minimum: y 511
  wave[255] = 255;  // maximum: y 2
  tank_->SetData(wave);
  QImage image = Shot();
  const QColor axes = ColorFromValue(tank_->AxesColor());
  const QColor quarter = ColorFromValue(tank_->Axes2Color());
  EXPECT_GT(CountInColumn(image, 387, 0, 511, axes), 100);  // W / 2, dotted
  EXPECT_GT(CountInRow(image, 127, 0, 774, quarter), 100);  // H / 4
  EXPECT_GT(CountInRow(image, 383, 0, 774, quarter), 100);  // 3H / 4
  EXPECT_EQ(CountInRow(image, 255, 0, 774, quarter), 0);    // the cross holds the middle
  const QColor locator = ColorFromValue(tank_->LocatorColor());
  EXPECT_EQ(Pixel(image, 305, 3), locator);
  EXPECT_EQ(Pixel(image, 305, 508), locator);
  EXPECT_NE(Pixel(image, 305, 2), locator);
  EXPECT_NE(Pixel(image, 305, 509), locator);
  EXPECT_EQ(Pixel(image, 0, 511), QColor(255, 0, 0));
  EXPECT_EQ(Pixel(image, 774, 2), QColor(255, 0, 0));

  tank_->SetAxesEnabled(false);  // the quarter lines take the middle
  image = Shot();
  EXPECT_GT(CountInRow(image, 255, 0, 774, quarter), 100);
}

TEST_F(SampleTankTest, ExclusiveOrStyleCombinesWithTheBackground) {
  ShowLineOnly();
  tank_->SetColor(0x0000FF);  // red
  tank_->SetSelectionStyle(1);
  tank_->SetSelectionColor(0xFF0000);  // blue
  tank_->SetSelectionPos(10);
  tank_->SetSelectionLen(20);  // x 35..94
  const QImage image = Shot();
  EXPECT_EQ(Pixel(image, 50, 100), QColor(255, 0, 255));
  EXPECT_EQ(Pixel(image, 94, 100), QColor(255, 0, 255));
  EXPECT_EQ(Pixel(image, 95, 100), QColor(255, 0, 0));
  EXPECT_EQ(Pixel(image, 34, 100), QColor(255, 0, 0));
}

TEST_F(SampleTankTest, GradientBandsFollowTheirProperties) {
  ShowLineOnly();
  tank_->SetLineColor(0x000000);
  tank_->SetGradientType(GradientTypex::grxLeftToRight);
  tank_->SetGradientColor(0x0000C8);  // red 200 at the left, black at the right
  tank_->SetGradientNbOfColors(4);
  tank_->SetGradientEnabled(true);
  auto red_at = [](const QImage& image, int x) { return image.pixelColor(x, 100).red(); };
  // Halves of 387 and 388 pixels, two bands each: 200, 150 | 100, 50.
  QImage image = Shot();
  EXPECT_EQ(red_at(image, 0), 200);
  EXPECT_EQ(red_at(image, 193), 200);
  EXPECT_EQ(red_at(image, 194), 150);
  EXPECT_EQ(red_at(image, 386), 150);
  EXPECT_EQ(red_at(image, 387), 100);
  EXPECT_EQ(red_at(image, 580), 100);
  EXPECT_EQ(red_at(image, 581), 50);
  EXPECT_EQ(red_at(image, 774), 50);

  tank_->SetGradientNbOfColors(2);  // the cached bands are redrawn
  image = Shot();
  EXPECT_EQ(red_at(image, 300), 200);
  EXPECT_EQ(red_at(image, 500), 100);

  tank_->SetColor(0x00C800);  // the other end is green now: middle (100, 100, 0)
  image = Shot();
  EXPECT_EQ(Pixel(image, 500, 100), QColor(100, 100, 0));

  tank_->setFixedSize(400, 512);  // a new size gets bands of its own
  image = Shot();
  EXPECT_EQ(Pixel(image, 150, 100), QColor(200, 0, 0));
  EXPECT_EQ(Pixel(image, 300, 100), QColor(100, 100, 0));

  tank_->SetGradientType(GradientTypex::grxTopToBottom);  // stacked rows
  image = Shot();
  EXPECT_EQ(Pixel(image, 300, 100), QColor(200, 0, 0));
  EXPECT_EQ(Pixel(image, 300, 400), QColor(100, 100, 0));

  tank_->SetGradientEnabled(false);
  image = Shot();
  EXPECT_EQ(Pixel(image, 300, 400), QColor(0, 200, 0));
}

TEST_F(SampleTankTest, RawFilesRoundTripTheShownSamples) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString name = folder.filePath("wave é.bin");
  Wave wave;
  for (int i = 0; i < 256; ++i) wave[i] = static_cast<std::uint8_t>(255 - i);
  tank_->SetData(wave);
  tank_->SetMax(128);
  ASSERT_TRUE(tank_->SaveToFile(name));
  EXPECT_EQ(QFileInfo(name).size(), 128);
  tank_->SetData(Filled(1));
  ASSERT_TRUE(tank_->LoadFromFile(name, true));
  EXPECT_EQ(tank_->GetValue(127), 128);
  EXPECT_EQ(tank_->GetValue(128), 1);
  EXPECT_FALSE(tank_->LoadFromFile(folder.filePath("missing.bin"), true));
  EXPECT_FALSE(tank_->SaveToFile(folder.path()));
}

}  // namespace
}  // namespace morvane
