#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "platform/user_folders.h"
#include "support/recording_reporter.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "ui/controls/value_knob.h"
#include "ui/shell/app_context.h"

namespace morvane {

// Every window created as the program creates them, with recorded messages and scripted file
// dialogs, on a temporary home.
class SpectralTestApp : public ::testing::Test {
 protected:
  SpectralTestApp() { app_.CreateWindows(); }

  // Brings a knob to v the way a user finishes: the last step is a real click on it, which
  // fires its change event.
  static void TurnKnob(ValueKnob* knob, int v) {
    const QPoint inside(knob->width() / 2, knob->height() / 2);
    if (v > knob->Min()) {
      knob->SetState(v - 1);
      QTest::mouseClick(knob, Qt::RightButton, {}, inside);
    } else {
      knob->SetState(v + 1);
      QTest::mouseClick(knob, Qt::LeftButton, {}, inside);
    }
    ASSERT_EQ(knob->State(), v);
  }

  TempHome home_;
  RecordingReporter reporter_;
  ScriptedFileDialogs dialogs_;
  AppContext app_{std::make_unique<WavetableStore>(),
                  std::make_unique<SettingsStore>(SettingsFilePath()), reporter_, dialogs_};
};

}  // namespace morvane
