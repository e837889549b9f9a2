#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "core/generators/fractal_complex.h"
#include "core/generators/wave_function.h"

namespace morvane {

// Edge of the square height map.
inline constexpr int kFractalMapSize = 1024;

// The fractal engine, one of the program's shared stores: a byte height map computed as a random
// terrain by midpoint displacement, and the Mandelbrot and Julia images, of which the top-left
// 256 x 256 of the map receives a copy. The map is never cleared after construction: a terrain
// starts from what the previous computation left.
class FractalEngine {
 public:
  // `random` feeds the terrain; the program gives a source seeded from the time, tests a fixed
  // sequence.
  explicit FractalEngine(RandomSource random);

  // Row r of the map: map[r][0..1023].
  std::span<std::uint8_t, kFractalMapSize> MapRow(int r);
  std::span<const std::uint8_t, kFractalMapSize> MapRow(int r) const;
  std::uint8_t Map(int r, int c) const { return map_[Offset(r, c)]; }
  void SetMap(int r, int c, std::uint8_t v) { map_[Offset(r, c)] = v; }
  // The image of the last CalcMandelbrot or CalcJulia, byte i * 256 + j for row i, column j.
  std::span<const std::uint8_t, kComplexBytes> ComplexImage() const;

  int Range() const { return range_; }
  // Written by the "Range" knob as it stands, 0..255.
  void SetRange(int range) { range_ = range; }
  int Sea() const { return sea_; }
  void SetLevels(int levels) { levels_ = levels; }

  // lo + r mod (hi - lo), or lo + r mod 128 when hi = lo, r the next random value mod 32768.
  int RandomBetween(int lo, int hi);
  // "Pyramide": the terrain into map indices 0..256, then every byte lowered by the sea level
  // (mod 256) and clipped to the range.
  void CalcPyramid();
  // Moves the sea level by k within 0..range, then raises every byte by it (mod 256) and clips.
  void SetSeaLevel(int k);
  // The complex images; each ends with CopyComplexToMap.
  void CalcComplex(ComplexKind kind, const ComplexParameters& p);
  void CalcMandelbrot(const ComplexParameters& p) { CalcComplex(ComplexKind::kMandelbrot, p); }
  void CalcJulia(const ComplexParameters& p) { CalcComplex(ComplexKind::kJulia, p); }
  // map[i][j] = image[i * 256 + j] for i, j in 0..255.
  void CopyComplexToMap();

 private:
  static std::size_t Offset(int r, int c) {
    return static_cast<std::size_t>(r) * kFractalMapSize + static_cast<std::size_t>(c);
  }
  // The map's byte at (r, c) set to value mod 256.
  void Put(int r, int c, int value) {
    map_[Offset(r, c)] = static_cast<std::uint8_t>(value & 0xFF);
  }
  void Clip(int shift);

  std::unique_ptr<std::uint8_t[]> map_;
  std::unique_ptr<std::uint8_t[]> image_;
  RandomSource random_;
  ComplexImageComputer computer_;
  int levels_ = 7;
  int range_ = 255;
  int sea_ = 0;
};

}  // namespace morvane
