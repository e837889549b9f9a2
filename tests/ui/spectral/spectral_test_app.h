#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "platform/user_folders.h"
#include "support/recording_reporter.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "ui/controls/control_test_support.h"
#include "ui/controls/value_knob.h"
#include "ui/shell/app_context.h"

namespace morvane {

// Every window created as the program creates them, with recorded messages and scripted file
// dialogs, on a temporary home.
class SpectralTestApp : public ::testing::Test {
 protected:
  SpectralTestApp() { app_.CreateWindows(); }

  static void TurnKnob(ValueKnob* knob, int v) {
    testing::TurnKnob(knob, v);
    ASSERT_EQ(knob->State(), v);
  }

  TempHome home_;
  RecordingReporter reporter_;
  ScriptedFileDialogs dialogs_;
  AppContext app_{std::make_unique<WavetableStore>(),
                  std::make_unique<SettingsStore>(SettingsFilePath()), reporter_, dialogs_};
};

}  // namespace morvane
