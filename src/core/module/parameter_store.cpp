#include "core/module/parameter_store.h"

#include <algorithm>
#include <vector>

#include "core/util/whole_file_io.h"

namespace morvane {

ParameterStore::ParameterStore()
    : images_(std::make_unique<std::array<ParameterImage, kImageCount>>()) {}

const ParameterImage& ParameterStore::Image(int image) const {
  return (*images_)[static_cast<std::size_t>(image)];
}

ParameterImage& ParameterStore::Mutable(int image) {
  return (*images_)[static_cast<std::size_t>(image)];
}

bool ParameterStore::SaveImage(int image, const std::filesystem::path& file,
                               FileWriter& writer) const {
  return writer.Replace(file, Image(image));
}

bool ParameterStore::SaveImage(int image, const std::filesystem::path& file) const {
  FileWriter writer;
  return SaveImage(image, file, writer);
}

bool ParameterStore::LoadImage(int image, const std::filesystem::path& file) {
  std::vector<std::uint8_t> bytes;
  return ReadFileStart(file, kParameterImageSize, bytes) && LoadImageBytes(image, bytes);
}

bool ParameterStore::LoadImageBytes(int image, std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return false;
  const std::span<const std::uint8_t> taken =
      bytes.first(std::min(bytes.size(), std::size_t{kParameterImageSize}));
  std::copy(taken.begin(), taken.end(), Mutable(image).begin());
  return true;
}

}  // namespace morvane
