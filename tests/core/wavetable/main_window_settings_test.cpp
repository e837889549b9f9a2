#include "core/wavetable/main_window_settings.h"

#include <gtest/gtest.h>

#include "core/settings/temp_folder.h"

namespace morvane {
namespace {

MainWindowSettings Stored() {
  MainWindowSettings s;
  s.left = 5;
  s.top = 6;
  s.width = 700;
  s.height = 500;
  s.cell_width = 64;
  s.auto_size = false;
  for (std::size_t c = 0; c < s.colors.size(); ++c)
    s.colors[c] = 0x00010000u * static_cast<std::uint32_t>(c + 1);
  return s;
}

void Store(SettingsStore& store, const MainWindowSettings& settings, std::int32_t zoom) {
  SettingsWriter writer = store.OpenForWriting();
  WriteMainWindowSettings(writer, settings);
  writer.WriteInteger("ZoomWT", zoom);
  ASSERT_TRUE(writer.Close());
}

TEST(MainWindowSettingsTest, EveryValueComesBackAsStored) {
  TempFolder folder;
  SettingsStore store(folder / "settings");
  Store(store, Stored(), 64);
  SettingsReader reader = store.OpenForReading();
  MainWindowSettings read;
  EXPECT_EQ(ReadMainWindowSettings(reader, read), "");
  EXPECT_FALSE(reader.Failed());
  const MainWindowSettings expected = Stored();
  EXPECT_EQ(read.left, expected.left);
  EXPECT_EQ(read.top, expected.top);
  EXPECT_EQ(read.width, expected.width);
  EXPECT_EQ(read.height, expected.height);
  EXPECT_EQ(read.cell_width, 64);
  EXPECT_FALSE(read.auto_size);
  EXPECT_EQ(read.colors, expected.colors);
}

TEST(MainWindowSettingsTest, ACellWidthOutOfRangeIsBroughtInAndSaidSo) {
  struct Case {
    std::int32_t stored;
    int used;
  };
  for (const Case c : {Case{500, 128}, Case{5, 12}, Case{-40, 12}}) {
    TempFolder folder;
    SettingsStore store(folder / "settings");
    Store(store, Stored(), c.stored);
    SettingsReader reader = store.OpenForReading();
    MainWindowSettings read;
    const std::string problem = ReadMainWindowSettings(reader, read);
    EXPECT_EQ(read.cell_width, c.used) << c.stored;
    EXPECT_NE(problem.find("\"ZoomWT\" (" + std::to_string(c.stored) + ")"), std::string::npos)
        << problem;
    EXPECT_FALSE(read.auto_size) << "the values before it are read";
  }
}

TEST(MainWindowSettingsTest, ZoomIsReadLastSoItsLossKeepsEverythingElse) {
  TempFolder folder;
  SettingsStore store(folder / "settings");
  {
    SettingsWriter writer = store.OpenForWriting();
    MainWindowSettings without_zoom = Stored();
    WriteMainWindowSettings(writer, without_zoom);
    writer.WriteString("ZoomWT", "wide");  // the wrong kind
    ASSERT_TRUE(writer.Close());
  }
  SettingsReader reader = store.OpenForReading();
  MainWindowSettings read;
  ReadMainWindowSettings(reader, read);
  ASSERT_TRUE(reader.Failed());
  EXPECT_NE(reader.Error().find("ZoomWT"), std::string::npos);
  EXPECT_EQ(read.cell_width, 39);
  EXPECT_EQ(read.colors, Stored().colors);
  EXPECT_FALSE(read.auto_size);
  EXPECT_EQ(read.height, 500);
}

}  // namespace
}  // namespace morvane
