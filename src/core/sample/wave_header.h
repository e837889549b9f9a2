#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace morvane {

// Where the samples of a RIFF wave file lie: the "data" chunk's first byte and its length (cut to
// the bytes the file holds), and the length its header gives.
struct WaveDataChunk {
  std::int64_t offset = 0;
  std::int64_t length = 0;
  std::int64_t declared_length = 0;
  // The header promises more samples than the file holds (a file cut short). Streamed files that
  // left the length at 0 or at the largest value do not count.
  bool CutShort() const { return declared_length > length && declared_length != 0xFFFFFFFF; }
  friend bool operator==(const WaveDataChunk&, const WaveDataChunk&) = default;
};

// Walks the chunks of a RIFF/WAVE file given by its first bytes (`file_size` is the whole file's);
// nothing when it is no wave file or has no data chunk within `start`.
std::optional<WaveDataChunk> FindWaveData(std::span<const std::uint8_t> start,
                                          std::int64_t file_size);

}  // namespace morvane
