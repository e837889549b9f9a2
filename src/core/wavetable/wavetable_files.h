#pragma once

#include <filesystem>

#include "core/util/file_writer.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// Raw wavetable files: whole waveforms of 256 unsigned samples in waveform index order, no
// header. A slot file holds 524 288 bytes, a bank file 16 384; files of any size are read. All
// functions act on the store's current slot and return false on failure.
//
// Reading takes the file into memory first and changes the slot only once it has been read
// without error, so a failed load or import (missing file, a folder, a read error) leaves the
// slot exactly as it was.

// Reads the first 524 288 bytes of the file into waveforms 0 onwards; a short last waveform
// keeps its remaining samples and waveforms past the end of the file keep theirs. Then clears
// the slot's markers and resets its order. The spectrum arrays are left alone.
bool LoadSlotFile(WavetableStore& store, const std::filesystem::path& path);

// Reads the file into waveforms bank × 64 onwards, as far as the end of the slot; a short last
// waveform keeps its remaining samples. Then clears the markers of `bank` only (not of the
// further banks the file reached) and resets the order. False for a bank outside 0..31.
bool ImportBankFile(WavetableStore& store, const std::filesystem::path& path, int bank);

// Write waveforms 0 to 2047, or the 64 waveforms of one bank, replacing the file as FileWriter
// does: a failed save leaves the former file untouched and no temporary file behind.
bool SaveSlotFile(const WavetableStore& store, const std::filesystem::path& path);
bool SaveSlotFile(const WavetableStore& store, const std::filesystem::path& path,
                  FileWriter& writer);
bool SaveBankFile(const WavetableStore& store, const std::filesystem::path& path, int bank);
bool SaveBankFile(const WavetableStore& store, const std::filesystem::path& path, int bank,
                  FileWriter& writer);

}  // namespace morvane
