#include "core/waveform/gradient_bands.h"

#include <algorithm>

#include "core/util/mul_div.h"

namespace morvane {
namespace {

struct ChannelDelta {
  int r = 0;
  int g = 0;
  int b = 0;
};

ChannelDelta Difference(Rgb from, Rgb to) { return {to.r - from.r, to.g - from.g, to.b - from.b}; }

// Halfway colour of the one-way layouts; each channel is truncated towards the start colour.
Rgb Midpoint(Rgb a, Rgb b) {
  const ChannelDelta d = Difference(a, b);
  return {static_cast<std::uint8_t>(a.r + d.r / 2), static_cast<std::uint8_t>(a.g + d.g / 2),
          static_cast<std::uint8_t>(a.b + d.b / 2)};
}

std::uint8_t Step(std::uint8_t start, int k, int delta, int bands) {
  return static_cast<std::uint8_t>((start + MulDiv(k, delta, bands)) & 0xFF);
}

// Appends `bands` bands covering `span` pixels from `offset`, running from `start` towards `end`.
void AppendHalf(std::vector<GradientBand>& out, int offset, int span, int bands, Rgb start,
                Rgb end) {
  const ChannelDelta d = Difference(start, end);
  for (int k = 0; k < bands; ++k) {
    GradientBand band;
    band.begin = offset + static_cast<int>(MulDiv(k, span, bands));
    band.end = offset + static_cast<int>(MulDiv(k + 1, span, bands));
    band.color = {Step(start.r, k, d.r, bands), Step(start.g, k, d.g, bands),
                  Step(start.b, k, d.b, bands)};
    out.push_back(band);
  }
}

}  // namespace

bool GradientIsStacked(GradientTypex type) {
  switch (type) {
    case GradientTypex::grxTopToBottom:
    case GradientTypex::grxBottomToTop:
    case GradientTypex::grxVertCenterToBorder:
    case GradientTypex::grxVertBorderToCenter:
      return true;
    default:
      return false;
  }
}

std::vector<GradientBand> GradientBands(GradientTypex type, int extent, int band_count,
                                        Rgb background, Rgb gradient) {
  std::vector<GradientBand> bands;
  if (extent <= 0 || !IsValidGradientBandCount(band_count)) return bands;

  // Colours A (start) and B (end, or middle for the symmetric layouts).
  Rgb a = gradient;
  Rgb b = background;
  switch (type) {
    case GradientTypex::grxRightToLeft:
    case GradientTypex::grxBottomToTop:
    case GradientTypex::grxHorizCenterToBorder:
    case GradientTypex::grxVertCenterToBorder:
      std::swap(a, b);
      break;
    default:
      break;
  }
  const bool symmetric =
      static_cast<int>(type) >= static_cast<int>(GradientTypex::grxHorizCenterToBorder);

  const int n = band_count != 0 ? band_count : std::clamp(extent, 2, kMaxGradientBands);
  const int first_bands = n / 2;
  const int second_bands = n - first_bands;
  const int first_span = extent / 2;
  const int second_span = extent - first_span;

  bands.reserve(static_cast<std::size_t>(n));
  if (symmetric) {
    AppendHalf(bands, 0, first_span, first_bands, a, b);
    AppendHalf(bands, bands.back().end, second_span, second_bands, b, a);
  } else {
    const Rgb middle = Midpoint(a, b);
    AppendHalf(bands, 0, first_span, first_bands, a, middle);
    AppendHalf(bands, bands.back().end, second_span, second_bands, middle, b);
  }
  return bands;
}

}  // namespace morvane
