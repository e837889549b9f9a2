#pragma once

#include <cstdint>
#include <vector>

namespace morvane {

// One received system-exclusive message, held in a buffer of the input's pool until its event is
// taken. The driver thread fills it; the window thread copies it out and gives it back.
struct SysexBuffer {
  std::uint8_t* bytes = nullptr;
  std::uint16_t size = 0;    // capacity of `bytes`
  std::uint16_t length = 0;  // bytes recorded, F0 and F7 included
};

// One entry of the input ring, as the driver callback stores it.
struct MidiBufferItem {
  std::uint32_t timestamp = 0;   // milliseconds since the input was started
  std::uint32_t data = 0;        // status | data1 << 8 | data2 << 16; 0 for system exclusive
  SysexBuffer* sysex = nullptr;  // the buffer holding a system-exclusive message, else null
};

// An event handed to a consumer, who owns it (and so the copy of the system-exclusive bytes).
struct MidiEvent {
  std::uint8_t midi_message = 0;  // status byte; 0xF0 for system exclusive
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;
  std::uint32_t time = 0;
  std::vector<std::uint8_t> sysex;  // empty for a short message or an empty buffer
  std::uint16_t sysex_length = 0;   // bytes the driver recorded; 0 for a short message
};

}  // namespace morvane
