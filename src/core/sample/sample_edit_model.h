#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/wavetable/mulaw_tables.h"

namespace morvane {

// A long sample holds as many bytes as a whole wavetable slot, so the two copy into each other.
inline constexpr int kSampleCapacity = 524288;

// A range of sample indices, [first, first + length).
struct SampleRange {
  int first = 0;
  int length = 0;
  friend bool operator==(const SampleRange&, const SampleRange&) = default;
};

// What a raw load did.
struct RawLoadResult {
  bool loaded = false;     // false: the file could not be read; nothing changed
  bool truncated = false;  // the file held more than the capacity: only its start was taken
};

// The buffers and rules of the long-sample view: a sample of up to 524 288 unsigned bytes (128 is
// the zero line), a window on it at a zoom (samples per screen column) from an origin, a locator
// and a selection kept in screen columns, a clip buffer, and the block and processing operations.
// Every read and write stays inside the buffers whatever the zoom, origin, selection and size.
class SampleEditModel {
 public:
  SampleEditModel();

  // --- Sample ----------------------------------------------------------------------------------
  std::span<std::uint8_t> Data() { return buffer_; }
  std::span<const std::uint8_t> Data() const { return buffer_; }
  int GetSampleSize() const { return size_; }
  void SetSampleSize(int n);                     // limited to 0..Max
  std::uint8_t GetValue(int index) const;        // 0 outside the buffer
  bool SetValue(std::uint8_t value, int index);  // true when the byte changed
  void ClearData();                              // zeroes the whole capacity; the size is kept

  std::span<const std::uint8_t> Clip() const {
    return std::span(clip_).first(static_cast<std::size_t>(clip_length_));
  }

  // --- View ------------------------------------------------------------------------------------
  int Max() const { return max_; }
  void SetMax(int max);  // 1..capacity: the buffers are never reallocated
  int Zoom() const { return zoom_; }
  void SetZoom(int zoom);  // at least 1
  int ViewOrigin() const { return origin_; }
  void SetViewOrigin(int origin);  // at least 0
  int LocatorPos() const { return locator_; }
  void SetLocatorPos(int column) { locator_ = column; }
  int SelectionPos() const { return selection_pos_; }
  void SetSelectionPos(int column) { selection_pos_ = column; }
  int SelectionLen() const { return selection_len_; }
  void SetSelectionLen(int columns) { selection_len_ = columns; }
  // Cut, mute and crop fill with 128 when the bars start at the centre line, else with 0.
  bool SpectrumCenter() const { return spectrum_center_; }
  void SetSpectrumCenter(bool on) { spectrum_center_ = on; }
  std::uint8_t FillValue() const { return spectrum_center_ ? 128 : 0; }

  // Sample index shown in screen column x.
  std::int64_t SampleAt(int column) const {
    return origin_ + static_cast<std::int64_t>(column) * zoom_;
  }
  // Height of the point of column x in a view h pixels high: within the capacity the sample's
  // level, outside it the centre line.
  int PointY(int column, int height) const;

  // A negative selection length (dragged leftwards) is turned round, the start kept at >= 0.
  void NormaliseSelection();
  // The samples under the normalised selection, cut to [0, limit).
  SampleRange SelectionRange(int limit) const;

  // --- Block operations ------------------------------------------------------------------------
  void CopySelection();
  void CutSelection();
  void MuteSelection();
  void PasteAtLocator();
  void CropToSelection();

  // --- Processing ------------------------------------------------------------------------------
  void Reverse();
  // Bytes 1..127 become 128 - b over the selection (or the whole sample when there is none or
  // `whole` asks for it): its own inverse.
  void FlipLowerHalf(bool whole);
  // sample[i] = source[i] + delta, clipped to 0..255, over the selection or the whole sample.
  // `source` may be the sample itself, so offsets accumulate.
  void AddOffset(std::span<const std::uint8_t> source, int delta);
  void FixZero();  // every 0 of the sample becomes 128
  void LinToULaw();
  void ULawToLin();
  std::uint8_t MaxValue() const;  // 0 for an empty sample
  std::uint8_t MinValue() const;  // 255 for an empty sample

  // --- Raw files -------------------------------------------------------------------------------
  // Reads the file from byte `offset` on, at most Max bytes, into the start of the buffer; the
  // rest of the capacity is zeroed and the size becomes the number of bytes read. A file that
  // cannot be read, or holds nothing past the offset, changes nothing.
  RawLoadResult LoadRawFile(const std::filesystem::path& file, std::int64_t offset);
  // The same from the file's bytes in memory: all of them, or at least the first offset + Max + 1
  // (one more than can be taken tells a longer file).
  RawLoadResult LoadRawBytes(std::span<const std::uint8_t> bytes, std::int64_t offset);
  // The bytes a raw file of the sample holds: the sample.
  std::span<const std::uint8_t> RawFileBytes() const {
    return Data().first(static_cast<std::size_t>(size_));
  }
  // Replaces the file with those bytes (the old file stays when it fails). Nothing is written
  // for an empty sample, which counts as done.
  bool SaveRawFile(const std::filesystem::path& file) const;

 private:
  // Shortens the selection so that it ends before the last sample, as cut and mute require;
  // the range to work on, empty when nothing is left.
  SampleRange CutRange();
  void CopyToClip(SampleRange range);
  SampleRange ProcessRange(bool whole) const;

  std::vector<std::uint8_t> buffer_;
  std::vector<std::uint8_t> clip_;
  int clip_length_ = 0;
  MuLawTables mu_law_;
  int size_ = 0;
  int max_ = kSampleCapacity;
  int zoom_ = 1;
  int origin_ = 0;
  int locator_ = 0;
  int selection_pos_ = 0;
  int selection_len_ = 0;
  bool spectrum_center_ = false;
};

}  // namespace morvane
