// The "Wavetable" group of the fractal tab: map rows and columns into the current slot.
#include <QCheckBox>
#include <algorithm>

#include "core/generators/fractal_engine.h"
#include "core/wavetable/wavetable_store.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/value_knob.h"
#include "ui/generators/fractal_tab.h"
#include "ui/shell/app_context.h"
#include "ui/spectral/spectral_map_window.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

// A bank pair holds 128 waveforms; the waveform rows and columns send 256 of them.
constexpr int kPairWaves = 2 * kWavesPerBank;

}  // namespace

void FractalTab::ShowDestination(int pair, int index) {
  WaveformEditorWindow* editor = app_.waveform_editor();
  editor->BankSelector()->SetState(2 * pair + index / kWavesPerBank);
  editor->WaveSelector()->SetState(index % kWavesPerBank);
}

void FractalTab::SendWaveRows() { SendWaves(true); }
void FractalTab::SendWaveColumns() { SendWaves(false); }
void FractalTab::SendSpectralAmplitudes() { SendSpectra(true); }
void FractalTab::SendSpectralPhases() { SendSpectra(false); }

void FractalTab::SendWaves(bool from_rows) {
  const FractalEngine& engine = app_.fractal_engine();
  WavetableStore& store = app_.wavetable();
  WaveformEditorWindow* editor = app_.waveform_editor();
  const int pair = bank_knob_->State();
  const int base = kPairWaves * pair;
  // From the last pair, 256 waveforms would run past the slot's end: only those inside it go.
  const int count = std::min(kComplexSize, kWaveCount - base);
  const bool alternate = alternate_box_->isChecked();
  for (int i = 0; i < count; ++i) {
    ShowDestination(pair, i);
    WaveSpan copy = editor->WorkingCopy();
    for (int j = 0; j < kWaveLength; ++j) {
      copy[static_cast<std::size_t>(j)] = from_rows ? engine.Map(i, j) : engine.Map(j, i);
    }
    if (alternate && i % 2 == 1) std::reverse(copy.begin(), copy.end());
    editor->WaveformChangedQuietly();
    std::ranges::copy(editor->WorkingCopy(), store.Wave(base + i).begin());
  }
  MainWindow* main = app_.main_window();
  main->SpectralMapRefresh();
  main->RefreshGrid();
}

void FractalTab::SendSpectra(bool amplitudes) {
  const FractalEngine& engine = app_.fractal_engine();
  WavetableStore& store = app_.wavetable();
  WaveformEditorWindow* editor = app_.waveform_editor();
  SpectrumEditorWindow* spectrum = app_.spectrum_editor();
  SampleTank* view = amplitudes ? spectrum->AmplitudeView() : spectrum->PhaseView();
  const int pair = bank_knob_->State();
  const int base = kPairWaves * pair;
  for (int i = 0; i < kPairWaves; ++i) {
    ShowDestination(pair, i);
    const auto row = engine.MapRow(i).first<kHarmonicCount>();
    const int k = base + i;
    std::ranges::copy(row, amplitudes ? store.Amplitude(k).begin() : store.Phase(k).begin());
    view->SetData(row);
    spectrum->Synthesise();
    std::ranges::copy(editor->WorkingCopy(), store.Wave(k).begin());
  }
  app_.spectral_map()->RedrawMap();
  app_.main_window()->RefreshGrid();
}

}  // namespace morvane
