#include "core/wavetable/cell_trace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace morvane {
namespace {

using Wave = std::array<std::uint8_t, kWaveLength>;

TEST(WaveCellPointTest, FollowsTheCellFormula) {
  // A 39 x 29 cell at (80, 60): w = 38, h = 28.
  const CellPixels cell{80, 60, 119, 89};
  struct Case {
    int index;
    std::uint8_t sample;
    int x, y;
  };
  const std::vector<Case> cases = {
      {0, 0, 80, 88},       // bottom row for 0
      {255, 255, 117, 61},  // 255*38/258 = 37; 28 - 255*28/256 = 1
      {128, 128, 98, 74},   // 128*38/258 = 18; 28 - 14
      {7, 200, 81, 67},     // 266/258 = 1; 28 - 5600/256 = 28 - 21
  };
  for (const Case& c : cases) {
    const TracePoint p = WaveCellPoint(cell, c.index, c.sample);
    EXPECT_EQ(p.x, c.x) << c.index;
    EXPECT_EQ(p.y, c.y) << c.index;
  }
  // Wider than 259 pixels, w div 258 shifts every point right.
  EXPECT_EQ(WaveCellPoint({0, 0, 300, 10}, 0, 0).x, 1);
  EXPECT_EQ(WaveCellPoint({0, 0, 300, 10}, 255, 0).x, 296);
}

Wave MakeWave(const std::string& kind) {
  Wave wave{};
  std::mt19937 random(7);
  for (int i = 0; i < kWaveLength; ++i) {
    const double phase = 2.0 * std::numbers::pi * i / kWaveLength;
    int value = 128;
    if (kind == "sine") value = static_cast<int>(127.5 + 127.5 * std::sin(phase));
    if (kind == "noise") value = static_cast<int>(random() % 256);
    if (kind == "saw") value = i;
    if (kind == "square") value = i < 128 ? 255 : 0;
    wave[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value);
  }
  return wave;
}

double DistanceToSegment(double px, double py, const TracePoint& a, const TracePoint& b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  const double t =
      length2 == 0 ? 0 : std::clamp(((px - a.x) * dx + (py - a.y) * dy) / length2, 0.0, 1.0);
  return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

// For every cell size and waveform: each point lies in its column's span, neighbouring spans
// share a row (the trace is connected), and every covered pixel lies within a pixel of the
// polyline, so the spans draw the line and nothing else.
TEST(TraceWaveCellTest, SpansDrawTheConnectedPolylineThroughEveryPoint) {
  const std::vector<std::pair<int, int>> sizes = {{12, 9},   {39, 29}, {128, 96},
                                                  {600, 40}, {1, 1},   {2, 3}};
  for (const auto& [width, height] : sizes) {
    for (const std::string kind : {"sine", "noise", "saw", "square", "empty"}) {
      SCOPED_TRACE(kind + " " + std::to_string(width) + "x" + std::to_string(height));
      const CellPixels cell{5, 11, 5 + width, 11 + height};
      const Wave wave = MakeWave(kind);
      std::vector<ColumnSpan> spans(static_cast<std::size_t>(width));
      TraceWaveCell(cell, wave, spans);

      std::vector<TracePoint> points;
      for (int i = 0; i < kWaveLength; ++i) {
        points.push_back(WaveCellPoint(cell, i, wave[static_cast<std::size_t>(i)]));
      }
      for (const TracePoint& p : points) {
        ASSERT_GE(p.x, cell.left);
        ASSERT_LT(p.x, cell.right);
        const ColumnSpan& span = spans[static_cast<std::size_t>(p.x - cell.left)];
        EXPECT_TRUE(p.y >= span.top && p.y <= span.bottom) << p.x << "," << p.y;
      }
      const int first = points.front().x - cell.left;
      const int last = points.back().x - cell.left;
      for (int c = 0; c < width; ++c) {
        const ColumnSpan& span = spans[static_cast<std::size_t>(c)];
        EXPECT_EQ(span.Empty(), c < first || c > last) << c;
        if (span.Empty()) continue;
        EXPECT_GE(span.top, cell.top);
        EXPECT_LT(span.bottom, cell.bottom);
        if (c > first) {
          const ColumnSpan& left = spans[static_cast<std::size_t>(c - 1)];
          EXPECT_TRUE(span.top <= left.bottom && left.top <= span.bottom) << "gap at " << c;
        }
        for (int y = span.top; y <= span.bottom; ++y) {
          double nearest = 1e9;
          for (std::size_t i = 1; i < points.size(); ++i) {
            nearest =
                std::min(nearest, DistanceToSegment(cell.left + c, y, points[i - 1], points[i]));
          }
          EXPECT_LE(nearest, 1.0) << "stray pixel " << cell.left + c << "," << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace morvane
