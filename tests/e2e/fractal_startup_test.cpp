#include <gtest/gtest.h>

#include <QAction>
#include <QToolButton>

#include "app/program.h"
#include "core/generators/fractal_engine.h"
#include "platform/user_folders.h"
#include "support/fractal_reference.h"
#include "support/program_run.h"
#include "support/recording_reporter.h"
#include "support/temp_home.h"
#include "ui/generators/fractal_view_window.h"
#include "ui/generators/generators_window.h"
#include "ui/shell/app_context.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

TEST(FractalStartupTest, TheStartFillsTheMapsCornerAndTheViewerComesBackWhereItWasLeft) {
  TempHome home;
  RecordingReporter reporter;
  ProgramOptions options;
  options.messages = &reporter;
  ASSERT_EQ(RunProgramAndClose(
                options,
                [](AppContext& app) {
                  const auto expected =
                      testing::ReferenceComplexImage(ComplexKind::kMandelbrot, ComplexParameters{});
                  const FractalEngine& engine = app.fractal_engine();
                  for (int i = 0; i < kComplexSize; ++i) {
                    for (int j = 0; j < kComplexSize; ++j) {
                      ASSERT_EQ(engine.Map(i, j), expected[std::size_t(i) * kComplexSize + j]);
                    }
                  }
                  app.generators()->findChild<QToolButton*>("btnShowFractal")->click();
                  app.fractal_view()->move(410, 230);
                }),
            0);
  EXPECT_TRUE(reporter.messages.empty());
  ASSERT_EQ(RunProgramAndClose(options,
                               [](AppContext& app) {
                                 EXPECT_TRUE(app.fractal_view()->isVisible());
                                 EXPECT_EQ(app.fractal_view()->pos(), QPoint(410, 230));
                               }),
            0);
  EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace morvane
