// Where every window's file dialogs start, and which name a Save offers, as the requests the
// windows hand to the dialogs show it.

#include "ui/shell/dialog_start.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "core/settings/dialog_folders.h"
#include "platform/user_folders.h"
#include "support/fake_audio_devices.h"
#include "support/fake_midi_driver.h"
#include "support/recording_reporter.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "support/virtual_waiter.h"
#include "ui/module/module_control_window.h"
#include "ui/sample/sample_editor_window.h"
#include "ui/scales/scales_window.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/choice_box.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

void WriteFile(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

// Every window made, in a home of its own (HOME included, so "home" is a folder of the test).
class DialogStartTest : public ::testing::Test {
 protected:
  DialogStartTest() {
    if (const char* home = std::getenv("HOME")) saved_home_ = home;
    fs::create_directories(Home());
    setenv("HOME", Home().c_str(), 1);
    // The preset list is there, as after an installation: its absence would be told.
    WriteFile(UserDataFolder() / "sp.kub", " 0005- Minor\r\n");
    Start();
  }
  ~DialogStartTest() override {
    app_.reset();
    if (saved_home_) setenv("HOME", saved_home_->c_str(), 1);
  }

  void Start() {
    AppServices services;
    services.audio_devices = &audio_;
    services.waiter = &waiter_;
    services.midi_driver = &midi_;
    app_ = std::make_unique<AppContext>(std::make_unique<WavetableStore>(),
                                        std::make_unique<SettingsStore>(SettingsFilePath()),
                                        reporter_, dialogs_, services);
    app_->CreateWindows();
  }
  // The program ends (every window writes its settings) and starts again.
  void Restart() {
    app_->main_window()->close();
    app_.reset();
    dialogs_.requests.clear();
    Start();
  }

  fs::path Home() const { return home_.root() / "me"; }
  fs::path In(const std::string& folder, const std::string& name) const {
    return home_.root() / folder / name;
  }
  // Runs `command` with the dialog answered by `answer` ("" cancels); the request it made.
  FileDialogRequest Ask(const std::function<void()>& command, const QString& answer = {}) {
    dialogs_.answers = {answer};
    const std::size_t before = dialogs_.requests.size();
    command();
    EXPECT_EQ(dialogs_.requests.size(), before + 1) << "one dialog";
    return dialogs_.requests.empty() ? FileDialogRequest() : dialogs_.requests.back();
  }
  static std::function<void()> Action(QAction* action) {
    return [action] { action->trigger(); };
  }
  static std::function<void()> Button(QWidget* window, const char* name) {
    return [window, name] { window->findChild<QAbstractButton*>(name)->click(); };
  }
  // The main window's Save, "WaveTable" chosen in the choice box it shows first.
  std::function<void()> SaveWavetable() {
    return [this] {
      ChoiceBox* box = app_->choice_box();
      QTimer::singleShot(0, box, [box] { box->findChild<QPushButton*>("btnWaveTable")->click(); });
      app_->main_window()->MenuAction("mnuSave")->trigger();
    };
  }
  std::function<void()> Sample(const char* entry) {
    return Action(app_->sample_editor()->MenuAction(entry));
  }
  std::function<void()> Waveform(const char* entry) {
    return Action(app_->waveform_editor()->MenuAction(entry));
  }

  TempHome home_;
  std::optional<std::string> saved_home_;
  RecordingReporter reporter_;
  ScriptedFileDialogs dialogs_;
  FakeAudioDevices audio_;
  VirtualWaiter waiter_;
  testing::FakeMidiDriver midi_{{"In"}, {"Out"}};
  std::unique_ptr<AppContext> app_;
};

// The user's case: a file loaded from a folder is saved back to it, not elsewhere.
TEST_F(DialogStartTest, TheSampleEditorsSaveOffersTheLoadedFileInItsFolder) {
  const fs::path ramp = In("some/folder", "ramp.bin");
  WriteFile(ramp, std::string(1000, '\x40'));
  const FileDialogRequest load = Ask(Sample("mnuLoad"), Q(ramp));
  EXPECT_EQ(load.purpose, kSampleFolder);
  EXPECT_EQ(load.folder, Q(Home())) << "nothing loaded yet, the slot is \"New\"";

  const FileDialogRequest save = Ask(Sample("mnuSave"));
  EXPECT_EQ(save.title, "Save 8 bits Audio File");
  EXPECT_EQ(save.filter_index, 1);
  EXPECT_EQ(save.purpose, kSampleFolder);
  EXPECT_EQ(save.folder, Q(ramp.parent_path()));
  EXPECT_EQ(save.initial_name, Q(ramp));

  // Saved elsewhere, that file is the sample's from now on.
  const fs::path copy = In("other", "copy.bin");
  fs::create_directories(copy.parent_path());
  Ask(Sample("mnuSave"), Q(copy));
  EXPECT_TRUE(fs::exists(copy));
  EXPECT_EQ(Ask(Sample("mnuSave")).initial_name, Q(copy));
  EXPECT_EQ(Ask(Sample("mnuLoad")).folder, Q(copy.parent_path()));

  // After New there is no file: the name shown, where the last file was.
  app_->sample_editor()->MenuAction("mnuNew")->trigger();
  const FileDialogRequest after_new = Ask(Sample("mnuSave"));
  EXPECT_EQ(after_new.initial_name, "New");
  EXPECT_EQ(after_new.folder, Q(copy.parent_path()));
}

// Each kind of file keeps its own folder; a dialog of another kind is not moved by it.
TEST_F(DialogStartTest, EveryDialogStartsInTheFolderOfTheLastFileThroughIt) {
  const std::string scale = "Major\n 7\n200.0\n400.0\n500.0\n700.0\n900.0\n1100.0\n2/1\n";
  ModuleControlWindow* module = app_->module_control();
  ScalesWindow* scales = app_->scales_window();
  SpectrumEditorWindow* spectrum = app_->spectrum_editor();
  struct Case {
    const char* purpose;
    std::function<void()> used;   // answered with a file in the purpose's own folder
    std::string bytes;            // written there first, for a load
    std::function<void()> asked;  // a dialog of the same purpose, asked afterwards
  };
  const Case cases[] = {
      {kWavetableFolder, Action(app_->main_window()->MenuAction("mnuLoad")), "\x10\x20",
       Action(app_->main_window()->MenuAction("mnuImport"))},
      {kWaveformFolder, Waveform("mnuLoad"), std::string(256, 'w'), Waveform("mnuSave")},
      {kWaveformSysexFolder, Waveform("mnuSaveSysex"), "", Waveform("mnuSaveSysex")},
      {kSpectrumFolder, Action(spectrum->MenuAction("mnuSave")), "",
       Action(spectrum->MenuAction("mnuLoad"))},
      {kParameterFolder, Action(module->MenuAction("Load1")), std::string(16, '\x01'),
       Action(module->MenuAction("Save1"))},
      {kParameterSysexFolder, Action(module->MenuAction("SaveasSysex1")), "",
       Action(module->MenuAction("SaveasSysex1"))},
      {kScalaFolder, Button(scales, "btnImportScala"), scale, Button(scales, "btnExportScala")},
      {kSampleFolder, Sample("mnuLoad"), std::string(300, 's'), Sample("mnuLoad")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.purpose);
    const fs::path file = In(c.purpose, "file.bin");
    if (c.bytes.empty()) {
      fs::create_directories(file.parent_path());
    } else {
      WriteFile(file, c.bytes);
    }
    EXPECT_EQ(Ask(c.used, Q(file)).purpose, c.purpose);
    const FileDialogRequest next = Ask(c.asked);
    EXPECT_EQ(next.purpose, c.purpose);
    EXPECT_EQ(next.folder, Q(file.parent_path()));
  }
  EXPECT_TRUE(reporter_.messages.empty()) << reporter_.messages[0].second.toStdString();
  // The Parts' names stay: only a Save of a file the window holds offers a name of its own.
  EXPECT_EQ(Ask(Waveform("mnuSave")).initial_name, "");
  EXPECT_EQ(Ask(Button(scales, "btnExportScala")).initial_name, "*.scl");
}

TEST_F(DialogStartTest, WithoutAFolderOfItsOwnADialogStartsByTheCurrentSlotElseAtHome) {
  OptionsDialog* options = app_->options_dialog();
  WavetableStore& store = app_->wavetable();
  const fs::path table = In("tables", "pads.bin");
  fs::create_directories(table.parent_path());
  options->SetSlotPath(1, Q(table));
  options->SetSlotPath(2, "MIDI Wavetable - Channel 3");
  options->SetSlotPath(3, Q(In("gone", "old.bin")));
  const struct {
    int slot;
    fs::path folder;
  } cases[] = {{0, Home()}, {1, table.parent_path()}, {2, Home()}, {3, Home()}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slot);
    store.SetCurrentSlot(c.slot);
    EXPECT_EQ(Ask(Waveform("mnuLoad")).folder, Q(c.folder));
    EXPECT_EQ(Ask(Sample("mnuLoad")).folder, Q(c.folder));
  }

  // A file that could not be loaded teaches nothing; one that was, is where the next starts.
  store.SetCurrentSlot(0);
  Ask(Waveform("mnuLoad"), Q(In("elsewhere", "missing.bin")));
  EXPECT_EQ(Ask(Waveform("mnuLoad")).folder, Q(Home()));
  // A remembered folder that has gone since counts as none.
  const fs::path wave = In("waves", "saw.bin");
  WriteFile(wave, std::string(256, 'x'));
  Ask(Waveform("mnuLoad"), Q(wave));
  fs::remove_all(wave.parent_path());
  store.SetCurrentSlot(1);
  EXPECT_EQ(Ask(Waveform("mnuLoad")).folder, Q(table.parent_path()));
}

