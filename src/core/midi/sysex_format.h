#pragma once

// The system-exclusive messages exchanged with the module: the 8-byte command message and its
// command table, the acknowledgement, the parameter reply, and the bit layouts of the values the
// commands carry. The 82-byte block message lives in sysex_wave_block.h.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/midi/sysex_wave_block.h"

namespace morvane {

// Command numbers (byte 4 of a command message). Frozen: the module's firmware dispatches on them.
// Command 16 is not a command message: it is kWaveBlockCommand, the block message.
inline constexpr int kCommandSetChannel = 0;
inline constexpr int kCommandWaveController = 1;
inline constexpr int kCommandBankController = 2;
inline constexpr int kCommandNoteRef = 3;
inline constexpr int kCommandRequestBlock = 4;
inline constexpr int kCommandZeroCross = 5;
inline constexpr int kCommandConfig1 = 6;
inline constexpr int kCommandFlags = 7;
inline constexpr int kCommandRequestParameters = 8;
inline constexpr int kCommandBankRange = 9;
inline constexpr int kCommandWaveRange = 10;
inline constexpr int kCommandGateTime = 11;
inline constexpr int kCommandClockDivider = 12;
inline constexpr int kCommandClockCounterReset = 13;
inline constexpr int kCommandInternalCounterReset = 14;
inline constexpr int kCommandConfig2 = 15;

// Values of command 5. Frozen: wire format.
inline constexpr int kZeroCrossOn = 0x28;
inline constexpr int kZeroCrossOff = 0x20;

// ---------------------------------------------------------------------------------------------
// Command message: F0 70 7C channel command high-nibble low-nibble F7. Frozen: wire format.

inline constexpr int kCommandMessageSize = 8;
using CommandMessage = std::array<std::uint8_t, kCommandMessageSize>;

// channel_index is the MIDI channel - 1, masked to 4 bits; command is masked to 7 bits; the low
// eight bits of value travel as two nibbles, the high one first.
CommandMessage BuildCommandMessage(int channel_index, int command, int value);

struct ParsedCommand {
  int channel_index = 0;
  int command = 0;
  int value = 0;
};

// The module's reading of a command message: exactly 8 bytes, the F0 70 7C ... F7 frame, a
// channel byte of 0 to 15, a 7-bit command byte and two nibbles of 0 to 15. Nothing otherwise.
// The command number itself is not checked against the table: the module decides what an
// unknown command does.
std::optional<ParsedCommand> ParseCommandMessage(std::span<const std::uint8_t> message);

// ---------------------------------------------------------------------------------------------
// Acknowledgement the module sends after each block when handshake is on: F0 70 7C channel 7F F7.
// Frozen: wire format.

inline constexpr int kAckMessageSize = 6;
inline constexpr std::uint8_t kAckByte = 0x7F;
using AckMessage = std::array<std::uint8_t, kAckMessageSize>;

AckMessage BuildAckMessage(int channel_index);

// True only when the message has six bytes and every one of them equals BuildAckMessage's.
bool IsAckMessage(std::span<const std::uint8_t> message, int channel_index);

// ---------------------------------------------------------------------------------------------
// Flags byte: command 7, parameter reply byte 27, parameter image byte 15. Frozen: wire format.

inline constexpr std::uint8_t kFlagHandshake = 0x01;
inline constexpr std::uint8_t kFlagFlashRecall = 0x02;
inline constexpr std::uint8_t kFlagWriteFlash = 0x80;  // only in command 7

std::uint8_t BuildFlagsByte(bool handshake, bool flash_recall, bool write_flash = false);

// ---------------------------------------------------------------------------------------------
// Config1 byte (command 6, parameter image byte 10). Frozen: wire format.

inline constexpr std::uint8_t kConfig1MidiToCv = 0x80;

// Where the MIDI clock counter goes, in the order of the control window's counter list.
enum class ClockCounterAssignment { kDisabled = 0, kBank, kWave, kSample, kGate };
// Where the gate input goes, in the order of the control window's gate list.
enum class GateInputAssignment { kDisabled = 0, kBank, kWave, kSample };

// Bits 0-3: 00, 08, 04, 02, 01.
std::uint8_t ClockCounterBits(ClockCounterAssignment assignment);
// Bits 4-6: 00, 20, 10, 40.
std::uint8_t GateInputBits(GateInputAssignment assignment);

// 80 alone in MIDI-to-CV mode (the other settings do not apply there), else the two
// assignments' bits.
std::uint8_t BuildConfig1Byte(bool midi_to_cv, ClockCounterAssignment counter,
                              GateInputAssignment gate);

bool MidiToCvFromConfig1(std::uint8_t config1);
// Bits 0-3 must be exactly one of the four assignment values; anything else reads as disabled.
ClockCounterAssignment ClockCounterFromConfig1(std::uint8_t config1);
// Bits 4-6 must be exactly one of the three assignment values; anything else reads as disabled.
GateInputAssignment GateInputFromConfig1(std::uint8_t config1);

// ---------------------------------------------------------------------------------------------
// Config2 byte (command 15, parameter reply byte 17, parameter image byte 11). Frozen: wire format.

inline constexpr std::uint8_t kConfig2Retrigger = 0x01;
inline constexpr std::uint8_t kConfig2SamplePlayer = 0x02;
inline constexpr std::uint8_t kConfig2NoteMap = 0x04;

// The sample map (memory configuration) in bits 3-7, index 0 to 5 in the order of the control
// window's sample map list: 32 x 16k, 16 x 32k, 8 x 64k, 4 x 128k, 2 x 256k, 1 x 512k.
inline constexpr int kSampleMapCount = 6;

// Bits 3-7 of sample map `index`: 00, 08, 18, 38, 78, F8. An index outside 0..5 is clamped.
std::uint8_t SampleMapBits(int index);
// The list text of sample map `index`, blanks included. An index outside 0..5 is clamped.
std::string_view SampleMapText(int index);
// The sample map read back from a whole Config2 byte: 08..0F is index 1, 18..1F index 2,
// 38..3F index 3, 78..7F index 4, F8..FF index 5, any other byte index 0.
int SampleMapIndexFromConfig2(std::uint8_t config2);

std::uint8_t BuildConfig2Byte(bool retrigger, bool sample_player, bool note_map,
                              int sample_map_index);

// ---------------------------------------------------------------------------------------------
// Potentiometer range masks (commands 9 and 10): index r travels as the top r + 1 bits set.
// Frozen: wire format.

inline constexpr int kRangeCount = 6;

// 80, C0, E0, F0, F8, FC. An index outside 0..5 is clamped.
std::uint8_t RangeMask(int index);
// The index of one of the six masks; any other byte gives 0.
int RangeIndexFromMask(std::uint8_t mask);
// Positions the range offers: 2 << index (2 to 64). An index outside 0..5 is clamped.
int RangePositions(int index);

// ---------------------------------------------------------------------------------------------
// Pairs: how the parameter reply carries 8-bit values in two bytes.

// ((lo & 7F) + (hi << 4)) & FF.
std::uint8_t DecodePair(std::uint8_t lo, std::uint8_t hi);
// The module's way of sending a value: low nibble, then high nibble. Decodes to itself.
std::array<std::uint8_t, 2> EncodePair(std::uint8_t value);

// ---------------------------------------------------------------------------------------------
// Parameter reply: the module's answer to command 8, 34 bytes. Frozen: wire format.

inline constexpr int kParameterReplySize = 34;
using ParameterReplyMessage = std::array<std::uint8_t, kParameterReplySize>;

// Everything the editor reads from a parameter reply.
struct ParameterReply {
  int channel_index = 0;                 // byte 3: the module's MIDI channel - 1
  int shown_channel = 0;                 // (byte 3 + 1) & 7F, as the channel is shown
  int firmware_major = 0;                // byte 5
  int firmware_revision = 0;             // byte 6
  int note_ref = 0;                      // byte 8: lowest MIDI keyboard note
  int wave_controller = 0;               // byte 9: wave selector controller number
  int bank_controller = 0;               // byte 10: bank selector controller number
  std::uint8_t bank_range_mask = 0;      // pair 11, 12
  int bank_range_index = 0;              // RangeIndexFromMask(bank_range_mask)
  std::uint8_t wave_range_mask = 0;      // pair 13, 14
  int wave_range_index = 0;              // RangeIndexFromMask(wave_range_mask)
  std::uint8_t config1_assignments = 0;  // byte 15: Config1 bits 0-6 (counter and gate input)
  bool midi_to_cv = false;               // byte 16 bit 3: Config1 bit 7
  std::uint8_t config2 = 0;              // byte 17
  int clock_divider = 0;                 // pair 19, 20
  int gate_time = 0;                     // pair 21, 22: gate/trigger duration
  int clock_counter_reset = 0;           // pair 23, 24
  int internal_counter_reset = 0;        // pair 25, 26
  std::uint8_t flags = 0;                // byte 27
  std::string magic_number;  // bytes 27 and 29 as two upper-case hex digits each, e.g. "0301"
  int date_day = 0;          // byte 30
  int date_month = 0;        // byte 31
  int date_year = 0;         // byte 32 + 2000
};

// Decodes a reply of exactly 34 bytes; the header and the bytes the editor does not read are
// not examined. Nothing for any other length.
std::optional<ParameterReply> DecodeParameterReply(std::span<const std::uint8_t> message);

// The module's state as it answers command 8.
struct ParameterReplyFields {
  std::uint8_t channel_index = 0;
  std::uint8_t firmware_major = 0;
  std::uint8_t firmware_revision = 0;
  std::uint8_t note_ref = 0;
  std::uint8_t wave_controller = 0;
  std::uint8_t bank_controller = 0;
  std::uint8_t bank_range_mask = 0;
  std::uint8_t wave_range_mask = 0;
  std::uint8_t config1 = 0;  // whole byte: bits 0-6 go to byte 15, bit 7 to byte 16 bit 3
  std::uint8_t config2 = 0;
  std::uint8_t clock_divider = 0;
  std::uint8_t gate_time = 0;
  std::uint8_t clock_counter_reset = 0;
  std::uint8_t internal_counter_reset = 0;
  std::uint8_t flags = 0;      // byte 27, first half of the magic number
  std::uint8_t magic_low = 0;  // byte 29, second half of the magic number
  std::uint8_t date_day = 0;
  std::uint8_t date_month = 0;
  int date_year = 2000;  // 2000 to 2255; travels as year - 2000
};

// The reply as the module sends it. Bytes the editor does not read are chosen as: F0 70 7C at
// 0 to 2, the command number 8 echoed at byte 4, F7 at byte 33, 0 at bytes 7, 18 and 28.
// Single bytes (note, controllers, Config2, flags, magic, date) travel as the module holds them,
// so a controller of 255 or a Config2 of F8 puts a byte above 7F inside the message; the
// transport has to pass system-exclusive bytes through unchanged.
ParameterReplyMessage BuildParameterReply(const ParameterReplyFields& fields);

// ---------------------------------------------------------------------------------------------
// Real-time bytes, each sent alone. Frozen: MIDI standard.

inline constexpr std::uint8_t kMidiTimingClock = 0xF8;
inline constexpr std::uint8_t kMidiStart = 0xFA;
inline constexpr std::uint8_t kMidiStop = 0xFC;
inline constexpr std::uint8_t kActiveSensing = 0xFE;

}  // namespace morvane
