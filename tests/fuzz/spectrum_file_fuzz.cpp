// A spectrum file (".msp") loaded into a waveform's amplitudes and phases. The first input byte
// chooses what lies at the path (bits 0-1: the file, nothing, or a folder); the rest is the file.
// Properties: the file's first 256 bytes go to the 128 amplitudes then the 128 phases, a shorter
// file changing only the bytes it holds; a missing or unreadable file is refused and changes
// nothing; the arrays saved write 256 bytes that read back as the same arrays.

#include <array>
#include <cstdint>
#include <filesystem>

#include "core/spectral/spectrum_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  static const fuzz::ScratchFolder folder;
  fuzz::FuzzInput input(data, size);
  const int place = input.Byte() & 3;
  const std::span<const std::uint8_t> file_bytes = input.Rest();

  // Both arrays in one block, as the file lays them out, so the checks read it in one go.
  std::array<std::uint8_t, kSpectrumFileBytes> before{};
  for (std::size_t i = 0; i < before.size(); ++i) before[i] = static_cast<std::uint8_t>(i * 3 + 11);
  std::array<std::uint8_t, kHarmonicCount> amplitude{};
  std::array<std::uint8_t, kHarmonicCount> phase{};
  std::copy_n(before.begin(), kHarmonicCount, amplitude.begin());
  std::copy_n(before.begin() + kHarmonicCount, kHarmonicCount, phase.begin());

  const std::filesystem::path file = folder.Fresh("spectrum.msp");
  if (place == 0 || place == 3) fuzz::WriteFile(file, file_bytes);
  if (place == 2) std::filesystem::create_directory(file);
  const bool readable = place == 0 || place == 3;
  FUZZ_CHECK(LoadSpectrumFile(file, amplitude, phase) == readable);

  const std::size_t taken = readable ? std::min(file_bytes.size(), kSpectrumFileBytes) : 0;
  for (std::size_t i = 0; i < kSpectrumFileBytes; ++i) {
    const std::uint8_t value = i < kHarmonicCount ? amplitude[i] : phase[i - kHarmonicCount];
    FUZZ_CHECK(value == (i < taken ? file_bytes[i] : before[i]));
  }

  const std::filesystem::path saved = folder.Path() / "saved.msp";
  FUZZ_CHECK(SaveSpectrumFile(saved, amplitude, phase));
  const std::vector<std::uint8_t> written = fuzz::ReadFile(saved);
  FUZZ_CHECK(written.size() == kSpectrumFileBytes);
  std::array<std::uint8_t, kHarmonicCount> amplitude_again{};
  std::array<std::uint8_t, kHarmonicCount> phase_again{};
  FUZZ_CHECK(LoadSpectrumFile(saved, amplitude_again, phase_again));
  FUZZ_CHECK(amplitude_again == amplitude && phase_again == phase);
  if (taken == kSpectrumFileBytes) FUZZ_CHECK(fuzz::SameBytes(written, file_bytes.first(taken)));
  return 0;
}