TEST_F(DialogStartTest, TheMainWindowsSaveOffersTheSlotsFileElseStartsWhereTheLastTableWent) {
  const fs::path loaded = In("tables", "pads.bin");
  WriteFile(loaded, std::string(512, '\x30'));
  Ask(Action(app_->main_window()->MenuAction("mnuLoad")), Q(loaded));
  const FileDialogRequest save = Ask(SaveWavetable());
  EXPECT_EQ(save.title, "Save File");
  EXPECT_EQ(save.folder, Q(loaded.parent_path()));
  EXPECT_EQ(save.initial_name, Q(loaded));

  // Another slot, still "New", offers no name and starts where the last table went.
  const fs::path saved = In("saved", "whole.bin");
  fs::create_directories(saved.parent_path());
  Ask(SaveWavetable(), Q(saved));
  app_->wavetable().SetCurrentSlot(4);
  const FileDialogRequest other = Ask(SaveWavetable());
  EXPECT_EQ(other.initial_name, "");
  EXPECT_EQ(other.folder, Q(saved.parent_path()));
}

TEST_F(DialogStartTest, TheTempFolderDialogStartsInTheTempFolder) {
  const fs::path temp = home_.root() / "scratch";
  fs::create_directories(temp);
  QAbstractButton* choose = app_->options_dialog()->findChild<QAbstractButton*>("btnTempPath");
  Ask([choose] { choose->click(); }, Q(temp / "any.bin"));
  const FileDialogRequest again = Ask([choose] { choose->click(); });
  EXPECT_EQ(again.title, "Select Temp Folder");
  EXPECT_EQ(again.initial_name, "*.*");
  EXPECT_EQ(again.folder, app_->options_dialog()->TempFolder());
  EXPECT_EQ(again.folder, Q(temp) + "/");
}

