#include "core/midi/sysex_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace morvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(std::span<const std::uint8_t> message) {
  return Bytes(message.begin(), message.end());
}

TEST(SysexCommandMessageTest, CarriesChannelCommandAndValueNibbles) {
  struct Case {
    int channel_index;
    int command;
    int value;
    Bytes expected;
    const char* what;
  };
  const std::vector<Case> cases = {
      {0, kCommandSetChannel, 4, {0xF0, 0x70, 0x7C, 0x00, 0x00, 0x00, 0x04, 0xF7}, "channel to 5"},
      {2, kCommandFlags, 0x83, {0xF0, 0x70, 0x7C, 0x02, 0x07, 0x08, 0x03, 0xF7}, "flash write"},
      {0, kCommandWaveController, 255, {0xF0, 0x70, 0x7C, 0x00, 0x01, 0x0F, 0x0F, 0xF7}, "none"},
      {9, kCommandBankController, 255, {0xF0, 0x70, 0x7C, 0x09, 0x02, 0x0F, 0x0F, 0xF7}, "none"},
      {0, kCommandClockDivider, 3, {0xF0, 0x70, 0x7C, 0x00, 0x0C, 0x00, 0x03, 0xF7}, "32 bpm"},
      {15, kCommandConfig1, 0x80, {0xF0, 0x70, 0x7C, 0x0F, 0x06, 0x08, 0x00, 0xF7}, "MIDI to CV"},
      {0, kCommandRequestBlock, 192, {0xF0, 0x70, 0x7C, 0x00, 0x04, 0x0C, 0x00, 0xF7}, "block 3"},
      {0x1A, 0x90, 0x1AB, {0xF0, 0x70, 0x7C, 0x0A, 0x10, 0x0A, 0x0B, 0xF7}, "masking"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToBytes(BuildCommandMessage(c.channel_index, c.command, c.value)), c.expected)
        << c.what;
  }
}

TEST(SysexCommandMessageTest, FlagsByteSetsItsThreeBits) {
  EXPECT_EQ(BuildFlagsByte(false, false), 0x00);
  EXPECT_EQ(BuildFlagsByte(true, false), 0x01);
  EXPECT_EQ(BuildFlagsByte(false, true), 0x02);
  EXPECT_EQ(BuildFlagsByte(true, true, true), 0x83);
  EXPECT_EQ(BuildFlagsByte(false, false, true), 0x80);
}

TEST(SysexCommandMessageTest, ModuleReadsBackEveryCommandItWasSent) {
  for (int channel = 0; channel < 16; ++channel) {
    for (int command : {kCommandSetChannel, kCommandRequestParameters, kCommandConfig2, 0x7F}) {
      for (int value = 0; value < 256; ++value) {
        const auto parsed = ParseCommandMessage(BuildCommandMessage(channel, command, value));
        ASSERT_TRUE(parsed.has_value()) << channel << ' ' << command << ' ' << value;
        EXPECT_EQ(parsed->channel_index, channel);
        EXPECT_EQ(parsed->command, command);
        EXPECT_EQ(parsed->value, value);
      }
    }
  }
}

TEST(SysexCommandMessageTest, ModuleRefusesABadlyFramedCommand) {
  const CommandMessage good = BuildCommandMessage(3, kCommandNoteRef, 0x3C);
  struct Corruption {
    int offset;
    std::uint8_t value;
    const char* what;
  };
  for (const Corruption& c : std::vector<Corruption>{{0, 0xF1, "start"},
                                                     {1, 0x71, "manufacturer"},
                                                     {2, 0x7D, "model"},
                                                     {3, 0x10, "channel above 15"},
                                                     {4, 0x80, "command not a data byte"},
                                                     {5, 0x10, "high nibble above 15"},
                                                     {6, 0x10, "low nibble above 15"},
                                                     {7, 0xF0, "end"}}) {
    CommandMessage bad = good;
    bad[static_cast<std::size_t>(c.offset)] = c.value;
    EXPECT_FALSE(ParseCommandMessage(bad).has_value()) << c.what;
  }
  Bytes longer = ToBytes(good);
  longer.insert(longer.end() - 1, 0x00);
  Bytes shorter = ToBytes(good);
  shorter.erase(shorter.begin() + 6);
  EXPECT_FALSE(ParseCommandMessage(longer).has_value());
  EXPECT_FALSE(ParseCommandMessage(shorter).has_value());
}

