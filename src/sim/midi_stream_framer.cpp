#include "sim/midi_stream_framer.h"

#include "core/midi/midi_driver.h"
#include "core/midi/sysex_wave_block.h"

namespace morvane {

void MidiStreamFramer::Feed(std::span<const std::uint8_t> bytes, const Emit& emit) {
  for (const std::uint8_t byte : bytes) FeedByte(byte, emit);
}

void MidiStreamFramer::FeedByte(std::uint8_t byte, const Emit& emit) {
  if (byte >= 0xF8) {
    const std::uint8_t alone[] = {byte};
    emit(alone);
    return;
  }
  if (byte == kSysexEnd) {
    if (in_sysex_ && !sysex_too_long_) {
      message_.push_back(byte);
      emit(message_);
    }
    in_sysex_ = false;
    running_status_ = 0;
    message_.clear();
    return;
  }
  if (byte >= 0x80) {
    StartMessage(byte, emit);
    return;
  }
  if (in_sysex_) {
    if (message_.size() + 1 >= kMaxSysexLength) {
      sysex_too_long_ = true;
      message_.clear();
    }
    if (!sysex_too_long_) message_.push_back(byte);
    return;
  }
  if (message_.empty()) {
    if (running_status_ == 0) return;
    message_.push_back(running_status_);
    expected_ = ShortMessageLength(running_status_);
  }
  message_.push_back(byte);
  if (static_cast<int>(message_.size()) == expected_) {
    emit(message_);
    message_.clear();
  }
}

void MidiStreamFramer::StartMessage(std::uint8_t status, const Emit& emit) {
  // Whatever was being collected is incomplete.
  message_.clear();
  in_sysex_ = status == kSysexStart;
  sysex_too_long_ = false;
  running_status_ = status < 0xF0 ? status : 0;
  message_.push_back(status);
  if (in_sysex_) return;
  expected_ = ShortMessageLength(status);
  if (expected_ == 1) {
    emit(message_);
    message_.clear();
  }
}

}  // namespace morvane
