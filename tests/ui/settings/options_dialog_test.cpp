#include "ui/settings/options_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "core/waveform/waveform_editor_settings.h"
#include "platform/user_folders.h"
#include "support/fake_audio_devices.h"
#include "support/recording_reporter.h"
#include "support/scripted_color_dialogs.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "support/virtual_waiter.h"
#include "ui/controls/control_test_support.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/settings/options_color_swatch.h"
#include "ui/shell/app_context.h"
#include "ui/shell/color_value.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/waveform/waveform_value_grid.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

class OptionsDialogTest : public ::testing::Test {
 protected:
  OptionsDialogTest() { audio_.outputs.devices = {"Card A", "Card B"}; }

  // Creates every window as the program does; the fakes are set up before.
  void Create() {
    app_.reset();
    app_ = std::make_unique<AppContext>(
        std::make_unique<WavetableStore>(), std::make_unique<SettingsStore>(SettingsFilePath()),
        reporter_, file_dialogs_, AppServices{&color_dialogs_, &audio_, nullptr, &waiter_});
    app_->CreateWindows();
    dialog_ = app_->options_dialog();
  }

  template <typename T>
  T* Find(const QString& name) {
    T* widget = dialog_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }
  ValueKnob* Knob(const QString& name) { return Find<ValueKnob>(name); }
  ColorSwatch* Swatch(const QString& setting) { return Find<ColorSwatch>("pnl" + setting); }
  void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {},
                      QPoint(widget->width() / 2, widget->height() / 2));
  }
  void ShowPage(const QString& name) {
    auto* pages = Find<QTabWidget>("PageControl1");
    pages->setCurrentWidget(Find<QWidget>(name));
    dialog_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog_));
  }

  TempHome home_;
  RecordingReporter reporter_;
  ScriptedFileDialogs file_dialogs_;
  ScriptedColorDialogs color_dialogs_;
  FakeAudioDevices audio_;
  VirtualWaiter waiter_;  // the start-up pause in virtual time
  std::unique_ptr<AppContext> app_;
  OptionsDialog* dialog_ = nullptr;
};

