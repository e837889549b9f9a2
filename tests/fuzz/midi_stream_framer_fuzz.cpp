// The virtual module's input framer, fed the bytes a MIDI input hands over. The first input byte
// seeds how the rest is cut into pieces. Properties: every message is a real-time byte alone, a
// short message of the length its status calls for with data bytes only after it, or a system
// exclusive F0 ... F7 with only data bytes inside and at most kMaxSysexLength bytes; and the
// same bytes give the same messages whether they come at once, one by one or in pieces of any
// size (empty ones included).

#include <array>
#include <cstdint>
#include <vector>

#include "core/midi/midi_driver.h"
#include "fuzz/fuzz_support.h"
#include "sim/midi_stream_framer.h"

namespace morvane {
namespace {

// The messages framed, one after the other in one buffer: allocating one vector a message made
// the comparisons below the bulk of the work.
struct Messages {
  std::vector<std::uint8_t> bytes;
  std::vector<std::size_t> ends;  // where each message ends in `bytes`

  void Add(std::span<const std::uint8_t> m) {
    bytes.insert(bytes.end(), m.begin(), m.end());
    ends.push_back(bytes.size());
  }
  std::span<const std::uint8_t> operator[](std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends[i - 1];
    return std::span(bytes).subspan(begin, ends[i] - begin);
  }
  std::size_t Count() const { return ends.size(); }
};

// Checks that a framing gives the expected messages, each as it comes.
class Expecting {
 public:
  explicit Expecting(const Messages& expected) : expected_(expected) {}
  void Take(std::span<const std::uint8_t> m) {
    FUZZ_CHECK(next_ < expected_.Count() && fuzz::SameBytes(m, expected_[next_]));
    ++next_;
  }
  bool AllTaken() const { return next_ == expected_.Count(); }

 private:
  const Messages& expected_;
  std::size_t next_ = 0;
};

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

constexpr std::size_t kLongestPiece = 15;

// Feeds `bytes` in pieces whose sizes come from `seed`, 0 to 15 bytes each, or one by one, and
// checks that they give the expected messages.
void CheckFramed(std::span<const std::uint8_t> bytes, std::uint32_t seed, bool one_by_one,
                 const Messages& expected) {
  // One buffer of exactly each piece size, so that a read past a piece is an overflow.
  static std::array<std::vector<std::uint8_t>, kLongestPiece + 1> pieces = [] {
    std::array<std::vector<std::uint8_t>, kLongestPiece + 1> made;
    for (std::size_t n = 0; n < made.size(); ++n) made[n].resize(n);
    return made;
  }();
  MidiStreamFramer framer;
  Expecting expecting(expected);
  const MidiStreamFramer::Emit emit = [&](std::span<const std::uint8_t> m) { expecting.Take(m); };
  std::size_t at = 0;
  while (at < bytes.size()) {
    seed = seed * 1664525u + 1013904223u;
    const std::size_t piece =
        one_by_one ? 1 : std::min<std::size_t>((seed >> 24) & kLongestPiece, bytes.size() - at);
    if (one_by_one) {
      const std::uint8_t alone[] = {bytes[at]};
      framer.Feed(alone, emit);
    } else {
      std::vector<std::uint8_t>& copy = pieces[piece];
      std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), piece, copy.begin());
      framer.Feed(copy, emit);
    }
    at += piece;
  }
  FUZZ_CHECK(expecting.AllTaken());
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
  // Running status adds at most one status byte to each data byte.
  at_once.bytes.reserve(2 * bytes.size());
  at_once.ends.reserve(bytes.size());
  framer.Feed(bytes, [&](std::span<const std::uint8_t> m) {
    CheckMessage(m);
    at_once.Add(m);
  });
  CheckFramed(bytes, seed, /*one_by_one=*/true, at_once);
  CheckFramed(bytes, seed, /*one_by_one=*/false, at_once);
  return 0;
}
