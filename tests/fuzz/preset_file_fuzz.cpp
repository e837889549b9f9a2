// The preset scale list sp.kub parsed from any bytes. Properties: every entry kept has a number
// before its first "-" and no control byte; kept and left-out lines together are all the lines;
// the entries written back read back as the same entries with nothing left out.

#include <cstdint>
#include <string_view>

#include "core/scales/preset_scales.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const PresetFile file = ParsePresetFile(bytes);
  std::size_t lines = 0;
  for (std::size_t i = 0; i < size; ++i) lines += bytes[i] == '\n';
  if (size > 0 && bytes.back() != '\n') ++lines;
  FUZZ_CHECK(file.entries.size() + file.malformed_lines.size() == lines);
  for (const auto& entry : file.entries) {
    FUZZ_CHECK(ParsePresetNumber(entry).has_value());
    for (unsigned char c : entry) FUZZ_CHECK(c >= 0x20 || c == '\t');
  }
  const PresetFile again = ParsePresetFile(SerializePresetFile(file.entries));
  FUZZ_CHECK(again.entries == file.entries);
  FUZZ_CHECK(again.malformed_lines.empty());
  return 0;
}