TEST_F(OptionsDialogTest, AFirstRunStartsEveryControlAtItsInitialValue) {
  Create();
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(dialog_->objectName(), "Form4");
  EXPECT_EQ(dialog_->windowTitle(), "Options");
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_FALSE(dialog_->isModal());
  EXPECT_TRUE(dialog_->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(dialog_->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(dialog_->windowFlags() & Qt::WindowMinimizeButtonHint);
  auto* pages = Find<QTabWidget>("PageControl1");
  ASSERT_EQ(pages->count(), 4);
  EXPECT_EQ(pages->tabText(0), "MIDI");
  EXPECT_EQ(pages->tabText(1), "Audio");
  EXPECT_EQ(pages->tabText(2), "Colors");
  EXPECT_EQ(pages->tabText(3), "Path");

  // MIDI page.
  struct KnobCase {
    const char* name;
    int min, max, state;
    const char* hint;
  };
  for (const KnobCase& k : {KnobCase{"kvpotlab1", 0, 999, 0, "MIDI Output Delay "},
                            KnobCase{"kvpotlab5", 0, 999, 20, "MIDI Input Time Out Error Delay "},
                            KnobCase{"kvpotlab2", 0, 7, 0, "MIDI Output Delay "},
                            KnobCase{"kvpotStepsGradient", 1, 256, 100, "X Range"},
                            KnobCase{"kvpotStepsGradientSM", 1, 256, 100, "X Range"},
                            KnobCase{"kvpotStepsGradientSA", 1, 256, 100, "X Range"},
                            KnobCase{"kvpotOutputBufferSize", 0, 9999, 100, ""}}) {
    ValueKnob* knob = Knob(k.name);
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(knob->Min(), k.min) << k.name;
    EXPECT_EQ(knob->Max(), k.max) << k.name;
    EXPECT_EQ(knob->State(), k.state) << k.name;
    EXPECT_EQ(knob->toolTip(), k.hint) << k.name;
  }
  EXPECT_EQ(dialog_->TimeOut(), 20);
  EXPECT_EQ(dialog_->SysexSendDelay(), 0);
  struct BoxCase {
    const char* name;
    const char* caption;
    bool checked;
  };
  for (const BoxCase& b :
       {BoxCase{"CheckBox1", "Merge", false}, BoxCase{"CheckBox2", "Startup Send", true},
        BoxCase{"CheckBox6", "Note ON", true}, BoxCase{"CheckBox8", "Controler", true},
        BoxCase{"CheckBox4", "Reload last Wavetable  files automaticaly   ", false}}) {
    auto* box = Find<QCheckBox>(b.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), b.caption);
    EXPECT_EQ(box->isChecked(), b.checked) << b.name;
  }
  EXPECT_EQ(Find<QCheckBox>("CheckBox1")->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(Find<QAbstractButton>("btnSendKrn5")->toolTip(), "Send KRN5 setup to MIDI");
  EXPECT_NE(Find<QComboBox>("cmbInput"), nullptr);
  EXPECT_NE(Find<QComboBox>("cmbOutput"), nullptr);

  // Audio page: the rate group, the third rate chosen, the buffer controls kept hidden.
  auto* rates = Find<QGroupBox>("GrpSampleRate");
  const QList<QRadioButton*> rate_buttons = rates->findChildren<QRadioButton*>();
  QStringList captions;
  for (QRadioButton* button : rate_buttons) captions << button->text();
  EXPECT_EQ(captions, QStringList({"&8000 Hz", "&11025 Hz", "&22050 Hz", "&32000 Hz", "&44100 Hz",
                                   "&48000 Hz"}));
  EXPECT_TRUE(rate_buttons[2]->isChecked());
  EXPECT_EQ(dialog_->AudioFormat(), BuildPcmFormat(1, 8, 22050));
  EXPECT_EQ(Find<QComboBox>("cbAudioOutdevice")->maxVisibleItems(), 32);
  EXPECT_FALSE(Knob("kvpotOutputBufferSize")->isVisibleTo(dialog_));
  EXPECT_FALSE(Find<QGroupBox>("GrpPlayback")->isVisibleTo(dialog_));
  EXPECT_EQ(Find<QLabel>("lbOutputBufferSize")->text(), "200 kB");

  // Colors page: every swatch shows what its window shows before any choice.
  const OptionsDialogSettings first;
  for (std::size_t s = 0; s < kWavetableSwatches.size(); ++s) {
    EXPECT_EQ(Swatch(QString::fromLatin1(kWavetableSwatches[s].setting.data()))->Color(),
              first.wavetable_colors[s])
        << kWavetableSwatches[s].setting;
  }
  EXPECT_EQ(dialog_->GridColors(), kDefaultCellColors);
  EXPECT_EQ(dialog_->GridColors(), app_->main_window()->Colors());
  const WaveformEditorSettings editor;
  EXPECT_EQ(Swatch("ColorBack")->Color(), editor.back_color);
  EXPECT_EQ(Swatch("ColorLine")->Color(), editor.line_color);
  EXPECT_EQ(Swatch("ColorWaveText")->Color(), editor.text_color);
  EXPECT_EQ(Swatch("ColorMark")->Color(), editor.marker_color);
  EXPECT_EQ(Swatch("ColorWaveMinmax")->Color(), editor.minimax_color);
  for (EditorView view : {kAmplView, kPhaseView}) {
    EXPECT_EQ(dialog_->Look(view).colors, first.editors[view].colors);
  }
  EXPECT_EQ(dialog_->findChild<ColorSwatch*>("pnl"), nullptr) << "no phase back or text swatch";
  for (const char* name : {"cbGradientType", "cbGradientTypeSM", "cbGradientTypeSA"}) {
    auto* list = Find<QComboBox>(name);
    ASSERT_EQ(list->count(), 8);
    EXPECT_EQ(list->itemText(0), "LeftToRight");
    EXPECT_EQ(list->itemText(4), "HorizCenterToBorder");
    EXPECT_EQ(list->itemText(7), "VertBorderToCenter");
  }
  EXPECT_EQ(Find<QComboBox>("cbGradientType")->currentIndex(),
            static_cast<int>(editor.gradient_type));

  // Path page.
  EXPECT_EQ(dialog_->TempFolder(), QCoreApplication::applicationDirPath() + "/");
  EXPECT_EQ(Find<QLabel>("lbCheminTemp")->text(), dialog_->TempFolder());
  EXPECT_EQ(Find<QAbstractButton>("btnTempPath")->toolTip(), "Open File");
  for (int slot = 1; slot <= 8; ++slot) {
    EXPECT_EQ(Find<QLabel>(QString("Labpath%1").arg(slot))->text(), "New");
  }
}

TEST_F(OptionsDialogTest, TwoAudioDevicesGiveThreeEntriesAndTheSecondChoosesDeviceZero) {
  Create();
  EXPECT_EQ(audio_.calls, 1);
  auto* list = Find<QComboBox>("cbAudioOutdevice");
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->itemText(0), "Default output");
  EXPECT_EQ(list->itemText(1), "Card A");
  EXPECT_EQ(list->itemText(2), "Card B");
  EXPECT_EQ(list->currentIndex(), 0);
  EXPECT_EQ(dialog_->AudioOutput().device, kDefaultOutputDevice);
  const int buffers_at_start = dialog_->AudioOutput().buffer_count;

  ShowPage("TabAudio");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);  // the user picks the second entry
  EXPECT_EQ(list->currentIndex(), 1);
  EXPECT_EQ(dialog_->AudioOutput().device, 0);
  EXPECT_EQ(dialog_->AudioOutput().buffer_count, 100) << "200 kB in buffers of 2048 bytes";
  EXPECT_NE(buffers_at_start, 100) << "the start does not change the buffers";
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(dialog_->AudioOutput().device, 1);

  // The choice comes back at the next start.
  app_->main_window()->close();
  Create();
  EXPECT_EQ(Find<QComboBox>("cbAudioOutdevice")->currentIndex(), 2);
  EXPECT_EQ(dialog_->AudioOutput().device, 1);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(OptionsDialogTest, AFailingSoundSystemIsAHardwareErrorAndLeavesDeviceZero) {
  audio_.failure = "no sound server";
  Create();
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].first, "Hardware error");
  EXPECT_EQ(reporter_.messages[0].second, "No Audio device found ");
  EXPECT_EQ(reporter_.icons[0], QMessageBox::Critical);
  EXPECT_EQ(dialog_->AudioOutput().device, 0);
  EXPECT_EQ(Find<QComboBox>("cbAudioOutdevice")->count(), 0);
}

