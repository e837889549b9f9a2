#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "core/midi/sysex_wave_block.h"
#include "core/util/file_writer.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// A waveform saved as system exclusive: its four block messages one after the other, as the
// module would receive them. Frozen: file format.
inline constexpr std::size_t kWaveformSysexFileSize =
    std::size_t{kWaveBlocksPerWave} * kWaveBlockMessageSize;  // 328

using WaveformSysexFile = std::array<std::uint8_t, kWaveformSysexFileSize>;

// The file's bytes for a waveform; channel_index is the MIDI channel - 1.
WaveformSysexFile BuildWaveformSysexFile(ConstWaveSpan wave, int channel_index);

// Writes the file through `writer`, so that it is either wholly old or wholly new: a failed save
// leaves an existing file as it was. False when the file could not be written.
bool SaveWaveformSysexFile(const std::filesystem::path& file, ConstWaveSpan wave, int channel_index,
                           FileWriter& writer);
bool SaveWaveformSysexFile(const std::filesystem::path& file, ConstWaveSpan wave,
                           int channel_index);

}  // namespace morvane
