#include <gtest/gtest.h>

#include <QAction>
#include <algorithm>

#include "app/program.h"
#include "platform/user_folders.h"
#include "support/program_run.h"
#include "support/recording_reporter.h"
#include "support/temp_home.h"
#include "ui/shell/app_context.h"
#include "ui/spectral/spectral_map_window.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

TEST(SpectralStartupTest, AnFftEngineThatCannotBeAllocatedIsReportedAndTheProgramEnds) {
  TempHome home;
  RecordingReporter reporter;
  bool started = false;
  ProgramOptions options;
  options.messages = &reporter;
  options.create_fft_engine = []() -> std::unique_ptr<FftEngine> { throw std::bad_alloc(); };
  EXPECT_NE(RunProgramAndClose(options, [&](AppContext&) { started = true; }), 0);
  EXPECT_FALSE(started);
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].first, "Fatal Error");
  EXPECT_EQ(reporter.messages[0].second, "Alloc Memory FFT buffer");
  EXPECT_FALSE(std::filesystem::exists(SettingsFilePath()));
}

TEST(SpectralStartupTest, TheFirstShowComputesTheSpectraAndTheWindowsComeBackAsTheyWereLeft) {
  TempHome home;
  RecordingReporter reporter;
  ProgramOptions options;
  options.messages = &reporter;
  ASSERT_EQ(RunProgramAndClose(options,
                               [](AppContext& app) {
                                 // A cleared slot has phase bytes 0; its analysis makes them 128.
                                 const WavetableStore& store = app.wavetable();
                                 for (int k : {0, 777, 2047}) {
                                   EXPECT_TRUE(std::ranges::all_of(
                                       store.Phase(k), [](std::uint8_t b) { return b == 128; }));
                                 }
                                 app.main_window()->MenuAction("mnuFftEditor")->trigger();
                                 app.main_window()->MenuAction("mnuSpectralMap")->trigger();
                                 app.spectral_map()->ChooseWindowKind(13);
                                 app.spectrum_editor()->ChooseWindowKind(6);
                               }),
            0);
  EXPECT_TRUE(reporter.messages.empty());
  ASSERT_EQ(
      RunProgramAndClose(options,
                         [](AppContext& app) {
                           EXPECT_TRUE(app.spectrum_editor()->isVisible());
                           EXPECT_TRUE(app.main_window()->MenuAction("mnuFftEditor")->isChecked());
                           EXPECT_TRUE(app.spectral_map()->isVisible());
                           EXPECT_EQ(app.spectral_map()->WindowKind(), 13);
                           EXPECT_EQ(app.spectrum_editor()->WindowKind(), 6);
                         }),
      0);
  EXPECT_TRUE(reporter.messages.empty()) << reporter.messages[0].second.toStdString();
}

}  // namespace
}  // namespace morvane
