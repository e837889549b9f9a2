#include "ui/waveform/waveform_editor_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/waveform/waveform_sysex_file.h"
#include "platform/user_folders.h"
#include "support/file_size_limit.h"
#include "support/recording_reporter.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "ui/controls/control_test_support.h"
#include "ui/controls/graphic_switch.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/toggle_panel.h"
#include "ui/controls/value_knob.h"
#include "ui/shell/app_context.h"
#include "ui/waveform/waveform_value_grid.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using Wave = std::array<std::uint8_t, 256>;

Wave Ramp() {
  Wave wave;
  for (int i = 0; i < 256; ++i) wave[i] = static_cast<std::uint8_t>(i);
  return wave;
}

Wave Copy(std::span<const std::uint8_t, 256> samples) {
  Wave wave;
  std::copy(samples.begin(), samples.end(), wave.begin());
  return wave;
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

class WaveformEditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_.wavetable().ClearAll();
    Open();
  }

  // Creates the window as the program does, reading the settings, and shows it.
  void Open() {
    window_.reset();
    window_ = std::make_unique<WaveformEditorWindow>(app_);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = window_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  ValueKnob* Knob(const char* name) { return Find<ValueKnob>(name); }
  TogglePanel* Toggle(const char* name) { return Find<TogglePanel>(name); }
  SampleTank* View() { return Find<SampleTank>("kvSampleTank1"); }
  WaveformValueGrid* Grid() { return Find<WaveformValueGrid>("StringGrid1"); }
  Wave Working() { return Copy(window_->WorkingCopy()); }

  void Trigger(const char* action) {
    QAction* entry = window_->MenuAction(action);
    ASSERT_NE(entry, nullptr) << action;
    entry->trigger();
  }

  static void TurnKnob(ValueKnob* knob, int v) {
    testing::TurnKnob(knob, v);
    ASSERT_EQ(knob->State(), v);
  }

  void ClickToggle(const char* name) {
    TogglePanel* toggle = Toggle(name);
    QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(3, 3));
  }

  void ClickGridCell(int row, int column) {
    WaveformValueGrid* grid = Grid();
    grid->scrollToItem(grid->item(row, column));
    const QRect cell = grid->visualItemRect(grid->item(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  }

  // A user's double click: press and release, then the second press (the double click event)
  // and its release.
  void DoubleClick(QWidget* widget, QPoint pos) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
  }

  // The editor open in the grid; editors closed before wait for their deletion.
  QLineEdit* OpenEditor() {
    for (QLineEdit* editor : Grid()->viewport()->findChildren<QLineEdit*>()) {
      if (editor->isVisible()) return editor;
    }
    return nullptr;
  }

  // A view x at which the mouse stands for sample `index`: (x - 2) * 258 / (width - 2) = index.
  int ViewXOf(int index) {
    const int w2 = View()->width() - 2;
    return 2 + (index * w2 + 257) / 258;
  }

  void StoreWave(int k, const Wave& wave) {
    std::copy(wave.begin(), wave.end(), app_.wavetable().Wave(k).begin());
  }

  TempHome home_;
  RecordingReporter reporter_;
  ScriptedFileDialogs dialogs_;
  AppContext app_{std::make_unique<WavetableStore>(),
                  std::make_unique<SettingsStore>(SettingsFilePath()), reporter_, dialogs_};
  std::unique_ptr<WaveformEditorWindow> window_;
};

