// A parameter image file (".mrv") loaded into one image of the parameter store. The first input
// byte chooses the image (bits 0-2) and what lies at the path (bits 3-4: the file, nothing, or a
// folder); the rest is the file. Properties: a file replaces the first min(16, size) bytes of its
// image and nothing else; an empty, missing or unreadable one is refused and changes nothing;
// the image saved and loaded into another image gives it back, and the saved file is its 16
// bytes.

#include <cstdint>
#include <filesystem>

#include "core/module/parameter_store.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  static const fuzz::ScratchFolder folder;
  fuzz::FuzzInput input(data, size);
  const std::uint8_t choice = input.Byte();
  const int image = choice & 7;
  const int place = (choice >> 3) & 3;
  const std::span<const std::uint8_t> file_bytes = input.Rest();

  ParameterStore store;
  for (int i = 0; i < ParameterStore::kImageCount; ++i) {
    for (int b = 0; b < kParameterImageSize; ++b)
      store.SetParam(i, b, static_cast<std::uint8_t>(i * 31 + b * 7 + 1));
  }
  std::array<ParameterImage, ParameterStore::kImageCount> before{};
  for (int i = 0; i < ParameterStore::kImageCount; ++i)
    before[static_cast<std::size_t>(i)] = store.Image(i);

  const std::filesystem::path file = folder.Fresh("module.mrv");
  if (place == 0 || place == 3) fuzz::WriteFile(file, file_bytes);
  if (place == 2) std::filesystem::create_directory(file);
  const bool readable = place == 0 || place == 3;
  const bool loaded = store.LoadImage(image, file);
  FUZZ_CHECK(loaded == (readable && !file_bytes.empty()));

  const std::size_t taken =
      loaded ? std::min(file_bytes.size(), static_cast<std::size_t>(kParameterImageSize)) : 0;
  for (int i = 0; i < ParameterStore::kImageCount; ++i) {
    for (std::size_t b = 0; b < kParameterImageSize; ++b) {
      const std::uint8_t expected =
          i == image && b < taken ? file_bytes[b] : before[static_cast<std::size_t>(i)][b];
      FUZZ_CHECK(store.Image(i)[b] == expected);
    }
  }

  const std::filesystem::path saved = folder.Path() / "saved.mrv";
  FUZZ_CHECK(store.SaveImage(image, saved));
  FUZZ_CHECK(fuzz::SameBytes(fuzz::ReadFile(saved), store.Image(image)));
  const int other = (image + 1) % ParameterStore::kImageCount;
  FUZZ_CHECK(store.LoadImage(other, saved));
  FUZZ_CHECK(store.Image(other) == store.Image(image));
  return 0;
}
