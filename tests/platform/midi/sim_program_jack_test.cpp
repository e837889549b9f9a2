// The editor's ports against the stand-alone virtual module, across a real JACK server.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "core/midi/dump_engine.h"
#include "core/midi/midi_input.h"
#include "core/midi/midi_output.h"
#include "core/midi/module_messages.h"
#include "core/midi/ports_transfer_port.h"
#include "core/midi/sysex_format.h"
#include "core/module/module_detection.h"
#include "platform/midi/rtmidi_driver.h"
#include "platform/time/steady_waiter.h"
#include "support/midi_event_wait.h"

extern char** environ;

namespace morvane {
namespace {

using Clock = std::chrono::steady_clock;

// Runs morvane8-sim and waits for its "ready" line; stops it with SIGTERM.
class SimProgram {
 public:
  bool Start(const std::vector<std::string>& arguments) {
    int out[2];
    if (pipe(out) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> words{MORVANE_SIM_PROGRAM};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
      close(out[0]);
      pid_ = -1;
      return false;
    }
    stdout_ = out[0];
    return ReadReadyLine(std::chrono::seconds(15));
  }
  const std::string& ready_line() const { return ready_line_; }

  ~SimProgram() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    if (stdout_ >= 0) close(stdout_);
  }

 private:
  bool ReadReadyLine(std::chrono::seconds bound) {
    const auto end = Clock::now() + bound;
    std::string text;
    while (Clock::now() < end) {
      pollfd fd{stdout_, POLLIN, 0};
      if (poll(&fd, 1, 100) <= 0) continue;
      char buffer[256];
      const ssize_t count = read(stdout_, buffer, sizeof buffer);
      if (count <= 0) return false;
      text.append(buffer, static_cast<std::size_t>(count));
      const auto newline = text.find('\n');
      if (newline != std::string::npos) {
        ready_line_ = text.substr(0, newline);
        return ready_line_.rfind("ready", 0) == 0;
      }
    }
    return false;
  }

  pid_t pid_ = -1;
  int stdout_ = -1;
  std::string ready_line_;
};

int IndexContaining(const std::vector<std::string>& names, const std::string& part) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].find(part) != std::string::npos) return static_cast<int>(i);
  }
  return -1;
}

class SimProgramJackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver_ = std::make_unique<RtMidiDriver>(RtMidiDriverOptions{.apis = {RtMidi::UNIX_JACK}});
    if (!driver_->Reachable()) {
      GTEST_SKIP() << "no JACK server can be reached (JACK_DEFAULT_SERVER="
                   << (getenv("JACK_DEFAULT_SERVER") ? getenv("JACK_DEFAULT_SERVER") : "")
                   << "); run through ctest, whose fixture starts one";
    }
    ASSERT_TRUE(sim_.Start({"--channel", "3", "--handshake"})) << sim_.ready_line();
    const int input_index = IndexContaining(driver_->InputNames(), "Morvane-8 sim out");
    const int output_index = IndexContaining(driver_->OutputNames(), "Morvane-8 sim in");
    ASSERT_GE(input_index, 0);
    ASSERT_GE(output_index, 0);
    input_ = std::make_unique<MidiInput>(*driver_);
    input_->SetCapacity(4096);
    input_->SetDeviceID(input_index);
    input_->Open();
    input_->Start();
    ASSERT_EQ(input_->State(), MidiInputState::kOpen);
    output_ = std::make_unique<MidiOutput>(*driver_);
    output_->SetDeviceID(output_index);
    ASSERT_TRUE(output_->Open());
  }

  // Sends a message and waits for its reply. With jackd running without real-time scheduling, a
  // cycle that overruns (an xrun) loses the MIDI of that cycle, so a message is sent again after
  // a second of silence, as the editor's transfers retry; losses are counted.
  template <typename Send>
  std::unique_ptr<MidiEvent> Exchange(Send send, double* round_trip_ms = nullptr) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      const auto start = Clock::now();
      send();
      auto reply = NextMidiEvent(*input_, std::chrono::seconds(1));
      if (reply) {
        if (round_trip_ms && attempt == 0) {
          *round_trip_ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        return reply;
      }
      ++lost_;
    }
    return nullptr;
  }

  static constexpr int kChannelIndex = 2;  // channel 3
  int lost_ = 0;
  std::unique_ptr<RtMidiDriver> driver_;
  SimProgram sim_;
  std::unique_ptr<MidiInput> input_;
  std::unique_ptr<MidiOutput> output_;
};

