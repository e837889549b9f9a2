#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/scales/scales_window.h"
#include "ui/waveform/scale_detection_label.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window_fixture.h"

namespace morvane {
namespace {

class ScaleDetectionTest : public testing::MainWindowFixture {
 protected:
  ScaleDetectionTest() : editor_(app_.waveform_editor()), scales_(app_.scales_window()) {
    message_ = editor_->findChild<ScaleDetectionLabel*>("lblMessage");
  }
  QAction* Option() { return editor_->MenuAction("mnuScaleDetection"); }
  // An edit of the working copy, as the editor's commands make one.
  void Edit(const std::function<int(int)>& sample) {
    WaveSpan copy = editor_->WorkingCopy();
    for (int i = 0; i < kWaveLength; ++i) copy[i] = static_cast<std::uint8_t>(sample(i));
    editor_->WaveformChanged();
  }
  QString ScalesText(const char* label) { return scales_->findChild<QLabel*>(label)->text(); }
  QRgb Background() { return message_->grab().toImage().pixel(1, 1); }
  QRgb CellPixel(int column, int row) {
    WaveGrid* grid = window_->Grid();
    return grid->grab(grid->CellRect(column, row)).toImage().pixel(2, 2);
  }

  WaveformEditorWindow* editor_;
  ScalesWindow* scales_;
  ScaleDetectionLabel* message_ = nullptr;
};

TEST_F(ScaleDetectionTest, EveryEditShowsTheVerdictOnItsColourForASecondAndAHalf) {
  ASSERT_NE(message_, nullptr);
  EXPECT_TRUE(message_->isHidden());
  EXPECT_EQ(message_->text(), "...");
  Edit([](int) { return 128; });
  EXPECT_TRUE(message_->isHidden()) << "shown while the option is off";
  Option()->trigger();
  ASSERT_TRUE(Option()->isChecked());
  struct Case {
    const char* name;
    std::function<int(int)> sample;
    const char* text;
    QRgb back;
  };
  const Case cases[] = {
      {"all 128", [](int) { return 128; }, " No Scale ", qRgb(128, 0, 0)},
      {"falling ramp", [](int i) { return 255 - i; }, " No Scale ", qRgb(128, 0, 0)},
      {"pairs by 4", [](int i) { return std::min(4 * (i / 2), 252); }, " Scale Detected ",
       qRgb(0, 128, 0)},
      {"three then two", [](int i) { return i < 3 ? 0 : std::min(4 * ((i - 3) / 2 + 1), 252); },
       " Unknow ", qRgb(128, 0, 128)},
  };
  for (const Case& c : cases) {
    Edit(c.sample);
    EXPECT_FALSE(message_->isHidden()) << c.name;
    EXPECT_EQ(message_->text(), c.text) << c.name;
    EXPECT_EQ(Background(), c.back) << c.name;
    EXPECT_TRUE(message_->HideTimer()->isActive()) << c.name;
    EXPECT_EQ(message_->HideTimer()->interval(), 1500);
    EXPECT_TRUE(ScalesText("Label4").isEmpty()) << c.name;
  }
  QTest::qWait(1600);
  EXPECT_TRUE(message_->isHidden());
}

TEST_F(ScaleDetectionTest, ADetectedScaleSetsTheKeysTheBaseAndTheNumberCaption) {
  Option()->trigger();
  ValueKnob* number = scales_->findChild<ValueKnob*>("kvpotlab5");
  const int number_value = number->State();
  Edit([](int i) { return std::min(4 * (i / 2), 252); });
  EXPECT_EQ(scales_->GetScaleNotes(), 1365);
  EXPECT_EQ(ScalesText("Label3"), "Base = C ");
  EXPECT_EQ(number->text(), "1365");
  EXPECT_EQ(number->State(), number_value);
  // A verdict without notes empties the label under the keys.
  Edit([](int) { return 128; });
  EXPECT_TRUE(ScalesText("Label3").isEmpty());
}

TEST_F(ScaleDetectionTest, UncheckingTakesEveryMarkerAwayAndRestsTheScalesList) {
  auto wave = Store().Wave(WaveIndex(1, 2));
  for (int i = 0; i < kWaveLength; ++i)
    wave[i] = static_cast<std::uint8_t>(std::min(4 * (i / 2), 252));
  const QRgb plain = CellPixel(5, 5);
  Option()->trigger();
  auto* list = window_->findChild<QComboBox*>("ComboBox8");
  EXPECT_TRUE(list->isEnabled());
  EXPECT_EQ(Store().Marker(WaveIndex(1, 2)), kMarkerScale);
  // Markers of the Find menu's other commands, and of another slot.
  Trigger("mnuFindEmpty");
  Store().SetCurrentSlot(3);
  Store().SetMarker(77, kMarkerMark);
  Store().SetCurrentSlot(0);
  window_->RefreshGrid();
  EXPECT_NE(CellPixel(2, 1), plain);
  EXPECT_NE(CellPixel(5, 5), plain);
  Option()->trigger();
  EXPECT_FALSE(list->isEnabled());
  for (const int slot : {0, 3}) {
    Store().SetCurrentSlot(slot);
    for (int k = 0; k < kWaveCount; ++k)
      ASSERT_EQ(Store().Marker(k), kMarkerNone) << slot << " " << k;
  }
  Store().SetCurrentSlot(0);
  EXPECT_EQ(CellPixel(2, 1), plain);
  EXPECT_EQ(CellPixel(5, 5), plain);
}

}  // namespace
}  // namespace morvane
