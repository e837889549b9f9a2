#include "core/settings/dialog_folders.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "temp_folder.h"

namespace morvane {
namespace {

// Folders that are there; every other one was never made or has gone since.
const std::set<std::string> kFolders = {"/kept", "/tables", "/some/folder", "/"};

bool IsFolder(const std::string& folder) { return kFolders.count(folder) > 0; }

TEST(DialogStartTest, ADialogStartsWhereItWasLeftElseByTheSlotElseAtHome) {
  struct Case {
    const char* remembered;
    const char* document;
    const char* slot_path;
    const char* name;
    DialogStart expected;
  };
  const Case cases[] = {
      // The folder of the last file through this dialog comes first.
      {"/kept", "", "/tables/a.bin", "", {"/kept", ""}},
      {"/kept", "", "New", "*.scl", {"/kept", "*.scl"}},
      // None yet, or gone since: the current slot's file, when it is a file.
      {"", "", "/tables/a.bin", "", {"/tables", ""}},
      {"/gone", "", "/tables/a.bin", "", {"/tables", ""}},
      {"", "", "/a.bin", "", {"/", ""}},
      // Else home: "New" and the transfer texts have no folder, a slot's folder may be gone.
      {"", "", "New", "", {"/home/me", ""}},
      {"", "", "MIDI Wavetable - Channel 3", "", {"/home/me", ""}},
      {"", "", "RX MIDI Wavetable - Channel 16", "", {"/home/me", ""}},
      {"/gone", "", "/gone/a.bin", "", {"/home/me", ""}},
      // A Save of a loaded file offers that file in its own folder, whatever was used last.
      {"/kept",
       "/some/folder/ramp.bin",
       "/tables/a.bin",
       "",
       {"/some/folder", "/some/folder/ramp.bin"}},
      // Its folder gone: its name, where the dialog would start without it.
      {"/kept", "/gone/ramp.bin", "New", "", {"/kept", "ramp.bin"}},
      // A shown name without a folder is offered as it stands.
      {"/kept", "New", "New", "", {"/kept", "New"}},
      {"", "...", "New", "", {"/home/me", "..."}},
  };
  for (const Case& c : cases) {
    const DialogStart start =
        ResolveDialogStart({c.remembered, c.document, c.slot_path, "/home/me", c.name}, IsFolder);
    EXPECT_EQ(start.folder, c.expected.folder)
        << c.remembered << " | " << c.document << " | " << c.slot_path;
    EXPECT_EQ(start.name, c.expected.name)
        << c.remembered << " | " << c.document << " | " << c.slot_path;
  }
}

TEST(DialogFoldersTest, EachPurposeKeepsTheFolderOfItsOwnLastFile) {
  DialogFolders folders;
  folders.Remember(kSampleFolder, "/some/folder/ramp.bin");
  folders.Remember(kWavetableFolder, "/tables/a.bin");
  folders.Remember(kWavetableFolder, "/tables/old/b.bin");
  folders.Remember(kWavetableFolder, "New");  // no folder: nothing learnt
  EXPECT_EQ(folders.Folder(kSampleFolder), "/some/folder");
  EXPECT_EQ(folders.Folder(kWavetableFolder), "/tables/old");
  EXPECT_EQ(folders.Folder(kSpectrumFolder), "");
}

class DialogFoldersSettingsTest : public ::testing::Test {
 protected:
  DialogFoldersSettingsTest() : store_(folder_ / "MRV8_V2.conf") {}

  TempFolder folder_;
  SettingsStore store_;
};

TEST_F(DialogFoldersSettingsTest, EveryPurposeIsWrittenAndReadBack) {
  DialogFolders written;
  for (std::string_view purpose : kDialogPurposes) {
    written.Remember(purpose, "/files/" + std::string(purpose) + "/x.bin");
  }
  {
    SettingsWriter writer = store_.OpenForWriting();
    written.Write(writer);
  }
  DialogFolders read;
  SettingsReader reader = store_.OpenForReading();
  read.Read(reader);
  EXPECT_FALSE(reader.Failed()) << reader.Error();
  std::set<std::string_view> names;
  for (std::string_view purpose : kDialogPurposes) {
    EXPECT_EQ(read.Folder(purpose), "/files/" + std::string(purpose)) << purpose;
    EXPECT_TRUE(IsValidSettingsName(purpose)) << purpose;
    names.insert(purpose);
  }
  EXPECT_EQ(names.size(), kDialogPurposes.size()) << "two purposes would share one value";
}

TEST_F(DialogFoldersSettingsTest, SettingsFromBeforeTheFoldersReadWithoutFailing) {
  {
    SettingsWriter writer = store_.OpenForWriting();
    writer.WriteInteger("ZoomWT", 14);
    writer.WriteString(kScalaFolder, "/scales");  // only some of them written
  }
  DialogFolders folders;
  SettingsReader reader = store_.OpenForReading();
  folders.Read(reader);
  EXPECT_FALSE(reader.Failed()) << reader.Error();
  EXPECT_EQ(folders.Folder(kScalaFolder), "/scales");
  EXPECT_EQ(folders.Folder(kSampleFolder), "");
  std::int32_t zoom = 0;
  EXPECT_TRUE(reader.ReadInteger("ZoomWT", zoom));
  EXPECT_EQ(zoom, 14);
}

TEST_F(DialogFoldersSettingsTest, AFolderStoredAsANumberIsToldAndTheOthersKeepTheirs) {
  {
    SettingsWriter writer = store_.OpenForWriting();
    writer.WriteInteger(kWavetableFolder, 3);
  }
  DialogFolders folders;
  folders.Remember(kSampleFolder, "/some/folder/ramp.bin");
  SettingsReader reader = store_.OpenForReading();
  folders.Read(reader);
  EXPECT_EQ(reader.Error(), "Settings value \"DirWT\" is not a string");
  EXPECT_EQ(folders.Folder(kWavetableFolder), "");
  EXPECT_EQ(folders.Folder(kSampleFolder), "/some/folder");
}

}  // namespace
}  // namespace morvane