TEST(SysexAckTest, AcceptsOnlyTheExactAckOfTheChannel) {
  const AckMessage ack = BuildAckMessage(5);
  EXPECT_EQ(ToBytes(ack), (Bytes{0xF0, 0x70, 0x7C, 0x05, 0x7F, 0xF7}));
  EXPECT_TRUE(IsAckMessage(ack, 5));
  EXPECT_FALSE(IsAckMessage(ack, 4)) << "another channel";
  for (std::size_t i = 0; i < ack.size(); ++i) {
    AckMessage bad = ack;
    bad[i] ^= 0x01;
    EXPECT_FALSE(IsAckMessage(bad, 5)) << "byte " << i;
  }
  const Bytes five(ack.begin(), ack.end() - 1);
  Bytes seven = ToBytes(ack);
  seven.push_back(0xF7);
  EXPECT_FALSE(IsAckMessage(five, 5));
  EXPECT_FALSE(IsAckMessage(seven, 5));
}

TEST(SysexConfig1Test, BuildsTheAssignmentBitsAndMidiToCvAlone) {
  using C = ClockCounterAssignment;
  using G = GateInputAssignment;
  struct Case {
    bool midi_to_cv;
    C counter;
    G gate;
    std::uint8_t expected;
  };
  for (const Case& c : std::vector<Case>{{false, C::kDisabled, G::kDisabled, 0x00},
                                         {false, C::kBank, G::kDisabled, 0x08},
                                         {false, C::kWave, G::kDisabled, 0x04},
                                         {false, C::kSample, G::kDisabled, 0x02},
                                         {false, C::kGate, G::kDisabled, 0x01},
                                         {false, C::kDisabled, G::kBank, 0x20},
                                         {false, C::kDisabled, G::kWave, 0x10},
                                         {false, C::kDisabled, G::kSample, 0x40},
                                         {false, C::kBank, G::kSample, 0x48},
                                         {true, C::kBank, G::kSample, 0x80},
                                         {true, C::kDisabled, G::kDisabled, 0x80}}) {
    EXPECT_EQ(BuildConfig1Byte(c.midi_to_cv, c.counter, c.gate), c.expected)
        << static_cast<int>(c.counter) << ' ' << static_cast<int>(c.gate);
  }
}

TEST(SysexConfig1Test, ReadsBackAssignmentsAndTreatsOtherPatternsAsDisabled) {
  for (int counter = 0; counter <= 4; ++counter) {
    for (int gate = 0; gate <= 3; ++gate) {
      const std::uint8_t byte =
          BuildConfig1Byte(false, static_cast<ClockCounterAssignment>(counter),
                           static_cast<GateInputAssignment>(gate));
      EXPECT_EQ(static_cast<int>(ClockCounterFromConfig1(byte)), counter);
      EXPECT_EQ(static_cast<int>(GateInputFromConfig1(byte)), gate);
      EXPECT_FALSE(MidiToCvFromConfig1(byte));
    }
  }
  EXPECT_TRUE(MidiToCvFromConfig1(0x80));
  EXPECT_EQ(ClockCounterFromConfig1(0x0C), ClockCounterAssignment::kDisabled);  // two targets
  EXPECT_EQ(ClockCounterFromConfig1(0x8F), ClockCounterAssignment::kDisabled);
  EXPECT_EQ(GateInputFromConfig1(0x30), GateInputAssignment::kDisabled);
  EXPECT_EQ(GateInputFromConfig1(0xF0), GateInputAssignment::kDisabled);
  EXPECT_EQ(GateInputFromConfig1(0xC1), GateInputAssignment::kSample);  // bit 7 and bit 0 aside
}

TEST(SysexConfig2Test, SampleMapsHaveTheirBitsAndTexts) {
  struct Case {
    std::uint8_t bits;
    const char* text;
  };
  const std::vector<Case> maps = {{0x00, " 32 x 16k "},  {0x08, " 16 x 32k "},
                                  {0x18, "  8 x 64k "},  {0x38, "  4 x 128k "},
                                  {0x78, "  2 x 256k "}, {0xF8, "  1 x 512k "}};
  ASSERT_EQ(static_cast<int>(maps.size()), kSampleMapCount);
  for (int index = 0; index < kSampleMapCount; ++index) {
    EXPECT_EQ(SampleMapBits(index), maps[index].bits) << index;
    EXPECT_EQ(SampleMapText(index), maps[index].text) << index;
    for (int switches = 0; switches < 8; ++switches) {
      const std::uint8_t byte = BuildConfig2Byte(switches & 1, switches & 2, switches & 4, index);
      EXPECT_EQ(byte, maps[index].bits | switches) << index << ' ' << switches;
      EXPECT_EQ(SampleMapIndexFromConfig2(byte), index) << index << ' ' << switches;
    }
  }
  EXPECT_EQ(SampleMapBits(-1), 0x00);
  EXPECT_EQ(SampleMapBits(6), 0xF8);
}

