#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>

namespace morvane {

inline constexpr int kTankCapacity = 256;

using TankSpan = std::span<std::uint8_t, kTankCapacity>;
using ConstTankSpan = std::span<const std::uint8_t, kTankCapacity>;

// The values behind a sample view: a 256-byte buffer of which the first Max samples are shown and
// edited, a clip buffer for cut, copy and paste, the locator and the selection, and the block
// operations a waveform editor applies. Nothing here draws or fires events; the view repaints after
// every operation that changes samples.
class SampleTankModel {
 public:
  SampleTankModel();

  // Number of samples shown and edited, limited to 1..256.
  int Max() const { return max_; }
  void SetMax(int max);

  TankSpan Data() { return TankSpan(samples_); }
  ConstTankSpan Data() const { return ConstTankSpan(samples_); }
  // Indices outside 0..255 are ignored (GetValue gives 0 for them). SetValue tells whether the
  // sample changed.
  std::uint8_t GetValue(int pos) const;
  bool SetValue(int pos, std::uint8_t value);
  // Copy from index 0: as many bytes as the span holds, at most 256.
  void SetData(std::span<const std::uint8_t> source);
  void GetData(std::span<std::uint8_t> target) const;
  void Clear() { Fill(0); }
  void Fill(std::uint8_t value);  // the first Max samples

  // A raw waveform file holds the first Max samples, nothing else. The file is replaced whole or
  // not at all.
  std::span<const std::uint8_t> FileBytes() const;
  bool SaveToFile(const std::filesystem::path& file) const;
  // Takes min(Max, size) bytes from the start of the file's bytes; later samples keep their
  // values. A file that cannot be read changes nothing.
  void LoadFromBytes(std::span<const std::uint8_t> bytes);
  bool LoadFromFile(const std::filesystem::path& file);

  int LocatorPos() const { return locator_pos_; }
  void SetLocatorPos(int pos) { locator_pos_ = pos; }
  int SelectionPos() const { return selection_pos_; }
  void SetSelectionPos(int pos) { selection_pos_ = pos; }
  int SelectionLen() const { return selection_len_; }
  void SetSelectionLen(int len) { selection_len_ = len; }

  ConstTankSpan Clip() const { return ConstTankSpan(clip_); }
  int ClipLength() const { return clip_length_; }
  // With a selection: the selected samples (the part inside 0..Max-1) go to the clip buffer.
  void CopySelection();
  // As CopySelection, then the selected samples take `fill`.
  void CutSelection(std::uint8_t fill);
  // With a selection: the clip bytes are written from the locator on, as many as fit before Max.
  void PasteAtLocator();

  // Rotations of the first Max samples; a negative n turns the other way.
  void RotateLeft(int n);
  void RotateRight(int n);
  void Unsigned();  // 1..127 become 128 - value
  void Reverse();
  void AlternateRight();
  void AlternateLeft();
  void MirrorLeft();
  void MirrorRight();

  // Smallest and largest of the first Max samples.
  struct Range {
    std::uint8_t min = 0;
    std::uint8_t max = 0;
  };
  Range MinMax() const;

  // These read `source` (at least Max samples, the waveform as stored) and write the buffer, so
  // repeated calls do not add up. False, and nothing written, when the source is too short.
  bool ApplyMask(std::span<const std::uint8_t> source, int mask);
  bool ApplyOffset(std::span<const std::uint8_t> source, int offset);
  bool ApplyVertical(std::span<const std::uint8_t> source, int amount);
  bool ApplyLevel(std::span<const std::uint8_t> source, int level);
  bool ApplyBitAverage(std::span<const std::uint8_t> source, int count);
  // Centring and normalising take their reference range from the samples currently in the buffer
  // (what the view shows), and their values from the source.
  bool Center(std::span<const std::uint8_t> source);
  bool Normalise(std::span<const std::uint8_t> source);

 private:
  // The first sample of the selection and one past its last, limited to 0..Max.
  struct Span {
    int begin = 0;
    int end = 0;
  };
  Span SelectedSpan() const;
  bool Fits(std::span<const std::uint8_t> source) const;
  // Midpoint of the shown range: mn + (mx - mn + 1) / 2.
  int ShownMiddle() const;

  std::array<std::uint8_t, kTankCapacity> samples_{};
  std::array<std::uint8_t, kTankCapacity> clip_{};
  int clip_length_ = 0;
  int max_ = kTankCapacity;
  int locator_pos_ = 0;
  int selection_pos_ = 0;
  int selection_len_ = 0;
};

}  // namespace morvane
