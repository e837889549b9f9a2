#pragma once

#include <functional>
#include <utility>

#include "app/program.h"
#include "support/virtual_waiter.h"
#include "ui/shell/app_context.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

// Runs the whole program as main does; `act` runs inside the event loop once the main window is
// shown, then the main window is closed the way a user closes it. Returns the exit status.
// Unless the test brings its own clock, the MIDI waits run in virtual time.
inline int RunProgramAndClose(ProgramOptions options, std::function<void(AppContext&)> act) {
  static int argc = 1;
  static char program_name[] = "morvane8";
  static char* argv[] = {program_name, nullptr};
  VirtualWaiter waiter;
  if (options.services.waiter == nullptr) options.services.waiter = &waiter;
  options.on_started = [act = std::move(act)](AppContext& app) {
    act(app);
    app.main_window()->close();
  };
  return RunProgram(argc, argv, options);
}

}  // namespace morvane
