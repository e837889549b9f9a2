#pragma once

#include <rtmidi/RtMidi.h>

#include <memory>
#include <string>

#include "platform/midi/rtmidi_support.h"

namespace morvane {

// An RtMidi output object with the trap that watches it.
struct RtMidiOutputHandle {
  RtMidi::Api api;
  std::string client_name;
  RtMidiErrorTrap trap;
  std::unique_ptr<RtMidiOut> midi;
};

// Throws MidiDriverError.
std::unique_ptr<RtMidiOutputHandle> MakeRtMidiOutput(RtMidi::Api api,
                                                     const std::string& client_name);

// Closes the object's port and destroys the object once that is safe. RtMidi 5.0's JACK output
// frees its message buffer before it stops the client's process thread, and a cycle that began
// before the port was closed may still be reading that buffer: destroying the object right after
// closing its port can crash. So a closed JACK output waits a grace period before it is
// destroyed, by a later retirement or at the end of the process. Every other API's output is
// destroyed at once.
void RetireRtMidiOutput(std::unique_ptr<RtMidiOutputHandle> handle) noexcept;

}  // namespace morvane
