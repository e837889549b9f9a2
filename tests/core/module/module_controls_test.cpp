#include "core/module/module_controls.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Command(int channel_index, int command, int value) {
  const CommandMessage message = BuildCommandMessage(channel_index, command, value);
  return Bytes(message.begin(), message.end());
}

TEST(ModuleControlsTest, Config1IsMidiToCvAloneOrTheTwoAssignments) {
  ModuleControls controls;
  EXPECT_EQ(Config1Byte(controls), 0x00);
  controls.counter = ClockCounterAssignment::kWave;
  controls.gate = GateInputAssignment::kSample;
  EXPECT_EQ(Config1Byte(controls), 0x44);
  controls.midi_to_cv = true;
  EXPECT_EQ(Config1Byte(controls), 0x80);
}

TEST(ModuleControlsTest, Config2AddsTheSwitchesToTheSampleMap) {
  ModuleControls controls;
  EXPECT_EQ(Config2Byte(controls), 0x00);
  controls.retrigger = true;
  controls.note_map = true;
  controls.sample_map = 5;
  EXPECT_EQ(Config2Byte(controls), 0xFD);
  controls.retrigger = false;
  controls.note_map = false;
  controls.player_mode = true;
  controls.sample_map = 2;
  EXPECT_EQ(Config2Byte(controls), 0x1A);
}

TEST(ModuleControlsTest, EachParameterHasItsCommandValueAndImageByte) {
  ModuleControls controls;
  controls.wave_list_position = 0;  // none
  controls.bank_list_position = 33;
  controls.note_ref = 200;
  controls.bank_range = 2;
  controls.divider = 7;
  struct Case {
    ModuleParameter parameter;
    ParameterChange expected;
  };
  for (const Case& c : {
           Case{ModuleParameter::kWaveController, {1, 255, 1, 255}},
           Case{ModuleParameter::kBankController, {2, 32, 2, 32}},
           Case{ModuleParameter::kNoteRef, {3, 200 & 0x7F, 3, 200 & 0x7F}},
           Case{ModuleParameter::kBankRange, {9, 0xE0, 7, 2}},
           Case{ModuleParameter::kWaveRange, {10, 0xFC, 8, 5}},
           Case{ModuleParameter::kClockReset, {13, 16, 5, 16}},
           Case{ModuleParameter::kGateReset, {14, 16, 6, 16}},
           Case{ModuleParameter::kTrigger, {11, 12, 4, 12}},
           Case{ModuleParameter::kDivider, {12, 7, 9, 7}},
           Case{ModuleParameter::kConfig2, {15, 0, 11, 0}},
           Case{ModuleParameter::kConfig1, {6, 0, 10, 0}},
       }) {
    const ParameterChange change = ChangeFor(c.parameter, controls);
    EXPECT_EQ(change.command, c.expected.command) << static_cast<int>(c.parameter);
    EXPECT_EQ(change.value, c.expected.value) << static_cast<int>(c.parameter);
    EXPECT_EQ(change.image_byte, c.expected.image_byte) << static_cast<int>(c.parameter);
    EXPECT_EQ(change.image_value, c.expected.image_value) << static_cast<int>(c.parameter);
  }
}

TEST(ModuleControlsTest, TheSendOrderHasTheFlagsOnlyWhenAskedAndSkipsListsWithoutPosition) {
  ModuleControls controls;
  std::vector<int> order;
  for (const ModuleCommand& command : ParameterCommands(controls, false)) {
    order.push_back(command.command);
  }
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 9, 10, 13, 14, 11, 12, 15, 6}));
  EXPECT_EQ(ParameterCommands(controls, true).back(), (ModuleCommand{7, 0x03}));
  controls.wave_list_position = -1;
  controls.bank_list_position = -1;
  EXPECT_EQ(ParameterCommands(controls, true).front().command, 3);
}

