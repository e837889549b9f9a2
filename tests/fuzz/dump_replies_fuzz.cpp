// The dump engine's send and receive of one waveform against a line whose replies come from the
// input. The first byte chooses the transfer (bit 0: receive), the handshake (bit 1), the reply
// wait T (bits 2-3: 0 to 3 steps) and the channel (bits 4-7); the next two the bank and wave. For
// every system exclusive the engine sends, the next input byte chooses the reply: none, arbitrary
// bytes (length from the input), the well-formed reply with data from the input, or a stray short
// message. Properties: nothing of the slot outside the waveform changes; a receive changes only
// the 64-sample blocks whose 82-byte replies were taken, each to the reply's samples; a send
// changes nothing and its blocks carry the waveform's samples; no block goes out more than four
// times; and the result is success exactly when every block got its reply. The rest of the slot
// is out of bounds while the transfer runs, so that any access to it is reported where it is made.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/midi/dump_engine.h"
#include "core/midi/module_messages.h"
#include "core/midi/sysex_format.h"
#include "core/midi/sysex_wave_block.h"
#include "fuzz/forbidden_memory.h"
#include "fuzz/fuzz_support.h"
#include "support/virtual_transfer_port.h"

namespace morvane {
namespace {

using Message = testing::VirtualTransferPort::Message;

// The line as the engine sees it, keeping a copy of every event the engine takes.
class RecordingPort final : public TransferPort {
 public:
  explicit RecordingPort(testing::VirtualTransferPort& line) : line_(line) {}
  MidiOut& Out() override { return line_.Out(); }
  int GetEventCount() override { return line_.GetEventCount(); }
  std::unique_ptr<MidiEvent> GetMidiEvent() override {
    std::unique_ptr<MidiEvent> event = line_.GetMidiEvent();
    if (event) taken.push_back(event->midi_message == 0xF0 ? event->sysex : Message{});
    return event;
  }
  void WaitMs(int ms) override { line_.WaitMs(ms); }
  void WaitForEvent(int ms) override { line_.WaitForEvent(ms); }

  std::vector<Message> taken;  // system exclusive as sent, a short message as empty

 private:
  testing::VirtualTransferPort& line_;
};

std::uint8_t SampleBefore(int wave, int i) {
  return static_cast<std::uint8_t>(wave * 13 + i * 7 + 5);
}

WavetableStore& Store() {
  static WavetableStore* const store = [] {
    auto* made = new WavetableStore;
    for (int k = 0; k < kWaveCount; ++k) {
      for (int i = 0; i < kWaveLength; ++i)
        made->Wave(k)[static_cast<std::size_t>(i)] = SampleBefore(k, i);
    }
    return made;
  }();
  return *store;
}

}  // namespace
}  // namespace morvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  fuzz::FuzzInput input(data, size);
  const std::uint8_t choice = input.Byte();
  const bool receive = (choice & 1) != 0;
  DumpSettings settings;
  settings.handshake_checked = settings.handshake_enabled = (choice & 2) != 0;
  settings.timeout = (choice >> 2) & 3;
  settings.channel = 1 + (choice >> 4);
  const int bank = input.Byte() % kBankCount;
  const int wave = input.Byte() % kWavesPerBank;
  const int channel_index = settings.channel - 1;

  testing::VirtualTransferPort line([&](std::span<const std::uint8_t> sent) {
    std::vector<Message> replies;
    if (sent.empty() || sent[0] != 0xF0) return replies;
    const std::uint8_t kind = input.Byte();
    switch (kind & 3) {
      case 0:
        break;
      case 1: {
        const std::span<const std::uint8_t> bytes =
            input.Bytes(input.Byte() + ((kind & 4) ? 0 : 82));
        replies.emplace_back(bytes.begin(), bytes.end());
        break;
      }
      case 2:
        if (receive) {
          WaveBlockData block{};
          for (auto& sample : block) sample = input.Byte();
          const WaveBlockMessage message = BuildWaveBlockMessage(channel_index, 0, block);
          replies.emplace_back(message.begin(), message.end());
        } else {
          const AckMessage ack = BuildAckMessage(channel_index);
          replies.emplace_back(ack.begin(), ack.end());
        }
        break;
      default:
        replies.push_back({0x90, 0x3C, 0x40});
        break;
    }
    return replies;
  });
  RecordingPort port(line);
  DumpView view;
  WavetableStore& store = Store();
  DumpEngine engine(port, line, view, store, settings);
  const int index = WaveIndex(bank, wave);
  int result = 0;
  {
    // Nothing of the slot but the waveform's samples may be touched.
    const std::uint8_t* const first = std::as_const(store).Wave(0).data();
    const std::uint8_t* const end = std::as_const(store).Wave(kWaveCount - 1).data() +
                                    (std::as_const(store).Wave(1).data() - first);
    const fuzz::ForbiddenMemory slot({first, end}, std::as_const(store).Wave(index));
    result = receive ? engine.ReceiveWaveform(bank, wave) : engine.SendWaveform(bank, wave);
  }

  // What the waveform should hold: the samples of every 82-byte reply taken, block by block,
  // up to the first other reply.
  std::vector<std::uint8_t> expected(kWaveLength);
  for (int i = 0; i < kWaveLength; ++i)
    expected[static_cast<std::size_t>(i)] = SampleBefore(index, i);
  int blocks_replied = 0;
  if (receive) {
    for (const Message& reply : port.taken) {
      if (reply.size() != kWaveBlockMessageSize) break;
      const WaveBlockData block = *UnpackWaveBlock(reply);
      std::copy(block.begin(), block.end(), expected.begin() + blocks_replied * kWaveBlockSamples);
      ++blocks_replied;
    }
    FUZZ_CHECK((result == DumpEngine::kSuccess) == (blocks_replied == kWaveBlocksPerWave));
  } else if (settings.handshake_checked) {
    for (const Message& reply : port.taken) {
      if (!IsAckMessage(reply, channel_index)) break;
      ++blocks_replied;
    }
    FUZZ_CHECK((result == DumpEngine::kSuccess) == (blocks_replied == kWaveBlocksPerWave));
  } else {
    FUZZ_CHECK(result == DumpEngine::kSuccess && port.taken.empty());
  }
  FUZZ_CHECK(port.taken.size() <= kWaveBlocksPerWave);
  FUZZ_CHECK(fuzz::SameBytes(store.Wave(index), expected));

  // How often each block went out: its block message for a send, its request for a receive.
  for (int block = 0; block < kWaveBlocksPerWave; ++block) {
    const int position = WaveBlockPosition(block);
    int transmissions = 0;
    for (const Message& sent : line.sent) {
      if (receive) {
        const auto request = BuildCommandMessage(channel_index, kCommandRequestBlock, position);
        transmissions += fuzz::SameBytes(sent, request) ? 1 : 0;
      } else if (const auto parsed = ParseWaveBlockMessage(sent);
                 parsed && parsed->position == position) {
        ++transmissions;
        FUZZ_CHECK(fuzz::SameBytes(
            parsed->data,
            std::span(expected).subspan(static_cast<std::size_t>(position), kWaveBlockSamples)));
      }
    }
    FUZZ_CHECK(transmissions <= DumpEngine::kMaxRetries + 1);
  }

  // The waveform goes back for the next input.
  for (int i = 0; i < kWaveLength; ++i)
    store.Wave(index)[static_cast<std::size_t>(i)] = SampleBefore(index, i);
  return 0;
}
