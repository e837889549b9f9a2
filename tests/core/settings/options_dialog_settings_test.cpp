#include "core/settings/options_dialog_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/module/module_control_settings.h"
#include "core/settings/settings_file_format.h"
#include "core/settings/temp_folder.h"
#include "core/wavetable/main_window_settings.h"

namespace morvane {
namespace {

using Snapshot = std::map<std::string, std::string>;

// The order in which the dialog reads its values, with RELOAD on.
const std::vector<std::string> kReadOrder = {"PX4",
                                             "PY4",
                                             "KRN5IN",
                                             "KRN5PRE",
                                             "KRN5AS",
                                             "CAPTNON",
                                             "CAPTCC",
                                             "ColorLineWT",
                                             "ColorBackWT",
                                             "ColorSelWTL",
                                             "ColorSelWT",
                                             "ColorMarkLineWT",
                                             "ColorMarkBackWT",
                                             "ColorScaleLineWT",
                                             "ColorScaleBackWT",
                                             "ColorIrScaleLineWT",
                                             "ColorIrScaleBackWT",
                                             "ColorLogLine",
                                             "ColorLogBack",
                                             "GradientType",
                                             "StepsGradient",
                                             "ColorBack",
                                             "ColorLine",
                                             "ColorMark",
                                             "ColorAxes",
                                             "ColorGradient",
                                             "ColorLocator",
                                             "ColorSelection",
                                             "ColorWaveText",
                                             "GradientTypeSM",
                                             "StepsGradientSM",
                                             "ColorBackSM",
                                             "ColorLineSM",
                                             "ColorMarkSM",
                                             "ColorAxesSM",
                                             "ColorGradientSM",
                                             "ColorLocatorSM",
                                             "ColorSelectionSM",
                                             "GradientTypeSA",
                                             "StepsGradientSA",
                                             "ColorLineSA",
                                             "ColorMarkSA",
                                             "ColorAxesSA",
                                             "ColorGradientSA",
                                             "ColorLocatorSA",
                                             "ColorSelectionSA",
                                             "ColorAmplText",
                                             "EN4",
                                             "TempPath",
                                             "RELOAD",
                                             "LabPath1",
                                             "LabPath2",
                                             "LabPath3",
                                             "LabPath4",
                                             "LabPath5",
                                             "LabPath6",
                                             "LabPath7",
                                             "LabPath8",
                                             "ColorWaveMinmax",
                                             "ColorSMMinmax",
                                             "ColorSAMinmax",
                                             "SysexSendDelay"};

const std::set<std::string> kBooleans = {"KRN5PRE", "KRN5AS", "CAPTNON", "CAPTCC", "EN4", "RELOAD"};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool IsString(const std::string& name) { return name == "TempPath" || name.starts_with("LabPath"); }

template <typename T>
std::string Text(T value) {
  if constexpr (std::is_same_v<T, bool>) return value ? "1" : "0";
  if constexpr (std::is_same_v<T, std::string>) return value;
  if constexpr (!std::is_same_v<T, bool> && !std::is_same_v<T, std::string>) {
    return std::to_string(static_cast<std::int64_t>(value));
  }
}

// Every value the dialog reads or writes, by its setting name, as text.
Snapshot Values(const OptionsDialogSettings& s) {
  Snapshot m;
  m["PX4"] = Text(s.left);
  m["PY4"] = Text(s.top);
  m["MIDIIN"] = Text(s.midi_in);
  m["MIDIOUT"] = Text(s.midi_out);
  m["TIMEOUT"] = Text(s.time_out);
  m["SysexSendDelay"] = Text(s.sysex_send_delay);
  m["KRN5IN"] = Text(s.krn5_input);
  m["KRN5PRE"] = Text(s.krn5_merge);
  m["KRN5AS"] = Text(s.krn5_startup_send);
  m["CAPTNON"] = Text(s.capture_note_on);
  m["CAPTCC"] = Text(s.capture_controller);
  m["EN4"] = Text(s.visible);
  m["TempPath"] = s.temp_path;
  m["RELOAD"] = Text(s.reload);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    m["LabPath" + std::to_string(slot + 1)] = s.slot_paths[static_cast<std::size_t>(slot)];
  }
  const char* const wavetable[] = {"ColorLineWT",        "ColorBackWT",      "ColorSelWTL",
                                   "ColorSelWT",         "ColorMarkLineWT",  "ColorMarkBackWT",
                                   "ColorScaleLineWT",   "ColorScaleBackWT", "ColorIrScaleLineWT",
                                   "ColorIrScaleBackWT", "ColorLogLine",     "ColorLogBack"};
  for (std::size_t i = 0; i < std::size(wavetable); ++i) {
    m[wavetable[i]] = Text(s.wavetable_colors[i]);
  }
  struct EditorValue {
    const char* name;
    EditorView view;
    EditorColor color;
  };
  const EditorValue editors[] = {
      {"ColorBack", kWaveView, kEditorBack},
      {"ColorLine", kWaveView, kEditorLines},
      {"ColorWaveText", kWaveView, kEditorText},
      {"ColorSelection", kWaveView, kEditorSelection},
      {"ColorMark", kWaveView, kEditorMarkers},
      {"ColorAxes", kWaveView, kEditorAxes},
      {"ColorLocator", kWaveView, kEditorLocator},
      {"ColorGradient", kWaveView, kEditorGradient},
      {"ColorWaveMinmax", kWaveView, kEditorMinMax},
      {"ColorBackSM", kAmplView, kEditorBack},
      {"ColorLineSM", kAmplView, kEditorLines},
      {"ColorAmplText", kAmplView, kEditorText},
      {"ColorSelectionSM", kAmplView, kEditorSelection},
      {"ColorMarkSM", kAmplView, kEditorMarkers},
      {"ColorAxesSM", kAmplView, kEditorAxes},
      {"ColorLocatorSM", kAmplView, kEditorLocator},
      {"ColorGradientSM", kAmplView, kEditorGradient},
      {"ColorSMMinmax", kAmplView, kEditorMinMax},
      {"ColorLineSA", kPhaseView, kEditorLines},
      {"ColorSelectionSA", kPhaseView, kEditorSelection},
      {"ColorMarkSA", kPhaseView, kEditorMarkers},
      {"ColorAxesSA", kPhaseView, kEditorAxes},
      {"ColorLocatorSA", kPhaseView, kEditorLocator},
      {"ColorGradientSA", kPhaseView, kEditorGradient},
      {"ColorSAMinmax", kPhaseView, kEditorMinMax},
  };
  for (const EditorValue& e : editors) m[e.name] = Text(s.editors[e.view].colors[e.color]);
  const char* const views[] = {"", "SM", "SA"};
  for (int view = 0; view < kEditorViewCount; ++view) {
    const EditorLook& look = s.editors[static_cast<std::size_t>(view)];
    m[std::string("GradientType") + views[view]] = Text(look.gradient_type);
    m[std::string("StepsGradient") + views[view]] = Text(look.gradient_steps);
  }
  m["AudioBufsz"] = Text(s.audio_buffers);
  m["AudioOUT"] = Text(s.audio_out);
  return m;
}

// Settings in which every value differs from a first start.
OptionsDialogSettings Changed() {
  OptionsDialogSettings s;
  s.left = 11;
  s.top = 12;
  s.midi_in = 2;
  s.midi_out = 3;
  s.time_out = 45;
  s.sysex_send_delay = 123;
  s.krn5_input = 5;
  s.krn5_merge = true;
  s.krn5_startup_send = false;
  s.capture_note_on = false;
  s.capture_controller = false;
  s.visible = true;
  s.temp_path = "/tmp/work/";
  s.reload = true;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    s.slot_paths[static_cast<std::size_t>(slot)] = "/tables/t" + std::to_string(slot) + ".bin";
  }
  for (std::size_t i = 0; i < s.wavetable_colors.size(); ++i) {
    s.wavetable_colors[i] = 0x00010100u + static_cast<std::uint32_t>(i);
  }
  for (std::size_t view = 0; view < s.editors.size(); ++view) {
    for (std::size_t color = 0; color < kEditorColorCount; ++color) {
      s.editors[view].colors[color] = 0x00200000u + static_cast<std::uint32_t>(view * 16 + color);
    }
    s.editors[view].gradient_type = static_cast<std::int32_t>(1 + 2 * view);
    s.editors[view].gradient_steps = static_cast<std::int32_t>(7 + view);
  }
  s.audio_buffers = 33;
  s.audio_out = 2;
  return s;
}

