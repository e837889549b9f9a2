#include "core/spectral/spectrum_editor_settings.h"

#include <gtest/gtest.h>

#include "core/settings/temp_folder.h"

namespace morvane {
namespace {

TEST(SpectrumEditorSettingsTest, OwnValuesComeBackAndTheDialogColoursAreRead) {
  TempFolder folder;
  SettingsStore store(folder / "settings");
  SpectrumEditorSettings stored;
  stored.left = 5;
  stored.top = 6;
  stored.visible = true;
  stored.small_window = false;
  stored.grid_edit = true;
  stored.window_kind = 13;
  {
    SettingsWriter writer = store.OpenForWriting();
    // The colours as the options dialog writes them.
    writer.WriteColor("ColorAmplText", 0x010203);
    writer.WriteColor("ColorBackSM", 0x040506);
    for (const char* name :
         {"ColorLineSM", "ColorMarkSM", "ColorAxesSM", "ColorGradientSM", "ColorLocatorSM",
          "ColorSelectionSM", "ColorSMMinmax", "ColorLineSA", "ColorMarkSA", "ColorAxesSA",
          "ColorGradientSA", "ColorLocatorSA", "ColorSelectionSA", "ColorSAMinmax"}) {
      writer.WriteColor(name, 0x0A0B0C);
    }
    writer.WriteInteger("GradientTypeSM", 4);
    writer.WriteInteger("GradientTypeSA", 9);  // no such layout
    WriteSpectrumEditorSettings(writer, stored);
    ASSERT_TRUE(writer.Close());
  }
  SettingsReader reader = store.OpenForReading();
  SpectrumEditorSettings read;
  ReadSpectrumEditorSettings(reader, read);
  EXPECT_FALSE(reader.Failed()) << reader.Error();
  EXPECT_EQ(read.left, 5);
  EXPECT_EQ(read.top, 6);
  EXPECT_TRUE(read.visible);
  EXPECT_FALSE(read.small_window);
  EXPECT_TRUE(read.grid_edit);
  EXPECT_EQ(read.window_kind, 13);
  EXPECT_EQ(read.text_color, 0x010203u);
  EXPECT_EQ(read.back_color, 0x040506u);
  EXPECT_EQ(read.grid_text_color, 0x0A0B0Cu);
  EXPECT_EQ(read.phase.minimax, 0x0A0B0Cu);
  EXPECT_EQ(read.amplitude.gradient_type, GradientTypex::grxHorizCenterToBorder);
  EXPECT_EQ(read.phase.gradient_type, kDefaultPhaseViewColors.gradient_type);
}

TEST(SpectrumEditorSettingsTest, AMissingValueStopsThePassThere) {
  TempFolder folder;
  SettingsStore store(folder / "settings");
  {
    SettingsWriter writer = store.OpenForWriting();
    writer.WriteInteger("PX7", 70);
    writer.WriteInteger("PY7", 71);
    ASSERT_TRUE(writer.Close());
  }
  SettingsReader reader = store.OpenForReading();
  SpectrumEditorSettings read;
  ReadSpectrumEditorSettings(reader, read);
  EXPECT_TRUE(reader.Failed());
  EXPECT_NE(reader.Error().find("EN7"), std::string::npos);
  EXPECT_EQ(read.top, 71);
  EXPECT_TRUE(read.small_window);
}

}  // namespace
}  // namespace morvane
