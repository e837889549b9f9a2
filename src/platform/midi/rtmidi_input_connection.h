#pragma once

#include <rtmidi/RtMidi.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/midi/midi_driver.h"
#include "platform/midi/rtmidi_support.h"

namespace morvane {

// An RtMidi input port connected to one device. Messages reach the sink between Start and Stop,
// stamped in milliseconds since the last Start.
class RtMidiInputConnection final : public MidiInputConnection {
 public:
  // Throws MidiDriverError when the device is not listed any more or cannot be opened.
  RtMidiInputConnection(RtMidi::Api api, const std::string& client_name,
                        const std::string& device_name, MidiInputSink& sink);
  ~RtMidiInputConnection() override;

  void Start() override;
  void Stop() override;

 private:
  static void OnMessage(double delta_seconds, std::vector<unsigned char>* message,
                        void* connection);
  void Deliver(double delta_seconds, const std::vector<unsigned char>& message) noexcept;

  MidiInputSink& sink_;
  RtMidiErrorTrap trap_;
  std::unique_ptr<RtMidiIn> midi_;

  std::atomic<bool> running_{false};
  std::atomic<bool> restarted_{false};
  std::atomic<std::int64_t> start_ns_{0};  // steady clock at the last Start

  // Driver thread only. RtMidi gives the time since its previous message; their sum is a clock
  // that is tied to the steady clock at the first message after each Start.
  double driver_seconds_ = 0.0;
  double anchor_seconds_ = 0.0;
  double anchor_ms_ = 0.0;
};

}  // namespace morvane
