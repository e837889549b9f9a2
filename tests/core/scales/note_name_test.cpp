#include "core/scales/note_name.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace morvane {
namespace {

TEST(NoteNameTest, NamesTheSemitoneWithOrWithoutOctave) {
  for (const auto& [n, offset, with_octave, expected] :
       std::vector<std::tuple<int, int, bool, std::string>>{
           {61, 0, true, "C#3"},
           {24, 0, true, "C 0"},
           {0, 0, true, "C -2"},
           {60, 0, true, "C 3"},
           {70, 0, false, "A#"},
           {0, 0, false, "C "},
           {11, 0, true, "B -2"},
           {12, 0, true, "C -1"},
           {4, 1, false, "F "},  // the offset is added before naming
           {127, 0, true, "G 8"},
       }) {
    EXPECT_EQ(NoteName(n, offset, with_octave), expected) << n << "+" << offset;
  }
}

TEST(NoteNameTest, SharpsAreTheFiveBlackKeys) {
  std::string seen;
  for (int m = 0; m < 12; ++m) seen += NoteName(m, 0, false);
  EXPECT_EQ(seen, "C C#D D#E F F#G G#A A#B ");
}

}  // namespace
}  // namespace morvane