TEST_F(WaveformEditorWindowTest, StartsAsTheWaveformEditorWithAnEmptyWorkingCopy) {
  EXPECT_EQ(window_->objectName(), "Form3");
  EXPECT_EQ(window_->windowTitle(), "Waveform Editor");
  Wave empty;
  empty.fill(128);
  EXPECT_EQ(Working(), empty);
  EXPECT_EQ(Grid()->item(200, WaveformValueGrid::kIndexColumn)->text(), "200");
  EXPECT_EQ(Grid()->item(200, WaveformValueGrid::kValueColumn)->text(), "128");
  EXPECT_EQ(Grid()->item(200, WaveformValueGrid::kNoteColumn)->text(), "E 3");  // 128 div 2 = 64
  EXPECT_EQ(window_->BankSelector()->objectName(), "kvpotlab18");
  EXPECT_EQ(window_->WaveSelector()->objectName(), "kvpotlab19");
  EXPECT_EQ(window_->BankSelector()->toolTip(), "Bank Selector");
  EXPECT_EQ(window_->BankSelector()->Max(), 31);
  EXPECT_EQ(window_->WaveSelector()->Max(), 63);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(WaveformEditorWindowTest, BankThreeWaveFiveIsWaveform197AndWriteStoresItThere) {
  Wave wave = Ramp();
  wave[0] = 77;
  StoreWave(197, wave);
  QSignalSpy written(window_.get(), &WaveformEditorWindow::WaveformWritten);

  TurnKnob(window_->BankSelector(), 3);
  TurnKnob(window_->WaveSelector(), 5);
  EXPECT_EQ(window_->CurrentIndex(), 197);
  EXPECT_EQ(Working(), wave);
  EXPECT_EQ(Grid()->item(0, WaveformValueGrid::kValueColumn)->text(), "77");

  window_->WorkingCopy()[1] = 200;
  window_->WaveformChanged();
  EXPECT_EQ(app_.wavetable().Wave(197)[1], 1);  // only WRITE stores the working copy
  QTest::mouseClick(Find<QPushButton>("btnWrite"), Qt::LeftButton);
  EXPECT_EQ(app_.wavetable().Wave(197)[1], 200);
  EXPECT_EQ(app_.wavetable().Wave(196)[1], 128);
  ASSERT_EQ(written.count(), 1);
  EXPECT_EQ(written.at(0).at(0).toInt(), 3);
  EXPECT_EQ(written.at(0).at(1).toInt(), 5);
}

TEST_F(WaveformEditorWindowTest, WriteFlashesRedThenRestoresAfterItsTimer) {
  QPushButton* write = Find<QPushButton>("btnWrite");
  EXPECT_EQ(write->text(), "WRITE");
  const QPoint inside(4, 4);
  EXPECT_EQ(testing::PixelAt(*write, inside), QColor(0, 64, 0));
  QTest::mouseClick(write, Qt::LeftButton);
  EXPECT_EQ(testing::PixelAt(*write, inside), QColor(255, 0, 0));
  QTRY_COMPARE_WITH_TIMEOUT(testing::PixelAt(*write, inside), QColor(0, 64, 0), 2000);
}

TEST_F(WaveformEditorWindowTest, TransformKnobsRecomputeFromTheStoredWaveformAlone) {
  StoreWave(0, Ramp());
  window_->LoadCurrentWaveform();
  TurnKnob(Knob("kvpotlab13"), 64);  // Level: half
  EXPECT_EQ(Working()[0], 64);
  TurnKnob(Knob("kvpotlab14"), 10);  // Offset, at full level: the Level knob does not add up
  Wave expected;
  for (int i = 0; i < 256; ++i) expected[i] = static_cast<std::uint8_t>((i + 10) % 256);
  EXPECT_EQ(Working(), expected);
  EXPECT_EQ(Knob("kvpotlab13")->State(), 64);  // the knobs keep their values
  TurnKnob(Knob("kvpotlab15"), 0x0F);          // Mask
  EXPECT_EQ(Working()[0x3C], 0x30);
}

TEST_F(WaveformEditorWindowTest, ValueCaptionIsInPercentWhileBarsAreDrawnFromTheCentre) {
  Wave wave;
  wave.fill(128);
  wave[0] = 255;
  wave[1] = 0;
  StoreWave(0, wave);
  window_->LoadCurrentWaveform();
  ASSERT_TRUE(Toggle("pnlCenter")->On());
  ValueKnob* value = Knob("kvpotlab42");
  EXPECT_EQ(value->text(), "100");
  EXPECT_EQ(value->State(), 255);
  EXPECT_EQ(Find<QLabel>("lblUnit")->text(), "%");
  EXPECT_EQ(Find<QLabel>("lblScale4")->text(), "+100");

  TurnKnob(Knob("kvpotlab43"), 1);  // the locator
  EXPECT_EQ(View()->LocatorPos(), 1);
  EXPECT_EQ(value->text(), "-100");

  ClickToggle("pnlCenter");
  EXPECT_FALSE(View()->SpectrumCenter());
  EXPECT_EQ(value->text(), "0");
  EXPECT_EQ(Find<QLabel>("lblUnit")->text(), "DCV");
  EXPECT_EQ(Find<QLabel>("lblScale3")->text(), " 196");

  // The value knob writes the sample at the locator.
  TurnKnob(value, 90);
  EXPECT_EQ(Working()[1], 90);
  EXPECT_EQ(Grid()->item(1, WaveformValueGrid::kValueColumn)->text(), "90");
}

TEST_F(WaveformEditorWindowTest, DraggingTheLocatorWithRotationOnTurnsTheWorkingCopy) {
  StoreWave(0, Ramp());
  window_->LoadCurrentWaveform();
  ClickGridCell(10, WaveformValueGrid::kIndexColumn);
  ASSERT_EQ(View()->LocatorPos(), 10);
  EXPECT_EQ(Knob("kvpotlab43")->State(), 10);

  const auto drag = [this](int from, int to) {
    const int y = View()->height() / 2;
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(ViewXOf(from), y));
    testing::MoveWithButtons(View(), QPoint(ViewXOf((from + to) / 2), y), Qt::LeftButton);
    testing::MoveWithButtons(View(), QPoint(ViewXOf(to), y), Qt::LeftButton);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(ViewXOf(to), y));
  };

  drag(10, 4);  // rotation off: only the locator moves
  EXPECT_EQ(View()->LocatorPos(), 4);
  EXPECT_EQ(Working(), Ramp());

  drag(4, 10);
  ClickToggle("pnlRotate");
  ASSERT_TRUE(Toggle("pnlRotate")->On());
  EXPECT_EQ(Toggle("pnlRotate")->BackColor(), QColor(255, 0, 0));
  drag(10, 4);
  EXPECT_EQ(View()->LocatorPos(), 4);
  EXPECT_EQ(Knob("kvpotlab43")->State(), 4);
  Wave rotated;
  for (int i = 0; i < 256; ++i) rotated[i] = static_cast<std::uint8_t>((i + 6) % 256);
  EXPECT_EQ(Working(), rotated);  // 6 places towards index 0
  EXPECT_EQ(Grid()->item(0, WaveformValueGrid::kValueColumn)->text(), "6");
}

