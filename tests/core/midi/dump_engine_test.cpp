#include "core/midi/dump_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/midi/sysex_format.h"
#include "support/virtual_transfer_port.h"

namespace morvane {
namespace {

using testing::VirtualTransferPort;
using Message = VirtualTransferPort::Message;

constexpr int kChannel = 3;

// The window side, recorded.
struct RecordingView final : DumpView {
  void BeginBusy() override { calls.push_back("busy"); }
  void EndBusy() override { calls.push_back("idle"); }
  void ShowProgress(const std::string& caption, int maximum) override {
    calls.push_back("show " + caption + " " + std::to_string(maximum));
  }
  void SetProgress(int position) override { positions.push_back(position); }
  void HideProgress() override { calls.push_back("hide"); }
  void ShowWaveform(int index) override { shown.push_back(index); }
  void WaveformReceived(int index) override { received.push_back(index); }
  void RefreshEditor() override { calls.push_back("editor"); }
  void RefreshGrid() override { calls.push_back("grid"); }
  void RefreshSpectralMap() override { calls.push_back("map"); }

  std::vector<std::string> calls;
  std::vector<int> positions;
  std::vector<int> shown;
  std::vector<int> received;
};

bool IsBlock(const Message& m) {
  return m.size() == kWaveBlockMessageSize && m[kSysexCommandByte] == kWaveBlockCommand;
}
bool IsBlockRequest(const Message& m) {
  return m.size() == kCommandMessageSize && m[kSysexCommandByte] == kCommandRequestBlock;
}
int RequestedPosition(const Message& m) { return (m[5] << 4) | m[6]; }

// The byte the module holds at sample i of waveform k in these tests.
std::uint8_t ModuleByte(int k, int i) { return static_cast<std::uint8_t>(k * 7 + i * 3 + 1); }

// A module on channel 3 that acknowledges blocks and answers block requests for the waveform the
// controllers selected. `drop` decides, per reply in order (0, 1, ...), whether it is lost.
struct TestModule {
  std::function<bool(int reply_number)> drop = [](int) { return false; };
  bool acknowledges = true;  // the module's handshake flag
  int bank = 0;
  int wave = 0;
  int replies = 0;

  std::vector<Message> operator()(std::span<const std::uint8_t> sent) {
    Message reply;
    if (sent.size() == 3 && sent[0] == 0xB0 + kChannel - 1) {
      (sent[1] == 0 ? bank : wave) = sent[2];
      return {};
    }
    const Message message(sent.begin(), sent.end());
    if (IsBlock(message)) {
      if (!acknowledges) return {};
      const AckMessage ack = BuildAckMessage(kChannel - 1);
      reply.assign(ack.begin(), ack.end());
    } else if (IsBlockRequest(message)) {
      const int position = RequestedPosition(message);
      std::array<std::uint8_t, kWaveBlockSamples> data;
      for (int i = 0; i < kWaveBlockSamples; ++i) {
        data[i] = ModuleByte(WaveIndex(bank, wave), position + i);
      }
      const WaveBlockMessage block = BuildWaveBlockMessage(kChannel - 1, position, data);
      reply.assign(block.begin(), block.end());
    } else {
      return {};
    }
    if (drop(replies++)) return {};
    return {reply};
  }
};

class DumpEngineTest : public ::testing::Test {
 protected:
  DumpEngineTest() : port_([this](std::span<const std::uint8_t> m) { return module_(m); }) {
    settings_.channel = kChannel;
    settings_.bank_controller = 0;
    settings_.wave_controller = 1;
    settings_.handshake_checked = true;
    settings_.handshake_enabled = true;
    settings_.timeout = 20;
    settings_.send_delay_ms = 5;
    for (int k = 0; k < kWaveCount; ++k) {
      for (int i = 0; i < kWaveLength; ++i) store_.SetSample(k, i, static_cast<std::uint8_t>(i));
    }
  }

  DumpEngine Engine() { return DumpEngine(port_, port_, view_, store_, settings_); }

  int Count(const std::function<bool(const Message&)>& which) {
    return static_cast<int>(std::count_if(port_.sent.begin(), port_.sent.end(), which));
  }

