#include "core/waveform/sample_tank_model.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "core/util/whole_file_io.h"

namespace morvane {
namespace {

std::uint8_t LowByte(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

// n modulo count, never negative.
int Wrap(int n, int count) { return ((n % count) + count) % count; }

}  // namespace

SampleTankModel::SampleTankModel() = default;

void SampleTankModel::SetMax(int max) { max_ = std::clamp(max, 1, kTankCapacity); }

std::uint8_t SampleTankModel::GetValue(int pos) const {
  if (pos < 0 || pos >= kTankCapacity) return 0;
  return samples_[static_cast<std::size_t>(pos)];
}

bool SampleTankModel::SetValue(int pos, std::uint8_t value) {
  if (pos < 0 || pos >= kTankCapacity) return false;
  std::uint8_t& sample = samples_[static_cast<std::size_t>(pos)];
  if (sample == value) return false;
  sample = value;
  return true;
}

void SampleTankModel::SetData(std::span<const std::uint8_t> source) {
  const std::size_t count = std::min(source.size(), samples_.size());
  std::copy_n(source.begin(), count, samples_.begin());
}

void SampleTankModel::GetData(std::span<std::uint8_t> target) const {
  const std::size_t count = std::min(target.size(), samples_.size());
  std::copy_n(samples_.begin(), count, target.begin());
}

void SampleTankModel::Fill(std::uint8_t value) { std::fill_n(samples_.begin(), max_, value); }

std::span<const std::uint8_t> SampleTankModel::FileBytes() const {
  return std::span(samples_).first(static_cast<std::size_t>(max_));
}

bool SampleTankModel::SaveToFile(const std::filesystem::path& file) const {
  const std::span<const std::uint8_t> bytes = FileBytes();
  return ReplaceWholeFile(
      file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void SampleTankModel::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::span<const std::uint8_t> taken =
      bytes.first(std::min(bytes.size(), static_cast<std::size_t>(max_)));
  std::copy(taken.begin(), taken.end(), samples_.begin());
}

bool SampleTankModel::LoadFromFile(const std::filesystem::path& file) {
  std::vector<std::uint8_t> bytes;
  if (!ReadFileStart(file, static_cast<std::size_t>(max_), bytes)) return false;
  LoadFromBytes(bytes);
  return true;
}

SampleTankModel::Span SampleTankModel::SelectedSpan() const {
  const int begin = std::clamp(selection_pos_, 0, max_);
  const int end = std::clamp(selection_pos_ + std::max(selection_len_, 0), begin, max_);
  return {begin, end};
}

void SampleTankModel::CopySelection() {
  if (selection_len_ <= 0) return;
  const Span span = SelectedSpan();
  std::copy(samples_.begin() + span.begin, samples_.begin() + span.end, clip_.begin());
  clip_length_ = span.end - span.begin;
}

void SampleTankModel::CutSelection(std::uint8_t fill) {
  if (selection_len_ <= 0) return;
  CopySelection();
  const Span span = SelectedSpan();
  std::fill(samples_.begin() + span.begin, samples_.begin() + span.end, fill);
}

void SampleTankModel::PasteAtLocator() {
  if (selection_len_ <= 0 || locator_pos_ < 0 || locator_pos_ >= max_) return;
  const int count = std::min(clip_length_, max_ - locator_pos_);
  std::copy_n(clip_.begin(), count, samples_.begin() + locator_pos_);
}

void SampleTankModel::RotateLeft(int n) {
  std::rotate(samples_.begin(), samples_.begin() + Wrap(n, max_), samples_.begin() + max_);
}

void SampleTankModel::RotateRight(int n) { RotateLeft(-n); }

void SampleTankModel::Unsigned() {
  for (int i = 0; i < max_; ++i) {
    std::uint8_t& s = samples_[static_cast<std::size_t>(i)];
    if (s >= 1 && s <= 127) s = static_cast<std::uint8_t>(128 - s);
  }
}

void SampleTankModel::Reverse() { std::reverse(samples_.begin(), samples_.begin() + max_); }

void SampleTankModel::AlternateRight() {
  for (int i = 0; i < max_ / 2; ++i) samples_[max_ - 1 - i] = LowByte(256 - samples_[i]);
}

void SampleTankModel::AlternateLeft() {
  for (int i = 0; i < max_ / 2; ++i) samples_[i] = LowByte(256 - samples_[max_ - 1 - i]);
}

void SampleTankModel::MirrorLeft() {
  for (int i = 0; i < max_ / 2; ++i) samples_[max_ - 1 - i] = samples_[i];
}

void SampleTankModel::MirrorRight() {
  for (int i = 0; i < max_ / 2; ++i) samples_[i] = samples_[max_ - 1 - i];
}

SampleTankModel::Range SampleTankModel::MinMax() const {
  const auto [lowest, highest] = std::minmax_element(samples_.begin(), samples_.begin() + max_);
  return {*lowest, *highest};
}

bool SampleTankModel::Fits(std::span<const std::uint8_t> source) const {
  return source.size() >= static_cast<std::size_t>(max_);
}

bool SampleTankModel::ApplyMask(std::span<const std::uint8_t> source, int mask) {
  if (!Fits(source)) return false;
  for (int i = 0; i < max_; ++i) samples_[i] = LowByte(source[i] & ~mask);
  return true;
}

bool SampleTankModel::ApplyOffset(std::span<const std::uint8_t> source, int offset) {
  if (!Fits(source)) return false;
  for (int i = 0; i < max_; ++i) samples_[i] = LowByte(source[i] + offset);
  return true;
}

bool SampleTankModel::ApplyVertical(std::span<const std::uint8_t> source, int amount) {
  if (!Fits(source)) return false;
  const int half = max_ / 2;
  for (int i = 0; i < max_; ++i) samples_[i] = LowByte(source[i] + (i < half ? amount : -amount));
  return true;
}

bool SampleTankModel::ApplyLevel(std::span<const std::uint8_t> source, int level) {
  if (!Fits(source)) return false;
  const double gain = level / 128.0;
  for (int i = 0; i < max_; ++i) {
    samples_[i] = LowByte(static_cast<int>(std::trunc(128 + gain * (source[i] - 128))));
  }
  return true;
}

bool SampleTankModel::ApplyBitAverage(std::span<const std::uint8_t> source, int count) {
  if (!Fits(source)) return false;
  if (count < 1) return true;
  count = std::min(count, 255);  // the widest window the editor offers
  // The source is one period of a repeating wave, so the window wraps round its ends.
  const int first = -max_ / 2 + (max_ - count) / 2;
  std::array<std::uint8_t, kTankCapacity> averaged{};
  for (int i = 0; i < max_; ++i) {
    long long sum = 0;
    for (int k = 0; k < count; ++k) sum += source[Wrap(i + first + k, max_)];
    averaged[i] = LowByte(static_cast<int>(sum / count));
  }
  std::copy_n(averaged.begin(), max_, samples_.begin());
  return true;
}

int SampleTankModel::ShownMiddle() const {
  const Range range = MinMax();
  return range.min + (range.max - range.min + 1) / 2;
}

bool SampleTankModel::Center(std::span<const std::uint8_t> source) {
  if (!Fits(source)) return false;
  const int middle = ShownMiddle();
  if (middle == 127) return true;
  for (int i = 0; i < max_; ++i) samples_[i] = LowByte(source[i] + 128 - middle);
  return true;
}

bool SampleTankModel::Normalise(std::span<const std::uint8_t> source) {
  if (!Fits(source)) return false;
  const int middle = ShownMiddle();
  std::array<std::uint8_t, kTankCapacity> work{};
  for (int i = 0; i < max_; ++i) {
    work[i] = middle == 127 ? source[i] : LowByte(source[i] + 128 - middle);
  }
  const auto [lowest, highest] = std::minmax_element(work.begin(), work.begin() + max_);
  const int range = *highest - *lowest + 1;
  if (range >= 255) return true;
  const double gain = 256.0 / range;
  for (int i = 0; i < max_; ++i) {
    const double value = std::trunc(128 + gain * (work[i] - 128));
    samples_[i] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
  }
  return true;
}

}  // namespace morvane
