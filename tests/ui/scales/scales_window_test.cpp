#include "ui/scales/scales_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "core/scales/scala_file.h"
#include "core/scales/scale_table.h"
#include "core/util/whole_file_io.h"
#include "platform/user_folders.h"
#include "support/file_size_limit.h"
#include "support/recording_reporter.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "ui/controls/control_test_support.h"
#include "ui/controls/graphic_switch.h"
#include "ui/controls/value_knob.h"
#include "ui/scales/preset_name_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using Wave = std::array<std::uint8_t, kWaveLength>;

std::string ReadAll(const fs::path& file) {
  std::string contents;
  EXPECT_TRUE(ReadWholeFile(file, contents)) << file;
  return contents;
}

void WriteAll(const fs::path& file, const std::string& contents) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << contents;
}

// Every window created as the program creates them, on a temporary home where a test may put
// sp.kub first; messages are recorded and file dialogs scripted.
class ScalesWindowTest : public ::testing::Test {
 protected:
  static fs::path PresetFile() { return UserDataFolder() / "sp.kub"; }

  void Start() {
    app_ = std::make_unique<AppContext>(std::make_unique<WavetableStore>(),
                                        std::make_unique<SettingsStore>(SettingsFilePath()),
                                        reporter_, dialogs_);
    app_->CreateWindows();
    window_ = app_->scales_window();
    editor_ = app_->waveform_editor();
  }
  // The main window closes, as at program end: settings and sp.kub are written.
  void CloseProgram() { app_->main_window()->close(); }

  template <typename T>
  T* Find(const QString& name) {
    T* widget = window_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }
  GraphicSwitch* Key(int note) { return Find<GraphicSwitch>(QString("kvgrafsw%1").arg(note + 1)); }
  ValueKnob* Knob(int number) { return Find<ValueKnob>(QString("kvpotlab%1").arg(number)); }
  QString LabelText(const char* name) { return Find<QLabel>(name)->text(); }
  QComboBox* Presets() { return Find<QComboBox>("ComboBox1"); }
  void Press(const char* button) { Find<QPushButton>(button)->click(); }
  Wave Working() {
    Wave wave;
    std::ranges::copy(editor_->WorkingCopy(), wave.begin());
    return wave;
  }
  static Wave Table(int mask, int inc, int octaves, int transpose) {
    return CalcScalesAuto(mask, inc, octaves, transpose).samples;
  }
  void Choose(int index) {
    Presets()->setCurrentIndex(index);
    emit Presets()->activated(index);
  }
  // Presses the add button while a "user" types `name` and answers the dialog; `ok` false
  // closes it instead.
  void AddPreset(const QString& name, bool ok = true) {
    PresetNameDialog* dialog = app_->preset_name_dialog();
    QTimer::singleShot(0, dialog, [dialog, name, ok] {
      ASSERT_TRUE(dialog->isVisible());
      dialog->NameField()->setText(name);
      if (ok) {
        dialog->findChild<QPushButton*>("btnOk")->click();
      } else {
        dialog->reject();
      }
    });
    Press("btnAddPreset");
  }
  std::vector<QString> Texts() const {
    std::vector<QString> texts;
    for (const auto& message : reporter_.messages) texts.push_back(message.second);
    return texts;
  }

  TempHome home_;
  RecordingReporter reporter_;
  ScriptedFileDialogs dialogs_;
  std::unique_ptr<AppContext> app_;
  ScalesWindow* window_ = nullptr;
  WaveformEditorWindow* editor_ = nullptr;
};

TEST_F(ScalesWindowTest, StartsAsDescribedAndTheMainWindowTicksAndUnticksIt) {
  Start();
  EXPECT_EQ(window_->windowTitle(), "Scales");
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(LabelText("Label3"), "Notes = ");
  EXPECT_EQ(LabelText("Label4"), "Steps = ");
  EXPECT_EQ(Knob(2)->State(), 2);
  EXPECT_EQ(Knob(2)->toolTip(), "Digital  1/2 Tone");
  EXPECT_EQ(Knob(3)->State(), 10);
  EXPECT_EQ(Knob(4)->text(), "C ");
  EXPECT_EQ(Knob(5)->Max(), 4095);
  EXPECT_EQ(Presets()->currentText(), "Empty Scale");
  EXPECT_EQ(Presets()->maxVisibleItems(), 32);
  EXPECT_EQ(Find<QPushButton>("btnAddPreset")->text(), QString(QChar(0x03A3)));
  EXPECT_EQ(Find<QPushButton>("btnAddPreset")->toolTip(), "Add  Preset Scale");
  EXPECT_EQ(Find<QPushButton>("btnRemovePreset")->toolTip(), "Remove Preset Scale ");
  EXPECT_TRUE(reporter_.messages.empty()) << "no sp.kub on a first start is no error";

  QAction* entry = app_->main_window()->MenuAction("mnuScalesWindow");
  entry->trigger();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(window_));
  EXPECT_TRUE(entry->isChecked());
  window_->close();
  EXPECT_FALSE(entry->isChecked());
}

