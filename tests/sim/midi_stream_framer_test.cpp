#include "sim/midi_stream_framer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<Bytes> Frame(const std::vector<Bytes>& pieces) {
  MidiStreamFramer framer;
  std::vector<Bytes> messages;
  for (const Bytes& piece : pieces) {
    framer.Feed(
        piece, [&](std::span<const std::uint8_t> m) { messages.emplace_back(m.begin(), m.end()); });
  }
  return messages;
}

TEST(MidiStreamFramerTest, CutsTheStreamIntoTheMessagesADeviceWouldSee) {
  struct Case {
    std::string what;
    std::vector<Bytes> pieces;
    std::vector<Bytes> messages;
  };
  const std::vector<Case> cases = {
      {"whole messages pass unchanged",
       {{0xB0, 0, 5}, {0xF0, 0x70, 0x7C, 0, 8, 0, 0, 0xF7}},
       {{0xB0, 0, 5}, {0xF0, 0x70, 0x7C, 0, 8, 0, 0, 0xF7}}},
      {"a system exclusive without F7 is dropped at the next status byte",
       {{0xF0, 0x70, 0x7C, 0x00, 0xB0, 0, 5, 0xB0, 1, 7, 0xF0, 1, 2, 0xF7}},
       {{0xB0, 0, 5}, {0xB0, 1, 7}, {0xF0, 1, 2, 0xF7}}},
      {"a real-time byte inside a system exclusive is taken out and handled alone",
       {{0xF0, 0x70, 0x7C, 0xF8, 0, 8, 0, 0, 0xF7}},
       {{0xF8}, {0xF0, 0x70, 0x7C, 0, 8, 0, 0, 0xF7}}},
      {"pieces are joined",
       {{0xF0, 0x70}, {0x7C, 0xF7}, {0x90}, {60}, {100}},
       {{0xF0, 0x70, 0x7C, 0xF7}, {0x90, 60, 100}}},
      {"running status repeats the last channel status",
       {{0xB2, 0, 5, 1, 7, 0xC2, 3, 4}},
       {{0xB2, 0, 5}, {0xB2, 1, 7}, {0xC2, 3}, {0xC2, 4}}},
      {"data with no status, a stray F7 and an interrupted message are dropped",
       {{5, 6, 0xF7, 0x90, 60, 0xF7, 61, 0xF6}},
       {{0xF6}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Frame(c.pieces), c.messages) << c.what;
}

TEST(MidiStreamFramerTest, AnOverlongSystemExclusiveIsDroppedAndTheNextOneIsRead) {
  Bytes flood(MidiStreamFramer::kMaxSysexLength * 2, 0x11);
  flood.front() = 0xF0;
  flood.back() = 0xF7;
  EXPECT_EQ(Frame({flood, {0xF0, 1, 0xF7}}), (std::vector<Bytes>{{0xF0, 1, 0xF7}}));
}

}  // namespace
}  // namespace morvane