  TestModule module_;
  VirtualTransferPort port_;
  RecordingView view_;
  WavetableStore store_;
  DumpSettings settings_;
};

TEST_F(DumpEngineTest, SendSelectsTheWaveformThenSendsItsFourBlocksEachAcknowledged) {
  ASSERT_EQ(Engine().SendWaveform(5, 9), DumpEngine::kSuccess);

  ASSERT_EQ(port_.sent.size(), 6u);
  EXPECT_EQ(port_.sent[0], (Message{0xB2, 0, 5}));
  EXPECT_EQ(port_.sent[1], (Message{0xB2, 1, 9}));
  for (int block = 0; block < 4; ++block) {
    const auto parsed = ParseWaveBlockMessage(port_.sent[2 + block]);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->channel_index, kChannel - 1);
    EXPECT_EQ(parsed->position, 64 * block);
    EXPECT_EQ(parsed->data[10], 64 * block + 10);
  }
  EXPECT_EQ(port_.waits, (std::vector<int>{5, 5, 5, 5}));
  EXPECT_TRUE(port_.log.empty());
  EXPECT_EQ(view_.shown, std::vector<int>{WaveIndex(5, 9)});
  // The ACK arrives 2 ms after each block and is taken then, not at the end of a 10 ms step.
  EXPECT_LT(port_.now_ms, 4u * 10u);
}

TEST_F(DumpEngineTest, WithoutAWorkingHandshakeBlocksGoOutWithTheSendDelayAndNoWait) {
  for (const bool checked : {false, true}) {
    settings_.handshake_checked = checked;
    settings_.handshake_enabled = false;  // a firmware without handshake
    module_.drop = [](int) { return true; };
    port_.sent.clear();
    port_.waits.clear();
    ASSERT_EQ(Engine().SendWaveform(1, 2), DumpEngine::kSuccess) << checked;
    EXPECT_EQ(Count(IsBlock), 4);
    EXPECT_EQ(port_.waits, (std::vector<int>{5, 5, 5, 5}));
    EXPECT_TRUE(port_.log.empty());
  }
}

TEST_F(DumpEngineTest, ALostAcknowledgementIsRecoveredByOneRetry) {
  module_.drop = [](int reply) { return reply == 1; };  // the ACK of block 1
  ASSERT_EQ(Engine().SendWaveform(2, 3), DumpEngine::kSuccess);

  EXPECT_EQ(port_.log,
            (std::vector<std::string>{" ERROR B=2 W=3 bloc 1 > Retry #1...", "", " Retry Ok :) "}));
  EXPECT_EQ(port_.port_resets, 1);
  EXPECT_EQ(Count(IsBlock), 5);
}

TEST_F(DumpEngineTest, ThreeTimeOutsOfOneBlockFailTheWaveformAfterItsFourthTransmission) {
  // The module would only answer the fourth transmission of block 1: nobody waits for that.
  module_.drop = [](int reply) { return reply >= 1 && reply <= 3; };
  ASSERT_EQ(Engine().SendWaveform(0, 7), DumpEngine::kFailure);

  EXPECT_EQ(port_.log,
            (std::vector<std::string>{
                " ERROR B=0 W=7 bloc 1 > Retry #1...", "", " ERROR B=0 W=7 bloc 1 > Retry #2...",
                "", " ERROR B=0 W=7 bloc 1 > Retry #3...", "", " > ERROR - Time Out !!! ", ""}));
  EXPECT_EQ(port_.port_resets, 4);
  EXPECT_EQ(Count(IsBlock), 1 + 4);  // blocks 2 and 3 never sent
  EXPECT_TRUE(view_.shown.empty());
  // Block 0's delay and the failed block's delay.
  EXPECT_EQ(port_.waits, (std::vector<int>{5, 5}));
}

TEST_F(DumpEngineTest, RepliesThatAreNotTheAcknowledgementFailTheWaveform) {
  struct Case {
    Message reply;
    std::string line;
  };
  const AckMessage other_channel = BuildAckMessage(kChannel);
  const std::vector<Case> cases = {
      {Message(other_channel.begin(), other_channel.end()), " Dump ERROR - What is it? = 6"},
      {Message{0xF0, 0x70, 0x7C, 0x02, 0x7F, 0x00, 0xF7}, " Dump ERROR - Wrong ACK size = 7"},
      {Message{0x90, 60, 100}, " Dump ERROR - Wrong ACK size = 0"},
  };
  for (const Case& c : cases) {
    VirtualTransferPort port;  // a module that never answers: only the stray reply is there
    port.Inject(c.reply);
    RecordingView view;
    DumpEngine engine(port, port, view, store_, settings_);
    EXPECT_EQ(engine.SendWaveform(4, 4), DumpEngine::kFailure) << c.line;
    EXPECT_EQ(port.log, (std::vector<std::string>{c.line, ""}));
    EXPECT_EQ(port.port_resets, 1);
    EXPECT_EQ(std::count_if(port.sent.begin(), port.sent.end(), IsBlock), 1);
  }
}

TEST_F(DumpEngineTest, ATimeOutOfZeroFailsSilentlyAfterTheFirstMessage) {
  settings_.timeout = 0;
  EXPECT_EQ(Engine().SendWaveform(1, 1), DumpEngine::kFailure);
  EXPECT_EQ(Count(IsBlock), 1);
  EXPECT_EQ(Engine().ReceiveWaveform(1, 1), DumpEngine::kFailure);
  EXPECT_EQ(Count(IsBlockRequest), 1);
  EXPECT_TRUE(port_.log.empty());
  EXPECT_EQ(port_.port_resets, 0);
}

TEST_F(DumpEngineTest, ReceiveSelectsWaveThenBankAndFillsTheWaveformBlockByBlock) {
  ASSERT_EQ(Engine().ReceiveWaveform(6, 33), DumpEngine::kSuccess);

  EXPECT_EQ(port_.sent[0], (Message{0xB2, 1, 33}));
  EXPECT_EQ(port_.sent[1], (Message{0xB2, 0, 6}));
  const int k = WaveIndex(6, 33);
  for (int i = 0; i < kWaveLength; ++i) ASSERT_EQ(store_.Wave(k)[i], ModuleByte(k, i)) << i;
  EXPECT_EQ(Count(IsBlockRequest), 4);
  EXPECT_TRUE(port_.waits.empty());  // no send delay on a receive
  EXPECT_EQ(view_.received, std::vector<int>{k});
}

TEST_F(DumpEngineTest, AReceiveFailingInBlockTwoKeepsBlocksZeroAndOneAndLeavesTheRest) {
  module_.drop = [](int reply) { return reply >= 2; };
  const int k = WaveIndex(0, 1);
  ASSERT_EQ(Engine().ReceiveWaveform(0, 1), DumpEngine::kFailure);

  for (int i = 0; i < kWaveLength; ++i) {
    ASSERT_EQ(store_.Wave(k)[i], i < 128 ? ModuleByte(k, i) : i) << i;
  }
  EXPECT_EQ(port_.log.back(), "");
  EXPECT_EQ(port_.log[port_.log.size() - 2], " > ERROR - Time Out !!! ");
  EXPECT_EQ(port_.log.front(), " ERROR B=0 W=1 bloc 2 > Retry #1...");
  EXPECT_EQ(Count(IsBlockRequest), 2 + 4);
  EXPECT_TRUE(view_.received.empty());
}

TEST_F(DumpEngineTest, AReceiveTakesALateBlockAfterARetryAndRefusesAWrongSize) {
  module_.drop = [](int reply) { return reply == 0; };
  ASSERT_EQ(Engine().ReceiveWaveform(3, 3), DumpEngine::kSuccess);
  EXPECT_EQ(port_.log,
            (std::vector<std::string>{" ERROR B=3 W=3 bloc 0 > Retry #1...", "", " Retry Ok :) "}));

  VirtualTransferPort port;
  const AckMessage ack = BuildAckMessage(kChannel - 1);
  port.Inject(Message(ack.begin(), ack.end()));
  RecordingView view;
  const auto before = std::vector<std::uint8_t>(store_.Wave(0).begin(), store_.Wave(0).end());
  EXPECT_EQ(DumpEngine(port, port, view, store_, settings_).ReceiveWaveform(0, 0),
            DumpEngine::kFailure);
  EXPECT_EQ(port.log, (std::vector<std::string>{" Dump ERROR - Wrong message size = 6", ""}));
  EXPECT_TRUE(std::equal(before.begin(), before.end(), store_.Wave(0).begin()));
}

TEST_F(DumpEngineTest, BankDumpsLogShowProgressAndStopAtTheFirstFailure) {
  // Every ACK of wave 10 and later is lost: waves 0..9 go, wave 10 fails, nothing after.
  module_.drop = [](int reply) { return reply >= 40; };
  const DumpOutcome sent = Engine().SendBank(5);
  EXPECT_EQ(sent.waveforms_done, 10);
  EXPECT_EQ(sent.failures, 1);
  EXPECT_EQ(port_.log.front(), " > Send Bank 5  Chan 3");
  EXPECT_EQ(view_.calls,
            (std::vector<std::string>{"busy", "show Send One Bank 64", "hide", "idle", "editor"}));
  EXPECT_EQ(view_.positions, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

  module_ = TestModule{};
  view_ = RecordingView{};
  port_.log.clear();
  const DumpOutcome received = Engine().ReceiveBank(7);
  EXPECT_TRUE(received.Completed(64));
  EXPECT_EQ(port_.log, std::vector<std::string>{" > Receive Bank 7  Chan 3"});
  EXPECT_EQ(view_.calls, (std::vector<std::string>{"busy", "show Receive One Bank 64", "hide",
                                                   "idle", "editor", "grid"}));
  EXPECT_EQ(store_.Wave(WaveIndex(7, 63))[200], ModuleByte(WaveIndex(7, 63), 200));
  EXPECT_EQ(store_.Wave(WaveIndex(8, 0))[200], 200);
}

TEST_F(DumpEngineTest, WavetableDumpsGoBankAfterBank) {
  settings_.handshake_checked = false;
  settings_.send_delay_ms = 0;
  module_.acknowledges = false;
  const DumpOutcome sent = Engine().SendWavetable();
  EXPECT_TRUE(sent.Completed(kWaveCount));
  EXPECT_TRUE(port_.waits.empty());  // a send delay of 0 is no wait at all
  EXPECT_EQ(port_.log, std::vector<std::string>{" > Send WaveTable  Chan 3"});
  EXPECT_EQ(port_.sent[6 * 64], (Message{0xB2, 0, 1}));  // bank 1 after the 64 waves of bank 0
  EXPECT_EQ(port_.sent[6 * 64 + 1], (Message{0xB2, 1, 0}));
  EXPECT_EQ(view_.positions.back(), kWaveCount - 1);

  port_.log.clear();
  const DumpOutcome received = Engine().ReceiveWavetable();
  EXPECT_TRUE(received.Completed(kWaveCount));
  EXPECT_EQ(port_.log, std::vector<std::string>{" > Receive WaveTable  Chan 3"});
  EXPECT_EQ(store_.Wave(2047)[255], ModuleByte(2047, 255));
  EXPECT_EQ(view_.calls.back(), "grid");
}

TEST_F(DumpEngineTest, SelectedDumpsCoverTheRectangleRowByRow) {
  // Cells (bank 2..3) x (wave 10..11); the ACKs of the second cell are lost.
  module_.drop = [](int reply) { return reply >= 4 && reply < 8; };
  const DumpOutcome sent = Engine().SendSelected({.left = 10, .top = 2, .right = 11, .bottom = 3});
  EXPECT_EQ(sent.failures, 1);
  EXPECT_EQ(sent.waveforms_done, 3);  // a failed cell does not stop the send
  EXPECT_EQ(port_.log.front(), " > Send 4 Waveforms  Chan 3");
  EXPECT_EQ(view_.positions, (std::vector<int>{1, 2, 3, 4}));
  std::vector<int> shown = view_.shown;
  EXPECT_EQ(shown, (std::vector<int>{WaveIndex(2, 10), WaveIndex(3, 10), WaveIndex(3, 11)}));

  module_ = TestModule{};
  module_.drop = [](int reply) { return reply >= 4; };  // the second cell never answers
  view_ = RecordingView{};
  port_.log.clear();
  const DumpOutcome received =
      Engine().ReceiveSelected({.left = 10, .top = 2, .right = 11, .bottom = 3});
  EXPECT_EQ(received.waveforms_done, 1);
  EXPECT_EQ(received.failures, 1);
  EXPECT_EQ(port_.log.front(), " > Receive 4 Waveforms  Chan 3");
  EXPECT_EQ(view_.calls.back(), "map");
  EXPECT_EQ(Count(IsBlockRequest), 4 + 4);  // nothing asked for the last two cells
}

TEST_F(DumpEngineTest, OneSelectedCellSendsExactlyThatWaveform) {
  const DumpOutcome sent = Engine().SendSelected({.left = 9, .top = 4, .right = 9, .bottom = 4});
  EXPECT_TRUE(sent.Completed(1));
  EXPECT_EQ(port_.log, std::vector<std::string>{" > Send 1 Waveforms  Chan 3"});
  EXPECT_EQ(port_.sent.size(), 6u);
  EXPECT_EQ(port_.sent[0], (Message{0xB2, 0, 4}));
  EXPECT_EQ(port_.sent[1], (Message{0xB2, 1, 9}));
}

TEST_F(DumpEngineTest, TheBufferGoesOutAsFourBlocksWithNothingElse) {
  std::array<std::uint8_t, kWaveLength> buffer;
  for (int i = 0; i < kWaveLength; ++i) buffer[i] = static_cast<std::uint8_t>(255 - i);
  Engine().SendBuffer(buffer);
  ASSERT_EQ(port_.sent.size(), 4u);
  for (int block = 0; block < 4; ++block) {
    const auto parsed = ParseWaveBlockMessage(port_.sent[block]);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->position, 64 * block);
    EXPECT_EQ(parsed->data[0], 255 - 64 * block);
  }
  EXPECT_TRUE(port_.waits.empty());
  EXPECT_TRUE(port_.log.empty());
}

TEST_F(DumpEngineTest, TheBufferReceiveFillsTheBufferOrStopsAsTheHandshakeBoxSays) {
  std::array<std::uint8_t, kWaveLength> buffer;
  buffer.fill(kZeroLine);
  settings_.handshake_checked = false;
  Engine().ReceiveBuffer(buffer, 4, 20);
  EXPECT_EQ(port_.sent[0], (Message{0xB2, 1, 20}));
  EXPECT_EQ(port_.sent[1], (Message{0xB2, 0, 4}));
  for (int i = 0; i < kWaveLength; ++i) ASSERT_EQ(buffer[i], ModuleByte(WaveIndex(4, 20), i));
  EXPECT_EQ(port_.log, std::vector<std::string>{" > Receive Waveform Buffer  Chan 3"});
  EXPECT_EQ(view_.calls, (std::vector<std::string>{"busy", "editor", "idle"}));

  // No answer to block 1: eight waits of T ms, then the time-out.
  buffer.fill(kZeroLine);
  module_.drop = [](int reply) { return reply >= 5; };
  port_.log.clear();
  const std::uint64_t start = port_.now_ms;
  Engine().ReceiveBuffer(buffer, 4, 20);
  EXPECT_EQ(port_.log, (std::vector<std::string>{" > Receive Waveform Buffer  Chan 3",
                                                 " > ERROR - Time Out !!! ", ""}));
  EXPECT_GE(port_.now_ms - start, 8u * 20u);
  EXPECT_EQ(buffer[63], ModuleByte(WaveIndex(4, 20), 63));
  EXPECT_EQ(buffer[64], kZeroLine);

  // With the handshake box checked the one reply is taken and dropped.
  buffer.fill(kZeroLine);
  settings_.handshake_checked = true;
  module_ = TestModule{};
  port_.sent.clear();
  Engine().ReceiveBuffer(buffer, 4, 20);
  EXPECT_EQ(Count(IsBlockRequest), 1);
  EXPECT_EQ(port_.GetEventCount(), 0);
  EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](int v) { return v == kZeroLine; }));
}

