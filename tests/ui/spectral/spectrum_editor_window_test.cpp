#include "ui/spectral/spectrum_editor_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "core/spectral/spectral_map.h"
#include "ui/controls/click_panel.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/toggle_panel.h"
#include "ui/spectral/spectral_test_app.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using Wave = std::array<std::uint8_t, kWaveLength>;

Wave Cosine(int harmonic, double amplitude) {
  Wave wave{};
  for (int n = 0; n < kWaveLength; ++n) {
    wave[n] = static_cast<std::uint8_t>(
        128 + std::trunc(amplitude * std::cos(2.0 * std::numbers::pi * harmonic * n / 256.0)));
  }
  return wave;
}

Wave Square() {
  Wave wave{};
  for (int n = 0; n < kWaveLength; ++n) wave[n] = n < 128 ? 255 : 0;
  return wave;
}

class SpectrumEditorWindowTest : public SpectralTestApp {
 protected:
  SpectrumEditorWindowTest() {
    window_ = app_.spectrum_editor();
    editor_ = app_.waveform_editor();
    app_.main_window()->MenuAction("mnuFftEditor")->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_));
  }

  // Puts a waveform into the working copy as an edit of the waveform editor does.
  void Edit(const Wave& wave) {
    std::copy(wave.begin(), wave.end(), editor_->WorkingCopy().begin());
    editor_->WaveformChanged();
  }
  Wave Working() {
    Wave wave;
    std::ranges::copy(editor_->WorkingCopy(), wave.begin());
    return wave;
  }
  template <typename T>
  T* Find(const char* name) {
    T* widget = window_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  SampleTank* Amplitude() { return window_->AmplitudeView(); }
  SampleTank* Phase() { return window_->PhaseView(); }
  ValueKnob* Knob(const char* name) { return Find<ValueKnob>(name); }
  void Trigger(const char* name) { window_->MenuAction(name)->trigger(); }
  void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(3, 3)); }

  SpectrumEditorWindow* window_ = nullptr;
  WaveformEditorWindow* editor_ = nullptr;
};

TEST_F(SpectrumEditorWindowTest, StartsAsDescribedAndTheMainWindowTicksAndUnticksIt) {
  EXPECT_TRUE(app_.main_window()->MenuAction("mnuFftEditor")->isChecked());
  EXPECT_EQ(Amplitude()->Max(), 128);
  EXPECT_EQ(Phase()->GetValue(5), 128);
  EXPECT_EQ(Amplitude()->GetValue(5), 0);
  EXPECT_FALSE(Amplitude()->AxesEnabled());  // no centre cross
  EXPECT_EQ(Find<ClickPanel>("pnlWindow")->text(), "RECTANGLE");
  EXPECT_EQ(Find<TogglePanel>("pnlLog")->text(), "LOG");
  EXPECT_EQ(Knob("kvpotlab2")->text(), "BOTH");
  EXPECT_TRUE(Find<QWidget>("pnlGrid")->isHidden());
  EXPECT_EQ(Find<QTableWidget>("StringGrid1")->item(127, 0)->text(), "128");
  window_->close();
  EXPECT_FALSE(app_.main_window()->MenuAction("mnuFftEditor")->isChecked());
}

TEST_F(SpectrumEditorWindowTest, EveryEditOfTheWaveformEditorIsAnalysed) {
  Edit(Square());
  EXPECT_EQ(Amplitude()->GetValue(0), 221);
  for (int h = 2; h <= 128; h += 2) EXPECT_EQ(Amplitude()->GetValue(h - 1), 0) << h;
  EXPECT_EQ(Knob("kvpotlab42")->State(), 221);
  EXPECT_EQ(Knob("kvpotlab42")->text(), "86");  // 221·100/255
  // "FFT Analysis" unticked: the views keep what they showed.
  editor_->MenuAction("mnuFftAnalysis")->trigger();
  Edit(Cosine(3, 100));
  EXPECT_EQ(Amplitude()->GetValue(0), 221);
  // Ticked again: the editor is shown and the analysis runs at once.
  window_->hide();
  editor_->MenuAction("mnuFftAnalysis")->trigger();
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(Amplitude()->GetValue(2), 210);
  EXPECT_EQ(Phase()->GetValue(2), 128);
}

