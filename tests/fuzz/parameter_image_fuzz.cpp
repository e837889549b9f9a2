// A parameter image file (".mrv") loaded into one image of the parameter store, from its bytes in
// memory as the file layer hands them over (a missing file or a folder never gets this far). The
// first input byte chooses the image (bits 0-2); the rest is the file. Properties: a file
// replaces the first min(16, size) bytes of its image and nothing else; an empty one is refused
// and changes nothing; the image as saved, loaded into another image, gives it back.

#include <array>
#include <cstdint>

#include "core/module/parameter_store.h"
#include "fuzz/fuzz_support.h"

namespace morvane {
namespace {

std::uint8_t Before(int image, std::size_t b) {
  return static_cast<std::uint8_t>(image * 31 + static_cast<int>(b) * 7 + 1);
}

}  // namespace
}  // namespace morvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  fuzz::FuzzInput input(data, size);
  const int image = input.Byte() & 7;
  const std::span<const std::uint8_t> file_bytes = input.Rest();

  static ParameterStore store;
  for (int i = 0; i < ParameterStore::kImageCount; ++i) {
    for (std::size_t b = 0; b < kParameterImageSize; ++b)
      store.SetParam(i, static_cast<int>(b), Before(i, b));
  }
  const bool loaded = store.LoadImageBytes(image, file_bytes);
  FUZZ_CHECK(loaded == !file_bytes.empty());

  const std::size_t taken =
      loaded ? std::min(file_bytes.size(), static_cast<std::size_t>(kParameterImageSize)) : 0;
  for (int i = 0; i < ParameterStore::kImageCount; ++i) {
    for (std::size_t b = 0; b < kParameterImageSize; ++b) {
      const std::uint8_t expected = i == image && b < taken ? file_bytes[b] : Before(i, b);
      FUZZ_CHECK(store.Image(i)[b] == expected);
    }
  }

  // SaveImage writes the image's 16 bytes as they stand.
  const ParameterImage saved = store.Image(image);
  const int other = (image + 1) % ParameterStore::kImageCount;
  FUZZ_CHECK(store.LoadImageBytes(other, saved));
  FUZZ_CHECK(store.Image(other) == saved);
  return 0;
}
