#pragma once

#include <rtmidi/RtMidi.h>

#include <chrono>
#include <memory>
#include <span>
#include <string>

#include "core/midi/midi_driver.h"
#include "platform/midi/rtmidi_output_handle.h"
#include "platform/midi/rtmidi_support.h"

namespace morvane {

// An RtMidi output port connected to one device. RtMidi keeps sending into a connection whose
// device has gone, so before a send the device list is checked (at most once per interval) and
// a vanished device turns every later send into MidiDriverError.
class RtMidiOutputConnection final : public MidiOutputConnection {
 public:
  // Throws MidiDriverError when the device is not listed any more or cannot be opened.
  RtMidiOutputConnection(RtMidi::Api api, const std::string& client_name,
                         const std::string& device_name,
                         std::chrono::milliseconds presence_check_interval);
  ~RtMidiOutputConnection() override;

  void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
  void SendLong(std::span<const std::uint8_t> bytes) override;

 private:
  void Send(std::span<const std::uint8_t> bytes);
  void CheckDeviceStillListed();

  const std::string client_name_;
  const std::string device_name_;
  const std::chrono::milliseconds presence_check_interval_;
  std::chrono::steady_clock::time_point last_check_;
  bool vanished_ = false;

  std::unique_ptr<RtMidiOutputHandle> output_;
  RtMidiErrorTrap lister_trap_;
  std::unique_ptr<RtMidiOut> lister_;  // only lists; never opens a port
};

}  // namespace morvane
