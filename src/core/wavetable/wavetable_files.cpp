#include "core/wavetable/wavetable_files.h"

#include <algorithm>
#include <vector>

#include "core/util/whole_file_io.h"

namespace morvane {

namespace {

bool ValidBank(int bank) { return bank >= 0 && bank < kBankCount; }

// Copies the bytes into consecutive waveforms from `first_wave` on, 256 to a waveform; a short
// last piece fills only the first samples of its waveform.
void CopyIntoWaves(WavetableStore& store, int first_wave, std::span<const std::uint8_t> bytes) {
  for (std::size_t offset = 0; offset < bytes.size(); offset += kWaveLength) {
    const std::size_t count = std::min<std::size_t>(kWaveLength, bytes.size() - offset);
    const int k = first_wave + static_cast<int>(offset / kWaveLength);
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), count, store.Wave(k).begin());
  }
}

// The samples of `wave_count` waveforms from `first_wave` on, as they go into a file.
std::vector<std::uint8_t> WaveBytes(const WavetableStore& store, int first_wave, int wave_count) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(static_cast<std::size_t>(wave_count) * kWaveLength);
  for (int k = first_wave; k < first_wave + wave_count; ++k) {
    bytes.insert(bytes.end(), store.Wave(k).begin(), store.Wave(k).end());
  }
  return bytes;
}

// Room from the start of the bank to the end of the slot.
std::size_t RoomFromBank(int bank) {
  return kSlotBytes - static_cast<std::size_t>(bank) * kBankBytes;
}

}  // namespace

void LoadSlotBytes(WavetableStore& store, std::span<const std::uint8_t> bytes) {
  CopyIntoWaves(store, 0, bytes.first(std::min(bytes.size(), kSlotBytes)));
  store.ClearMarkers();
  store.ResetOrder();
}

bool LoadSlotFile(WavetableStore& store, const std::filesystem::path& path) {
  std::vector<std::uint8_t> bytes;
  if (!ReadFileStart(path, kSlotBytes, bytes)) return false;
  LoadSlotBytes(store, bytes);
  return true;
}

bool ImportBankBytes(WavetableStore& store, std::span<const std::uint8_t> bytes, int bank) {
  if (!ValidBank(bank)) return false;
  CopyIntoWaves(store, bank * kWavesPerBank,
                bytes.first(std::min(bytes.size(), RoomFromBank(bank))));
  store.ClearBankMarkers(bank);
  store.ResetOrder();
  return true;
}

bool ImportBankFile(WavetableStore& store, const std::filesystem::path& path, int bank) {
  if (!ValidBank(bank)) return false;
  std::vector<std::uint8_t> bytes;
  if (!ReadFileStart(path, RoomFromBank(bank), bytes)) return false;
  return ImportBankBytes(store, bytes, bank);
}

std::vector<std::uint8_t> SlotFileBytes(const WavetableStore& store) {
  return WaveBytes(store, 0, kWaveCount);
}

std::vector<std::uint8_t> BankFileBytes(const WavetableStore& store, int bank) {
  if (!ValidBank(bank)) return {};
  return WaveBytes(store, bank * kWavesPerBank, kWavesPerBank);
}

bool SaveSlotFile(const WavetableStore& store, const std::filesystem::path& path) {
  FileWriter writer;
  return SaveSlotFile(store, path, writer);
}

bool SaveSlotFile(const WavetableStore& store, const std::filesystem::path& path,
                  FileWriter& writer) {
  return writer.Replace(path, SlotFileBytes(store));
}

bool SaveBankFile(const WavetableStore& store, const std::filesystem::path& path, int bank) {
  FileWriter writer;
  return SaveBankFile(store, path, bank, writer);
}

bool SaveBankFile(const WavetableStore& store, const std::filesystem::path& path, int bank,
                  FileWriter& writer) {
  if (!ValidBank(bank)) return false;
  return writer.Replace(path, BankFileBytes(store, bank));
}

}  // namespace morvane
