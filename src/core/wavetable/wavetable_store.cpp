#include "core/wavetable/wavetable_store.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace morvane {

// The records start zeroed rather than indeterminate, so that nothing read before the first clear
// depends on what the memory held.
WavetableStore::WavetableStore()
    : slot_records_(new Record[static_cast<std::size_t>(kSlotCount) * kWaveCount]()) {}

WavetableStore::~WavetableStore() = default;

void WavetableStore::SetCurrentSlot(int slot) {
  if (slot >= 0 && slot < kSlotCount) current_slot_ = slot;
}

WaveSpan WavetableStore::Wave(int k) { return WaveSpan(At(k).samples); }
ConstWaveSpan WavetableStore::Wave(int k) const { return ConstWaveSpan(At(k).samples); }

void WavetableStore::SetSample(int k, int i, std::uint8_t value) {
  if (k < 0 || k >= kWaveCount || i < 0 || i >= kWaveLength) return;
  At(k).samples[static_cast<std::size_t>(i)] = value;
}

HarmonicSpan WavetableStore::Amplitude(int k) { return HarmonicSpan(At(k).amplitude); }
ConstHarmonicSpan WavetableStore::Amplitude(int k) const {
  return ConstHarmonicSpan(At(k).amplitude);
}
HarmonicSpan WavetableStore::Phase(int k) { return HarmonicSpan(At(k).phase); }
ConstHarmonicSpan WavetableStore::Phase(int k) const { return ConstHarmonicSpan(At(k).phase); }

int WavetableStore::Marker(int k) const { return At(k).marker; }

void WavetableStore::SetMarker(int k, int value) {
  if (k < 0 || k >= kWaveCount) return;
  At(k).marker = value;
}

int WavetableStore::Origin(int k) const { return At(k).origin; }

void WavetableStore::ClearAllMarkers() {
  const std::size_t total = static_cast<std::size_t>(kSlotCount) * kWaveCount;
  for (std::size_t r = 0; r < total; ++r) slot_records_[r].marker = kMarkerNone;
}

void WavetableStore::ClearMarkers() {
  for (int k = 0; k < kWaveCount; ++k) At(k).marker = kMarkerNone;
}

void WavetableStore::ClearBankMarkers(int bank) {
  if (bank < 0 || bank >= kBankCount) return;
  for (int wave = 0; wave < kWavesPerBank; ++wave) At(WaveIndex(bank, wave)).marker = kMarkerNone;
}

void WavetableStore::ResetOrder() {
  for (int k = 0; k < kWaveCount; ++k) At(k).origin = k;
}

// Shell sort with halving gaps; the exchange sequence is part of the behaviour, so it is kept
// exactly (ties are never exchanged).
void WavetableStore::RestoreOrder() {
  for (int gap = kWaveCount / 2; gap > 0; gap /= 2) {
    for (int i = gap; i < kWaveCount; ++i) {
      for (int j = i - gap; j >= 0; j -= gap) {
        if (!(At(j + gap).origin < At(j).origin)) break;
        SwapIndex(j + gap, j);
      }
    }
  }
}

void WavetableStore::SortBySpectrum(int top, int left, int width, int height, int which) {
  if (width <= 0 || height <= 0) return;
  const int n = width * height;
  auto cell = [&](int e) { return (top + e / width) * kWavesPerBank + left + e % width; };
  auto array_of = [&](int k) {
    const Record& r = At(k);
    return which == 0 ? r.amplitude.data() : r.phase.data();
  };
  for (int gap = n / 2; gap > 0; gap /= 2) {
    for (int i = gap; i < n; ++i) {
      for (int e = i - gap; e >= 0; e -= gap) {
        const int a = cell(e + gap);
        const int b = cell(e);
        // memcmp compares as unsigned bytes, first difference deciding.
        if (std::memcmp(array_of(a), array_of(b), kHarmonicCount) <= 0) break;
        SwapIndex(a, b);
      }
    }
  }
}

void WavetableStore::ClearRecord(Record& record) {
  record.samples.fill(kZeroLine);
  record.amplitude.fill(0);
  record.phase.fill(0);
  record.marker = kMarkerNone;
}