TEST_F(ScalesWindowTest, KeysBuildTheTableInTheWorkingCopyAndTheLabels) {
  Start();
  QTest::mouseClick(Key(0), Qt::LeftButton);  // only C
  EXPECT_EQ(Working(), Table(1, 2, 10, 0));
  EXPECT_EQ(Working()[25], 24);
  EXPECT_EQ(LabelText("Label3"), "Selected = 1");
  EXPECT_EQ(LabelText("Label4"), "Steps = 25");
  EXPECT_EQ(Knob(5)->State(), 1);

  for (int note = 1; note < 12; ++note) QTest::mouseClick(Key(note), Qt::LeftButton);
  EXPECT_EQ(window_->GetScaleNotes(), 4095);
  EXPECT_EQ(Working()[239], 238);
  EXPECT_EQ(Working()[255], 254);
  EXPECT_EQ(LabelText("Label4"), "Steps = 2");

  // Inc, Octaves and Transpose each recompute; Transpose shows its note.
  testing::TurnKnob(Knob(2), 4);
  EXPECT_EQ(Working(), Table(4095, 4, 10, 0));
  EXPECT_EQ(window_->NoteOfValue(25), 6);
  testing::TurnKnob(Knob(3), 2);
  EXPECT_EQ(Working(), Table(4095, 4, 2, 0));
  testing::TurnKnob(Knob(4), 3);
  EXPECT_EQ(Knob(4)->text(), "D#");
  EXPECT_EQ(Working(), Table(4095, 4, 2, 3));

  // Every key off again: no note, an empty table.
  window_->SetScaleNotes(1);
  QTest::mouseClick(Key(0), Qt::LeftButton);
  EXPECT_EQ(LabelText("Label4"), "Select Notes !");
  EXPECT_EQ(Working(), Wave{});
}

TEST_F(ScalesWindowTest, TheScaleNumberKnobSetsTheKeysAndSetScaleNotesRunsNothing) {
  Start();
  const Wave before = Working();
  window_->SetScaleNotes(0x801);
  EXPECT_TRUE(Key(0)->Checked());
  EXPECT_TRUE(Key(11)->Checked());
  EXPECT_FALSE(Key(1)->Checked());
  EXPECT_EQ(Working(), before);
  EXPECT_EQ(LabelText("Label3"), "Notes = ");

  testing::TurnKnob(Knob(5), 5);
  EXPECT_EQ(window_->GetScaleNotes(), 5);
  EXPECT_TRUE(Key(2)->Checked());
  EXPECT_EQ(Working(), Table(5, 2, 10, 0));
  EXPECT_EQ(LabelText("Label3"), "Selected = 2");

  // A detected scale shows its number without becoming the knob's value.
  window_->ShowDetectedScale(127, "Base = D ");
  EXPECT_EQ(LabelText("Label3"), "Base = D ");
  EXPECT_EQ(Knob(5)->text(), "127");
  EXPECT_EQ(Knob(5)->State(), 5);
  EXPECT_TRUE(LabelText("Label4").isEmpty());
  window_->ClearDetectionLabels();
  EXPECT_TRUE(LabelText("Label3").isEmpty());
}

TEST_F(ScalesWindowTest, PresetsAreAddedWithTheDialogSelectedAndRemoved) {
  Start();
  window_->SetScaleNotes(5);
  AddPreset("Minor");
  ASSERT_EQ(window_->PresetEntries(), QStringList{" 0005- Minor"});
  EXPECT_EQ(Presets()->currentIndex(), 0);
  // Closing the dialog adds nothing; the field kept the last name.
  AddPreset("Other", false);
  EXPECT_EQ(window_->PresetEntries().size(), 1);
  EXPECT_EQ(app_->preset_name_dialog()->windowTitle(), "Preset Scale Name ");
  window_->SetScaleNotes(2741);
  AddPreset("Major - Ionian");
  EXPECT_EQ(window_->PresetEntries().back(), " 2741- Major - Ionian");
  EXPECT_EQ(Presets()->currentIndex(), 1);

  Choose(0);
  EXPECT_EQ(window_->GetScaleNotes(), 5);
  EXPECT_EQ(Working(), Table(5, 2, 10, 0));
  EXPECT_EQ(Knob(5)->State(), 5);

  Press("btnRemovePreset");
  EXPECT_EQ(window_->PresetEntries(), QStringList{" 2741- Major - Ionian"});
  EXPECT_EQ(Presets()->currentText(), "");
  EXPECT_TRUE(reporter_.messages.empty());
  // Nothing selected now: refused, the list stays.
  Press("btnRemovePreset");
  EXPECT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(window_->PresetEntries(), QStringList{" 2741- Major - Ionian"});
}

