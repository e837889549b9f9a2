#include "core/wavetable/mulaw_tables.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(MuLawTablesTest, DecodeAndEncodeMatchTheirKnownEntries) {
  const MuLawTables t = BuildMuLawTables();
  const std::pair<int, int> decode[] = {{0x00, 128}, {0x01, 127}, {0x70, 61}, {0x7F, 0},
                                        {0x80, 128}, {0xF0, 194}, {0xFF, 255}};
  for (auto [i, v] : decode)
    EXPECT_EQ(t.decode[static_cast<std::size_t>(i)], v) << "D[" << i << "]";
  const std::pair<int, int> encode[] = {{0, 127},   {1, 127},   {127, 0},
                                        {128, 128}, {129, 153}, {255, 255}};
  for (auto [i, v] : encode)
    EXPECT_EQ(t.encode[static_cast<std::size_t>(i)], v) << "E[" << i << "]";
}

TEST(MuLawTablesTest, BothHalvesAreMonotonic) {
  const MuLawTables t = BuildMuLawTables();
  for (std::size_t i = 1; i < 128; ++i) {
    EXPECT_LE(t.decode[i], t.decode[i - 1]);
    EXPECT_GE(t.decode[128 + i], t.decode[127 + i]);
    EXPECT_LE(t.encode[i], t.encode[i - 1]);
    EXPECT_GE(t.encode[128 + i], t.encode[127 + i]);
  }
}

}  // namespace
}  // namespace morvane
