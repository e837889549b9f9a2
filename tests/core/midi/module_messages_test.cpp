#include "core/midi/module_messages.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <vector>

#include "core/midi/sysex_format.h"
#include "core/midi/sysex_wave_block.h"

namespace morvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Wave = std::array<std::uint8_t, 256>;

// Stands for the output port: keeps every message it is given, short ones as their three bytes.
class RecordingMidiOut : public MidiOut {
 public:
  void PutShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
    shorts.push_back({status, data1, data2});
  }
  void PutLong(std::span<const std::uint8_t> bytes) override {
    longs.emplace_back(bytes.begin(), bytes.end());
  }

  std::vector<Bytes> shorts;
  std::vector<Bytes> longs;
};

TEST(ModuleMessagesTest, SendCommandSendsTheCommandMessageAsOneLongMessage) {
  RecordingMidiOut out;
  SendCommand(out, 4, kCommandFlags, 0x83);
  ASSERT_EQ(out.longs.size(), 1u);
  EXPECT_EQ(out.longs[0], (Bytes{0xF0, 0x70, 0x7C, 0x04, 0x07, 0x08, 0x03, 0xF7}));
  EXPECT_TRUE(out.shorts.empty());
}

TEST(ModuleMessagesTest, SendWaveBlockSendsTheSamplesOfItsPosition) {
  Wave wave;
  for (int i = 0; i < 256; ++i) wave[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  RecordingMidiOut out;
  for (int block = 0; block < 4; ++block) SendWaveBlock(out, 2, 64 * block, wave);
  ASSERT_EQ(out.longs.size(), 4u);
  for (int block = 0; block < 4; ++block) {
    const Bytes& message = out.longs[static_cast<std::size_t>(block)];
    ASSERT_EQ(message.size(), 82u);
    EXPECT_EQ(message[3], 0x02);
    EXPECT_EQ(message[5], 4 * block);
    const auto parsed = ParseWaveBlockMessage(message);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->data.front(), 64 * block);
    EXPECT_EQ(parsed->data.back(), 64 * block + 63);
  }
}

TEST(ModuleMessagesTest, SendWaveBlockRefusesAPositionThatIsNoBlockStart) {
  const Wave wave{};
  RecordingMidiOut out;
  for (int position : {-64, 1, 32, 193, 256}) {
    EXPECT_THROW(SendWaveBlock(out, 0, position, wave), std::invalid_argument) << position;
  }
  EXPECT_TRUE(out.longs.empty());
}

// Waveforms that stress the 7-bit packing: constant bytes on both sides of bit 7, alternating
// bits, every byte value at every sample position, and random ones.
std::vector<Wave> PackingPatterns() {
  std::vector<Wave> patterns;
  for (std::uint8_t value : {0x00, 0x7F, 0x80, 0xFF, 0x55, 0xAA}) {
    Wave wave;
    wave.fill(value);
    patterns.push_back(wave);
  }
  for (int shift = 0; shift < 256; ++shift) {
    Wave wave;
    for (int i = 0; i < 256; ++i) wave[static_cast<std::size_t>(i)] = (i + shift) & 0xFF;
    patterns.push_back(wave);
  }
  std::mt19937 random(20240611);
  for (int n = 0; n < 64; ++n) {
    Wave wave;
    for (auto& sample : wave) sample = static_cast<std::uint8_t>(random());
    patterns.push_back(wave);
  }
  return patterns;
}

TEST(ModuleMessagesTest, BlocksSentThenUnpackedGiveTheWaveformBack) {
  for (const Wave& wave : PackingPatterns()) {
    RecordingMidiOut out;
    Wave received;
    received.fill(0x3C);
    for (int block = 0; block < 4; ++block) {
      SendWaveBlock(out, 0, 64 * block, wave);
      ASSERT_TRUE(UnpackWaveBlock(received, out.longs.back(), 64 * block));
    }
    ASSERT_EQ(received, wave);
  }
}

