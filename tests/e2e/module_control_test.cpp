#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/program.h"
#include "platform/user_folders.h"
#include "sim/virtual_midi_line.h"
#include "sim/virtual_module.h"
#include "support/program_run.h"
#include "support/recording_reporter.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "ui/controls/value_knob.h"
#include "ui/module/module_control_window.h"
#include "ui/shell/app_context.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

void Up(ValueKnob* knob, int steps = 1) {
  for (int i = 0; i < steps; ++i) QTest::mouseClick(knob, Qt::RightButton, {}, QPoint(3, 3));
}
void Down(ValueKnob* knob, int steps = 1) {
  for (int i = 0; i < steps; ++i) QTest::mouseClick(knob, Qt::LeftButton, {}, QPoint(3, 3));
}
void Choose(QComboBox* list, int index) {
  list->setCurrentIndex(index - 1);
  QTest::keyClick(list, Qt::Key_Down);
}

ModuleConfiguration ConfigurationOf(VirtualMidiLine& line) {
  EXPECT_TRUE(line.WaitUntilIdle(std::chrono::seconds(5)));
  ModuleConfiguration configuration;
  line.WithModule(0, [&](VirtualModule& module) { configuration = module.configuration(); });
  return configuration;
}

TEST(ModuleControlEndToEndTest, TheModuleFollowsTheWindowAndItsSysexExportSetsAFreshModuleAlike) {
  TempHome home;
  RecordingReporter reporter;
  ScriptedFileDialogs dialogs;
  const fs::path exported = home.root() / "module.syx";
  dialogs.answers.push_back(QString::fromStdString(exported.string()));
  VirtualMidiLine line;
  ModuleConfiguration on_three;
  on_three.channel_index = 2;
  line.AddModule(on_three);
  ModuleConfiguration followed;

  ProgramOptions options;
  options.messages = &reporter;
  options.file_dialogs = &dialogs;
  options.services.midi_driver = &line;
  ASSERT_EQ(RunProgramAndClose(options,
                               [&](AppContext& app) {
                                 QAction* entry = app.main_window()->MenuAction("mnuModuleControl");
                                 entry->trigger();
                                 ModuleControlWindow* window = app.module_control();
                                 ASSERT_TRUE(window->isVisible());
                                 ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
                                 const auto knob = [window](const char* name) {
                                   return window->findChild<ValueKnob*>(name);
                                 };
                                 const auto list = [window](const char* name) {
                                   return window->findChild<QComboBox*>(name);
                                 };
                                 // On channel 1 nobody listens.
                                 Up(knob("kvpotlab21"), 5);
                                 EXPECT_EQ(ConfigurationOf(line), on_three);

                                 Up(knob("kvpotlab20"), 2);
                                 ASSERT_EQ(window->Channel(), 3);
                                 Up(knob("kvpotlab21"));
                                 Choose(list("ComboBox5"), 21);  // bank controller 20
                                 Choose(list("ComboBox4"), 22);  // wave controller 21
                                 Down(knob("kvpotlab22"), 4);    // note 20
                                 Down(knob("kvpotlab36"), 2);    // bank range index 2
                                 Down(knob("kvpotlab37"), 1);    // wave range index 4
                                 Up(knob("kvpotlab23"), 3);      // clock reset 19
                                 Down(knob("kvpotlab24"), 6);    // gate reset 10
                                 Choose(list("ComboBox2"), 3);   // "  8 Bpm ": divider 12
                                 Choose(list("ComboBox3"), 1);   // clock counter to the bank
                                 Choose(list("ComboBox6"), 3);   // gate input to the samples
                                 Up(knob("kvpotlab41"));         // player mode
                                 Choose(list("ComboBox7"), 2);   // 8 x 64k
                                 Up(knob("kvpotlab33"));         // retrigger
                                 window->findChild<QCheckBox*>("cbHandshakeTx")->click();
                                 followed = ConfigurationOf(line);

                                 window->MenuAction("SaveasSysex1")->trigger();
                               }),
            0);
  EXPECT_TRUE(reporter.messages.empty());

  // The module's own parameter set, as it would answer command 8.
  EXPECT_EQ(followed.channel_index, 2);
  EXPECT_EQ(followed.gate_time, 18);
  EXPECT_EQ(followed.bank_controller, 20);
  EXPECT_EQ(followed.wave_controller, 21);
  EXPECT_EQ(followed.note_ref, 20);
  EXPECT_EQ(followed.bank_range_index, 2);
  EXPECT_EQ(followed.wave_range_index, 4);
  EXPECT_EQ(followed.clock_reset, 19);
  EXPECT_EQ(followed.counter_reset, 10);
  EXPECT_EQ(followed.clock_divider, 12);
  EXPECT_EQ(followed.config1, 0x08 | 0x40);
  EXPECT_EQ(followed.config2, 0x01 | 0x02 | 0x18);
  EXPECT_EQ(followed.flags, 0x02);

  // The exported file, played message by message to a module that has seen nothing else.
  std::ifstream in(exported, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 96u);
  VirtualModule fresh(on_three);
  for (std::size_t at = 0; at < bytes.size(); at += 8) {
    fresh.Receive(std::span(bytes).subspan(at, 8));
  }
  EXPECT_EQ(fresh.configuration(), followed);
}

TEST(ModuleControlEndToEndTest, TheWindowComesBackVisibleWithTheMainWindowsEntryTicked) {
  TempHome home;
  RecordingReporter reporter;
  ProgramOptions options;
  options.messages = &reporter;
  ASSERT_EQ(RunProgramAndClose(options,
                               [](AppContext& app) {
                                 EXPECT_FALSE(app.module_control()->isVisible());
                                 app.main_window()->MenuAction("mnuModuleControl")->trigger();
                               }),
            0);
  ASSERT_EQ(RunProgramAndClose(
                options,
                [](AppContext& app) {
                  EXPECT_TRUE(app.module_control()->isVisible());
                  EXPECT_TRUE(app.main_window()->MenuAction("mnuModuleControl")->isChecked());
                }),
            0);
  EXPECT_TRUE(reporter.messages.empty());
}

TEST(ModuleControlEndToEndTest, AParameterStoreThatCannotBeHadEndsTheStartCleanly) {
  TempHome home;
  RecordingReporter reporter;
  ProgramOptions options;
  options.messages = &reporter;
  options.create_parameter_store = []() -> std::unique_ptr<ParameterStore> {
    throw std::bad_alloc();
  };
  EXPECT_NE(RunProgramAndClose(options, [](AppContext&) { ADD_FAILURE() << "no window runs"; }), 0);
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].first, "Fatal Error");
  EXPECT_EQ(reporter.messages[0].second, "Alloc Memory Parametres");
  EXPECT_FALSE(fs::exists(SettingsFilePath()));
}

}  // namespace
}  // namespace morvane
