#pragma once

#include <rtmidi/RtMidi.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

// Catches what RtMidi reports through its error callback, which would otherwise be printed to
// the terminal and, for errors, thrown from wherever RtMidi noticed them. The owner turns a
// caught error into MidiDriverError after each call. Must outlive the RtMidi object it watches.
class RtMidiErrorTrap {
 public:
  void Watch(RtMidi& midi);
  // Throws MidiDriverError with the first error caught since the last call, if any.
  void ThrowIfFailed();
  // Whether RtMidi warned since the last call (a JACK server that does not answer, say).
  bool TakeWarning();

 private:
  static void OnError(RtMidiError::Type type, const std::string& text, void* trap);

  std::mutex mutex_;  // RtMidi may report from its own threads
  std::optional<std::string> error_;
  bool warned_ = false;
};

// Creates an RtMidi port object on the given API, watched by the trap; throws MidiDriverError.
std::unique_ptr<RtMidiIn> MakeRtMidiIn(RtMidi::Api api, const std::string& client_name,
                                       RtMidiErrorTrap& trap);
std::unique_ptr<RtMidiOut> MakeRtMidiOut(RtMidi::Api api, const std::string& client_name,
                                         RtMidiErrorTrap& trap);

// The names of the ports the object can connect to, leaving out the ports that this program's
// own clients (names starting with `own_client_name`) have opened.
std::vector<std::string> ListRtMidiPorts(RtMidi& midi, RtMidiErrorTrap& trap,
                                         const std::string& own_client_name);

// Connects the object, on `api`, to the device of that name; `kind` ("input", "output") names
// it in errors. RtMidi opens by position in a list that other programs change at any moment, so
// the position is looked up again after opening. A JACK connection carries data only from the
// server's next cycles on, so the call returns after a short settling time there. Throws
// MidiDriverError.
void OpenRtMidiPortByName(RtMidi& midi, RtMidi::Api api, RtMidiErrorTrap& trap,
                          const std::string& device_name, const char* kind);

}  // namespace morvane