TEST_F(WaveformEditorWindowTest, EditingAValueCellStoresItsLowEightBits) {
  WaveformValueGrid* grid = Grid();
  ClickGridCell(7, WaveformValueGrid::kValueColumn);
  EXPECT_EQ(OpenEditor(), nullptr);  // locked at start

  QTest::mouseClick(Find<GraphicSwitch>("kvgrafsw13"), Qt::LeftButton, {}, QPoint(3, 3));
  ASSERT_TRUE(grid->Editable());
  ClickGridCell(8, WaveformValueGrid::kValueColumn);
  ClickGridCell(7, WaveformValueGrid::kValueColumn);
  QLineEdit* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "128");
  editor->selectAll();
  QTest::keyClicks(editor, "300");
  QTest::keyClick(editor, Qt::Key_Return);  // the view takes the text on its next event round
  QTRY_COMPARE(int{Working()[7]}, 44);
  EXPECT_EQ(grid->item(7, WaveformValueGrid::kValueColumn)->text(), "44");
  EXPECT_EQ(View()->LocatorPos(), 7);  // a click on a row brings the locator there
}

TEST_F(WaveformEditorWindowTest, DoubleClickSwitchesTheGridToHexadecimal) {
  WaveformValueGrid* grid = Grid();
  window_->WorkingCopy()[3] = 200;
  window_->WaveformChanged();
  const QRect cell = grid->visualItemRect(grid->item(3, WaveformValueGrid::kValueColumn));
  DoubleClick(grid->viewport(), cell.center());
  EXPECT_EQ(grid->item(3, WaveformValueGrid::kValueColumn)->text(), "C8");
  EXPECT_EQ(grid->item(4, WaveformValueGrid::kValueColumn)->text(), "80");
  DoubleClick(grid->viewport(), cell.center());
  EXPECT_EQ(grid->item(3, WaveformValueGrid::kValueColumn)->text(), "200");
}

