#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <filesystem>

#include "core/sample/sample_edit_model.h"
#include "core/settings/settings_store.h"
#include "platform/user_folders.h"
#include "platform/wavefile/wave_conversion.h"
#include "support/fake_audio_devices.h"
#include "support/program_run.h"
#include "support/recording_reporter.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "ui/controls/sample_edit.h"
#include "ui/controls/wave_grid.h"
#include "ui/sample/sample_editor_window.h"
#include "ui/shell/app_context.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

TEST(SampleEditorProgramTest, PlaceAndVisibilitySurviveARestart) {
  TempHome home;
  RecordingReporter reporter;
  FakeAudioDevices audio;
  ProgramOptions options;
  options.messages = &reporter;
  options.services.audio_devices = &audio;
  bool hidden_at_first = false;
  ASSERT_EQ(RunProgramAndClose(options,
                               [&](AppContext& app) {
                                 SampleEditorWindow* sample = app.sample_editor();
                                 ASSERT_NE(sample, nullptr);
                                 hidden_at_first = !sample->isVisible();
                                 app.main_window()->MenuAction("mnuSampleEditor")->trigger();
                                 sample->move(150, 120);
                                 sample->resize(800, 380);
                               }),
            0);
  EXPECT_TRUE(hidden_at_first);
  SettingsStore settings(SettingsFilePath());
  SettingsReader reader = settings.OpenForReading();
  std::int32_t value = 0;
  for (const char* name : {"PX16", "PY16", "PW16", "PH16", "EN16"}) {
    EXPECT_TRUE(reader.ReadInteger(name, value)) << name;
  }
  EXPECT_EQ(value, 1);

  QPoint pos;
  QSize size;
  bool visible = false;
  ASSERT_EQ(RunProgramAndClose(options,
                               [&](AppContext& app) {
                                 visible = app.sample_editor()->isVisible();
                                 pos = app.sample_editor()->pos();
                                 size = app.sample_editor()->size();
                               }),
            0);
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_TRUE(visible);
  EXPECT_EQ(pos, QPoint(150, 120));
  EXPECT_EQ(size, QSize(800, 380));
}

// A user clicks a 2 x 2 block of cells, opens the sample editor, reverses the sample and saves
// it as a wave file: the file holds the four waveforms, row after row, reversed.
TEST(SampleEditorProgramTest, SelectedCellsBecomeASavedWaveFile) {
  TempHome home;
  RecordingReporter reporter;
  ScriptedFileDialogs dialogs;
  FakeAudioDevices audio;
  ProgramOptions options;
  options.messages = &reporter;
  options.file_dialogs = &dialogs;
  options.services.audio_devices = &audio;
  const std::filesystem::path saved = home.root() / "cells.wav";
  ASSERT_EQ(RunProgramAndClose(options,
                               [&](AppContext& app) {
                                 for (int k = 0; k < kWaveCount; ++k) {
                                   std::fill(app.wavetable().Wave(k).begin(),
                                             app.wavetable().Wave(k).end(),
                                             static_cast<std::uint8_t>(k % 251));
                                 }
                                 MainWindow* main = app.main_window();
                                 WaveGrid* grid = main->Grid();
                                 grid->SetSelection(QRect(QPoint(10, 2), QPoint(11, 3)));
                                 main->CopyToSample();
                                 main->MenuAction("mnuSampleEditor")->trigger();
                                 SampleEditorWindow* sample = app.sample_editor();
                                 sample->MenuAction("mnuReverse")->trigger();
                                 dialogs.answers = {QString::fromStdString(saved.string())};
                                 dialogs.chosen_filter = 2;
                                 sample->MenuAction("mnuSave")->trigger();
                               }),
            0);
  EXPECT_TRUE(reporter.messages.empty());
  const WaveReadResult read = ReadWaveAsUnsigned8(saved, 22050, kSampleCapacity);
  ASSERT_EQ(read.samples.size(), 1024u);
  // Reversed: the last waveform (3, 11) first, the first (2, 10) last.
  EXPECT_EQ(read.samples.front(), (3 * 64 + 11) % 251);
  EXPECT_EQ(read.samples[300], (3 * 64 + 10) % 251);
  EXPECT_EQ(read.samples[600], (2 * 64 + 11) % 251);
  EXPECT_EQ(read.samples.back(), (2 * 64 + 10) % 251);
}

}  // namespace
}  // namespace morvane
