#include "ui/generators/fractal_tab.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>
#include <vector>

#include "core/generators/fractal_engine.h"
#include "core/spectral/harmonic_image.h"
#include "platform/user_folders.h"
#include "support/fractal_reference.h"
#include "support/recording_reporter.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "ui/controls/control_test_support.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/value_knob.h"
#include "ui/generators/fractal_view_window.h"
#include "ui/generators/generators_window.h"
#include "ui/shell/app_context.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

// Every window made as the program makes them, the fractal engine drawing from a fixed sequence.
class FractalTabTest : public ::testing::Test {
 protected:
  FractalTabTest() {
    app_.CreateWindows();
    view_ = app_.fractal_view();
  }

  static std::unique_ptr<FractalEngine> SeededEngine() {
    auto seed = std::make_shared<unsigned>(12345);
    return std::make_unique<FractalEngine>([seed] {
      *seed = *seed * 1103515245u + 12345u;
      return (*seed >> 16) & 0x7FFF;
    });
  }
  template <typename T>
  T* Find(const char* name) {
    T* widget = app_.generators()->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  ValueKnob* Knob(const char* name) { return Find<ValueKnob>(name); }
  void Click(const char* button) { Find<QToolButton>(button)->click(); }
  FractalEngine& Engine() { return app_.fractal_engine(); }
  // A map whose rows and columns differ everywhere, so any mix-up of the two shows.
  void FillMap() {
    for (int r = 0; r < kFractalMapSize; ++r) {
      for (int c = 0; c < kFractalMapSize; ++c)
        Engine().SetMap(r, c, (r * 7 + c * 3 + r * c) & 0xFF);
    }
  }
  // Every pixel of the view against value(x, y).
  template <typename Value>
  void ExpectPicture(Value value) {
    const QImage& picture = view_->Picture();
    for (int x = 0; x < kComplexSize; ++x) {
      for (int y = 0; y < kComplexSize; ++y) {
        const int v = value(x, y);
        ASSERT_EQ(picture.pixel(x, y), qRgb(v, v, v)) << x << "," << y;
      }
    }
  }
  void ExpectPictureOfComplexImage() {
    const auto image = Engine().ComplexImage();
    ExpectPicture([&image](int x, int y) { return image[std::size_t(x) * kComplexSize + y]; });
  }
  void ExpectImage(ComplexKind kind, const ComplexParameters& p) {
    const auto image = Engine().ComplexImage();
    ASSERT_TRUE(std::ranges::equal(image, testing::ReferenceComplexImage(kind, p)));
  }
  std::vector<std::uint8_t> Row(int r) {
    const auto row = Engine().MapRow(r).first<kWaveLength>();
    return {row.begin(), row.end()};
  }
  std::vector<std::uint8_t> Column(int c) {
    std::vector<std::uint8_t> column;
    for (int r = 0; r < kWaveLength; ++r) column.push_back(Engine().Map(r, c));
    return column;
  }
  std::vector<std::uint8_t> Stored(int k) {
    const auto wave = app_.wavetable().Wave(k);
    return {wave.begin(), wave.end()};
  }
  // Marks every waveform of the slot so that untouched ones can be told apart.
  void TagSlot() {
    for (int k = 0; k < kWaveCount; ++k) std::ranges::fill(app_.wavetable().Wave(k), 0x5A);
  }

  TempHome home_;
  RecordingReporter reporter_;
  ScriptedFileDialogs dialogs_;
  AppContext app_{std::make_unique<WavetableStore>(),
                  std::make_unique<SettingsStore>(SettingsFilePath()),
                  reporter_,
                  dialogs_,
                  {},
                  nullptr,
                  nullptr,
                  SeededEngine()};
  FractalViewWindow* view_ = nullptr;
};

TEST_F(FractalTabTest, StartsWithTheFirstKnobsAndTheInitialImageInTheMapsCorner) {
  const std::vector<std::pair<const char*, int>> knobs = {
      {"potAmpl", 100},    {"potSea", 0},       {"potBank", 0},      {"kvpotlab13", 100},
      {"kvpotlab14", 16},  {"kvpotlab15", 100}, {"kvpotlab16", 100}, {"kvpotlab17", 0},
      {"kvpotlab18", 300}, {"kvpotlab19", 3}};
  for (const auto& [name, value] : knobs) EXPECT_EQ(Knob(name)->State(), value) << name;
  EXPECT_TRUE(Knob("kvpotlab17")->isHidden());
  EXPECT_TRUE(Find<QRadioButton>("rbMandelbrot")->isChecked());
  EXPECT_EQ(Find<QRadioButton>("rbMandelbrot")->text(), "Mendelbrot");
  EXPECT_FALSE(Find<QCheckBox>("CheckBox1")->isChecked());
  // The engine keeps its own range until the knob is first turned.
  EXPECT_EQ(Engine().Range(), 255);
  EXPECT_FALSE(view_->isVisible());
  EXPECT_EQ(view_->windowTitle(), "View Fractal ");
  ExpectImage(ComplexKind::kMandelbrot, ComplexParameters{});
  ExpectPictureOfComplexImage();
  for (int i = 0; i < kComplexSize; i += 17) {
    for (int j = 0; j < kComplexSize; j += 13)
      ASSERT_EQ(Engine().Map(i, j), Engine().ComplexImage()[std::size_t(i) * kComplexSize + j]);
  }
}

TEST_F(FractalTabTest, ComplexKnobsAndKindsRecomputeAndPaintTheShownView) {
  Click("btnShowFractal");
  ASSERT_TRUE(view_->isVisible());
  testing::TurnKnob(Knob("kvpotlab14"), 40);
  ComplexParameters p;
  p.resolution = 40;
  ExpectImage(ComplexKind::kMandelbrot, p);
  ExpectPictureOfComplexImage();
  Find<QRadioButton>("rbJulia")->click();
  ExpectImage(ComplexKind::kJulia, p);
  testing::TurnKnob(Knob("kvpotlab15"), -76);
  testing::TurnKnob(Knob("kvpotlab16"), 9);
  testing::TurnKnob(Knob("kvpotlab18"), 0);
  testing::TurnKnob(Knob("kvpotlab19"), 20);
  testing::TurnKnob(Knob("kvpotlab13"), 150);
  p = ComplexParameters{150, 40, -76, 9, 0, 0, 20};
  ExpectImage(ComplexKind::kJulia, p);
  ExpectPictureOfComplexImage();
  EXPECT_EQ(Engine().Map(10, 20), Engine().ComplexImage()[10 * kComplexSize + 20]);
}

TEST_F(FractalTabTest, CyclingButtonsApplyTheNextEntryShowTheViewAndPaintIt) {
  Click("btnPresetFractal");
  EXPECT_TRUE(view_->isVisible());
  const ComplexParameters preset = kPresetViews[1].Over({});
  EXPECT_EQ(app_.fractal_tab()->Parameters(), preset);
  ExpectImage(ComplexKind::kMandelbrot, preset);
  ExpectPictureOfComplexImage();
  view_->hide();
  Find<QRadioButton>("rbJulia")->click();
  Click("btnInitFractal");
  EXPECT_EQ(app_.fractal_tab()->Parameters(), kStartingSets[1].Over({}));
  Click("btnInitFractal");
  EXPECT_EQ(app_.fractal_tab()->Parameters(), kStartingSets[0].Over({}));
  ExpectImage(ComplexKind::kJulia, kStartingSets[0].Over({}));
  ExpectPictureOfComplexImage();
  for (int i = 2; i <= 6; ++i) Click("btnPresetFractal");
  EXPECT_EQ(app_.fractal_tab()->Parameters(), kPresetViews[0].Over({}));
}

TEST_F(FractalTabTest, RangeAndSeaReachTheEngineAndComputeShowsTheTerrain) {
  testing::TurnKnob(Knob("potAmpl"), 60);
  EXPECT_EQ(Engine().Range(), 60);
  Click("btnPyramidCompute");
  ASSERT_TRUE(view_->isVisible());
  int highest = 0;
  for (int r = 0; r <= 256; ++r) {
    for (const std::uint8_t v : Engine().MapRow(r)) highest = std::max<int>(highest, v);
  }
  EXPECT_EQ(highest, 60);
  ExpectPicture([this](int x, int y) { return Engine().Map(x, y); });
  const std::uint8_t far_before = Engine().Map(900, 900);
  testing::TurnKnob(Knob("potSea"), 10);
  EXPECT_EQ(Engine().Sea(), 10);
  EXPECT_EQ(Engine().Map(900, 900), std::min(60, far_before + 10));
  ExpectPicture([this](int x, int y) { return Engine().Map(x, y); });
}

TEST_F(FractalTabTest, WaveXWritesRowsIntoTheBankPairAndAlternateReversesTheOddOnes) {
  FillMap();
  TagSlot();
  Knob("potBank")->SetState(3);
  EXPECT_EQ(Knob("potBank")->text(), "6");
  Find<QCheckBox>("CheckBox1")->setChecked(true);
  std::ranges::fill(app_.wavetable().Amplitude(385), 0x33);
  Click("btnWaveX");
  for (int i = 0; i < 256; ++i) {
    std::vector<std::uint8_t> expected = Row(i);
    if (i % 2 == 1) std::ranges::reverse(expected);
    ASSERT_EQ(Stored(384 + i), expected) << i;
  }
  EXPECT_EQ(Stored(383), std::vector<std::uint8_t>(256, 0x5A));
  EXPECT_EQ(Stored(640), std::vector<std::uint8_t>(256, 0x5A));
  // The editor's selectors followed the writing to its last waveform, bank 9 wave 63.
  EXPECT_EQ(app_.waveform_editor()->BankSelector()->State(), 9);
  EXPECT_EQ(app_.waveform_editor()->WaveSelector()->State(), 63);
  // The spectra of the slot were analysed anew.
  EXPECT_FALSE(std::ranges::all_of(app_.wavetable().Amplitude(385),
                                   [](std::uint8_t v) { return v == 0x33; }));
}

TEST_F(FractalTabTest, WaveYWritesColumnsAndTheLastPairStopsAtTheSlotsEnd) {
  FillMap();
  struct Case {
    int pair;
    const char* caption;
    int first;
    int count;
  };
  for (const Case& c : {Case{14, "28", 1792, 256}, Case{15, "30", 1920, 128}}) {
    TagSlot();
    Knob("potBank")->SetState(c.pair);
    EXPECT_EQ(Knob("potBank")->text(), c.caption);
    Click("btnWaveY");
    for (int i = 0; i < c.count; ++i)
      ASSERT_EQ(Stored(c.first + i), Column(i)) << c.pair << " " << i;
    EXPECT_EQ(Stored(c.first - 1), std::vector<std::uint8_t>(256, 0x5A)) << c.pair;
    EXPECT_EQ(app_.waveform_editor()->BankSelector()->State(), 31) << c.pair;
    EXPECT_EQ(app_.waveform_editor()->WaveSelector()->State(), 63) << c.pair;
  }
}

TEST_F(FractalTabTest, SpectralMapsFillTheArraysAndStoreTheSynthesisedWaveforms) {
  FillMap();
  TagSlot();
  SpectrumEditorWindow* spectrum = app_.spectrum_editor();
  Knob("potBank")->SetState(1);
  for (const bool amplitudes : {true, false}) {
    std::vector<std::uint8_t> other_view_data(256);
    SampleTank* other = amplitudes ? spectrum->PhaseView() : spectrum->AmplitudeView();
    std::ranges::copy(other->Data(), other_view_data.begin());
    Click(amplitudes ? "btnSMapAmpl" : "btnSMapAngle");
    for (int i = 0; i < 128; ++i) {
      const int k = 128 + i;
      const auto row = Engine().MapRow(i).first<kHarmonicCount>();
      const auto array = amplitudes ? app_.wavetable().Amplitude(k) : app_.wavetable().Phase(k);
      ASSERT_TRUE(std::ranges::equal(array, row)) << i;
      // What the spectrum editor makes of this row beside the other view as it stood.
      std::array<std::uint8_t, kWaveLength> expected{};
      const ConstHarmonicSpan other_bytes(other_view_data.data(), kHarmonicCount);
      SynthesiseHarmonics(app_.fft_engine(), amplitudes ? row : other_bytes,
                          amplitudes ? other_bytes : row, spectrum->WindowKind(), spectrum->Scale(),
                          WaveSpan(expected));
      ASSERT_EQ(Stored(k), std::vector<std::uint8_t>(expected.begin(), expected.end())) << i;
    }
    EXPECT_EQ(Stored(127), std::vector<std::uint8_t>(256, 0x5A));
    EXPECT_EQ(Stored(256), std::vector<std::uint8_t>(256, 0x5A));
    SampleTank* filled = amplitudes ? spectrum->AmplitudeView() : spectrum->PhaseView();
    EXPECT_TRUE(std::ranges::equal(filled->Data().first<kHarmonicCount>(),
                                   Engine().MapRow(127).first<kHarmonicCount>()));
  }
}

TEST_F(FractalTabTest, TheViewResizesClosesAndKeepsItsPlace) {
  app_.main_window()->MenuAction("mnuFunctions")->setChecked(true);
  Click("btnShowFractal");
  view_->move(300, 200);
  Click("btnResizeFractal");
  EXPECT_EQ(view_->frameGeometry().size(), QSize(264, 283));
  view_->SaveSettings();
  view_->close();
  EXPECT_FALSE(view_->isVisible());
  EXPECT_FALSE(app_.main_window()->MenuAction("mnuFunctions")->isChecked());
  view_->show();
  view_->SaveSettings();
  FractalViewWindow again(app_);
  EXPECT_EQ(again.pos(), QPoint(300, 200));
  EXPECT_TRUE(again.isVisible());
}

}  // namespace
}  // namespace morvane
