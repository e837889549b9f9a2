#include "sim/virtual_module.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/midi/sysex_format.h"
#include "core/midi/sysex_wave_block.h"

namespace morvane {
namespace {

constexpr int kChannel = 4;  // MIDI channel 5

ModuleConfiguration TestConfiguration() {
  ModuleConfiguration c;
  c.channel_index = kChannel;
  c.wave_controller = 21;
  c.bank_controller = 20;
  c.note_ref = 48;
  c.bank_range_index = 2;
  c.wave_range_index = 5;
  c.config1 = 0x28;  // counter on wave, gate on bank
  c.config2 = 0x1D;  // retrigger, note map, 8 x 64k
  c.gate_time = 0x9C;
  c.clock_divider = 0x18;
  c.clock_reset = 0xC3;
  c.counter_reset = 0x7E;
  c.flags = kFlagFlashRecall;
  return c;
}

std::vector<ModuleReply> Command(VirtualModule& module, int command, int value,
                                 int channel = kChannel) {
  return module.Receive(BuildCommandMessage(channel, command, value));
}

ParameterReply RequestParameters(VirtualModule& module, int channel = kChannel) {
  const auto replies = Command(module, kCommandRequestParameters, 0, channel);
  EXPECT_EQ(replies.size(), 1u);
  if (replies.empty()) return {};
  EXPECT_EQ(replies[0].size(), static_cast<std::size_t>(kParameterReplySize));
  const auto decoded = DecodeParameterReply(replies[0]);
  EXPECT_TRUE(decoded.has_value());
  return decoded.value_or(ParameterReply{});
}

void Select(VirtualModule& module, int bank, int wave, int channel = kChannel) {
  const auto& c = module.configuration();
  const std::uint8_t status = static_cast<std::uint8_t>(0xB0 | channel);
  const std::vector<std::uint8_t> bank_select{status, c.bank_controller,
                                              static_cast<std::uint8_t>(bank)};
  const std::vector<std::uint8_t> wave_select{status, c.wave_controller,
                                              static_cast<std::uint8_t>(wave)};
  EXPECT_TRUE(module.Receive(bank_select).empty());
  EXPECT_TRUE(module.Receive(wave_select).empty());
}

WaveBlockData Ramp(int seed) {
  WaveBlockData data;
  for (int i = 0; i < kWaveBlockSamples; ++i) data[i] = static_cast<std::uint8_t>(seed + 7 * i);
  return data;
}

std::vector<ModuleReply> WriteBlock(VirtualModule& module, int position, const WaveBlockData& data,
                                    int channel = kChannel) {
  return module.Receive(BuildWaveBlockMessage(channel, position, data));
}

TEST(VirtualModuleTest, ParameterReplyDecodesToTheModuleParameters) {
  FirmwareIdentity firmware;
  firmware.day = 27;
  firmware.month = 11;
  firmware.year_since_2000 = 6;
  firmware.magic_low = 0x3C;
  VirtualModule module(TestConfiguration(), firmware);

  const ParameterReply reply = RequestParameters(module);
  EXPECT_EQ(reply.channel_index, kChannel);
  EXPECT_EQ(reply.shown_channel, 5);
  EXPECT_EQ(reply.firmware_major, 1);
  EXPECT_EQ(reply.firmware_revision, 47);
  EXPECT_EQ(reply.note_ref, 48);
  EXPECT_EQ(reply.wave_controller, 21);
  EXPECT_EQ(reply.bank_controller, 20);
  EXPECT_EQ(reply.bank_range_index, 2);
  EXPECT_EQ(reply.wave_range_index, 5);
  EXPECT_EQ(reply.config1_assignments, 0x28);
  EXPECT_FALSE(reply.midi_to_cv);
  EXPECT_EQ(reply.config2, 0x1D);
  EXPECT_EQ(reply.gate_time, 0x9C);
  EXPECT_EQ(reply.clock_divider, 0x18);
  EXPECT_EQ(reply.clock_counter_reset, 0xC3);
  EXPECT_EQ(reply.internal_counter_reset, 0x7E);
  EXPECT_EQ(reply.flags, kFlagFlashRecall);
  EXPECT_EQ(reply.magic_number, "023C");
  EXPECT_EQ(reply.date_day, 27);
  EXPECT_EQ(reply.date_month, 11);
  EXPECT_EQ(reply.date_year, 2006);
}

// Each parameter command changes exactly what the parameter reply (or, for the zero-crossing
// detector that the reply does not carry, the configuration) shows.
TEST(VirtualModuleTest, ParameterCommandsChangeTheModule) {
  struct Case {
    int command;
    int value;
    std::function<bool(const ParameterReply&, const ModuleConfiguration&)> holds;
  };
  const std::vector<Case> cases = {
      {kCommandWaveController, 74, [](auto& r, auto&) { return r.wave_controller == 74; }},
      {kCommandWaveController, 255, [](auto& r, auto&) { return r.wave_controller == 255; }},
      {kCommandBankController, 7, [](auto& r, auto&) { return r.bank_controller == 7; }},
      {kCommandNoteRef, 0xA4, [](auto& r, auto&) { return r.note_ref == 0x24; }},
      {kCommandZeroCross, kZeroCrossOn, [](auto&, auto& c) { return c.zero_cross; }},
      {kCommandConfig1, 0x80,
       [](auto& r, auto&) { return r.midi_to_cv && r.config1_assignments == 0; }},
      {kCommandConfig1, 0x41,
       [](auto& r, auto&) { return !r.midi_to_cv && r.config1_assignments == 0x41; }},
      {kCommandFlags, 0x03, [](auto& r, auto&) { return r.flags == 0x03; }},
      {kCommandBankRange, 0xF8, [](auto& r, auto&) { return r.bank_range_index == 4; }},
      {kCommandBankRange, 0x81, [](auto& r, auto&) { return r.bank_range_index == 0; }},
      {kCommandWaveRange, 0xC0, [](auto& r, auto&) { return r.wave_range_index == 1; }},
      {kCommandGateTime, 0xFF, [](auto& r, auto&) { return r.gate_time == 0xFF; }},
      {kCommandClockDivider, 0x03, [](auto& r, auto&) { return r.clock_divider == 0x03; }},
      {kCommandClockCounterReset, 0x01, [](auto& r, auto&) { return r.clock_counter_reset == 1; }},
      {kCommandInternalCounterReset, 0xF0,
       [](auto& r, auto&) { return r.internal_counter_reset == 0xF0; }},
      {kCommandConfig2, 0xF8, [](auto& r, auto&) { return r.config2 == 0xF8; }},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << "command " << test.command << " value " << test.value);
    VirtualModule module(TestConfiguration());
    ASSERT_FALSE(test.holds(RequestParameters(module), module.configuration()));
    EXPECT_TRUE(Command(module, test.command, test.value).empty());
    EXPECT_TRUE(test.holds(RequestParameters(module), module.configuration()));
  }
}

TEST(VirtualModuleTest, ZeroCrossCommandKnowsOnlyItsTwoValues) {
  VirtualModule module(TestConfiguration());
  Command(module, kCommandZeroCross, kZeroCrossOn);
  Command(module, kCommandZeroCross, 0x08);
  EXPECT_TRUE(module.configuration().zero_cross);
  Command(module, kCommandZeroCross, kZeroCrossOff);
  EXPECT_FALSE(module.configuration().zero_cross);
}

TEST(VirtualModuleTest, ChannelChangeMovesTheModule) {
  VirtualModule module(TestConfiguration());
  EXPECT_TRUE(Command(module, kCommandSetChannel, 11).empty());

  EXPECT_TRUE(Command(module, kCommandRequestParameters, 0, kChannel).empty());
  EXPECT_TRUE(WriteBlock(module, 0, Ramp(1), kChannel).empty());
  EXPECT_EQ(module.Waveform(0)[0], kZeroLine);

  const ParameterReply reply = RequestParameters(module, 11);
  EXPECT_EQ(reply.channel_index, 11);
  EXPECT_EQ(reply.shown_channel, 12);
}

TEST(VirtualModuleTest, HandshakeDecidesTheAcknowledgement) {
  for (const bool handshake : {false, true}) {
    SCOPED_TRACE(handshake ? "handshake on" : "handshake off");
    VirtualModule module(TestConfiguration());
    Command(module, kCommandFlags, BuildFlagsByte(handshake, false));
    const auto replies = WriteBlock(module, 64, Ramp(3));
    if (!handshake) {
      EXPECT_TRUE(replies.empty());
      continue;
    }
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0], (ModuleReply{0xF0, 0x70, 0x7C, kChannel, 0x7F, 0xF7}));
    EXPECT_TRUE(IsAckMessage(replies[0], kChannel));
  }
}

