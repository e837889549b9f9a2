#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

namespace morvane {

// The main of a benchmark that draws widgets: drawing needs no screen, so the offscreen platform
// keeps the program runnable anywhere.
inline int RunWidgetBenchmarks(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace morvane
