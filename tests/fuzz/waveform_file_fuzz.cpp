// A raw waveform file loaded into the waveform editor's samples, from its bytes in memory as the
// file layer hands them over. The first input byte chooses how many samples are shown (Max, 1 to
// 256); the rest is the file. Properties: the first min(Max, file size) samples take the file's
// bytes and every later one keeps its value; saving writes the Max samples, so a file of at least
// Max bytes writes back as its first Max bytes.

#include <array>
#include <cstdint>

#include "core/waveform/sample_tank_model.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  static const std::array<std::uint8_t, kTankCapacity> before = [] {
    std::array<std::uint8_t, kTankCapacity> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 5 + 3);
    return bytes;
  }();
  fuzz::FuzzInput input(data, size);
  const int max = 1 + input.Byte();
  const std::span<const std::uint8_t> file_bytes = input.Rest();

  SampleTankModel model;
  model.SetMax(max);
  FUZZ_CHECK(model.Max() == max);
  model.SetData(before);

  model.LoadFromBytes(file_bytes);
  const std::size_t loaded = std::min(file_bytes.size(), static_cast<std::size_t>(max));
  for (std::size_t i = 0; i < kTankCapacity; ++i) {
    FUZZ_CHECK(model.Data()[i] == (i < loaded ? file_bytes[i] : before[i]));
  }

  const std::span<const std::uint8_t> written = model.FileBytes();
  FUZZ_CHECK(fuzz::SameBytes(written, model.Data().first(static_cast<std::size_t>(max))));
  if (loaded == static_cast<std::size_t>(max)) {
    FUZZ_CHECK(fuzz::SameBytes(written, file_bytes.first(loaded)));
  }
  return 0;
}