TEST(VirtualModuleTest, FirmwareBeforeRevision46HasNoHandshake) {
  FirmwareIdentity old_firmware;
  old_firmware.revision = 45;
  ModuleConfiguration configuration = TestConfiguration();
  configuration.flags = kFlagHandshake;
  VirtualModule module(configuration, old_firmware);

  Command(module, kCommandFlags, BuildFlagsByte(true, true));
  EXPECT_TRUE(WriteBlock(module, 0, Ramp(5)).empty());
  const ParameterReply reply = RequestParameters(module);
  EXPECT_EQ(reply.flags, 0);
  EXPECT_EQ(reply.firmware_revision, 45);
}

TEST(VirtualModuleTest, ControllersSelectTheWaveformThatBlocksAddress) {
  VirtualModule module(TestConfiguration());
  Select(module, 5, 33);
  EXPECT_EQ(module.SelectedIndex(), 5 * 64 + 33);

  // Values that name no bank or wave, other controllers and other channels change nothing.
  const auto& c = module.configuration();
  const std::vector<std::vector<std::uint8_t>> ignored = {
      {0xB4, c.bank_controller, 32}, {0xB4, c.wave_controller, 64}, {0xB4, 22, 1},
      {0xB3, c.bank_controller, 1},  {0x94, c.bank_controller, 1},  {0xB4, c.bank_controller}};
  for (const auto& message : ignored) EXPECT_TRUE(module.Receive(message).empty());
  EXPECT_EQ(module.SelectedIndex(), 5 * 64 + 33);

  const WaveBlockData data = Ramp(9);
  WriteBlock(module, 128, data);
  const ModuleWaveform& wave = module.Waveform(5 * 64 + 33);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), wave.begin() + 128));
  EXPECT_EQ(wave[127], kZeroLine);
  EXPECT_EQ(wave[192], kZeroLine);

  const auto replies = Command(module, kCommandRequestBlock, 128);
  ASSERT_EQ(replies.size(), 1u);
  const auto parsed = ParseWaveBlockMessage(replies[0]);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(parsed->channel_index, kChannel);
  EXPECT_EQ(parsed->position, 128);
  EXPECT_EQ(parsed->data, data);
}

