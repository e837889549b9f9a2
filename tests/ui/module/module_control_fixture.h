#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>
#include <memory>
#include <vector>

#include "core/midi/sysex_format.h"
#include "platform/user_folders.h"
#include "support/fake_audio_devices.h"
#include "support/fake_midi_driver.h"
#include "support/recording_reporter.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "support/virtual_waiter.h"
#include "ui/controls/value_knob.h"
#include "ui/module/module_control_window.h"
#include "ui/shell/app_context.h"

namespace morvane {

using Bytes = std::vector<std::uint8_t>;

inline Bytes CommandBytes(int channel_index, int command, int value) {
  const CommandMessage message = BuildCommandMessage(channel_index, command, value);
  return Bytes(message.begin(), message.end());
}

// Every window created as the program creates them, on a fake MIDI device, with the module
// control window shown.
class ModuleControlFixture : public ::testing::Test {
 protected:
  ModuleControlFixture() { Create(); }

  void Create() {
    app_.reset();
    app_ = std::make_unique<AppContext>(
        std::make_unique<WavetableStore>(), std::make_unique<SettingsStore>(SettingsFilePath()),
        reporter_, dialogs_, AppServices{nullptr, &audio_, &driver_, &waiter_});
    app_->CreateWindows();
    window_ = app_->module_control();
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    driver_.sent.clear();  // the KRN5 setup at start
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = window_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  ValueKnob* Knob(const char* name) { return Find<ValueKnob>(name); }
  QComboBox* List(const char* name) { return Find<QComboBox>(name); }

  // One knob step by the user: a right click up, a left click down.
  static void Up(ValueKnob* knob) { QTest::mouseClick(knob, Qt::RightButton, {}, QPoint(3, 3)); }
  static void Down(ValueKnob* knob) { QTest::mouseClick(knob, Qt::LeftButton, {}, QPoint(3, 3)); }
  // The user picks entry `index` of a list with one key.
  static void Choose(QComboBox* list, int index) {
    if (index > 0) {
      list->setCurrentIndex(index - 1);
      QTest::keyClick(list, Qt::Key_Down);
    } else {
      list->setCurrentIndex(1);
      QTest::keyClick(list, Qt::Key_Up);
    }
    ASSERT_EQ(list->currentIndex(), index);
  }
  void Trigger(const char* entry) { window_->MenuAction(entry)->trigger(); }
  std::uint8_t ImageByte(int image, int byte) { return app_->parameters().GetParam(image, byte); }
  // The command numbers sent since the last look, in order.
  std::vector<int> SentCommands() {
    std::vector<int> commands;
    for (const Bytes& message : driver_.sent)
      commands.push_back(message.size() == 8 ? message[4] : -1);
    driver_.sent.clear();
    return commands;
  }

  TempHome home_;
  RecordingReporter reporter_;
  ScriptedFileDialogs dialogs_;
  FakeAudioDevices audio_;
  testing::FakeMidiDriver driver_{{"In"}, {"Out"}};
  VirtualWaiter waiter_;
  std::unique_ptr<AppContext> app_;
  ModuleControlWindow* window_ = nullptr;
};

}  // namespace morvane