TEST_F(OptionsDialogTest, ASwatchAppliesItsColourAtOnceToTheGridAndTheEditor) {
  Create();
  MainWindow* main = app_->main_window();
  main->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  WaveformEditorWindow* editor = app_->waveform_editor();
  ShowPage("TabColors");

  // The grid's normal background.
  color_dialogs_.answers = {0x000000FFu};
  Click(Swatch("ColorBackWT"));
  EXPECT_EQ(color_dialogs_.started_from.back(), kDefaultCellColors[kCellBack]);
  EXPECT_EQ(Swatch("ColorBackWT")->Color(), 0x000000FFu);
  EXPECT_EQ(main->Colors()[kCellBack], 0x000000FFu);
  WaveGrid* grid = main->Grid();
  const QPoint corner = grid->CellRect(10, 20).topLeft() + QPoint(2, 2);
  EXPECT_EQ(testing::PixelAt(*grid, corner), QColor(255, 0, 0));
  EXPECT_EQ(dialog_->GridColors()[kCellBack], 0x000000FFu);

  // The waveform editor's view, its text and its grid.
  struct Case {
    const char* setting;
    std::uint32_t chosen;
    std::function<std::uint32_t()> shown;
  };
  SampleTank* view = editor->View();
  const Case cases[] = {
      {"ColorLine", 0x00010203, [view] { return view->LineColor(); }},
      {"ColorAxes", 0x00040506, [view] { return view->AxesColor(); }},
      {"ColorGradient", 0x00070809, [view] { return view->GradientColor(); }},
      {"ColorLocator", 0x000A0B0C, [view] { return view->LocatorColor(); }},
      {"ColorSelection", 0x000D0E0F, [view] { return view->SelectionColor(); }},
      {"ColorWaveMinmax", 0x00101112, [view] { return view->MinimaxColor(); }},
      {"ColorMark", 0x00131415, [view] { return view->MarkerColor(); }},
      {"ColorBack", 0x00161718, [editor] { return editor->BackColor(); }},
      {"ColorBack", 0x00161718, [view] { return view->Color(); }},
      {"ColorWaveText", 0x0019202A, [editor] { return editor->TextColor(); }},
  };
  for (const Case& c : cases) {
    color_dialogs_.answers = {c.chosen};
    Click(Swatch(c.setting));
    EXPECT_EQ(c.shown(), c.chosen) << c.setting;
    EXPECT_EQ(Swatch(c.setting)->Color(), c.chosen) << c.setting;
  }
  auto* values = editor->findChild<WaveformValueGrid*>("StringGrid1");
  EXPECT_EQ(values->palette().color(QPalette::Text), ColorFromValue(0x00131415));
  EXPECT_EQ(editor->BackColor(), 0x00161718u) << "text kept the back chosen before";

  // A cancelled dialog keeps the colour.
  color_dialogs_.answers = {std::nullopt};
  Click(Swatch("ColorLine"));
  EXPECT_EQ(view->LineColor(), 0x00010203u);

  // The spectrum editor's and the log's colours are kept for those windows.
  color_dialogs_.answers = {0x00ABCDEFu, 0x00123456u};
  Click(Swatch("ColorLineSA"));
  Click(Swatch("ColorLogBack"));
  EXPECT_EQ(dialog_->Look(kPhaseView).colors[kEditorLines], 0x00ABCDEFu);
  EXPECT_EQ(dialog_->WavetableColor(kLogBackSwatch), 0x00123456u);
  EXPECT_EQ(view->LineColor(), 0x00010203u);

  // The Wave gradient list and steps knob drive the editor's view.
  auto* gradient = Find<QComboBox>("cbGradientType");
  gradient->setFocus();
  QTest::keyClick(gradient, Qt::Key_Home);
  EXPECT_EQ(view->GradientType(), GradientTypex::grxLeftToRight);
  ValueKnob* steps = Knob("kvpotStepsGradient");
  EXPECT_EQ(view->GradientNbOfColors(), 100) << "taken at the editor's creation";
  QTest::mouseClick(steps, Qt::LeftButton, {}, QPoint(3, 3));  // one step down
  EXPECT_EQ(view->GradientNbOfColors(), 99);
}

