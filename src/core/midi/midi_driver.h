#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace morvane {

// A failed call of a MIDI driver; the text is the driver's own.
class MidiDriverError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Receives what an open input device delivers. Called on the driver's own thread: an
// implementation must neither block nor allocate.
class MidiInputSink {
 public:
  virtual ~MidiInputSink() = default;
  // A short message packed as status in bits 0-7, first data byte in bits 8-15, second in 16-23.
  virtual void OnShortMessage(std::uint32_t timestamp_ms, std::uint32_t packed) noexcept = 0;
  // A system-exclusive message, F0 and F7 included (or as much of it as the driver got).
  virtual void OnSysex(std::uint32_t timestamp_ms,
                       std::span<const std::uint8_t> bytes) noexcept = 0;
};

// An opened input device. Destroying it closes the device; once the destructor has returned the
// sink is never called again.
class MidiInputConnection {
 public:
  virtual ~MidiInputConnection() = default;
  virtual void Start() = 0;
  virtual void Stop() = 0;
};

// An opened output device. Destroying it closes the device. Both calls throw MidiDriverError
// when the driver fails, a vanished device included.
class MidiOutputConnection {
 public:
  virtual ~MidiOutputConnection() = default;
  virtual void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) = 0;
  virtual void SendLong(std::span<const std::uint8_t> bytes) = 0;
};

// One kind of MIDI device (a platform's ports, the built-in virtual module). Device indices
// follow the order of the name lists. Open calls throw MidiDriverError on failure.
class MidiDriver {
 public:
  virtual ~MidiDriver() = default;
  virtual std::vector<std::string> InputNames() = 0;
  virtual std::vector<std::string> OutputNames() = 0;
  virtual std::unique_ptr<MidiInputConnection> OpenInput(int index, MidiInputSink& sink) = 0;
  virtual std::unique_ptr<MidiOutputConnection> OpenOutput(int index) = 0;
};

// Number of bytes of a short message with this status byte (1 to 3), as drivers send it.
constexpr int ShortMessageLength(std::uint8_t status) {
  if (status < 0xF0) {
    const int kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 2 : 3;
  }
  if (status == 0xF1 || status == 0xF3) return 2;
  if (status == 0xF2) return 3;
  return 1;
}

// A short message as the bytes that go on the wire: the status and as many data bytes as it has.
struct ShortMessageBytes {
  ShortMessageBytes(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)
      : bytes{status, data1, data2}, length(static_cast<std::size_t>(ShortMessageLength(status))) {}
  std::span<const std::uint8_t> View() const { return {bytes.data(), length}; }

  std::array<std::uint8_t, 3> bytes;
  std::size_t length;
};

// Hands one received message to the sink the way every driver does: system exclusive whole, a
// short message packed status first; a stray data byte without a status is nothing to queue.
inline void DeliverMidiMessage(MidiInputSink& sink, std::uint32_t timestamp_ms,
                               std::span<const std::uint8_t> message) noexcept {
  if (message.empty()) return;
  if (message[0] == 0xF0) {
    sink.OnSysex(timestamp_ms, message);
  } else if (message[0] >= 0x80) {
    std::uint32_t packed = message[0];
    if (message.size() > 1) packed |= std::uint32_t{message[1]} << 8;
    if (message.size() > 2) packed |= std::uint32_t{message[2]} << 16;
    sink.OnShortMessage(timestamp_ms, packed);
  }
}

}  // namespace morvane