TEST(SysexConfig2Test, SampleMapIsReadBackFromTheWholeByte) {
  for (int byte = 0; byte < 256; ++byte) {
    int expected = 0;
    if (byte >= 0x08 && byte <= 0x0F) expected = 1;
    if (byte >= 0x18 && byte <= 0x1F) expected = 2;
    if (byte >= 0x38 && byte <= 0x3F) expected = 3;
    if (byte >= 0x78 && byte <= 0x7F) expected = 4;
    if (byte >= 0xF8) expected = 5;
    EXPECT_EQ(SampleMapIndexFromConfig2(static_cast<std::uint8_t>(byte)), expected) << byte;
  }
}

TEST(SysexRangeTest, MasksIndexesAndPositions) {
  const std::vector<std::uint8_t> masks = {0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
  for (int index = 0; index < kRangeCount; ++index) {
    EXPECT_EQ(RangeMask(index), masks[index]);
    EXPECT_EQ(RangeIndexFromMask(masks[index]), index);
    EXPECT_EQ(RangePositions(index), 2 << index);
  }
  EXPECT_EQ(RangePositions(5), 64);
  for (std::uint8_t bad : {0x00, 0x7F, 0x81, 0xA0, 0xFE, 0xFF}) {
    EXPECT_EQ(RangeIndexFromMask(bad), 0) << int{bad};
  }
  EXPECT_EQ(RangeMask(-1), 0x80);
  EXPECT_EQ(RangeMask(6), 0xFC);
}

TEST(SysexPairTest, DecodesAsTheModuleSendsAndMasksAsTheEditorReads) {
  EXPECT_EQ(DecodePair(0x08, 0x0F), 0xF8);
  EXPECT_EQ(RangeIndexFromMask(DecodePair(0x08, 0x0F)), 4);
  EXPECT_EQ(DecodePair(0x8F, 0x00), 0x0F) << "low byte keeps 7 bits";
  EXPECT_EQ(DecodePair(0x7F, 0x01), 0x8F) << "added, not or-ed";
  EXPECT_EQ(DecodePair(0x00, 0x1F), 0xF0) << "kept to eight bits";
  EXPECT_EQ(RangeIndexFromMask(DecodePair(0x01, 0x08)), 0) << "81 is no mask";
  for (int value = 0; value < 256; ++value) {
    const auto pair = EncodePair(static_cast<std::uint8_t>(value));
    EXPECT_LE(pair[0], 0x0F);
    EXPECT_EQ(DecodePair(pair[0], pair[1]), value);
  }
}

// A reply laid out by hand, byte by byte, with distinct values everywhere the editor reads.
Bytes HandWrittenReply() {
  Bytes reply(34, 0x00);
  reply[0] = 0xF0;
  reply[1] = 0x70;
  reply[2] = 0x7C;
  reply[3] = 0x08;                     // channel 9
  reply[4] = 0x08;                     // command echoed
  reply[5] = 0x01;                     // firmware 1
  reply[6] = 0x2F;                     // revision 47
  reply[8] = 0x24;                     // note ref 36
  reply[9] = 0x10;                     // wave controller 16
  reply[10] = 0x11;                    // bank controller 17
  reply[11] = 0x00, reply[12] = 0x0F;  // bank range F0
  reply[13] = 0x0C, reply[14] = 0x0F;  // wave range FC
  reply[15] = 0x44;                    // counter wave, gate sample
  reply[16] = 0x08;                    // MIDI to CV
  reply[17] = 0x3D;                    // Config2
  reply[19] = 0x00, reply[20] = 0x06;  // divider 96
  reply[21] = 0x0C, reply[22] = 0x00;  // gate time 12
  reply[23] = 0x0F, reply[24] = 0x0F;  // clock counter reset 255
  reply[25] = 0x01, reply[26] = 0x00;  // internal counter reset 1
  reply[27] = 0x03;                    // flags
  reply[29] = 0xAB;                    // magic low
  reply[30] = 17, reply[31] = 11, reply[32] = 5;
  reply[33] = 0xF7;
  return reply;
}

TEST(SysexParameterReplyTest, DecodesEveryFieldFromItsByte) {
  const auto reply = DecodeParameterReply(HandWrittenReply());
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(reply->channel_index, 8);
  EXPECT_EQ(reply->shown_channel, 9);
  EXPECT_EQ(reply->firmware_major, 1);
  EXPECT_EQ(reply->firmware_revision, 47);
  EXPECT_EQ(reply->note_ref, 36);
  EXPECT_EQ(reply->wave_controller, 16);
  EXPECT_EQ(reply->bank_controller, 17);
  EXPECT_EQ(reply->bank_range_mask, 0xF0);
  EXPECT_EQ(reply->bank_range_index, 3);
  EXPECT_EQ(reply->wave_range_mask, 0xFC);
  EXPECT_EQ(reply->wave_range_index, 5);
  EXPECT_EQ(ClockCounterFromConfig1(reply->config1_assignments), ClockCounterAssignment::kWave);
  EXPECT_EQ(GateInputFromConfig1(reply->config1_assignments), GateInputAssignment::kSample);
  EXPECT_TRUE(reply->midi_to_cv);
  EXPECT_EQ(reply->config2, 0x3D);
  EXPECT_EQ(reply->clock_divider, 96);
  EXPECT_EQ(reply->gate_time, 12);
  EXPECT_EQ(reply->clock_counter_reset, 255);
  EXPECT_EQ(reply->internal_counter_reset, 1);
  EXPECT_EQ(reply->flags, 0x03);
  EXPECT_EQ(reply->magic_number, "03AB");
  EXPECT_EQ(reply->date_day, 17);
  EXPECT_EQ(reply->date_month, 11);
  EXPECT_EQ(reply->date_year, 2005);
}

TEST(SysexParameterReplyTest, OnlyTheLengthDecides) {
  Bytes reply = HandWrittenReply();
  for (int unread : {0, 1, 2, 4, 7, 18, 28, 33}) reply[static_cast<std::size_t>(unread)] = 0x55;
  const auto decoded = DecodeParameterReply(reply);
  ASSERT_TRUE(decoded.has_value()) << "34 bytes with any header";
  EXPECT_EQ(decoded->firmware_revision, 47);
  EXPECT_EQ(decoded->magic_number, "03AB");

  Bytes longer = reply;
  longer.push_back(0xF7);
  const Bytes shorter(reply.begin(), reply.end() - 1);
  EXPECT_FALSE(DecodeParameterReply(longer).has_value());
  EXPECT_FALSE(DecodeParameterReply(shorter).has_value());
  EXPECT_FALSE(DecodeParameterReply({}).has_value());
}

TEST(SysexParameterReplyTest, ReadsOnlyTheNamedBitsAndWrapsTheShownChannel) {
  Bytes reply = HandWrittenReply();
  reply[3] = 0x7F;
  reply[16] = 0xF7;                    // every bit but bit 3
  reply[11] = 0x01, reply[12] = 0x08;  // 81: no mask
  const auto decoded = DecodeParameterReply(reply);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->shown_channel, 0);
  EXPECT_FALSE(decoded->midi_to_cv);
  EXPECT_EQ(decoded->bank_range_mask, 0x81);
  EXPECT_EQ(decoded->bank_range_index, 0);
}