TEST_F(OptionsDialogTest, TheSampleRateChangesThePcmRecordAndEveryStartIsBackAt22050) {
  Create();
  ShowPage("TabAudio");
  QRadioButton* rate_44100 = nullptr;
  for (QRadioButton* button : Find<QGroupBox>("GrpSampleRate")->findChildren<QRadioButton*>()) {
    if (button->text() == "&44100 Hz") rate_44100 = button;
  }
  ASSERT_NE(rate_44100, nullptr);
  QTest::mouseClick(rate_44100, Qt::LeftButton, {}, QPoint(8, rate_44100->height() / 2));
  EXPECT_EQ(dialog_->SampleRate(), 44100);
  EXPECT_EQ(dialog_->AudioFormat().average_bytes_per_second, 44100u);
  EXPECT_EQ(dialog_->AudioFormat().block_align, 1);
  dialog_->close();
  app_->main_window()->close();

  Create();
  EXPECT_EQ(dialog_->SampleRate(), 22050);
  EXPECT_EQ(dialog_->AudioFormat(), BuildPcmFormat(1, 8, 22050));
}

TEST_F(OptionsDialogTest, TheMidiPageSignalsOnlyTheUsersChoices) {
  Create();
  ShowPage("TabMidi");
  QSignalSpy ports(dialog_, &OptionsDialog::MidiPortChosen);
  QSignalSpy input(dialog_, &OptionsDialog::Krn5InputChanged);
  QSignalSpy merge(dialog_, &OptionsDialog::Krn5MergeClicked);
  QSignalSpy send(dialog_, &OptionsDialog::SendKrn5Clicked);

  dialog_->SetMidiIn(1);
  dialog_->SetMidiInputNames({"In A", "In B", "In C"});
  dialog_->SetMidiOutputNames({"Out A"});
  dialog_->SetTimeOut(55);
  EXPECT_EQ(dialog_->MidiIn(), 1) << "the entry set before the list came";
  EXPECT_EQ(dialog_->MidiOut(), 0);
  EXPECT_EQ(dialog_->TimeOut(), 55);
  EXPECT_EQ(ports.count(), 0);

  auto* in_list = Find<QComboBox>("cmbInput");
  in_list->setFocus();
  QTest::keyClick(in_list, Qt::Key_Down);
  EXPECT_EQ(dialog_->MidiIn(), 2);
  EXPECT_EQ(ports.count(), 1);

  ValueKnob* krn5 = Knob("kvpotlab2");
  QTest::mouseClick(krn5, Qt::RightButton, {}, QPoint(3, 3));
  ASSERT_EQ(input.count(), 1);
  EXPECT_EQ(input[0][0].toInt(), 1);
  EXPECT_EQ(dialog_->Krn5Input(), 1);
  Click(Find<QCheckBox>("CheckBox1"));
  ASSERT_EQ(merge.count(), 1);
  EXPECT_TRUE(merge[0][0].toBool());
  EXPECT_TRUE(dialog_->Krn5Merge());
  Click(Find<QAbstractButton>("btnSendKrn5"));
  EXPECT_EQ(send.count(), 1);
}