TEST_F(SpectrumEditorWindowTest, LinScaleAndWindowKindRunTheAnalysisAgain) {
  Edit(Cosine(3, 100));
  Click(Find<TogglePanel>("pnlLog"));
  EXPECT_EQ(Find<TogglePanel>("pnlLog")->text(), "LIN");
  EXPECT_EQ(Find<QLabel>("lblUnit")->text(), "%");
  EXPECT_EQ(Amplitude()->GetValue(2), 201);  // the rule on the truncated samples
  window_->SetScale(AmplitudeScale::kLog);
  EXPECT_EQ(Find<QLabel>("lblUnit")->text(), "dB");
  EXPECT_EQ(Amplitude()->GetValue(2), 210);
  QMenu* menu = window_->findChild<QMenu*>("WindowKindMenu");
  ASSERT_EQ(menu->actions().size(), 16);
  EXPECT_EQ(menu->actions()[7]->text(), "Hann 2");
  menu->actions()[7]->trigger();
  EXPECT_EQ(window_->WindowKind(), 7);
  EXPECT_EQ(Find<ClickPanel>("pnlWindow")->text(), "HANN2");
  EXPECT_LT(Amplitude()->GetValue(2), 210);  // the window takes some of the level
}

TEST_F(SpectrumEditorWindowTest, PhaseKnobAndShowHarmonicCaptions) {
  ValueKnob* phase = Knob("kvpotlab1");
  struct Case {
    int value;
    const char* knob;
    const char* shown;
  };
  for (const Case& c : {Case{0, "-180", "-181"}, Case{128, "0", "0"}, Case{255, "180", "179"}}) {
    TurnKnob(phase, c.value);
    EXPECT_EQ(phase->text(), c.knob);
    EXPECT_EQ(Phase()->GetValue(0), c.value);
    window_->ShowHarmonic(false);
    EXPECT_EQ(phase->text(), c.shown);
  }
}

TEST_F(SpectrumEditorWindowTest, KnobEditsResynthesiseTheWorkingCopyOnly) {
  const Wave stored = [&] {
    Wave w;
    std::ranges::copy(app_.wavetable().Wave(0), w.begin());
    return w;
  }();
  TurnKnob(Knob("kvpotlab43"), 3);  // N = 3
  EXPECT_EQ(Amplitude()->LocatorPos(), 2);
  EXPECT_EQ(Phase()->LocatorPos(), 2);
  Click(Find<TogglePanel>("pnlLog"));  // LIN: a byte of 201 is about 12720 in bin 3
  TurnKnob(Knob("kvpotlab42"), 201);
  EXPECT_EQ(Amplitude()->GetValue(2), 201);
  const Wave working = Working();
  EXPECT_NEAR(working[0], 128 + 99, 2);  // a cosine of amplitude about 99 at harmonic 3
  EXPECT_NEAR(working[21], 128 + 99 * std::cos(2 * std::numbers::pi * 3 * 21 / 256.0), 2);
  Wave now;
  std::ranges::copy(app_.wavetable().Wave(0), now.begin());
  EXPECT_EQ(now, stored) << "the table is written only by WRITE";
}

TEST_F(SpectrumEditorWindowTest, EvenAndOddChooseWhatKnobsAndDrawingChange) {
  TurnKnob(Knob("kvpotlab2"), 1);
  EXPECT_EQ(Knob("kvpotlab2")->text(), "EVEN");
  EXPECT_EQ(Amplitude()->SpectrumHarm(), 2);  // drawing: harmonics 1, 3, 5
  EXPECT_EQ(Phase()->SpectrumHarm(), 2);
  TurnKnob(Knob("kvpotlab45"), 1);
  TurnKnob(Knob("kvpotlab44"), 128);
  TurnKnob(Knob("kvpotlab42"), 200);
  for (int i = 0; i < 128; ++i) EXPECT_EQ(Amplitude()->GetValue(i), i % 2 == 1 ? 200 : 0) << i;
  TurnKnob(Knob("kvpotlab2"), 2);
  EXPECT_EQ(Knob("kvpotlab2")->text(), "ODD");
  EXPECT_EQ(Amplitude()->SpectrumHarm(), 1);
  TurnKnob(Knob("kvpotlab42"), 50);
  for (int i = 0; i < 128; ++i) EXPECT_EQ(Amplitude()->GetValue(i), i % 2 == 1 ? 200 : 50) << i;
}