TEST(ModuleControlsTest, TheExportOfTheFirstStartValuesIs96BytesFromNoWaveControllerToTheFlags) {
  const Bytes bytes = [] {
    const auto sysex = BuildParameterSysex(ModuleControls{});
    return Bytes(sysex.begin(), sysex.end());
  }();
  ASSERT_EQ(bytes.size(), 96u);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8),
            (Bytes{0xF0, 0x70, 0x7C, 0x00, 0x01, 0x0F, 0x0F, 0xF7}));
  EXPECT_EQ(Bytes(bytes.end() - 8, bytes.end()),
            (Bytes{0xF0, 0x70, 0x7C, 0x00, 0x07, 0x00, 0x03, 0xF7}));
  // Every message on the controls' channel, in the send order.
  ModuleControls on_nine;
  on_nine.channel = 9;
  on_nine.handshake = false;
  const std::vector<std::uint8_t> nine = BuildParameterSysex(on_nine);
  Bytes expected;
  for (const ModuleCommand& command : ParameterCommands(on_nine, true)) {
    const Bytes message = Command(8, command.command, command.value);
    expected.insert(expected.end(), message.begin(), message.end());
  }
  EXPECT_EQ(Bytes(nine.begin(), nine.end()), expected);
  EXPECT_EQ(nine[94], 0x02);  // flash recall only
}

TEST(ModuleControlsTest, StoreImageWritesTwelvePlusFirmwareAndFlagsAndKeepsTheReservedBytes) {
  ModuleControls controls;
  controls.channel = 16;
  controls.wave_list_position = 2;
  controls.bank_list_position = 1;
  controls.counter = ClockCounterAssignment::kGate;
  controls.sample_map = 3;
  controls.firmware = 47;
  controls.flash_recall = false;
  ParameterImage before;
  before.fill(0xEE);
  const ParameterImage image = StoreImage(controls, before);
  EXPECT_EQ(image,
            (ParameterImage{15, 1, 0, 24, 12, 16, 16, 4, 5, 24, 0x01, 0x38, 0xEE, 0xEE, 47, 0x01}));
}

TEST(ModuleControlsTest, BpmListAndDivider) {
  for (int position = 0; position < kBpmPresetCount; ++position) {
    const int divider = DividerForBpmPosition(position, 50);
    EXPECT_EQ(divider, std::vector<int>({96, 48, 24, 12, 6, 3})[position]);
    EXPECT_EQ(BpmPositionForDivider(divider), position);
  }
  EXPECT_EQ(DividerForBpmPosition(kDivideByN, 50), 50);
  for (int divider : {0, 1, 25, 97, 255}) EXPECT_EQ(BpmPositionForDivider(divider), kDivideByN);
}

TEST(ModuleControlsTest, ListPositionsFromConfig1) {
  EXPECT_EQ(CounterListPosition(0x08), 1);
  EXPECT_EQ(CounterListPosition(0x01), 4);
  EXPECT_EQ(CounterListPosition(0x03), 0);
  EXPECT_EQ(GateListPosition(0x20), 1);
  EXPECT_EQ(GateListPosition(0x40), 3);
  EXPECT_EQ(GateListPosition(0x30), 0);
}

TEST(ModuleControlsTest, CaptureTakesNoteOffsAndTheBankControllerOnTheModulesChannel) {
  const CaptureChoice both{
      .note_on = true, .controller = true, .channel_index = 2, .bank_controller = 7};
  struct Case {
    std::uint8_t status, data1, data2;
    CaptureChoice choice;
    std::optional<std::uint8_t> value;
  };
  CaptureChoice no_notes = both;
  no_notes.note_on = false;
  CaptureChoice no_controllers = both;
  no_controllers.controller = false;
  for (const Case& c : {
           Case{0x82, 60, 64, both, 120},
           Case{0x82, 127, 0, both, 254},
           Case{0x92, 60, 64, both, std::nullopt},  // a note on never writes
           Case{0x92, 60, 0, both, std::nullopt},   // nor its velocity 0 form
           Case{0x83, 60, 64, both, std::nullopt},  // another channel
           Case{0x82, 60, 64, no_notes, std::nullopt},
           Case{0xB2, 7, 127, both, 254},
           Case{0xB2, 8, 127, both, std::nullopt},  // not the bank controller
           Case{0xB2, 7, 10, no_controllers, std::nullopt},
           Case{0xE2, 7, 10, both, std::nullopt},
           Case{0xF0, 0, 0, CaptureChoice{.channel_index = 0}, std::nullopt},
       }) {
    EXPECT_EQ(CapturedValue(c.status, c.data1, c.data2, c.choice), c.value)
        << std::hex << int{c.status} << " " << int{c.data1};
  }
}

}  // namespace
}  // namespace morvane
