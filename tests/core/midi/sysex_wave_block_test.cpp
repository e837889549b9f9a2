#include "core/midi/sysex_wave_block.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace morvane {
namespace {

using Wave = std::array<std::uint8_t, 256>;

WaveBlockData FilledBlock(std::uint8_t value) {
  WaveBlockData data;
  data.fill(value);
  return data;
}

WaveBlockData RandomBlock(unsigned seed) {
  std::mt19937 random(seed);
  WaveBlockData data;
  for (auto& b : data) b = static_cast<std::uint8_t>(random());
  return data;
}

// Groups of seven equal data bytes and their flag byte, for a block of one repeated value.
void ExpectUniformGroups(const WaveBlockMessage& message, std::uint8_t data_byte,
                         std::uint8_t flag_byte) {
  for (int group = 0; group < 9; ++group) {
    for (int k = 0; k < 7; ++k) EXPECT_EQ(message[7 + 8 * group + k], data_byte) << group << k;
    EXPECT_EQ(message[7 + 8 * group + 7], flag_byte) << group;
  }
}

TEST(SysexWaveBlockTest, HighBitsTravelInTheGroupFlagBytesAndAfterTheGroups) {
  const WaveBlockMessage high = BuildWaveBlockMessage(0, 0, FilledBlock(0x80));
  ExpectUniformGroups(high, 0x00, 0x7F);
  EXPECT_EQ(high[79], 0x00);
  EXPECT_EQ(high[80], 0x01);

  const WaveBlockMessage low = BuildWaveBlockMessage(0, 0, FilledBlock(0x7F));
  ExpectUniformGroups(low, 0x7F, 0x00);
  EXPECT_EQ(low[79], 0x7F);
  EXPECT_EQ(low[80], 0x00);
}

TEST(SysexWaveBlockTest, HeaderCarriesChannelCommandAndPosition) {
  const WaveBlockMessage message = BuildWaveBlockMessage(0x1A, 192, FilledBlock(5));
  const std::vector<std::uint8_t> header(message.begin(), message.begin() + 7);
  EXPECT_EQ(header, (std::vector<std::uint8_t>{0xF0, 0x70, 0x7C, 0x0A, 0x10, 0x0C, 0x00}));
  EXPECT_EQ(message[81], 0xF7);
}

TEST(SysexWaveBlockTest, EachSampleKeepsItsOwnBitPlace) {
  // Sample n alone carries a high bit: it must land on bit n mod 7 of its group's flag byte.
  for (int n = 0; n < 63; ++n) {
    WaveBlockData data = FilledBlock(0);
    data[n] = 0x81;
    const WaveBlockMessage message = BuildWaveBlockMessage(0, 0, data);
    EXPECT_EQ(message[7 + 8 * (n / 7) + n % 7], 0x01) << n;
    EXPECT_EQ(message[7 + 8 * (n / 7) + 7], 1 << (n % 7)) << n;
  }
}

TEST(SysexWaveBlockTest, PackingThenUnpackingGivesTheBytesBack) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    const WaveBlockData data = RandomBlock(seed);
    const WaveBlockMessage message = BuildWaveBlockMessage(3, 64, data);
    EXPECT_EQ(UnpackWaveBlock(message), data) << seed;
    const auto parsed = ParseWaveBlockMessage(message);
    ASSERT_TRUE(parsed.has_value()) << seed;
    EXPECT_EQ(parsed->data, data);
    EXPECT_EQ(parsed->channel_index, 3);
    EXPECT_EQ(parsed->position, 64);
  }
}

TEST(SysexWaveBlockTest, AWaveformTravelsAsFourBlocksInOrder) {
  Wave wave;
  for (int i = 0; i < 256; ++i) wave[i] = static_cast<std::uint8_t>(255 - i);
  const auto messages = BuildWaveformBlockMessages(7, wave);
  for (int block = 0; block < 4; ++block) {
    const auto parsed = ParseWaveBlockMessage(messages[block]);
    ASSERT_TRUE(parsed.has_value()) << block;
    EXPECT_EQ(messages[block][5], 4 * block);
    EXPECT_EQ(parsed->position, 64 * block);
    EXPECT_TRUE(std::equal(parsed->data.begin(), parsed->data.end(), wave.begin() + 64 * block));
  }
}

TEST(SysexWaveBlockTest, UnpackingChecksOnlyTheLength) {
  WaveBlockMessage message = BuildWaveBlockMessage(0, 0, RandomBlock(9));
  message[0] = 0x00;  // a block reply's header is not examined
  message[4] = 0x55;
  EXPECT_EQ(UnpackWaveBlock(message), RandomBlock(9));
  const std::vector<std::uint8_t> short_reply(message.begin(), message.end() - 1);
  std::vector<std::uint8_t> long_reply(message.begin(), message.end());
  long_reply.push_back(0xF7);
  EXPECT_FALSE(UnpackWaveBlock(short_reply).has_value());
  EXPECT_FALSE(UnpackWaveBlock(long_reply).has_value());
}

TEST(SysexWaveBlockTest, ParsingRefusesACorruptedMessage) {
  const WaveBlockMessage good = BuildWaveBlockMessage(2, 128, RandomBlock(4));
  ASSERT_TRUE(ParseWaveBlockMessage(good).has_value());
  struct Corruption {
    int offset;
    std::uint8_t value;
    const char* what;
  };
  for (const Corruption& c : std::vector<Corruption>{{0, 0xF1, "start"},
                                                     {1, 0x71, "manufacturer"},
                                                     {2, 0x7D, "model"},
                                                     {3, 0x10, "channel above 15"},
                                                     {4, 0x04, "command"},
                                                     {5, 0x02, "position not a block start"},
                                                     {6, 0x01, "position low nibble"},
                                                     {20, 0x80, "data byte with bit 7"},
                                                     {14, 0x80, "flag byte with bit 7"},
                                                     {80, 0x02, "last sample high part"},
                                                     {81, 0xF0, "end"}}) {
    WaveBlockMessage bad = good;
    bad[c.offset] = c.value;
    EXPECT_FALSE(ParseWaveBlockMessage(bad).has_value()) << c.what;
  }
  const std::vector<std::uint8_t> truncated(good.begin(), good.begin() + 81);
  EXPECT_FALSE(ParseWaveBlockMessage(truncated).has_value());
}

}  // namespace
}  // namespace morvane