TEST(SysexParameterReplyTest, ModuleBuildsTheReplyTheEditorDecodes) {
  ParameterReplyFields fields;
  fields.channel_index = 8;
  fields.firmware_major = 1;
  fields.firmware_revision = 47;
  fields.note_ref = 36;
  fields.wave_controller = 16;
  fields.bank_controller = 17;
  fields.bank_range_mask = 0xF0;
  fields.wave_range_mask = 0xFC;
  fields.config1 = 0x80 | 0x44;  // bit 7 travels in byte 16, the rest in byte 15
  fields.config2 = 0x3D;
  fields.clock_divider = 96;
  fields.gate_time = 12;
  fields.clock_counter_reset = 255;
  fields.internal_counter_reset = 1;
  fields.flags = 0x03;
  fields.magic_low = 0xAB;
  fields.date_day = 17;
  fields.date_month = 11;
  fields.date_year = 2005;
  const ParameterReplyMessage built = BuildParameterReply(fields);
  EXPECT_EQ(ToBytes(built), HandWrittenReply());

  // MIDI-to-CV off: byte 16 is clear and byte 15 keeps the assignments.
  fields.config1 = 0x21;
  const auto decoded = DecodeParameterReply(BuildParameterReply(fields));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_FALSE(decoded->midi_to_cv);
  EXPECT_EQ(decoded->config1_assignments, 0x21);
  EXPECT_EQ(decoded->wave_range_index, 5);
}

}  // namespace
}  // namespace morvane
