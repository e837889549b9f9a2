#include "core/waveform/waveform_editor_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings/temp_folder.h"

namespace morvane {
namespace {

// The colours and the gradient type are the options dialog's to write; a test writes them as it
// would.
void WriteOptionsDialogValues(SettingsStore& store, const std::vector<std::string>& skip = {}) {
  SettingsWriter writer = store.OpenForWriting();
  const std::vector<std::pair<std::string, std::int32_t>> values = {
      {"ColorMark", 0x112233},    {"ColorWaveText", 0x223344},  {"ColorBack", 0x334455},
      {"ColorLine", 0x445566},    {"ColorAxes", 0x556677},      {"ColorGradient", 0x667788},
      {"ColorLocator", 0x778899}, {"ColorSelection", 0x8899AA}, {"ColorWaveMinmax", 0x99AABB},
      {"GradientType", 2}};
  for (const auto& [name, value] : values) {
    if (std::find(skip.begin(), skip.end(), name) == skip.end()) writer.WriteInteger(name, value);
  }
  ASSERT_TRUE(writer.Close());
}

WaveformEditorSettings Changed() {
  WaveformEditorSettings s;
  s.left = 17;
  s.top = 23;
  s.grid_edit = false;
  s.control_panel = false;
  s.visible = true;
  s.center = false;
  s.line = true;
  s.markers = false;
  s.full = false;
  return s;
}

TEST(WaveformEditorSettingsTest, WrittenValuesAndTheDialogColoursReadBack) {
  TempFolder folder;
  SettingsStore store(folder / "settings");
  WriteOptionsDialogValues(store);
  {
    SettingsWriter writer = store.OpenForWriting();
    WriteWaveformEditorSettings(writer, Changed());
    ASSERT_TRUE(writer.Close());
  }
  SettingsReader reader = store.OpenForReading();
  WaveformEditorSettings read;
  ReadWaveformEditorSettings(reader, read);
  EXPECT_FALSE(reader.Failed()) << reader.Error();
  const WaveformEditorSettings expected = Changed();
  EXPECT_EQ(read.left, expected.left);
  EXPECT_EQ(read.top, expected.top);
  EXPECT_EQ(read.grid_edit, expected.grid_edit);
  EXPECT_EQ(read.control_panel, expected.control_panel);
  EXPECT_EQ(read.visible, expected.visible);
  EXPECT_EQ(read.center, expected.center);
  EXPECT_EQ(read.line, expected.line);
  EXPECT_EQ(read.markers, expected.markers);
  EXPECT_EQ(read.full, expected.full);
  EXPECT_EQ(read.marker_color, 0x112233u);
  EXPECT_EQ(read.grid_text_color, 0x112233u);
  EXPECT_EQ(read.text_color, 0x223344u);
  EXPECT_EQ(read.back_color, 0x334455u);
  EXPECT_EQ(read.line_color, 0x445566u);
  EXPECT_EQ(read.axes_color, 0x556677u);
  EXPECT_EQ(read.gradient_color, 0x667788u);
  EXPECT_EQ(read.locator_color, 0x778899u);
  EXPECT_EQ(read.selection_color, 0x8899AAu);
  EXPECT_EQ(read.minimax_color, 0x99AABBu);
  EXPECT_EQ(read.gradient_type, GradientTypex::grxTopToBottom);
}

TEST(WaveformEditorSettingsTest, TheWindowWritesOnlyTheValuesItOwns) {
  TempFolder folder;
  SettingsStore store(folder / "settings");
  {
    SettingsWriter writer = store.OpenForWriting();
    WriteWaveformEditorSettings(writer, WaveformEditorSettings{});
    ASSERT_TRUE(writer.Close());
  }
  SettingsReader reader = store.OpenForReading();
  std::int32_t value = 0;
  for (const char* name :
       {"PX3", "PY3", "EN3", "Vtable1", "Cpanel1", "WedCenter", "WedLine", "WedMark", "WedFull"}) {
    EXPECT_TRUE(reader.ReadInteger(name, value)) << name;
  }
  EXPECT_FALSE(reader.ReadInteger("ColorMark", value));
}

TEST(WaveformEditorSettingsTest, AMissingValueStopsTheReadingThere) {
  TempFolder folder;
  SettingsStore store(folder / "settings");
  WriteOptionsDialogValues(store, {"ColorLine"});
  {
    SettingsWriter writer = store.OpenForWriting();
    WriteWaveformEditorSettings(writer, Changed());
    ASSERT_TRUE(writer.Close());
  }
  SettingsReader reader = store.OpenForReading();
  WaveformEditorSettings read;
  ReadWaveformEditorSettings(reader, read);
  ASSERT_TRUE(reader.Failed());
  EXPECT_NE(reader.Error().find("ColorLine"), std::string::npos) << reader.Error();
  // Read before the missing value: applied.
  EXPECT_EQ(read.left, 17);
  EXPECT_FALSE(read.grid_edit);
  EXPECT_EQ(read.back_color, 0x334455u);
  // After it: still the first-start values, toggles included.
  const WaveformEditorSettings initial;
  EXPECT_EQ(read.line_color, initial.line_color);
  EXPECT_EQ(read.gradient_type, initial.gradient_type);
  EXPECT_EQ(read.center, initial.center);
  EXPECT_EQ(read.markers, initial.markers);
}

TEST(WaveformEditorSettingsTest, AGradientTypeOutsideTheLayoutsIsIgnored) {
  TempFolder folder;
  SettingsStore store(folder / "settings");
  WriteOptionsDialogValues(store, {"GradientType"});
  {
    SettingsWriter writer = store.OpenForWriting();
    writer.WriteInteger("GradientType", 8);
    WriteWaveformEditorSettings(writer, Changed());
    ASSERT_TRUE(writer.Close());
  }
  SettingsReader reader = store.OpenForReading();
  WaveformEditorSettings read;
  ReadWaveformEditorSettings(reader, read);
  EXPECT_FALSE(reader.Failed());
  EXPECT_EQ(read.gradient_type, WaveformEditorSettings{}.gradient_type);
  EXPECT_FALSE(read.center);  // reading went on after it
}

}  // namespace
}  // namespace morvane
