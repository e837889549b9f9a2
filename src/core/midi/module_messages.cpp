#include "core/midi/module_messages.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/midi/sysex_format.h"
#include "core/midi/sysex_wave_block.h"

namespace morvane {
namespace {

constexpr int kControlChangeStatus = 0xB0;
constexpr int kProgramChangeStatus = 0xC0;

bool IsBlockPosition(int position) {
  return position >= 0 && position < kWaveLength && position % kWaveBlockSamples == 0;
}

bool IsDataByte(int value) { return value >= 0 && value <= 0x7F; }

std::uint8_t ChannelStatus(int status, int channel_index) {
  return static_cast<std::uint8_t>(status | (channel_index & 0x0F));
}

}  // namespace

void SendCommand(MidiOut& out, int channel_index, int command, int value) {
  out.PutLong(BuildCommandMessage(channel_index, command, value));
}

void SendWaveBlock(MidiOut& out, int channel_index, int position, ConstWaveSpan waveform) {
  if (!IsBlockPosition(position)) {
    throw std::invalid_argument("waveform block position " + std::to_string(position));
  }
  const auto block =
      waveform.subspan(static_cast<std::size_t>(position)).first<kWaveBlockSamples>();
  out.PutLong(BuildWaveBlockMessage(channel_index, position, block));
}

bool UnpackWaveBlock(WaveSpan waveform, std::span<const std::uint8_t> message, int position) {
  if (!IsBlockPosition(position)) return false;
  const std::optional<WaveBlockData> data = UnpackWaveBlock(message);
  if (!data) return false;
  std::copy(data->begin(), data->end(), waveform.begin() + position);
  return true;
}

bool SendControlChange(MidiOut& out, int channel_index, int controller, int value) {
  if (!IsDataByte(controller) || !IsDataByte(value)) return false;
  out.PutShort(ChannelStatus(kControlChangeStatus, channel_index),
               static_cast<std::uint8_t>(controller), static_cast<std::uint8_t>(value));
  return true;
}

bool SendProgramChange(MidiOut& out, int channel_index, int program) {
  if (!IsDataByte(program)) return false;
  out.PutShort(ChannelStatus(kProgramChangeStatus, channel_index),
               static_cast<std::uint8_t>(program), 0);
  return true;
}

bool SendBankSelect(MidiOut& out, int channel_index, int controller, int bank) {
  return SendControlChange(out, channel_index, controller, bank);
}

bool SendWaveSelect(MidiOut& out, int channel_index, int controller, int wave) {
  return SendControlChange(out, channel_index, controller, wave);
}

bool SendKrn5Input(MidiOut& out, int input) {
  return SendProgramChange(out, kKrn5ChannelIndex, input);
}

void SendKrn5Merge(MidiOut& out, bool merge) {
  SendControlChange(out, kKrn5ChannelIndex, kKrn5MergeController, merge ? 1 : 0);
}

void SendRealTime(MidiOut& out, std::uint8_t byte) {
  out.PutLong(std::span<const std::uint8_t>(&byte, 1));
}

}  // namespace morvane
