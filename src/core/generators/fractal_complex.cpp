#include "core/generators/fractal_complex.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace morvane {
namespace {

// What every row of one image shares. The column and row coordinates are accumulated once, step
// by step as the rule walks them, so every kernel sees the same doubles.
struct ImageRule {
  std::array<double, kComplexSize> xs{};
  std::array<double, kComplexSize> ys{};
  bool julia = false;
  double c_re = 0;
  double c_im = 0;
  int resolution = 0;
};

ImageRule MakeRule(ComplexKind kind, const ComplexParameters& p) {
  ImageRule rule;
  const double z = 10.0 * p.zoom;
  // The narrowing is written Zx * 2.9 * 0.01, and evaluated in that order.
  const double xmin = -3000.0 / z + p.narrowing * 2.9 * 0.01;
  const double xmax = 3000.0 / z - p.narrowing * 2.9 * 0.01;
  // One more than the pixel count, as the image has always been divided.
  const double dx = (xmax - xmin) / (kComplexSize + 1);
  const double dy = (xmax - xmin) / (kComplexSize + 1);
  double x = xmin;
  for (double& column : rule.xs) {
    column = x;
    x = x + dx;
  }
  double y = p.origin * 0.01;
  for (double& row : rule.ys) {
    row = y;
    y = y - dy;
  }
  rule.julia = kind == ComplexKind::kJulia;
  rule.c_re = p.julia_re * 0.01;
  rule.c_im = p.julia_im * 0.01;
  rule.resolution = p.resolution;
  return rule;
}

// Points that never escape are black, and so are points that escape at the first step.
std::uint8_t CountToByte(long long n, int resolution) {
  return n < resolution ? static_cast<std::uint8_t>(n * 255 / resolution) : 0;
}

void EscapeRowPlain(const ImageRule& rule, double y, std::uint8_t* out) {
  for (int j = 0; j < kComplexSize; ++j) {
    double re = rule.xs[j];
    double im = y;
    const double c_re = rule.julia ? rule.c_re : re;
    const double c_im = rule.julia ? rule.c_im : im;
    int n = 0;
    while (n < rule.resolution) {
      const double next_re = re * re - im * im + c_re;
      im = 2 * re * im + c_im;
      re = next_re;
      if (re * re + im * im > 1000) break;
      ++n;
    }
    out[j] = CountToByte(n, rule.resolution);
  }
}

// The same iteration on kLanes points at once, kGroups vectors interleaved so that the chains of
// dependent multiplications overlap. A lane that escaped keeps iterating (its values may run to
// infinity) but no longer counts; the row ends when every lane has stopped or Res is reached.
// Lanes of doubles, and the lanes of all ones or zeros that comparing them gives.
typedef double Real4 __attribute__((vector_size(4 * sizeof(double))));
typedef std::int64_t Mask4 __attribute__((vector_size(4 * sizeof(std::int64_t))));
typedef double Real8 __attribute__((vector_size(8 * sizeof(double))));
typedef std::int64_t Mask8 __attribute__((vector_size(8 * sizeof(std::int64_t))));

template <typename Real, typename Mask, int kLanes, int kGroups>
[[gnu::always_inline]] inline void EscapeRowVector(const ImageRule& rule, double y,
                                                   std::uint8_t* out) {
  constexpr int kStep = kLanes * kGroups;
  const Real two = Real{} + 2.0;
  const Real limit = Real{} + 1000.0;
  for (int j0 = 0; j0 < kComplexSize; j0 += kStep) {
    Real re[kGroups];
    Real im[kGroups];
    Real c_re[kGroups];
    Real c_im[kGroups];
    Mask active[kGroups];
    Mask count[kGroups];
    for (int g = 0; g < kGroups; ++g) {
      std::memcpy(&re[g], rule.xs.data() + j0 + g * kLanes, sizeof(Real));
      im[g] = Real{} + y;
      c_re[g] = rule.julia ? Real{} + rule.c_re : re[g];
      c_im[g] = rule.julia ? Real{} + rule.c_im : im[g];
      active[g] = Mask{} - 1;
      count[g] = Mask{};
    }
    for (int n = 0; n < rule.resolution; ++n) {
      Mask any{};
      for (int g = 0; g < kGroups; ++g) {
        const Real next_re = re[g] * re[g] - im[g] * im[g] + c_re[g];
        im[g] = two * re[g] * im[g] + c_im[g];
        re[g] = next_re;
        const Mask escaped = re[g] * re[g] + im[g] * im[g] > limit;
        active[g] &= ~escaped;
        count[g] -= active[g];
        any |= active[g];
      }
      std::int64_t still = 0;
      for (int l = 0; l < kLanes; ++l) still |= any[l];
      if (still == 0) break;
    }
    for (int g = 0; g < kGroups; ++g) {
      for (int l = 0; l < kLanes; ++l) {
        out[j0 + g * kLanes + l] = CountToByte(count[g][l], rule.resolution);
      }
    }
  }
}

[[gnu::target("avx2")]] void EscapeRowAvx2(const ImageRule& rule, double y, std::uint8_t* out) {
  EscapeRowVector<Real4, Mask4, 4, 4>(rule, y, out);
}

[[gnu::target("avx512f")]] void EscapeRowAvx512(const ImageRule& rule, double y,
                                                std::uint8_t* out) {
  EscapeRowVector<Real8, Mask8, 8, 4>(rule, y, out);
}

using RowFunction = void (*)(const ImageRule&, double, std::uint8_t*);

RowFunction RowFunctionFor(ComplexKernel kernel) {
  switch (kernel) {
    case ComplexKernel::kAvx512:
      return EscapeRowAvx512;
    case ComplexKernel::kAvx2:
      return EscapeRowAvx2;
    case ComplexKernel::kPlain:
      break;
  }
  return EscapeRowPlain;
}

}  // namespace

