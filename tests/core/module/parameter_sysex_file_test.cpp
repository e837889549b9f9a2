#include "core/module/parameter_sysex_file.h"

#include <gtest/gtest.h>

#include "core/settings/temp_folder.h"
#include "support/file_size_limit.h"

namespace morvane {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(ParameterSysexFileTest, TargetAndBackupNames) {
  struct Case {
    const char* chosen;
    const char* target;
    const char* backup;
  };
  for (const Case& c : {Case{"/d/setup", "/d/setup.syx", "/d/setup.BAK"},
                        Case{"/d/setup.bin", "/d/setup.bin", "/d/setup.BAK"},
                        Case{"/d/setup.syx", "/d/setup.syx", "/d/setup.BAK"},
                        Case{"/d.x/setup", "/d.x/setup.syx", "/d.x/setup.BAK"},
                        Case{"/d/.hidden", "/d/.hidden.syx", "/d/.hidden.BAK"}}) {
    const SysexFileTarget names = SysexTargetFor(c.chosen);
    EXPECT_EQ(names.target, c.target) << c.chosen;
    EXPECT_EQ(names.backup, c.backup) << c.chosen;
  }
}

TEST(ParameterSysexFileTest, ASecondSaveKeepsTheFirstFileAsBackupAThirdOverwrites) {
  TempFolder folder;
  FileWriter writer;
  const std::string name = (folder / "setup").string();
  ASSERT_TRUE(SaveSysexWithBackup(name, Bytes("first"), writer));
  EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"setup.syx"});
  ASSERT_TRUE(SaveSysexWithBackup(name, Bytes("second"), writer));
  EXPECT_EQ(ReadBytes(folder / "setup.syx"), "second");
  EXPECT_EQ(ReadBytes(folder / "setup.BAK"), "first");
  // An older backup blocks the rename: the target is overwritten, the backup stays.
  ASSERT_TRUE(SaveSysexWithBackup(name, Bytes("third"), writer));
  EXPECT_EQ(ReadBytes(folder / "setup.syx"), "third");
  EXPECT_EQ(ReadBytes(folder / "setup.BAK"), "first");
  EXPECT_EQ(FolderListing(folder.Path()), (std::vector<std::string>{"setup.BAK", "setup.syx"}));
}

TEST(ParameterSysexFileTest, AFailedWriteKeepsTheTargetAndTheBackupAsTheyWere) {
  TempFolder folder;
  FileWriter writer;
  const std::string name = (folder / "setup.syx").string();
  // Without a backup yet: the only good copy must survive, and no backup appears.
  ASSERT_TRUE(SaveSysexWithBackup(name, Bytes("good"), writer));
  {
    FileSizeLimit limit(8);
    ASSERT_TRUE(limit.Applied());
    EXPECT_FALSE(SaveSysexWithBackup(name, Bytes(std::string(96, 'n')), writer));
  }
  EXPECT_EQ(ReadBytes(folder / "setup.syx"), "good");
  EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"setup.syx"});

  // With a backup: both stay.
  WriteBytes(folder / "setup.BAK", "older");
  {
    FileSizeLimit limit(8);
    ASSERT_TRUE(limit.Applied());
    EXPECT_FALSE(SaveSysexWithBackup(name, Bytes(std::string(96, 'n')), writer));
  }
  EXPECT_EQ(ReadBytes(folder / "setup.syx"), "good");
  EXPECT_EQ(ReadBytes(folder / "setup.BAK"), "older");
  EXPECT_FALSE(SaveSysexWithBackup((folder / "none" / "x").string(), Bytes("x"), writer));
  EXPECT_EQ(FolderListing(folder.Path()), (std::vector<std::string>{"setup.BAK", "setup.syx"}));
}

}  // namespace
}  // namespace morvane
