#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "core/wavetable/wavetable_store.h"

namespace morvane {

// A spectrum file (".msp"): the 128 amplitude bytes of harmonics 1..128, then their 128 phase
// bytes, nothing else. Frozen: stored files depend on it.
inline constexpr std::size_t kSpectrumFileBytes = 2 * kHarmonicCount;

// The file's bytes for the two arrays.
std::array<std::uint8_t, kSpectrumFileBytes> SpectrumFileBytesOf(ConstHarmonicSpan amplitude,
                                                                 ConstHarmonicSpan phase);

// Writes the 256 bytes; a failed save leaves the file that was there. False on failure.
bool SaveSpectrumFile(const std::filesystem::path& file, ConstHarmonicSpan amplitude,
                      ConstHarmonicSpan phase);

// Reads up to 256 bytes from the start of the file into amplitude then phase. A shorter file
// replaces only the bytes it holds, the others keep their values; a longer one gives its first
// 256. False, with nothing changed, when the file cannot be opened or read (a folder among them).
bool LoadSpectrumFile(const std::filesystem::path& file, HarmonicSpan amplitude,
                      HarmonicSpan phase);
// The same from the file's bytes in memory.
void LoadSpectrumBytes(std::span<const std::uint8_t> bytes, HarmonicSpan amplitude,
                       HarmonicSpan phase);

}  // namespace morvane
