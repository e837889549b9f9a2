// A spectrum file (".msp") loaded into a waveform's amplitudes and phases, from its bytes in
// memory as the file layer hands them over (a missing file or a folder never gets this far).
// The input is the file. Properties: the file's first 256 bytes go to the 128 amplitudes then the
// 128 phases, a shorter file changing only the bytes it holds; the arrays saved write 256 bytes
// that read back as the same arrays, and a whole file writes back as its first 256 bytes.

#include <array>
#include <cstdint>

#include "core/spectral/spectrum_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  // Both arrays in one block, as the file lays them out, so the checks read it in one go.
  static const std::array<std::uint8_t, kSpectrumFileBytes> before = [] {
    std::array<std::uint8_t, kSpectrumFileBytes> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 3 + 11);
    return bytes;
  }();
  const std::span<const std::uint8_t> file_bytes(data, size);

  std::array<std::uint8_t, kHarmonicCount> amplitude{};
  std::array<std::uint8_t, kHarmonicCount> phase{};
  std::copy_n(before.begin(), kHarmonicCount, amplitude.begin());
  std::copy_n(before.begin() + kHarmonicCount, kHarmonicCount, phase.begin());
  LoadSpectrumBytes(file_bytes, amplitude, phase);

  const std::size_t taken = std::min(file_bytes.size(), kSpectrumFileBytes);
  for (std::size_t i = 0; i < kSpectrumFileBytes; ++i) {
    const std::uint8_t value = i < kHarmonicCount ? amplitude[i] : phase[i - kHarmonicCount];
    FUZZ_CHECK(value == (i < taken ? file_bytes[i] : before[i]));
  }

  const std::array<std::uint8_t, kSpectrumFileBytes> written =
      SpectrumFileBytesOf(amplitude, phase);
  std::array<std::uint8_t, kHarmonicCount> amplitude_again{};
  std::array<std::uint8_t, kHarmonicCount> phase_again{};
  LoadSpectrumBytes(written, amplitude_again, phase_again);
  FUZZ_CHECK(amplitude_again == amplitude && phase_again == phase);
  if (taken == kSpectrumFileBytes) FUZZ_CHECK(fuzz::SameBytes(written, file_bytes.first(taken)));
  return 0;
}
