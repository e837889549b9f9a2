#include "core/wavetable/scale_pass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

namespace morvane {
namespace {

using Wave = std::array<std::uint8_t, kWaveLength>;

// A staircase of steps `width` samples wide holding the values of `notes` (semitones within the
// octave) at `step` units per semitone, octave after octave, capped at 255.
Wave Staircase(std::vector<int> notes, int width, int step) {
  Wave wave{};
  for (int i = 0; i < kWaveLength; ++i) {
    const int n = i / width;
    const int size = static_cast<int>(notes.size());
    const int value = (12 * (n / size) + notes[static_cast<std::size_t>(n % size)]) * step;
    wave[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::min(value, 255));
  }
  return wave;
}

// The rule read plainly, one condition after the other over every sample: the yardstick of the
// single pass over the value changes.
int PlainDetectScale(const Wave& s, int step) {
  step = std::clamp(step, 1, 128);
  if (std::all_of(s.begin(), s.end(), [](std::uint8_t v) { return v == 128; })) return kNotAScale;
  const int top = 255 - step;
  for (int i = 0; i < kWaveLength; ++i) {
    if (i + 1 < kWaveLength && s[i + 1] < s[i]) return kNotAScale;
    if (s[i] <= top && (s[i] - s[0]) % step != 0) return kNotAScale;
  }
  int w = 1;
  while (w < kWaveLength && s[w] == s[0]) ++w;
  for (int b = 0; b < kWaveLength / w; ++b) {
    for (int m = 1; m < w; ++m) {
      const int v = s[b * w + m];
      if (v <= top && v != s[b * w]) return kIrregularScale;
    }
  }
  int mask = 0;
  for (int i = 1; i < kWaveLength; ++i) {
    const int n = s[i] / step;
    if (n <= 11) mask |= 1 << n;
    if (s[i] >= s[0] + 12 * step) break;
  }
  return mask;
}

// Staircases of every width, step and start, each also with one sample moved, raised off the grid
// or dropped, near the top and at the zero line.
TEST(DetectScaleTest, TheSinglePassAgreesWithThePlainRuleOnManyStaircases) {
  std::mt19937 random(2024);
  const auto pick = [&random](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  std::array<int, 4> verdicts{};  // not a scale, irregular, mask 0, a mask
  for (int trial = 0; trial < 20000; ++trial) {
    const int step = std::array<int, 8>{1, 2, 3, 4, 5, 7, 12, 128}[pick(0, 7)];
    const int width = pick(1, 40);
    Wave wave{};
    int value = pick(0, 3) == 0 ? 128 : pick(0, 60);
    int run = 0;
    int this_width = width;
    for (int i = 0; i < kWaveLength; ++i) {
      wave[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::min(value, 255));
      if (++run == this_width) {
        run = 0;
        value += step * pick(0, 2);
        this_width = pick(0, 9) == 0 ? pick(1, 40) : width;
      }
    }
    switch (pick(0, 4)) {
      case 0:
        wave[static_cast<std::size_t>(pick(0, 255))] ^= static_cast<std::uint8_t>(1 << pick(0, 7));
        break;
      case 1:
        std::fill(wave.begin(), wave.end(), 128);
        break;
      case 2:
        std::fill(wave.begin() + pick(100, 255), wave.end(),
                  static_cast<std::uint8_t>(pick(240, 255)));
        break;
      default:
        break;
    }
    const int expected = PlainDetectScale(wave, step);
    ASSERT_EQ(DetectScale(wave, step), expected) << "trial " << trial;
    ++verdicts[static_cast<std::size_t>(expected < 0 ? expected + 2 : (expected == 0 ? 2 : 3))];
  }
  // Every verdict was met often.
  for (const int count : verdicts)
    EXPECT_GT(count, 100) << verdicts[0] << " " << verdicts[1] << " " << verdicts[2] << " "
                          << verdicts[3];
}

TEST(DetectScaleTest, TheStaircasesOfTheTable) {
  Wave ramp{};
  for (int i = 0; i < kWaveLength; ++i)
    ramp[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  Wave falling = ramp;
  std::ranges::reverse(falling);
  Wave empty{};
  empty.fill(kZeroLine);
  Wave constant{};
  constant.fill(60);
  Wave uneven = Staircase({0, 4, 7}, 8, 2);
  std::fill(uneven.begin(), uneven.begin() + 16, 0);  // first step 16 wide, then 8
  Wave off_grid = Staircase({0, 4, 7}, 16, 2);
  off_grid[40] = 9;  // between 8 and 14 but odd

  struct Case {
    const char* name;
    Wave wave;
    int step;
    int result;
  };
  const Case cases[] = {
      {"C E G", Staircase({0, 4, 7}, 16, 2), 2, 145},
      {"C major", Staircase({0, 2, 4, 5, 7, 9, 11}, 8, 2), 2, 2741},
      {"ramp", ramp, 1, 0xFFE},
      {"falling", falling, 1, kNotAScale},
      {"empty", empty, 2, kNotAScale},
      {"uneven steps", uneven, 2, kIrregularScale},
      {"constant 60", constant, 2, 0},
      {"off the step grid", off_grid, 2, kNotAScale},
      {"step 0 taken as 1", ramp, 0, 0xFFE},
  };
  for (const Case& c : cases) EXPECT_EQ(DetectScale(c.wave, c.step), c.result) << c.name;
}

TEST(ScalePassTest, LinesMarkersAndCounters) {
  WavetableStore store;
  store.ClearAll();
  const Wave c_major = Staircase({0, 2, 4, 5, 7, 9, 11}, 8, 2);
  const Wave ceg = Staircase({0, 4, 7}, 16, 2);
  Wave uneven = ceg;
  std::fill(uneven.begin() + 16, uneven.begin() + 24, 0);
  Wave constant{};
  constant.fill(60);
  std::ranges::copy(c_major, store.Wave(12).begin());
  std::ranges::copy(ceg, store.Wave(300).begin());
  std::ranges::copy(ceg, store.Wave(2047).begin());
  std::ranges::copy(uneven, store.Wave(40).begin());
  std::ranges::copy(constant, store.Wave(1000).begin());
  store.SetMarker(5, kMarkerMark);
  const std::vector<std::string> presets = {" 0145 is not a number-", "x- 145", " 2741- C Major",
                                            " 2741- again"};
  const ScalePassResult result = RunScalePass(store, 2, presets);
  EXPECT_EQ(result.lines, (std::vector<std::string>{" 0012- 2741- C Major", " 0040- Unknow ",
                                                    " 0300- 145", " 1000- Unknow ", " 2047- 145"}));
  EXPECT_EQ(result.Recognised(), 3);
  EXPECT_EQ(result.irregular, 2);
  EXPECT_EQ(store.Marker(12), kMarkerScale);
  EXPECT_EQ(store.Marker(40), kMarkerIrregularScale);
  EXPECT_EQ(store.Marker(1000), kMarkerIrregularScale);
  EXPECT_EQ(store.Marker(2047), kMarkerScale);
  EXPECT_EQ(store.Marker(5), kMarkerNone);
}

TEST(ScalePassTest, ListLinesReadBack) {
  struct Case {
    std::string line;
    int k;
    int mask;  // -1: none
  };
  const Case cases[] = {
      {" 0012- 2741- C Major", 12, 2741},
      {" 0300- 145", 300, 145},
      {" 2047- Unknow ", 2047, -1},
      {" 0007- 4094", 7, 4094},
  };
  for (const Case& c : cases) {
    const auto choice = ParseScaleListLine(c.line);
    ASSERT_TRUE(choice) << c.line;
    EXPECT_EQ(choice->k, c.k);
    EXPECT_EQ(choice->mask.value_or(-1), c.mask) << c.line;
  }
  for (const std::string bad : {"", "-", " 2048- 1", "abc- 1", " 12"}) {
    EXPECT_FALSE(ParseScaleListLine(bad)) << bad;
  }
}

}  // namespace
}  // namespace morvane
