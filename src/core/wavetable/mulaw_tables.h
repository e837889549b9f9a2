#pragma once

#include <array>
#include <cstdint>

namespace morvane {

// The µ-law decode and encode tables of the batch conversions, 256 bytes each.
struct MuLawTables {
  std::array<std::uint8_t, 256> decode;
  std::array<std::uint8_t, 256> encode;
};

MuLawTables BuildMuLawTables();

}  // namespace morvane
