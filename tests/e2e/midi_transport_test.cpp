#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <QToolButton>
#include <chrono>
#include <thread>

#include "app/program.h"
#include "core/midi/combined_midi_driver.h"
#include "core/midi/module_messages.h"
#include "core/midi/sysex_format.h"
#include "core/settings/settings_store.h"
#include "platform/user_folders.h"
#include "sim/virtual_midi_line.h"
#include "support/fake_midi_driver.h"
#include "support/midi_event_wait.h"
#include "support/program_run.h"
#include "support/recording_reporter.h"
#include "support/temp_home.h"
#include "support/virtual_waiter.h"
#include "ui/controls/value_knob.h"
#include "ui/midi/midi_transport_window.h"
#include "ui/module/midi_log_pane.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Runs the whole program as main does with the given MIDI device; `act` runs inside the event
// loop, then the main window is closed as a user closes it.
int RunWith(MidiDriver& driver, RecordingReporter& reporter, VirtualWaiter& waiter,
            const std::function<void(AppContext&)>& act) {
  ProgramOptions options;
  options.messages = &reporter;
  options.services.midi_driver = &driver;
  options.services.waiter = &waiter;
  return RunProgramAndClose(options, act);
}

bool HasMessage(const RecordingReporter& reporter, const QString& text) {
  for (const auto& [caption, message] : reporter.messages) {
    if (message == text) return true;
  }
  return false;
}

TEST(MidiTransportTest, AFirstStartOpensTheBuiltInVirtualModuleAndTalksToIt) {
  TempHome home;
  RecordingReporter reporter;
  VirtualWaiter waiter;
  VirtualMidiLine line;
  line.AddModule();
  ASSERT_EQ(RunWith(line, reporter, waiter,
                    [&](AppContext& app) {
                      auto* input_list = app.options_dialog()->findChild<QComboBox*>("cmbInput");
                      auto* output_list = app.options_dialog()->findChild<QComboBox*>("cmbOutput");
                      ASSERT_NE(input_list, nullptr);
                      ASSERT_NE(output_list, nullptr);
                      EXPECT_EQ(input_list->itemText(0), "Morvane-8 (virtual)");
                      EXPECT_EQ(input_list->currentIndex(), 0);
                      EXPECT_EQ(output_list->currentIndex(), 0);

                      MidiTransportWindow& midi = *app.midi_transport_window();
                      EXPECT_EQ(midi.windowTitle(), "Send Datas to MIDI");
                      ASSERT_EQ(midi.midi_input().State(), MidiInputState::kOpen);
                      ASSERT_EQ(midi.midi_output().State(), MidiOutputState::kOpen);
                      SendCommand(midi.midi_output(), 0, kCommandRequestParameters, 0);
                      auto reply = NextMidiEvent(midi.midi_input(), std::chrono::seconds(5));
                      ASSERT_NE(reply, nullptr);
                      const auto parameters = DecodeParameterReply(reply->sysex);
                      ASSERT_TRUE(parameters.has_value());
                      EXPECT_EQ(parameters->firmware_revision, 47);
                    }),
            0);
  EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front().second.toStdString();
  // The start-up sequence ends with its half-second pause.
  EXPECT_EQ(waiter.waits, std::vector<int>{MidiTransportWindow::kStartupWaitMs});
}

TEST(MidiTransportTest, TheKrn5SetupGoesOutAtStartAndFollowsTheStartupSendRule) {
  TempHome home;
  RecordingReporter reporter;
  VirtualWaiter waiter;
  testing::FakeMidiDriver device({"Recorder"}, {"Recorder"});
  ASSERT_EQ(RunWith(device, reporter, waiter,
                    [&](AppContext& app) {
                      // Startup Send is on at a first start: input 0, merge off.
                      EXPECT_EQ(device.sent, (std::vector<Bytes>{{0xCF, 0}, {0xBF, 0x1F, 0}}));
                      device.sent.clear();
                      OptionsDialog& options = *app.options_dialog();
                      auto* knob = options.findChild<ValueKnob*>("kvpotlab2");
                      auto* merge = options.findChild<QCheckBox*>("CheckBox1");
                      auto* startup_send = options.findChild<QCheckBox*>("CheckBox2");
                      ASSERT_NE(knob, nullptr);
                      ASSERT_NE(merge, nullptr);
                      ASSERT_NE(startup_send, nullptr);
                      options.show();
                      QTest::mouseClick(knob, Qt::RightButton, {}, QPoint(3, 3));  // one step up
                      merge->click();
                      EXPECT_TRUE(device.sent.empty());

                      auto* button = options.findChild<QToolButton*>("btnSendKrn5");
                      ASSERT_NE(button, nullptr);
                      EXPECT_EQ(button->toolTip(), "Send KRN5 setup to MIDI");
                      button->click();
                      EXPECT_EQ(device.sent, (std::vector<Bytes>{{0xCF, 1}, {0xBF, 0x1F, 1}}));

                      device.sent.clear();
                      startup_send->click();
                      QTest::mouseClick(knob, Qt::RightButton, {}, QPoint(3, 3));  // one step up
                      merge->click();
                      EXPECT_EQ(device.sent, (std::vector<Bytes>{{0xCF, 2}, {0xBF, 0x1F, 0}}));
                    }),
            0);
}