void WavetableStore::ClearCurrentSlotRecords() {
  for (int k = 0; k < kWaveCount; ++k) ClearRecord(At(k));
  ResetOrder();
}

void WavetableStore::ClearAll() {
  const int current = current_slot_;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    current_slot_ = slot;
    ClearCurrentSlotRecords();
  }
  current_slot_ = current;
}

void WavetableStore::ClearSlot() { ClearCurrentSlotRecords(); }

void WavetableStore::ClearBank(int bank) {
  if (bank < 0 || bank >= kBankCount) return;
  for (int wave = 0; wave < kWavesPerBank; ++wave) ClearRecord(At(WaveIndex(bank, wave)));
  ResetOrder();
}

void WavetableStore::ClearWave(int bank, int wave) {
  if (!InTable(bank, wave)) return;
  ClearRecord(At(WaveIndex(bank, wave)));
}

void WavetableStore::CopyWave(int dst_bank, int dst_wave, int src_bank, int src_wave) {
  if (!InTable(dst_bank, dst_wave) || !InTable(src_bank, src_wave)) return;
  const Record& src = At(WaveIndex(src_bank, src_wave));
  Record& dst = At(WaveIndex(dst_bank, dst_wave));
  dst.samples = src.samples;
  dst.amplitude = src.amplitude;
  dst.phase = src.phase;
  dst.marker = src.marker;
}

// Moving a waveform onto itself therefore leaves the cell empty: the source is cleared last.
void WavetableStore::MoveWave(int dst_bank, int dst_wave, int src_bank, int src_wave) {
  if (!InTable(dst_bank, dst_wave) || !InTable(src_bank, src_wave)) return;
  const Record& src = At(WaveIndex(src_bank, src_wave));
  Record& dst = At(WaveIndex(dst_bank, dst_wave));
  dst.samples = src.samples;
  dst.amplitude = src.amplitude;
  dst.phase = src.phase;
  ClearWave(src_bank, src_wave);
}

void WavetableStore::SwapWaves(int bank_a, int wave_a, int bank_b, int wave_b) {
  if (!InTable(bank_a, wave_a) || !InTable(bank_b, wave_b)) return;
  Record& a = At(WaveIndex(bank_a, wave_a));
  Record& b = At(WaveIndex(bank_b, wave_b));
  std::swap(a.samples, b.samples);
  std::swap(a.amplitude, b.amplitude);
  std::swap(a.phase, b.phase);
  std::swap(a.marker, b.marker);
}

void WavetableStore::SwapIndex(int k1, int k2) {
  if (k1 < 0 || k2 < 0 || k1 >= kWaveCount || k2 >= kWaveCount) return;
  std::swap(At(k1), At(k2));
}

void WavetableStore::CopySlotToBuffer(std::span<std::uint8_t, kSlotBytes> buffer) const {
  for (int k = 0; k < kWaveCount; ++k) {
    std::memcpy(buffer.data() + static_cast<std::size_t>(k) * kWaveLength, At(k).samples.data(),
                kWaveLength);
  }
}

void WavetableStore::CopyWaveToBuffer(std::span<std::uint8_t, kWaveLength> buffer, int bank,
                                      int wave) const {
  if (!InTable(bank, wave)) return;
  std::memcpy(buffer.data(), At(WaveIndex(bank, wave)).samples.data(), kWaveLength);
}

void WavetableStore::CopyBufferToSlot(const std::uint8_t* buffer, std::size_t size,
                                      std::size_t offset, int bank, int wave) {
  const std::size_t whole = std::min<std::size_t>(size / kWaveLength, kWaveCount);
  const int first = InTable(bank, wave) ? WaveIndex(bank, wave) : kWaveCount;
  for (std::size_t i = 0; i < whole; ++i) {
    const std::size_t k = static_cast<std::size_t>(first) + i;
    if (k >= static_cast<std::size_t>(kWaveCount)) break;
    std::memcpy(At(static_cast<int>(k)).samples.data(), buffer + offset + kWaveLength * i,
                kWaveLength);
  }
  ClearMarkers();
  ResetOrder();
}

}  // namespace morvane