struct ComplexJob {
  ImageRule rule;
  RowFunction row;
  std::uint8_t* image;

  // Rows first, first + step, ... of the image.
  void Run(int first, int step) const {
    for (int i = first; i < kComplexSize; i += step) {
      row(rule, rule.ys[i], image + std::size_t{static_cast<unsigned>(i)} * kComplexSize);
    }
  }
};

std::vector<ComplexKernel> SupportedComplexKernels() {
  std::vector<ComplexKernel> kernels{ComplexKernel::kPlain};
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) kernels.push_back(ComplexKernel::kAvx2);
  if (__builtin_cpu_supports("avx512f")) kernels.push_back(ComplexKernel::kAvx512);
  return kernels;
}

void ComplexImagePlain(ComplexKind kind, const ComplexParameters& p, ComplexImageBytes image) {
  const ComplexJob job{MakeRule(kind, p), EscapeRowPlain, image.data()};
  job.Run(0, 1);
}

ComplexImageComputer::ComplexImageComputer() : kernel_(SupportedComplexKernels().back()) {
  if (std::thread::hardware_concurrency() > 1)
    helper_ = std::thread(&ComplexImageComputer::HelperLoop, this);
}

ComplexImageComputer::~ComplexImageComputer() {
  if (!helper_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  helper_.join();
}

void ComplexImageComputer::Compute(ComplexKind kind, const ComplexParameters& p,
                                   ComplexImageBytes image) {
  const ComplexJob job{MakeRule(kind, p), RowFunctionFor(kernel_), image.data()};
  if (!helper_.joinable()) {
    job.Run(0, 1);
    return;
  }
  // Alternate rows keep both halves of the work alike wherever the set lies in the view.
  {
    std::lock_guard lock(mutex_);
    job_ = &job;
    helper_busy_ = true;
  }
  wake_.notify_one();
  job.Run(0, 2);
  std::unique_lock lock(mutex_);
  done_.wait(lock, [this] { return !helper_busy_; });
  job_ = nullptr;
}

void ComplexImageComputer::HelperLoop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || helper_busy_; });
    if (stopping_) return;
    const ComplexJob* job = job_;
    lock.unlock();
    job->Run(1, 2);
    lock.lock();
    helper_busy_ = false;
    done_.notify_one();
  }
}

}  // namespace morvane
