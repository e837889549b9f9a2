// The virtual module's input framer, fed the bytes a MIDI input hands over. The first input byte
// seeds how the rest is cut into pieces. Properties: every message is a real-time byte alone, a
// short message of the length its status calls for with data bytes only after it, or a system
// exclusive F0 ... F7 with only data bytes inside and at most kMaxSysexLength bytes; and the
// same bytes give the same messages whether they come at once, one by one or in pieces of any
// size (empty ones included).

#include <cstdint>
#include <vector>

#include "core/midi/midi_driver.h"
#include "fuzz/fuzz_support.h"
#include "sim/midi_stream_framer.h"

namespace morvane {
namespace {

using Messages = std::vector<std::vector<std::uint8_t>>;

bool IsData(std::uint8_t byte) { return byte < 0x80; }

void CheckMessage(std::span<const std::uint8_t> m) {
  FUZZ_CHECK(!m.empty());
  const std::uint8_t status = m[0];
  FUZZ_CHECK(!IsData(status) && status != 0xF7);
  if (status >= 0xF8) {
    FUZZ_CHECK(m.size() == 1);
  } else if (status == 0xF0) {
    FUZZ_CHECK(m.size() >= 2 && m.size() <= MidiStreamFramer::kMaxSysexLength);
    FUZZ_CHECK(m.back() == 0xF7);
    FUZZ_CHECK(std::all_of(m.begin() + 1, m.end() - 1, IsData));
  } else {
    FUZZ_CHECK(m.size() == static_cast<std::size_t>(ShortMessageLength(status)));
    FUZZ_CHECK(std::all_of(m.begin() + 1, m.end(), IsData));
  }
}

// Feeds `bytes` in pieces whose sizes come from `seed`: 0 to 15 bytes each.
Messages Framed(std::span<const std::uint8_t> bytes, std::uint32_t seed, bool one_by_one) {
  MidiStreamFramer framer;
  Messages messages;
  const MidiStreamFramer::Emit emit = [&](std::span<const std::uint8_t> m) {
    messages.emplace_back(m.begin(), m.end());
  };
  std::size_t at = 0;
  while (at < bytes.size()) {
    seed = seed * 1664525u + 1013904223u;
    const std::size_t piece =
        one_by_one ? 1 : std::min<std::size_t>((seed >> 24) & 15, bytes.size() - at);
    if (one_by_one) {
      const std::uint8_t alone[] = {bytes[at]};
      framer.Feed(alone, emit);
    } else {
      // An exact-size copy, so a read past the piece is an overflow.
      const std::vector<std::uint8_t> copy(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                           bytes.begin() + static_cast<std::ptrdiff_t>(at + piece));
      framer.Feed(copy, emit);
    }
    at += piece;
  }
  return messages;
}

}  // namespace
}  // namespace morvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  fuzz::FuzzInput input(data, size);
  const std::uint32_t seed = input.Byte();
  const std::span<const std::uint8_t> bytes = input.Rest();

  MidiStreamFramer framer;
  Messages at_once;
  framer.Feed(bytes,
              [&](std::span<const std::uint8_t> m) { at_once.emplace_back(m.begin(), m.end()); });
  for (const auto& message : at_once) CheckMessage(message);
  FUZZ_CHECK(Framed(bytes, seed, /*one_by_one=*/true) == at_once);
  FUZZ_CHECK(Framed(bytes, seed, /*one_by_one=*/false) == at_once);
  return 0;
}
