#include "core/waveform/waveform_sysex_file.h"

#include <algorithm>

namespace morvane {

WaveformSysexFile BuildWaveformSysexFile(ConstWaveSpan wave, int channel_index) {
  WaveformSysexFile bytes{};
  auto out = bytes.begin();
  for (const WaveBlockMessage& message : BuildWaveformBlockMessages(channel_index, wave)) {
    out = std::copy(message.begin(), message.end(), out);
  }
  return bytes;
}

bool SaveWaveformSysexFile(const std::filesystem::path& file, ConstWaveSpan wave, int channel_index,
                           FileWriter& writer) {
  return writer.Replace(file, BuildWaveformSysexFile(wave, channel_index));
}

bool SaveWaveformSysexFile(const std::filesystem::path& file, ConstWaveSpan wave,
                           int channel_index) {
  FileWriter writer;
  return SaveWaveformSysexFile(file, wave, channel_index, writer);
}

}  // namespace morvane
