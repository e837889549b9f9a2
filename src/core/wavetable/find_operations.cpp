#include "core/wavetable/find_operations.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace morvane {

namespace {

bool Equal(ConstWaveSpan a, ConstWaveSpan b) {
  return std::memcmp(a.data(), b.data(), kWaveLength) == 0;
}

bool NeverFalls(ConstWaveSpan wave) {
  return std::adjacent_find(wave.begin(), wave.end(),
                            [](std::uint8_t a, std::uint8_t b) { return b < a; }) == wave.end();
}

// A 64-bit hash of the waveform, eight bytes at a time.
std::uint64_t WaveHash(ConstWaveSpan wave) {
  std::uint64_t hash = 0x9E3779B97F4A7C15ull;
  for (int i = 0; i < kWaveLength; i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, wave.data() + i, sizeof word);
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 29;
  }
  return hash;
}

}  // namespace

bool IsEmpty(const WavetableStore& store, int k) {
  const ConstWaveSpan wave = store.Wave(k);
  return std::all_of(wave.begin(), wave.end(), [](std::uint8_t s) { return s == kZeroLine; });
}

void MarkEqual(WavetableStore& store, int k, ConstWaveSpan buffer) {
  store.SetMarker(k, Equal(store.Wave(k), buffer) ? kMarkerMark : kMarkerNone);
}

void MarkRamp(WavetableStore& store, int k) {
  store.SetMarker(k, kMarkerNone);
  if (!IsEmpty(store, k) && NeverFalls(store.Wave(k))) store.SetMarker(k, kMarkerMark);
}

void MarkEmpty(WavetableStore& store, int k) {
  const int marker = store.Marker(k);
  store.SetMarker(k, IsEmpty(store, k) ? (marker | 1) : (marker & ~1));
}

void MarkDouble(WavetableStore& store, int i, int j, bool mark_first) {
  if (IsEmpty(store, i) || IsEmpty(store, j)) return;
  if (!Equal(store.Wave(i), store.Wave(j))) return;
  store.SetMarker(j, kMarkerMark);
  if (mark_first) store.SetMarker(i, kMarkerMark);
}

void MarkAllEqual(WavetableStore& store, ConstWaveSpan buffer) {
  for (int k = 0; k < kWaveCount; ++k) MarkEqual(store, k, buffer);
}

void MarkAllRamps(WavetableStore& store) {
  for (int k = 0; k < kWaveCount; ++k) MarkRamp(store, k);
}

void MarkAllEmpty(WavetableStore& store) {
  for (int k = 0; k < kWaveCount; ++k) MarkEmpty(store, k);
}

void MarkDoubles(WavetableStore& store, bool mark_first) {
  store.ClearMarkers();
  // (hash, index) of every non-empty waveform, sorted so that equal hashes lie together in
  // index order.
  std::vector<std::pair<std::uint64_t, int>> hashed;
  hashed.reserve(kWaveCount);
  for (int k = 0; k < kWaveCount; ++k) {
    if (!IsEmpty(store, k)) hashed.emplace_back(WaveHash(store.Wave(k)), k);
  }
  std::sort(hashed.begin(), hashed.end());
  std::vector<int> firsts;  // the first waveform of each group of equal ones within a hash
  for (std::size_t begin = 0; begin < hashed.size();) {
    std::size_t end = begin + 1;
    while (end < hashed.size() && hashed[end].first == hashed[begin].first) ++end;
    firsts.clear();
    for (std::size_t e = begin; e < end; ++e) {
      const int k = hashed[e].second;
      const auto first = std::find_if(firsts.begin(), firsts.end(), [&store, k](int f) {
        return Equal(store.Wave(f), store.Wave(k));
      });
      if (first == firsts.end()) {
        firsts.push_back(k);
        continue;
      }
      store.SetMarker(k, kMarkerMark);
      if (mark_first) store.SetMarker(*first, kMarkerMark);
    }
    begin = end;
  }
}

void MarkDoublesPairwise(WavetableStore& store, bool mark_first) {
  store.ClearMarkers();
  for (int i = 0; i < kWaveCount - 1; ++i) {
    for (int j = i + 1; j < kWaveCount; ++j) MarkDouble(store, i, j, mark_first);
  }
}

void CompareSlots(WavetableStore& store, int a, int b) {
  if (a < 0 || a >= kSlotCount || b < 0 || b >= kSlotCount) return;
  store.SetCurrentSlot(b);
  store.ClearMarkers();
  std::vector<std::uint8_t> other(kSlotBytes);
  store.CopySlotToBuffer(std::span<std::uint8_t, kSlotBytes>(other.data(), kSlotBytes));
  store.SetCurrentSlot(a);
  store.ClearMarkers();
  std::vector<int> differing;
  for (int k = 0; k < kWaveCount; ++k) {
    const ConstWaveSpan theirs(other.data() + static_cast<std::size_t>(k) * kWaveLength,
                               kWaveLength);
    if (!Equal(store.Wave(k), theirs)) differing.push_back(k);
  }
  for (const int slot : {b, a}) {
    store.SetCurrentSlot(slot);
    for (const int k : differing) store.SetMarker(k, kMarkerMark);
  }
}

}  // namespace morvane
