#include "core/spectral/spectrum_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/util/file_writer.h"
#include "core/util/whole_file_io.h"

namespace morvane {

bool SaveSpectrumFile(const std::filesystem::path& file, ConstHarmonicSpan amplitude,
                      ConstHarmonicSpan phase) {
  std::array<std::uint8_t, kSpectrumFileBytes> bytes{};
  std::copy(amplitude.begin(), amplitude.end(), bytes.begin());
  std::copy(phase.begin(), phase.end(), bytes.begin() + kHarmonicCount);
  FileWriter writer;
  return writer.Replace(file, bytes);
}

bool LoadSpectrumFile(const std::filesystem::path& file, HarmonicSpan amplitude,
                      HarmonicSpan phase) {
  std::vector<std::uint8_t> bytes;
  if (!ReadFileStart(file, kSpectrumFileBytes, bytes)) return false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i < kHarmonicCount) {
      amplitude[i] = bytes[i];
    } else {
      phase[i - kHarmonicCount] = bytes[i];
    }
  }
  return true;
}

}  // namespace morvane
