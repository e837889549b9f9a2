#pragma once

#include <chrono>
#include <memory>
#include <thread>

#include "core/midi/midi_input.h"

namespace morvane {

// The next event queued on `input`, polling for it at most `bound` as a transfer polls; null
// when none came.
inline std::unique_ptr<MidiEvent> NextMidiEvent(MidiInput& input, std::chrono::milliseconds bound) {
  const auto end = std::chrono::steady_clock::now() + bound;
  while (input.GetEventCount() == 0 && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  return input.GetMidiEvent();
}

}  // namespace morvane
