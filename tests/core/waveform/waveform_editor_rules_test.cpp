#include "core/waveform/waveform_editor_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <tuple>
#include <vector>

#include "core/waveform/sample_tank_model.h"

namespace morvane {
namespace {

using Wave = std::array<std::uint8_t, 256>;

TEST(WaveformEditorRulesTest, BankAndWaveAddressTheSlot) {
  EXPECT_EQ(WaveIndex(3, 5), 197);
  EXPECT_EQ(WaveIndex(0, 0), 0);
  EXPECT_EQ(WaveIndex(31, 63), 2047);
}

TEST(WaveformEditorRulesTest, PercentCaptionTruncatesTowardsZero) {
  for (const auto& [value, percent] : std::vector<std::pair<int, int>>{
           {255, 100}, {0, -100}, {1, -100}, {128, 0}, {127, 0}, {192, 50}, {64, -50}}) {
    EXPECT_EQ(PercentOfSample(static_cast<std::uint8_t>(value)), percent) << value;
  }
}

TEST(WaveformEditorRulesTest, TransformKnobsRecomputeFromTheStoredWaveform) {
  Wave stored;
  for (int i = 0; i < 256; ++i) stored[i] = static_cast<std::uint8_t>(i);
  SampleTankModel view;
  ApplyWaveTransform(view, WaveTransform::kLevel, stored, 64);
  EXPECT_EQ(view.GetValue(0), 64);  // half level: 128 + (0 - 128) / 2
  ApplyWaveTransform(view, WaveTransform::kOffset, stored, 10);
  for (int i : {0, 100, 250}) EXPECT_EQ(view.GetValue(i), (i + 10) % 256) << i;

  for (const auto& [transform, value, index, expected] :
       std::vector<std::tuple<WaveTransform, int, int, int>>{
           {WaveTransform::kVertical, 10, 0, 10},
           {WaveTransform::kVertical, 10, 200, 190},
           {WaveTransform::kBitAvg, 1, 5, 4},
           {WaveTransform::kMask, 0x0F, 0x3C, 0x30},
           {WaveTransform::kOffset, -127, 100, 229},
       }) {
    ApplyWaveTransform(view, transform, stored, value);
    EXPECT_EQ(view.GetValue(index), expected) << static_cast<int>(transform) << " " << value;
  }
}

TEST(WaveformEditorRulesTest, LocatorDragRotatesByTheDistanceMoved) {
  EXPECT_EQ(RotationForLocatorMove(10, 4), 6);   // left: 6 places towards index 0
  EXPECT_EQ(RotationForLocatorMove(4, 10), -6);  // right: towards the end
  EXPECT_EQ(RotationForLocatorMove(7, 7), 0);
}

TEST(WaveformEditorRulesTest, RecordingWrapsBackToTheSelectionStart) {
  int locator = 10;
  std::vector<int> written;
  for (int note = 0; note < 5; ++note) {
    written.push_back(locator);
    locator = NextRecordLocator(locator, 10, 4);
  }
  EXPECT_EQ(written, (std::vector<int>{10, 11, 12, 13, 10}));
  // Without a selection every step after the first goes back to its start.
  EXPECT_EQ(NextRecordLocator(40, 3, 0), 3);
  // A selection running past the last sample: the locator reaches 255, then wraps modulo 256.
  EXPECT_EQ(NextRecordLocator(254, 200, 100), 255);
  EXPECT_EQ(NextRecordLocator(255, 200, 100), 0);
}

TEST(WaveformEditorRulesTest, EditMenuCommandsAlternate) {
  EditMenuToggles toggles;
  EXPECT_EQ(toggles.SelectAll(), (SelectionRange{0, 255}));
  EXPECT_EQ(toggles.SelectAll(), (SelectionRange{0, 0}));
  EXPECT_EQ(toggles.SelectAll(), (SelectionRange{0, 255}));

  EXPECT_EQ(toggles.SelectHalf(), (SelectionRange{0, 127}));
  EXPECT_EQ(toggles.SelectHalf(), (SelectionRange{128, 127}));
  EXPECT_EQ(toggles.SelectHalf(), (SelectionRange{0, 127}));

  EXPECT_EQ(toggles.CenterLocator(), 0);
  EXPECT_EQ(toggles.CenterLocator(), 128);
  EXPECT_EQ(toggles.CenterLocator(), 0);
}

}  // namespace
}  // namespace morvane
