#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

#include "core/midi/midi_driver.h"
#include "core/midi/midi_event.h"
#include "core/midi/midi_out.h"

namespace morvane {

class MidiOutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class MidiOutputState { kOpen, kClosed };

// The MIDI output port. Nothing is selected at construction. Sends go straight to the driver;
// its failures, a vanished device included, come back as MidiOutputError.
class MidiOutput final : public MidiOut {
 public:
  static constexpr int kNoDevice = -1;

  explicit MidiOutput(MidiDriver& driver);
  ~MidiOutput() override;
  MidiOutput(const MidiOutput&) = delete;
  MidiOutput& operator=(const MidiOutput&) = delete;

  MidiOutputState State() const noexcept { return state_; }

  const std::string& ProductName() const noexcept { return product_name_; }
  // Selects the first output device of that name.
  void SetProductName(const std::string& name);
  int DeviceID() const noexcept { return device_id_; }
  void SetDeviceID(int device_id);

  // Opens the selected device; false, and the port stays closed, when that fails.
  bool Open();
  // Returns whether a device was open.
  bool Close() noexcept;

  void PutShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
  void PutLong(std::span<const std::uint8_t> bytes) override;
  // A system-exclusive event goes out whole, anything else as a short message.
  void PutMidiEvent(const MidiEvent& event);

 private:
  void RefuseWhileOpen(const char* property) const;
  MidiOutputConnection& OpenConnection() const;

  MidiDriver& driver_;
  MidiOutputState state_ = MidiOutputState::kClosed;
  std::string product_name_;
  int device_id_ = kNoDevice;
  std::unique_ptr<MidiOutputConnection> connection_;
};

}  // namespace morvane
