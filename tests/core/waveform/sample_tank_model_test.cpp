#include "core/waveform/sample_tank_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/settings/temp_folder.h"

namespace morvane {
namespace {

using Wave = std::array<std::uint8_t, kTankCapacity>;

Wave Filled(std::uint8_t value) {
  Wave wave;
  wave.fill(value);
  return wave;
}

// 0, 1, 2, ... 255.
Wave Ramp() {
  Wave wave;
  for (int i = 0; i < kTankCapacity; ++i) wave[i] = static_cast<std::uint8_t>(i);
  return wave;
}

Wave Contents(const SampleTankModel& model) {
  Wave wave;
  model.GetData(wave);
  return wave;
}

TEST(SampleTankModelTest, StartsZeroedWithAllSamplesShown) {
  SampleTankModel model;
  EXPECT_EQ(Contents(model), Filled(0));
  EXPECT_EQ(model.Clip()[0], 0);
  EXPECT_EQ(model.ClipLength(), 0);
  EXPECT_EQ(model.Max(), 256);
  EXPECT_EQ(model.LocatorPos(), 0);
  EXPECT_EQ(model.SelectionLen(), 0);
}

TEST(SampleTankModelTest, MaxIsKeptWithinTheBuffer) {
  SampleTankModel model;
  for (const auto& [set, expected] :
       std::vector<std::pair<int, int>>{{128, 128}, {300, 256}, {0, 1}, {-4, 1}, {1, 1}}) {
    model.SetMax(set);
    EXPECT_EQ(model.Max(), expected) << set;
  }
}

TEST(SampleTankModelTest, SingleValuesIgnoreIndicesOutsideTheBuffer) {
  SampleTankModel model;
  EXPECT_TRUE(model.SetValue(255, 9));
  EXPECT_FALSE(model.SetValue(255, 9));  // unchanged: the view need not repaint
  EXPECT_FALSE(model.SetValue(256, 9));
  EXPECT_FALSE(model.SetValue(-1, 9));
  EXPECT_EQ(model.GetValue(255), 9);
  EXPECT_EQ(model.GetValue(256), 0);
  EXPECT_EQ(model.GetValue(-1), 0);
}

TEST(SampleTankModelTest, SetDataCopiesFromTheStartAndNeverPastTheBuffer) {
  SampleTankModel model;
  const std::vector<std::uint8_t> longer(300, 7);
  model.SetData(longer);
  EXPECT_EQ(Contents(model), Filled(7));
  const std::array<std::uint8_t, 3> head = {1, 2, 3};
  model.SetData(head);
  EXPECT_EQ(model.GetValue(2), 3);
  EXPECT_EQ(model.GetValue(3), 7);
}

TEST(SampleTankModelTest, FillAndClearTouchOnlyTheShownSamples) {
  SampleTankModel model;
  model.SetData(Filled(50));
  model.SetMax(128);
  model.Fill(9);
  EXPECT_EQ(model.GetValue(127), 9);
  EXPECT_EQ(model.GetValue(128), 50);
  model.Clear();
  EXPECT_EQ(model.GetValue(0), 0);
  EXPECT_EQ(model.GetValue(200), 50);
}

struct ByteMapCase {
  std::uint8_t in, out;
};

TEST(SampleTankModelTest, UnsignedFoldsOnlyTheLowHalfAboveZero) {
  const std::vector<ByteMapCase> cases = {{1, 127},   {100, 28},  {127, 1},  {0, 0},
                                          {128, 128}, {200, 200}, {255, 255}};
  SampleTankModel model;
  for (std::size_t i = 0; i < cases.size(); ++i) model.SetValue(static_cast<int>(i), cases[i].in);
  model.Unsigned();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(model.GetValue(static_cast<int>(i)), cases[i].out) << int{cases[i].in};
  }
}

TEST(SampleTankModelTest, AlternateRightWritesTheNegatedMirrorOfTheFirstHalf) {
  SampleTankModel model;
  Wave wave = Filled(200);
  wave[0] = 0;
  model.SetData(wave);
  model.AlternateRight();
  EXPECT_EQ(model.GetValue(255), 0);  // 256 - 0 wraps back to 0
  for (int i = 128; i < 255; ++i) ASSERT_EQ(model.GetValue(i), 56) << i;
  EXPECT_EQ(model.GetValue(0), 0);  // the first half is the source
  EXPECT_EQ(model.GetValue(1), 200);
}

TEST(SampleTankModelTest, AlternateAndMirrorLeaveTheMiddleOfAnOddCount) {
  // Five samples 10 20 30 40 50: the pairs are (0, 4) and (1, 3); index 2 is the centre.
  struct Case {
    void (SampleTankModel::*operation)();
    Wave expected_head;
  };
  auto head = [](std::array<std::uint8_t, 5> five) {
    Wave wave = Ramp();
    std::copy(five.begin(), five.end(), wave.begin());
    return wave;
  };
  const std::vector<Case> cases = {
      {&SampleTankModel::AlternateRight, head({10, 20, 30, 236, 246})},
      {&SampleTankModel::AlternateLeft, head({206, 216, 30, 40, 50})},
      {&SampleTankModel::MirrorLeft, head({10, 20, 30, 20, 10})},
      {&SampleTankModel::MirrorRight, head({50, 40, 30, 40, 50})},
      {&SampleTankModel::Reverse, head({50, 40, 30, 20, 10})},
  };
  for (const Case& c : cases) {
    SampleTankModel model;
    model.SetData(head({10, 20, 30, 40, 50}));
    model.SetMax(5);
    (model.*c.operation)();
    EXPECT_EQ(Contents(model), c.expected_head);  // samples past Max untouched too
  }
}

TEST(SampleTankModelTest, RotationsTurnTheShownSamplesOnly) {
  struct Case {
    int max;
    bool left;
    int n;
    int index;
    std::uint8_t expected;
  };
  const std::vector<Case> cases = {
      {256, true, 1, 0, 1},     {256, true, 1, 255, 0},    // first sample goes to the end
      {256, false, 1, 0, 255},  {256, false, 1, 1, 0},     // last sample to the front
      {256, true, 257, 0, 1},   {256, false, -1, 0, 1},    // whole turns; negative turns back
      {128, true, 1, 127, 0},   {128, true, 1, 128, 128},  // tail past Max stays
      {128, false, 10, 0, 118}, {256, true, 0, 7, 7},
  };
  for (const Case& c : cases) {
    SampleTankModel model;
    model.SetData(Ramp());
    model.SetMax(c.max);
    if (c.left) {
      model.RotateLeft(c.n);
    } else {
      model.RotateRight(c.n);
    }
    EXPECT_EQ(model.GetValue(c.index), c.expected)
        << (c.left ? "left " : "right ") << c.n << " max " << c.max << " at " << c.index;
  }
}

// Apply operations: one source sample, one parameter, one result, at a first-half index (0)
// and at a second-half index (200).
struct ApplyCase {
  const char* name;
  bool (SampleTankModel::*operation)(std::span<const std::uint8_t>, int);
  int parameter;
  std::uint8_t source, first_half, second_half;
};

class ApplyTest : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyTest, ComputesFromTheSourceWithoutAccumulating) {
  const ApplyCase& t = GetParam();
  SampleTankModel model;
  model.SetData(Filled(77));  // what the view held before: must not matter
  const Wave source = Filled(t.source);
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE((model.*t.operation)(source, t.parameter));
    EXPECT_EQ(model.GetValue(0), t.first_half) << t.name << " round " << round;
    EXPECT_EQ(model.GetValue(200), t.second_half) << t.name << " round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, ApplyTest,
    ::testing::Values(
        ApplyCase{"mask", &SampleTankModel::ApplyMask, 0x0F, 0xAB, 0xA0, 0xA0},
        ApplyCase{"mask none", &SampleTankModel::ApplyMask, 0, 0xAB, 0xAB, 0xAB},
        ApplyCase{"offset up wraps", &SampleTankModel::ApplyOffset, 10, 250, 4, 4},
        ApplyCase{"offset down wraps", &SampleTankModel::ApplyOffset, -10, 5, 251, 251},
        ApplyCase{"vertical", &SampleTankModel::ApplyVertical, 10, 100, 110, 90},
        ApplyCase{"vertical wraps", &SampleTankModel::ApplyVertical, 10, 250, 4, 240},
        ApplyCase{"vertical wraps down", &SampleTankModel::ApplyVertical, 10, 5, 15, 251},
        ApplyCase{"level unity copies", &SampleTankModel::ApplyLevel, 128, 200, 200, 200},
        ApplyCase{"level zero is flat", &SampleTankModel::ApplyLevel, 0, 200, 128, 128},
        ApplyCase{"level double wraps", &SampleTankModel::ApplyLevel, 256, 200, 16, 16},
        ApplyCase{"level double below", &SampleTankModel::ApplyLevel, 256, 0, 128, 128},
        ApplyCase{"level inverts", &SampleTankModel::ApplyLevel, -128, 200, 56, 56},
        ApplyCase{"level half truncates", &SampleTankModel::ApplyLevel, 64, 127, 127, 127},
        ApplyCase{"level half up", &SampleTankModel::ApplyLevel, 64, 131, 129, 129},
        ApplyCase{"level largest", &SampleTankModel::ApplyLevel, 999, 0, 153, 153}));

