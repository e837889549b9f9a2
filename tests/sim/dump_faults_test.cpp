// Transfers against the virtual module with the faults its line can inject, in virtual time:
// what the log says, how often the ports are reset, how often a block goes out, and what stays
// in the slot and in the module.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "core/midi/dump_engine.h"
#include "core/midi/sysex_format.h"
#include "sim/reply_faults.h"
#include "sim/virtual_module.h"
#include "support/virtual_transfer_port.h"

namespace morvane {
namespace {

using testing::VirtualTransferPort;
using Message = VirtualTransferPort::Message;
using Lines = std::vector<std::string>;

constexpr int kChannel = 2;

class DumpFaultsTest : public ::testing::Test {
 protected:
  DumpFaultsTest()
      : module_(Configuration()),
        port_(
            [this](std::span<const std::uint8_t> sent) {
              std::vector<Message> replies;
              for (ModuleReply& reply : module_.Receive(sent)) {
                const auto delay = faults_.Apply(reply);
                if (!delay) continue;
                delays_.push_back(static_cast<int>(delay->count()));
                replies.push_back(std::move(reply));
              }
              return replies;
            },
            2) {
    port_.extra_delay_ms = [this](const Message&) {
      const int delay = delays_.front();
      delays_.pop_front();
      return delay;
    };
    settings_.channel = kChannel;
    settings_.bank_controller = 0;
    settings_.wave_controller = 1;
    settings_.handshake_checked = settings_.handshake_enabled = true;
    settings_.timeout = 20;
    for (int k = 0; k < kWaveCount; ++k) {
      for (int i = 0; i < kWaveLength; ++i) {
        store_.SetSample(k, i, static_cast<std::uint8_t>(k + i));
        module_.MutableWaveform(k)[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(k ^ i);
      }
    }
  }

  static ModuleConfiguration Configuration() {
    ModuleConfiguration configuration;
    configuration.channel_index = kChannel - 1;
    configuration.bank_controller = 0;
    configuration.wave_controller = 1;
    configuration.flags = kFlagHandshake;
    return configuration;
  }

  DumpEngine Engine() { return DumpEngine(port_, port_, view_, store_, settings_); }

  int BlocksSent() const {
    int count = 0;
    for (const Message& m : port_.sent) count += m.size() == kWaveBlockMessageSize;
    return count;
  }
  bool ModuleHolds(int k, int block, bool from_slot) {
    for (int i = block * 64; i < block * 64 + 64; ++i) {
      const std::uint8_t expected = from_slot ? static_cast<std::uint8_t>(k + i) : (k ^ i) & 0xFF;
      if (module_.Waveform(k)[static_cast<std::size_t>(i)] != expected) return false;
    }
    return true;
  }
  bool SlotHolds(int k, int block, bool from_module) {
    for (int i = block * 64; i < block * 64 + 64; ++i) {
      const auto expected =
          static_cast<std::uint8_t>(from_module ? ((k ^ i) & 0xFF) : (k + i) & 0xFF);
      if (store_.Wave(k)[i] != expected) return false;
    }
    return true;
  }

  VirtualModule module_;
  ReplyFaultPlan faults_;
  std::deque<int> delays_;
  VirtualTransferPort port_;
  DumpView view_;
  WavetableStore store_;
  DumpSettings settings_;
};

TEST_F(DumpFaultsTest, ABankGoesToTheModuleAndComesBackIntoAnotherSlot) {
  ASSERT_TRUE(Engine().SendBank(5).Completed(kWavesPerBank));
  store_.SetCurrentSlot(3);
  ASSERT_TRUE(Engine().ReceiveBank(5).Completed(kWavesPerBank));
  for (int wave = 0; wave < kWavesPerBank; ++wave) {
    const int k = WaveIndex(5, wave);
    store_.SetCurrentSlot(0);
    const std::vector<std::uint8_t> sent(store_.Wave(k).begin(), store_.Wave(k).end());
    store_.SetCurrentSlot(3);
    ASSERT_TRUE(std::equal(sent.begin(), sent.end(), store_.Wave(k).begin())) << wave;
  }
}

TEST_F(DumpFaultsTest, OneLostAcknowledgementIsRecovered) {
  faults_.AddForNth(FaultKind::kDrop, 3);
  ASSERT_EQ(Engine().SendWaveform(1, 1), DumpEngine::kSuccess);
  EXPECT_EQ(port_.log, (Lines{" ERROR B=1 W=1 bloc 2 > Retry #1...", "", " Retry Ok :) "}));
  EXPECT_EQ(port_.port_resets, 1);
  EXPECT_EQ(BlocksSent(), 5);
  for (int block = 0; block < 4; ++block) EXPECT_TRUE(ModuleHolds(65, block, true)) << block;
}

TEST_F(DumpFaultsTest, RepliesThatComeOnlyAfterTheFourthTransmissionAreNotWaitedFor) {
  for (int nth = 1; nth <= 4; ++nth) faults_.AddForNth(FaultKind::kDrop, nth);
  ASSERT_EQ(Engine().SendWaveform(0, 3), DumpEngine::kFailure);
  EXPECT_EQ(port_.log,
            (Lines{" ERROR B=0 W=3 bloc 0 > Retry #1...", "", " ERROR B=0 W=3 bloc 0 > Retry #2...",
                   "", " ERROR B=0 W=3 bloc 0 > Retry #3...", "", " > ERROR - Time Out !!! ", ""}));
  EXPECT_EQ(port_.port_resets, 4);
  EXPECT_EQ(BlocksSent(), 4);  // block 0 four times, nothing after it
  EXPECT_TRUE(ModuleHolds(3, 0, true));
  EXPECT_TRUE(ModuleHolds(3, 1, false));
}

TEST_F(DumpFaultsTest, DamagedAcknowledgementsFailTheWaveform) {
  struct Case {
    FaultKind kind;
    int param;
    Lines log;
  };
  const std::vector<Case> cases = {
      {FaultKind::kTruncate, 5, {" Dump ERROR - Wrong ACK size = 5", ""}},
      {FaultKind::kGarble, kSysexChannelByte, {" Dump ERROR - What is it? = 6", ""}},
      {FaultKind::kGarble, 4, {" Dump ERROR - What is it? = 6", ""}},
  };
  for (const Case& c : cases) {
    port_.log.clear();
    port_.port_resets = 0;
    faults_.AddForNth(c.kind, 2, c.param);
    EXPECT_EQ(Engine().SendWaveform(2, 2), DumpEngine::kFailure);
    EXPECT_EQ(port_.log, c.log);
    EXPECT_EQ(port_.port_resets, 1);
  }
}

TEST_F(DumpFaultsTest, ANoteOnWaitingOnTheInputIsTakenAsTheReplyAndStopsTheBank) {
  port_.Inject({0x90, 60, 100});
  const DumpOutcome outcome = Engine().SendBank(0);
  EXPECT_EQ(outcome.waveforms_done, 0);
  EXPECT_EQ(port_.log, (Lines{" > Send Bank 0  Chan 2", " Dump ERROR - Wrong ACK size = 0", ""}));
  EXPECT_EQ(BlocksSent(), 1);
}

TEST_F(DumpFaultsTest, ATimeOutOfZeroFailsSilently) {
  settings_.timeout = 0;
  EXPECT_EQ(Engine().SendWaveform(0, 0), DumpEngine::kFailure);
  EXPECT_EQ(Engine().ReceiveWaveform(0, 0), DumpEngine::kFailure);
  EXPECT_TRUE(port_.log.empty());
  EXPECT_EQ(BlocksSent(), 1);
}

TEST_F(DumpFaultsTest, AReceiveFailingInBlockTwoKeepsWhatCameAndWhatWasThere) {
  for (int nth = 3; nth <= 6; ++nth) faults_.AddForNth(FaultKind::kDrop, nth);
  const int k = WaveIndex(9, 9);
  ASSERT_EQ(Engine().ReceiveWaveform(9, 9), DumpEngine::kFailure);
  EXPECT_TRUE(SlotHolds(k, 0, true));
  EXPECT_TRUE(SlotHolds(k, 1, true));
  EXPECT_TRUE(SlotHolds(k, 2, false));
  EXPECT_TRUE(SlotHolds(k, 3, false));
  EXPECT_EQ(port_.log.size(), 8u);
  EXPECT_EQ(port_.log[6], " > ERROR - Time Out !!! ");
}

TEST_F(DumpFaultsTest, AReceivedBlockIsJudgedByItsLengthOnly) {
  // A garbled data byte is taken as it comes (the format has no check sum); a short block fails.
  faults_.AddForNth(FaultKind::kGarble, 1, 7 + 1);
  const int k = WaveIndex(4, 4);
  ASSERT_EQ(Engine().ReceiveWaveform(4, 4), DumpEngine::kSuccess);
  EXPECT_TRUE(port_.log.empty());
  EXPECT_FALSE(SlotHolds(k, 0, true));
  EXPECT_TRUE(SlotHolds(k, 1, true));

  faults_.AddForNth(FaultKind::kTruncate, 2, 40);
  ASSERT_EQ(Engine().ReceiveWaveform(4, 5), DumpEngine::kFailure);
  EXPECT_EQ(port_.log, (Lines{" Dump ERROR - Wrong message size = 40", ""}));
}

}  // namespace
}  // namespace morvane
