// The unpacking of the 82-byte block message, as the editor reads the module's block replies
// (length checked only) and as the module reads the editor's blocks (everything checked). The
// first input byte is a block position tried for the reply (0 to 255); the rest is the message.
// Properties: only 82-byte messages unpack; each sample is its seven low bits and its high bit
// from where the layout keeps them; packing the samples again and unpacking gives them back; a
// message the full check accepts is exactly the message built from its channel, position and
// samples; the reply lands in the 64 samples at its position, or nowhere when the position or
// length is wrong, and never outside the waveform.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/midi/module_messages.h"
#include "core/midi/sysex_wave_block.h"
#include "fuzz/fuzz_support.h"

namespace morvane {
namespace {

// Sample n of the block, read from the layout: nine groups of seven samples, each followed by a
// byte of their high bits, then sample 63 as a low and a high byte.
std::uint8_t SampleOf(std::span<const std::uint8_t> m, int n) {
  if (n == 63) return static_cast<std::uint8_t>(((m[80] << 7) | (m[79] & 0x7F)) & 0xFF);
  const std::size_t group_start = 7 + static_cast<std::size_t>(n / 7) * 8;
  const int high = (m[group_start + 7] >> (n % 7)) & 1;
  return static_cast<std::uint8_t>((m[group_start + static_cast<std::size_t>(n % 7)] & 0x7F) |
                                   (high << 7));
}

}  // namespace
}  // namespace morvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  fuzz::FuzzInput input(data, size);
  const int position = input.Byte();
  const std::span<const std::uint8_t> rest = input.Rest();
  // A copy of exactly the message's length, so a read past it is a heap overflow.
  const std::vector<std::uint8_t> message(rest.begin(), rest.end());

  const std::optional<WaveBlockData> unpacked = UnpackWaveBlock(message);
  FUZZ_CHECK(unpacked.has_value() == (message.size() == kWaveBlockMessageSize));
  if (unpacked) {
    for (int n = 0; n < kWaveBlockSamples; ++n) {
      FUZZ_CHECK((*unpacked)[static_cast<std::size_t>(n)] == SampleOf(message, n));
    }
    const WaveBlockMessage repacked = BuildWaveBlockMessage(0, 0, *unpacked);
    FUZZ_CHECK(UnpackWaveBlock(repacked) == unpacked);
    FUZZ_CHECK(ParseWaveBlockMessage(repacked).has_value());
  }

  const std::optional<ParsedWaveBlock> parsed = ParseWaveBlockMessage(message);
  if (parsed) {
    FUZZ_CHECK(unpacked.has_value() && parsed->data == *unpacked);
    FUZZ_CHECK(parsed->channel_index >= 0 && parsed->channel_index <= 0x0F);
    FUZZ_CHECK(parsed->position % kWaveBlockSamples == 0 && parsed->position >= 0 &&
               parsed->position < kWaveBlocksPerWave * kWaveBlockSamples);
    FUZZ_CHECK(fuzz::SameBytes(
        BuildWaveBlockMessage(parsed->channel_index, parsed->position, parsed->data), message));
  }

  // The reply written into a waveform with guard bytes on both sides.
  constexpr std::uint8_t kGuard = 0xA5;
  std::array<std::uint8_t, kWaveLength + 2> guarded;
  guarded.fill(kGuard);
  const WaveSpan wave(guarded.data() + 1, kWaveLength);
  for (int i = 0; i < kWaveLength; ++i)
    wave[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  const bool valid_position = position % kWaveBlockSamples == 0 && position < kWaveLength;
  const bool written = UnpackWaveBlock(wave, message, position);
  FUZZ_CHECK(written == (unpacked.has_value() && valid_position));
  FUZZ_CHECK(guarded.front() == kGuard && guarded.back() == kGuard);
  for (int i = 0; i < kWaveLength; ++i) {
    const bool inside = written && i >= position && i < position + kWaveBlockSamples;
    FUZZ_CHECK(wave[static_cast<std::size_t>(i)] ==
               (inside ? (*unpacked)[static_cast<std::size_t>(i - position)]
                       : static_cast<std::uint8_t>(i)));
  }
  return 0;
}