// Stores the named values of `values` in their kinds, leaving out `missing`.
void Store(SettingsStore& store, const Snapshot& values, const std::vector<std::string>& names,
           const std::string& missing = "") {
  SettingsWriter writer = store.OpenForWriting();
  for (const std::string& name : names) {
    if (name == missing) continue;
    if (IsString(name)) {
      writer.WriteString(name, values.at(name));
    } else {
      writer.WriteInteger(name, static_cast<std::int32_t>(std::stoll(values.at(name))));
    }
  }
  ASSERT_TRUE(writer.Close());
}

// The value names of a settings file in the order they were stored.
std::vector<std::string> StoredNames(const SettingsStore& store) {
  const SettingsParseResult parsed = ParseSettingsText(ReadBytes(store.File()));
  std::vector<std::string> names;
  if (!parsed.values) return names;
  for (const SettingsValues::Entry& entry : parsed.values->Entries()) names.push_back(entry.name);
  return names;
}

TEST(OptionsDialogSettingsTest, AMissingValueStopsTheReadingThereAndKeepsWhatWasReadBefore) {
  const Snapshot stored = Values(Changed());
  const Snapshot first_start = Values(OptionsDialogSettings{});
  for (std::size_t missing = 0; missing < kReadOrder.size(); ++missing) {
    SCOPED_TRACE(kReadOrder[missing]);
    TempFolder folder;
    SettingsStore store(folder / "settings");
    Store(store, stored, kReadOrder, kReadOrder[missing]);
    SettingsReader reader = store.OpenForReading();
    OptionsDialogSettings read;
    int reloads = 0;
    ReadOptionsDialogSettings(reader, read, [&](const OptionsDialogSettings&) { ++reloads; });
    ASSERT_TRUE(reader.Failed());
    // Names compare without regard to case: the dialog asks for "ColorIRScaleBackWT".
    EXPECT_NE(Lower(reader.Error()).find(Lower(kReadOrder[missing])), std::string::npos)
        << reader.Error();
    const Snapshot got = Values(read);
    for (std::size_t i = 0; i < kReadOrder.size(); ++i) {
      const std::string& name = kReadOrder[i];
      EXPECT_EQ(got.at(name), i < missing ? stored.at(name) : first_start.at(name)) << name;
    }
    // The slots reload only once all eight paths were read.
    const auto last_path = std::find(kReadOrder.begin(), kReadOrder.end(), "LabPath8");
    const bool paths_read = missing > static_cast<std::size_t>(last_path - kReadOrder.begin());
    EXPECT_EQ(reloads, paths_read ? 1 : 0);
  }
}