TEST_F(WaveformEditorWindowTest, SelectionCommandsAlternateWithoutMovingTheKnobs) {
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  QTest::keyClick(window_.get(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(View()->SelectionPos(), 0);
  EXPECT_EQ(View()->SelectionLen(), 255);
  QTest::keyClick(window_.get(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(View()->SelectionLen(), 0);

  Trigger("mnuSelectHalf");
  EXPECT_EQ(View()->SelectionPos(), 0);
  EXPECT_EQ(View()->SelectionLen(), 127);
  Trigger("mnuSelectHalf");
  EXPECT_EQ(View()->SelectionPos(), 128);
  EXPECT_EQ(View()->SelectionLen(), 127);
  EXPECT_EQ(Knob("kvpotlab45")->State(), 0);
  EXPECT_EQ(Knob("kvpotlab44")->State(), 0);

  Trigger("mnuCenterLocator");
  EXPECT_EQ(View()->LocatorPos(), 0);
  Trigger("mnuCenterLocator");
  EXPECT_EQ(View()->LocatorPos(), 128);
  EXPECT_EQ(Knob("kvpotlab43")->State(), 0);
}

TEST_F(WaveformEditorWindowTest, CutFillsTheZeroLineAndPasteWritesAtTheLocator) {
  StoreWave(0, Ramp());
  window_->LoadCurrentWaveform();
  Trigger("mnuSelectHalf");  // 0..126
  Trigger("mnuCut");
  EXPECT_EQ(Working()[0], 128);  // bars from the centre: cut leaves the zero line
  EXPECT_EQ(Working()[126], 128);
  EXPECT_EQ(Working()[127], 127);
  EXPECT_EQ(Grid()->item(126, WaveformValueGrid::kValueColumn)->text(), "128");
  Trigger("mnuCenterLocator");
  Trigger("mnuCenterLocator");  // locator at 128
  Trigger("mnuPaste");
  EXPECT_EQ(Working()[128], 0);
  EXPECT_EQ(Working()[254], 126);
  EXPECT_EQ(Working()[255], 255);
}

TEST_F(WaveformEditorWindowTest, ProcessCommandsTakeTheWorkingCopyOrTheStoredWaveform) {
  Wave stored;
  for (int i = 0; i < 256; ++i) stored[i] = static_cast<std::uint8_t>(20 + i * 80 / 255);
  StoreWave(0, stored);
  window_->LoadCurrentWaveform();
  Trigger("mnuReverse");  // on the working copy
  EXPECT_EQ(Working()[0], 100);
  EXPECT_EQ(Working()[255], 20);
  // Center reads the waveform as stored: span 20..100, m = 20 + 81 / 2 = 60, so +68, unreversed.
  Trigger("mnuCenter");
  EXPECT_EQ(Working()[0], 88);
  EXPECT_EQ(Working()[255], 168);
  EXPECT_EQ(Grid()->item(255, WaveformValueGrid::kValueColumn)->text(), "168");
  Trigger("mnuNew");
  Wave empty;
  empty.fill(128);
  EXPECT_EQ(Working(), empty);
  EXPECT_EQ(window_->MenuAction("mnuNew")->shortcut(), QKeySequence(Qt::Key_Delete));
  EXPECT_TRUE(window_->MenuAction("mnuSendMidi")->isEnabled());
  EXPECT_TRUE(window_->MenuAction("mnuFftAnalysis")->isChecked());
}

TEST_F(WaveformEditorWindowTest, SwitchingScaleDetectionOffClearsTheMarkersOfEverySlot) {
  QSignalSpy changed(window_.get(), &WaveformEditorWindow::ScaleDetectionChanged);
  app_.wavetable().SetMarker(5, kMarkerScale);
  app_.wavetable().SetCurrentSlot(6);
  app_.wavetable().SetMarker(9, kMarkerIrregularScale);
  QAction* detection = window_->MenuAction("mnuScaleDetection");
  EXPECT_FALSE(detection->isChecked());
  detection->trigger();
  EXPECT_EQ(app_.wavetable().Marker(9), kMarkerIrregularScale);  // on: the scale pass marks
  detection->trigger();
  EXPECT_EQ(app_.wavetable().Marker(9), kMarkerNone);
  app_.wavetable().SetCurrentSlot(0);
  EXPECT_EQ(app_.wavetable().Marker(5), kMarkerNone);
  ASSERT_EQ(changed.count(), 2);
  EXPECT_FALSE(changed.at(1).at(0).toBool());
}

TEST_F(WaveformEditorWindowTest, DraggedSelectionMovesTheKnobsAndMarksTheGridRows) {
  const int y = View()->height() / 2;
  QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(ViewXOf(100), y));
  testing::MoveWithButtons(View(), QPoint(ViewXOf(120), y), Qt::LeftButton);
  QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(ViewXOf(120), y));
  const int start = View()->SelectionPos();
  const int length = View()->SelectionLen();
  ASSERT_GT(length, 10);
  EXPECT_EQ(Knob("kvpotlab45")->State(), start);
  EXPECT_EQ(Knob("kvpotlab44")->State(), length);
  const QList<QTableWidgetSelectionRange> ranges = Grid()->selectedRanges();
  ASSERT_EQ(ranges.size(), 1);
  EXPECT_EQ(ranges[0].topRow(), start);
  EXPECT_EQ(ranges[0].bottomRow(), start + length - 1);
  EXPECT_EQ(ranges[0].columnCount(), 3);
}

TEST_F(WaveformEditorWindowTest, RecordingFollowsTheSelectionStartAndWrapsInsideTheSelection) {
  ClickToggle("pnlRec");
  ASSERT_TRUE(window_->Recording());
  EXPECT_EQ(Toggle("pnlRec")->TextColor(), QColor(255, 255, 0));
  TurnKnob(Knob("kvpotlab45"), 10);
  EXPECT_EQ(View()->LocatorPos(), 10);
  EXPECT_EQ(Knob("kvpotlab43")->State(), 10);
  TurnKnob(Knob("kvpotlab44"), 4);
  for (int value : {2, 4, 6, 8, 120}) window_->RecordValue(static_cast<std::uint8_t>(value));
  EXPECT_EQ(Working()[10], 120);  // the fifth value went back to the selection start
  EXPECT_EQ(Working()[11], 4);
  EXPECT_EQ(Working()[13], 8);
  EXPECT_EQ(Working()[14], 128);
  EXPECT_EQ(View()->LocatorPos(), 11);
  EXPECT_EQ(Grid()->item(10, WaveformValueGrid::kValueColumn)->text(), "120");
}

TEST_F(WaveformEditorWindowTest, LoadingAShortFileReplacesOnlyItsLength) {
  StoreWave(0, Ramp());
  window_->LoadCurrentWaveform();
  const fs::path file = home_.root() / "short.raw";
  WriteFile(file, std::string(10, '\x05'));
  dialogs_.answers.push_back(QString::fromStdString(file.string()));
  Trigger("mnuLoad");
  ASSERT_EQ(dialogs_.requests.size(), 1u);
  EXPECT_EQ(dialogs_.requests[0].title, "Load Waveform");
  EXPECT_EQ(dialogs_.requests[0].filter_index, 1);
  EXPECT_EQ(dialogs_.requests[0].filter,
            "8bits sound files (bin, raw)|*.bin;*.raw|Morvane-8  parameters file (*.MRV)|*.MRV|"
            "Spectrum file (*.MSP) |*.MSP|All files (*.*)|*.*");
  Wave expected = Ramp();
  std::fill(expected.begin(), expected.begin() + 10, 5);
  EXPECT_EQ(Working(), expected);
  EXPECT_EQ(Grid()->item(9, WaveformValueGrid::kValueColumn)->text(), "5");
  EXPECT_TRUE(reporter_.messages.empty());

  dialogs_.answers.push_back(QString::fromStdString((home_.root() / "missing.bin").string()));
  Trigger("mnuLoad");
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].first, "File Error");
  EXPECT_EQ(reporter_.messages[0].second, "Read File Error - Abort Loading");
  EXPECT_EQ(Working(), expected);
}

