#include "core/midi/midi_input_ring.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace morvane {
namespace {

MidiBufferItem Item(std::uint32_t n) { return MidiBufferItem{n, 0x90 | (n << 8), nullptr}; }

TEST(MidiInputRingTest, KeepsOrderAcrossTheWrapAndRefusesWhenFull) {
  MidiInputRing ring(3);
  std::uint32_t next_in = 0;
  std::uint32_t next_out = 0;
  // Several laps round the storage, leaving the ring full and then one short each time.
  for (int lap = 0; lap < 5; ++lap) {
    while (ring.Count() < ring.Capacity()) ASSERT_TRUE(ring.Put(Item(next_in++)));
    EXPECT_FALSE(ring.Put(Item(999)));
    EXPECT_EQ(ring.Count(), 3);
    for (int taken = 0; taken < 2; ++taken) {
      const std::optional<MidiBufferItem> oldest = ring.Read();
      ASSERT_TRUE(oldest.has_value());
      EXPECT_EQ(oldest->timestamp, next_out);
      EXPECT_EQ(oldest->data, 0x90 | (next_out << 8));
      ++next_out;
      ring.Remove();
    }
    EXPECT_EQ(ring.Count(), 1);
  }
}

TEST(MidiInputRingTest, ReadLeavesTheItemAndAnEmptyRingHasNothing) {
  MidiInputRing ring(4);
  EXPECT_FALSE(ring.Read().has_value());
  ring.Remove();  // nothing to remove: the count must not wrap below zero
  EXPECT_EQ(ring.Count(), 0);
  ASSERT_TRUE(ring.Put(Item(7)));
  EXPECT_EQ(ring.Read()->timestamp, 7u);
  EXPECT_EQ(ring.Read()->timestamp, 7u);
  EXPECT_EQ(ring.Count(), 1);
  ring.Remove();
  EXPECT_FALSE(ring.Read().has_value());
}

TEST(MidiInputRingTest, ZeroCapacityIsRefused) {
  EXPECT_THROW(MidiInputRing ring(0), std::invalid_argument);
}

}  // namespace
}  // namespace morvane
