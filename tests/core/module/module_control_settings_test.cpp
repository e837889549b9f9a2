#include "core/module/module_control_settings.h"

#include <gtest/gtest.h>

#include "core/settings/settings_file_format.h"
#include "core/settings/temp_folder.h"

namespace morvane {
namespace {

std::vector<std::string> StoredNames(const SettingsStore& store) {
  const SettingsParseResult parsed = ParseSettingsText(ReadBytes(store.File()));
  std::vector<std::string> names;
  if (parsed.values) {
    for (const SettingsValues::Entry& entry : parsed.values->Entries()) names.push_back(entry.name);
  }
  return names;
}

ModuleControlSettings Changed() {
  ModuleControlSettings s;
  s.left = 11;
  s.top = 12;
  s.log_line_color = 0x00010203;
  s.log_back_color = 0x80000005;
  s.wave_list_position = 3;
  s.bank_list_position = 128;
  s.note_ref = 60;
  s.channel = 16;
  s.send_controllers = true;
  s.send_buffer = true;
  s.show_log = false;
  s.visible = true;
  s.bank_range = 1;
  s.wave_range = 2;
  s.clock_reset = 200;
  s.gate_reset = 201;
  s.trigger = 202;
  s.divider = 203;
  s.autodetect = true;
  s.config1 = 0x21;
  s.config2 = 0xFB;
  return s;
}

void ExpectSame(const ModuleControlSettings& a, const ModuleControlSettings& b) {
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.top, b.top);
  EXPECT_EQ(a.log_line_color, b.log_line_color);
  EXPECT_EQ(a.log_back_color, b.log_back_color);
  EXPECT_EQ(a.wave_list_position, b.wave_list_position);
  EXPECT_EQ(a.bank_list_position, b.bank_list_position);
  EXPECT_EQ(a.note_ref, b.note_ref);
  EXPECT_EQ(a.channel, b.channel);
  EXPECT_EQ(a.send_controllers, b.send_controllers);
  EXPECT_EQ(a.send_buffer, b.send_buffer);
  EXPECT_EQ(a.show_log, b.show_log);
  EXPECT_EQ(a.visible, b.visible);
  EXPECT_EQ(a.bank_range, b.bank_range);
  EXPECT_EQ(a.wave_range, b.wave_range);
  EXPECT_EQ(a.clock_reset, b.clock_reset);
  EXPECT_EQ(a.gate_reset, b.gate_reset);
  EXPECT_EQ(a.trigger, b.trigger);
  EXPECT_EQ(a.divider, b.divider);
  EXPECT_EQ(a.autodetect, b.autodetect);
  EXPECT_EQ(a.config1, b.config1);
  EXPECT_EQ(a.config2, b.config2);
}

TEST(ModuleControlSettingsTest, WritesInItsOrderAndReadsEverythingBack) {
  TempFolder folder;
  SettingsStore store(folder / "settings");
  SettingsWriter writer = store.OpenForWriting();
  WriteModuleControlSettings(writer, Changed());
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(
      StoredNames(store),
      (std::vector<std::string>{
          "PX8",       "PY8",          "EN8",        "CtrlRef0",     "CtrlRef1",     "NoteRef",
          "CanalMidi", "SendRTCtrl",   "Range0",     "Range1",       "loop0",        "loop1",
          "Divide",    "Trigtime",     "Autodetect", "ColorLogLine", "ColorLogBack", "Config1",
          "Config2",   "SendBufferRT", "ShowMidiLog"}));
  SettingsReader reader = store.OpenForReading();
  ModuleControlSettings read;
  ReadModuleControlSettings(reader, read);
  EXPECT_FALSE(reader.Failed()) << reader.Error();
  ExpectSame(read, Changed());
}

TEST(ModuleControlSettingsTest, AMissingValueStopsTheReadingAndBadValuesAreMadeSafe) {
  TempFolder folder;
  SettingsStore store(folder / "settings");
  {
    SettingsWriter writer = store.OpenForWriting();
    ModuleControlSettings stored = Changed();
    stored.wave_list_position = 129;  // past the controller list
    stored.bank_list_position = -4;
    WriteModuleControlSettings(writer, stored);
    writer.WriteInteger("Config1", 0x1FF);
    ASSERT_TRUE(writer.Close());
  }
  {
    SettingsReader reader = store.OpenForReading();
    ModuleControlSettings read;
    ReadModuleControlSettings(reader, read);
    EXPECT_EQ(read.wave_list_position, 0);
    EXPECT_EQ(read.bank_list_position, 0);
    EXPECT_EQ(read.config1, 0xFF);
  }
  // Without "ShowMidiLog" (read after "EN8") the values after it keep their first-start ones.
  std::string text = ReadBytes(store.File());
  const std::size_t line = text.find("ShowMidiLog");
  ASSERT_NE(line, std::string::npos);
  text.erase(line, text.find('\n', line) - line + 1);
  WriteBytes(store.File(), text);
  SettingsReader reader = store.OpenForReading();
  ModuleControlSettings read;
  ReadModuleControlSettings(reader, read);
  EXPECT_TRUE(reader.Failed());
  EXPECT_EQ(read.channel, 16);
  EXPECT_TRUE(read.send_buffer);
  EXPECT_TRUE(read.show_log) << "first-start value";
  EXPECT_FALSE(read.visible);
  EXPECT_EQ(read.divider, ModuleControlSettings{}.divider);
  EXPECT_EQ(read.config2, 0);
}

}  // namespace
}  // namespace morvane
