#include "core/generators/fractal_engine.h"

#include <algorithm>

namespace morvane {
FractalEngine::FractalEngine(RandomSource random)
    : map_(new std::uint8_t[std::size_t{kFractalMapSize} * kFractalMapSize]()),
      image_(new std::uint8_t[kComplexBytes]()),
      random_(std::move(random)) {}

std::span<std::uint8_t, kFractalMapSize> FractalEngine::MapRow(int r) {
  return std::span<std::uint8_t, kFractalMapSize>(map_.get() + Offset(r, 0), kFractalMapSize);
}

std::span<const std::uint8_t, kFractalMapSize> FractalEngine::MapRow(int r) const {
  return std::span<const std::uint8_t, kFractalMapSize>(map_.get() + Offset(r, 0), kFractalMapSize);
}

std::span<const std::uint8_t, kComplexBytes> FractalEngine::ComplexImage() const {
  return std::span<const std::uint8_t, kComplexBytes>(image_.get(), kComplexBytes);
}

int FractalEngine::RandomBetween(int lo, int hi) {
  // The values of a 15-bit generator, 0..32767.
  const int r = static_cast<int>(random_() % 32768);
  return hi != lo ? lo + r % (hi - lo) : lo + r % 128;
}

// Sums are taken on the bytes as integers and the result kept to eight bits when stored.
void FractalEngine::CalcPyramid() {
  int s = 2;
  int a = range_ / 2;
  for (int level = 1; level <= levels_; ++level) {
    // Spread the previous level's points apart, from the far end so none is overwritten first.
    for (int j = s; j >= 1; --j) {
      for (int k = s; k >= 1; --k) map_[Offset(2 * k, 2 * j)] = Map(k, j);
    }
    s = 2 * s;
    for (int j = 1; j < s; j += 2) {
      for (int k = 1; k < s; k += 2) {
        Put(k - 1, j, (Map(k - 1, j - 1) + Map(k - 1, j + 1)) / 2 + RandomBetween(-a, a));
        Put(k, j - 1, (Map(k - 1, j - 1) + Map(k + 1, j - 1)) / 2 + RandomBetween(-a, a));
        Put(k, j,
            (Map(k - 1, j - 1) + Map(k - 1, j + 1) + Map(k + 1, j - 1) + Map(k + 1, j + 1)) / 4 +
                RandomBetween(-a, a));
      }
    }
    for (int t = 1; t < s; t += 2) {
      Put(s, t, (Map(s, t - 1) + Map(s, t + 1)) / 2 + RandomBetween(-a, a));
      Put(t, s, (Map(t - 1, s) + Map(t + 1, s)) / 2 + RandomBetween(-a, a));
    }
    a = a / 2;
  }
  Clip(-sea_);
}

void FractalEngine::SetSeaLevel(int k) {
  sea_ = sea_ + k;
  if (sea_ <= 0) sea_ = 0;
  if (sea_ > range_) sea_ = range_;
  Clip(sea_);
}

// Every byte of the map moved by `shift` mod 256, then held at the range.
void FractalEngine::Clip(int shift) {
  const std::size_t count = std::size_t{kFractalMapSize} * kFractalMapSize;
  for (std::size_t i = 0; i < count; ++i) {
    const int v = (map_[i] + shift) & 0xFF;
    map_[i] = static_cast<std::uint8_t>(v > range_ ? range_ : v);
  }
}

void FractalEngine::CalcComplex(ComplexKind kind, const ComplexParameters& p) {
  computer_.Compute(kind, p, ComplexImageBytes(image_.get(), kComplexBytes));
  CopyComplexToMap();
}

void FractalEngine::CopyComplexToMap() {
  for (int i = 0; i < kComplexSize; ++i) {
    std::copy_n(image_.get() + std::size_t{static_cast<unsigned>(i)} * kComplexSize, kComplexSize,
                map_.get() + Offset(i, 0));
  }
}

}  // namespace morvane