TEST_F(WaveformEditorWindowTest, SavesGetTheirExtensionAndTheirBytes) {
  StoreWave(0, Ramp());
  window_->LoadCurrentWaveform();
  window_->SetMidiChannel(3);
  dialogs_.answers = {QString::fromStdString((home_.root() / "plain.raw").string()),
                      QString::fromStdString((home_.root() / "dump").string())};
  Trigger("mnuSave");
  Trigger("mnuSaveSysex");
  ASSERT_EQ(dialogs_.requests.size(), 2u);
  EXPECT_EQ(dialogs_.requests[0].title, "Save Waveform");
  EXPECT_EQ(dialogs_.requests[0].filter_index, 1);
  EXPECT_TRUE(dialogs_.requests[0].initial_name.isEmpty());
  EXPECT_EQ(dialogs_.requests[1].title, "Save Sysex Waveform ");
  EXPECT_EQ(dialogs_.requests[1].filter_index, 4);
  EXPECT_EQ(dialogs_.requests[1].filter,
            "8bits sound files (bin, raw)|*.bin;*.raw|Morvane-8  parameters file (*.MRV)|*.MRV|"
            "Spectrum file (*.MSP) |*.MSP|Sysex Files|*.syx|All files (*.*)|*.*");
  const Wave ramp = Ramp();
  EXPECT_EQ(ReadFile(home_.root() / "plain.bin"), std::string(ramp.begin(), ramp.end()));
  EXPECT_FALSE(fs::exists(home_.root() / "plain.raw"));
  const WaveformSysexFile sysex = BuildWaveformSysexFile(ramp, 2);
  EXPECT_EQ(ReadFile(home_.root() / "dump.syx"), std::string(sysex.begin(), sysex.end()));
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(WaveformEditorWindowTest, AFailedSaveKeepsTheExistingFileAndSaysSo) {
  const fs::path raw = home_.root() / "keep.bin";
  const fs::path sysex = home_.root() / "keep.syx";
  WriteFile(raw, "old raw");
  WriteFile(sysex, "old sysex");
  dialogs_.answers = {QString::fromStdString(raw.string()), QString::fromStdString(sysex.string())};
  {
    FileSizeLimit full_disk(100);  // both files are longer than this
    Trigger("mnuSave");
    Trigger("mnuSaveSysex");
  }
  EXPECT_EQ(ReadFile(raw), "old raw");
  EXPECT_EQ(ReadFile(sysex), "old sysex");
  ASSERT_EQ(reporter_.messages.size(), 2u);
  for (const auto& [caption, text] : reporter_.messages) {
    EXPECT_EQ(caption, "File Error");
    EXPECT_EQ(text, "Write File Error - Abort Saving");
  }
  std::vector<fs::path> left;
  for (const auto& entry : fs::directory_iterator(home_.root())) left.push_back(entry.path());
  EXPECT_EQ(left.size(), 2u) << "no temporary file stays behind";
}

TEST_F(WaveformEditorWindowTest, ViewEntriesHideThePanelsAndTheGridCatchesUpWhenShown) {
  QWidget* grid_panel = Find<QWidget>("pnlGrid");
  Trigger("mnuGridEdit");
  EXPECT_TRUE(grid_panel->isHidden());
  EXPECT_FALSE(window_->MenuAction("mnuGridEdit")->isChecked());
  window_->WorkingCopy()[0] = 9;
  window_->WaveformChanged();
  EXPECT_EQ(Grid()->item(0, WaveformValueGrid::kValueColumn)->text(), "128");  // not refilled
  Trigger("mnuGridEdit");
  EXPECT_FALSE(grid_panel->isHidden());
  EXPECT_EQ(Grid()->item(0, WaveformValueGrid::kValueColumn)->text(), "9");

  Trigger("mnuControlPanel");
  EXPECT_TRUE(Find<QWidget>("pnlControl")->isHidden());
}

TEST_F(WaveformEditorWindowTest, SettingsComeBackAtTheNextCreation) {
  window_->SaveSettings();  // as a normal exit leaves them
  {                         // the options dialog's values
    SettingsWriter writer = app_.settings().OpenForWriting();
    writer.WriteInteger("ColorMark", 0x0000FF);
    writer.WriteInteger("ColorWaveText", 0x00FFFF);
    writer.WriteInteger("ColorBack", 0x202020);
    for (const char* name : {"ColorLine", "ColorAxes", "ColorGradient", "ColorLocator",
                             "ColorSelection", "ColorWaveMinmax"}) {
      writer.WriteInteger(name, 0x123456);
    }
    writer.WriteInteger("GradientType", 1);
    ASSERT_TRUE(writer.Close());
  }
  Open();  // reads the options dialog's values; its own come back as they were saved
  window_->move(123, 77);
  ClickToggle("pnlCenter");
  ClickToggle("pnlLineMode");
  ClickToggle("pnlMarkers");
  ClickToggle("pnlFullScale");
  ClickToggle("pnlRotate");
  ClickToggle("pnlPeakToPeak");
  Trigger("mnuControlPanel");
  window_->SaveSettings();

  Open();
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(window_->pos(), QPoint(123, 77));
  EXPECT_FALSE(Toggle("pnlCenter")->On());
  EXPECT_TRUE(Toggle("pnlLineMode")->On());
  EXPECT_FALSE(Toggle("pnlMarkers")->On());
  EXPECT_FALSE(Toggle("pnlFullScale")->On());
  EXPECT_FALSE(View()->SpectrumCenter());
  EXPECT_FALSE(View()->SpectrumMode());
  EXPECT_EQ(View()->MarkerSize(), 0);
  EXPECT_FALSE(View()->AxesEnabled());
  EXPECT_TRUE(Find<QWidget>("pnlControl")->isHidden());
  EXPECT_FALSE(window_->MenuAction("mnuControlPanel")->isChecked());
  EXPECT_FALSE(Find<QWidget>("pnlGrid")->isHidden());
  EXPECT_EQ(View()->MarkerColor(), 0x0000FFu);
  EXPECT_EQ(View()->Color(), 0x202020u);
  EXPECT_EQ(View()->LineColor(), 0x123456u);
  EXPECT_EQ(View()->GradientType(), GradientTypex::grxRightToLeft);
  EXPECT_EQ(Grid()->palette().color(QPalette::Text), QColor(255, 0, 0));
  EXPECT_EQ(Knob("kvpotlab13")->palette().color(QPalette::WindowText), QColor(255, 255, 0));
  // "P", "REC" and "R" are not kept.
  EXPECT_FALSE(Toggle("pnlRotate")->On());
  EXPECT_TRUE(Toggle("pnlPeakToPeak")->On());
}

TEST_F(WaveformEditorWindowTest, AMissingSettingIsReportedAndTheRestKeepsItsStart) {
  {
    SettingsWriter writer = app_.settings().OpenForWriting();
    writer.WriteInteger("PX3", 31);
    writer.WriteInteger("PY3", 41);
    writer.WriteBoolean("Vtable1", false);
    ASSERT_TRUE(writer.Close());
  }
  Open();
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_TRUE(reporter_.messages[0].second.contains("Cpanel1"))
      << reporter_.messages[0].second.toStdString();
  EXPECT_EQ(window_->pos(), QPoint(31, 41));
  EXPECT_TRUE(Find<QWidget>("pnlGrid")->isHidden());
  EXPECT_FALSE(Find<QWidget>("pnlControl")->isHidden());
  EXPECT_TRUE(Toggle("pnlCenter")->On());
}

}  // namespace
}  // namespace morvane
