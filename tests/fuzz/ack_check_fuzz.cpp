// The check that a received message is the module's acknowledgement. The first input byte is
// the channel asked for (as a signed byte, so channels outside 0..15 are tried too); the rest is
// the message. Property: the check holds exactly for the six bytes F0 70 7C, the channel's low
// four bits, 7F, F7, and never looks outside the message.

#include <cstdint>
#include <vector>

#include "core/midi/sysex_format.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  fuzz::FuzzInput input(data, size);
  const int channel_index = static_cast<std::int8_t>(input.Byte());
  // A copy of exactly the message's length, so a read past it is a heap overflow.
  const std::span<const std::uint8_t> rest = input.Rest();
  const std::vector<std::uint8_t> message(rest.begin(), rest.end());

  const bool is_ack = IsAckMessage(message, channel_index);
  const std::vector<std::uint8_t> ack = {
      0xF0, 0x70, 0x7C, static_cast<std::uint8_t>(channel_index & 0x0F), 0x7F, 0xF7};
  FUZZ_CHECK(is_ack == (message == ack));
  if (is_ack) FUZZ_CHECK(fuzz::SameBytes(BuildAckMessage(channel_index), message));
  return 0;
}