TEST(SampleTankModelTest, ApplyRefusesASourceShorterThanTheShownSamples) {
  SampleTankModel model;
  model.SetData(Filled(3));
  const std::vector<std::uint8_t> short_source(255, 100);
  EXPECT_FALSE(model.ApplyOffset(short_source, 1));
  EXPECT_FALSE(model.ApplyBitAverage(short_source, 2));
  EXPECT_FALSE(model.Normalise(short_source));
  EXPECT_EQ(Contents(model), Filled(3));
  model.SetMax(255);
  EXPECT_TRUE(model.ApplyOffset(short_source, 1));
  EXPECT_EQ(model.GetValue(254), 101);
  EXPECT_EQ(model.GetValue(255), 3);
}

TEST(SampleTankModelTest, BitAverageOfOneShiftsOnePlaceRight) {
  SampleTankModel model;
  ASSERT_TRUE(model.ApplyBitAverage(Ramp(), 1));
  EXPECT_EQ(model.GetValue(0), 255);  // wraps round: source[255]
  EXPECT_EQ(model.GetValue(1), 0);
  EXPECT_EQ(model.GetValue(200), 199);
}

TEST(SampleTankModelTest, BitAverageWindowsReachBackHalfTheirWidth) {
  Wave source = Filled(0);
  source[10] = 30;
  source[11] = 61;
  source[12] = 90;
  struct Case {
    int count, index;
    std::uint8_t expected;
  };
  const std::vector<Case> cases = {
      {2, 11, 45},  // mean of source[10] and source[11], truncated
      {2, 12, 75},  // (61 + 90) / 2
      {3, 12, 60},  // source[10..12]
      {3, 13, 50},  // source[11..13]
      {4, 12, 45},  // source[10..13]
      {4, 13, 37},  // source[11..14]
  };
  for (const Case& c : cases) {
    SampleTankModel model;
    ASSERT_TRUE(model.ApplyBitAverage(source, c.count));
    EXPECT_EQ(model.GetValue(c.index), c.expected) << "count " << c.count << " at " << c.index;
  }
}

