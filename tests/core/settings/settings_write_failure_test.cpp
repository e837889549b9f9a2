#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings/settings_store.h"
#include "support/file_size_limit.h"
#include "temp_folder.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

TEST(SettingsWriteFailureTest, AFullDiskLeavesTheOldFileIntact) {
  // The disk fills while the bytes are still buffered (seen only when they are flushed) or in
  // the middle of writing them.
  for (std::size_t length : {1000u, 100000u}) {
    TempFolder folder;
    SettingsStore store(folder / "MRV8_V2.conf");
    {
      SettingsWriter writer = store.OpenForWriting();
      writer.WriteInteger("PX1", 5);
    }
    const std::string before = ReadBytes(folder / "MRV8_V2.conf");

    SettingsWriter writer = store.OpenForWriting();
    writer.WriteInteger("PX1", 6);
    writer.WriteString("TempPath", std::string(length, 'x'));
    bool closed = true;
    {
      FileSizeLimit limit(256);
      ASSERT_TRUE(limit.Applied());
      closed = writer.Close();
    }
    EXPECT_FALSE(closed) << length;
    EXPECT_EQ(ReadBytes(folder / "MRV8_V2.conf"), before) << length;
    EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"MRV8_V2.conf"}) << length;
  }
}

TEST(SettingsWriteFailureTest, AFolderThatCannotBeCreatedWritesNothingAndTellsNothing) {
  TempFolder folder;
  WriteBytes(folder / "config", "a regular file where a folder should be");
  SettingsStore store(folder / "config" / "Tandrel" / "MRV8_V2.conf");
  int problems = 0;
  store.SetProblemHandler([&problems](const std::string&) { ++problems; });

  EXPECT_FALSE(store.OpenForReading().Exists());
  SettingsWriter writer = store.OpenForWriting();
  writer.WriteInteger("PX1", 1);
  EXPECT_FALSE(writer.Close());
  EXPECT_EQ(problems, 0);
  EXPECT_EQ(ReadBytes(folder / "config"), "a regular file where a folder should be");
}

TEST(SettingsWriteFailureTest, AFailedRenameLeavesWhatStandsThereAndNoTemporaryFile) {
  TempFolder folder;
  SettingsStore store(folder / "MRV8_V2.conf");
  SettingsWriter writer = store.OpenForWriting();
  writer.WriteInteger("PX1", 1);
  // Something takes the file's place while the window is writing its values.
  fs::create_directories(folder / "MRV8_V2.conf" / "inside");

  EXPECT_FALSE(writer.Close());
  EXPECT_TRUE(fs::is_directory(folder / "MRV8_V2.conf" / "inside"));
  EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"MRV8_V2.conf"});
}

}  // namespace
}  // namespace morvane
