#include "platform/midi/rtmidi_driver.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "core/midi/midi_input.h"
#include "core/midi/midi_output.h"
#include "platform/midi/event_fd_notifier.h"
#include "platform/midi/rtmidi_output_handle.h"

namespace morvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

constexpr auto kDeliveryLimit = 3s;  // a message crosses JACK in one period, about 5 ms

// Every peer gets a client name of its own (JACK would rename a second one), unlike any of
// another process.
std::string PeerClient(const char* role) {
  static int peers = 0;
  return "morvane-test-" + std::string(role) + "-" + std::to_string(getpid()) + "-" +
         std::to_string(++peers);
}
const std::string kEditorClient = "Morvane-8 editor";

Bytes BlockMessage() {
  Bytes bytes(82);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i & 0x7F);
  bytes.front() = 0xF0;
  bytes.back() = 0xF7;
  return bytes;
}

// A device on the other end: a virtual output port that sends what the test says.
// Its output object is retired, not destroyed, for the reason RetireRtMidiOutput explains.
class PeerSource {
 public:
  PeerSource()
      : client_(PeerClient("source")), output_(MakeRtMidiOutput(RtMidi::UNIX_JACK, client_)) {
    output_->midi->openVirtualPort("out");
  }
  ~PeerSource() { RetireRtMidiOutput(std::move(output_)); }
  void Send(Bytes bytes) { output_->midi->sendMessage(&bytes); }
  std::string port() const { return client_ + ":out"; }

 private:
  std::string client_;
  std::unique_ptr<RtMidiOutputHandle> output_;
};

// A device on the other end: a virtual input port that records what arrives.
class PeerSink {
 public:
  PeerSink() : client_(PeerClient("sink")), midi_(RtMidi::UNIX_JACK, client_) {
    midi_.ignoreTypes(false, false, false);
    midi_.setCallback(&PeerSink::OnMessage, this);
    midi_.openVirtualPort("in");
  }
  std::string port() const { return client_ + ":in"; }
  // The messages received, once `count` have arrived or the limit has passed.
  std::vector<Bytes> WaitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, kDeliveryLimit, [&] { return received_.size() >= count; });
    return received_;
  }

 private:
  static void OnMessage(double, std::vector<unsigned char>* message, void* self) {
    auto& sink = *static_cast<PeerSink*>(self);
    {
      const std::lock_guard lock(sink.mutex_);
      sink.received_.emplace_back(message->begin(), message->end());
    }
    sink.arrived_.notify_all();
  }

  std::string client_;
  RtMidiIn midi_;
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<Bytes> received_;
};

bool Lists(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

class RtMidiDriverJackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RtMidiDriverOptions options;
    options.apis = {RtMidi::UNIX_JACK};
    options.presence_check_interval = 0ms;  // check before every send
    driver_ = std::make_unique<RtMidiDriver>(options);
    if (!driver_->Reachable()) {
      const char* server = std::getenv("JACK_DEFAULT_SERVER");
      GTEST_SKIP() << "no JACK server reachable (JACK_DEFAULT_SERVER="
                   << (server != nullptr ? server : "unset")
                   << "); these tests run under ctest, which starts one with "
                      "tools/jack_test_server.sh";
    }
  }

  // Waits on the notifier, as the window thread does, until `count` events are queued.
  void WaitForEvents(MidiInput& input, int count) {
    const auto deadline = std::chrono::steady_clock::now() + kDeliveryLimit;
    while (input.GetEventCount() < count && std::chrono::steady_clock::now() < deadline) {
      pollfd watched{notifier_.fd(), POLLIN, 0};
      poll(&watched, 1, 100);
      notifier_.Drain();
    }
  }

  std::unique_ptr<RtMidiDriver> driver_;
  EventFdNotifier notifier_;
};

