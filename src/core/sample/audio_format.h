#pragma once

#include <array>
#include <cstdint>

namespace morvane {

// The rates of the options dialog's "Sample Rate" group, by position.
inline constexpr std::array<int, 6> kSampleRates = {8000, 11025, 22050, 32000, 44100, 48000};
// Every start plays and imports at 22050 Hz: the rate is not kept between runs.
inline constexpr int kStartSampleRatePosition = 2;

inline constexpr std::uint16_t kWaveFormatPcm = 1;

// The wave format record that playback and wave import use: plain PCM.
struct PcmFormat {
  std::uint16_t format_tag = kWaveFormatPcm;
  std::uint16_t channels = 1;
  std::uint32_t samples_per_second = 22050;
  std::uint32_t average_bytes_per_second = 22050;
  std::uint16_t block_align = 1;
  std::uint16_t bits_per_sample = 8;
  std::uint16_t extra_size = 0;

  friend bool operator==(const PcmFormat&, const PcmFormat&) = default;
};

// A PCM record for `channels` channels of `bits` bits at `rate` Hz: one block holds one sample of
// every channel, and a second holds `rate` blocks.
PcmFormat BuildPcmFormat(int channels, int bits, int rate);

// The rate of a position of the group; positions outside it give the start rate.
int SampleRateAt(int position);

}  // namespace morvane
