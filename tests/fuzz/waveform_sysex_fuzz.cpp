// The 328-byte waveform system-exclusive file as its reader, the module, takes it: a player sends
// each message from F0 to F7. The first input byte is the module's channel; the rest is the file.
// Properties: only the selected waveform changes, and each of its four 64-sample blocks either
// keeps its samples or holds the data of a message of the file that is a complete block for that
// position; a file that is four complete blocks at 0, 64, 128 and 192 for the module's channel
// writes exactly those samples, and the editor's writer gives back the file byte for byte.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/midi/sysex_wave_block.h"
#include "core/waveform/waveform_sysex_file.h"
#include "fuzz/fuzz_support.h"
#include "sim/virtual_module.h"

namespace morvane {
namespace {

std::uint8_t Pattern(int i) { return static_cast<std::uint8_t>(i * 11 + 5); }

// The messages a player takes from the file: F0 up to and including the next F7.
std::vector<std::span<const std::uint8_t>> SysexMessages(std::span<const std::uint8_t> file) {
  std::vector<std::span<const std::uint8_t>> messages;
  std::size_t start = 0;
  while (start < file.size()) {
    if (file[start] != kSysexStart) {
      ++start;
      continue;
    }
    std::size_t end = start + 1;
    while (end < file.size() && file[end] != kSysexEnd) ++end;
    if (end == file.size()) break;  // no F7: nothing a player would send
    messages.push_back(file.subspan(start, end - start + 1));
    start = end + 1;
  }
  return messages;
}

// The waveform the file describes, when it is the editor's layout for `channel_index`.
std::optional<ModuleWaveform> WholeWaveform(std::span<const std::uint8_t> file, int channel_index) {
  if (file.size() != kWaveformSysexFileSize) return std::nullopt;
  ModuleWaveform wave{};
  for (int block = 0; block < kWaveBlocksPerWave; ++block) {
    const auto parsed = ParseWaveBlockMessage(file.subspan(
        static_cast<std::size_t>(block) * kWaveBlockMessageSize, kWaveBlockMessageSize));
    if (!parsed || parsed->channel_index != channel_index ||
        parsed->position != WaveBlockPosition(block)) {
      return std::nullopt;
    }
    std::copy(parsed->data.begin(), parsed->data.end(), wave.begin() + parsed->position);
  }
  return wave;
}

}  // namespace
}  // namespace morvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  fuzz::FuzzInput input(data, size);
  ModuleConfiguration configuration;
  configuration.channel_index = input.Byte() & 0x0F;
  const std::span<const std::uint8_t> file = input.Rest();

  // One module for each channel, made once with a spare copy: making a module's memory anew for
  // every input took most of the time. A command of an earlier file that changed its settings in
  // working memory is undone by switching it off and on; one that wrote them to flash by copying
  // the spare over it, into the memory it has.
  struct Kept {
    explicit Kept(const ModuleConfiguration& configuration)
        : module(configuration), spare(configuration) {}
    VirtualModule module;
    const VirtualModule spare;
  };
  static std::array<std::unique_ptr<Kept>, 16> modules;
  auto& kept = modules[static_cast<std::size_t>(configuration.channel_index)];
  if (!kept) {
    kept = std::make_unique<Kept>(configuration);
  } else if (kept->module.flash() != configuration) {
    kept->module = kept->spare;
  } else if (kept->module.configuration() != configuration) {
    kept->module.PowerCycle();
  }
  VirtualModule& module = kept->module;
  const int selected = module.SelectedIndex();
  ModuleWaveform pattern{};
  for (int i = 0; i < kWaveLength; ++i) pattern[static_cast<std::size_t>(i)] = Pattern(i);
  module.MutableWaveform(selected) = pattern;
  module.MutableWaveform(selected + 1) = pattern;

  // The block data each position may end up with: its old samples or a block the file sent.
  std::array<std::vector<WaveBlockData>, kWaveBlocksPerWave> allowed;
  for (int block = 0; block < kWaveBlocksPerWave; ++block) {
    WaveBlockData old{};
    for (int i = 0; i < kWaveBlockSamples; ++i) old[i] = Pattern(WaveBlockPosition(block) + i);
    allowed[block].push_back(old);
  }
  for (const auto message : SysexMessages(file)) {
    if (const auto parsed = ParseWaveBlockMessage(message)) {
      allowed[parsed->position / kWaveBlockSamples].push_back(parsed->data);
    }
    module.Receive(message);
  }

  FUZZ_CHECK(module.SelectedIndex() == selected);
  const ModuleWaveform& wave = module.Waveform(selected);
  for (int block = 0; block < kWaveBlocksPerWave; ++block) {
    WaveBlockData now{};
    std::copy_n(wave.begin() + WaveBlockPosition(block), kWaveBlockSamples, now.begin());
    FUZZ_CHECK(std::find(allowed[block].begin(), allowed[block].end(), now) !=
               allowed[block].end());
  }
  FUZZ_CHECK(module.Waveform(selected + 1) == pattern);

  if (const auto whole = WholeWaveform(file, configuration.channel_index)) {
    FUZZ_CHECK(wave == *whole);
    const WaveformSysexFile rebuilt =
        BuildWaveformSysexFile(ConstWaveSpan(*whole), configuration.channel_index);
    FUZZ_CHECK(fuzz::SameBytes(rebuilt, file));
  }
  return 0;
}