TEST(SampleTankModelTest, BitAverageOfTheWidestWindowLeavesOneSampleOut) {
  Wave source = Filled(255);
  source[127] = 0;
  SampleTankModel model;
  ASSERT_TRUE(model.ApplyBitAverage(source, 255));
  EXPECT_EQ(model.GetValue(0), 255);  // source[-128..126]: index 127 left out
  EXPECT_EQ(model.GetValue(1), 254);  // source[-127..127]: index 128 left out
}

TEST(SampleTankModelTest, BitAverageWrapsWithinTheShownSamples) {
  SampleTankModel model;
  model.SetMax(128);
  ASSERT_TRUE(model.ApplyBitAverage(Ramp(), 1));
  EXPECT_EQ(model.GetValue(0), 127);  // source[127], not source[255]
}

TEST(SampleTankModelTest, BitAverageBelowOneLeavesTheSamples) {
  SampleTankModel model;
  model.SetData(Filled(9));
  EXPECT_TRUE(model.ApplyBitAverage(Ramp(), 0));
  EXPECT_EQ(Contents(model), Filled(9));
}

// A source spanning lowest..highest (first and last of the ramp between them).
Wave Spanning(int lowest, int highest) {
  Wave wave = Filled(static_cast<std::uint8_t>(lowest));
  for (int i = 0; i < kTankCapacity; ++i) {
    wave[i] = static_cast<std::uint8_t>(lowest + (highest - lowest) * i / (kTankCapacity - 1));
  }
  return wave;
}