TEST(OptionsDialogSettingsTest, TheSlotsReloadRightAfterTheirPathsAndOnlyWhileReloadIsOn) {
  for (const bool reload : {true, false}) {
    SCOPED_TRACE(reload);
    OptionsDialogSettings changed = Changed();
    changed.reload = reload;
    const Snapshot stored = Values(changed);
    TempFolder folder;
    SettingsStore store(folder / "settings");
    // Without RELOAD no path is stored: reading must not look for them.
    std::vector<std::string> names = kReadOrder;
    if (!reload)
      std::erase_if(names, [](const std::string& n) { return n.starts_with("LabPath"); });
    Store(store, stored, names);
    SettingsReader reader = store.OpenForReading();
    OptionsDialogSettings read;
    std::vector<Snapshot> seen_at_reload;
    ReadOptionsDialogSettings(reader, read, [&](const OptionsDialogSettings& so_far) {
      seen_at_reload.push_back(Values(so_far));
    });
    EXPECT_FALSE(reader.Failed()) << reader.Error();
    EXPECT_EQ(Values(read).at("SysexSendDelay"), "123");
    if (!reload) {
      EXPECT_TRUE(seen_at_reload.empty());
      EXPECT_EQ(read.slot_paths, OptionsDialogSettings{}.slot_paths);
      continue;
    }
    ASSERT_EQ(seen_at_reload.size(), 1u);
    EXPECT_EQ(seen_at_reload[0].at("LabPath8"), "/tables/t7.bin");
    EXPECT_EQ(seen_at_reload[0].at("TempPath"), "/tmp/work/");
    EXPECT_EQ(seen_at_reload[0].at("ColorWaveMinmax"),
              Values(OptionsDialogSettings{}).at("ColorWaveMinmax"))
        << "the values after the paths are read after the reload";
  }
}

