#include "core/module/parameter_store.h"

#include <gtest/gtest.h>

#include "core/settings/temp_folder.h"
#include "support/file_size_limit.h"

namespace morvane {
namespace {

ParameterImage Counting(std::uint8_t first) {
  ParameterImage image;
  for (int i = 0; i < kParameterImageSize; ++i) image[i] = static_cast<std::uint8_t>(first + i);
  return image;
}

TEST(ParameterStoreTest, ANewStoreHoldsZeroesAndKeepsEachImageApart) {
  ParameterStore store;
  for (int image = 0; image < ParameterStore::kImageCount; ++image) {
    EXPECT_EQ(store.Image(image), ParameterImage{}) << image;
  }
  store.SetParam(7, 15, 0xAB);
  store.SetParam(0, 0, 3);
  EXPECT_EQ(store.GetParam(7, 15), 0xAB);
  EXPECT_EQ(store.GetParam(0, 0), 3);
  EXPECT_EQ(store.GetParam(6, 15), 0);
  EXPECT_EQ(store.GetParam(1, 0), 0);
}

TEST(ParameterStoreTest, SaveThenLoadGivesTheImageBackReservedBytesIncluded) {
  TempFolder folder;
  ParameterStore store;
  store.SetImage(2, Counting(200));  // bytes 12 and 13 hold 212 and 213
  ASSERT_TRUE(store.SaveImage(2, folder / "a.mrv"));
  EXPECT_EQ(ReadBytes(folder / "a.mrv").size(), 16u);

  ParameterStore other;
  ASSERT_TRUE(other.LoadImage(5, folder / "a.mrv"));
  EXPECT_EQ(other.Image(5), Counting(200));
  EXPECT_EQ(other.Image(2), ParameterImage{});
}

TEST(ParameterStoreTest, AShortFileReplacesOnlyTheBytesItHoldsALongOneOnlyTheFirst16) {
  TempFolder folder;
  ParameterStore store;
  store.SetImage(0, Counting(100));
  WriteBytes(folder / "short.mrv", std::string("\x01\x02\x03", 3));
  ASSERT_TRUE(store.LoadImage(0, folder / "short.mrv"));
  ParameterImage expected = Counting(100);
  expected[0] = 1;
  expected[1] = 2;
  expected[2] = 3;
  EXPECT_EQ(store.Image(0), expected);

  WriteBytes(folder / "long.mrv", std::string(40, '\x7E'));
  ASSERT_TRUE(store.LoadImage(0, folder / "long.mrv"));
  ParameterImage all;
  all.fill(0x7E);
  EXPECT_EQ(store.Image(0), all);
}

TEST(ParameterStoreTest, EmptyMissingOrFolderFilesAreRefusedAndChangeNothing) {
  TempFolder folder;
  WriteBytes(folder / "empty.mrv", "");
  std::filesystem::create_directory(folder / "folder.mrv");
  ParameterStore store;
  store.SetImage(3, Counting(9));
  for (const char* name : {"empty.mrv", "missing.mrv", "folder.mrv"}) {
    EXPECT_FALSE(store.LoadImage(3, folder / name)) << name;
    EXPECT_EQ(store.Image(3), Counting(9)) << name;
  }
}

TEST(ParameterStoreTest, AFailedSaveKeepsThePreviousFile) {
  TempFolder folder;
  ParameterStore store;
  store.SetImage(0, Counting(1));
  ASSERT_TRUE(store.SaveImage(0, folder / "keep.mrv"));
  store.SetImage(0, Counting(50));
  {
    FileSizeLimit limit(8);
    ASSERT_TRUE(limit.Applied());
    EXPECT_FALSE(store.SaveImage(0, folder / "keep.mrv"));
  }
  EXPECT_FALSE(store.SaveImage(0, folder / "no such folder" / "x.mrv"));
  EXPECT_EQ(ReadBytes(folder / "keep.mrv"),
            std::string(reinterpret_cast<const char*>(Counting(1).data()), 16));
  EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"keep.mrv"});
}

}  // namespace
}  // namespace morvane
