#include "core/spectral/window_functions.h"

#include <array>
#include <cmath>
#include <numbers>

namespace morvane {
namespace {

constexpr std::array<std::string_view, kWindowKindCount> kMenuCaptions = {
    "Rectangle", "Triangle", "Blackman 1", "Blackman 2", "Hamming 1", "Hamming 2",
    "Hann 1",    "Hann 2",   "Cosine",     "Lanczos",    "Gauss",     "Barlett/Hann",
    "Barlett",   "Kaiser 1", "Kaiser 2",   "Kaiser 3"};

constexpr std::array<std::string_view, kWindowKindCount> kPanelTexts = {
    "RECTANGLE", "TRIANGLE", "BLACKMAN1", "BLACKMAN2", "HAMMING1", "HAMMING2",
    "HANN1",     "HANN2",    "COSINUS",   "LANCZOS",   "GAUSS",    "BARLT/HANN",
    "BARLETT",   "KAISER 1", "KAISER 2",  "KAISER 3"};

// Modified Bessel function of the first kind, order 0, by its power series: the terms
// ((x/2)^k / k!)^2 are summed until they no longer change the sum.
double BesselI0(double x) {
  const double half = x / 2.0;
  double term = 1.0;
  double sum = 1.0;
  for (int k = 1; k < 500; ++k) {
    const double factor = half / k;
    term *= factor * factor;
    const double next = sum + term;
    if (next == sum) break;
    sum = next;
  }
  return sum;
}

}  // namespace

double WindowValue(int kind, int n, int length) {
  constexpr double kPi = std::numbers::pi;
  const double big_n = length;
  const double half = (big_n - 1.0) / 2.0;  // (N−1)/2, the symmetric centre
  const double theta_c = 2.0 * kPi * (n - length / 2) / big_n;
  const double theta_s = 2.0 * kPi * n / (big_n - 1.0);
  const double x = 2.0 * n / (big_n - 1.0) - 1.0;
  auto kaiser = [x](double beta) {
    return BesselI0(beta * std::sqrt(1.0 - x * x)) / BesselI0(beta);
  };
  switch (kind) {
    case 0:
      return 1.0;
    case 1:
      return (length / 2 - std::abs(n - half)) * 2.0 / big_n;
    case 2:
      return 0.42 + 0.5 * std::cos(theta_c) + 0.08 * std::cos(2.0 * theta_c);
    case 3:
      return 0.42 - 0.5 * std::cos(theta_s) + 0.08 * std::cos(2.0 * theta_s);
    case 4:
      return 0.54 + 0.46 * std::cos(theta_c);
    case 5:
      return 0.53836 - 0.46164 * std::cos(theta_s);
    case 6:
      return 0.5 * (1.0 + std::cos(theta_c));
    case 7:
      return 0.5 * (1.0 - std::cos(theta_s));
    case 8:
      return std::sin(kPi * n / (big_n - 1.0));
    case 9:
      return std::sin(kPi * x) / (kPi * x);
    case 10: {
      const double d = (n - half) / (0.5 * (big_n - 1.0) / 2.0);
      return 4.0 * std::exp(-0.5 * d * d);
    }
    case 11:
      return 0.62 - 0.48 * std::abs(n / (big_n - 1.0) - 0.5) - 0.38 * std::cos(theta_s);
    case 12:
      return (half - std::abs(n - half)) / half;
    case 13:
      return kaiser(1.0);
    case 14:
      return kaiser(2.0);
    case 15:
      return kaiser(3.0);
    default:
      return 0.0;
  }
}

std::string_view WindowMenuCaption(int kind) {
  return kind >= 0 && kind < kWindowKindCount ? kMenuCaptions[static_cast<std::size_t>(kind)] : "";
}

std::string_view WindowPanelText(int kind) {
  return kind >= 0 && kind < kWindowKindCount ? kPanelTexts[static_cast<std::size_t>(kind)] : "";
}

}  // namespace morvane
