#pragma once

namespace morvane {

// Wakes the window thread when a MIDI port has notifications pending. Called on the driver's
// thread, so an implementation must neither block nor allocate.
class MidiNotifier {
 public:
  virtual ~MidiNotifier() = default;
  virtual void Wake() noexcept = 0;
};

}  // namespace morvane