TEST(OptionsDialogSettingsTest, WritesItsListInOrderAndTheSlotPathsOnlyWhileReloadIsOn) {
  const std::vector<std::string> head = {
      "PX4",     "PY4",    "MIDIIN",  "MIDIOUT",        "KRN5IN",
      "KRN5PRE", "KRN5AS", "TIMEOUT", "SysexSendDelay", "CAPTNON",
      "CAPTCC",  "EN4",    "RELOAD",  "TempPath"};
  const std::vector<std::string> paths = {"LabPath1", "LabPath2", "LabPath3", "LabPath4",
                                          "LabPath5", "LabPath6", "LabPath7", "LabPath8"};
  const std::vector<std::string> tail = {
      "ColorBack",        "ColorLine",      "ColorMark",       "ColorAxes",
      "ColorGradient",    "ColorLocator",   "ColorSelection",  "GradientType",
      "StepsGradient",    "ColorWaveText",  "ColorBackSM",     "ColorLineSM",
      "ColorMarkSM",      "ColorAxesSM",    "ColorGradientSM", "ColorLocatorSM",
      "ColorSelectionSM", "GradientTypeSM", "StepsGradientSM", "ColorLineSA",
      "ColorMarkSA",      "ColorAxesSA",    "ColorGradientSA", "ColorLocatorSA",
      "ColorSelectionSA", "GradientTypeSA", "StepsGradientSA", "ColorAmplText",
      "ColorWaveMinmax",  "ColorSMMinmax",  "ColorSAMinmax",   "AudioBufsz",
      "AudioOUT"};
  for (const bool reload : {true, false}) {
    SCOPED_TRACE(reload);
    TempFolder folder;
    SettingsStore store(folder / "settings");
    {  // what an earlier run with RELOAD on left
      SettingsWriter writer = store.OpenForWriting();
      writer.WriteString("LabPath1", "/old/a.bin");
      ASSERT_TRUE(writer.Close());
    }
    OptionsDialogSettings settings = Changed();
    settings.reload = reload;
    SettingsWriter writer = store.OpenForWriting();
    WriteOptionsDialogSettings(writer, settings);
    ASSERT_TRUE(writer.Close());

    std::vector<std::string> expected = {"LabPath1"};  // stored first by the earlier run
    expected.insert(expected.end(), head.begin(), head.end());
    if (reload) expected.insert(expected.end(), paths.begin() + 1, paths.end());
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(StoredNames(store), expected);

    SettingsReader reader = store.OpenForReading();
    std::string path;
    ASSERT_TRUE(reader.ReadString("LabPath1", path));
    EXPECT_EQ(path, reload ? "/tables/t0.bin" : "/old/a.bin");
  }
}

TEST(OptionsDialogSettingsTest, SlotPathsWithoutAFolderAreStoredAsNew) {
  struct Case {
    std::string slot_path;
    std::string stored;
  };
  const Case cases[] = {
      {"New", "New"},
      {"MIDI Wavetable - Channel 3", "New"},
      {"RX MIDI Wavetable - Channel 16", "New"},
      {"pads.bin", "New"},
      {"/music/pads.bin", "/music/pads.bin"},
      {"tables/pads.bin", "tables/pads.bin"},
  };
  TempFolder folder;
  SettingsStore store(folder / "settings");
  OptionsDialogSettings settings;
  settings.reload = true;
  for (std::size_t i = 0; i < std::size(cases); ++i) settings.slot_paths[i] = cases[i].slot_path;
  {
    SettingsWriter writer = store.OpenForWriting();
    WriteOptionsDialogSettings(writer, settings);
    ASSERT_TRUE(writer.Close());
  }
  SettingsReader reader = store.OpenForReading();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    std::string stored;
    ASSERT_TRUE(reader.ReadString("LabPath" + std::to_string(i + 1), stored));
    EXPECT_EQ(stored, cases[i].stored) << cases[i].slot_path;
  }
}

