#include "platform/wavefile/wave_conversion.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "core/sample/wave_header.h"
#include "core/util/file_writer.h"
#include "core/util/whole_file_io.h"

namespace morvane {

namespace {

// The samples read at a time (over all channels) and the resampler's output at a time: buffers
// of a fixed small size whatever the channel count and the rate ratio, as the resampler takes
// its input and gives its output in pieces of any size.
constexpr std::size_t kReadSamples = 16384;
constexpr std::size_t kResampledFrames = 4096;

struct SndfileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
struct ResamplerDeleter {
  void operator()(SRC_STATE* state) const { src_delete(state); }
};

std::uint8_t ToUnsigned8(float x) {
  // 8-bit PCM is (u8 - 128) / 128 as a float, so this reverses it exactly. The level is clipped
  // before it is rounded: rounding a value far beyond full scale (or infinity) gives no integer
  // to clip, and came out as the opposite edge. A value that is no number is the zero line.
  if (std::isnan(x)) return 128;
  const double level = std::clamp(static_cast<double>(x) * 128.0, -128.0, 127.0);
  return static_cast<std::uint8_t>(std::lrint(level) + 128);
}

// Mono floats to bytes, one by one, until `max_samples` are made.
class ByteSink {
 public:
  ByteSink(std::vector<std::uint8_t>& out, std::size_t max) : out_(out), max_(max) {}
  bool Full() const { return out_.size() >= max_; }
  void Take(const float* mono, std::size_t count) {
    const std::size_t room = max_ - std::min(max_, out_.size());
    if (count > room) {
      count = room;
      overflow_ = true;
    }
    const std::size_t at = out_.size();
    out_.resize(at + count);
    std::uint8_t* const bytes = out_.data() + at;
    for (std::size_t i = 0; i < count; ++i) bytes[i] = ToUnsigned8(mono[i]);
  }
  bool Overflowed() const { return overflow_; }

