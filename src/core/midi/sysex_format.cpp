#include "core/midi/sysex_format.h"

#include <algorithm>
#include <cstdio>

namespace morvane {
namespace {

// Command message layout.
constexpr int kValueHighByte = 5;
constexpr int kValueLowByte = 6;

// Parameter reply layout: where the module puts each value.
constexpr int kReplyChannel = 3;
constexpr int kReplyFirmwareMajor = 5;
constexpr int kReplyFirmwareRevision = 6;
constexpr int kReplyNoteRef = 8;
constexpr int kReplyWaveController = 9;
constexpr int kReplyBankController = 10;
constexpr int kReplyBankRangePair = 11;
constexpr int kReplyWaveRangePair = 13;
constexpr int kReplyConfig1Assignments = 15;
constexpr int kReplyModes = 16;
constexpr std::uint8_t kReplyModesMidiToCv = 0x08;
constexpr int kReplyConfig2 = 17;
constexpr int kReplyClockDividerPair = 19;
constexpr int kReplyGateTimePair = 21;
constexpr int kReplyClockCounterResetPair = 23;
constexpr int kReplyInternalCounterResetPair = 25;
constexpr int kReplyFlags = 27;
constexpr int kReplyMagicLow = 29;
constexpr int kReplyDay = 30;
constexpr int kReplyMonth = 31;
constexpr int kReplyYear = 32;
constexpr int kReplyYearBase = 2000;

constexpr std::array<std::uint8_t, kRangeCount> kRangeMasks = {0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
constexpr std::array<std::uint8_t, kSampleMapCount> kSampleMapBits = {0x00, 0x08, 0x18,
                                                                      0x38, 0x78, 0xF8};
constexpr std::array<std::string_view, kSampleMapCount> kSampleMapTexts = {
    " 32 x 16k ", " 16 x 32k ", "  8 x 64k ", "  4 x 128k ", "  2 x 256k ", "  1 x 512k "};
// Indexed by ClockCounterAssignment and GateInputAssignment.
constexpr std::array<std::uint8_t, 5> kClockCounterBits = {0x00, 0x08, 0x04, 0x02, 0x01};
constexpr std::array<std::uint8_t, 4> kGateInputBits = {0x00, 0x20, 0x10, 0x40};
constexpr std::uint8_t kClockCounterMask = 0x0F;
constexpr std::uint8_t kGateInputMask = 0x70;
constexpr std::uint8_t kSampleMapMask = 0xF8;

template <std::size_t N>
const std::uint8_t& ClampedEntry(const std::array<std::uint8_t, N>& table, int index) {
  return table[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(N) - 1))];
}

// Position of `value` in `table`, or 0 when absent.
template <std::size_t N>
int IndexOf(const std::array<std::uint8_t, N>& table, std::uint8_t value) {
  const auto found = std::find(table.begin(), table.end(), value);
  return found == table.end() ? 0 : static_cast<int>(found - table.begin());
}

void WritePair(ParameterReplyMessage& message, int offset, std::uint8_t value) {
  const auto pair = EncodePair(value);
  message[static_cast<std::size_t>(offset)] = pair[0];
  message[static_cast<std::size_t>(offset + 1)] = pair[1];
}

int ReadPair(std::span<const std::uint8_t> message, int offset) {
  return DecodePair(message[static_cast<std::size_t>(offset)],
                    message[static_cast<std::size_t>(offset + 1)]);
}

}  // namespace

CommandMessage BuildCommandMessage(int channel_index, int command, int value) {
  CommandMessage message{};
  WriteSysexFrame(message, channel_index, static_cast<std::uint8_t>(command & 0x7F));
  message[kValueHighByte] = static_cast<std::uint8_t>((value & 0xF0) >> 4);
  message[kValueLowByte] = static_cast<std::uint8_t>(value & 0x0F);
  return message;
}

