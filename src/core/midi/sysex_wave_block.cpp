#include "core/midi/sysex_wave_block.h"

#include <algorithm>

namespace morvane {
namespace {

// Byte offsets inside the block message.
constexpr int kPositionHighByte = 5;
constexpr int kPositionLowByte = 6;
constexpr int kFirstGroupByte = 7;
constexpr int kGroupCount = 9;          // samples 0..62, seven per group
constexpr int kSamplesPerGroup = 7;     // then one byte of their high bits
constexpr int kLastSampleLowByte = 79;  // sample 63 travels alone, split in two bytes
constexpr int kLastSampleHighByte = 80;
constexpr int kLastSample = kWaveBlockSamples - 1;

constexpr int GroupStart(int group) { return kFirstGroupByte + group * (kSamplesPerGroup + 1); }

}  // namespace

void WriteSysexFrame(std::span<std::uint8_t> message, int channel_index, std::uint8_t command) {
  message[0] = kSysexStart;
  message[1] = kManufacturerByte;
  message[2] = kModelByte;
  message[kSysexChannelByte] = static_cast<std::uint8_t>(channel_index & 0x0F);
  message[kSysexCommandByte] = command;
  message.back() = kSysexEnd;
}

bool HasSysexFrame(std::span<const std::uint8_t> message) {
  return message.size() > static_cast<std::size_t>(kSysexCommandByte) &&
         message[0] == kSysexStart && message[1] == kManufacturerByte && message[2] == kModelByte &&
         message.back() == kSysexEnd;
}

WaveBlockMessage BuildWaveBlockMessage(int channel_index, int position,
                                       std::span<const std::uint8_t, kWaveBlockSamples> data) {
  WaveBlockMessage message{};
  WriteSysexFrame(message, channel_index, kWaveBlockCommand);
  message[kPositionHighByte] = static_cast<std::uint8_t>((position & 0xF0) >> 4);
  message[kPositionLowByte] = static_cast<std::uint8_t>(position & 0x0F);
  for (int group = 0; group < kGroupCount; ++group) {
    const int start = GroupStart(group);
    std::uint8_t high_bits = 0;
    for (int k = 0; k < kSamplesPerGroup; ++k) {
      const std::uint8_t sample = data[static_cast<std::size_t>(group * kSamplesPerGroup + k)];
      message[static_cast<std::size_t>(start + k)] = sample & 0x7F;
      high_bits |= static_cast<std::uint8_t>((sample >> 7) << k);
    }
    message[static_cast<std::size_t>(start + kSamplesPerGroup)] = high_bits;
  }
  message[kLastSampleLowByte] = data[kLastSample] & 0x7F;
  message[kLastSampleHighByte] = data[kLastSample] >> 7;
  return message;
}

std::array<WaveBlockMessage, kWaveBlocksPerWave> BuildWaveformBlockMessages(
    int channel_index, std::span<const std::uint8_t, kWaveBlocksPerWave * kWaveBlockSamples> wave) {
  std::array<WaveBlockMessage, kWaveBlocksPerWave> messages;
  for (int block = 0; block < kWaveBlocksPerWave; ++block) {
    const int position = WaveBlockPosition(block);
    messages[static_cast<std::size_t>(block)] = BuildWaveBlockMessage(
        channel_index, position,
        wave.subspan(static_cast<std::size_t>(position)).first<kWaveBlockSamples>());
  }
  return messages;
}

std::optional<WaveBlockData> UnpackWaveBlock(std::span<const std::uint8_t> message) {
  if (message.size() != kWaveBlockMessageSize) return std::nullopt;
  WaveBlockData data{};
  for (int n = 0; n < kLastSample; ++n) {
    const int start = GroupStart(n / kSamplesPerGroup);
    const int k = n % kSamplesPerGroup;
    const int high = (message[static_cast<std::size_t>(start + kSamplesPerGroup)] >> k) & 1;
    data[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(
        (message[static_cast<std::size_t>(start + k)] & 0x7F) | (high << 7));
  }
  data[kLastSample] = static_cast<std::uint8_t>((message[kLastSampleHighByte] << 7) |
                                                (message[kLastSampleLowByte] & 0x7F));
  return data;
}

std::optional<ParsedWaveBlock> ParseWaveBlockMessage(std::span<const std::uint8_t> message) {
  if (message.size() != kWaveBlockMessageSize) return std::nullopt;
  if (!HasSysexFrame(message) || message[kSysexCommandByte] != kWaveBlockCommand ||
      message[kSysexChannelByte] > 0x0F) {
    return std::nullopt;
  }
  const int position = (message[kPositionHighByte] << 4) | message[kPositionLowByte];
  if (message[kPositionHighByte] > 0x0F || message[kPositionLowByte] != 0 ||
      position % kWaveBlockSamples != 0) {
    return std::nullopt;
  }
  // Every byte between header and end must be a MIDI data byte; the high-bit bytes use bits 0..6
  // only and sample 63's high part is a single bit.
  const auto payload = message.subspan(kFirstGroupByte, kLastSampleHighByte - kFirstGroupByte + 1);
  if (std::any_of(payload.begin(), payload.end(), [](std::uint8_t b) { return b > 0x7F; }) ||
      message[kLastSampleHighByte] > 1) {
    return std::nullopt;
  }
  ParsedWaveBlock parsed;
  parsed.channel_index = message[kSysexChannelByte];
  parsed.position = position;
  parsed.data = *UnpackWaveBlock(message);
  return parsed;
}

}  // namespace morvane
