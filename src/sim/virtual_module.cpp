#include "sim/virtual_module.h"

#include <stdexcept>

#include "core/midi/midi_driver.h"
#include "core/midi/sysex_format.h"
#include "core/midi/sysex_wave_block.h"
#include "core/module/module_controls.h"

namespace morvane {
namespace {

constexpr std::uint8_t kControlChange = 0xB0;

ModuleReply ToReply(std::span<const std::uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }

void CheckIndex(int index) {
  if (index < 0 || index >= kWaveCount) {
    throw std::out_of_range("waveform index outside 0..2047");
  }
}

}  // namespace

VirtualModule::VirtualModule(const ModuleConfiguration& configuration,
                             const FirmwareIdentity& firmware)
    : configuration_(configuration), firmware_(firmware), memory_(kWaveCount, [] {
        ModuleWaveform empty;
        empty.fill(kZeroLine);
        return empty;
      }()) {
  configuration_.channel_index &= 0x0F;
  SetFlags(configuration.flags);
  flash_ = configuration_;
}

std::vector<ModuleReply> VirtualModule::Receive(std::span<const std::uint8_t> message) {
  if (message.empty()) return {};
  if (message.front() == kSysexStart) return ReceiveSysex(message);
  return ReceiveShort(message);
}

void VirtualModule::PowerCycle() {
  configuration_ = flash_;
  selected_bank_ = 0;
  selected_wave_ = 0;
}

bool VirtualModule::handshake() const { return (configuration_.flags & kFlagHandshake) != 0; }

const ModuleWaveform& VirtualModule::Waveform(int index) const {
  CheckIndex(index);
  return memory_[static_cast<std::size_t>(index)];
}

ModuleWaveform& VirtualModule::MutableWaveform(int index) {
  CheckIndex(index);
  return memory_[static_cast<std::size_t>(index)];
}

ModuleReply VirtualModule::ParameterReply() const {
  ParameterReplyFields fields;
  fields.channel_index = static_cast<std::uint8_t>(configuration_.channel_index);
  fields.firmware_major = firmware_.major;
  fields.firmware_revision = firmware_.revision;
  fields.note_ref = configuration_.note_ref;
  fields.wave_controller = configuration_.wave_controller;
  fields.bank_controller = configuration_.bank_controller;
  fields.bank_range_mask = RangeMask(configuration_.bank_range_index);
  fields.wave_range_mask = RangeMask(configuration_.wave_range_index);
  fields.config1 = configuration_.config1;
  fields.config2 = configuration_.config2;
  fields.clock_divider = configuration_.clock_divider;
  fields.gate_time = configuration_.gate_time;
  fields.clock_counter_reset = configuration_.clock_reset;
  fields.internal_counter_reset = configuration_.counter_reset;
  fields.flags = configuration_.flags;
  fields.magic_low = firmware_.magic_low;
  fields.date_day = firmware_.day;
  fields.date_month = firmware_.month;
  fields.date_year = 2000 + firmware_.year_since_2000;
  return ToReply(BuildParameterReply(fields));
}

std::vector<ModuleReply> VirtualModule::ReceiveShort(std::span<const std::uint8_t> message) {
  const std::uint8_t status = message[0];
  if (static_cast<int>(message.size()) < ShortMessageLength(status)) return {};
  if (status != (kControlChange | configuration_.channel_index)) return {};
  const int controller = message[1];
  const int value = message[2];
  // A value that names no bank or wave leaves the selection as it is.
  if (controller == configuration_.bank_controller && value < kBankCount) {
    selected_bank_ = value;
  }
  if (controller == configuration_.wave_controller && value < kWavesPerBank) {
    selected_wave_ = value;
  }
  return {};
}

std::vector<ModuleReply> VirtualModule::ReceiveSysex(std::span<const std::uint8_t> message) {
  if (message.size() <= static_cast<std::size_t>(kSysexCommandByte) ||
      message[kSysexChannelByte] != configuration_.channel_index) {
    return {};
  }
  if (message[kSysexCommandByte] == kWaveBlockCommand) return ReceiveWaveBlock(message);
  const auto command = ParseCommandMessage(message);
  if (!command) return {};
  return ReceiveCommand(command->command, static_cast<std::uint8_t>(command->value));
}

std::vector<ModuleReply> VirtualModule::ReceiveWaveBlock(std::span<const std::uint8_t> message) {
  const auto block = ParseWaveBlockMessage(message);
  if (!block) return {};
  ModuleWaveform& wave = memory_[static_cast<std::size_t>(SelectedIndex())];
  std::copy(block->data.begin(), block->data.end(),
            wave.begin() + static_cast<std::ptrdiff_t>(block->position));
  if (!handshake()) return {};
  return {ToReply(BuildAckMessage(configuration_.channel_index))};
}

std::vector<ModuleReply> VirtualModule::ReceiveCommand(int command, std::uint8_t value) {
  ModuleConfiguration& c = configuration_;
  switch (command) {
    case kCommandSetChannel:
      c.channel_index = value & 0x0F;
      break;
    case kCommandWaveController:
      c.wave_controller = value;
      break;
    case kCommandBankController:
      c.bank_controller = value;
      break;
    case kCommandNoteRef:
      c.note_ref = value & 0x7F;
      break;
    case kCommandRequestBlock:
      if (value % kWaveBlockSamples != 0) return {};
      return {BlockReply(value)};
    case kCommandZeroCross:
      if (value == kZeroCrossOn || value == kZeroCrossOff) c.zero_cross = value == kZeroCrossOn;
      break;
    case kCommandConfig1:
      c.config1 = value;
      break;
    case kCommandFlags:
      SetFlags(value);
      if ((value & kFlagWriteFlash) != 0) flash_ = configuration_;
      break;
    case kCommandRequestParameters:
      return {ParameterReply()};
    case kCommandBankRange:
      c.bank_range_index = RangeIndexFromMask(value);
      break;
    case kCommandWaveRange:
      c.wave_range_index = RangeIndexFromMask(value);
      break;
    case kCommandGateTime:
      c.gate_time = value;
      break;
    case kCommandClockDivider:
      c.clock_divider = value;
      break;
    case kCommandClockCounterReset:
      c.clock_reset = value;
      break;
    case kCommandInternalCounterReset:
      c.counter_reset = value;
      break;
    case kCommandConfig2:
      c.config2 = value;
      break;
    default:  // unknown commands do nothing
      break;
  }
  return {};
}

ModuleReply VirtualModule::BlockReply(int position) const {
  const ModuleWaveform& wave = memory_[static_cast<std::size_t>(SelectedIndex())];
  const auto data = std::span<const std::uint8_t, kWaveLength>(wave)
                        .subspan(static_cast<std::size_t>(position))
                        .first<kWaveBlockSamples>();
  return ToReply(BuildWaveBlockMessage(configuration_.channel_index, position, data));
}

void VirtualModule::SetFlags(std::uint8_t value) {
  // Firmware before the flags existed keeps them clear: no handshake, no recall option.
  configuration_.flags =
      firmware_.revision >= kFirmwareWithFlags
          ? static_cast<std::uint8_t>(value & (kFlagHandshake | kFlagFlashRecall))
          : 0;
}

}  // namespace morvane
