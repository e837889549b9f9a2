#include <gtest/gtest.h>
#include <jack/jack.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "core/sample/audio_output_choice.h"
#include "core/util/whole_file_io.h"
#include "platform/audio/wave_player.h"
#include "platform/midi/jack_server_probe.h"

namespace morvane {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr double kPi = 3.14159265358979323846;

// A JACK client with one input port that records everything it receives.
class JackCapture {
 public:
  JackCapture() : recorded_(48000 * 20) {
    const std::string name = "morvane-capture-" + std::to_string(getpid());
    jack_status_t status;
    client_ = jack_client_open(name.c_str(), JackNoStartServer, &status);
    if (!client_) return;
    port_ = jack_port_register(client_, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    jack_set_process_callback(client_, &JackCapture::Process, this);
    jack_set_xrun_callback(client_, &JackCapture::Xrun, this);
    jack_activate(client_);
  }
  ~JackCapture() {
    if (client_) jack_client_close(client_);
  }
  bool Ready() const { return client_ != nullptr && port_ != nullptr; }
  int Rate() const { return static_cast<int>(jack_get_sample_rate(client_)); }

  // Connects every output port of the player's client to the recording port.
  bool ConnectFrom(const std::string& client) {
    const char** ports = jack_get_ports(client_, (client + ":.*").c_str(), JACK_DEFAULT_AUDIO_TYPE,
                                        JackPortIsOutput);
    if (!ports) return false;
    bool any = false;
    for (const char** port = ports; *port; ++port) {
      any |= jack_connect(client_, *port, jack_port_name(port_)) == 0;
    }
    jack_free(ports);
    return any;
  }
  // Cycles the server could not finish in time (it runs without real-time scheduling): what was
  // recorded then has gaps.
  int Xruns() const { return xruns_.load(); }
  void Restart() {
    written_.store(0);
    xruns_.store(0);
  }
  std::vector<float> Recorded() const {
    const std::size_t count = written_.load(std::memory_order_acquire);
    return {recorded_.begin(), recorded_.begin() + static_cast<std::ptrdiff_t>(count)};
  }

 private:
  static int Xrun(void* self) {
    static_cast<JackCapture*>(self)->xruns_.fetch_add(1);
    return 0;
  }
  static int Process(jack_nframes_t frames, void* self) {
    auto& capture = *static_cast<JackCapture*>(self);
    const auto* in = static_cast<const float*>(jack_port_get_buffer(capture.port_, frames));
    std::size_t at = capture.written_.load(std::memory_order_relaxed);
    for (jack_nframes_t i = 0; i < frames && at < capture.recorded_.size(); ++i) {
      capture.recorded_[at++] = in[i];
    }
    capture.written_.store(at, std::memory_order_release);
    return 0;
  }

  jack_client_t* client_ = nullptr;
  jack_port_t* port_ = nullptr;
  std::vector<float> recorded_;
  std::atomic<std::size_t> written_{0};
  std::atomic<int> xruns_{0};
};

// `silence` seconds of the zero line, then `seconds` of a sine at `frequency` Hz.
std::vector<std::uint8_t> Tone(int rate, double frequency, double seconds, double silence) {
  std::vector<std::uint8_t> wave(static_cast<std::size_t>(rate * silence), 128);
  const auto count = static_cast<std::size_t>(rate * seconds);
  for (std::size_t i = 0; i < count; ++i) {
    wave.push_back(static_cast<std::uint8_t>(
        128 +
        std::lround(100.0 * std::sin(2.0 * kPi * frequency * static_cast<double>(i) / rate))));
  }
  return wave;
}

struct Heard {
  double seconds = 0;    // from the first to the last sample that is not silence
  double frequency = 0;  // from the median time between rising zero crossings
};

Heard Analyse(const std::vector<float>& recorded, int rate) {
  Heard heard;
  constexpr float kQuiet = 0.02f;
  std::size_t first = recorded.size();
  std::size_t last = 0;
  for (std::size_t i = 0; i < recorded.size(); ++i) {
    if (std::fabs(recorded[i]) > kQuiet) {
      first = std::min(first, i);
      last = i;
    }
  }
  if (first >= last) return heard;
  heard.seconds = static_cast<double>(last - first + 1) / rate;
  // The median period: a cycle lost to an xrun moves one crossing, not the measure.
  std::vector<double> periods;
  double previous = -1;
  for (std::size_t i = first + 1; i <= last; ++i) {
    if (recorded[i - 1] < 0 && recorded[i] >= 0) {
      // Where the line between the two samples crosses zero.
      const double at =
          static_cast<double>(i - 1) + recorded[i - 1] / (recorded[i - 1] - recorded[i]);
      if (previous >= 0) periods.push_back(at - previous);
      previous = at;
    }
  }
  if (!periods.empty()) {
    std::nth_element(periods.begin(), periods.begin() + periods.size() / 2, periods.end());
    heard.frequency = rate / periods[periods.size() / 2];
  }
  return heard;
}

// Waits for news until `until` says enough or the limit passes; returns every news seen.
template <typename Predicate>
std::vector<PlayerNews> Watch(WavePlayer& player, std::chrono::milliseconds limit,
                              Predicate until) {
  std::vector<PlayerNews> seen;
  const Clock::time_point end = Clock::now() + limit;
  while (Clock::now() < end) {
    pollfd descriptor{player.NotifyFd(), POLLIN, 0};
    poll(&descriptor, 1, 50);
    seen.push_back(player.TakeNews());
    if (until(seen.back())) break;
  }
  return seen;
}

class WavePlayerJackTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    if (!JackServerRunning()) {
      GTEST_SKIP() << "no JACK server reachable; ctest starts one with tools/jack_test_server.sh";
    }
    ASSERT_TRUE(capture_.Ready());
  }
  void StartAndConnect(const std::vector<std::uint8_t>& wave, int rate) {
    player_->Start(wave, rate, kDefaultOutputDevice);
    const Clock::time_point limit = Clock::now() + 2s;
    while (!capture_.ConnectFrom("Morvane8 sample") && Clock::now() < limit) {
      std::this_thread::sleep_for(5ms);
    }
  }

