#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <fstream>
#include <optional>

#include "app/program.h"
#include "core/settings/settings_store.h"
#include "platform/user_folders.h"
#include "support/program_run.h"
#include "support/recording_reporter.h"
#include "support/temp_home.h"
#include "ui/controls/value_knob.h"
#include "ui/module/midi_log_pane.h"
#include "ui/shell/about_box.h"
#include "ui/shell/app_context.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

// Runs the whole program as main does; `act` runs inside the event loop, then the main window
// is closed the way a user closes it.
int RunAndClose(RecordingReporter& reporter, const std::function<void(AppContext&)>& act,
                ProgramOptions options = {}) {
  options.messages = &reporter;
  return RunProgramAndClose(options, act);
}

struct SeenWindow {
  QPoint pos;
  QSize size;
  int cell_width = 0;
  bool auto_size = false;
  CellColors colors{};
  QString title;
  QString application_name;
};

SeenWindow See(AppContext& app) {
  MainWindow* w = app.main_window();
  return {w->pos(),
          w->size(),
          w->CellWidth(),
          w->AutoSizeChecked(),
          w->Colors(),
          w->windowTitle(),
          QApplication::applicationName()};
}

TEST(StartupTest, FirstStartUsesDesignValuesAndTheExitWritesThemAll) {
  TempHome home;
  RecordingReporter reporter;
  SeenWindow seen;
  bool slots_empty = true;
  ASSERT_EQ(RunAndClose(reporter,
                        [&](AppContext& app) {
                          seen = See(app);
                          auto* knob = app.main_window()->findChild<ValueKnob*>("kvpotzoom");
                          ASSERT_NE(knob, nullptr);
                          EXPECT_EQ(knob->State(), 39);
                          for (int slot = 0; slot < kSlotCount; ++slot) {
                            app.wavetable().SetCurrentSlot(slot);
                            for (int k = 0; k < kWaveCount; k += 97) {
                              slots_empty =
                                  slots_empty && app.wavetable().Wave(k)[255] == kZeroLine;
                            }
                          }
                          app.wavetable().SetCurrentSlot(0);
                        }),
            0);
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_EQ(seen.title, "Wavetable");
  EXPECT_EQ(seen.application_name, "Morvane8_v2.3.exe");
  EXPECT_EQ(seen.pos, QPoint(238, 443));
  EXPECT_EQ(seen.size, QSize(1096, 713));
  EXPECT_EQ(seen.cell_width, 39);
  EXPECT_TRUE(seen.auto_size);
  EXPECT_EQ(seen.colors, kDefaultCellColors);
  EXPECT_TRUE(slots_empty);

  SettingsStore settings(SettingsFilePath());
  SettingsReader reader = settings.OpenForReading();
  ASSERT_TRUE(reader.Exists());
  std::int32_t value = 0;
  // The main window's values, then the waveform editor's (with the colours it reads).
  for (const char* name : {"PX1",
                           "PY1",
                           "PW1",
                           "PH1",
                           "ZoomWT",
                           "AutoSizeWT",
                           "PX3",
                           "PY3",
                           "EN3",
                           "Vtable1",
                           "Cpanel1",
                           "WedCenter",
                           "WedLine",
                           "WedMark",
                           "WedFull",
                           "ColorMark",
                           "ColorWaveText",
                           "ColorBack",
                           "ColorLine",
                           "ColorAxes",
                           "ColorGradient",
                           "ColorLocator",
                           "ColorSelection",
                           "ColorWaveMinmax",
                           "GradientType"}) {
    EXPECT_TRUE(reader.ReadInteger(name, value)) << name;
  }
  for (std::string_view name : kCellColorSettingNames) {
    EXPECT_TRUE(reader.ReadInteger(name, value)) << name;
  }
  EXPECT_FALSE(reader.Failed()) << reader.Error();
}

TEST(StartupTest, ASecondStartRestoresWhatTheFirstLeft) {
  TempHome home;
  RecordingReporter reporter;
  const CellColors chosen = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0x00FFEEDD};
  ASSERT_EQ(RunAndClose(reporter,
                        [&](AppContext& app) {
                          MainWindow* w = app.main_window();
                          w->MenuAction("mnuAutoSize")->setChecked(false);
                          w->move(101, 57);
                          w->resize(900, 600);
                          for (int c = 0; c < kCellColorCount; ++c) {
                            w->SetColor(c, chosen[static_cast<std::size_t>(c)]);
                          }
                          // A right click on the zoom knob steps the cell width up by one.
                          auto* knob = w->findChild<ValueKnob*>("kvpotzoom");
                          QTest::mouseClick(knob, Qt::RightButton, {}, QPoint(3, 3));
                        }),
            0);
  SeenWindow seen;
  ASSERT_EQ(RunAndClose(reporter, [&](AppContext& app) { seen = See(app); }), 0);
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_EQ(seen.pos, QPoint(101, 57));
  EXPECT_EQ(seen.size, QSize(900, 600));
  EXPECT_EQ(seen.cell_width, 40);
  EXPECT_FALSE(seen.auto_size);
  EXPECT_EQ(seen.colors, chosen);
}