TEST_F(RtMidiDriverJackTest, ExchangesShortAndSystemExclusiveMessagesBothWays) {
  PeerSource source;
  PeerSink sink;
  ASSERT_TRUE(Lists(driver_->InputNames(), source.port()));
  ASSERT_TRUE(Lists(driver_->OutputNames(), sink.port()));

  MidiInput input(*driver_, &notifier_);
  input.SetCapacity(4096);
  input.SetProductName(source.port());
  input.Open();
  ASSERT_EQ(input.State(), MidiInputState::kOpen);
  input.Start();
  MidiOutput output(*driver_);
  output.SetProductName(sink.port());
  ASSERT_TRUE(output.Open());

  // The editor's own ports are no devices to choose.
  for (const std::string& name : driver_->InputNames()) {
    EXPECT_FALSE(name.starts_with(kEditorClient)) << name;
  }
  for (const std::string& name : driver_->OutputNames()) {
    EXPECT_FALSE(name.starts_with(kEditorClient)) << name;
  }

  source.Send({0x90, 0x3C, 0x64});
  source.Send({0xF8});  // timing clock: never queued
  source.Send(BlockMessage());
  WaitForEvents(input, 2);
  ASSERT_EQ(input.GetEventCount(), 2);
  const std::unique_ptr<MidiEvent> note = input.GetMidiEvent();
  EXPECT_EQ(note->midi_message, 0x90);
  EXPECT_EQ(note->data1, 0x3C);
  EXPECT_EQ(note->data2, 0x64);
  const std::unique_ptr<MidiEvent> block = input.GetMidiEvent();
  EXPECT_EQ(block->midi_message, 0xF0);
  EXPECT_EQ(block->sysex, BlockMessage());
  EXPECT_EQ(block->sysex_length, 82);
  EXPECT_GE(block->time, note->time);
  EXPECT_LT(block->time, 60'000u);  // milliseconds since Start, not since some epoch

  output.PutShort(0xB0, 0x20, 0x05);
  output.PutShort(0xC0, 0x07, 0x00);
  output.PutLong(BlockMessage());
  const std::vector<Bytes> expected = {{0xB0, 0x20, 0x05}, {0xC0, 0x07}, BlockMessage()};
  EXPECT_EQ(sink.WaitFor(3), expected);
}

TEST_F(RtMidiDriverJackTest, AVanishedDeviceFailsTheNextSendInsteadOfCrashing) {
  auto source = std::make_unique<PeerSource>();
  auto sink = std::make_unique<PeerSink>();
  const std::string sink_port = sink->port();
  MidiInput input(*driver_, &notifier_);
  input.SetProductName(source->port());
  input.Open();
  input.Start();
  MidiOutput output(*driver_);
  output.SetProductName(sink_port);
  ASSERT_TRUE(output.Open());
  output.PutShort(0x90, 0x3C, 0x40);
  EXPECT_EQ(sink->WaitFor(1).size(), 1u);

  sink.reset();
  source.reset();
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      output.PutLong(BlockMessage());
      ADD_FAILURE() << "a send to a vanished device succeeded";
    } catch (const MidiOutputError& error) {
      EXPECT_EQ(std::string(error.what()),
                "MIDI output device " + sink_port + " is no longer available");
    }
  }
  // The input just hears nothing more and closes as usual.
  EXPECT_EQ(input.State(), MidiInputState::kOpen);
  EXPECT_EQ(input.GetEventCount(), 0);
  input.Close();
  EXPECT_TRUE(output.Close());
}

TEST_F(RtMidiDriverJackTest, ADeviceGoneSinceTheListingIsNotOpened) {
  auto source = std::make_unique<PeerSource>();
  ASSERT_TRUE(Lists(driver_->InputNames(), source->port()));
  MidiInput input(*driver_, &notifier_);
  input.SetProductName(source->port());
  const int index = input.DeviceID();
  source.reset();

  input.Open();  // the port stays closed, as after any failed opening
  EXPECT_EQ(input.State(), MidiInputState::kClosed);
  class NullSink final : public MidiInputSink {
    void OnShortMessage(std::uint32_t, std::uint32_t) noexcept override {}
    void OnSysex(std::uint32_t, std::span<const std::uint8_t>) noexcept override {}
  } null_sink;
  EXPECT_THROW(driver_->OpenInput(index, null_sink), MidiDriverError);
}

TEST(RtMidiDriverTest, WithNoUsableApiListsNothingAndOpensNothing) {
  RtMidiDriverOptions options;
  options.apis = {};
  RtMidiDriver driver(options);
  EXPECT_EQ(driver.Api(), RtMidi::UNSPECIFIED);
  EXPECT_FALSE(driver.Reachable());
  EXPECT_TRUE(driver.InputNames().empty());
  EXPECT_TRUE(driver.OutputNames().empty());
  EXPECT_THROW(driver.OpenOutput(0), MidiDriverError);
  MidiOutput output(driver);
  EXPECT_THROW(output.SetDeviceID(0), MidiOutputError);
}

}  // namespace
}  // namespace morvane
