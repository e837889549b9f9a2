#include "platform/midi/rtmidi_output_connection.h"

#include <algorithm>
#include <vector>

namespace morvane {

RtMidiOutputConnection::RtMidiOutputConnection(RtMidi::Api api, const std::string& client_name,
                                               const std::string& device_name,
                                               std::chrono::milliseconds presence_check_interval)
    : client_name_(client_name),
      device_name_(device_name),
      presence_check_interval_(presence_check_interval),
      last_check_(std::chrono::steady_clock::now()),
      output_(MakeRtMidiOutput(api, client_name)),
      lister_(MakeRtMidiOut(api, client_name, lister_trap_)) {
  try {
    OpenRtMidiPortByName(*output_->midi, api, output_->trap, device_name, "output");
  } catch (...) {
    RetireRtMidiOutput(std::move(output_));
    throw;
  }
}

RtMidiOutputConnection::~RtMidiOutputConnection() { RetireRtMidiOutput(std::move(output_)); }

void RtMidiOutputConnection::SendShort(std::uint8_t status, std::uint8_t data1,
                                       std::uint8_t data2) {
  Send(ShortMessageBytes(status, data1, data2).View());
}

void RtMidiOutputConnection::SendLong(std::span<const std::uint8_t> bytes) { Send(bytes); }

void RtMidiOutputConnection::Send(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return;
  CheckDeviceStillListed();
  try {
    output_->midi->sendMessage(bytes.data(), bytes.size());
  } catch (const RtMidiError& error) {
    throw MidiDriverError(error.getMessage());
  }
  output_->trap.ThrowIfFailed();
}

void RtMidiOutputConnection::CheckDeviceStillListed() {
  if (!vanished_) {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_check_ < presence_check_interval_) return;
    last_check_ = now;
    const std::vector<std::string> names = ListRtMidiPorts(*lister_, lister_trap_, client_name_);
    if (std::find(names.begin(), names.end(), device_name_) != names.end()) return;
    vanished_ = true;
  }
  throw MidiDriverError("MIDI output device " + device_name_ + " is no longer available");
}

}  // namespace morvane
