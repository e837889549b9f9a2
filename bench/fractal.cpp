// The complex image at the highest resolution, as it is recomputed on every knob movement: the
// default view and a view centred on the set, where most points never escape. Each run is checked
// byte for byte against the plain rule before it is timed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../tests/support/fractal_reference.h"
#include "core/generators/fractal_complex.h"

namespace morvane {
namespace {

ComplexParameters DefaultView() {
  ComplexParameters p;
  p.resolution = 1000;
  return p;
}

ComplexParameters CentredView() {
  ComplexParameters p;
  p.zoom = 250;
  p.resolution = 1000;
  p.narrowing = 0;
  p.origin = 120;
  return p;
}

void CheckSame(const std::vector<std::uint8_t>& image, const ComplexParameters& p) {
  if (image != testing::ReferenceComplexImage(ComplexKind::kMandelbrot, p)) {
    std::fprintf(stderr, "the image differs from the plain rule\n");
    std::abort();
  }
}

void ComplexImage(benchmark::State& state, ComplexParameters p, bool plain) {
  ComplexImageComputer computer;
  std::vector<std::uint8_t> image(kComplexBytes);
  const ComplexImageBytes bytes(image.data(), kComplexBytes);
  const auto compute = [&] {
    if (plain) {
      ComplexImagePlain(ComplexKind::kMandelbrot, p, bytes);
    } else {
      computer.Compute(ComplexKind::kMandelbrot, p, bytes);
    }
  };
  compute();
  CheckSame(image, p);
  for (auto _ : state) {
    compute();
    benchmark::DoNotOptimize(image.data());
  }
  state.SetLabel(plain ? "plain" : "fastest kernel, two threads");
}

BENCHMARK_CAPTURE(ComplexImage, DefaultViewRes1000, DefaultView(), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComplexImage, CentredRes1000, CentredView(), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComplexImage, DefaultViewRes1000Plain, DefaultView(), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComplexImage, CentredRes1000Plain, CentredView(), true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane
