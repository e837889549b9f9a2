#include "sim/virtual_midi_line.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

#include "core/midi/sysex_format.h"
#include "core/midi/sysex_wave_block.h"
#include "recording_sink.h"
#include "sim/wire_pacer.h"

namespace morvane {
namespace {

using std::chrono::milliseconds;
constexpr milliseconds kIdleBound{10000};

ModuleConfiguration ModuleOn(int channel_index, bool handshake) {
  ModuleConfiguration c;
  c.channel_index = channel_index;
  c.bank_controller = 0;
  c.wave_controller = 32;
  c.flags = handshake ? kFlagHandshake : 0;
  return c;
}

class VirtualMidiLineTest : public testing::Test {
 protected:
  void Open() {
    input_ = line_.OpenInput(0, sink_);
    input_->Start();
    output_ = line_.OpenOutput(0);
  }

  void SendCommand(int channel_index, int command, int value) {
    output_->SendLong(BuildCommandMessage(channel_index, command, value));
  }

  void Select(int channel_index, int bank, int wave) {
    const auto status = static_cast<std::uint8_t>(0xB0 | channel_index);
    output_->SendShort(status, 32, static_cast<std::uint8_t>(wave));
    output_->SendShort(status, 0, static_cast<std::uint8_t>(bank));
  }

  // The single reply to what was just sent, once the line is idle again.
  std::vector<std::uint8_t> OnlyReply() {
    EXPECT_TRUE(line_.WaitUntilIdle(kIdleBound));
    auto received = sink_.Take();
    EXPECT_EQ(received.size(), 1u);
    if (received.empty()) return {};
    EXPECT_TRUE(received[0].sysex);
    return received[0].bytes;
  }

  VirtualMidiLine line_;
  RecordingSink sink_;
  std::unique_ptr<MidiInputConnection> input_;
  std::unique_ptr<MidiOutputConnection> output_;
};

ModuleWaveform TestWave(int index) {
  ModuleWaveform wave;
  for (int i = 0; i < kWaveLength; ++i) {
    wave[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(index * 31 + i * (index % 7 + 1));
  }
  return wave;
}

TEST_F(VirtualMidiLineTest, OffersOneDeviceEachWay) {
  EXPECT_EQ(line_.InputNames(), std::vector<std::string>{"Morvane-8 (virtual)"});
  EXPECT_EQ(line_.OutputNames(), std::vector<std::string>{"Morvane-8 (virtual)"});
  EXPECT_THROW(line_.OpenInput(1, sink_), MidiDriverError);
  EXPECT_THROW(line_.OpenOutput(-1), MidiDriverError);
}

// The way the editor sends and fetches a bank: select, four blocks, one reply each.
TEST_F(VirtualMidiLineTest, BankWrittenWithHandshakeReadsBackBlockByBlock) {
  constexpr int kChannel = 2;
  constexpr int kBank = 7;
  line_.AddModule(ModuleOn(kChannel, true));
  Open();

  for (int wave = 0; wave < kWavesPerBank; ++wave) {
    Select(kChannel, kBank, wave);
    const auto blocks = BuildWaveformBlockMessages(kChannel, TestWave(wave));
    for (const auto& block : blocks) {
      output_->SendLong(block);
      ASSERT_TRUE(IsAckMessage(OnlyReply(), kChannel)) << "wave " << wave;
    }
  }

  for (int wave = 0; wave < kWavesPerBank; ++wave) {
    Select(kChannel, kBank, wave);
    ModuleWaveform read{};
    for (int block = 0; block < kWaveBlocksPerWave; ++block) {
      const int position = WaveBlockPosition(block);
      SendCommand(kChannel, kCommandRequestBlock, position);
      const auto data = UnpackWaveBlock(OnlyReply());
      ASSERT_TRUE(data.has_value()) << "wave " << wave << " block " << block;
      std::copy(data->begin(), data->end(), read.begin() + position);
    }
    EXPECT_EQ(read, TestWave(wave)) << "wave " << wave;
  }

  line_.WithModule(0, [](VirtualModule& module) {
    EXPECT_EQ(module.Waveform(kBank * 64 + 5), TestWave(5));
    EXPECT_EQ(module.Waveform((kBank - 1) * 64 + 5), VirtualModule().Waveform(0));
  });
}

TEST_F(VirtualMidiLineTest, ModulesOnOneLineAnswerOnlyTheirOwnChannel) {
  line_.AddModule(ModuleOn(0, true));
  line_.AddModule(ModuleOn(1, true));
  ASSERT_EQ(line_.ModuleCount(), 2);
  Open();

  for (const int channel : {1, 0}) {
    SendCommand(channel, kCommandRequestParameters, 0);
    const auto reply = DecodeParameterReply(OnlyReply());
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->channel_index, channel);
  }

  Select(1, 3, 9);
  const WaveBlockData data{1, 2, 3, 250};
  output_->SendLong(BuildWaveBlockMessage(1, 0, data));
  EXPECT_TRUE(IsAckMessage(OnlyReply(), 1));
  line_.WithModule(0, [](VirtualModule& module) {
    EXPECT_EQ(module.SelectedIndex(), 0);
    EXPECT_EQ(module.Waveform(3 * 64 + 9)[3], kZeroLine);
  });
  line_.WithModule(1, [](VirtualModule& module) {
    EXPECT_EQ(module.SelectedIndex(), 3 * 64 + 9);
    EXPECT_EQ(module.Waveform(3 * 64 + 9)[3], 250);
  });

  SendCommand(5, kCommandRequestParameters, 0);
  EXPECT_TRUE(line_.WaitUntilIdle(kIdleBound));
  EXPECT_EQ(sink_.Count(), 0u);
}

TEST_F(VirtualMidiLineTest, FaultsHitTheNthReplyCountedFromInjection) {
  line_.AddModule(ModuleOn(0, false));
  Open();
  SendCommand(0, kCommandRequestParameters, 0);
  const auto intact = OnlyReply();
  ASSERT_EQ(intact.size(), static_cast<std::size_t>(kParameterReplySize));

  line_.InjectFault(FaultKind::kDrop, 2);
  line_.InjectFault(FaultKind::kTruncate, 3, 5);
  line_.InjectFault(FaultKind::kGarble, 4, 4);
  for (int i = 0; i < 5; ++i) SendCommand(0, kCommandRequestParameters, 0);
  ASSERT_TRUE(line_.WaitUntilIdle(kIdleBound));

  const auto received = sink_.Take();
  ASSERT_EQ(received.size(), 4u);
  EXPECT_EQ(received[0].bytes, intact);
  EXPECT_EQ(received[1].bytes, std::vector<std::uint8_t>(intact.begin(), intact.begin() + 5));
  auto garbled = intact;
  garbled[4] ^= 0x01;
  EXPECT_EQ(received[2].bytes, garbled);
  EXPECT_EQ(received[3].bytes, intact);
  EXPECT_EQ(line_.RepliesProduced(), 6u);
}

TEST_F(VirtualMidiLineTest, DelayedReplyArrivesLateAndHoldsBackTheNextOne) {
  line_.AddModule(ModuleOn(0, false));
  Open();
  line_.InjectFault(FaultKind::kDelay, 1, 80);
  SendCommand(0, kCommandRequestParameters, 0);
  SendCommand(0, kCommandRequestBlock, 64);
  ASSERT_TRUE(sink_.WaitForCount(2));

  const auto received = sink_.Take();
  EXPECT_EQ(received[0].bytes.size(), static_cast<std::size_t>(kParameterReplySize));
  EXPECT_EQ(received[1].bytes.size(), static_cast<std::size_t>(kWaveBlockMessageSize));
  // Timestamps count from Start, which came before the requests: a lower bound.
  EXPECT_GE(received[0].timestamp_ms, 80u);
  EXPECT_GE(received[1].timestamp_ms, 80u);
}

TEST(VirtualMidiLineLatencyTest, RepliesTakeTheLineLatency) {
  VirtualMidiLine line(VirtualMidiLine::Options{milliseconds(40)});
  line.AddModule(ModuleOn(0, false));
  RecordingSink sink;
  auto input = line.OpenInput(0, sink);
  input->Start();
  line.OpenOutput(0)->SendLong(BuildCommandMessage(0, kCommandRequestParameters, 0));
  ASSERT_TRUE(sink.WaitForCount(1));
  EXPECT_GE(sink.Take()[0].timestamp_ms, 40u);
}

TEST_F(VirtualMidiLineTest, PredicateFaultHitsEveryMatchingReplyUntilCleared) {
  line_.AddModule(ModuleOn(0, true));
  Open();
  line_.InjectFault(
      FaultKind::kGarble, [](std::span<const std::uint8_t> reply) { return reply.size() == 6; }, 4);
  const auto block = BuildWaveBlockMessage(0, 0, WaveBlockData{});
  for (int i = 0; i < 3; ++i) {
    output_->SendLong(block);
    const auto reply = OnlyReply();
    EXPECT_EQ(reply.size(), 6u);
    EXPECT_FALSE(IsAckMessage(reply, 0));
  }
  SendCommand(0, kCommandRequestParameters, 0);
  EXPECT_EQ(OnlyReply().size(), static_cast<std::size_t>(kParameterReplySize));

  line_.ClearFaults();
  output_->SendLong(block);
  EXPECT_TRUE(IsAckMessage(OnlyReply(), 0));
}

TEST_F(VirtualMidiLineTest, UnpluggedDeviceVanishesAndRefusesTraffic) {
  line_.AddModule(ModuleOn(0, false));
  Open();
  // A reply still on its way when the device goes is lost with it.
  line_.InjectFault(FaultKind::kDelay, 1, 10000);
  SendCommand(0, kCommandRequestParameters, 0);
  line_.Unplug();
  line_.ClearFaults();  // unused if the request was still queued when the device went

  EXPECT_THROW(SendCommand(0, kCommandRequestParameters, 0), MidiDriverError);
  EXPECT_THROW(output_->SendShort(0xB0, 0, 1), MidiDriverError);
  EXPECT_THROW(input_->Start(), MidiDriverError);
  EXPECT_TRUE(line_.InputNames().empty());
  EXPECT_TRUE(line_.OutputNames().empty());
  EXPECT_THROW(line_.OpenInput(0, sink_), MidiDriverError);
  EXPECT_THROW(line_.OpenOutput(0), MidiDriverError);
  ASSERT_TRUE(line_.WaitUntilIdle(kIdleBound));
  EXPECT_EQ(sink_.Count(), 0u);

  line_.Replug();
  ASSERT_EQ(line_.InputNames().size(), 1u);
  EXPECT_THROW(SendCommand(0, kCommandRequestParameters, 0), MidiDriverError);
  input_.reset();
  Open();
  SendCommand(0, kCommandRequestParameters, 0);
  EXPECT_EQ(OnlyReply().size(), static_cast<std::size_t>(kParameterReplySize));
}

// Counts the calls that come after its input connection was closed.
class ClosingWatchSink : public RecordingSink {
 public:
  void OnSysex(std::uint32_t timestamp_ms, std::span<const std::uint8_t> bytes) noexcept override {
    if (closed.load()) late_calls.fetch_add(1);
    RecordingSink::OnSysex(timestamp_ms, bytes);
  }
  std::atomic<bool> closed = false;
  std::atomic<int> late_calls = 0;
};

TEST_F(VirtualMidiLineTest, NoSinkCallAfterTheInputIsClosed) {
  constexpr int kRequests = 300;
  line_.AddModule(ModuleOn(0, false));
  ClosingWatchSink sink;
  auto input = line_.OpenInput(0, sink);
  input->Start();
  output_ = line_.OpenOutput(0);
  for (int i = 0; i < kRequests; ++i) SendCommand(0, kCommandRequestBlock, 0);
  ASSERT_TRUE(sink.WaitForCount(1));

  input.reset();  // replies are still streaming in
  sink.closed = true;
  ASSERT_TRUE(line_.WaitUntilIdle(kIdleBound));
  EXPECT_EQ(line_.RepliesProduced(), static_cast<std::uint64_t>(kRequests));
  EXPECT_EQ(sink.late_calls.load(), 0);
}

TEST_F(VirtualMidiLineTest, StrayMessagesReachTheInputAsTheyAre) {
  Open();
  line_.EmitToInput({0x90, 60, 100});
  line_.EmitToInput({0xF0, 0x43, 0x10, 0xF7});
  ASSERT_TRUE(sink_.WaitForCount(2));
  auto received = sink_.Take();
  EXPECT_FALSE(received[0].sysex);
  EXPECT_EQ(received[0].packed, 0x643C90u);
  EXPECT_TRUE(received[1].sysex);
  EXPECT_EQ(received[1].bytes, (std::vector<std::uint8_t>{0xF0, 0x43, 0x10, 0xF7}));

  input_->Stop();
  line_.EmitToInput({0x80, 60, 0});
  ASSERT_TRUE(line_.WaitUntilIdle(kIdleBound));
  EXPECT_EQ(sink_.Count(), 0u);
}

// What the driver of a computer's input may hand over as one message: a request cut off before
// its F7, the two selects and a block. The module reads it as its input does: the request is
// dropped, the selects and the block are taken.
TEST_F(VirtualMidiLineTest, AJoinedStreamIsReadMessageByMessage) {
  line_.AddModule(ModuleOn(0, /*handshake=*/true));
  Open();
  std::array<std::uint8_t, kWaveBlockSamples> data;
  data.fill(0x21);
  const WaveBlockMessage block = BuildWaveBlockMessage(0, 64, data);
  const std::uint8_t head[] = {0xF0, 0x70, 0x7C, 0x00, 0xB0, 0, 3, 0xB0, 32, 9};
  std::vector<std::uint8_t> joined(std::size(head) + block.size());
  std::copy(block.begin(), block.end(),
            std::copy(std::begin(head), std::end(head), joined.begin()));
  ASSERT_EQ(joined.size(), 92u);
  output_->SendLong(joined);

  const AckMessage ack = BuildAckMessage(0);
  EXPECT_EQ(OnlyReply(), std::vector<std::uint8_t>(ack.begin(), ack.end()));
  line_.WithModule(0, [](VirtualModule& module) {
    EXPECT_EQ(module.SelectedIndex(), WaveIndex(3, 9));
    EXPECT_EQ(module.Waveform(WaveIndex(3, 9))[64], 0x21);
    EXPECT_EQ(module.Waveform(0)[64], kZeroLine);
  });

  // A request with a timing clock inside is still answered.
  output_->SendLong(
      std::vector<std::uint8_t>{0xF0, 0x70, 0x7C, 0x00, 0xF8, 0x08, 0x00, 0x00, 0xF7});
  EXPECT_EQ(OnlyReply().size(), static_cast<std::size_t>(kParameterReplySize));
}

// At the MIDI rate a block and its acknowledgement take their 88 bytes of cable time, 10 bits a
// byte: 28.16 ms before the reply can be there.
TEST(VirtualMidiLinePacingTest, AtTheMidiRateRepliesComeAfterTheirBytesCrossedTheCable) {
  VirtualMidiLine::Options options;
  options.baud = WirePacer::kMidiBaud;
  VirtualMidiLine line(options);
  line.AddModule(ModuleOn(0, /*handshake=*/true));
  RecordingSink sink;
  auto input = line.OpenInput(0, sink);
  input->Start();
  auto output = line.OpenOutput(0);
  std::array<std::uint8_t, kWaveBlockSamples> data{};
  const auto start = std::chrono::steady_clock::now();
  output->SendLong(BuildWaveBlockMessage(0, 0, data));
  ASSERT_TRUE(sink.WaitForCount(1));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::microseconds(28'160));

  // Two blocks sent at once queue on the cable: the second reply needs twice the time.
  const auto second_start = std::chrono::steady_clock::now();
  output->SendLong(BuildWaveBlockMessage(0, 64, data));
  output->SendLong(BuildWaveBlockMessage(0, 128, data));
  ASSERT_TRUE(sink.WaitForCount(3));
  EXPECT_GE(std::chrono::steady_clock::now() - second_start,
            std::chrono::microseconds(2 * 26'240 + 1'920));
}

}  // namespace
}  // namespace morvane
