#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace morvane {

// Cuts the bytes arriving at a MIDI input into messages the way a device's input does, whatever
// pieces the driver hands over:
// - a real-time byte (F8-FF) is a message of its own at once, even inside a system exclusive;
// - a status byte other than F7 ends a system exclusive that has not seen its F7: the part before
//   is dropped as incomplete and the status byte starts the next message;
// - channel messages may use running status; data bytes with no status to belong to are dropped;
// - a system exclusive longer than kMaxSysexLength is dropped whole.
class MidiStreamFramer {
 public:
  static constexpr std::size_t kMaxSysexLength = 4096;
  using Emit = std::function<void(std::span<const std::uint8_t> message)>;

  void Feed(std::span<const std::uint8_t> bytes, const Emit& emit);

 private:
  void FeedByte(std::uint8_t byte, const Emit& emit);
  void StartMessage(std::uint8_t status, const Emit& emit);

  std::vector<std::uint8_t> message_;
  bool in_sysex_ = false;
  bool sysex_too_long_ = false;
  std::uint8_t running_status_ = 0;  // 0: none
  int expected_ = 0;                 // bytes of the short message being collected
};

}  // namespace morvane
