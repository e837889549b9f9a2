#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/util/file_writer.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// Raw wavetable files: whole waveforms of 256 unsigned samples in waveform index order, no
// header. A slot file holds 524 288 bytes, a bank file 16 384; files of any size are read. All
// functions act on the store's current slot and return false on failure.
//
// Reading takes the file into memory first and changes the slot only once it has been read
// without error, so a failed load or import (missing file, a folder, a read error) leaves the
// slot exactly as it was. The *Bytes functions are the same readers and writers on a file's
// bytes in memory; the file functions only read or write the file around them.

// Reads the first 524 288 bytes of the file into waveforms 0 onwards; a short last waveform
// keeps its remaining samples and waveforms past the end of the file keep theirs. Then clears
// the slot's markers and resets its order. The spectrum arrays are left alone.
bool LoadSlotFile(WavetableStore& store, const std::filesystem::path& path);
void LoadSlotBytes(WavetableStore& store, std::span<const std::uint8_t> bytes);

// Reads the file into waveforms bank × 64 onwards, as far as the end of the slot; a short last
// waveform keeps its remaining samples. Then clears the markers of `bank` only (not of the
// further banks the file reached) and resets the order. False for a bank outside 0..31.
bool ImportBankFile(WavetableStore& store, const std::filesystem::path& path, int bank);
bool ImportBankBytes(WavetableStore& store, std::span<const std::uint8_t> bytes, int bank);

// The bytes of a slot file (waveforms 0 to 2047) and of a bank file (the bank's 64 waveforms;
// nothing for a bank outside 0..31).
std::vector<std::uint8_t> SlotFileBytes(const WavetableStore& store);
std::vector<std::uint8_t> BankFileBytes(const WavetableStore& store, int bank);

// Write those bytes, replacing the file as FileWriter does: a failed save leaves the former
// file untouched and no temporary file behind.
bool SaveSlotFile(const WavetableStore& store, const std::filesystem::path& path);
bool SaveSlotFile(const WavetableStore& store, const std::filesystem::path& path,
                  FileWriter& writer);
bool SaveBankFile(const WavetableStore& store, const std::filesystem::path& path, int bank);
bool SaveBankFile(const WavetableStore& store, const std::filesystem::path& path, int bank,
                  FileWriter& writer);

}  // namespace morvane
