#include "core/module/module_controls.h"

#include <array>

namespace morvane {

namespace {

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

// Controller number of a list position; a list without a position has no controller either.
int ControllerOf(int list_position) { return ControllerNumberFromListPosition(list_position); }

// The eleven parameters in their sending order.
constexpr std::array kSendOrder = {
    ModuleParameter::kWaveController, ModuleParameter::kBankController,
    ModuleParameter::kNoteRef,        ModuleParameter::kBankRange,
    ModuleParameter::kWaveRange,      ModuleParameter::kClockReset,
    ModuleParameter::kGateReset,      ModuleParameter::kTrigger,
    ModuleParameter::kDivider,        ModuleParameter::kConfig2,
    ModuleParameter::kConfig1,
};

}  // namespace

std::uint8_t Config1Byte(const ModuleControls& controls) {
  return BuildConfig1Byte(controls.midi_to_cv, controls.counter, controls.gate);
}

std::uint8_t Config2Byte(const ModuleControls& controls) {
  return BuildConfig2Byte(controls.retrigger, controls.player_mode, controls.note_map,
                          controls.sample_map);
}

std::uint8_t FlagsByte(const ModuleControls& controls) {
  return BuildFlagsByte(controls.handshake, controls.flash_recall);
}

ParameterChange ChangeFor(ModuleParameter parameter, const ModuleControls& controls) {
  // Most parameters travel as the image keeps them.
  const auto same = [](int command, int image_byte, int value) {
    return ParameterChange{command, value & 0xFF, image_byte, Byte(value)};
  };
  switch (parameter) {
    case ModuleParameter::kWaveController:
      return same(kCommandWaveController, kImageWaveController,
                  ControllerOf(controls.wave_list_position));
    case ModuleParameter::kBankController:
      return same(kCommandBankController, kImageBankController,
                  ControllerOf(controls.bank_list_position));
    case ModuleParameter::kNoteRef:
      return same(kCommandNoteRef, kImageNoteRef, controls.note_ref & 0x7F);
    case ModuleParameter::kBankRange:
      return {kCommandBankRange, RangeMask(controls.bank_range), kImageBankRange,
              Byte(controls.bank_range)};
    case ModuleParameter::kWaveRange:
      return {kCommandWaveRange, RangeMask(controls.wave_range), kImageWaveRange,
              Byte(controls.wave_range)};
    case ModuleParameter::kClockReset:
      return same(kCommandClockCounterReset, kImageClockReset, controls.clock_reset);
    case ModuleParameter::kGateReset:
      return same(kCommandInternalCounterReset, kImageGateReset, controls.gate_reset);
    case ModuleParameter::kTrigger:
      return same(kCommandGateTime, kImageTrigger, controls.trigger);
    case ModuleParameter::kDivider:
      return same(kCommandClockDivider, kImageDivider, controls.divider);
    case ModuleParameter::kConfig2:
      return same(kCommandConfig2, kImageConfig2, Config2Byte(controls));
    case ModuleParameter::kConfig1:
      return same(kCommandConfig1, kImageConfig1, Config1Byte(controls));
  }
  return {};
}

std::vector<ModuleCommand> ParameterCommands(const ModuleControls& controls, bool with_flags) {
  std::vector<ModuleCommand> commands;
  for (ModuleParameter parameter : kSendOrder) {
    if (parameter == ModuleParameter::kWaveController && controls.wave_list_position < 0) continue;
    if (parameter == ModuleParameter::kBankController && controls.bank_list_position < 0) continue;
    const ParameterChange change = ChangeFor(parameter, controls);
    commands.push_back({change.command, change.value});
  }
  if (with_flags) commands.push_back({kCommandFlags, FlagsByte(controls)});
  return commands;
}

std::vector<std::uint8_t> BuildParameterSysex(const ModuleControls& controls) {
  std::vector<std::uint8_t> bytes;
  for (const ModuleCommand& command : ParameterCommands(controls, true)) {
    const CommandMessage message =
        BuildCommandMessage(controls.channel - 1, command.command, command.value);
    bytes.insert(bytes.end(), message.begin(), message.end());
  }
  return bytes;
}

ParameterImage StoreImage(const ModuleControls& controls, ParameterImage image) {
  image[kImageChannel] = Byte(controls.channel - 1);
  for (ModuleParameter parameter : kSendOrder) {
    const ParameterChange change = ChangeFor(parameter, controls);
    image[static_cast<std::size_t>(change.image_byte)] = change.image_value;
  }
  image[kImageFirmware] = Byte(controls.firmware);
  image[kImageFlags] = FlagsByte(controls);
  return image;
}

int BpmPositionForDivider(int divider) {
  for (int position = 0; position < kBpmPresetCount; ++position) {
    if (divider == DividerForBpmPosition(position, divider)) return position;
  }
  return kDivideByN;
}

int DividerForBpmPosition(int position, int divider) {
  if (position < 0 || position >= kBpmPresetCount) return divider;
  return 3 << (kBpmPresetCount - 1 - position);
}

int CounterListPosition(std::uint8_t config1) {
  return static_cast<int>(ClockCounterFromConfig1(config1));
}

int GateListPosition(std::uint8_t config1) {
  return static_cast<int>(GateInputFromConfig1(config1));
}

std::optional<std::uint8_t> CapturedValue(std::uint8_t status, std::uint8_t data1,
                                          std::uint8_t data2, const CaptureChoice& choice) {
  constexpr std::uint8_t kNoteOff = 0x80;
  constexpr std::uint8_t kControlChange = 0xB0;
  if ((status & 0x0F) != (choice.channel_index & 0x0F)) return std::nullopt;
  const std::uint8_t kind = status & 0xF0;
  // Steps are taken when a key is released: a note on, or its velocity 0 form, writes nothing.
  if (kind == kNoteOff && choice.note_on) return Byte(data1 * 2);
  if (kind == kControlChange && choice.controller && data1 == choice.bank_controller) {
    return Byte(data2 * 2);
  }
  return std::nullopt;
}

}  // namespace morvane
