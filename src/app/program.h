#pragma once

#include <functional>
#include <memory>

#include "core/generators/fractal_engine.h"
#include "core/module/parameter_store.h"
#include "core/spectral/fft_engine.h"
#include "core/wavetable/wavetable_store.h"
#include "ui/shell/app_context.h"

namespace morvane {

class AppContext;
class FileDialogs;
class MessageReporter;

// What main passes to the program; tests replace the defaults to watch or steer a whole run.
struct ProgramOptions {
  // Creates the wavetable store; throws std::bad_alloc when its memory cannot be had.
  std::function<std::unique_ptr<WavetableStore>()> create_wavetable_store;
  // Creates the parameter store, the second one; throws std::bad_alloc as the first does.
  std::function<std::unique_ptr<ParameterStore>()> create_parameter_store;
  // Creates the FFT engine; throws std::bad_alloc when its buffers cannot be had.
  std::function<std::unique_ptr<FftEngine>()> create_fft_engine;
  // Creates the fractal engine, the fourth; throws std::bad_alloc as the others do.
  std::function<std::unique_ptr<FractalEngine>()> create_fractal_engine;
  // Receives every message for the user; nullptr means modal message boxes.
  MessageReporter* messages = nullptr;
  // Answers the file dialogs; nullptr means the toolkit's dialogs.
  FileDialogs* file_dialogs = nullptr;
  // The colour dialog, audio outputs, MIDI devices and clock; unset ones are the real ones.
  AppServices services;
  // Runs once every window has been created, before the main window is shown.
  std::function<void(AppContext&)> on_created;
  // Runs once the event loop has started and the main window is shown.
  std::function<void(AppContext&)> on_started;
};

// Creates the stores and the windows, runs the event loop until the main window is closed and
// releases everything in reverse order. Returns the process exit code.
int RunProgram(int argc, char** argv, const ProgramOptions& options = {});

}  // namespace morvane