TEST_F(SpectrumEditorWindowTest, SelectAllCutThenPasteAtHarmonic121) {
  Edit(Square());
  std::array<std::uint8_t, 128> amplitude{};
  std::array<std::uint8_t, 128> phase{};
  for (int i = 0; i < 128; ++i) {
    amplitude[i] = Amplitude()->GetValue(i);
    phase[i] = Phase()->GetValue(i);
  }
  Trigger("mnuSelectAll");
  EXPECT_EQ(Knob("kvpotlab45")->State(), 1);
  EXPECT_EQ(Amplitude()->SelectionLen(), 128);
  EXPECT_EQ(Phase()->SelectionLen(), 128);
  const Wave before_cut = Working();
  Trigger("mnuCut");
  for (int i = 0; i < 128; ++i) {
    EXPECT_EQ(Amplitude()->GetValue(i), 0);
    EXPECT_EQ(Phase()->GetValue(i), 128);  // the phase view draws from its centre
  }
  EXPECT_EQ(Amplitude()->ClipLength(), 128);
  EXPECT_EQ(Phase()->ClipLength(), 128);
  EXPECT_NE(Working(), before_cut) << "the cut is synthesised";
  TurnKnob(Knob("kvpotlab43"), 121);
  Trigger("mnuPaste");
  for (int i = 0; i < 128; ++i) {
    EXPECT_EQ(Amplitude()->GetValue(i), i >= 120 ? amplitude[i - 120] : 0) << i;
    EXPECT_EQ(Phase()->GetValue(i), i >= 120 ? phase[i - 120] : 128) << i;
  }
  Trigger("mnuSelectAll");  // the second use empties the selection
  EXPECT_EQ(Amplitude()->SelectionLen(), 0);
  Trigger("mnuSelectHalf");
  EXPECT_EQ(Amplitude()->SelectionPos(), 0);
  EXPECT_EQ(Amplitude()->SelectionLen(), 64);
  Trigger("mnuSelectHalf");
  EXPECT_EQ(Phase()->SelectionPos(), 64);
  EXPECT_EQ(Knob("kvpotlab45")->State(), 65);
  Trigger("mnuCenterLocator");
  EXPECT_EQ(Knob("kvpotlab43")->State(), 65);
  Trigger("mnuCenterLocator");
  EXPECT_EQ(Amplitude()->LocatorPos(), 0);
}

TEST_F(SpectrumEditorWindowTest, SpectrumFilesSaveLoadAndBadFilesChangeNothing) {
  Edit(Square());
  const fs::path saved = home_.root() / "square";
  dialogs_.answers = {QString::fromStdString(saved.string())};
  Trigger("mnuSave");
  ASSERT_EQ(dialogs_.requests.size(), 1u);
  EXPECT_EQ(dialogs_.requests[0].title, "Save Spectrum");
  EXPECT_EQ(dialogs_.requests[0].filter_index, 3);
  const fs::path file = home_.root() / "square.msp";
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(fs::file_size(file), 256u);
  {
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(in.get(), 221);
  }
  // 100 bytes of 7: amplitude harmonics 1 to 100 change, nothing else, and the synthesis runs.
  const fs::path short_file = home_.root() / "short.msp";
  std::ofstream(short_file, std::ios::binary) << std::string(100, '\x07');
  const std::uint8_t amplitude_101 = Amplitude()->GetValue(100);
  const std::uint8_t phase_1 = Phase()->GetValue(0);
  const Wave before = Working();
  dialogs_.answers = {QString::fromStdString(short_file.string())};
  Trigger("mnuLoad");
  EXPECT_EQ(dialogs_.requests.back().title, "Load Spectrum");
  EXPECT_EQ(dialogs_.requests.back().filter_index, 3);
  EXPECT_EQ(Amplitude()->GetValue(0), 7);
  EXPECT_EQ(Amplitude()->GetValue(99), 7);
  EXPECT_EQ(Amplitude()->GetValue(100), amplitude_101);
  EXPECT_EQ(Phase()->GetValue(0), phase_1);
  EXPECT_NE(Working(), before);
  EXPECT_TRUE(reporter_.messages.empty());
  // A missing file and a folder: the message, and nothing changes.
  for (const fs::path& bad : {home_.root() / "none.msp", home_.root()}) {
    const Wave kept = Working();
    dialogs_.answers = {QString::fromStdString(bad.string())};
    Trigger("mnuLoad");
    ASSERT_FALSE(reporter_.messages.empty());
    EXPECT_EQ(reporter_.messages.back().first, "File Error");
    EXPECT_EQ(reporter_.messages.back().second, "Read File Error - Abort Loading");
    EXPECT_EQ(Amplitude()->GetValue(0), 7);
    EXPECT_EQ(Working(), kept);
  }
  // A save that cannot be made keeps the file there.
  fs::create_directory(home_.root() / "dir.msp");
  dialogs_.answers = {QString::fromStdString((home_.root() / "dir").string())};
  Trigger("mnuSave");
  EXPECT_EQ(reporter_.messages.back().second, "Write File Error - Abort Saving");
  EXPECT_TRUE(fs::is_directory(home_.root() / "dir.msp"));
  // New clears both views; no synthesis.
  const Wave kept = Working();
  Trigger("mnuNew");
  EXPECT_EQ(Amplitude()->GetValue(0), 0);
  EXPECT_EQ(Phase()->GetValue(0), 0);
  EXPECT_EQ(Working(), kept);
}

