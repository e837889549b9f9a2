#include "core/midi/controller_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace morvane {
namespace {

// "Controler n°" with the degree sign as UTF-8 bytes.
const std::string kNumbered = "Controler n\xC2\xB0 ";

TEST(ControllerNamesTest, ListHasNoneThenOneEntryPerController) {
  const std::vector<std::string> list = ControllerList();
  ASSERT_EQ(list.size(), 129u);
  EXPECT_EQ(list[0], "----- none-------");
  for (int position = 0; position < 129; ++position) {
    EXPECT_EQ(ControllerListEntry(position), list[static_cast<std::size_t>(position)]);
  }
  // 67 controllers have a name; every other one is numbered.
  const auto numbered = std::count_if(list.begin(), list.end(), [](const std::string& entry) {
    return entry.rfind(kNumbered, 0) == 0;
  });
  EXPECT_EQ(numbered, 128 - 67);
  EXPECT_EQ(ControllerListEntry(-1), "");
  EXPECT_EQ(ControllerListEntry(129), "");
}

TEST(ControllerNamesTest, EntriesKeepTheirExactTexts) {
  struct Case {
    int controller;
    std::string text;
  };
  for (const Case& c : std::vector<Case>{{0, "Bank Select"},
                                         {3, kNumbered + "3"},
                                         {14, kNumbered + "14"},
                                         {32, "Bank Select (fine)"},
                                         {64, "Hold Pedal (on/off)  "},
                                         {68, "Legato Pedal (on/off)"},
                                         {70, "Sound Variation    "},
                                         {71, "Sound Timbre       "},
                                         {79, "Sound Control 10 "},
                                         {95, "Phaser Level "},
                                         {97, "Data Button decrement "},
                                         {102, kNumbered + "102"},
                                         {120, "All Sound Off "},
                                         {127, "Poly Operation"}}) {
    EXPECT_EQ(ControllerListEntry(c.controller + 1), c.text) << c.controller;
  }
}

TEST(ControllerNamesTest, ListPositionIsControllerNumberPlusOneAndNoneIs255) {
  EXPECT_EQ(ControllerNumberFromListPosition(0), 255);
  EXPECT_EQ(ControllerNumberFromListPosition(1), 0);
  EXPECT_EQ(ControllerNumberFromListPosition(128), 127);
  EXPECT_EQ(ControllerNumberFromListPosition(-1), 255) << "no selection";
  EXPECT_EQ(ControllerNumberFromListPosition(129), 255);
  for (int position = 0; position < 129; ++position) {
    EXPECT_EQ(ListPositionFromControllerNumber(ControllerNumberFromListPosition(position)),
              position);
  }
  // A byte that is no controller (255 from a module, or garbage) shows "none", never a
  // position past the end of the list.
  for (int number : {255, 128, 200, -1}) EXPECT_EQ(ListPositionFromControllerNumber(number), 0);
}

}  // namespace
}  // namespace morvane