  JackCapture capture_;
  std::unique_ptr<WavePlayer> player_ = MakeRtAudioWavePlayer();
};

// At 22 050 Hz the server's own rate (48 000) is not the wave's: the output resamples. At
// 48 000 Hz the bytes go out as signed 8-bit.
TEST_P(WavePlayerJackTest, PlaysAToneOnceAtItsFrequencyAndLength) {
  const int rate = GetParam();
  // The lead-in of silence leaves time to connect the recorder before the tone starts.
  const std::vector<std::uint8_t> wave = Tone(rate, 441.0, 1.0, 1.0);
  // Without real-time scheduling the server has xruns, and a recording that lost cycles to one is
  // short: such a play is played again, a few times at most. A player that plays the wrong length
  // fails every time.
  Heard heard;
  for (int attempt = 1; attempt <= 4; ++attempt) {
    capture_.Restart();
    StartAndConnect(wave, rate);
    ASSERT_TRUE(player_->Playing());
    std::vector<std::int64_t> positions;
    bool started = false;
    const auto seen = Watch(*player_, 6000ms, [&](const PlayerNews& news) {
      started |= news.started;
      if (news.position > 0) positions.push_back(news.position);
      return news.stopped || news.failed;
    });
    ASSERT_TRUE(seen.back().stopped) << seen.back().failure;
    EXPECT_TRUE(started);
    EXPECT_FALSE(player_->Playing());
    // The position advances a few times a second and ends at the wave's end.
    ASSERT_GE(positions.size(), 10u);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_NEAR(static_cast<double>(positions.back()), static_cast<double>(wave.size()), 64.0);

    std::this_thread::sleep_for(100ms);  // the last periods reach the recorder
    heard = Analyse(capture_.Recorded(), capture_.Rate());
    std::cout << "attempt " << attempt << ": heard " << heard.frequency << " Hz for "
              << heard.seconds << " s, " << positions.size() << " positions, " << capture_.Xruns()
              << " xruns\n";
    if (std::fabs(heard.seconds - 1.0) <= 0.02) break;
  }
  EXPECT_NEAR(heard.frequency, 441.0, 441.0 * 0.01);
  EXPECT_NEAR(heard.seconds, 1.0, 0.02) << capture_.Xruns() << " xruns in the last attempt";
}

TEST_P(WavePlayerJackTest, LoopedPlayGoesOnUntilStopped) {
  const int rate = GetParam();
  player_->SetLooping(true);
  StartAndConnect(Tone(rate, 441.0, 0.2, 0.0), rate);
  // A loaded machine may take a while to join the recorder to the player: count from the first
  // sound on.
  const Clock::time_point limit = Clock::now() + 3s;
  while (Analyse(capture_.Recorded(), capture_.Rate()).seconds == 0 && Clock::now() < limit) {
    std::this_thread::sleep_for(10ms);
  }
  int wraps = 0;
  std::int64_t previous = 0;
  const auto seen = Watch(*player_, 1200ms, [&](const PlayerNews& news) {
    if (news.position < previous) ++wraps;
    previous = news.position;
    return news.stopped || news.failed;
  });
  EXPECT_FALSE(seen.back().stopped);
  EXPECT_FALSE(seen.back().failed) << seen.back().failure;
  EXPECT_TRUE(player_->Playing());
  EXPECT_GE(wraps, 3);
  player_->Stop();
  EXPECT_FALSE(player_->Playing());
  player_->Stop();  // safe twice

  // Sound all along, much longer than the 0.2 s wave: it was played again and again.
  EXPECT_GT(Analyse(capture_.Recorded(), capture_.Rate()).seconds, 0.9);
}

