#include "core/wavetable/scale_pass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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