TEST(SampleTankModelTest, CenterMovesTheShownMiddleTo128) {
  // 20..100: m = 20 + 81 / 2 = 60, so every sample rises by 68.
  SampleTankModel model;
  const Wave source = Spanning(20, 100);
  model.SetData(source);
  ASSERT_TRUE(model.Center(source));
  EXPECT_EQ(model.GetValue(0), 88);
  EXPECT_EQ(model.GetValue(255), 168);
}

TEST(SampleTankModelTest, CenterTakesItsRangeFromTheViewAndItsValuesFromTheSource) {
  SampleTankModel model;
  model.SetData(Spanning(20, 100));  // m = 60: +68
  ASSERT_TRUE(model.Center(Filled(10)));
  EXPECT_EQ(Contents(model), Filled(78));
}

TEST(SampleTankModelTest, CenterLeavesTheViewWhenItsMiddleIs127) {
  SampleTankModel model;
  const Wave shown = Spanning(100, 154);  // m = 100 + 55 / 2 = 127
  model.SetData(shown);
  ASSERT_TRUE(model.Center(Filled(10)));
  EXPECT_EQ(Contents(model), shown);
}

TEST(SampleTankModelTest, NormaliseLeavesAFullRangeUnchanged) {
  SampleTankModel model;
  model.SetData(Ramp());
  Wave falling = Ramp();
  std::reverse(falling.begin(), falling.end());
  ASSERT_TRUE(model.Normalise(falling));
  EXPECT_EQ(Contents(model), Ramp());         // not even copied from the source
  const Wave almost_full = Spanning(0, 254);  // r = 255
  model.SetData(almost_full);
  ASSERT_TRUE(model.Normalise(almost_full));
  EXPECT_EQ(Contents(model), almost_full);
}

TEST(SampleTankModelTest, NormaliseCentresThenStretchesWithClipping) {
  // 100..131: m = 116, work = source + 12 = 112..143, r = 32, gain 8.
  SampleTankModel model;
  const Wave source = Spanning(100, 131);
  model.SetData(source);
  ASSERT_TRUE(model.Normalise(source));
  EXPECT_EQ(model.GetValue(0), 0);      // 128 + 8 * -16
  EXPECT_EQ(model.GetValue(255), 248);  // 128 + 8 * 15
  for (int i = 0; i < kTankCapacity; ++i) {
    ASSERT_EQ(model.GetValue(i), std::clamp(128 + 8 * (source[i] + 12 - 128), 0, 255)) << i;
  }
}

TEST(SampleTankModelTest, NormaliseUsesTheSourceAsItIsWhenTheMiddleIs127) {
  // 111..143: m = 111 + 33 / 2 = 127, r = 33, gain 256 / 33.
  SampleTankModel model;
  const Wave source = Spanning(111, 143);
  model.SetData(source);
  ASSERT_TRUE(model.Normalise(source));
  EXPECT_EQ(model.GetValue(0), 0);      // 128 - 131.9 truncates to -3, clipped
  EXPECT_EQ(model.GetValue(255), 244);  // 128 + 116.36
}

class ClipTest : public ::testing::Test {
 protected:
  void SetUp() override { model_.SetData(Ramp()); }
  void Select(int pos, int len) {
    model_.SetSelectionPos(pos);
    model_.SetSelectionLen(len);
  }
  SampleTankModel model_;
};

TEST_F(ClipTest, NothingHappensWithoutASelection) {
  model_.CopySelection();
  model_.CutSelection(0);
  EXPECT_EQ(model_.ClipLength(), 0);
  EXPECT_EQ(Contents(model_), Ramp());
  model_.SetSelectionPos(3);
  model_.CopySelection();  // length still 0
  EXPECT_EQ(model_.ClipLength(), 0);
}

