#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace morvane {

// Frame of every system-exclusive message of the module. Frozen: the module's firmware expects it.
inline constexpr std::uint8_t kSysexStart = 0xF0;
inline constexpr std::uint8_t kSysexEnd = 0xF7;
inline constexpr std::uint8_t kManufacturerByte = 0x70;
inline constexpr std::uint8_t kModelByte = 0x7C;
// Byte 3 carries the channel index (MIDI channel - 1), byte 4 the command. Frozen: wire format.
inline constexpr int kSysexChannelByte = 3;
inline constexpr int kSysexCommandByte = 4;

// The channel index of MIDI channel 1..16, as the messages carry it.
constexpr int ChannelIndexOf(int channel) { return (channel - 1) & 0x0F; }

// Writes F0 70 7C, the channel index masked to 4 bits, the command, and F7 as the last byte.
void WriteSysexFrame(std::span<std::uint8_t> message, int channel_index, std::uint8_t command);
// Whether the message starts with F0 70 7C and ends with F7.
bool HasSysexFrame(std::span<const std::uint8_t> message);

// The waveform block message: 64 bytes of the selected waveform in 7-bit form, 82 bytes on the
// wire. Frozen: wire format.
inline constexpr std::uint8_t kWaveBlockCommand = 0x10;
inline constexpr int kWaveBlockSamples = 64;
inline constexpr int kWaveBlocksPerWave = 4;
inline constexpr int kWaveBlockMessageSize = 82;

using WaveBlockMessage = std::array<std::uint8_t, kWaveBlockMessageSize>;
using WaveBlockData = std::array<std::uint8_t, kWaveBlockSamples>;

// First sample index of block b (0..3) of a waveform: 0, 64, 128, 192.
constexpr int WaveBlockPosition(int block) { return block * kWaveBlockSamples; }

// The message that writes `data` at `position` of the waveform selected on the module.
// channel_index is the MIDI channel - 1 and is masked to 4 bits, as on the wire.
WaveBlockMessage BuildWaveBlockMessage(int channel_index, int position,
                                       std::span<const std::uint8_t, kWaveBlockSamples> data);

// The four block messages of a whole waveform, blocks 0 to 3 in order.
std::array<WaveBlockMessage, kWaveBlocksPerWave> BuildWaveformBlockMessages(
    int channel_index, std::span<const std::uint8_t, kWaveBlocksPerWave * kWaveBlockSamples> wave);

// The 64 bytes carried by bytes 7 to 80 of a block message. As for the module's block replies,
// only the length is checked: nothing when the message does not have 82 bytes.
std::optional<WaveBlockData> UnpackWaveBlock(std::span<const std::uint8_t> message);

// A block message read in full: its channel index, position and data.
struct ParsedWaveBlock {
  int channel_index = 0;
  int position = 0;
  WaveBlockData data{};
};

// Reads a block message and checks all of it: 82 bytes, the frame and header bytes, a position of
// 0, 64, 128 or 192, and data bytes that are 7-bit with the unused high bits clear. Nothing when
// any of that does not hold.
std::optional<ParsedWaveBlock> ParseWaveBlockMessage(std::span<const std::uint8_t> message);

}  // namespace morvane