TEST(VirtualModuleTest, IgnoresWhatIsNotForIt) {
  VirtualModule module(TestConfiguration());
  Command(module, kCommandFlags, BuildFlagsByte(true, false));
  const CommandMessage request = BuildCommandMessage(kChannel, kCommandRequestParameters, 0);
  WaveBlockMessage bad_bits = BuildWaveBlockMessage(kChannel, 0, Ramp(2));
  bad_bits[20] |= 0x80;
  std::vector<std::uint8_t> wrong_maker(request.begin(), request.end());
  wrong_maker[1] = 0x41;
  const std::vector<std::vector<std::uint8_t>> garbage = {
      {},
      {0xF0},
      {0xF0, 0x70, 0x7C, kChannel},
      std::vector<std::uint8_t>(request.begin(), request.end() - 1),  // no F7
      wrong_maker,
      std::vector<std::uint8_t>(bad_bits.begin(), bad_bits.end()),
      {0xF0, 0x70, 0x7C, kChannel, kCommandRequestBlock, 0x01, 0x00, 0xF7},  // position 16
      {0xF0, 0x70, 0x7C, kChannel, 0x33, 0x00, 0x00, 0xF7},                  // unknown command
      {0xF8},
      {0xFA},
  };
  for (const auto& message : garbage) EXPECT_TRUE(module.Receive(message).empty());
  EXPECT_EQ(module.Waveform(0), VirtualModule().Waveform(0));
  EXPECT_EQ(module.configuration().flags, kFlagHandshake);
}

TEST(VirtualModuleTest, FlashWriteKeepsTheConfigurationAcrossAPowerCycle) {
  const ModuleConfiguration initial = TestConfiguration();
  VirtualModule module(initial);
  Command(module, kCommandNoteRef, 60);
  Command(module, kCommandClockDivider, 12);
  Command(module, kCommandFlags, BuildFlagsByte(true, false, true));
  const ModuleConfiguration flashed = module.configuration();
  EXPECT_EQ(flashed.flags, kFlagHandshake);  // the write bit itself is not kept
  EXPECT_EQ(module.flash(), flashed);

  // Changed after the flash write: lost at the power cycle, as the selection is.
  Command(module, kCommandGateTime, 1);
  Command(module, kCommandSetChannel, 9);
  Select(module, 3, 3, 9);
  WriteBlock(module, 0, Ramp(4), 9);
  module.PowerCycle();

  EXPECT_EQ(module.configuration(), flashed);
  EXPECT_EQ(module.SelectedIndex(), 0);
  EXPECT_EQ(module.Waveform(3 * 64 + 3)[0], Ramp(4)[0]);  // waveform memory keeps its content
  const ParameterReply reply = RequestParameters(module, kChannel);
  EXPECT_EQ(reply.note_ref, 60);
  EXPECT_EQ(reply.clock_divider, 12);
  EXPECT_EQ(reply.gate_time, initial.gate_time);
  EXPECT_EQ(reply.flags, kFlagHandshake);
}

TEST(VirtualModuleTest, PowerCycleWithoutFlashWriteRestoresTheStartingConfiguration) {
  const ModuleConfiguration initial = TestConfiguration();
  VirtualModule module(initial);
  Command(module, kCommandFlags, BuildFlagsByte(true, true));  // bit 7 clear: no flash write
  Command(module, kCommandConfig2, 0x02);
  module.PowerCycle();
  EXPECT_EQ(module.configuration(), initial);
}

}  // namespace
}  // namespace morvane