TEST_F(ClipTest, CutCopiesThenFillsTheSelection) {
  Select(10, 5);
  model_.CutSelection(128);
  EXPECT_EQ(model_.ClipLength(), 5);
  EXPECT_EQ(model_.Clip()[0], 10);
  EXPECT_EQ(model_.Clip()[4], 14);
  EXPECT_EQ(model_.GetValue(9), 9);
  EXPECT_EQ(model_.GetValue(10), 128);
  EXPECT_EQ(model_.GetValue(14), 128);
  EXPECT_EQ(model_.GetValue(15), 15);
}

TEST_F(ClipTest, SelectionsReachingPastTheShownSamplesStopAtThem) {
  model_.SetMax(128);
  Select(120, 20);
  model_.CutSelection(0);
  EXPECT_EQ(model_.ClipLength(), 8);
  EXPECT_EQ(model_.GetValue(127), 0);
  EXPECT_EQ(model_.GetValue(128), 128);  // hidden samples are not edited
  Select(300, 5);
  model_.CopySelection();
  EXPECT_EQ(model_.ClipLength(), 0);
}

TEST_F(ClipTest, PasteWritesWhatFitsFromTheLocator) {
  Select(0, 20);
  model_.CopySelection();
  model_.SetData(Filled(1));
  model_.SetLocatorPos(250);
  model_.PasteAtLocator();
  for (int i = 250; i < 256; ++i) EXPECT_EQ(model_.GetValue(i), i - 250);
  EXPECT_EQ(model_.GetValue(249), 1);
  EXPECT_EQ(model_.GetValue(0), 1);  // nothing wrapped round
}

TEST_F(ClipTest, PasteNeedsASelection) {
  Select(0, 20);
  model_.CopySelection();
  model_.SetData(Filled(1));
  Select(0, 0);
  model_.PasteAtLocator();
  EXPECT_EQ(Contents(model_), Filled(1));
}

TEST(SampleTankFileTest, SavesTheShownSamplesOnly) {
  TempFolder folder;
  SampleTankModel model;
  model.SetData(Ramp());
  model.SetMax(100);
  ASSERT_TRUE(model.SaveToFile(folder / "wave.bin"));
  const std::string bytes = ReadBytes(folder / "wave.bin");
  ASSERT_EQ(bytes.size(), 100u);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[99]), 99);
}

TEST(SampleTankFileTest, LoadsAtMostTheShownSamplesAndKeepsTheRest) {
  TempFolder folder;
  WriteBytes(folder / "short.bin", std::string(10, '\x05'));
  WriteBytes(folder / "long.bin", std::string(300, '\x06'));
  SampleTankModel model;
  model.SetData(Filled(1));
  ASSERT_TRUE(model.LoadFromFile(folder / "short.bin"));
  EXPECT_EQ(model.GetValue(9), 5);
  EXPECT_EQ(model.GetValue(10), 1);
  model.SetMax(128);
  ASSERT_TRUE(model.LoadFromFile(folder / "long.bin"));
  EXPECT_EQ(model.GetValue(127), 6);
  EXPECT_EQ(model.GetValue(128), 1);
}

TEST(SampleTankFileTest, RoundTripsAWaveform) {
  TempFolder folder;
  SampleTankModel saved;
  saved.SetData(Ramp());
  ASSERT_TRUE(saved.SaveToFile(folder / "ramp.bin"));
  SampleTankModel loaded;
  ASSERT_TRUE(loaded.LoadFromFile(folder / "ramp.bin"));
  EXPECT_EQ(Contents(loaded), Ramp());
}

TEST(SampleTankFileTest, ReportsFailuresAndKeepsWhatWasThere) {
  TempFolder folder;
  SampleTankModel model;
  model.SetData(Filled(4));
  EXPECT_FALSE(model.LoadFromFile(folder / "missing.bin"));
  EXPECT_FALSE(model.LoadFromFile(folder.Path()));  // a folder is not a sample file
  EXPECT_EQ(Contents(model), Filled(4));

  // A save that cannot replace its target leaves the target and no stray file behind.
  std::filesystem::create_directory(folder / "taken");
  WriteBytes(folder / "taken" / "inside.bin", "keep");
  EXPECT_FALSE(model.SaveToFile(folder / "taken"));
  EXPECT_EQ(ReadBytes(folder / "taken" / "inside.bin"), "keep");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace morvane
