#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/spectral/fft_engine.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// How amplitude bytes read: LOG a/2.56 dB, LIN the magnitude (a/2.56)·162.
enum class AmplitudeScale : std::uint8_t { kLog = 0, kLin = 1 };

// The numbers behind one harmonic image, for the spectrum editor's value grid: per harmonic the
// level (dB or percent) and the angle in degrees, before they became bytes.
struct HarmonicValues {
  std::array<double, kHarmonicCount> level{};
  std::array<double, kHarmonicCount> angle{};
};

// Amplitude byte of a level v (dB or percent): trunc(v·2.56) limited to 0..255.
std::uint8_t AmplitudeByte(double level);
// Phase byte of an angle in degrees: (trunc(φ·128/180) + 128) mod 256, so +180° is 0 like −180°.
std::uint8_t PhaseByte(double degrees);

// Harmonics 1..128 of 256 samples (128 the zero line) under window `kind`, forward transform on
// the engine's buffers: amplitude and phase bytes at index h−1, and their values when asked.
void AnalyseHarmonics(FftEngine& engine, ConstWaveSpan samples, int kind, AmplitudeScale scale,
                      HarmonicSpan amplitude, HarmonicSpan phase, HarmonicValues* values = nullptr);

// A waveform from harmonics 1..127 (the 128th byte is not used), inverse transform on the
// engine's buffers, divided back through window `kind` (128 where the window is 0). The values
// shown for each harmonic go to `values` when asked.
void SynthesiseHarmonics(FftEngine& engine, ConstHarmonicSpan amplitude, ConstHarmonicSpan phase,
                         int kind, AmplitudeScale scale, WaveSpan samples,
                         HarmonicValues* values = nullptr);

// Knob captions. Amplitude: value·100/255. The phase knob's own: (value·180 − 23040)/127, never
// below −180. After ShowHarmonic: (value·255 − 32640)/180. All truncating.
int AmplitudePercentCaption(int value);
int PhaseKnobCaption(int value);
int ShownPhaseCaption(int value);

// Which harmonics a knob writes to ("Harmonics" knob: BOTH, EVEN, ODD).
enum class HarmonicChoice : std::uint8_t { kBoth = 0, kEven = 1, kOdd = 2 };
// The SpectrumHarm of both views for a choice: mouse drawing in EVEN changes even indices
// (harmonics 1, 3, 5, ...), in ODD odd indices.
int SpectrumHarmFor(HarmonicChoice choice);
// Indices an amplitude or phase knob writes: harmonic N alone when the selection is empty, else
// from b = start − 1 over `length` places, every one (BOTH), b+1, b+3, ... (EVEN) or b, b+2, ...
// (ODD); only indices below 128.
std::vector<int> KnobTargets(HarmonicChoice choice, int harmonic_n, int selection_start,
                             int selection_length);

}  // namespace morvane
