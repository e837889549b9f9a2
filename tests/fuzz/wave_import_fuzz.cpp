// A wave file imported into the long-sample editor as the editor does it, from the file's bytes in
// memory: read by the sound-file and resampling libraries as 8-bit mono samples (one more than
// asked, as the conversion reads them), encoded as the 8-bit mono file the conversion writes,
// whose data chunk is then loaded raw. The first input byte chooses the rate (bits 0-2) and
// whether the editor's whole capacity (bits 3-4 clear) or a small limit is asked (the limit from
// the next two bytes); the rest is the file. A few hundred bytes can make a hundred thousand
// samples to resample, so the whole capacity is one choice in four, not one in two: it tripled
// the executions. Properties: the conversion gives at most the limit plus one sample, and flags
// truncation only when it reached the limit; a refused input leaves the editor's buffer and size
// as they were; an accepted one loads the converted samples exactly, at most 524 288.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/sample/sample_edit_model.h"
#include "core/sample/wave_header.h"
#include "fuzz/fuzz_support.h"
#include "platform/wavefile/wave_conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  static const std::array<int, 8> kRates = {8000, 11025, 16000, 22050, 32000, 44100, 48000, 4000};
  fuzz::FuzzInput input(data, size);
  const std::uint8_t choice = input.Byte();
  const int rate = kRates[choice & 7];
  const std::size_t limit =
      (choice & 0x18) != 0 ? 1 + input.Word() % 4096 : static_cast<std::size_t>(kSampleCapacity);
  const std::span<const std::uint8_t> file_bytes = input.Rest();

  static SampleEditModel* const model = new SampleEditModel;
  const std::span<std::uint8_t> buffer = model->Data();
  for (std::size_t i = 0; i < 4096; ++i) buffer[i] = static_cast<std::uint8_t>(i * 5 + 2);
  model->SetSampleSize(1000);
  const std::vector<std::uint8_t> before(buffer.begin(), buffer.begin() + 4096);
  const auto unchanged = [&] {
    FUZZ_CHECK(model->GetSampleSize() == 1000);
    FUZZ_CHECK(fuzz::SameBytes(model->Data().first(4096), before));
  };

  const WaveReadResult converted = ReadWaveBytesAsUnsigned8(file_bytes, rate, limit + 1);
  FUZZ_CHECK(converted.samples.size() <= limit + 1);
  if (converted.truncated) FUZZ_CHECK(converted.samples.size() == limit + 1);
  if (converted.error != ConversionError::kNone || converted.samples.empty()) {
    unchanged();
    return 0;
  }

  const std::vector<std::uint8_t> target = EncodeWave8(converted.samples, rate);
  FUZZ_CHECK(!target.empty());
  const std::span<const std::uint8_t> start =
      std::span(target).first(std::min<std::size_t>(target.size(), 4096));
  const std::optional<WaveDataChunk> chunk =
      FindWaveData(start, static_cast<std::int64_t>(target.size()));
  FUZZ_CHECK(chunk && !chunk->CutShort());
  FUZZ_CHECK(chunk->length == static_cast<std::int64_t>(converted.samples.size()));
  const RawLoadResult loaded = model->LoadRawBytes(target, chunk->offset);
  FUZZ_CHECK(loaded.loaded);
  // As the editor does: a pad byte or a chunk after the data is no sample.
  model->SetSampleSize(
      static_cast<int>(std::min<std::int64_t>(model->GetSampleSize(), chunk->length)));
  const std::size_t n = static_cast<std::size_t>(model->GetSampleSize());
  FUZZ_CHECK(n <= kSampleCapacity &&
             n == std::min<std::size_t>(converted.samples.size(), kSampleCapacity));
  FUZZ_CHECK(fuzz::SameBytes(model->Data().first(n), std::span(converted.samples).first(n)));
  return 0;
}
