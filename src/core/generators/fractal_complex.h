#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace morvane {

// The Mandelbrot and Julia images: 256 x 256 escape counts scaled to bytes, row-major.
inline constexpr int kComplexSize = 256;
inline constexpr std::size_t kComplexBytes = std::size_t{kComplexSize} * kComplexSize;
using ComplexImageBytes = std::span<std::uint8_t, kComplexBytes>;

enum class ComplexKind { kMandelbrot, kJulia };

// The Complex group's knobs, in their own units.
struct ComplexParameters {
  int zoom = 100;       // zX: the viewed square's edge is 6000 / (10 zX) before narrowing
  int resolution = 16;  // Res: the most iterations per point
  int julia_re = 100;   // cteX: the Julia constant's real part, in hundredths
  int julia_im = 100;   // cteY: its imaginary part, in hundredths
  int ocx = 0;          // Ocx: handed over with the others and used by neither image
  int origin = 300;     // Ox: the second coordinate of the first row, in hundredths
  int narrowing = 3;    // Zx: narrows the square by 0.029 per step on each side

  bool operator==(const ComplexParameters&) const = default;
};

// The instruction sets the image can be computed with; every one gives the same bytes.
enum class ComplexKernel { kPlain, kAvx2, kAvx512 };
std::vector<ComplexKernel> SupportedComplexKernels();

// The whole image on the calling thread, one point at a time.
void ComplexImagePlain(ComplexKind kind, const ComplexParameters& p, ComplexImageBytes image);

// One image's work, shared between the threads.
struct ComplexJob;

// Computes images with the widest vector instructions the processor has, the rows shared with one
// helper thread when there is a second core, so that the image follows a knob being dragged at the
// highest resolution. Compute returns when the whole image is written.
class ComplexImageComputer {
 public:
  ComplexImageComputer();
  ~ComplexImageComputer();
  ComplexImageComputer(const ComplexImageComputer&) = delete;
  ComplexImageComputer& operator=(const ComplexImageComputer&) = delete;

  void Compute(ComplexKind kind, const ComplexParameters& p, ComplexImageBytes image);
  // Tests and benchmarks choose the instruction set; the default is the widest supported.
  void SetKernel(ComplexKernel kernel) { kernel_ = kernel; }

 private:
  void HelperLoop();

  ComplexKernel kernel_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  const ComplexJob* job_ = nullptr;  // the job the helper works on, while it is set
  bool helper_busy_ = false;
  bool stopping_ = false;
  std::thread helper_;
};

}  // namespace morvane