std::optional<ParsedCommand> ParseCommandMessage(std::span<const std::uint8_t> message) {
  if (message.size() != kCommandMessageSize || !HasSysexFrame(message)) return std::nullopt;
  const std::uint8_t high = message[kValueHighByte];
  const std::uint8_t low = message[kValueLowByte];
  if (message[kSysexChannelByte] > 0x0F || message[kSysexCommandByte] > 0x7F || high > 0x0F ||
      low > 0x0F) {
    return std::nullopt;
  }
  return ParsedCommand{message[kSysexChannelByte], message[kSysexCommandByte], (high << 4) | low};
}

AckMessage BuildAckMessage(int channel_index) {
  AckMessage message{};
  WriteSysexFrame(message, channel_index, kAckByte);
  return message;
}

bool IsAckMessage(std::span<const std::uint8_t> message, int channel_index) {
  const AckMessage expected = BuildAckMessage(channel_index);
  return std::equal(message.begin(), message.end(), expected.begin(), expected.end());
}

std::uint8_t BuildFlagsByte(bool handshake, bool flash_recall, bool write_flash) {
  return static_cast<std::uint8_t>((handshake ? kFlagHandshake : 0) |
                                   (flash_recall ? kFlagFlashRecall : 0) |
                                   (write_flash ? kFlagWriteFlash : 0));
}

std::uint8_t ClockCounterBits(ClockCounterAssignment assignment) {
  return ClampedEntry(kClockCounterBits, static_cast<int>(assignment));
}

std::uint8_t GateInputBits(GateInputAssignment assignment) {
  return ClampedEntry(kGateInputBits, static_cast<int>(assignment));
}

std::uint8_t BuildConfig1Byte(bool midi_to_cv, ClockCounterAssignment counter,
                              GateInputAssignment gate) {
  if (midi_to_cv) return kConfig1MidiToCv;
  return static_cast<std::uint8_t>(ClockCounterBits(counter) | GateInputBits(gate));
}

bool MidiToCvFromConfig1(std::uint8_t config1) { return (config1 & kConfig1MidiToCv) != 0; }

ClockCounterAssignment ClockCounterFromConfig1(std::uint8_t config1) {
  return static_cast<ClockCounterAssignment>(
      IndexOf(kClockCounterBits, static_cast<std::uint8_t>(config1 & kClockCounterMask)));
}

GateInputAssignment GateInputFromConfig1(std::uint8_t config1) {
  return static_cast<GateInputAssignment>(
      IndexOf(kGateInputBits, static_cast<std::uint8_t>(config1 & kGateInputMask)));
}

std::uint8_t SampleMapBits(int index) { return ClampedEntry(kSampleMapBits, index); }

std::string_view SampleMapText(int index) {
  return kSampleMapTexts[static_cast<std::size_t>(std::clamp(index, 0, kSampleMapCount - 1))];
}

int SampleMapIndexFromConfig2(std::uint8_t config2) {
  // Bits 0-2 are the mode switches: the map is whatever bits 3-7 show, and a pattern that is not
  // one of the six maps reads as the first.
  return IndexOf(kSampleMapBits, static_cast<std::uint8_t>(config2 & kSampleMapMask));
}

std::uint8_t BuildConfig2Byte(bool retrigger, bool sample_player, bool note_map,
                              int sample_map_index) {
  return static_cast<std::uint8_t>(
      (retrigger ? kConfig2Retrigger : 0) | (sample_player ? kConfig2SamplePlayer : 0) |
      (note_map ? kConfig2NoteMap : 0) | SampleMapBits(sample_map_index));
}

std::uint8_t RangeMask(int index) { return ClampedEntry(kRangeMasks, index); }

int RangeIndexFromMask(std::uint8_t mask) { return IndexOf(kRangeMasks, mask); }

int RangePositions(int index) { return 2 << std::clamp(index, 0, kRangeCount - 1); }

std::uint8_t DecodePair(std::uint8_t lo, std::uint8_t hi) {
  return static_cast<std::uint8_t>(((lo & 0x7F) + (hi << 4)) & 0xFF);
}

