// The walk through the chunks of a RIFF/WAVE file that finds its samples. The first four input
// bytes give how much longer the whole file is than the start handed over; the rest is that
// start. Properties: nothing is found unless the start begins with RIFF....WAVE; a found chunk
// has its "data" header inside the start, after the RIFF header, and the length the header
// declares; its length is what the file holds of it, so it never runs past the file's end; and
// no byte outside the start is read (the start is an exact-size copy).

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "core/sample/wave_header.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  fuzz::FuzzInput input(data, size);
  const std::uint32_t beyond = input.Word() | static_cast<std::uint32_t>(input.Word()) << 16;
  const std::span<const std::uint8_t> rest = input.Rest();
  const std::vector<std::uint8_t> start(rest.begin(), rest.end());
  const std::int64_t file_size = static_cast<std::int64_t>(start.size()) + beyond;

  const std::optional<WaveDataChunk> chunk = FindWaveData(start, file_size);
  const bool riff = start.size() >= 12 && std::memcmp(start.data(), "RIFF", 4) == 0 &&
                    std::memcmp(start.data() + 8, "WAVE", 4) == 0;
  if (!riff) FUZZ_CHECK(!chunk);
  if (!chunk) return 0;

  FUZZ_CHECK(chunk->offset >= 20 && chunk->offset <= static_cast<std::int64_t>(start.size()));
  const std::size_t header = static_cast<std::size_t>(chunk->offset) - 8;
  FUZZ_CHECK(std::memcmp(start.data() + header, "data", 4) == 0);
  const std::int64_t declared = static_cast<std::int64_t>(
      start[header + 4] | start[header + 5] << 8 | start[header + 6] << 16 |
      static_cast<std::uint32_t>(start[header + 7]) << 24);
  FUZZ_CHECK(chunk->declared_length == declared);
  FUZZ_CHECK(chunk->length >= 0 && chunk->length <= declared);
  FUZZ_CHECK(chunk->offset + chunk->length <= file_size);
  FUZZ_CHECK(chunk->length == std::min(declared, file_size - chunk->offset));
  FUZZ_CHECK(chunk->CutShort() == (declared > chunk->length && declared != 0xFFFFFFFF));
  return 0;
}
