#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/wavetable/wavetable_store.h"

namespace morvane {

// The settings a module keeps in its configuration and writes to flash on request.
struct ModuleConfiguration {
  int channel_index = 0;             // MIDI channel - 1, 0..15
  std::uint8_t wave_controller = 1;  // controller that selects the wave, 255 for none
  std::uint8_t bank_controller = 0;  // controller that selects the bank, 255 for none
  std::uint8_t note_ref = 36;        // lowest MIDI keyboard note, 0..127
  int bank_range_index = 0;          // potentiometer ranges, 2 << index positions
  int wave_range_index = 0;
  std::uint8_t config1 = 0;         // clock counter / gate input assignment, MIDI-to-CV mode
  std::uint8_t config2 = 0;         // retrigger, player mode, note map, sample map
  bool zero_cross = false;          // zero-crossing detector
  std::uint8_t gate_time = 10;      // gate/trigger duration
  std::uint8_t clock_divider = 6;   // MIDI clock divider
  std::uint8_t clock_reset = 96;    // MIDI clock counter reset value
  std::uint8_t counter_reset = 64;  // internal 8-bit counter reset value
  std::uint8_t flags = 0;           // bit 0 handshake, bit 1 flash recall of address 000

  bool operator==(const ModuleConfiguration&) const = default;
};

// What the firmware reports about itself in the parameter reply.
struct FirmwareIdentity {
  std::uint8_t major = 1;
  std::uint8_t revision = 47;
  std::uint8_t day = 14;  // build date
  std::uint8_t month = 3;
  std::uint8_t year_since_2000 = 5;
  std::uint8_t magic_low = 0x5A;  // second byte of the magic number (the first is the flags)
};

// The module's memory has the shape of one wavetable slot.
using ModuleWaveform = std::array<std::uint8_t, kWaveLength>;
using ModuleReply = std::vector<std::uint8_t>;

// The module as its MIDI protocol describes it: waveform memory, the configuration in working
// memory and in flash, the waveform selected by the bank and wave controllers. It takes complete
// MIDI messages as the editor sends them and returns the replies it would put on the line.
// Plain state, no threads: whoever owns it serialises the calls.
//
// Choices where the protocol is silent:
// - a bank or wave controller value beyond 31 or 63 leaves the selection unchanged;
// - command 5 switches the zero-crossing detector on with 28 and off with 20 and ignores other
//   values; range masks that are none of the six masks store range index 0;
// - a firmware before revision 46 has no flags: command 7 only writes flash and never sets the
//   handshake, so such a module never acknowledges a block;
// - every parameter, the channel included, lives in working memory until command 7 with bit 7
//   writes it to flash; a power cycle reloads the flash copy. Waveform memory keeps its content.
class VirtualModule {
 public:
  explicit VirtualModule(const ModuleConfiguration& configuration = {},
                         const FirmwareIdentity& firmware = {});

  // Feeds one complete message: a short message (status and its data bytes) or a
  // system-exclusive message F0 .. F7. Returns the replies, in the order they are sent.
  // Anything not meant for this module, malformed or incomplete is ignored.
  std::vector<ModuleReply> Receive(std::span<const std::uint8_t> message);

  // Switches the module off and on: the configuration comes back from flash and the selection
  // returns to bank 0, wave 0.
  void PowerCycle();

  const ModuleConfiguration& configuration() const { return configuration_; }
  const ModuleConfiguration& flash() const { return flash_; }
  int selected_bank() const { return selected_bank_; }
  int selected_wave() const { return selected_wave_; }
  int SelectedIndex() const { return selected_bank_ * kWavesPerBank + selected_wave_; }
  bool handshake() const;

  // Waveform k = bank * 64 + wave of the memory.
  const ModuleWaveform& Waveform(int index) const;
  ModuleWaveform& MutableWaveform(int index);

  // The parameter reply as the module sends it in answer to command 8.
  ModuleReply ParameterReply() const;

 private:
  std::vector<ModuleReply> ReceiveShort(std::span<const std::uint8_t> message);
  std::vector<ModuleReply> ReceiveSysex(std::span<const std::uint8_t> message);
  std::vector<ModuleReply> ReceiveWaveBlock(std::span<const std::uint8_t> message);
  std::vector<ModuleReply> ReceiveCommand(int command, std::uint8_t value);
  ModuleReply BlockReply(int position) const;
  void SetFlags(std::uint8_t value);

  ModuleConfiguration configuration_;
  ModuleConfiguration flash_;
  FirmwareIdentity firmware_;
  int selected_bank_ = 0;
  int selected_wave_ = 0;
  std::vector<ModuleWaveform> memory_;
};

}  // namespace morvane
