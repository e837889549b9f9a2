#include "ui/settings/options_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QTabBar>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/program.h"
#include "core/settings/options_dialog_settings.h"
#include "core/settings/settings_file_format.h"
#include "core/waveform/waveform_editor_settings.h"
#include "platform/user_folders.h"
#include "support/fake_audio_devices.h"
#include "support/program_run.h"
#include "support/recording_reporter.h"
#include "support/scripted_color_dialogs.h"
#include "support/temp_home.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/wave_grid.h"
#include "ui/settings/options_color_swatch.h"
#include "ui/shell/app_context.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

class OptionsDialogRunTest : public ::testing::Test {
 protected:
  // Runs the whole program; `created` runs before the main window is shown, `act` inside the
  // event loop, then the main window is closed as a user closes it.
  int Run(const std::function<void(AppContext&)>& act,
          const std::function<void(AppContext&)>& created = {}) {
    ProgramOptions options;
    options.messages = &reporter;
    options.services.color_dialogs = &colors;
    options.services.audio_devices = &audio;
    options.on_created = created;
    return RunProgramAndClose(options, act);
  }

  TempHome home;
  RecordingReporter reporter;
  ScriptedColorDialogs colors;
  FakeAudioDevices audio;
};

void ClickSwatch(OptionsDialog* dialog, const char* setting) {
  auto* swatch = dialog->findChild<ColorSwatch*>(QString("pnl") + setting);
  ASSERT_NE(swatch, nullptr) << setting;
  QTest::mouseClick(swatch, Qt::LeftButton, {}, QPoint(4, 4));
}

TEST_F(OptionsDialogRunTest, WithReloadOnTheSlotsHoldTheirFilesBeforeTheWindowIsShown) {
  const std::filesystem::path one = home.root() / "one.bin";
  const std::filesystem::path two = home.root() / "two.bin";
  std::ofstream(one, std::ios::binary) << std::string(kSlotBytes, '\x11');
  std::ofstream(two, std::ios::binary) << std::string(kSlotBytes, '\x22');
  ASSERT_EQ(Run([&](AppContext& app) {
              OptionsDialog* options = app.options_dialog();
              options->findChild<QCheckBox*>("CheckBox4")->setChecked(true);
              options->SetSlotPath(0, QString::fromStdString(one.string()));
              options->SetSlotPath(5, QString::fromStdString(two.string()));
              options->SetSlotPath(6, "RX MIDI Wavetable - Channel 4");
            }),
            0);

  bool shown = true;
  std::array<std::uint8_t, kSlotCount> first_samples{};
  int current_tab = -1;
  QString paths[kSlotCount];
  ASSERT_EQ(Run([](AppContext&) {},
                [&](AppContext& app) {
                  shown = app.main_window()->isVisible();
                  current_tab =
                      app.main_window()->findChild<QTabBar*>("TabControl1")->currentIndex();
                  for (int slot = 0; slot < kSlotCount; ++slot) {
                    app.wavetable().SetCurrentSlot(slot);
                    first_samples[static_cast<std::size_t>(slot)] = app.wavetable().Wave(2047)[255];
                    paths[slot] = app.options_dialog()->SlotPath(slot);
                  }
                  app.wavetable().SetCurrentSlot(0);
                }),
            0);
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_FALSE(shown);
  EXPECT_EQ(current_tab, 0);
  const std::array<std::uint8_t, kSlotCount> expected = {0x11, 128, 128, 128, 128, 0x22, 128, 128};
  EXPECT_EQ(first_samples, expected);
  EXPECT_EQ(paths[0], QString::fromStdString(one.string()));
  EXPECT_EQ(paths[6], "New") << "a received table has no file to come back from";
}

