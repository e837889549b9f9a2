#include "platform/wavefile/wave_conversion.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/resource.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <random>
#include <utility>

#include "core/sample/sample_edit_model.h"
#include "core/sample/wave_header.h"
#include "core/util/whole_file_io.h"

namespace morvane {
namespace {

constexpr double kPi = 3.14159265358979323846;
namespace fs = std::filesystem;

class WaveConversionTest : public ::testing::Test {
 protected:
  WaveConversionTest()
      : folder_(fs::temp_directory_path() /
                ("morvane-wave-" + std::to_string(std::random_device()()))) {
    fs::create_directories(folder_);
  }
  ~WaveConversionTest() override { fs::remove_all(folder_); }

  // A sine of `frequency` Hz, `seconds` long, in every channel, written by libsndfile.
  fs::path WriteTone(const std::string& name, int format, int channels, int rate, double frequency,
                     double seconds) {
    const fs::path path = folder_ / name;
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    const auto frames = static_cast<std::size_t>(rate * seconds);
    std::vector<float> samples(frames * static_cast<std::size_t>(channels));
    for (std::size_t f = 0; f < frames; ++f) {
      const float v = static_cast<float>(0.7 * std::sin(2.0 * kPi * frequency * f / rate));
      for (int c = 0; c < channels; ++c) samples[f * channels + c] = v;
    }
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
    return path;
  }

  fs::path folder_;
};

std::vector<std::uint8_t> Bytes(const fs::path& path) {
  std::string text;
  EXPECT_TRUE(ReadWholeFile(path, text));
  return {text.begin(), text.end()};
}

// The frequency of a sine held as unsigned bytes, from its rising crossings of 128.
double FrequencyOf(const std::vector<std::uint8_t>& samples, int rate) {
  double first = -1;
  double last = -1;
  int crossings = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    const double a = samples[i - 1] - 128.0;
    const double b = samples[i] - 128.0;
    if (a < 0 && b >= 0) {
      const double at = static_cast<double>(i - 1) + a / (a - b);
      if (first < 0) first = at;
      last = at;
      ++crossings;
    }
  }
  return crossings > 1 ? (crossings - 1) * rate / (last - first) : 0.0;
}

struct Source {
  const char* name;
  int format;
  int channels;
  int rate;
};

TEST_F(WaveConversionTest, EveryFormatBecomesEightBitMonoAtTheChosenRate) {
  const Source sources[] = {
      {"u8_mono_44k.wav", SF_FORMAT_PCM_U8, 1, 44100},
      {"s16_stereo_44k.wav", SF_FORMAT_PCM_16, 2, 44100},
      {"s24_mono_48k.wav", SF_FORMAT_PCM_24, 1, 48000},
      {"s32_stereo_48k.wav", SF_FORMAT_PCM_32, 2, 48000},
      {"float_stereo_44k.wav", SF_FORMAT_FLOAT, 2, 44100},
      {"float_mono_48k.wav", SF_FORMAT_FLOAT, 1, 48000},
  };
  for (const Source& source : sources) {
    SCOPED_TRACE(source.name);
    const fs::path path =
        WriteTone(source.name, source.format, source.channels, source.rate, 440.0, 1.0);
    const WaveReadResult result = ReadWaveAsUnsigned8(path, 22050, kSampleCapacity);
    ASSERT_EQ(result.error, ConversionError::kNone) << result.detail;
    // The file's bytes in memory read as the file does.
    const WaveReadResult from_bytes = ReadWaveBytesAsUnsigned8(Bytes(path), 22050, kSampleCapacity);
    EXPECT_EQ(from_bytes.error, ConversionError::kNone) << from_bytes.detail;
    EXPECT_EQ(from_bytes.samples, result.samples);
    EXPECT_NEAR(static_cast<double>(result.samples.size()), 22050.0, 2.0);
    EXPECT_FALSE(result.truncated);
    EXPECT_NEAR(FrequencyOf(result.samples, 22050), 440.0, 440.0 * 0.01);
    // 0.7 of full scale: peaks near 128 +- 90.
    const auto [low, high] = std::minmax_element(result.samples.begin(), result.samples.end());
    EXPECT_NEAR(*high, 128 + 90, 3);
    EXPECT_NEAR(*low, 128 - 90, 3);
  }
}

TEST_F(WaveConversionTest, OneSecondOfStereoSixteenBitGivesTheRateInBytes) {
  const fs::path path = WriteTone("one.wav", SF_FORMAT_PCM_16, 2, 44100, 1000.0, 1.0);
  const fs::path target = folder_ / "convert.wav";
  const WaveReadResult result = ConvertWaveFile(path, target, 22050, kSampleCapacity);
  ASSERT_EQ(result.error, ConversionError::kNone) << result.detail;
  // The converted file, read through its real header, as the editor loads it.
  std::vector<std::uint8_t> start;
  ASSERT_TRUE(ReadFileStart(target, 4096, start));
  const auto data = FindWaveData(start, static_cast<std::int64_t>(fs::file_size(target)));
  ASSERT_TRUE(data);
  SampleEditModel model;
  ASSERT_TRUE(model.LoadRawFile(target, data->offset).loaded);
  EXPECT_EQ(model.GetSampleSize(), 22050);
  EXPECT_EQ(data->length, 22050);
}

TEST_F(WaveConversionTest, ExportThenImportGivesTheSameBytes) {
  std::vector<std::uint8_t> bytes(30000);
  std::mt19937 random(7);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  const fs::path path = folder_ / "export.wav";
  ASSERT_TRUE(WriteWave8(path, bytes, 22050));
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
  EXPECT_EQ(info.channels, 1);
  EXPECT_EQ(info.samplerate, 22050);
  sf_close(file);
  const WaveReadResult back = ReadWaveAsUnsigned8(path, 22050, kSampleCapacity);
  ASSERT_EQ(back.error, ConversionError::kNone);
  EXPECT_EQ(back.samples, bytes);
}

// Float files may hold any value. Beyond full scale a sample clips to the nearer edge, however far
// beyond (values past 2^56 and infinities used to come out as 0, the bottom edge); a value that
// is no number is the zero line.
TEST_F(WaveConversionTest, FloatSamplesBeyondFullScaleClipToTheNearerEdge) {
  const float kInfinity = std::numeric_limits<float>::infinity();
  const std::vector<std::pair<float, std::uint8_t>> cases = {
      {0.5f, 192}, {-0.5f, 64},      {1.5f, 255},     {-1.5f, 0},           {1e30f, 255},
      {-1e30f, 0}, {kInfinity, 255}, {-kInfinity, 0}, {std::nanf(""), 128}, {0.0f, 128},
  };
  std::vector<float> samples;
  for (const auto& [sample, expected] : cases) samples.push_back(sample);
  const fs::path path = folder_ / "loud.wav";
  SF_INFO info{};
  info.samplerate = 22050;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(file);

  const WaveReadResult result = ReadWaveAsUnsigned8(path, 22050, kSampleCapacity);
  ASSERT_EQ(result.error, ConversionError::kNone) << result.detail;
  ASSERT_EQ(result.samples.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(result.samples[i], cases[i].second) << "sample " << cases[i].first;
  }
}

TEST_F(WaveConversionTest, LongFilesStopAtTheAskedCount) {
  const fs::path path = WriteTone("long.wav", SF_FORMAT_PCM_16, 1, 22050, 300.0, 30.0);
  const WaveReadResult result = ReadWaveAsUnsigned8(path, 22050, kSampleCapacity);
  ASSERT_EQ(result.error, ConversionError::kNone);
  EXPECT_EQ(result.samples.size(), static_cast<std::size_t>(kSampleCapacity));
  EXPECT_TRUE(result.truncated);
}

TEST_F(WaveConversionTest, BadFilesAreRefused) {
  const fs::path good = WriteTone("good.wav", SF_FORMAT_PCM_16, 2, 44100, 440.0, 0.5);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(good, bytes));
  const auto write = [&](const std::string& name, const std::string& contents) {
    std::ofstream(folder_ / name, std::ios::binary) << contents;
    return folder_ / name;
  };
  const fs::path bad[] = {
      write("empty.wav", ""),
      write("text.wav", "this is no wave file at all, only words"),
      write("cut.wav", bytes.substr(0, bytes.size() / 2)),
      write("header_only.wav", bytes.substr(0, 30)),
      folder_ / "missing.wav",
      folder_,
  };
  for (const fs::path& path : bad) {
    SCOPED_TRACE(path.filename().string());
    const WaveReadResult result = ReadWaveAsUnsigned8(path, 22050, kSampleCapacity);
    EXPECT_EQ(result.error, ConversionError::kUnreadableSource);
    EXPECT_TRUE(result.samples.empty());
    if (fs::is_regular_file(path)) {
      const WaveReadResult from_bytes =
          ReadWaveBytesAsUnsigned8(Bytes(path), 22050, kSampleCapacity);
      EXPECT_EQ(from_bytes.error, ConversionError::kUnreadableSource);
      EXPECT_EQ(from_bytes.detail, result.detail);
      EXPECT_TRUE(from_bytes.samples.empty());
    }
  }
  const WaveReadResult unwritable =
      ConvertWaveFile(good, folder_ / "no-folder" / "convert.wav", 22050, kSampleCapacity);
  EXPECT_EQ(unwritable.error, ConversionError::kUnwritableTarget);
}

