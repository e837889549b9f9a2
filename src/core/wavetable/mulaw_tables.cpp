#include "core/wavetable/mulaw_tables.h"

#include <cmath>

namespace morvane {

MuLawTables BuildMuLawTables() {
  MuLawTables tables{};
  for (int i = 0; i < 256; ++i) {
    const int exponent = (i / 16) % 8;
    const int mantissa = i % 16;
    // The segment value passes through single precision before the scaling.
    const float c = static_cast<float>((std::pow(2.0, exponent) * (mantissa + 16.5) - 16.5) * 2.0);
    const double v = (i & 0x80) ? c / 63.0 + 128.0 : 128.0 - c / 63.0;
    tables.decode[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(static_cast<int>(v));

    const int x = i % 128;
    const double level = (i & 0x80) ? x : 127 - x;
    const int encoded = static_cast<int>(std::trunc(std::log(1.0 + 255.0 * level / 127.0) * 23.0));
    tables.encode[static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>((i & 0x80) ? encoded + 128 : encoded);
  }
  return tables;
}

}  // namespace morvane
