#include "platform/midi/rtmidi_support.h"

#include <chrono>
#include <thread>

#include "core/midi/midi_driver.h"

namespace morvane {
namespace {

// The server takes a new connection into its graph at the start of a cycle; data written before
// that is lost. Two cycles of the largest usual period (1024 frames at 44.1 kHz) and some more.
constexpr auto kJackConnectionSettling = std::chrono::milliseconds(60);

template <typename Port>
std::unique_ptr<Port> MakePort(RtMidi::Api api, const std::string& client_name,
                               RtMidiErrorTrap& trap) {
  std::unique_ptr<Port> port;
  try {
    port = std::make_unique<Port>(api, client_name);
  } catch (const RtMidiError& error) {
    throw MidiDriverError(error.getMessage());
  }
  trap.Watch(*port);
  return port;
}

}  // namespace

void RtMidiErrorTrap::Watch(RtMidi& midi) {
  midi.setErrorCallback(&RtMidiErrorTrap::OnError, this);
}

void RtMidiErrorTrap::OnError(RtMidiError::Type type, const std::string& text, void* trap) {
  auto& self = *static_cast<RtMidiErrorTrap*>(trap);
  const std::lock_guard lock(self.mutex_);
  if (type == RtMidiError::WARNING || type == RtMidiError::DEBUG_WARNING) {
    self.warned_ = true;
  } else if (!self.error_) {
    self.error_ = text;
  }
}

void RtMidiErrorTrap::ThrowIfFailed() {
  std::optional<std::string> error;
  {
    const std::lock_guard lock(mutex_);
    error.swap(error_);
  }
  if (error) throw MidiDriverError(*error);
}

bool RtMidiErrorTrap::TakeWarning() {
  const std::lock_guard lock(mutex_);
  const bool warned = warned_;
  warned_ = false;
  return warned;
}

std::unique_ptr<RtMidiIn> MakeRtMidiIn(RtMidi::Api api, const std::string& client_name,
                                       RtMidiErrorTrap& trap) {
  return MakePort<RtMidiIn>(api, client_name, trap);
}

std::unique_ptr<RtMidiOut> MakeRtMidiOut(RtMidi::Api api, const std::string& client_name,
                                         RtMidiErrorTrap& trap) {
  return MakePort<RtMidiOut>(api, client_name, trap);
}

std::vector<std::string> ListRtMidiPorts(RtMidi& midi, RtMidiErrorTrap& trap,
                                         const std::string& own_client_name) {
  std::vector<std::string> names;
  try {
    const unsigned int count = midi.getPortCount();
    for (unsigned int i = 0; i < count; ++i) {
      std::string name = midi.getPortName(i);
      // An empty name is a port that went away while we listed.
      if (name.empty() || name.starts_with(own_client_name)) continue;
      names.push_back(std::move(name));
    }
  } catch (const RtMidiError& error) {
    throw MidiDriverError(error.getMessage());
  }
  trap.ThrowIfFailed();
  return names;
}

void OpenRtMidiPortByName(RtMidi& midi, RtMidi::Api api, RtMidiErrorTrap& trap,
                          const std::string& device_name, const char* kind) {
  constexpr int kAttempts = 3;
  try {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      std::optional<unsigned int> position;
      const unsigned int count = midi.getPortCount();
      for (unsigned int i = 0; i < count && !position; ++i) {
        if (midi.getPortName(i) == device_name) position = i;
      }
      if (!position) {
        throw MidiDriverError(std::string("MIDI ") + kind + " device " + device_name +
                              " is not available");
      }
      midi.openPort(*position, kind);
      trap.ThrowIfFailed();
      if (midi.getPortName(*position) == device_name) {
        if (api == RtMidi::UNIX_JACK) std::this_thread::sleep_for(kJackConnectionSettling);
        return;
      }
      midi.closePort();  // the list moved while opening: connected to some other port
    }
  } catch (const RtMidiError& error) {
    throw MidiDriverError(error.getMessage());
  }
  throw MidiDriverError(std::string("MIDI ") + kind + " device " + device_name +
                        " could not be opened: the device list kept changing");
}

}  // namespace morvane