TEST_F(SpectrumEditorWindowTest, SmallAndLargeWindowsAndTheGrid) {
  EXPECT_TRUE(window_->MenuAction("mnuSmallWindow")->isChecked());
  EXPECT_EQ(Amplitude()->width(), 521);
  EXPECT_EQ(Amplitude()->MarkerSize(), 1);
  EXPECT_EQ(Find<QWidget>("pnlLeft")->width(), 543);
  EXPECT_EQ(Amplitude()->GradientNbOfColors(), 101);  // the options' 100 steps, plus one
  window_->MenuAction("mnuSmallWindow")->trigger();
  EXPECT_EQ(Amplitude()->width(), 782);
  EXPECT_EQ(Phase()->width(), 782);
  EXPECT_EQ(Phase()->MarkerSize(), 2);
  EXPECT_EQ(Find<QWidget>("pnlLeft")->width(), 806);
  window_->MenuAction("mnuGridEdit")->trigger();
  EXPECT_FALSE(Find<QWidget>("pnlGrid")->isHidden());
  Edit(Cosine(3, 100));
  auto* grid = Find<QTableWidget>("StringGrid1");
  const double level = grid->item(2, 1)->text().toDouble();  // 10·log10(P) of bin 3
  EXPECT_NEAR(level, 82.1, 0.1);
  EXPECT_EQ(AmplitudeByte(level), Amplitude()->GetValue(2));
  EXPECT_LT(std::abs(grid->item(2, 2)->text().toDouble()), 1e-9);  // 0° give or take rounding
  // Shift mode shows the centre cross and the link panel.
  Click(Find<TogglePanel>("pnlShift"));
  EXPECT_TRUE(Amplitude()->AxesEnabled());
  EXPECT_FALSE(Find<TogglePanel>("pnlLink")->isHidden());
}

TEST_F(SpectrumEditorWindowTest, TheGridShowsItsThreeColumnsAndCaptionWhole) {
  window_->MenuAction("mnuGridEdit")->trigger();
  QCoreApplication::processEvents();  // the grid lays its bars out as the window shows it
  auto* grid = Find<QTableWidget>("StringGrid1");
  auto* caption = Find<QWidget>("pnlGrid")->findChild<QLabel*>();
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->text(), "   N         Amplitude         Phase");
  EXPECT_GE(caption->width(), caption->fontMetrics().horizontalAdvance(caption->text()));
  EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
  EXPECT_EQ(grid->columnWidth(2), 46);
  EXPECT_LE(grid->columnViewportPosition(2) + grid->columnWidth(2), grid->viewport()->width());
  // The bar stands beside the Phase column, not over it.
  EXPECT_GE(grid->verticalScrollBar()->mapTo(grid, QPoint(0, 0)).x(),
            grid->viewport()->mapTo(grid, QPoint(grid->viewport()->width(), 0)).x());
}