 private:
  std::vector<std::uint8_t>& out_;
  std::size_t max_;
  bool overflow_ = false;
};

// The encoder writes into memory, so the file on disk is replaced in one step; the decoder can
// read a file's bytes from memory as well.
struct MemoryFile {
  std::vector<std::uint8_t> bytes;
  sf_count_t position = 0;
};
struct MemoryView {
  std::span<const std::uint8_t> bytes;
  sf_count_t position = 0;
};

template <typename File>
sf_count_t MemoryLength(void* user) {
  return static_cast<sf_count_t>(static_cast<File*>(user)->bytes.size());
}
template <typename File>
sf_count_t MemorySeek(sf_count_t offset, int whence, void* user) {
  auto* file = static_cast<File*>(user);
  const sf_count_t base = whence == SEEK_CUR   ? file->position
                          : whence == SEEK_END ? static_cast<sf_count_t>(file->bytes.size())
                                               : 0;
  file->position = std::max<sf_count_t>(base + offset, 0);
  return file->position;
}
template <typename File>
sf_count_t MemoryRead(void* data, sf_count_t count, void* user) {
  auto* file = static_cast<File*>(user);
  const sf_count_t size = static_cast<sf_count_t>(file->bytes.size());
  const sf_count_t n = std::clamp<sf_count_t>(size - file->position, 0, count);
  if (n > 0) std::memcpy(data, file->bytes.data() + file->position, static_cast<std::size_t>(n));
  file->position += n;
  return n;
}
template <typename File>
sf_count_t MemoryTell(void* user) {
  return static_cast<File*>(user)->position;
}
sf_count_t MemoryWrite(const void* data, sf_count_t count, void* user) {
  auto* file = static_cast<MemoryFile*>(user);
  const auto end = static_cast<std::size_t>(file->position + count);
  if (file->bytes.size() < end) file->bytes.resize(end);
  std::memcpy(file->bytes.data() + file->position, data, static_cast<std::size_t>(count));
  file->position += count;
  return count;
}

// Where the samples start lies within this many bytes of a file's start.
constexpr std::size_t kHeaderBytes = 65536;

// A wave file whose data chunk promises more than the file holds was cut short: the library would
// read what is there, but half a sample is no import. `start` is the file's start, `size` its
// whole length.
bool WaveCutShort(std::span<const std::uint8_t> start, std::int64_t size) {
  const std::optional<WaveDataChunk> data =
      FindWaveData(start.first(std::min(start.size(), kHeaderBytes)), size);
  return data && data->CutShort();
}

bool WaveFileCutShort(const std::filesystem::path& source) {
  std::vector<std::uint8_t> start;
  std::error_code error;
  const auto size = std::filesystem::file_size(source, error);
  if (error || !ReadFileStart(source, kHeaderBytes, start)) return false;
  return WaveCutShort(start, static_cast<std::int64_t>(size));
}

WaveReadResult Unreadable(std::string detail) {
  WaveReadResult result;
  result.error = ConversionError::kUnreadableSource;
  result.detail = std::move(detail);
  return result;
}

// Reads the opened file (`cut_short`: its data chunk promises more than it holds) as
// ReadWaveAsUnsigned8 says.
WaveReadResult ReadOpened(SNDFILE* opened, const SF_INFO& info, bool cut_short, int rate,
                          std::size_t max_samples) {
  std::unique_ptr<SNDFILE, SndfileCloser> file(opened);
  if (!file || info.channels < 1 || info.samplerate < 1 || rate < 1) {
    return Unreadable(sf_strerror(file.get()));
  }
  if (cut_short) return Unreadable("the file ends before its last sample");
  const auto channels = static_cast<std::size_t>(info.channels);
  const double ratio = static_cast<double>(rate) / info.samplerate;
  // The resampler cannot go beyond its ratio range, and the buffers below grow with the ratio:
  // a header claiming 1 Hz would size them at hundreds of megabytes only to fail.
  if (info.samplerate != rate && !src_is_valid_ratio(ratio)) {
    return Unreadable("the sample rate " + std::to_string(info.samplerate) +
                      " Hz cannot be converted to " + std::to_string(rate) + " Hz");
  }
  std::unique_ptr<SRC_STATE, ResamplerDeleter> resampler;
  if (info.samplerate != rate) {
    int error = 0;
    resampler.reset(src_new(SRC_SINC_FASTEST, 1, &error));
    if (!resampler) return Unreadable(src_strerror(error));
  }

  WaveReadResult result;
  const std::size_t expected = static_cast<std::size_t>(
      std::min<double>(static_cast<double>(info.frames) * ratio + 16.0, max_samples + 1.0));
  result.samples.reserve(expected);
  ByteSink sink(result.samples, max_samples);
  const auto read_frames =
      static_cast<sf_count_t>(std::max<std::size_t>(1, kReadSamples / channels));
  // Each buffer is written before it is read: zeroing them first would only cost time.
  const auto frames =
      std::make_unique_for_overwrite<float[]>(static_cast<std::size_t>(read_frames) * channels);
  const auto mono = std::make_unique_for_overwrite<float[]>(static_cast<std::size_t>(read_frames));
  const auto resampled = std::make_unique_for_overwrite<float[]>(kResampledFrames);
  sf_count_t read_total = 0;
  bool end_of_input = false;
  while (!end_of_input && !sink.Full()) {
    const sf_count_t got = sf_readf_float(file.get(), frames.get(), read_frames);
    if (got < 0 || (got == 0 && sf_error(file.get()) != SF_ERR_NO_ERROR)) break;
    read_total += got;
    end_of_input = got < read_frames;
    for (sf_count_t f = 0; f < got; ++f) {
      float sum = 0.0f;
      for (std::size_t c = 0; c < channels; ++c)
        sum += frames[static_cast<std::size_t>(f) * channels + c];
      mono[static_cast<std::size_t>(f)] = sum / static_cast<float>(channels);
    }
    if (!resampler) {
      sink.Take(mono.get(), static_cast<std::size_t>(got));
      continue;
    }
    SRC_DATA data{};
    data.data_in = mono.get();
    data.input_frames = static_cast<long>(got);
    data.src_ratio = ratio;
    data.end_of_input = end_of_input ? 1 : 0;
    // At the end of the input the converter may still hold samples: drain them.
    do {
      data.data_out = resampled.get();
      data.output_frames = static_cast<long>(kResampledFrames);
      if (const int error = src_process(resampler.get(), &data); error != 0) {
        result.error = ConversionError::kUnreadableSource;
        result.detail = src_strerror(error);
        return result;
      }
      sink.Take(resampled.get(), static_cast<std::size_t>(data.output_frames_gen));
      data.data_in += data.input_frames_used;
      data.input_frames -= data.input_frames_used;
    } while ((data.input_frames > 0 || (end_of_input && data.output_frames_gen > 0)) &&
             !sink.Full());
  }
  // A file whose header promises frames it does not hold is damaged: refuse it rather than
  // import half of it.
  if (read_total < info.frames && !sink.Full()) {
    result.error = ConversionError::kUnreadableSource;
    result.detail = "the file ends before its last sample";
    result.samples.clear();
    return result;
  }
  result.truncated = sink.Full() && (sink.Overflowed() || read_total < info.frames);
  return result;
}

}  // namespace

WaveReadResult ReadWaveAsUnsigned8(const std::filesystem::path& source, int rate,
                                   std::size_t max_samples) {
  SF_INFO info{};
  SNDFILE* file = sf_open(source.c_str(), SFM_READ, &info);
  // Only an opened file is looked at again.
  const bool cut_short = file != nullptr && WaveFileCutShort(source);
  return ReadOpened(file, info, cut_short, rate, max_samples);
}

WaveReadResult ReadWaveBytesAsUnsigned8(std::span<const std::uint8_t> bytes, int rate,
                                        std::size_t max_samples) {
  MemoryView view{bytes};
  SF_VIRTUAL_IO io{MemoryLength<MemoryView>, MemorySeek<MemoryView>, MemoryRead<MemoryView>,
                   nullptr, MemoryTell<MemoryView>};
  SF_INFO info{};
  SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &view);
  const bool cut_short =
      file != nullptr && WaveCutShort(bytes, static_cast<std::int64_t>(bytes.size()));
  return ReadOpened(file, info, cut_short, rate, max_samples);
}