TEST(ModuleMessagesTest, UnpackWritesOnlyItsBlockAndRefusesBadInput) {
  Wave source;
  source.fill(0xC3);
  RecordingMidiOut out;
  SendWaveBlock(out, 0, 128, source);
  Bytes reply = out.longs.back();
  reply[0] = 0x00;  // a block reply's header is not examined
  reply[5] = 0x00;  // nor its position: the caller's position counts

  Wave wave;
  wave.fill(0x11);
  ASSERT_TRUE(UnpackWaveBlock(wave, reply, 128));
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(wave[static_cast<std::size_t>(i)], i >= 128 && i < 192 ? 0xC3 : 0x11) << i;
  }

  const Wave before = wave;
  const Bytes shorter(reply.begin(), reply.end() - 1);
  Bytes longer = reply;
  longer.push_back(0xF7);
  EXPECT_FALSE(UnpackWaveBlock(wave, shorter, 0));
  EXPECT_FALSE(UnpackWaveBlock(wave, longer, 0));
  for (int position : {-64, 32, 193, 256}) {
    EXPECT_FALSE(UnpackWaveBlock(wave, reply, position)) << position;
  }
  EXPECT_EQ(wave, before);
}

TEST(ModuleMessagesTest, ChannelMessagesHaveTheirStatusAndDataBytes) {
  struct Case {
    const char* what;
    bool (*send)(MidiOut&);
    Bytes expected;
  };
  const std::vector<Case> cases = {
      {"control change",
       [](MidiOut& o) { return SendControlChange(o, 3, 7, 100); },
       {0xB3, 0x07, 0x64}},
      {"channel masked",
       [](MidiOut& o) { return SendControlChange(o, 0x13, 0, 0); },
       {0xB3, 0x00, 0x00}},
      {"program change", [](MidiOut& o) { return SendProgramChange(o, 2, 5); }, {0xC2, 0x05, 0x00}},
      {"bank select", [](MidiOut& o) { return SendBankSelect(o, 0, 0, 31); }, {0xB0, 0x00, 0x1F}},
      {"wave select", [](MidiOut& o) { return SendWaveSelect(o, 15, 32, 63); }, {0xBF, 0x20, 0x3F}},
      {"KRN5 input", [](MidiOut& o) { return SendKrn5Input(o, 4); }, {0xCF, 0x04, 0x00}},
      {"KRN5 merge on",
       [](MidiOut& o) {
         SendKrn5Merge(o, true);
         return true;
       },
       {0xBF, 0x1F, 0x01}},
      {"KRN5 merge off",
       [](MidiOut& o) {
         SendKrn5Merge(o, false);
         return true;
       },
       {0xBF, 0x1F, 0x00}},
  };
  for (const Case& c : cases) {
    RecordingMidiOut out;
    EXPECT_TRUE(c.send(out)) << c.what;
    ASSERT_EQ(out.shorts.size(), 1u) << c.what;
    EXPECT_EQ(out.shorts[0], c.expected) << c.what;
    EXPECT_TRUE(out.longs.empty()) << c.what;
  }
}

TEST(ModuleMessagesTest, NothingIsSentForAByteThatIsNoMidiData) {
  struct Case {
    const char* what;
    bool (*send)(MidiOut&);
  };
  const std::vector<Case> cases = {
      {"bank select, no controller", [](MidiOut& o) { return SendBankSelect(o, 0, 255, 3); }},
      {"wave select, no controller", [](MidiOut& o) { return SendWaveSelect(o, 0, 255, 3); }},
      {"controller 128", [](MidiOut& o) { return SendControlChange(o, 0, 128, 0); }},
      {"value 128", [](MidiOut& o) { return SendControlChange(o, 0, 1, 128); }},
      {"negative value", [](MidiOut& o) { return SendControlChange(o, 0, 1, -1); }},
      {"program 128", [](MidiOut& o) { return SendProgramChange(o, 0, 128); }},
  };
  for (const Case& c : cases) {
    RecordingMidiOut out;
    EXPECT_FALSE(c.send(out)) << c.what;
    EXPECT_TRUE(out.shorts.empty()) << c.what;
  }
}

TEST(ModuleMessagesTest, RealTimeBytesTravelAloneAsLongMessages) {
  RecordingMidiOut out;
  for (std::uint8_t byte : {kMidiStart, kMidiTimingClock, kMidiStop}) SendRealTime(out, byte);
  EXPECT_EQ(out.longs, (std::vector<Bytes>{{0xFA}, {0xF8}, {0xFC}}));
  EXPECT_TRUE(out.shorts.empty());
}

}  // namespace
}  // namespace morvane