// Highest resident memory of this process so far, in MB.
long PeakResidentMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// A header may claim any rate; one the resampler cannot reach from the asked rate (it goes at
// most 256 times up or down) is refused before any buffer is sized by it. A 1 Hz file used to
// take some 800 MB on the way to that refusal.
TEST_F(WaveConversionTest, RatesTheResamplerCannotReachAreRefusedWithoutHugeBuffers) {
  const fs::path slow = WriteTone("one_hz.wav", SF_FORMAT_PCM_U8, 1, 1, 0.1, 100.0);
  const long peak_before = PeakResidentMb();
  const WaveReadResult result = ReadWaveAsUnsigned8(slow, 48000, kSampleCapacity);
  EXPECT_EQ(result.error, ConversionError::kUnreadableSource);
  EXPECT_TRUE(result.samples.empty());
  EXPECT_LT(PeakResidentMb() - peak_before, 100);

  const fs::path fast = WriteTone("fast.wav", SF_FORMAT_PCM_16, 1, 2100000, 1000.0, 0.01);
  EXPECT_EQ(ReadWaveAsUnsigned8(fast, 8000, kSampleCapacity).error,
            ConversionError::kUnreadableSource);
  // 256 times is still within reach.
  const fs::path low = WriteTone("low.wav", SF_FORMAT_PCM_16, 1, 125, 10.0, 2.0);
  const WaveReadResult up = ReadWaveAsUnsigned8(low, 32000, kSampleCapacity);
  EXPECT_EQ(up.error, ConversionError::kNone);
  EXPECT_NEAR(static_cast<double>(up.samples.size()), 64000.0, 64.0);
}

}  // namespace
}  // namespace morvane
