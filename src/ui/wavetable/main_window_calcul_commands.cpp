// The Calcul menu: whole slots of computed waveforms, made by driving the tool windows.
#include <QAction>

#include "core/spectral/window_functions.h"
#include "core/wavetable/calculated_tables.h"
#include "ui/controls/value_knob.h"
#include "ui/generators/generators_window.h"
#include "ui/scales/scales_window.h"
#include "ui/shell/app_context.h"
#include "ui/shell/time_seeded_random.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
void MainWindow::SelectEditorWave(int k) {
  WaveformEditorWindow* editor = app_.waveform_editor();
  editor->BankSelector()->SetState(k / kWavesPerBank);
  editor->WaveSelector()->SetState(k % kWavesPerBank);
}

void MainWindow::ScaleSetsCommand(int first_number) {
  app_.spectrum_editor()->close();
  ScalesWindow* scales = app_.scales_window();
  WaveformEditorWindow* editor = app_.waveform_editor();
  for (int k = 0; k < kWaveCount; ++k) {
    SelectEditorWave(k);
    scales->SetScaleNotes(first_number + k);
    scales->CalcScalesAuto();
    editor->WriteWaveform();
  }
  RefreshGrid();
  ScalePass(false);
  SpectralMapRefresh();
}

void MainWindow::FastRandomCommand() {
  app_.spectrum_editor()->close();
  GeneratorsWindow* generators = app_.generators();
  generators->SetWaveType(kWaveRandomSteps);
  app_.waveform_editor()->ClearTransforms();
  // With "Select Bank" ticked the first bank is written, whatever rows are selected.
  const int count = MenuAction("mnuSelectBank")->isChecked() ? kWavesPerBank : kWaveCount;
  FillRandomSteps(app_.wavetable(), count, generators->StartParameters(), TimeSeededRandom());
  SelectEditorWave(count - 1);
  RefreshGrid();
  SpectralMapRefresh();
}

void MainWindow::WindowFunctionsCommand() {
  WavetableStore& store = app_.wavetable();
  WaveformEditorWindow* editor = app_.waveform_editor();
  SpectrumEditorWindow* spectrum = app_.spectrum_editor();
  for (int kind = 0; kind < kWindowKindCount; ++kind) {
    SelectEditorWave(kind);
    const auto shape = WindowShape(kind);
    std::ranges::copy(shape, editor->WorkingCopy().begin());
    editor->WaveformChangedQuietly();
    std::ranges::copy(editor->WorkingCopy(), store.Wave(kind).begin());
    DrawWaveCell(kind, 0, false);
  }
  // Banks 1 and 2: the spectrum editor's spectrum through every window, first with the amplitude
  // scale switched, then switched back, each switch analysing as the editor's button does.
  for (const int bank : {1, 2}) {
    spectrum->SetScale(spectrum->Scale() == AmplitudeScale::kLog ? AmplitudeScale::kLin
                                                                 : AmplitudeScale::kLog);
    for (int kind = 0; kind < kWindowKindCount; ++kind) {
      const int k = WaveIndex(bank, kind);
      SelectEditorWave(k);
      // The panel names the window in use: the editor is left with the last one.
      spectrum->SetWindowKind(kind);
      spectrum->Synthesise();
      std::ranges::copy(editor->WorkingCopy(), store.Wave(k).begin());
      DrawWaveCell(kind, bank, false);
    }
  }
  SpectralMapRefresh();
}

}  // namespace morvane
