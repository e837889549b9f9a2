// Transfers with the module as a user runs them: the main window's F9 / F10 through the choice
// box, the module control window's commands, against virtual modules on the line.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <thread>

#include "app/program.h"
#include "core/midi/midi_output.h"
#include "sim/virtual_midi_line.h"
#include "sim/virtual_module.h"
#include "support/program_run.h"
#include "support/recording_reporter.h"
#include "support/temp_home.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/midi/midi_transport_window.h"
#include "ui/module/channel_dialog.h"
#include "ui/module/midi_log_pane.h"
#include "ui/module/module_control_window.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/choice_box.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

ModuleConfiguration ModuleOn(int channel) {
  ModuleConfiguration configuration;
  configuration.channel_index = channel - 1;
  configuration.flags = kFlagHandshake;
  return configuration;
}

std::uint8_t Pattern(int k, int i) { return static_cast<std::uint8_t>(k * 5 + i * 7 + 3); }

// Presses `button` of the choice box once it is up, then runs the command that asks it. The box
// asks with the command's own caption and "Selected" enabled.
void AnswerChoice(AppContext& app, const char* button, QAction* command) {
  QTimer::singleShot(0, app.choice_box(), [&app, button, command] {
    EXPECT_EQ(app.choice_box()->windowTitle(), command->text());
    EXPECT_TRUE(app.choice_box()->findChild<QPushButton*>("btnSelected")->isEnabled());
    app.choice_box()->findChild<QPushButton*>(button)->click();
  });
  command->trigger();
}

bool LogHas(AppContext& app, const QString& line) {
  return app.module_control()->Log().toPlainText().split('\n').contains(line);
}

class TransfersTest : public ::testing::Test {
 protected:
  int Run(const std::function<void(AppContext&)>& act) {
    ProgramOptions options;
    options.messages = &reporter_;
    options.services.midi_driver = &line_;
    return RunProgramAndClose(options, act);
  }

  // "Receive from MIDI" of the module window: the lists, firmware and handshake box follow the
  // module, as a user does first.
  static void ReadModule(AppContext& app) {
    app.module_control()->MenuAction("ReceivefromMIDI1")->trigger();
    ASSERT_TRUE(LogHas(app, " <<<<    MORVANE-8    >>>>"));
    ASSERT_TRUE(app.module_control()->HandshakeOn());
  }

  TempHome home_;
  RecordingReporter reporter_;
  VirtualMidiLine line_;
};

