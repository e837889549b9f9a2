#include "core/sample/wave_header.h"

#include <algorithm>
#include <cstring>

namespace morvane {

namespace {

std::uint32_t LittleEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

bool HasTag(std::span<const std::uint8_t> bytes, std::size_t at, const char* tag) {
  return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

}  // namespace

std::optional<WaveDataChunk> FindWaveData(std::span<const std::uint8_t> start,
                                          std::int64_t file_size) {
  constexpr std::size_t kRiffHeader = 12;
  constexpr std::size_t kChunkHeader = 8;
  if (start.size() < kRiffHeader || !HasTag(start, 0, "RIFF") || !HasTag(start, 8, "WAVE")) {
    return std::nullopt;
  }
  std::size_t at = kRiffHeader;
  while (at + kChunkHeader <= start.size()) {
    const std::uint64_t size = LittleEndian32(start, at + 4);
    const std::int64_t body = static_cast<std::int64_t>(at + kChunkHeader);
    if (HasTag(start, at, "data")) {
      const std::int64_t length =
          std::clamp<std::int64_t>(file_size - body, 0, static_cast<std::int64_t>(size));
      return WaveDataChunk{body, length, static_cast<std::int64_t>(size)};
    }
    // Chunks are padded to an even length.
    at = static_cast<std::size_t>(body) + static_cast<std::size_t>(size + (size & 1));
  }
  return std::nullopt;
}

}  // namespace morvane
