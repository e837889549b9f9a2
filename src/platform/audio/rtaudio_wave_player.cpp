#include <RtAudio.h>
#include <samplerate.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <utility>
#include <vector>

#include "platform/audio/audio_device_list.h"
#include "platform/audio/rtaudio_outputs.h"
#include "platform/audio/wave_player.h"
#include "platform/midi/event_fd_notifier.h"

namespace morvane {

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned int kBufferFrames = 512;
// News of the position at least this often: the view follows the play smoothly.
constexpr double kPositionNewsSeconds = 0.04;
// A device that asks for nothing this long while playing has gone.
constexpr auto kSilentDeviceLimit = std::chrono::milliseconds(2000);

// Shared with the output's thread while the stream is open. Everything the thread changes is
// atomic; the samples are written before the stream starts and only read afterwards.
struct StreamState {
  std::vector<std::int8_t> s8;
  std::vector<float> f32;
  bool as_float = false;
  std::size_t frames = 0;
  double bytes_per_frame = 1.0;
  std::size_t position_news_frames = 1;
  std::atomic<std::size_t> frame{0};
  std::atomic<bool> looping{false};
  std::atomic<bool> ran_out{false};
  std::atomic<std::uint64_t> callbacks{0};
  std::size_t since_news = 0;  // the output's thread only
  EventFdNotifier* notifier = nullptr;
};

// Runs on the output's thread: copies, counts and wakes; never allocates or blocks. Past the last
// sample it plays silence and says so; the window thread then stops the stream. (Asking RtAudio
// to stop from here drops the buffer of that call, and a stop from the window thread at that
// moment waits forever inside RtAudio's JACK interface.)
int FillBuffer(void* output, void* /*input*/, unsigned int count, double /*time*/,
               RtAudioStreamStatus /*status*/, void* user) {
  auto& state = *static_cast<StreamState*>(user);
  state.callbacks.fetch_add(1, std::memory_order_relaxed);
  std::size_t frame = state.frame.load(std::memory_order_relaxed);
  const bool looping = state.looping.load(std::memory_order_relaxed) && state.frames > 0;
  auto* s8 = static_cast<std::int8_t*>(output);
  auto* f32 = static_cast<float*>(output);
  if (frame >= state.frames && !looping) {
    if (state.as_float) {
      std::fill(f32, f32 + count, 0.0f);
    } else {
      std::fill(s8, s8 + count, std::int8_t{0});
    }
    if (!state.ran_out.exchange(true, std::memory_order_acq_rel)) state.notifier->Wake();
    return 0;
  }
  for (unsigned int i = 0; i < count; ++i) {
    if (frame >= state.frames && looping) frame = 0;
    const bool past_end = frame >= state.frames;
    if (state.as_float) {
      f32[i] = past_end ? 0.0f : state.f32[frame];
    } else {
      s8[i] = past_end ? std::int8_t{0} : state.s8[frame];
    }
    if (!past_end) ++frame;
  }
  state.frame.store(frame, std::memory_order_release);
  state.since_news += count;
  if (state.since_news >= state.position_news_frames) {
    state.since_news = 0;
    state.notifier->Wake();
  }
  return 0;
}

std::vector<float> ResampleToFloat(std::span<const std::uint8_t> wave, double ratio) {
  std::vector<float> in(wave.size());
  for (std::size_t i = 0; i < wave.size(); ++i) in[i] = (wave[i] - 128) / 128.0f;
  std::vector<float> out(static_cast<std::size_t>(wave.size() * ratio) + 64);
  SRC_DATA data{};
  data.data_in = in.data();
  data.input_frames = static_cast<long>(in.size());
  data.data_out = out.data();
  data.output_frames = static_cast<long>(out.size());
  data.src_ratio = ratio;
  if (const int error = src_simple(&data, SRC_SINC_FASTEST, 1); error != 0) {
    throw AudioDeviceError(src_strerror(error));
  }
  out.resize(static_cast<std::size_t>(data.output_frames_gen));
  return out;
}

class RtAudioWavePlayer final : public WavePlayer {
 public:
  ~RtAudioWavePlayer() override { Stop(); }

  void Start(std::span<const std::uint8_t> wave, int rate, int device) override {
    Stop();
    try {
      audio_ = std::make_unique<RtAudio>();
      audio_->showWarnings(false);
      if (audio_->getDeviceCount() == 0) throw AudioDeviceError("No Audio device found ");
      const unsigned int id = DeviceId(device);
      const RtAudio::DeviceInfo info = audio_->getDeviceInfo(id);
      state_ = std::make_unique<StreamState>();
      state_->notifier = &notifier_;
      state_->looping = looping_;
      OpenStream(id, info, wave, rate);
      audio_->startStream();
    } catch (const RtAudioError& error) {
      Release();
      throw AudioDeviceError(error.getMessage());
    } catch (...) {
      Release();
      throw;
    }
    started_news_ = true;
    last_callbacks_ = 0;
    last_progress_ = Clock::now();
    notifier_.Wake();
  }