TEST_F(TransfersTest, ABankGoesToTheModuleAndComesBackIntoAnotherSlot) {
  line_.AddModule(ModuleOn(1));
  ASSERT_EQ(Run([&](AppContext& app) {
              ReadModule(app);
              for (int wave = 0; wave < kWavesPerBank; ++wave) {
                for (int i = 0; i < kWaveLength; ++i) {
                  app.wavetable().SetSample(WaveIndex(5, wave), i, Pattern(wave, i));
                }
              }
              app.waveform_editor()->BankSelector()->SetState(5);
              AnswerChoice(app, "btnOneBank", app.main_window()->MenuAction("mnuSendMidi"));
              EXPECT_TRUE(LogHas(app, " > Send Bank 5  Chan 1"));
              EXPECT_TRUE(line_.WaitUntilIdle(std::chrono::seconds(5)));
              line_.WithModule(0, [](VirtualModule& module) {
                for (int wave = 0; wave < kWavesPerBank; ++wave) {
                  for (int i = 0; i < kWaveLength; ++i) {
                    ASSERT_EQ(module.Waveform(WaveIndex(5, wave))[i], Pattern(wave, i));
                  }
                }
              });
              EXPECT_FALSE(app.midi_transport_window()->isVisible());

              app.wavetable().SetCurrentSlot(3);
              AnswerChoice(app, "btnOneBank", app.main_window()->MenuAction("mnuReceiveMidi"));
              for (int wave = 0; wave < kWavesPerBank; ++wave) {
                for (int i = 0; i < kWaveLength; ++i) {
                  ASSERT_EQ(app.wavetable().Wave(WaveIndex(5, wave))[i], Pattern(wave, i));
                }
              }
              EXPECT_EQ(app.options_dialog()->SlotPath(3), "MIDI Wavetable - Channel 1");
              // "Cancel" receives nothing and leaves the slot's name alone.
              app.options_dialog()->SetSlotPath(3, "New");
              app.wavetable().SetSample(WaveIndex(5, 0), 0, 1);
              AnswerChoice(app, "btnCancel", app.main_window()->MenuAction("mnuReceiveMidi"));
              EXPECT_EQ(app.wavetable().Wave(WaveIndex(5, 0))[0], 1);
              EXPECT_EQ(app.options_dialog()->SlotPath(3), "New");
              // Nothing went wrong, so no retry and no error came to the log.
              EXPECT_FALSE(app.module_control()->Log().toPlainText().contains("ERROR"));
            }),
            0);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(TransfersTest, TheWholeTableGoesOutWithHandshake) {
  line_.AddModule(ModuleOn(1));
  ASSERT_EQ(Run([&](AppContext& app) {
              ReadModule(app);
              for (int k = 0; k < kWaveCount; ++k) {
                for (int i = 0; i < kWaveLength; i += 17)
                  app.wavetable().SetSample(k, i, Pattern(k, i));
              }
              AnswerChoice(app, "btnWaveTable", app.main_window()->MenuAction("mnuSendMidi"));
              EXPECT_TRUE(LogHas(app, " > Send WaveTable  Chan 1"));
              EXPECT_TRUE(line_.WaitUntilIdle(std::chrono::seconds(5)));
              line_.WithModule(0, [&app](VirtualModule& module) {
                for (int k = 0; k < kWaveCount; ++k) {
                  ASSERT_TRUE(std::equal(module.Waveform(k).begin(), module.Waveform(k).end(),
                                         app.wavetable().Wave(k).begin()))
                      << k;
                }
              });
            }),
            0);
}

TEST_F(TransfersTest, AScanFindsTheModulesOnChannelsThreeAndNine) {
  line_.AddModule(ModuleOn(9));
  line_.AddModule(ModuleOn(3));
  ASSERT_EQ(Run([&](AppContext& app) {
              ModuleControlWindow* window = app.module_control();
              window->MenuAction("DetectModules1")->trigger();
              EXPECT_TRUE(window->SlotShown(1));
              EXPECT_TRUE(window->SlotShown(2));
              EXPECT_FALSE(window->SlotShown(3));
              EXPECT_EQ(window->SlotButton(1)->toolTip(), "MORVANE-8 #1");
              EXPECT_EQ(window->SlotButton(2)->toolTip(), "MORVANE-8 #2");
              EXPECT_TRUE(LogHas(app, "  1- MORVANE-8 v1.47 PIC 16F877 --> Channel 3"));
              EXPECT_TRUE(LogHas(app, "  2- MORVANE-8 v1.47 PIC 16F877 --> Channel 9"));
              // Slot 1 is pressed at the end: the window shows the first module found.
              EXPECT_EQ(window->Channel(), 3);
              EXPECT_EQ(window->SelectedModule(), 0);
            }),
            0);
}

TEST_F(TransfersTest, FlashWriteAndAChannelChangeReachTheModule) {
  line_.AddModule(ModuleOn(1));
  ASSERT_EQ(Run([&](AppContext& app) {
              ReadModule(app);
              ModuleControlWindow* window = app.module_control();
              window->MenuAction("WritetoFlash1")->trigger();
              EXPECT_TRUE(LogHas(app, "> Send Write To Flash  Chan 1"));
              EXPECT_TRUE(line_.WaitUntilIdle(std::chrono::seconds(5)));
              line_.WithModule(0, [](VirtualModule& module) {
                EXPECT_TRUE(module.flash().flags & kFlagHandshake);
              });

              ChannelDialog* dialog = app.channel_dialog();
              QTimer::singleShot(0, dialog, [dialog] {
                EXPECT_EQ(dialog->ActualKnob()->State(), 1);
                dialog->NewKnob()->SetState(5);
                dialog->findChild<QPushButton*>("btnOk")->click();
              });
              window->MenuAction("ChangeChannel1")->trigger();
              EXPECT_EQ(window->Channel(), 5);
              EXPECT_TRUE(line_.WaitUntilIdle(std::chrono::seconds(5)));
              line_.WithModule(0, [](VirtualModule& module) {
                EXPECT_EQ(module.configuration().channel_index, 4);
              });
              // The module answers on its new channel.
              window->MenuAction("ReceivefromMIDI1")->trigger();
              EXPECT_TRUE(LogHas(app, " Magic #015A  Channel = 5"));
            }),
            0);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(TransfersTest, AModuleUnpluggedDuringATableSendGivesOneMessageAndLeavesTheSlotAlone) {
  line_.AddModule(ModuleOn(1));
  ASSERT_EQ(Run([&](AppContext& app) {
              ReadModule(app);
              app.wavetable().SetSample(77, 7, 99);
              std::thread unplug([this] {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                line_.Unplug();
              });
              AnswerChoice(app, "btnWaveTable", app.main_window()->MenuAction("mnuSendMidi"));
              unplug.join();
              EXPECT_EQ(app.wavetable().Wave(77)[7], 99);
              EXPECT_EQ(app.midi_transport_window()->midi_output().State(),
                        MidiOutputState::kClosed);
              EXPECT_FALSE(app.midi_transport_window()->isVisible());
            }),
            0);
  ASSERT_EQ(reporter_.messages.size(), 1u)
      << reporter_.messages.back().second.toStdString() << " / "
      << reporter_.messages.front().second.toStdString();
}

// The Selection menu's receive (Ctrl+F10) runs the scale pass as the File menu's does: a scale
// table that arrives is marked and listed at once.
TEST_F(TransfersTest, ASelectedReceiveMarksTheScaleTablesThatCame) {
  line_.AddModule(ModuleOn(1));
  ASSERT_EQ(Run([&](AppContext& app) {
              ReadModule(app);
              line_.WithModule(0, [](VirtualModule& module) {
                // Pairs rising by 4: the whole-tone table at the scales window's step of 2.
                for (int i = 0; i < kWaveLength; ++i)
                  module.MutableWaveform(WaveIndex(1, 2))[i] =
                      static_cast<std::uint8_t>(std::min(4 * (i / 2), 252));
              });
              // The pass lists the scale tables while the editor's "Scale Detection" is on.
              app.waveform_editor()->MenuAction("mnuScaleDetection")->trigger();
              auto* list = app.main_window()->findChild<QComboBox*>("ComboBox8");
              ASSERT_EQ(list->count(), 0);
              app.main_window()->Grid()->SetSelection(QRect(2, 1, 1, 1));
              app.main_window()->MenuAction("mnuReceiveSelection")->trigger();
              ASSERT_EQ(app.wavetable().Wave(WaveIndex(1, 2))[200], 252);
              EXPECT_EQ(app.wavetable().Marker(WaveIndex(1, 2)), kMarkerScale);
              ASSERT_EQ(list->count(), 1);
              EXPECT_TRUE(list->itemText(0).startsWith(" 0066- "))
                  << list->itemText(0).toStdString();
            }),
            0);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(TransfersTest, TheEditorsBufferGoesToTheModuleAndComesBack) {
  line_.AddModule(ModuleOn(1));
  ASSERT_EQ(Run([&](AppContext& app) {
              ReadModule(app);
              // Without handshake: the buffer's blocks are not acknowledged, so no reply waits on
              // the input for the next transfer to take, and the receive asks block by block.
              app.module_control()->findChild<QCheckBox*>("cbHandshakeTx")->click();
              WaveformEditorWindow* editor = app.waveform_editor();
              const WaveSpan buffer = editor->WorkingCopy();
              for (int i = 0; i < kWaveLength; ++i) buffer[i] = Pattern(3, i);
              // The blocks go to whatever waveform the module has selected: 0 after power-on.
              editor->MenuAction("mnuSendMidi")->trigger();
              EXPECT_TRUE(line_.WaitUntilIdle(std::chrono::seconds(5)));
              line_.WithModule(0, [](VirtualModule& module) {
                for (int i = 0; i < kWaveLength; ++i)
                  ASSERT_EQ(module.Waveform(0)[i], Pattern(3, i));
                module.MutableWaveform(WaveIndex(2, 9))[100] = 201;
              });

              // Receive selects wave and bank on the module first.
              editor->BankSelector()->SetState(2);
              editor->WaveSelector()->SetState(9);
              editor->MenuAction("mnuReceiveMidi")->trigger();
              EXPECT_EQ(editor->WorkingCopy()[100], 201);
              EXPECT_TRUE(LogHas(app, " > Receive Waveform Buffer  Chan 1"));

              // With "Send Waveform Buffer" checked every change of the buffer goes out at once.
              app.module_control()->MenuAction("SendWaveformBuffer1")->trigger();
              ASSERT_TRUE(app.module_control()->SendBufferChecked());
              editor->WorkingCopy()[5] = 77;
              editor->WaveformChanged();
              EXPECT_TRUE(line_.WaitUntilIdle(std::chrono::seconds(5)));
              line_.WithModule(0, [](VirtualModule& module) {
                EXPECT_EQ(module.Waveform(WaveIndex(2, 9))[5], 77);
              });
            }),
            0);
  EXPECT_TRUE(reporter_.messages.empty());
}

}  // namespace
}  // namespace morvane
