#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace morvane {

// Why a conversion gave up.
enum class ConversionError { kNone, kUnreadableSource, kUnwritableTarget };

struct WaveReadResult {
  ConversionError error = ConversionError::kNone;
  std::string detail;  // the library's words, for the log
  // Unsigned 8-bit mono samples at the asked rate, at most the asked count.
  std::vector<std::uint8_t> samples;
  bool truncated = false;  // the file held more than the asked count
};

// Reads any wave file the sound-file library understands (8/16/24/32-bit integer or float, any
// channel count, any rate) as unsigned 8-bit mono at `rate` Hz: channels are mixed, the rate
// converted by band-limited resampling. Reading stops once `max_samples` are made.
WaveReadResult ReadWaveAsUnsigned8(const std::filesystem::path& source, int rate,
                                   std::size_t max_samples);
// The same from a whole wave file's bytes in memory.
WaveReadResult ReadWaveBytesAsUnsigned8(std::span<const std::uint8_t> bytes, int rate,
                                        std::size_t max_samples);

// An 8-bit unsigned PCM mono wave file of the given samples at `rate` Hz, as bytes.
std::vector<std::uint8_t> EncodeWave8(std::span<const std::uint8_t> samples, int rate);

// Replaces `target` with an 8-bit PCM mono wave file of the samples (the old file stays when the
// write fails).
bool WriteWave8(const std::filesystem::path& target, std::span<const std::uint8_t> samples,
                int rate);

// Converts `source` into `target`, an 8-bit unsigned PCM mono wave file at `rate` Hz, keeping at
// most `max_samples` (plus one, so a reader can tell that it was cut).
WaveReadResult ConvertWaveFile(const std::filesystem::path& source,
                               const std::filesystem::path& target, int rate,
                               std::size_t max_samples);

}  // namespace morvane
