#pragma once

#include <cstdint>
#include <span>

namespace morvane {

// Where the editor's MIDI messages go: the output port, or anything standing in for it.
class MidiOut {
 public:
  virtual ~MidiOut() = default;
  // One short message, sent at once.
  virtual void PutShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) = 0;
  // A system-exclusive message or a single real-time byte. The bytes are copied: the caller may
  // release its buffer as soon as the call returns.
  virtual void PutLong(std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace morvane
