#include "core/scales/scale_table.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(ScaleTableTest, AllTwelveNotesFillTwoSamplesPerSemitoneThenHoldAt254) {
  const ScaleTable table = CalcScalesAuto(0xFFF, 2, 10, 0);
  EXPECT_EQ(table.selected_notes, 12);
  EXPECT_EQ(table.samples_per_note, 2);
  for (int i = 0; i < 240; ++i) EXPECT_EQ(table.samples[i], i / 2 * 2) << i;
  for (int i = 240; i < 256; ++i) EXPECT_EQ(table.samples[i], i / 2 * 2) << i;
}

TEST(ScaleTableTest, Scale127HoldsAt254FromTheSixthTailGroup) {
  const ScaleTable table = CalcScalesAuto(127, 2, 10, 0);
  EXPECT_EQ(table.samples_per_note, 3);
  const int notes[] = {0, 2, 4, 6, 8, 10, 12};
  for (int i = 0; i < 210; ++i) {
    EXPECT_EQ(table.samples[i], 24 * (i / 21) + notes[(i % 21) / 3]) << i;
  }
  for (int i = 210; i < 228; ++i) EXPECT_EQ(table.samples[i], 240 + 2 * ((i - 210) / 3)) << i;
  for (int i = 228; i < 256; ++i) EXPECT_EQ(table.samples[i], 254) << i;
}

TEST(ScaleTableTest, OnlyCGivesOneSampleGroupPerOctaveAndAShortTail) {
  const ScaleTable table = CalcScalesAuto(1, 2, 10, 0);
  EXPECT_EQ(table.selected_notes, 1);
  EXPECT_EQ(table.samples_per_note, 25);
  for (int i = 0; i < 250; ++i) EXPECT_EQ(table.samples[i], 24 * (i / 25)) << i;
  for (int i = 250; i < 256; ++i) EXPECT_EQ(table.samples[i], 240) << i;
}

TEST(ScaleTableTest, BodyValuesAreClampedAt255WithoutTail) {
  const ScaleTable table = CalcScalesAuto(1, 128, 2, 0);
  EXPECT_EQ(table.samples_per_note, 128);
  for (int i = 0; i < 128; ++i) EXPECT_EQ(table.samples[i], 0) << i;
  for (int i = 128; i < 256; ++i) EXPECT_EQ(table.samples[i], 255) << i;
}

TEST(ScaleTableTest, NoNoteGivesZerosAndNoStep) {
  const ScaleTable table = CalcScalesAuto(0, 2, 10, 5);
  EXPECT_EQ(table.selected_notes, 0);
  EXPECT_EQ(table.samples_per_note, 0);
  for (int value : table.samples) EXPECT_EQ(value, 0);
}

TEST(ScaleTableTest, TransposeShiftsEveryValueBySemitoneSteps) {
  const ScaleTable plain = CalcScalesAuto(0b101, 2, 4, 0);
  const ScaleTable shifted = CalcScalesAuto(0b101, 2, 4, 3);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(shifted.samples[i], plain.samples[i] + 6) << i;
}

}  // namespace
}  // namespace morvane
