// A Scala scale file (".scl") imported from any bytes. Properties: an accepted file gives a
// twelve-note mask whose export imports as the same mask; a refusal names its line (or the size
// cap) and gives no mask.

#include <cstdint>
#include <string_view>

#include "core/scales/scala_file.h"
#include "core/scales/scale_table.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  const ScalaImport result =
      ImportScala(std::string_view(reinterpret_cast<const char*>(data), size));
  if (result.ok) {
    FUZZ_CHECK(result.mask >= 0 && result.mask < kScaleMaskCount);
    FUZZ_CHECK(result.error.empty());
    const ScalaImport again = ImportScala(ExportScala(result.mask, "again"));
    FUZZ_CHECK(again.ok && again.mask == result.mask);
  } else {
    FUZZ_CHECK(result.mask == 0);
    FUZZ_CHECK(result.error.rfind("line ", 0) == 0 || size > kScalaFileLimit);
  }
  return 0;
}