std::array<std::uint8_t, 2> EncodePair(std::uint8_t value) {
  return {static_cast<std::uint8_t>(value & 0x0F), static_cast<std::uint8_t>(value >> 4)};
}

std::optional<ParameterReply> DecodeParameterReply(std::span<const std::uint8_t> message) {
  if (message.size() != kParameterReplySize) return std::nullopt;
  ParameterReply reply;
  reply.channel_index = message[kReplyChannel];
  reply.shown_channel = (message[kReplyChannel] + 1) & 0x7F;
  reply.firmware_major = message[kReplyFirmwareMajor];
  reply.firmware_revision = message[kReplyFirmwareRevision];
  reply.note_ref = message[kReplyNoteRef];
  reply.wave_controller = message[kReplyWaveController];
  reply.bank_controller = message[kReplyBankController];
  reply.bank_range_mask = static_cast<std::uint8_t>(ReadPair(message, kReplyBankRangePair));
  reply.bank_range_index = RangeIndexFromMask(reply.bank_range_mask);
  reply.wave_range_mask = static_cast<std::uint8_t>(ReadPair(message, kReplyWaveRangePair));
  reply.wave_range_index = RangeIndexFromMask(reply.wave_range_mask);
  reply.config1_assignments = message[kReplyConfig1Assignments] & 0x7F;
  reply.midi_to_cv = (message[kReplyModes] & kReplyModesMidiToCv) != 0;
  reply.config2 = message[kReplyConfig2];
  reply.clock_divider = ReadPair(message, kReplyClockDividerPair);
  reply.gate_time = ReadPair(message, kReplyGateTimePair);
  reply.clock_counter_reset = ReadPair(message, kReplyClockCounterResetPair);
  reply.internal_counter_reset = ReadPair(message, kReplyInternalCounterResetPair);
  reply.flags = message[kReplyFlags];
  char magic[5];
  std::snprintf(magic, sizeof magic, "%02X%02X", message[kReplyFlags], message[kReplyMagicLow]);
  reply.magic_number = magic;
  reply.date_day = message[kReplyDay];
  reply.date_month = message[kReplyMonth];
  reply.date_year = message[kReplyYear] + kReplyYearBase;
  return reply;
}

ParameterReplyMessage BuildParameterReply(const ParameterReplyFields& fields) {
  ParameterReplyMessage message{};
  // The reply echoes the command it answers in byte 4.
  WriteSysexFrame(message, fields.channel_index,
                  static_cast<std::uint8_t>(kCommandRequestParameters));
  message[kReplyFirmwareMajor] = fields.firmware_major;
  message[kReplyFirmwareRevision] = fields.firmware_revision;
  message[kReplyNoteRef] = fields.note_ref;
  message[kReplyWaveController] = fields.wave_controller;
  message[kReplyBankController] = fields.bank_controller;
  WritePair(message, kReplyBankRangePair, fields.bank_range_mask);
  WritePair(message, kReplyWaveRangePair, fields.wave_range_mask);
  message[kReplyConfig1Assignments] = fields.config1 & 0x7F;
  message[kReplyModes] = MidiToCvFromConfig1(fields.config1) ? kReplyModesMidiToCv : 0;
  message[kReplyConfig2] = fields.config2;
  WritePair(message, kReplyClockDividerPair, fields.clock_divider);
  WritePair(message, kReplyGateTimePair, fields.gate_time);
  WritePair(message, kReplyClockCounterResetPair, fields.clock_counter_reset);
  WritePair(message, kReplyInternalCounterResetPair, fields.internal_counter_reset);
  message[kReplyFlags] = fields.flags;
  message[kReplyMagicLow] = fields.magic_low;
  message[kReplyDay] = fields.date_day;
  message[kReplyMonth] = fields.date_month;
  message[kReplyYear] = static_cast<std::uint8_t>(fields.date_year - kReplyYearBase);
  return message;
}

}  // namespace morvane
