#include "core/spectral/spectral_map.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/settings/temp_folder.h"

namespace morvane {
namespace {

TEST(SpectralMapTest, FormatsGiveRowsAndColumnsAndCaptions) {
  EXPECT_EQ(MapRowCount(0), 1);
  EXPECT_EQ(MapColumnCount(0), 2048);
  EXPECT_EQ(MapRowCount(5), 32);
  EXPECT_EQ(MapColumnCount(5), 64);
  EXPECT_EQ(MapFormatCaption(3), "8 x 256");
  EXPECT_EQ(MapFormatCaption(0), "1 x 2048");
}

TEST(SpectralMapTest, CellsNameTheirWaveform) {
  EXPECT_EQ(MapWaveAt(10, 2, 3), 522);  // bank 8, wave 10
  EXPECT_EQ(MapWaveAt(2047, 0, 0), 2047);
  EXPECT_EQ(MapWaveAt(63, 31, 5), 2047);
  EXPECT_EQ(MapWaveAt(0, 32, 5), -1);
  EXPECT_EQ(MapWaveAt(256, 0, 3), -1);
}

TEST(SpectralMapTest, MarkerColoursAndWrapping) {
  EXPECT_EQ(MapPixelColor(100, kMarkerNone, false), 0x646464u);
  EXPECT_EQ(MapPixelColor(100, kMarkerMark, false), 0x7C7C19u);            // yellowish
  EXPECT_EQ(MapPixelColor(100, kMarkerScale, false), 0x327C2Bu);           // greenish
  EXPECT_EQ(MapPixelColor(100, kMarkerIrregularScale, false), 0x7C2B32u);  // reddish
  EXPECT_EQ(MapPixelColor(100, kMarkerScale, true), 0x3C3C7Cu);            // selection wins
  EXPECT_EQ(MapPixelColor(240, kMarkerMark, false), 0x08083Cu);            // 240 + 24 wraps to 8
  EXPECT_EQ(MapPixelColor(0, 7, false), 0x000000u);
}

TEST(SpectralMapTest, WindowSizeFollowsRowsThicknessAndTheScreen) {
  MapClientSize size = MapWindowSize(30, 8, 1, 3, 0, 1280);
  EXPECT_EQ(size.width, 512);
  EXPECT_EQ(size.height, 30 + 8 * 128 + 7);
  size = MapWindowSize(30, 8, 1, 0, 100, 1280);  // one row of 2048 columns: too wide
  EXPECT_EQ(size.width, 1280 - 100 - 10);
  EXPECT_EQ(size.height, 30 + 128 + 16);
  size = MapWindowSize(30, 8, 4, 5, 0, 1280);  // 32 rows, 8 of them shown
  EXPECT_EQ(size.width, 64 * 5);
  EXPECT_EQ(size.height, 30 + 8 * 129 - 1);
}

TEST(SpectralMapTest, RenderDrawsHarmonicOneLowestAcrossTheCellAndItsLine) {
  WavetableStore store;
  store.Amplitude(1)[0] = 200;   // harmonic 1 of waveform 1
  store.Amplitude(1)[127] = 50;  // harmonic 128
  store.Phase(1)[0] = 9;
  store.SetMarker(257, kMarkerScale);
  store.Amplitude(257)[0] = 100;
  const int format = 3;
  const int thickness = 2;
  const int width = MapImageWidth(format, thickness);
  const int height = MapImageHeight(format);
  ASSERT_EQ(width, 256 * 3);
  ASSERT_EQ(height, 8 * 129 - 1);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), 0xABCDEF);
  auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)] & 0xFFFFFFu; };
  RenderSpectralMap(store, MapSource::kLevel, format, thickness, {}, pixels.data(), width);
  for (int x = 3; x < 6; ++x) {
    EXPECT_EQ(at(x, 127), 0xC8C8C8u);  // bottom line of the first row
    EXPECT_EQ(at(x, 0), 0x323232u);
  }
  EXPECT_EQ(at(2, 127), 0u);
  EXPECT_EQ(at(3, 128), 0xABCDEFu);  // the line between rows is left alone
  EXPECT_EQ(at(3, 129 + 127), MapPixelColor(100, kMarkerScale, false));  // waveform 257: row 1
  RenderSpectralMap(store, MapSource::kAngle, format, thickness, {1, 0, 1, 0}, pixels.data(),
                    width);
  EXPECT_EQ(at(3, 127), MapPixelColor(9, kMarkerNone, true));
  EXPECT_EQ(at(0, 127), MapPixelColor(0, kMarkerNone, false));
}

TEST(SpectralMapTest, SettingsComeBackAndStrayValuesAreBroughtIntoRange) {
  TempFolder folder;
  SettingsStore store(folder / "settings");
  SpectralMapSettings stored;
  stored.left = 12;
  stored.top = 34;
  stored.width = 500;
  stored.height = 300;
  stored.thickness = 40;
  stored.format = -3;
  stored.visible_rows = 1;
  stored.window_kind = 22;
  stored.visible = true;
  {
    SettingsWriter writer = store.OpenForWriting();
    WriteSpectralMapSettings(writer, stored);
    ASSERT_TRUE(writer.Close());
  }
  SettingsReader reader = store.OpenForReading();
  SpectralMapSettings read;
  read.window_kind = 5;
  ReadSpectralMapSettings(reader, read);
  EXPECT_FALSE(reader.Failed()) << reader.Error();
  EXPECT_EQ(read.left, 12);
  EXPECT_EQ(read.top, 34);
  EXPECT_EQ(read.height, 300);
  EXPECT_EQ(read.thickness, kMapMaxThickness);
  EXPECT_EQ(read.format, kMapMinFormat);
  EXPECT_EQ(read.visible_rows, kMapMinVisibleRows);
  EXPECT_EQ(read.window_kind, 5);  // an unknown kind keeps the one before
  EXPECT_TRUE(read.visible);
}

}  // namespace
}  // namespace morvane
