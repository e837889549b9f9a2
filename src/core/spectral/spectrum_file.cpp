#include "core/spectral/spectrum_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/util/file_writer.h"
#include "core/util/whole_file_io.h"

namespace morvane {

std::array<std::uint8_t, kSpectrumFileBytes> SpectrumFileBytesOf(ConstHarmonicSpan amplitude,
                                                                 ConstHarmonicSpan phase) {
  std::array<std::uint8_t, kSpectrumFileBytes> bytes{};
  std::copy(amplitude.begin(), amplitude.end(), bytes.begin());
  std::copy(phase.begin(), phase.end(), bytes.begin() + kHarmonicCount);
  return bytes;
}

bool SaveSpectrumFile(const std::filesystem::path& file, ConstHarmonicSpan amplitude,
                      ConstHarmonicSpan phase) {
  FileWriter writer;
  return writer.Replace(file, SpectrumFileBytesOf(amplitude, phase));
}

void LoadSpectrumBytes(std::span<const std::uint8_t> bytes, HarmonicSpan amplitude,
                       HarmonicSpan phase) {
  const std::size_t count = std::min(bytes.size(), kSpectrumFileBytes);
  for (std::size_t i = 0; i < count; ++i) {
    if (i < kHarmonicCount) {
      amplitude[i] = bytes[i];
    } else {
      phase[i - kHarmonicCount] = bytes[i];
    }
  }
}

bool LoadSpectrumFile(const std::filesystem::path& file, HarmonicSpan amplitude,
                      HarmonicSpan phase) {
  std::vector<std::uint8_t> bytes;
  if (!ReadFileStart(file, kSpectrumFileBytes, bytes)) return false;
  LoadSpectrumBytes(bytes, amplitude, phase);
  return true;
}

}  // namespace morvane
