// Importing a wave file as the sample editor does: 10 s of 16-bit stereo at 44 100 Hz becomes
// unsigned 8-bit mono at 22 050 Hz (channels mixed, resampled), written to convert.wav.
#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <vector>

#include "core/sample/sample_edit_model.h"
#include "platform/wavefile/wave_conversion.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

fs::path WriteSource(const fs::path& folder) {
  const fs::path path = folder / "ten_seconds.wav";
  SF_INFO info{};
  info.samplerate = 44100;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  std::vector<float> frames(44100 * 10 * 2);
  for (std::size_t f = 0; f < frames.size() / 2; ++f) {
    frames[2 * f] = static_cast<float>(0.7 * std::sin(2.0 * std::numbers::pi * 440.0 * f / 44100));
    frames[2 * f + 1] =
        static_cast<float>(0.5 * std::sin(2.0 * std::numbers::pi * 660.0 * f / 44100));
  }
  sf_writef_float(file, frames.data(), static_cast<sf_count_t>(frames.size() / 2));
  sf_close(file);
  return path;
}

void BM_WaveImport(benchmark::State& state) {
  const fs::path folder = fs::temp_directory_path() / "morvane-bench-wave-import";
  fs::create_directories(folder);
  const fs::path source = WriteSource(folder);
  for (auto _ : state) {
    const WaveReadResult result =
        ConvertWaveFile(source, folder / "convert.wav", 22050, kSampleCapacity);
    if (result.samples.size() != 220500) state.SkipWithError("wrong length");
    benchmark::DoNotOptimize(result.samples.data());
  }
  fs::remove_all(folder);
}

BENCHMARK(BM_WaveImport)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane
