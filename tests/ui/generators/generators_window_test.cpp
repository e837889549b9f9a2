#include "ui/generators/generators_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "ui/controls/graphic_switch.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/wave_grid.h"
#include "ui/spectral/spectral_test_app.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

class GeneratorsWindowTest : public SpectralTestApp {
 protected:
  GeneratorsWindowTest() : window_(app_.generators()), editor_(app_.waveform_editor()) {}
  template <typename T>
  T* Find(const char* name) {
    T* widget = window_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  GeneratorsWindow* window_;
  WaveformEditorWindow* editor_;
};

TEST_F(GeneratorsWindowTest, LevelKnobComputesTheSineIntoTheWorkingCopy) {
  TurnKnob(Find<ValueKnob>("kvpotlab6"), 100);
  TurnKnob(Find<ValueKnob>("kvpotlab6"), 99);
  EXPECT_EQ(editor_->WorkingCopy()[0], 128);
  EXPECT_EQ(editor_->WorkingCopy()[64], 227);
  // Nothing is stored.
  EXPECT_EQ(app_.wavetable().Wave(0)[64], 128);
}

TEST_F(GeneratorsWindowTest, TableAddsTheStoredWaveform) {
  app_.wavetable().Wave(0)[0] = 255;
  Find<ValueKnob>("kvpotlab40")->SetState(1);
  Find<ValueKnob>("kvpotlab9")->SetState(72);  // Offset: a DC of 200
  testing::TurnKnob(Find<ValueKnob>("kvpotlab6"), 0);
  Find<QToolButton>("btnCompute")->click();
  EXPECT_EQ(editor_->WorkingCopy()[0], (128 + 72 + 255 - 128) % 256);
}

TEST_F(GeneratorsWindowTest, FftMagnitudeFillsTheSpectrumViewAndResynthesises) {
  Find<QRadioButton>("rbFftMag")->setChecked(true);
  Find<ValueKnob>("kvpotlab11")->SetState(0);
  Find<QToolButton>("btnCompute")->click();
  SampleTank* amplitude = app_.spectrum_editor()->AmplitudeView();
  EXPECT_EQ(amplitude->GetValue(0), 128);
  EXPECT_EQ(amplitude->GetValue(32), 228);
  const auto copy = editor_->WorkingCopy();
  EXPECT_FALSE(std::all_of(copy.begin(), copy.end(), [](std::uint8_t v) { return v == 128; }));
}

TEST_F(GeneratorsWindowTest, ParametricWriteStoresOneSteppedWaveformPerCell) {
  app_.main_window()->Grid()->SetSelection(QRect(QPoint(2, 3), QPoint(5, 4)));
  Find<ValueKnob>("kvpotlab1")->SetState(999);
  Find<QToolButton>("btnWrite")->click();
  const int levels[] = {100, 212, 324, 436, 548, 660, 772, 884};
  for (int k = 0; k < 8; ++k) {
    const auto wave = app_.wavetable().Wave(WaveIndex(3 + k / 4, 2 + k % 4));
    EXPECT_EQ(wave[64], std::min(255, 128 + levels[k])) << k;
    EXPECT_EQ(wave[0], 128) << k;
  }
  EXPECT_EQ(app_.wavetable().Wave(WaveIndex(3, 6))[64], 128);
}

TEST_F(GeneratorsWindowTest, MorphLevelBlendsTowardsTheTarget) {
  app_.wavetable().Wave(WaveIndex(1, 2)).front() = 228;
  Find<ValueKnob>("kvpotlab30")->SetState(1);
  Find<ValueKnob>("kvpotlab31")->SetState(2);
  TurnKnob(Find<ValueKnob>("kvpotlab29"), 50);
  EXPECT_EQ(editor_->WorkingCopy()[0], 178);
  window_->MorphTick();
  EXPECT_EQ(Find<ValueKnob>("kvpotlab29")->State(), 51);
}

TEST_F(GeneratorsWindowTest, BankAnimationOverOneRowEndsOnTheRowAbove) {
  window_->SetAnimationRange(1, 5, 6, 5);
  for (int i = 0; i < 3; ++i) {
    window_->BankTick();
    EXPECT_EQ(editor_->BankSelector()->State(), 4);
  }
  window_->SetAnimationRange(0, 0, 6, 0);
  window_->BankTick();
  EXPECT_EQ(editor_->BankSelector()->State(), 0);
  window_->SetAnimationRange(3, 0, 6, 31);
  window_->WaveTick();
  EXPECT_EQ(editor_->WaveSelector()->State(), 4);
}

TEST_F(GeneratorsWindowTest, SwitchesRunTimersAndStopTimersEndsThem) {
  auto* bank = Find<GraphicSwitch>("kvgrafsw1");
  QTest::mouseClick(bank, Qt::LeftButton);
  EXPECT_TRUE(window_->BankTimer()->isActive());
  EXPECT_EQ(window_->BankTimer()->interval(), 2);
  window_->StopTimers();
  EXPECT_FALSE(window_->BankTimer()->isActive());
  EXPECT_FALSE(bank->Checked());
}

TEST_F(GeneratorsWindowTest, CloseClearsTheMenuTickAndSettingsComeBack) {
  QAction* entry = app_.main_window()->MenuAction("mnuFunctions");
  entry->trigger();
  EXPECT_TRUE(window_->isVisible());
  EXPECT_TRUE(entry->isChecked());
  window_->move(140, 90);
  window_->SaveSettings();
  window_->close();
  EXPECT_FALSE(entry->isChecked());
  GeneratorsWindow again(app_);
  EXPECT_TRUE(again.isVisible());
  EXPECT_EQ(again.x(), 140);
  EXPECT_EQ(again.FractalPage()->children().size(), 0);
}

}  // namespace
}  // namespace morvane
