#pragma once

#include <cstdint>

#include "core/spectral/fft_engine.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// Analyses waveform k of the current slot into its amplitude and phase arrays (the spectrum
// cache), in LOG scale under window `kind`: the rule as written, on the engine's buffers. Ignored
// when k is outside 0..2047.
void ComputeSpectrum(WavetableStore& store, FftEngine& engine, int kind, int k);

// The same for all 2048 waveforms of the current slot, byte for byte, but fast: the window is
// tabulated, four waveforms go through each butterfly at once, and the bytes come from tables
// of their truncation boundaries, with the rule itself deciding every value that lies too close
// to a boundary for the tables to be sure. Allocates nothing.
void ComputeAllSpectra(WavetableStore& store, int kind);

// The byte decisions of the fast path, for one bin (re, im) of a forward transform.
std::uint8_t FastLogAmplitudeByte(double re, double im);
std::uint8_t FastPhaseByte(double re, double im);

}  // namespace morvane