TEST_P(WavePlayerJackTest, SecondStartReplacesTheFirstAndAMissingDeviceIsRefused) {
  const int rate = GetParam();
  const std::vector<std::uint8_t> wave = Tone(rate, 441.0, 2.0, 0.0);
  player_->Start(wave, rate, kDefaultOutputDevice);
  player_->Start(wave, rate, kDefaultOutputDevice);
  EXPECT_TRUE(player_->Playing());
  player_->Stop();
  EXPECT_THROW(player_->Start(wave, rate, 999), std::exception);
  EXPECT_FALSE(player_->Playing());
}

INSTANTIATE_TEST_SUITE_P(Rates, WavePlayerJackTest, ::testing::Values(22050, 48000));

// Points libjack (and so RtAudio) at another server name while it lives.
class JackServerName {
 public:
  explicit JackServerName(const std::string& name) {
    if (const char* old = std::getenv("JACK_DEFAULT_SERVER")) saved_ = old;
    setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
  }
  ~JackServerName() {
    if (saved_.empty()) {
      unsetenv("JACK_DEFAULT_SERVER");
    } else {
      setenv("JACK_DEFAULT_SERVER", saved_.c_str(), 1);
    }
  }

 private:
  std::string saved_;
};

TEST(WavePlayerTest, NoOutputAtAllIsRefusedWithAnError) {
  // A server that does not run: RtAudio finds no JACK device and, on this machine, no other.
  const JackServerName nowhere("morvane-no-such-server-" + std::to_string(getpid()));
  std::unique_ptr<WavePlayer> player = MakeRtAudioWavePlayer();
  const std::vector<std::uint8_t> wave(1000, 128);
  try {
    player->Start(wave, 22050, kDefaultOutputDevice);
    player->Stop();
    GTEST_SKIP() << "this machine has an audio output besides JACK";
  } catch (const std::exception& error) {
    EXPECT_FALSE(std::string(error.what()).empty());
  }
  EXPECT_FALSE(player->Playing());
  player->Stop();
}

// A JACK server of the test's own, killed while the player plays through it: the news says the
// device is gone, the player stops, nothing hangs.
TEST(WavePlayerTest, ADeviceThatGoesAwayWhilePlayingEndsThePlay) {
  if (std::system("command -v jackd >/dev/null && command -v jack_wait >/dev/null") != 0) {
    GTEST_SKIP() << "jackd is not installed";
  }
  // One name per build (the shared server's name is one): a server stopped by a signal it cannot
  // handle keeps its place in JACK's registry of at most 8 servers until one of its name starts
  // again.
  const char* shared = std::getenv("JACK_DEFAULT_SERVER");
  const std::string name = std::string("morvane-vanishing-") + (shared ? shared : "default");
  const std::string pid_file = "/tmp/" + name + ".pid";
  const std::string log_file = "/tmp/" + name + ".log";
  const std::string start = "setsid jackd --no-realtime -n " + name +
                            " -d dummy -r 48000 -p 256 >" + log_file +
                            " 2>&1 </dev/null & echo $! > " + pid_file + "; jack_wait -s " + name +
                            " -w -t 20 >/dev/null";
  if (std::system(start.c_str()) != 0) {
    std::system(("kill $(cat " + pid_file + ") 2>/dev/null; rm -f " + pid_file).c_str());
    std::string log;
    ReadWholeFile(log_file, log);
    std::remove(log_file.c_str());
    GTEST_SKIP() << "a JACK server of the test's own did not start in 20 s: " << log;
  }
  std::remove(log_file.c_str());
  const JackServerName ours(name);
  std::unique_ptr<WavePlayer> player = MakeRtAudioWavePlayer();
  player->SetLooping(true);
  player->Start(Tone(22050, 441.0, 0.5, 0.0), 22050, kDefaultOutputDevice);
  const auto playing = Watch(*player, 300ms, [](const PlayerNews& news) { return news.failed; });
  ASSERT_FALSE(playing.back().failed);

  // The server goes away as it does when its user stops it: its clients are told, once.
  ASSERT_EQ(std::system(("kill $(cat " + pid_file + "); rm -f " + pid_file).c_str()), 0);
  const Clock::time_point killed = Clock::now();
  const auto seen = Watch(*player, 6000ms, [](const PlayerNews& news) { return news.failed; });
  EXPECT_TRUE(seen.back().failed);
  EXPECT_FALSE(seen.back().failure.empty());
  EXPECT_FALSE(player->Playing());
  EXPECT_LT(Clock::now() - killed, 4s);
  player->Stop();
}

}  // namespace
}  // namespace morvane