TEST(StartupTest, AMissingZoomIsReportedAndTheOtherValuesAreStillRead) {
  TempHome home;
  RecordingReporter reporter;
  // A normal run leaves every window's values; then the user's values go in by hand.
  ASSERT_EQ(RunAndClose(reporter, [](AppContext&) {}), 0);
  {
    SettingsStore settings(SettingsFilePath());
    SettingsWriter writer = settings.OpenForWriting();
    MainWindowSettings stored;
    stored.left = 10;
    stored.top = 20;
    stored.width = 700;
    stored.height = 500;
    stored.cell_width = 60;
    stored.auto_size = false;
    stored.colors.fill(0x00123456);
    WriteMainWindowSettings(writer, stored);
    ASSERT_TRUE(writer.Close());
  }
  // Take ZoomWT out of the file, as a user editing it by hand might.
  std::ifstream in(SettingsFilePath());
  std::string text, line;
  while (std::getline(in, line)) {
    if (line.rfind("ZoomWT", 0) != 0) text += line + "\n";
  }
  in.close();
  std::ofstream(SettingsFilePath()) << text;

  SeenWindow seen;
  ASSERT_EQ(RunAndClose(reporter, [&](AppContext& app) { seen = See(app); }), 0);
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.icons[0], QMessageBox::Warning) << "a settings problem is no error";
  EXPECT_TRUE(reporter.messages[0].second.contains("ZoomWT"))
      << reporter.messages[0].second.toStdString();
  EXPECT_EQ(seen.pos, QPoint(10, 20));
  EXPECT_EQ(seen.size, QSize(700, 500));
  EXPECT_FALSE(seen.auto_size);
  CellColors expected;
  expected.fill(0x00123456);
  EXPECT_EQ(seen.colors, expected);
  EXPECT_EQ(seen.cell_width, 39);
}

TEST(StartupTest, ACorruptSettingsFileIsReportedOnceKeptAsideAndTreatedAsAFirstRun) {
  TempHome home;
  std::filesystem::create_directories(SettingsFilePath().parent_path());
  const std::string garbage = "PX1 = 12\nthis is not a setting\n";
  std::ofstream(SettingsFilePath()) << garbage;

  RecordingReporter reporter;
  SeenWindow seen;
  ASSERT_EQ(RunAndClose(reporter, [&](AppContext& app) { seen = See(app); }), 0);
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(seen.pos, QPoint(238, 443));
  EXPECT_EQ(seen.colors, kDefaultCellColors);
  std::ifstream bad(SettingsFilePath().string() + ".bad");
  std::string kept((std::istreambuf_iterator<char>(bad)), std::istreambuf_iterator<char>());
  EXPECT_EQ(kept, garbage);
  SettingsStore settings(SettingsFilePath());
  EXPECT_TRUE(settings.OpenForReading().Exists()) << "the exit wrote a good file again";
}

template <typename Store>
std::function<std::unique_ptr<Store>()> FailingAllocation() {
  return []() -> std::unique_ptr<Store> { throw std::bad_alloc(); };
}

// Each of the four stores in turn, the others made as usual.
TEST(StartupTest, AStoreThatCannotBeAllocatedIsReportedAndTheProgramEnds) {
  struct Case {
    const char* message;
    std::function<void(ProgramOptions&)> fail;
  };
  const Case cases[] = {
      {"Alloc Memory Wavetable",
       [](ProgramOptions& o) { o.create_wavetable_store = FailingAllocation<WavetableStore>(); }},
      {"Alloc Memory Parametres",
       [](ProgramOptions& o) { o.create_parameter_store = FailingAllocation<ParameterStore>(); }},
      {"Alloc Memory FFT buffer",
       [](ProgramOptions& o) { o.create_fft_engine = FailingAllocation<FftEngine>(); }},
      {"Alloc Memory Fractal",
       [](ProgramOptions& o) { o.create_fractal_engine = FailingAllocation<FractalEngine>(); }},
  };
  for (const Case& c : cases) {
    TempHome home;
    RecordingReporter reporter;
    bool started = false;
    ProgramOptions options;
    c.fail(options);
    EXPECT_NE(RunAndClose(
                  reporter, [&](AppContext&) { started = true; }, options),
              0)
        << c.message;
    EXPECT_FALSE(started) << c.message;
    ASSERT_EQ(reporter.messages.size(), 1u) << c.message;
    EXPECT_EQ(reporter.messages[0].first, "Fatal Error");
    EXPECT_EQ(reporter.messages[0].second, c.message);
    EXPECT_FALSE(std::filesystem::exists(SettingsFilePath()))
        << c.message << ": nothing ran, nothing was written";
  }
}

TEST(StartupTest, F1ShowsTheAboutBoxCentredAndAClickClosesIt) {
  TempHome home;
  RecordingReporter reporter;
  ASSERT_EQ(RunAndClose(reporter,
                        [&](AppContext& app) {
                          MainWindow* w = app.main_window();
                          w->activateWindow();
                          ASSERT_TRUE(QTest::qWaitForWindowActive(w));
                          app.midi_log().AddLine("an older line");
                          QTest::keyClick(w, Qt::Key_F1);
                          // The MIDI log holds exactly the three lines of the program's name.
                          EXPECT_EQ(
                              app.midi_log().Lines(),
                              (std::vector<std::string>{"MORVANE-8 MIDI Editor", "         Rev 2.3",
                                                        AboutBox::CreditLine().toStdString()}));
                          AboutBox* about = app.about_box();
                          ASSERT_TRUE(about->isVisible());
                          EXPECT_TRUE(about->windowFlags() & Qt::FramelessWindowHint);
                          auto* picture = about->findChild<QLabel*>("Image1");
                          ASSERT_NE(picture, nullptr);
                          EXPECT_EQ(picture->pixmap().size(), QSize(388, 204));
                          EXPECT_EQ(about->findChild<QLabel*>("Label1")->text(), "Rev 2.3");
                          const QPoint centre = about->screen()->geometry().center();
                          EXPECT_LE((about->geometry().center() - centre).manhattanLength(), 2);
                          QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(100, 50));
                          EXPECT_FALSE(about->isVisible());
                        }),
            0);
}

}  // namespace
}  // namespace morvane
