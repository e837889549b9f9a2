#include "core/scales/scala_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/scales/scale_table.h"

namespace morvane {
namespace {

TEST(ScalaFileTest, ExportNamesTheBaseAndGivesCentsAboveIt) {
  EXPECT_EQ(ExportScala(0b10010100, "Scale #148"),
            "Scale #148\r\n! base D \r\n3\r\n200.0\r\n500.0\r\n1200.0\r\n");
  EXPECT_EQ(ExportScala(0, "Empty"), "Empty\r\n! base none\r\n0\r\n");
  EXPECT_EQ(ExportScala(1, "C"), "C\r\n! base C \r\n1\r\n1200.0\r\n");
}

TEST(ScalaFileTest, EveryMaskSurvivesTheRoundTrip) {
  for (int mask = 0; mask < kScaleMaskCount; ++mask) {
    const ScalaImport back = ImportScala(ExportScala(mask, "Scale #" + std::to_string(mask)));
    ASSERT_TRUE(back.ok) << mask << ": " << back.error;
    ASSERT_EQ(back.mask, mask);
  }
}

TEST(ScalaFileTest, ForeignTwelveToneFilesImportRelativeToC) {
  for (const auto& [text, mask] : std::vector<std::pair<std::string, int>>{
           {"! major.scl\n!\nMajor\n 7\n!\n200.0\n400.\n500.0\n700.0\n900.0\n1100.0\n2/1\n",
            0b101010110101},
           {"Ratios\n2\n100.0 a remark\n4/2\n", 0b11},
           {"Integer\n1\n2\n", 1},
           {"Near\n2\n700.9\n1199.5\n", 0b10000001},
           {"Bare\n0\n", 1},
           {"! base none\nNone\n0\n", 0},
           {"! base A#\nBb\n1\n100.0\n", 0b110000000000},
       }) {
    const ScalaImport result = ImportScala(text);
    EXPECT_TRUE(result.ok) << text << result.error;
    EXPECT_EQ(result.mask, mask) << text;
  }
}

TEST(ScalaFileTest, RefusalsNameTheLine) {
  for (const auto& [text, error] : std::vector<std::pair<std::string, std::string>>{
           {"", "line 1: no description"},
           {"! only a comment\n", "line 2: no description"},
           {"Name\n", "line 2: no note count"},
           {"Name\nmany\n100.0\n", "line 2: the note count is not a number"},
           {"Name\n2\n100.0\n", "line 4: the note count 2 does not match the pitch lines"},
           {"Name\n1\n100.0\n200.0\n", "line 4: the note count 1 does not match the pitch lines"},
           {"Name\n1\n150.0\n", "line 3: the pitch is not a semitone of one octave"},
           {"Name\n1\n2400.0\n", "line 3: the pitch is not a semitone of one octave"},
           {"Name\n1\n5/4\n", "line 3: the pitch is not a semitone of one octave"},
           {"Name\n1\n9/8\n", "line 3: the pitch is not a semitone of one octave"},
           {"Name\n1\nabc\n", "line 3: the pitch is not a number"},
           {"Name\n1\n3/0\n", "line 3: the pitch is not a number"},
           {std::string("Name\n1\n1\0"
                        "00.0\n",
                        13),
            "line 3: not a text file"},
           {"! base none\nNone\n1\n100.0\n", "line 3: a scale with base none has notes"},
       }) {
    const ScalaImport result = ImportScala(text);
    EXPECT_FALSE(result.ok) << text;
    EXPECT_EQ(result.error, error) << text;
  }
}

TEST(ScalaFileTest, HugeFileIsRefusedUnread) {
  const ScalaImport result = ImportScala(std::string(kScalaFileLimit + 1, '!'));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "the file is larger than 64 KB");
}

}  // namespace
}  // namespace morvane
