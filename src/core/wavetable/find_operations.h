#pragma once

#include <cstdint>

#include "core/wavetable/wavetable_store.h"

namespace morvane {

// The Find menu's analyses of the current slot, which colour the grid through the markers.

// True when all 256 samples of waveform k are on the zero line.
bool IsEmpty(const WavetableStore& store, int k);
// Marker 1 when waveform k equals the buffer byte for byte, else 0.
void MarkEqual(WavetableStore& store, int k, ConstWaveSpan buffer);
// Marker 1 for a non-empty waveform that never falls, else 0.
void MarkRamp(WavetableStore& store, int k);
// Bit 0 of the marker set for an empty waveform, cleared otherwise (the higher bits stay).
void MarkEmpty(WavetableStore& store, int k);
// When neither waveform is empty and both are equal: marker 1 for j, and for i when mark_first.
void MarkDouble(WavetableStore& store, int i, int j, bool mark_first);

// The same for every waveform of the slot.
void MarkAllEqual(WavetableStore& store, ConstWaveSpan buffer);
void MarkAllRamps(WavetableStore& store);
void MarkAllEmpty(WavetableStore& store);

// "Double": clears the markers, then marks every later copy of a non-empty waveform (and its
// first occurrence too with mark_first). Waveforms are grouped by a hash first, and only those
// of equal hash are compared byte for byte, so the result is the pairwise rule's.
void MarkDoubles(WavetableStore& store, bool mark_first);
// The pairwise rule itself, MarkDouble for every pair i < j: the reference of the fast search.
void MarkDoublesPairwise(WavetableStore& store, bool mark_first);

// "Compare  Wavetables": clears the markers of slots b and a, then marks in both slots every
// waveform that differs between them. Slot a is current afterwards. Nothing happens for a slot
// outside 0..7.
void CompareSlots(WavetableStore& store, int a, int b);

}  // namespace morvane
