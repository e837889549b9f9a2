#pragma once

// What the module control window shows, as plain values, and the rules that turn it into the
// module's commands, the Config bytes, a parameter image and the system-exclusive export.

#include <cstdint>
#include <optional>
#include <vector>

#include "core/midi/controller_names.h"
#include "core/midi/sysex_format.h"
#include "core/module/parameter_store.h"

namespace morvane {

// The controls of one module, at the values a first start shows.
struct ModuleControls {
  int channel = 1;             // "Channel" knob, 1 to 16
  int wave_list_position = 0;  // "Wave " list: controller + 1, 0 for none, -1 no position
  int bank_list_position = 0;  // "Bank" list, the same
  int note_ref = 24;           // "Note Ref", 0 to 127
  int trigger = 12;            // "Trigger", 0 to 255
  int clock_reset = 16;        // "Reset" of "MIDI Clock ", 1 to 255
  int gate_reset = 16;         // "Reset" of "GATE Input", 1 to 255
  int bank_range = 4;          // "Range  B" index, 0 to 4
  int wave_range = 5;          // "Range W" index, 0 to 5
  int divider = 24;            // "Divider", 0 to 255
  bool midi_to_cv = false;     // "MIDI 2 CV Mode"
  ClockCounterAssignment counter = ClockCounterAssignment::kDisabled;
  GateInputAssignment gate = GateInputAssignment::kDisabled;
  bool retrigger = false;    // "ReTrigg"
  bool player_mode = false;  // "Player Mode"
  bool note_map = false;     // "MIDI Notes "
  int sample_map = 0;        // sample map list position, 0 to 5
  int firmware = 0;          // "Firmware rev" readout
  bool handshake = true;     // "Handshake Sysex TX "
  bool flash_recall = true;  // "Flash recall adress 000"
};

// Firmware revisions from which the module knows the flags byte, and from which "Send to MIDI"
// includes it. Frozen: the module's firmware history.
inline constexpr int kFirmwareWithFlags = 46;
inline constexpr int kFirmwareSendingFlags = 47;

std::uint8_t Config1Byte(const ModuleControls& controls);
std::uint8_t Config2Byte(const ModuleControls& controls);
// Bit 0 handshake, bit 1 flash recall, bit 7 clear.
std::uint8_t FlagsByte(const ModuleControls& controls);

// The parameters a control change sends, each with its command and its byte of the image.
enum class ModuleParameter {
  kWaveController,
  kBankController,
  kNoteRef,
  kBankRange,
  kWaveRange,
  kClockReset,
  kGateReset,
  kTrigger,
  kDivider,
  kConfig2,
  kConfig1,
};

struct ParameterChange {
  int command = 0;
  int value = 0;       // what the command carries
  int image_byte = 0;  // where the image keeps it
  std::uint8_t image_value = 0;
};

// The command of a parameter at the controls' values and the image byte written with it.
ParameterChange ChangeFor(ModuleParameter parameter, const ModuleControls& controls);

struct ModuleCommand {
  int command = 0;
  int value = 0;
  friend bool operator==(const ModuleCommand&, const ModuleCommand&) = default;
};

// Every parameter in the order in which "Send to MIDI" and the system-exclusive export send
// them: commands 1 and 2 (only when their list has a position), 3, 9, 10, 13, 14, 11, 12, 15,
// 6, then command 7 with the flags byte when `with_flags`.
std::vector<ModuleCommand> ParameterCommands(const ModuleControls& controls, bool with_flags);

// The ".syx" export: the command messages of ParameterCommands, flags included whatever the
// firmware, all on the controls' channel. 96 bytes when both controller lists have a position.
std::vector<std::uint8_t> BuildParameterSysex(const ModuleControls& controls);

// StoreImage: bytes 0 to 11, 14 and 15 from the controls; 12 and 13 stay as `image` holds them.
ParameterImage StoreImage(const ModuleControls& controls, ParameterImage image);

// The "MIDI Clock " BPM list: "  1 Bpm " .. " 32 Bpm " for the dividers 96, 48, 24, 12, 6, 3,
// and " Div by N " for every other.
inline constexpr int kBpmPresetCount = 6;
inline constexpr int kDivideByN = kBpmPresetCount;
int BpmPositionForDivider(int divider);
// The divider a BPM list position gives: 3 << (5 - position) for the presets, `divider` kept
// for " Div by N ".
int DividerForBpmPosition(int position, int divider);

// Positions of the counter and gate lists read back from a Config1 byte (bits 0-3 and 4-6).
int CounterListPosition(std::uint8_t config1);
int GateListPosition(std::uint8_t config1);

// The MIDI capture: the value a received message writes into the waveform editor while it
// records, or nothing. A note off (80) on the module's channel gives key * 2 when notes are
// captured; a control change of the bank controller gives value * 2 when controllers are.
struct CaptureChoice {
  bool note_on = true;     // "Note ON"
  bool controller = true;  // "Controler"
  int channel_index = 0;   // the module's channel - 1
  int bank_controller = kNoController;
};
std::optional<std::uint8_t> CapturedValue(std::uint8_t status, std::uint8_t data1,
                                          std::uint8_t data2, const CaptureChoice& choice);

}  // namespace morvane
