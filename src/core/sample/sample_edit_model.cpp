#include "core/sample/sample_edit_model.h"

#include <algorithm>
#include <cstring>

#include "core/util/file_writer.h"
#include "core/util/whole_file_io.h"

namespace morvane {

namespace {

SampleRange ClampRange(std::int64_t first, std::int64_t length, int limit) {
  if (length <= 0 || first < 0 || first >= limit) return {};
  const std::int64_t end = std::min<std::int64_t>(first + length, limit);
  return {static_cast<int>(first), static_cast<int>(end - first)};
}

}  // namespace

SampleEditModel::SampleEditModel()
    : buffer_(kSampleCapacity, 0), clip_(kSampleCapacity, 0), mu_law_(BuildMuLawTables()) {}

void SampleEditModel::SetSampleSize(int n) { size_ = std::clamp(n, 0, max_); }

std::uint8_t SampleEditModel::GetValue(int index) const {
  if (index < 0 || index >= kSampleCapacity) return 0;
  return buffer_[static_cast<std::size_t>(index)];
}

bool SampleEditModel::SetValue(std::uint8_t value, int index) {
  if (index < 0 || index >= kSampleCapacity) return false;
  std::uint8_t& byte = buffer_[static_cast<std::size_t>(index)];
  if (byte == value) return false;
  byte = value;
  return true;
}

void SampleEditModel::ClearData() { std::fill(buffer_.begin(), buffer_.end(), 0); }

void SampleEditModel::SetMax(int max) {
  max_ = std::clamp(max, 1, kSampleCapacity);
  size_ = std::min(size_, max_);
}

void SampleEditModel::SetZoom(int zoom) { zoom_ = std::max(zoom, 1); }

void SampleEditModel::SetViewOrigin(int origin) { origin_ = std::max(origin, 0); }

int SampleEditModel::PointY(int column, int height) const {
  const int h = height - 1;
  const std::int64_t s = SampleAt(column);
  if (s < 0 || s >= kSampleCapacity) return h / 2;
  return h - buffer_[static_cast<std::size_t>(s)] * h / 256;
}

void SampleEditModel::NormaliseSelection() {
  if (selection_len_ >= 0) return;
  selection_pos_ = std::max(selection_pos_ + selection_len_, 0);
  selection_len_ = -selection_len_;
}

SampleRange SampleEditModel::SelectionRange(int limit) const {
  std::int64_t pos = selection_pos_;
  std::int64_t len = selection_len_;
  if (len < 0) {
    pos = std::max<std::int64_t>(pos + len, 0);
    len = -len;
  }
  return ClampRange(origin_ + pos * zoom_, len * zoom_, limit);
}

void SampleEditModel::CopyToClip(SampleRange range) {
  std::memcpy(clip_.data(), buffer_.data() + range.first, static_cast<std::size_t>(range.length));
  clip_length_ = range.length;
}

void SampleEditModel::CopySelection() {
  NormaliseSelection();
  if (selection_len_ <= 0) return;
  if (static_cast<std::int64_t>(zoom_) *
          (selection_pos_ + static_cast<std::int64_t>(selection_len_)) >
      max_) {
    selection_len_ = max_ / zoom_ - selection_pos_;
  }
  // The rule above leaves the origin out: the range is cut to the capacity as well.
  const SampleRange range = SelectionRange(max_);
  if (selection_len_ <= 0 || range.length == 0) return;
  CopyToClip(range);
}

SampleRange SampleEditModel::CutRange() {
  NormaliseSelection();
  if (selection_len_ < 1) return {};
  const std::int64_t end =
      origin_ + static_cast<std::int64_t>(zoom_) * (selection_pos_ + std::int64_t{selection_len_});
  if (end >= size_) {
    // Division truncates toward zero, as the rule's "div" does.
    const std::int64_t fitting = (std::int64_t{size_} - origin_) / zoom_ - selection_pos_ - 1;
    selection_len_ = static_cast<int>(std::max<std::int64_t>(fitting, 0));
  }
  if (selection_len_ < 1) return {};
  return SelectionRange(size_);
}

void SampleEditModel::CutSelection() {
  const SampleRange range = CutRange();
  if (range.length == 0) return;
  CopyToClip(range);
  auto* data = buffer_.data();
  const int tail = range.first + range.length;
  std::memmove(data + range.first, data + tail, static_cast<std::size_t>(size_ - tail));
  std::fill(data + size_ - range.length, data + size_, FillValue());
}

void SampleEditModel::MuteSelection() {
  const SampleRange range = CutRange();
  if (range.length == 0) return;
  CopyToClip(range);
  auto* data = buffer_.data();
  std::fill(data + range.first, data + range.first + range.length, FillValue());
}

void SampleEditModel::PasteAtLocator() {
  NormaliseSelection();
  if (selection_len_ <= 0 || clip_length_ == 0) return;
  const std::int64_t start = std::int64_t{locator_} * zoom_ + origin_;
  const SampleRange target = ClampRange(start, clip_length_, max_);
  std::memcpy(buffer_.data() + target.first, clip_.data(), static_cast<std::size_t>(target.length));
}

void SampleEditModel::CropToSelection() {
  NormaliseSelection();
  if (selection_len_ <= 0) return;
  // A selection reaching past the sample keeps only what the sample has.
  const SampleRange range = SelectionRange(size_);
  if (range.length == 0) return;
  auto* data = buffer_.data();
  std::memmove(data, data + range.first, static_cast<std::size_t>(range.length));
  std::fill(data + range.length, data + std::max(size_, range.length), FillValue());
  selection_pos_ = 0;
  origin_ = 0;
  size_ = range.length;
}

void SampleEditModel::Reverse() { std::reverse(buffer_.begin(), buffer_.begin() + size_); }

SampleRange SampleEditModel::ProcessRange(bool whole) const {
  if (whole || selection_len_ == 0) return {0, size_};
  return SelectionRange(size_);
}

void SampleEditModel::FlipLowerHalf(bool whole) {
  const SampleRange range = ProcessRange(whole);
  for (int i = range.first; i < range.first + range.length; ++i) {
    std::uint8_t& b = buffer_[static_cast<std::size_t>(i)];
    if (b >= 1 && b <= 127) b = static_cast<std::uint8_t>(128 - b);
  }
}

void SampleEditModel::AddOffset(std::span<const std::uint8_t> source, int delta) {
  const SampleRange range = ProcessRange(false);
  const int end = std::min<int>(range.first + range.length, static_cast<int>(source.size()));
  for (int i = range.first; i < end; ++i) {
    const int value = source[static_cast<std::size_t>(i)] + delta;
    buffer_[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
  }
}

void SampleEditModel::FixZero() {
  std::replace(buffer_.begin(), buffer_.begin() + size_, std::uint8_t{0}, std::uint8_t{128});
}

void SampleEditModel::LinToULaw() {
  for (int i = 0; i < size_; ++i) {
    std::uint8_t& b = buffer_[static_cast<std::size_t>(i)];
    b = mu_law_.encode[b];
  }
  FlipLowerHalf(true);
  FixZero();
}

void SampleEditModel::ULawToLin() {
  FlipLowerHalf(true);
  for (int i = 0; i < size_; ++i) {
    std::uint8_t& b = buffer_[static_cast<std::size_t>(i)];
    b = mu_law_.decode[b];
  }
}

std::uint8_t SampleEditModel::MaxValue() const {
  if (size_ == 0) return 0;
  return *std::max_element(buffer_.begin(), buffer_.begin() + size_);
}

std::uint8_t SampleEditModel::MinValue() const {
  if (size_ == 0) return 255;
  return *std::min_element(buffer_.begin(), buffer_.begin() + size_);
}

RawLoadResult SampleEditModel::LoadRawFile(const std::filesystem::path& file, std::int64_t offset) {
  if (offset < 0) return {};
  std::vector<std::uint8_t> bytes;
  // One byte more than fits tells a file that was too long.
  const std::size_t limit = static_cast<std::size_t>(offset) + static_cast<std::size_t>(max_) + 1;
  if (!ReadFileStart(file, limit, bytes)) return {};
  return LoadRawBytes(bytes, offset);
}

RawLoadResult SampleEditModel::LoadRawBytes(std::span<const std::uint8_t> bytes,
                                            std::int64_t offset) {
  if (offset < 0 || bytes.size() <= static_cast<std::uint64_t>(offset)) return {};
  const std::size_t available = bytes.size() - static_cast<std::size_t>(offset);
  const std::size_t n = std::min(available, static_cast<std::size_t>(max_));
  std::memcpy(buffer_.data(), bytes.data() + offset, n);
  std::memset(buffer_.data() + n, 0, buffer_.size() - n);
  size_ = static_cast<int>(n);
  return {true, available > n};
}

bool SampleEditModel::SaveRawFile(const std::filesystem::path& file) const {
  if (size_ == 0) return true;
  FileWriter writer;
  return writer.Replace(file, RawFileBytes());
}

}  // namespace morvane
