#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace morvane {

// Shape of the module's waveform memory. Frozen: files and dumps depend on it.
inline constexpr int kSlotCount = 8;
inline constexpr int kBankCount = 32;
inline constexpr int kWavesPerBank = 64;
inline constexpr int kWaveCount = kBankCount * kWavesPerBank;  // 2048
inline constexpr int kWaveLength = 256;
inline constexpr int kHarmonicCount = 128;
inline constexpr std::size_t kBankBytes = std::size_t{kWavesPerBank} * kWaveLength;  // 16 384
inline constexpr std::size_t kSlotBytes = std::size_t{kWaveCount} * kWaveLength;     // 524 288
inline constexpr std::uint8_t kZeroLine = 128;

// Index of waveform (bank, wave) in a slot: a row of the grid is a bank, a column a wave.
constexpr int WaveIndex(int bank, int wave) { return bank * kWavesPerBank + wave; }
// Whether (bank, wave) names a waveform of a slot.
constexpr bool InTable(int bank, int wave) {
  return bank >= 0 && bank < kBankCount && wave >= 0 && wave < kWavesPerBank;
}

// Cell markers, as the grid colours them.
inline constexpr int kMarkerNone = 0;
inline constexpr int kMarkerMark = 1;
inline constexpr int kMarkerScale = 2;
inline constexpr int kMarkerIrregularScale = 3;

using WaveSpan = std::span<std::uint8_t, kWaveLength>;
using ConstWaveSpan = std::span<const std::uint8_t, kWaveLength>;
using HarmonicSpan = std::span<std::uint8_t, kHarmonicCount>;
using ConstHarmonicSpan = std::span<const std::uint8_t, kHarmonicCount>;

// The eight wavetable documents the editor works on. Every operation acts on the current slot
// unless it says otherwise. All memory is taken once by the constructor (which throws
// std::bad_alloc when it cannot) and nothing is allocated afterwards.
class WavetableStore {
 public:
  WavetableStore();
  ~WavetableStore();
  WavetableStore(const WavetableStore&) = delete;
  WavetableStore& operator=(const WavetableStore&) = delete;

  int CurrentSlot() const { return current_slot_; }
  void SetCurrentSlot(int slot);  // ignored outside 0..7

  // Waveform k (0..2047) of the current slot, readable and writable in place.
  WaveSpan Wave(int k);
  ConstWaveSpan Wave(int k) const;
  void SetSample(int k, int i, std::uint8_t value);  // ignored when k > 2047 or i > 255

  HarmonicSpan Amplitude(int k);
  ConstHarmonicSpan Amplitude(int k) const;
  HarmonicSpan Phase(int k);
  ConstHarmonicSpan Phase(int k) const;

  int Marker(int k) const;
  void SetMarker(int k, int value);  // ignored when k >= 2048
  int Origin(int k) const;           // index before the last spectral sorts

  void ClearAllMarkers();  // every slot
  void ClearMarkers();
  void ClearBankMarkers(int bank);
  void ResetOrder();
  void RestoreOrder();
  // Sorts a rectangle of cells (row = bank, column = wave) in descending order of their
  // amplitude (which = 0) or phase (which = 1) arrays.
  void SortBySpectrum(int top, int left, int width, int height, int which);

  void ClearAll();  // every slot, origin k for every k
  void ClearSlot();
  void ClearBank(int bank);
  void ClearWave(int bank, int wave);
  void CopyWave(int dst_bank, int dst_wave, int src_bank, int src_wave);
  void MoveWave(int dst_bank, int dst_wave, int src_bank, int src_wave);
  void SwapWaves(int bank_a, int wave_a, int bank_b, int wave_b);
  void SwapIndex(int k1, int k2);  // ignored when k1 or k2 is above 2047

  // Byte buffers, used by the sample editor and the files.
  void CopySlotToBuffer(std::span<std::uint8_t, kSlotBytes> buffer) const;
  void CopyWaveToBuffer(std::span<std::uint8_t, kWaveLength> buffer, int bank, int wave) const;
  // Copies the whole waveforms of buffer[offset .. size) into the slot from (bank, wave) on,
  // stopping after waveform 2047; then clears the markers and resets the order.
  void CopyBufferToSlot(const std::uint8_t* buffer, std::size_t size, std::size_t offset, int bank,
                        int wave);

 private:
  struct Record {
    std::array<std::uint8_t, kWaveLength> samples;
    std::array<std::uint8_t, kHarmonicCount> amplitude;
    std::array<std::uint8_t, kHarmonicCount> phase;
    int marker;
    int origin;
  };

  Record& At(int k) {
    return slot_records_[static_cast<std::size_t>(current_slot_) * kWaveCount + k];
  }
  const Record& At(int k) const {
    return slot_records_[static_cast<std::size_t>(current_slot_) * kWaveCount + k];
  }
  void ClearRecord(Record& record);
  void ClearCurrentSlotRecords();

  std::unique_ptr<Record[]> slot_records_;  // kSlotCount * kWaveCount records
  int current_slot_ = 0;
};

}  // namespace morvane
