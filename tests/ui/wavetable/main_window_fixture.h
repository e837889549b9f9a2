#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "platform/user_folders.h"
#include "support/recording_reporter.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "ui/shell/app_context.h"
#include "ui/wavetable/main_window.h"

namespace morvane::testing {

// Every window made and the main window shown at the top left, in a home of its own: the state
// a user meets after start-up, for tests that drive the main window's menus.
class MainWindowFixture : public ::testing::Test {
 protected:
  MainWindowFixture() {
    app_.CreateWindows();
    window_ = app_.main_window();
    window_->move(0, 0);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_));
  }

  WavetableStore& Store() { return app_.wavetable(); }
  void Trigger(const char* entry) { window_->MenuAction(entry)->trigger(); }
  QString Text(const char* label) { return window_->findChild<QLabel*>(label)->text(); }
  // Presses the named button of a modal dialog once it is up.
  static void PressWhenShown(QWidget* dialog, const char* button) {
    QTimer::singleShot(0, dialog,
                       [dialog, button] { dialog->findChild<QPushButton*>(button)->click(); });
  }

  TempHome home_;
  RecordingReporter reporter_;
  ScriptedFileDialogs dialogs_;
  AppContext app_{std::make_unique<WavetableStore>(),
                  std::make_unique<SettingsStore>(SettingsFilePath()), reporter_, dialogs_};
  MainWindow* window_ = nullptr;
};

}  // namespace morvane::testing
