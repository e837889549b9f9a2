#include "core/midi/midi_output.h"

#include <vector>

namespace morvane {
namespace {

constexpr char kNotOpen[] = "MIDI Output device not open";

std::vector<std::string> OutputNamesOf(MidiDriver& driver) {
  try {
    return driver.OutputNames();
  } catch (const MidiDriverError& error) {
    throw MidiOutputError(error.what());
  }
}

}  // namespace

MidiOutput::MidiOutput(MidiDriver& driver) : driver_(driver) {}

MidiOutput::~MidiOutput() { Close(); }

void MidiOutput::RefuseWhileOpen(const char* property) const {
  if (state_ == MidiOutputState::kOpen) {
    throw MidiOutputError(std::string("Change to ") + property + " while device was open");
  }
}

void MidiOutput::SetProductName(const std::string& name) {
  RefuseWhileOpen("ProductName");
  const std::vector<std::string> names = OutputNamesOf(driver_);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) {
      device_id_ = static_cast<int>(i);
      product_name_ = name;
      return;
    }
  }
  throw MidiOutputError("MIDI output Device " + name + " not installed");
}

void MidiOutput::SetDeviceID(int device_id) {
  RefuseWhileOpen("DeviceID");
  const std::vector<std::string> names = OutputNamesOf(driver_);
  if (device_id < 0 || static_cast<std::size_t>(device_id) >= names.size()) {
    throw MidiOutputError("Invalid device ID");
  }
  device_id_ = device_id;
  product_name_ = names[static_cast<std::size_t>(device_id)];
}

bool MidiOutput::Open() {
  if (state_ == MidiOutputState::kOpen) return true;
  if (device_id_ == kNoDevice) return false;
  try {
    connection_ = driver_.OpenOutput(device_id_);
  } catch (const std::exception&) {
    connection_.reset();
    return false;
  }
  if (!connection_) return false;
  state_ = MidiOutputState::kOpen;
  return true;
}

bool MidiOutput::Close() noexcept {
  const bool was_open = state_ == MidiOutputState::kOpen;
  connection_.reset();
  state_ = MidiOutputState::kClosed;
  return was_open;
}

MidiOutputConnection& MidiOutput::OpenConnection() const {
  if (state_ != MidiOutputState::kOpen) throw MidiOutputError(kNotOpen);
  return *connection_;
}

void MidiOutput::PutShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
  MidiOutputConnection& connection = OpenConnection();
  try {
    connection.SendShort(status, data1, data2);
  } catch (const MidiDriverError& error) {
    throw MidiOutputError(error.what());
  }
}

void MidiOutput::PutLong(std::span<const std::uint8_t> bytes) {
  MidiOutputConnection& connection = OpenConnection();
  try {
    connection.SendLong(bytes);
  } catch (const MidiDriverError& error) {
    throw MidiOutputError(error.what());
  }
}

void MidiOutput::PutMidiEvent(const MidiEvent& event) {
  if (!event.sysex.empty()) {
    PutLong(event.sysex);
  } else {
    PutShort(event.midi_message, event.data1, event.data2);
  }
}

}  // namespace morvane
