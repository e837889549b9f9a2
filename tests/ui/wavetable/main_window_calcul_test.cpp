#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <algorithm>
#include <vector>

#include "core/scales/scale_table.h"
#include "core/spectral/harmonic_image.h"
#include "core/wavetable/calculated_tables.h"
#include "ui/controls/bitmap_knob.h"
#include "ui/controls/value_knob.h"
#include "ui/generators/generators_window.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window_fixture.h"

namespace morvane {
namespace {

class MainWindowCalculTest : public testing::MainWindowFixture {
 protected:
  std::vector<std::uint8_t> Stored(int k) {
    const auto wave = Store().Wave(k);
    return {wave.begin(), wave.end()};
  }
  static std::vector<std::uint8_t> Table(int number) {
    // The scales window's first knobs: Inc 2, Octaves 10, Transpose 0.
    const ScaleTable table = CalcScalesAuto(number, 2, 10, 0);
    return {table.samples.begin(), table.samples.end()};
  }
  void ExpectEditorAt(int bank, int wave) {
    EXPECT_EQ(app_.waveform_editor()->BankSelector()->State(), bank);
    EXPECT_EQ(app_.waveform_editor()->WaveSelector()->State(), wave);
  }
  ValueKnob* GeneratorKnob(const char* name) {
    return app_.generators()->findChild<ValueKnob*>(name);
  }
};

TEST_F(MainWindowCalculTest, ScaleSetsWriteEveryScaleNumberIntoItsWaveform) {
  app_.spectrum_editor()->show();
  app_.waveform_editor()->MenuAction("mnuScaleDetection")->trigger();
  Trigger("mnuScales0To2k");
  EXPECT_FALSE(app_.spectrum_editor()->isVisible());
  EXPECT_EQ(Stored(0), std::vector<std::uint8_t>(kWaveLength, 0));
  for (const int k : {5, 1365, 2047}) EXPECT_EQ(Stored(k), Table(k)) << k;
  ExpectEditorAt(31, 63);
  // The scale pass ran over the new slot.
  EXPECT_EQ(Store().Marker(1365), kMarkerScale);
  EXPECT_GT(window_->findChild<QComboBox*>("ComboBox8")->count(), 0);
  Trigger("mnuScales2kTo4k");
  EXPECT_EQ(Stored(0), Table(2048));
  EXPECT_EQ(Stored(2047), Table(4095));
}

TEST_F(MainWindowCalculTest, FastRandomAtLevelZeroPutsOnePulseInEveryWaveformOfTheBank) {
  GeneratorKnob("kvpotlab6")->SetState(0);   // Level
  GeneratorKnob("kvpotlab9")->SetState(10);  // Offset
  GeneratorKnob("kvpotlab8")->SetState(3);   // PW
  GeneratorKnob("kvpotlab7")->SetState(1);   // Freq
  ValueKnob* editor_offset = app_.waveform_editor()->findChild<ValueKnob*>("kvpotlab14");
  editor_offset->SetState(20);
  const std::vector<std::uint8_t> working_before(app_.waveform_editor()->WorkingCopy().begin(),
                                                 app_.waveform_editor()->WorkingCopy().end());
  std::ranges::fill(Store().Wave(64), 0x5A);
  Trigger("mnuSelectBank");
  Trigger("mnuFastRandom");
  std::vector<std::uint8_t> pulse(kWaveLength, 128);
  std::fill_n(pulse.begin(), 3, 138);
  for (int k = 0; k < kWavesPerBank; ++k) ASSERT_EQ(Stored(k), pulse) << k;
  EXPECT_EQ(Stored(64), std::vector<std::uint8_t>(kWaveLength, 0x5A));
  EXPECT_EQ(app_.generators()->findChild<BitmapKnob*>("kvpotbmp1")->State(), kWaveRandomSteps);
  EXPECT_EQ(editor_offset->State(), 0);
  ExpectEditorAt(0, 63);
  EXPECT_TRUE(std::ranges::equal(app_.waveform_editor()->WorkingCopy(), working_before));
  // Without "Select Bank" the whole slot.
  Trigger("mnuSelectBank");
  Trigger("mnuFastRandom");
  EXPECT_EQ(Stored(2047), pulse);
  ExpectEditorAt(31, 63);
}

// Bank 0 holds the shapes; banks 1 and 2 what the spectrum editor makes through each window after
// its scale was switched (which analyses the working copy: the last shape, then the last wave of
// bank 1) and switched back.
TEST_F(MainWindowCalculTest, WindowFunctionsFillTheShapesAndTwoResynthesesThroughThem) {
  SpectrumEditorWindow* spectrum = app_.spectrum_editor();
  const int first_kind = spectrum->WindowKind();
  const AmplitudeScale user_scale = spectrum->Scale();
  Trigger("mnuWindowFunctions");
  EXPECT_EQ(Stored(0), std::vector<std::uint8_t>(kWaveLength, 255));
  for (int kind = 0; kind < 16; ++kind) {
    const auto shape = WindowShape(kind);
    ASSERT_EQ(Stored(kind), std::vector<std::uint8_t>(shape.begin(), shape.end())) << kind;
  }
  const AmplitudeScale switched =
      user_scale == AmplitudeScale::kLog ? AmplitudeScale::kLin : AmplitudeScale::kLog;
  struct Pass {
    int bank;
    AmplitudeScale scale;
    int analysis_kind;
    std::vector<std::uint8_t> analysed;
  };
  const auto last_shape = WindowShape(15);
  Pass passes[] = {{1, switched, first_kind, {last_shape.begin(), last_shape.end()}},
                   {2, user_scale, 15, Stored(WaveIndex(1, 15))}};
  for (Pass& pass : passes) {
    std::array<std::uint8_t, kHarmonicCount> amplitude{};
    std::array<std::uint8_t, kHarmonicCount> phase{};
    AnalyseHarmonics(app_.fft_engine(), ConstWaveSpan(pass.analysed.data(), kWaveLength),
                     pass.analysis_kind, pass.scale, HarmonicSpan(amplitude), HarmonicSpan(phase));
    for (int kind = 0; kind < 16; ++kind) {
      std::array<std::uint8_t, kWaveLength> expected{};
      SynthesiseHarmonics(app_.fft_engine(), ConstHarmonicSpan(amplitude), ConstHarmonicSpan(phase),
                          kind, pass.scale, WaveSpan(expected));
      ASSERT_EQ(Stored(WaveIndex(pass.bank, kind)),
                std::vector<std::uint8_t>(expected.begin(), expected.end()))
          << pass.bank << " " << kind;
    }
  }
  EXPECT_EQ(spectrum->Scale(), user_scale);
  EXPECT_EQ(spectrum->WindowKind(), 15);
  ExpectEditorAt(2, 15);
  EXPECT_EQ(Stored(WaveIndex(3, 0)), std::vector<std::uint8_t>(kWaveLength, 128));
}

}  // namespace
}  // namespace morvane
