#include "core/wavetable/file_names.h"

#include <gtest/gtest.h>

#include <string>

namespace morvane {
namespace {

struct ExtensionCase {
  std::string name;
  std::string expected;
};

TEST(FileNamesTest, ForceExtensionAppendsReplacesOrKeeps) {
  const ExtensionCase cases[] = {
      {"/music/pads", "/music/pads.bin"},      // none: appended
      {"/music/pads.raw", "/music/pads.bin"},  // different: replaced
      {"/music/pads.BIN", "/music/pads.BIN"},  // same apart from case: kept
      {"/music/pads.Bin", "/music/pads.Bin"},
      {"/music/pads.bin", "/music/pads.bin"},
      {"/music/pads.binx", "/music/pads.bin"},       // a longer one is different
      {"/music/pads.", "/music/pads.bin"},           // a bare dot is an empty extension
      {"/music/v1.2/pads", "/music/v1.2/pads.bin"},  // a dot in a folder is no extension
      {"/music/v1.2/pads.raw", "/music/v1.2/pads.bin"},
      {"/music/my.pads.raw", "/music/my.pads.bin"},  // only the last dot counts
      {"/music/.pads", "/music/.pads.bin"},          // a hidden file's name, not an extension
      {"pads", "pads.bin"},
  };
  for (const ExtensionCase& c : cases) {
    EXPECT_EQ(ForceExtension(c.name, ".bin"), c.expected) << c.name;
  }
  EXPECT_EQ(ForceExtension("/data/set.BIN", ".mrv"), "/data/set.mrv");
  EXPECT_EQ(ForceExtension("/data/set.MRV", ".mrv"), "/data/set.MRV");
}

TEST(FileNamesTest, FileNameAndDirectoryPartOfSlotPaths) {
  struct Case {
    std::string path;
    std::string file_name;
    bool has_directory;
    std::string directory;
  };
  const Case cases[] = {
      {"/music/v1.2/pads.bin", "pads.bin", true, "/music/v1.2"},
      {"/pads.bin", "pads.bin", true, "/"},
      {"sub/pads.bin", "pads.bin", true, "sub"},
      {"/music/scratch/", "", true, "/music/scratch"},  // a folder named with its separator
      {"New", "New", false, ""},
      {"MIDI Wavetable - Channel 3", "MIDI Wavetable - Channel 3", false, ""},
      {"RX MIDI Wavetable - Channel 16", "RX MIDI Wavetable - Channel 16", false, ""},
      {"", "", false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileNameWithoutDirectory(c.path), c.file_name) << c.path;
    EXPECT_EQ(HasDirectoryPart(c.path), c.has_directory) << c.path;
    EXPECT_EQ(DirectoryPart(c.path), c.directory) << c.path;
  }
}

}  // namespace
}  // namespace morvane