TEST_F(ScalesWindowTest, SpKubComesBackByteForByteAndTakesEveryChange) {
  const std::string file = " 0005- Minor\r\n 2741- Major - Ionian\r\n 0001- C only\r\n";
  WriteAll(PresetFile(), file);
  Start();
  EXPECT_EQ(window_->PresetEntries().size(), 3);
  EXPECT_EQ(Presets()->currentText(), "Empty Scale");
  Choose(1);
  EXPECT_EQ(window_->GetScaleNotes(), 2741);
  CloseProgram();
  EXPECT_EQ(ReadAll(PresetFile()), file);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(ScalesWindowTest, AMalformedSpKubIsReportedOnceAndKeptUntilTheListChanges) {
  const std::string file = " 0005- Minor\r\nno number here\r\n 0007- Three\r\nx-y\r\n";
  WriteAll(PresetFile(), file);
  Start();
  EXPECT_EQ(window_->PresetEntries(), (QStringList{" 0005- Minor", " 0007- Three"}));
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_TRUE(Texts()[0].contains("line 2, 4")) << Texts()[0].toStdString();
  CloseProgram();
  EXPECT_EQ(ReadAll(PresetFile()), file) << "a hand-edited file is not rewritten unasked";

  // Once the user changes the list, it is the list to keep.
  Start();
  window_->SetScaleNotes(9);
  AddPreset("Added");
  CloseProgram();
  EXPECT_EQ(ReadAll(PresetFile()), " 0005- Minor\r\n 0007- Three\r\n 0009- Added\r\n");
}

TEST_F(ScalesWindowTest, AnUnreadableSpKubIsReportedAndLeftAlone) {
  fs::create_directories(PresetFile());  // a folder in its place cannot be read as the list
  Start();
  EXPECT_EQ(reporter_.messages.size(), 1u);
  EXPECT_TRUE(window_->PresetEntries().isEmpty());
  CloseProgram();
  EXPECT_TRUE(fs::is_directory(PresetFile()));
  EXPECT_EQ(reporter_.messages.size(), 1u);
}

TEST_F(ScalesWindowTest, AFailedWriteOfSpKubIsReportedAndKeepsThePreviousFile) {
  const std::string file = " 0005- Minor\r\n";
  WriteAll(PresetFile(), file);
  Start();
  for (int n = 0; n < 20; ++n) AddPreset(QString("A rather long preset name %1").arg(n));
  {
    FileSizeLimit limit(64);
    ASSERT_TRUE(limit.Applied());
    CloseProgram();
  }
  EXPECT_EQ(ReadAll(PresetFile()), file);
  ASSERT_FALSE(reporter_.messages.empty());
  EXPECT_TRUE(Texts().back().contains("previous file is kept")) << Texts().back().toStdString();
}

TEST_F(ScalesWindowTest, ScalaFilesBringScalesInAndTakeThemOut) {
  Start();
  const fs::path major = home_.root() / "major.scl";
  WriteAll(major, "! major.scl\nMajor\n 7\n200.0\n400.0\n500.0\n700.0\n900.0\n1100.0\n2/1\n");
  dialogs_.answers = {QString::fromStdString(major.string())};
  Press("btnImportScala");
  EXPECT_EQ(window_->GetScaleNotes(), 2741);
  EXPECT_EQ(Working(), Table(2741, 2, 10, 0));
  EXPECT_TRUE(dialogs_.requests.back().filter.contains("*.scl"));

  // Exported under the selected preset's name, and read back to the same keys.
  window_->SetScaleNotes(0x0A4);  // D, F, G
  AddPreset("Three");
  const fs::path out = home_.root() / "three.scl";
  dialogs_.answers = {QString::fromStdString(out.string())};
  Press("btnExportScala");
  EXPECT_EQ(ReadAll(out), ExportScala(0x0A4, "Three"));
  EXPECT_NE(ReadAll(out).find("! base D "), std::string::npos);
  window_->SetScaleNotes(0);
  dialogs_.answers = {QString::fromStdString(out.string())};
  Press("btnImportScala");
  EXPECT_EQ(window_->GetScaleNotes(), 0x0A4);
  EXPECT_TRUE(reporter_.messages.empty());

  // A scale off the semitones is refused by its line; nothing changes.
  const Wave before = Working();
  const fs::path odd = home_.root() / "odd.scl";
  WriteAll(odd, "Odd\n2\n150.0\n2/1\n");
  dialogs_.answers = {QString::fromStdString(odd.string())};
  Press("btnImportScala");
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_TRUE(Texts()[0].contains("line 3")) << Texts()[0].toStdString();
  EXPECT_EQ(window_->GetScaleNotes(), 0x0A4);
  EXPECT_EQ(Working(), before);
  // Cancelled dialogs do nothing.
  Press("btnImportScala");
  Press("btnExportScala");
  EXPECT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(window_->GetScaleNotes(), 0x0A4);
}

TEST_F(ScalesWindowTest, PlaceAndVisibilityComeBackAtTheNextStart) {
  Start();
  app_->main_window()->MenuAction("mnuScalesWindow")->trigger();
  window_->move(333, 222);
  const QPoint place = window_->pos();
  CloseProgram();
  app_.reset();
  Start();
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(window_->pos(), place);
  EXPECT_TRUE(app_->main_window()->MenuAction("mnuScalesWindow")->isChecked());
}

}  // namespace
}  // namespace morvane