std::vector<std::uint8_t> EncodeWave8(std::span<const std::uint8_t> samples, int rate) {
  MemoryFile memory;
  SF_VIRTUAL_IO io{MemoryLength<MemoryFile>, MemorySeek<MemoryFile>, MemoryRead<MemoryFile>,
                   MemoryWrite, MemoryTell<MemoryFile>};
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;
  std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open_virtual(&io, SFM_WRITE, &info, &memory));
  if (!file) return {};
  // Bytes through the raw interface: they are already the file's sample format.
  if (sf_write_raw(file.get(), samples.data(), static_cast<sf_count_t>(samples.size())) !=
      static_cast<sf_count_t>(samples.size())) {
    return {};
  }
  file.reset();
  return std::move(memory.bytes);
}

bool WriteWave8(const std::filesystem::path& target, std::span<const std::uint8_t> samples,
                int rate) {
  const std::vector<std::uint8_t> bytes = EncodeWave8(samples, rate);
  if (bytes.empty()) return false;
  FileWriter writer;
  return writer.Replace(target, bytes);
}

WaveReadResult ConvertWaveFile(const std::filesystem::path& source,
                               const std::filesystem::path& target, int rate,
                               std::size_t max_samples) {
  WaveReadResult result = ReadWaveAsUnsigned8(source, rate, max_samples + 1);
  if (result.error != ConversionError::kNone) return result;
  if (!WriteWave8(target, result.samples, rate)) {
    result.error = ConversionError::kUnwritableTarget;
    result.detail = "cannot write " + target.string();
  }
  return result;
}

}  // namespace morvane