TEST_F(OptionsDialogRunTest, SwatchColoursSurviveEveryExitStartingFromTheWindowsOwn) {
  // First start: nothing stored, nothing touched.
  ASSERT_EQ(Run([](AppContext&) {}), 0);
  // Second start: the grid and the editor show what the first showed, not a system grey.
  CellColors grid{};
  std::uint32_t editor_back = 1;
  std::uint32_t editor_line = 1;
  ASSERT_EQ(Run([&](AppContext& app) {
              grid = app.main_window()->Colors();
              editor_back = app.waveform_editor()->BackColor();
              editor_line = app.waveform_editor()->View()->LineColor();
              EXPECT_EQ(app.options_dialog()->GridColors(), grid);
              // The user picks a new background and a new editor line colour.
              colors.answers = {0x00336699u, 0x00CC8844u};
              app.options_dialog()->show();
              ClickSwatch(app.options_dialog(), "ColorBackWT");
              ClickSwatch(app.options_dialog(), "ColorLine");
            }),
            0);
  EXPECT_TRUE(reporter.messages.empty()) << reporter.messages[0].second.toStdString();
  EXPECT_EQ(grid, kDefaultCellColors);
  EXPECT_EQ(editor_back, WaveformEditorSettings{}.back_color);
  EXPECT_EQ(editor_line, WaveformEditorSettings{}.line_color);

  // Third start: the choices are back, in the grid, the editor and the swatches.
  ASSERT_EQ(Run([&](AppContext& app) {
              grid = app.main_window()->Colors();
              editor_line = app.waveform_editor()->View()->LineColor();
              EXPECT_EQ(app.options_dialog()->GridColors(), grid);
              EXPECT_EQ(app.options_dialog()->Look(kWaveView).colors[kEditorLines], editor_line);
              EXPECT_TRUE(app.options_dialog()->isVisible()) << "it was open at the exit";
            }),
            0);
  EXPECT_TRUE(reporter.messages.empty());
  CellColors expected = kDefaultCellColors;
  expected[kCellBack] = 0x00336699u;
  EXPECT_EQ(grid, expected);
  EXPECT_EQ(editor_line, 0x00CC8844u);
}

TEST_F(OptionsDialogRunTest, TheExitWritesTheWholeListOfTheDialog) {
  ASSERT_EQ(Run([](AppContext& app) {
              app.options_dialog()->findChild<QCheckBox*>("CheckBox4")->setChecked(true);
            }),
            0);
  std::ifstream in(SettingsFilePath());
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const SettingsParseResult parsed = ParseSettingsText(text);
  ASSERT_TRUE(parsed.values) << parsed.error;
  std::vector<std::string> names = {"PX4",
                                    "PY4",
                                    "MIDIIN",
                                    "MIDIOUT",
                                    "KRN5IN",
                                    "KRN5PRE",
                                    "KRN5AS",
                                    "TIMEOUT",
                                    "SysexSendDelay",
                                    "CAPTNON",
                                    "CAPTCC",
                                    "EN4",
                                    "RELOAD",
                                    "TempPath",
                                    "AudioBufsz",
                                    "AudioOUT",
                                    "ColorLogLine",
                                    "ColorLogBack",
                                    "GradientType",
                                    "StepsGradient",
                                    "GradientTypeSM",
                                    "StepsGradientSM",
                                    "GradientTypeSA",
                                    "StepsGradientSA"};
  for (int slot = 1; slot <= kSlotCount; ++slot) names.push_back("LabPath" + std::to_string(slot));
  for (const auto& view : kEditorColorSettings) {
    for (std::string_view name : view) {
      if (!name.empty()) names.emplace_back(name);
    }
  }
  for (std::string_view name : kCellColorSettingNames) names.emplace_back(name);
  for (const std::string& name : names) {
    EXPECT_NE(parsed.values->Find(name), nullptr) << name;
  }
  const SettingsValue* temp = parsed.values->Find("TempPath");
  ASSERT_NE(temp, nullptr);
  const std::string* temp_path = std::get_if<std::string>(temp);
  ASSERT_NE(temp_path, nullptr);
  EXPECT_TRUE(temp_path->ends_with("/")) << *temp_path;
  EXPECT_TRUE(std::filesystem::is_directory(*temp_path)) << *temp_path;
}

}  // namespace
}  // namespace morvane