// An output that fails the way a vanished device does.
struct FailingOut final : MidiOut {
  int left = 0;
  void PutShort(std::uint8_t, std::uint8_t, std::uint8_t) override { Spend(); }
  void PutLong(std::span<const std::uint8_t>) override { Spend(); }
  void Spend() {
    if (left-- <= 0) throw std::runtime_error("device gone");
  }
};

TEST_F(DumpEngineTest, APortErrorEndsTheDumpAndStillRestoresTheWindow) {
  struct Port final : TransferPort {
    FailingOut out;
    MidiOut& Out() override { return out; }
    int GetEventCount() override { return 0; }
    std::unique_ptr<MidiEvent> GetMidiEvent() override { return nullptr; }
    void WaitMs(int) override {}
    void WaitForEvent(int) override {}
  } port;
  port.out.left = 1;  // the second message fails
  settings_.handshake_checked = false;
  const auto before = std::vector<std::uint8_t>(store_.Wave(0).begin(), store_.Wave(0).end());
  EXPECT_THROW(DumpEngine(port, port_, view_, store_, settings_).ReceiveWavetable(),
               std::runtime_error);
  EXPECT_EQ(view_.calls, (std::vector<std::string>{"busy", "show Receive ALL Waves 2048", "hide",
                                                   "idle", "editor", "grid"}));
  EXPECT_TRUE(std::equal(before.begin(), before.end(), store_.Wave(0).begin()));
}

}  // namespace
}  // namespace morvane