// After a normal exit (the main window writes the grid's ten colours, this dialog the rest) the
// next start reads every value back, the log colours included.
TEST(OptionsDialogSettingsTest, WhatAnExitWritesIsReadBackWhole) {
  TempFolder folder;
  SettingsStore store(folder / "settings");
  const OptionsDialogSettings written = Changed();
  {
    SettingsWriter writer = store.OpenForWriting();
    MainWindowSettings main;
    main.colors = CellColorsOf(written.wavetable_colors);
    WriteMainWindowSettings(writer, main);
    WriteOptionsDialogSettings(writer, written);
    // The log colours are the module control window's, written after the dialog's values.
    ModuleControlSettings module;
    module.log_line_color = written.wavetable_colors[kLogLineSwatch];
    module.log_back_color = written.wavetable_colors[kLogBackSwatch];
    WriteModuleControlSettings(writer, module);
    ASSERT_TRUE(writer.Close());
  }
  SettingsReader reader = store.OpenForReading();
  OptionsDialogSettings read;
  ReadOptionsDialogSettings(reader, read);
  ReadAudioOutputSettings(reader, read);
  EXPECT_FALSE(reader.Failed()) << reader.Error();
  Snapshot expected = Values(written);
  // The MIDI ports and the time-out are read by the MIDI transport.
  for (const char* name : {"MIDIIN", "MIDIOUT", "TIMEOUT"}) {
    expected[name] = Values(OptionsDialogSettings{}).at(name);
  }
  EXPECT_EQ(Values(read), expected);
}

TEST(OptionsDialogSettingsTest, FirstStartColoursAreTheWindowsOwnNotASystemColour) {
  const OptionsDialogSettings first;
  EXPECT_EQ(CellColorsOf(first.wavetable_colors), kDefaultCellColors);
  EXPECT_EQ(first.wavetable_colors[kLogLineSwatch], 0x00FFFF00u) << "aqua";
  EXPECT_EQ(first.wavetable_colors[kLogBackSwatch], 0x00800000u) << "navy";
  for (const EditorLook& look : first.editors) {
    for (std::uint32_t color : look.colors) EXPECT_EQ(color & 0xFF000000u, 0u);
    EXPECT_NE(look.colors[kEditorBack], look.colors[kEditorLines]);
    EXPECT_EQ(look.gradient_steps, 100);
  }
  EXPECT_EQ(first.temp_path, "...");
  EXPECT_TRUE(IsUnsetTempPath(first.temp_path));
  EXPECT_TRUE(IsUnsetTempPath(""));
  EXPECT_FALSE(IsUnsetTempPath("/tmp/"));
}

TEST(OptionsDialogSettingsTest, AGradientTypeOutsideTheLayoutsKeepsTheOneBefore) {
  const Snapshot stored = Values(Changed());
  TempFolder folder;
  SettingsStore store(folder / "settings");
  Store(store, stored, kReadOrder);
  {
    SettingsWriter writer = store.OpenForWriting();
    writer.WriteInteger("GradientTypeSM", 8);
    writer.WriteInteger("GradientTypeSA", -1);
    ASSERT_TRUE(writer.Close());
  }
  SettingsReader reader = store.OpenForReading();
  OptionsDialogSettings read;
  ReadOptionsDialogSettings(reader, read);
  EXPECT_FALSE(reader.Failed()) << reader.Error();
  EXPECT_EQ(read.editors[kWaveView].gradient_type, 1);
  EXPECT_EQ(read.editors[kAmplView].gradient_type,
            OptionsDialogSettings{}.editors[kAmplView].gradient_type);
  EXPECT_EQ(read.editors[kPhaseView].gradient_type,
            OptionsDialogSettings{}.editors[kPhaseView].gradient_type);
  EXPECT_EQ(read.editors[kPhaseView].gradient_steps, 9) << "reading went on after it";
}

}  // namespace
}  // namespace morvane