TEST_F(DialogStartTest, TheFoldersAreKeptInTheSettingsFromOneRunToTheNext) {
  const fs::path ramp = In("some/folder", "ramp.bin");
  WriteFile(ramp, std::string(1000, '\x40'));
  Ask(Sample("mnuLoad"), Q(ramp));
  Restart();
  EXPECT_EQ(Ask(Sample("mnuLoad")).folder, Q(ramp.parent_path()));
  EXPECT_EQ(Ask(Waveform("mnuLoad")).folder, Q(Home()));
  EXPECT_TRUE(reporter_.messages.empty());
}

// A settings file of an older program has no folders: every window reads its own values as
// before, nothing is reported, and the dialogs start as on a first run.
TEST_F(DialogStartTest, SettingsWithoutTheFoldersReadAsBeforeAndTellNothing) {
  const fs::path ramp = In("some/folder", "ramp.bin");
  WriteFile(ramp, std::string(1000, '\x40'));
  Ask(Sample("mnuLoad"), Q(ramp));
  app_->sample_editor()->resize(777, 345);
  app_->main_window()->close();
  app_.reset();
  std::ifstream in(SettingsFilePath());
  std::stringstream older;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("Dir", 0) != 0) older << line << '\n';
  }
  in.close();
  ASSERT_NE(older.str().find("ZoomWT"), std::string::npos);
  ASSERT_EQ(older.str().find("DirSample"), std::string::npos);
  std::ofstream(SettingsFilePath(), std::ios::trunc) << older.str();
  reporter_.messages.clear();
  dialogs_.requests.clear();

  Start();
  EXPECT_TRUE(reporter_.messages.empty()) << reporter_.messages[0].second.toStdString();
  EXPECT_EQ(app_->sample_editor()->width(), 777) << "the window's own values are read";
  EXPECT_EQ(Ask(Sample("mnuLoad")).folder, Q(Home()));
}

}  // namespace
}  // namespace morvane