TEST(MidiTransportTest, ASavedDeviceThatIsGoneIsReportedAndTheStartGoesOnWithoutIt) {
  TempHome home;
  VirtualWaiter waiter;
  {
    RecordingReporter reporter;
    testing::FakeMidiDriver device({"Recorder"}, {"Recorder"});
    ASSERT_EQ(RunWith(device, reporter, waiter, [](AppContext&) {}), 0);
  }
  // The next start finds no device at all: the saved entry names nothing.
  RecordingReporter reporter;
  testing::FakeMidiDriver device({}, {});
  waiter.waits.clear();
  ASSERT_EQ(RunWith(device, reporter, waiter,
                    [&](AppContext& app) {
                      EXPECT_EQ(app.midi_transport_window()->midi_input().State(),
                                MidiInputState::kClosed);
                    }),
            0);
  // No list, nothing opened, nothing reported: every transfer then ends by time-out.
  EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front().second.toStdString();

  // A device list whose saved entry is gone: "not installed", no KRN5 setup, no pause.
  {
    SettingsStore store(SettingsFilePath());
    auto writer = store.OpenForWriting();
    writer.WriteInteger("MIDIIN", 3);
    ASSERT_TRUE(writer.Close());
  }
  RecordingReporter second;
  testing::FakeMidiDriver present({"Recorder"}, {"Recorder"});
  waiter.waits.clear();
  ASSERT_EQ(RunWith(present, second, waiter,
                    [&](AppContext& app) {
                      EXPECT_EQ(app.midi_transport_window()->midi_input().State(),
                                MidiInputState::kClosed);
                    }),
            0);
  EXPECT_TRUE(HasMessage(second, "MIDI Input Device  not installed "));
  EXPECT_TRUE(present.sent.empty());
  EXPECT_TRUE(waiter.waits.empty());
}

TEST(MidiTransportTest, AFullInputRingLogsOneLinePerOverflow) {
  TempHome home;
  RecordingReporter reporter;
  VirtualWaiter waiter;
  testing::FakeMidiDriver device({"Recorder"}, {"Recorder"});
  ASSERT_EQ(RunWith(device, reporter, waiter,
                    [&](AppContext& app) {
                      ASSERT_NE(device.sink, nullptr);
                      app.midi_log().Clear();  // the window's banner
                      // A played keyboard nobody reads, from the driver's own thread.
                      std::thread driver_thread([&device] {
                        for (int i = 0; i < 6000; ++i) {
                          device.sink->OnShortMessage(static_cast<std::uint32_t>(i),
                                                      0x90 | 60 << 8 | 100 << 16);
                        }
                      });
                      driver_thread.join();
                      QTest::qWait(50);
                      EXPECT_EQ(app.midi_transport_window()->midi_input().GetEventCount(), 4096);
                      EXPECT_EQ(app.midi_log().Lines(),
                                (std::vector<std::string>{"MIDI Overflow !!!  "}));
                    }),
            0);
}

TEST(MidiTransportTest, ADeviceThatDisappearsGivesAMessageNotACrash) {
  TempHome home;
  RecordingReporter reporter;
  VirtualWaiter waiter;
  VirtualMidiLine line;
  line.AddModule();
  ASSERT_EQ(RunWith(line, reporter, waiter,
                    [&](AppContext& app) {
                      line.Unplug();
                      auto* button = app.options_dialog()->findChild<QToolButton*>("btnSendKrn5");
                      ASSERT_NE(button, nullptr);
                      button->click();
                    }),
            0);
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.icons.front(), QMessageBox::Critical);
  EXPECT_FALSE(reporter.messages.front().second.isEmpty());
}

TEST(MidiTransportTest, PickingAnotherDeviceReopensThePorts) {
  TempHome home;
  RecordingReporter reporter;
  VirtualWaiter waiter;
  VirtualMidiLine line;
  line.AddModule();
  testing::FakeMidiDriver recorder({"Recorder"}, {"Recorder"});
  CombinedMidiDriver both({&line, &recorder});
  ASSERT_EQ(RunWith(both, reporter, waiter,
                    [&](AppContext& app) {
                      auto* output_list = app.options_dialog()->findChild<QComboBox*>("cmbOutput");
                      ASSERT_EQ(output_list->count(), 2);
                      output_list->setFocus();
                      QTest::keyClick(output_list, Qt::Key_Down);  // a user's choice
                      MidiTransportWindow& midi = *app.midi_transport_window();
                      EXPECT_EQ(midi.midi_output().ProductName(), "Recorder");
                      EXPECT_EQ(midi.midi_input().ProductName(), "Morvane-8 (virtual)");
                      SendProgramChange(midi.midi_output(), 15, 4);
                      EXPECT_EQ(recorder.sent.back(), (Bytes{0xCF, 4}));
                    }),
            0);
}

}  // namespace
}  // namespace morvane
