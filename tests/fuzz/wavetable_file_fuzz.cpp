// Raw wavetable files loaded into a slot or imported into a bank. The first input byte chooses
// slot load or bank import, the second the bank (as a signed byte, so banks outside 0..31 are
// tried); the rest is the file. Properties: the file's bytes land in consecutive waveforms from
// the start of the slot or bank and no further than the end of the slot, every sample after them
// keeps its value, the markers are cleared for the slot or only for the bank; a bank outside
// 0..31 is refused and changes nothing; saving the bank again writes the file's bytes back.
//
// The slot in use is the last one, so a write past waveform 2047 leaves the store's memory and
// AddressSanitizer reports it.

#include <array>
#include <cstdint>
#include <vector>

#include "core/wavetable/wavetable_files.h"
#include "core/wavetable/wavetable_store.h"
#include "fuzz/fuzz_support.h"

namespace morvane {
namespace {

constexpr int kFuzzSlot = kSlotCount - 1;

std::uint8_t Pattern(int k, int i) { return static_cast<std::uint8_t>(k * 7 + i * 3 + 1); }
int MarkerPattern(int k) { return 1 + k % 3; }

class Bench {
 public:
  Bench() : pattern_(kSlotBytes), neighbour_(kSlotBytes), scratch_(kSlotBytes) {
    store_.ClearAll();
    store_.SetCurrentSlot(kFuzzSlot - 1);
    store_.CopySlotToBuffer(std::span<std::uint8_t, kSlotBytes>(neighbour_));
    store_.SetCurrentSlot(kFuzzSlot);
    for (int k = 0; k < kWaveCount; ++k) RestoreWave(k);
    store_.CopySlotToBuffer(std::span<std::uint8_t, kSlotBytes>(pattern_));
    SetMarkers(0, kWaveCount);
  }

  WavetableStore& store() { return store_; }

  void SetMarkers(int first, int count) {
    for (int k = first; k < first + count; ++k) store_.SetMarker(k, MarkerPattern(k));
  }
  void RestoreWave(int k) {
    const WaveSpan wave = store_.Wave(k);
    for (int i = 0; i < kWaveLength; ++i) wave[static_cast<std::size_t>(i)] = Pattern(k, i);
  }

  // Neither this slot nor the one before it (where a negative bank would reach) has changed.
  bool Untouched() {
    const std::span<std::uint8_t, kSlotBytes> scratch(scratch_);
    store_.CopySlotToBuffer(scratch);
    if (scratch_ != pattern_) return false;
    store_.SetCurrentSlot(kFuzzSlot - 1);
    store_.CopySlotToBuffer(scratch);
    store_.SetCurrentSlot(kFuzzSlot);
    return scratch_ == neighbour_;
  }

 private:
  WavetableStore store_;
  std::vector<std::uint8_t> pattern_;
  std::vector<std::uint8_t> neighbour_;
  std::vector<std::uint8_t> scratch_;
};

// Waveforms first .. first + count - 1 (cut at 2047) hold `bytes` from their first sample on,
// and the samples after them keep the pattern; so does the waveform after them.
void CheckWaves(const WavetableStore& store, int first, std::span<const std::uint8_t> bytes) {
  const int touched = static_cast<int>((bytes.size() + kWaveLength - 1) / kWaveLength);
  const int last = std::min(kWaveCount - 1, first + touched);
  std::array<std::uint8_t, kWaveLength> expected{};
  for (int k = first; k <= last; ++k) {
    for (int i = 0; i < kWaveLength; ++i) {
      const std::size_t offset = static_cast<std::size_t>(k - first) * kWaveLength + i;
      expected[static_cast<std::size_t>(i)] = offset < bytes.size() ? bytes[offset] : Pattern(k, i);
    }
    FUZZ_CHECK(fuzz::SameBytes(store.Wave(k), expected));
  }
}

void CheckMarkers(const WavetableStore& store, int cleared_first, int cleared_count) {
  for (int k = 0; k < kWaveCount; ++k) {
    const bool cleared = k >= cleared_first && k < cleared_first + cleared_count;
    FUZZ_CHECK(store.Marker(k) == (cleared ? kMarkerNone : MarkerPattern(k)));
  }
}

}  // namespace
}  // namespace morvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  static Bench bench;
  fuzz::FuzzInput input(data, size);
  const bool import = (input.Byte() & 1) != 0;
  const int bank = static_cast<std::int8_t>(input.Byte());
  const std::span<const std::uint8_t> file_bytes = input.Rest();

  WavetableStore& store = bench.store();

  int first = 0;
  int cleared = 0;  // markers from `first` on
  std::span<const std::uint8_t> taken = file_bytes.first(std::min(file_bytes.size(), kSlotBytes));
  if (!import) {
    LoadSlotBytes(store, file_bytes);
    cleared = kWaveCount;
    CheckMarkers(store, 0, cleared);
  } else if (bank < 0 || bank >= kBankCount) {
    FUZZ_CHECK(!ImportBankBytes(store, file_bytes, bank));
    CheckMarkers(store, 0, 0);
    FUZZ_CHECK(bench.Untouched());
    FUZZ_CHECK(BankFileBytes(store, bank).empty());
    taken = {};
  } else {
    FUZZ_CHECK(ImportBankBytes(store, file_bytes, bank));
    first = WaveIndex(bank, 0);
    taken = file_bytes.first(std::min(file_bytes.size(), kSlotBytes - bank * kBankBytes));
    cleared = kWavesPerBank;
    CheckMarkers(store, first, cleared);
  }
  FUZZ_CHECK(store.CurrentSlot() == kFuzzSlot);
  CheckWaves(store, first, taken);

  // What was read writes back as the same bytes.
  const std::vector<std::uint8_t> written = BankFileBytes(store, first / kWavesPerBank);
  FUZZ_CHECK(written.size() == kBankBytes);
  const std::size_t compared = std::min(taken.size(), kBankBytes);
  FUZZ_CHECK(fuzz::SameBytes(std::span(written).first(compared), taken.first(compared)));

  const int touched = static_cast<int>((taken.size() + kWaveLength - 1) / kWaveLength);
  for (int k = first; k < std::min(kWaveCount, first + touched); ++k) bench.RestoreWave(k);
  bench.SetMarkers(first, cleared);
  return 0;
}