TEST_F(OptionsDialogTest, TheTempFolderButtonTakesTheFolderOfTheChosenName) {
  Create();
  ShowPage("TabPath");
  const QString before = dialog_->TempFolder();
  file_dialogs_.answers = {"", "/data/scratch/anything.bin"};
  Click(Find<QAbstractButton>("btnTempPath"));
  EXPECT_EQ(dialog_->TempFolder(), before) << "cancelled";
  Click(Find<QAbstractButton>("btnTempPath"));
  EXPECT_EQ(dialog_->TempFolder(), "/data/scratch/");
  ASSERT_EQ(file_dialogs_.requests.size(), 2u);
  const FileDialogRequest& asked = file_dialogs_.requests[1];
  EXPECT_EQ(asked.title, "Select Temp Folder");
  EXPECT_EQ(asked.filter, app_->main_window()->OpenDialogRequest().filter);
  EXPECT_EQ(asked.filter_index, 3);
  EXPECT_EQ(asked.initial_name, "*.*");
  EXPECT_EQ(app_->main_window()->OpenDialogRequest().title, "Open File") << "restored";
}

TEST_F(OptionsDialogTest, ClosingWritesTheSettingsAndTheVisibleDialogComesBack) {
  Create();
  dialog_->show();
  Find<QCheckBox>("CheckBox4")->setChecked(true);
  dialog_->SetSlotPath(2, "/music/pads.bin");
  dialog_->SetSlotPath(3, "MIDI Wavetable - Channel 2");
  app_->main_window()->close();  // writes every window's settings, the dialog still visible
  EXPECT_TRUE(app_->main_window()->MenuAction("mnuModuleControl")->isChecked());

  SettingsStore settings(SettingsFilePath());
  {
    SettingsReader reader = settings.OpenForReading();
    std::string path;
    ASSERT_TRUE(reader.ReadString("LabPath3", path));
    EXPECT_EQ(path, "/music/pads.bin");
    ASSERT_TRUE(reader.ReadString("LabPath4", path));
    EXPECT_EQ(path, "New");
  }

  Create();
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_TRUE(dialog_->ReloadChecked());
  EXPECT_EQ(dialog_->SlotPath(2), "/music/pads.bin");
  EXPECT_EQ(dialog_->SlotPath(3), "New");
  dialog_->close();  // the close box: written again, now hidden
  SettingsReader reader = settings.OpenForReading();
  bool visible = true;
  ASSERT_TRUE(reader.ReadBoolean("EN4", visible));
  EXPECT_FALSE(visible);
}

}  // namespace
}  // namespace morvane
