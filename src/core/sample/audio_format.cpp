#include "core/sample/audio_format.h"

#include <cstddef>

namespace morvane {

PcmFormat BuildPcmFormat(int channels, int bits, int rate) {
  PcmFormat format;
  format.channels = static_cast<std::uint16_t>(channels);
  format.bits_per_sample = static_cast<std::uint16_t>(bits);
  format.samples_per_second = static_cast<std::uint32_t>(rate);
  format.block_align = static_cast<std::uint16_t>(channels * bits / 8);
  format.average_bytes_per_second = format.samples_per_second * format.block_align;
  format.extra_size = 0;
  return format;
}

int SampleRateAt(int position) {
  if (position < 0 || position >= static_cast<int>(kSampleRates.size())) {
    return kSampleRates[kStartSampleRatePosition];
  }
  return kSampleRates[static_cast<std::size_t>(position)];
}

}  // namespace morvane
