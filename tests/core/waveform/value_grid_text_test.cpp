#include "core/waveform/value_grid_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace morvane {
namespace {

TEST(ValueGridTextTest, ShowsDecimalOrTwoHexDigits) {
  for (const auto& [value, decimal, hex] : std::vector<std::tuple<int, std::string, std::string>>{
           {0, "0", "00"}, {9, "9", "09"}, {200, "200", "C8"}, {255, "255", "FF"}}) {
    EXPECT_EQ(ValueText(static_cast<std::uint8_t>(value), ValueFormat::kDecimal), decimal);
    EXPECT_EQ(ValueText(static_cast<std::uint8_t>(value), ValueFormat::kHexadecimal), hex);
  }
}

TEST(ValueGridTextTest, EditedTextKeepsTheLowEightBitsOfItsDecimalValue) {
  for (const auto& [text, sample] : std::vector<std::pair<std::string, int>>{
           {"300", 44},
           {"255", 255},
           {"256", 0},
           {"-1", 255},
           {" 12 ", 12},
           {"+7", 7},
           {"", 0},
           {"abc", 0},
           {"FF", 0},  // hexadecimal digits are not a decimal number
           {"12x", 0},
           {"1 2", 0},
           {"+-5", 0},
           {"99999999999", 0},  // too large for an integer: not a number
       }) {
    EXPECT_EQ(SampleFromCellText(text), sample) << '"' << text << '"';
  }
}

TEST(ValueGridTextTest, NoteColumnNamesTheSemitoneOfValueDivStep) {
  for (const auto& [value, step, name] : std::vector<std::tuple<int, int, std::string>>{
           {0, 2, "C -2"},
           {1, 2, "C -2"},
           {2, 2, "C#-2"},
           {24, 2, "C -1"},
           {120, 2, "C 3"},
           {122, 2, "C#3"},
           {255, 2, "G 8"},
           {255, 1, "D#19"},
           {255, 128, "C#-2"},
           {100, 0, "E 6"},  // a step below 1 counts as 1
       }) {
    EXPECT_EQ(ValueNoteName(static_cast<std::uint8_t>(value), step), name) << value << "/" << step;
  }
}

}  // namespace
}  // namespace morvane
