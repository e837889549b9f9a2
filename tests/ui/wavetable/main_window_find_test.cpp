#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <algorithm>

#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/shell/app_context.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/choice_box.h"
#include "ui/wavetable/compare_dialog.h"
#include "ui/wavetable/main_window.h"
#include "ui/wavetable/main_window_fixture.h"

namespace morvane {
namespace {

using MainWindowFindTest = testing::MainWindowFixture;

TEST_F(MainWindowFindTest, ReverseOnOneCellReversesTheWholeSlotAndNewCancelKeepsIt) {
  for (int k = 0; k < kWaveCount; ++k) Store().Wave(k)[0] = 7;
  window_->Grid()->SetSelection(QRect(10, 4, 1, 1));
  Trigger("mnuReverse");
  EXPECT_EQ(Store().Wave(0)[255], 7);
  EXPECT_EQ(Store().Wave(2047)[255], 7);
  PressWhenShown(app_.choice_box(), "btnCancel");
  Trigger("mnuNew");
  EXPECT_EQ(app_.choice_box()->windowTitle(), "Delete ");
  EXPECT_EQ(Store().Wave(2047)[255], 7);
  PressWhenShown(app_.choice_box(), "btnWaveTable");
  Trigger("mnuNew");
  EXPECT_EQ(Store().Wave(2047)[255], 128);
  EXPECT_EQ(app_.waveform_editor()->WorkingCopy()[0], 0);
}

TEST_F(MainWindowFindTest, DoubleMarksTheLaterCopies) {
  for (const int k : {5, 9, 700}) std::fill(Store().Wave(k).begin(), Store().Wave(k).end(), 40);
  Trigger("mnuFindDouble");
  EXPECT_EQ(Store().Marker(5), kMarkerNone);
  EXPECT_EQ(Store().Marker(9), kMarkerMark);
  EXPECT_EQ(Store().Marker(700), kMarkerMark);
  Trigger("mnuMarkFirstDouble");
  Trigger("mnuFindDouble");
  EXPECT_EQ(Store().Marker(5), kMarkerMark);
  Trigger("mnuClearMarkers");
  EXPECT_EQ(Store().Marker(700), kMarkerNone);
}

TEST_F(MainWindowFindTest, ScalesFillTheListAndAChoiceMovesTheEditor) {
  auto wave = Store().Wave(1000);
  for (int i = 0; i < kWaveLength; ++i) wave[i] = static_cast<std::uint8_t>(i);
  std::fill(Store().Wave(70).begin(), Store().Wave(70).end(), 60);
  int shown_mask = -5;
  window_->SetScaleSeams([] { return 1; }, [] { return std::vector<std::string>{" 4094- all"}; },
                         [&shown_mask](int mask, int) { shown_mask = mask; });
  Trigger("mnuFindScales");
  auto* list = window_->findChild<QComboBox*>("ComboBox8");
  ASSERT_EQ(list->count(), 2);
  EXPECT_TRUE(list->isEnabled());
  EXPECT_EQ(list->itemText(0), " 0070- Unknow ");
  EXPECT_EQ(list->itemText(1), " 1000- 4094- all");
  EXPECT_EQ(Text("Label3"), "OK = 1");
  EXPECT_EQ(Text("Label4"), "NR = 1");
  EXPECT_EQ(Store().Marker(1000), kMarkerScale);
  EXPECT_EQ(Store().Marker(70), kMarkerIrregularScale);
  emit list->activated(1);
  EXPECT_EQ(app_.waveform_editor()->BankSelector()->State(), 15);
  EXPECT_EQ(app_.waveform_editor()->WaveSelector()->State(), 40);
  EXPECT_EQ(window_->Grid()->Selection(), QRect(40, 15, 1, 1));
  EXPECT_EQ(shown_mask, 4094);
}

TEST_F(MainWindowFindTest, CompareMarksDifferencesAndTheTabFollows) {
  std::fill(Store().Wave(3).begin(), Store().Wave(3).end(), 1);
  CompareDialog* dialog = app_.compare_dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), "Compare");
  QTimer::singleShot(0, dialog, [dialog] {
    dialog->KnobB()->SetState(4);
    dialog->findChild<QPushButton*>("Button1")->click();
  });
  Trigger("mnuCompare");
  EXPECT_EQ(Store().CurrentSlot(), 0);
  EXPECT_EQ(window_->findChild<QTabBar*>("TabControl1")->currentIndex(), 0);
  EXPECT_EQ(Store().Marker(3), kMarkerMark);
  EXPECT_EQ(Store().Marker(4), kMarkerNone);
  Store().SetCurrentSlot(3);
  EXPECT_EQ(Store().Marker(3), kMarkerMark);
}

}  // namespace
}  // namespace morvane