TEST_F(SpectrumEditorWindowTest, HidingTheGridGivesItsWidthBack) {
  auto* left = Find<QWidget>("pnlLeft");
  auto* grid_panel = Find<QWidget>("pnlGrid");
  for (const bool small : {true, false}) {
    if (window_->MenuAction("mnuSmallWindow")->isChecked() != small) Trigger("mnuSmallWindow");
    const int alone = left->width() + 2 * left->x();  // the panel and its margins
    Trigger("mnuGridEdit");
    EXPECT_EQ(window_->width(), alone + grid_panel->width() + 4) << small;
    Trigger("mnuGridEdit");
    EXPECT_EQ(window_->width(), alone) << small;
    EXPECT_EQ(left->x(), 4) << small;
  }
}

// Drags a view's locator from one index to another with the left button.
void DragLocator(SampleTank* view, int from, int to) {
  const auto x_of = [view](int index) {
    const int w2 = view->width() - 2;
    return 2 + (index * w2 + 129) / 130;  // the mouse's index rule for 128 samples, inverted
  };
  const int y = view->height() / 2;
  QTest::mousePress(view, Qt::LeftButton, {}, QPoint(x_of(from), y));
  testing::MoveWithButtons(view, QPoint(x_of((from + to) / 2), y), Qt::LeftButton);
  testing::MoveWithButtons(view, QPoint(x_of(to), y), Qt::LeftButton);
  QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(x_of(to), y));
}

TEST_F(SpectrumEditorWindowTest, LocatorsFollowEachOtherAndShiftModeTurnsTheViews) {
  for (int i = 0; i < 128; ++i) {
    Amplitude()->SetValue(i, static_cast<std::uint8_t>(i));
    Phase()->SetValue(i, static_cast<std::uint8_t>(i + 100));
  }
  DragLocator(Amplitude(), 0, 10);
  EXPECT_EQ(Amplitude()->LocatorPos(), 10);
  EXPECT_EQ(Phase()->LocatorPos(), 10);
  EXPECT_EQ(Knob("kvpotlab43")->State(), 11);
  EXPECT_EQ(Amplitude()->GetValue(0), 0);  // shift mode off: nothing turns
  Click(Find<TogglePanel>("pnlShift"));
  const Wave before = Working();
  DragLocator(Amplitude(), 10, 4);  // six places towards index 0, the amplitude view alone
  EXPECT_EQ(Amplitude()->LocatorPos(), 4);
  EXPECT_EQ(Amplitude()->GetValue(0), 6);
  EXPECT_EQ(Phase()->GetValue(0), 100);
  EXPECT_NE(Working(), before) << "the turn is synthesised";
  Click(Find<TogglePanel>("pnlLink"));
  DragLocator(Phase(), 4, 7);  // linked: both turn three places towards the end
  EXPECT_EQ(Amplitude()->GetValue(3), 6);
  EXPECT_EQ(Phase()->GetValue(3), 100);
}

TEST_F(SpectrumEditorWindowTest, AGridClickMovesTheLocatorsAndTheSelectionKnobsHighlightRows) {
  window_->MenuAction("mnuGridEdit")->trigger();
  Edit(Square());
  auto* grid = Find<QTableWidget>("StringGrid1");
  grid->scrollToItem(grid->item(8, 0));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                    grid->visualItemRect(grid->item(8, 0)).center());
  EXPECT_EQ(Knob("kvpotlab43")->State(), 9);
  EXPECT_EQ(Amplitude()->LocatorPos(), 8);
  EXPECT_EQ(Phase()->LocatorPos(), 8);
  EXPECT_EQ(Knob("kvpotlab42")->State(), Amplitude()->GetValue(8));
  TurnKnob(Knob("kvpotlab45"), 4);
  TurnKnob(Knob("kvpotlab44"), 3);
  EXPECT_EQ(Amplitude()->SelectionPos(), 3);
  EXPECT_EQ(Phase()->SelectionLen(), 3);
  for (int row : {2, 3, 4, 5, 6}) {
    EXPECT_EQ(grid->item(row, 1)->isSelected(), row >= 3 && row <= 5) << row;
  }
}

TEST_F(SpectrumEditorWindowTest, WriteRecomputesTheWrittenWaveformsSpectrum) {
  editor_->BankSelector()->SetState(8);
  editor_->WaveSelector()->SetState(10);
  Edit(Square());
  editor_->WriteWaveform();
  EXPECT_EQ(app_.wavetable().Amplitude(522)[0], 221);
  EXPECT_EQ(app_.wavetable().Amplitude(522)[1], 0);
}

}  // namespace
}  // namespace morvane
