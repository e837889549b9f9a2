#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

#include "core/util/file_writer.h"

namespace morvane {

// One module's settings as the editor keeps them, in the layout of the parameter file. Frozen:
// ".mrv" files hold exactly these 16 bytes.
inline constexpr int kParameterImageSize = 16;
using ParameterImage = std::array<std::uint8_t, kParameterImageSize>;

// Byte positions inside an image.
inline constexpr int kImageChannel = 0;         // MIDI channel - 1
inline constexpr int kImageWaveController = 1;  // 255 for none
inline constexpr int kImageBankController = 2;  // 255 for none
inline constexpr int kImageNoteRef = 3;         // & 7F
inline constexpr int kImageTrigger = 4;         // gate/trigger duration
inline constexpr int kImageClockReset = 5;      // MIDI clock counter reset value
inline constexpr int kImageGateReset = 6;       // internal 8-bit counter reset value
inline constexpr int kImageBankRange = 7;       // range index, not the mask
inline constexpr int kImageWaveRange = 8;       // range index, not the mask
inline constexpr int kImageDivider = 9;         // MIDI clock divider
inline constexpr int kImageConfig1 = 10;
inline constexpr int kImageConfig2 = 11;
inline constexpr int kImageFirmware = 14;  // firmware revision number
inline constexpr int kImageFlags = 15;     // bit 0 handshake, bit 1 flash recall
// Bytes 12 and 13 are reserved: the editor never writes them, files carry them as they are.

// The parameter store: one image for each of the (up to eight) modules on the MIDI line, slot
// button n showing image n - 1. A new store's images hold 0 everywhere. It knows nothing of
// MIDI: the module control window fills and applies the images.
class ParameterStore {
 public:
  static constexpr int kImageCount = 8;

  // Allocates the eight images; throws std::bad_alloc when the memory cannot be had.
  ParameterStore();

  // Indexes are trusted: image 0 to 7, byte 0 to 15.
  void SetParam(int image, int byte, std::uint8_t value) { Mutable(image)[byte] = value; }
  std::uint8_t GetParam(int image, int byte) const { return Image(image)[byte]; }
  const ParameterImage& Image(int image) const;
  void SetImage(int image, const ParameterImage& bytes) { Mutable(image) = bytes; }

  // Writes the image's 16 bytes as the whole file. False when the file could not be written;
  // the file that was there is then left as it was.
  bool SaveImage(int image, const std::filesystem::path& file, FileWriter& writer) const;
  bool SaveImage(int image, const std::filesystem::path& file) const;
  // Reads the file's first 16 bytes into the image; a shorter file replaces only the bytes it
  // holds. False, and the image unchanged, when the file cannot be opened or read or is empty.
  bool LoadImage(int image, const std::filesystem::path& file);
  // The same from the file's bytes in memory: false, the image unchanged, when there are none.
  bool LoadImageBytes(int image, std::span<const std::uint8_t> bytes);

 private:
  ParameterImage& Mutable(int image);

  std::unique_ptr<std::array<ParameterImage, kImageCount>> images_;
};

}  // namespace morvane