  void Stop() override {
    if (audio_) {
      // Closing drops what is queued; RtAudio's stop would first wait for the device to play it,
      // and on JACK it waits forever once the server has gone away.
      try {
        if (audio_->isStreamOpen()) audio_->closeStream();
      } catch (const RtAudioError&) {
        // A device that has gone cannot be stopped any more: releasing it is all there is.
      }
    }
    Release();
  }

  void SetLooping(bool on) override {
    looping_ = on;
    if (state_) state_->looping.store(on, std::memory_order_relaxed);
  }

  bool Playing() const override { return state_ != nullptr; }
  int NotifyFd() const override { return notifier_.fd(); }

  PlayerNews TakeNews() override {
    notifier_.Drain();
    PlayerNews news;
    news.started = std::exchange(started_news_, false);
    if (!state_) return news;
    const std::size_t frame = state_->frame.load(std::memory_order_acquire);
    news.position = static_cast<std::int64_t>(static_cast<double>(frame) * state_->bytes_per_frame);
    if (state_->ran_out.load(std::memory_order_acquire)) {
      news.stopped = true;
      Stop();
      return news;
    }
    const std::uint64_t callbacks = state_->callbacks.load(std::memory_order_relaxed);
    const Clock::time_point now = Clock::now();
    if (callbacks != last_callbacks_) {
      last_callbacks_ = callbacks;
      last_progress_ = now;
    } else if (now - last_progress_ > kSilentDeviceLimit) {
      news.failed = true;
      news.failure = "The audio device stopped playing";
      Stop();
    }
    return news;
  }

 private:
  unsigned int DeviceId(int device) {
    if (device < 0) return audio_->getDefaultOutputDevice();
    const std::vector<unsigned int> ids = OutputDeviceIds(*audio_);
    if (static_cast<std::size_t>(device) >= ids.size()) {
      throw AudioDeviceError("The audio device is no longer available");
    }
    return ids[static_cast<std::size_t>(device)];
  }

  // Signed 8-bit at the asked rate when the device lists it; otherwise, or when that fails,
  // floats at the device's own rate (a JACK server runs at one rate only).
  void OpenStream(unsigned int id, const RtAudio::DeviceInfo& info,
                  std::span<const std::uint8_t> wave, int rate) {
    RtAudio::StreamParameters parameters;
    parameters.deviceId = id;
    parameters.nChannels = 1;
    RtAudio::StreamOptions options;
    options.streamName = "Morvane8 sample";
    unsigned int frames = kBufferFrames;
    const auto& rates = info.sampleRates;
    if (std::find(rates.begin(), rates.end(), static_cast<unsigned int>(rate)) != rates.end()) {
      state_->s8.resize(wave.size());
      for (std::size_t i = 0; i < wave.size(); ++i) {
        state_->s8[i] = static_cast<std::int8_t>(wave[i] ^ 0x80);
      }
      Prepare(wave.size(), rate, rate);
      try {
        audio_->openStream(&parameters, nullptr, RTAUDIO_SINT8, static_cast<unsigned int>(rate),
                           &frames, &FillBuffer, state_.get(), &options);
        return;
      } catch (const RtAudioError&) {
        state_->s8.clear();
      }
    }
    unsigned int device_rate = info.preferredSampleRate;
    if (device_rate == 0) device_rate = rates.empty() ? 48000 : rates.back();
    state_->f32 = ResampleToFloat(wave, static_cast<double>(device_rate) / rate);
    state_->as_float = true;
    Prepare(state_->f32.size(), rate, static_cast<int>(device_rate));
    frames = kBufferFrames;
    audio_->openStream(&parameters, nullptr, RTAUDIO_FLOAT32, device_rate, &frames, &FillBuffer,
                       state_.get(), &options);
  }

  void Prepare(std::size_t frames, int rate, int device_rate) {
    state_->frames = frames;
    state_->bytes_per_frame = static_cast<double>(rate) / device_rate;
    state_->position_news_frames =
        std::max<std::size_t>(1, static_cast<std::size_t>(device_rate * kPositionNewsSeconds));
  }

  void Release() {
    audio_.reset();
    state_.reset();
  }

  EventFdNotifier notifier_;
  std::unique_ptr<RtAudio> audio_;
  std::unique_ptr<StreamState> state_;
  bool looping_ = false;
  bool started_news_ = false;
  std::uint64_t last_callbacks_ = 0;
  Clock::time_point last_progress_;
};

}  // namespace

std::unique_ptr<WavePlayer> MakeRtAudioWavePlayer() {
  return std::make_unique<RtAudioWavePlayer>();
}

}  // namespace morvane
