#pragma once

// Sending the module's messages through a MIDI output, and taking a block reply apart.

#include <cstdint>
#include <span>

#include "core/midi/midi_out.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// The KRN5 controller listens on MIDI channel 16; controller 31 switches its merge.
// Frozen: the controller's MIDI implementation.
inline constexpr int kKrn5ChannelIndex = 15;
inline constexpr int kKrn5MergeController = 0x1F;

// The command message, sent with PutLong. channel_index is the MIDI channel - 1.
void SendCommand(MidiOut& out, int channel_index, int command, int value);

// The block message for samples position to position + 63 of `waveform`, sent with PutLong.
// Throws std::invalid_argument when position is not 0, 64, 128 or 192.
void SendWaveBlock(MidiOut& out, int channel_index, int position, ConstWaveSpan waveform);

// Writes the 64 bytes of a block reply into samples position to position + 63. Only the length
// of the message is checked (82 bytes), as the module's replies are read. Returns false and
// writes nothing when the length is wrong or position is not 0, 64, 128 or 192.
bool UnpackWaveBlock(WaveSpan waveform, std::span<const std::uint8_t> message, int position);

// B0 + channel, controller, value with PutShort. The channel index is masked to 4 bits. A
// controller or value outside 0..127 is no MIDI data byte: nothing is sent and false returned.
bool SendControlChange(MidiOut& out, int channel_index, int controller, int value);

// C0 + channel, program, 0 with PutShort. A program outside 0..127 sends nothing (false).
bool SendProgramChange(MidiOut& out, int channel_index, int program);

// The bank and wave select messages: the chosen controller with the bank (0..31) or the wave
// (0..63). With "none" chosen (controller 255) the module cannot be told which waveform is meant,
// and 255 would corrupt the MIDI stream, so nothing is sent and false is returned; the blocks
// that follow then go to whatever waveform the module has selected.
bool SendBankSelect(MidiOut& out, int channel_index, int controller, int bank);
bool SendWaveSelect(MidiOut& out, int channel_index, int controller, int wave);

// Program change on channel 16: the KRN5 controller's active input, 0 to 7.
bool SendKrn5Input(MidiOut& out, int input);
// Controller 31 on channel 16: the KRN5 controller's merge, 1 on and 0 off.
void SendKrn5Merge(MidiOut& out, bool merge);

// A real-time byte (start, timing clock, stop) sent alone as a 1-byte long message.
void SendRealTime(MidiOut& out, std::uint8_t byte);

}  // namespace morvane