TEST_F(SimProgramJackTest, ExchangesCommandsBlocksAndRepliesThroughRealPorts) {
  // The parameter reply names the module: its channel and firmware 1.47, handshake on.
  auto reply =
      Exchange([&] { SendCommand(*output_, kChannelIndex, kCommandRequestParameters, 0); });
  ASSERT_NE(reply, nullptr);
  const auto parameters = DecodeParameterReply(reply->sysex);
  ASSERT_TRUE(parameters.has_value()) << "reply of " << reply->sysex_length << " bytes";
  EXPECT_EQ(parameters->channel_index, kChannelIndex);
  EXPECT_EQ(parameters->firmware_revision, 47);
  EXPECT_TRUE(parameters->flags & kFlagHandshake);

  // Select bank 5, wave 17 through controllers 0 and 32, as the module control window would.
  SendCommand(*output_, kChannelIndex, kCommandBankController, 0);
  SendCommand(*output_, kChannelIndex, kCommandWaveController, 32);
  ASSERT_TRUE(SendBankSelect(*output_, kChannelIndex, 0, 5));
  ASSERT_TRUE(SendWaveSelect(*output_, kChannelIndex, 32, 17));

  // Each block is acknowledged; the round trips of the 82-byte block and its ACK are measured.
  std::array<std::uint8_t, 256> sent{};
  for (int i = 0; i < 256; ++i)
    sent[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(255 - i);
  std::vector<double> round_trips_ms;
  for (int repeat = 0; repeat < 50; ++repeat) {
    for (int position = 0; position < 256; position += 64) {
      double round_trip_ms = -1;
      auto ack =
          Exchange([&] { SendWaveBlock(*output_, kChannelIndex, position, sent); }, &round_trip_ms);
      ASSERT_NE(ack, nullptr) << "no ACK for block " << position << " of round " << repeat;
      if (round_trip_ms >= 0) round_trips_ms.push_back(round_trip_ms);
      EXPECT_TRUE(IsAckMessage(ack->sysex, kChannelIndex));
    }
  }
  std::sort(round_trips_ms.begin(), round_trips_ms.end());
  const double mean = std::accumulate(round_trips_ms.begin(), round_trips_ms.end(), 0.0) /
                      static_cast<double>(round_trips_ms.size());
  const double median = round_trips_ms[round_trips_ms.size() / 2];
  RecordProperty("block_ack_round_trip_mean_ms", std::to_string(mean));
  RecordProperty("block_ack_round_trip_median_ms", std::to_string(median));
  std::printf(
      "82-byte block + ACK round trip over JACK: %zu trips, mean %.2f ms, median %.2f ms, "
      "min %.2f ms, max %.2f ms; %d lost to xruns and sent again\n",
      round_trips_ms.size(), mean, median, round_trips_ms.front(), round_trips_ms.back(), lost_);

  // Reading the waveform back block by block gives what was written.
  std::array<std::uint8_t, 256> received{};
  received.fill(128);
  for (int position = 0; position < 256; position += 64) {
    auto block =
        Exchange([&] { SendCommand(*output_, kChannelIndex, kCommandRequestBlock, position); });
    ASSERT_NE(block, nullptr);
    ASSERT_TRUE(UnpackWaveBlock(received, block->sysex, position)) << block->sysex_length;
  }
  EXPECT_EQ(received, sent);
  // Whatever was lost, nothing arrived that was not asked for.
  EXPECT_LE(input_->GetEventCount(), lost_);
}

// The log of a transfer resets both ports on an error, as the module control window does.
class ResettingLog final : public TransferLog {
 public:
  ResettingLog(MidiInput& input, MidiOutput& output) : input_(input), output_(output) {}
  void AddLine(const std::string& line) override { lines.push_back(line); }
  void LogError(const std::string& text) override {
    lines.push_back(text);
    lines.push_back("");
    input_.Close();
    output_.Close();
    input_.Open();
    input_.Start();
    output_.Open();
  }
  std::vector<std::string> lines;

 private:
  MidiInput& input_;
  MidiOutput& output_;
};

// A bank sent with handshake and fetched back into another slot, and a scan of the line, through
// the dump engine on real ports. Handshake retries make up for what an xrun loses.
TEST_F(SimProgramJackTest, ABankRoundTripAndAScanThroughRealPorts) {
  SteadyWaiter clock;
  PortsTransferPort port(*input_, *output_, clock);
  ResettingLog log(*input_, *output_);
  WavetableStore store;
  for (int wave = 0; wave < kWavesPerBank; ++wave) {
    for (int i = 0; i < kWaveLength; ++i) {
      store.SetSample(WaveIndex(7, wave), i, static_cast<std::uint8_t>(wave * 3 + i));
    }
  }
  DumpSettings settings;
  settings.channel = kChannelIndex + 1;
  settings.bank_controller = 0;  // the module's own controllers
  settings.wave_controller = 1;
  settings.handshake_checked = settings.handshake_enabled = true;
  settings.timeout = 20;
  DumpView view;
  ASSERT_TRUE(DumpEngine(port, log, view, store, settings).SendBank(7).Completed(kWavesPerBank));
  store.SetCurrentSlot(1);
  ASSERT_TRUE(DumpEngine(port, log, view, store, settings).ReceiveBank(7).Completed(kWavesPerBank));
  for (int wave = 0; wave < kWavesPerBank; ++wave) {
    for (int i = 0; i < kWaveLength; ++i) {
      ASSERT_EQ(store.Wave(WaveIndex(7, wave))[i], static_cast<std::uint8_t>(wave * 3 + i));
    }
  }
  int retries = 0;
  for (const std::string& line : log.lines) retries += line.find("Retry #") != std::string::npos;
  std::printf("bank round trip over JACK: %d retries\n", retries);

  struct Found final : ScanView {
    int AssignSlot(const ParameterReply& reply) override {
      channels.push_back(reply.shown_channel);
      return static_cast<int>(channels.size());
    }
    std::vector<int> channels;
  } found;
  EXPECT_GE(ScanModules(port, log, found), 1);
  EXPECT_EQ(found.channels.front(), kChannelIndex + 1);
}

}  // namespace
}  // namespace morvane
