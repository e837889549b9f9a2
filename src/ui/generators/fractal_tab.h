#pragma once

#include <QWidget>
#include <array>

#include "core/generators/fractal_complex.h"
#include "core/generators/fractal_views.h"

class QCheckBox;
class QRadioButton;
class QToolButton;

namespace morvane {

class AppContext;
class FractalViewWindow;
class ValueKnob;
struct ComplexView;

// The generators window's "Fractal" tab: the terrain ("Pyramide"), the Mandelbrot and Julia
// images ("Complex") and the transfers of map rows and columns into the current slot
// ("Wavetable"), as waveforms or as spectra that the spectrum editor turns into waveforms.
class FractalTab : public QWidget {
  Q_OBJECT

 public:
  // Fills `page` with the three groups.
  FractalTab(AppContext& app, QWidget* page);
  ~FractalTab() override;

  // "Compute": shows the view, computes a terrain and paints it.
  void ComputeTerrain();
  // The Complex knobs' and radio buttons' change: the chosen image, painted while the view shows.
  void RecomputeComplex();
  // The Complex group's two cycling buttons: the next preset view, the next starting set.
  void NextPresetView();
  void NextStartingSet();
  // "Wave X" and "Wave Y": map rows or columns 0..255 into waveforms 128 N + i of the slot.
  void SendWaveRows();
  void SendWaveColumns();
  // "SMap Ampl " and "SMap Angle": map rows 0..127, 128 values each, as the amplitudes or phases
  // of waveforms 128 N + i, which the spectrum editor then synthesises.
  void SendSpectralAmplitudes();
  void SendSpectralPhases();

  // The Complex knobs as they stand.
  ComplexParameters Parameters() const;
  ComplexKind Kind() const;

 private:
  QWidget* BuildPyramidGroup();
  QWidget* BuildWavetableGroup();
  QWidget* BuildComplexGroup();
  void ConnectControls();
  FractalViewWindow& View();
  void ShowView();
  // Sets the six knobs of a view without their change handlers, recomputes and shows the image.
  void ApplyView(const ComplexView& view);
  // Points the waveform editor's selectors at waveform `index` of the transfer starting at bank
  // pair `pair`, as each waveform is written.
  void ShowDestination(int pair, int index);
  // Waveforms from the map, `from_rows` choosing map[i][*] over map[*][i].
  void SendWaves(bool from_rows);
  void SendSpectra(bool amplitudes);

  AppContext& app_;
  ValueKnob* range_knob_ = nullptr;  // potAmpl
  ValueKnob* sea_knob_ = nullptr;    // potSea
  QToolButton* terrain_button_ = nullptr;
  QToolButton* show_button_ = nullptr;
  QToolButton* resize_button_ = nullptr;

  ValueKnob* bank_knob_ = nullptr;  // potBank
  QCheckBox* alternate_box_ = nullptr;
  QToolButton* amplitude_button_ = nullptr;
  QToolButton* phase_button_ = nullptr;
  QToolButton* rows_button_ = nullptr;
  QToolButton* columns_button_ = nullptr;

  QRadioButton* julia_button_ = nullptr;
  QRadioButton* mandelbrot_button_ = nullptr;
  // zX, Res, cteX, cteY, Ocx, Ox, Zx (kvpotlab13 .. kvpotlab19).
  std::array<ValueKnob*, 7> complex_knobs_{};
  QToolButton* init_button_ = nullptr;
  QToolButton* preset_button_ = nullptr;
  CyclingCounter preset_counter_{kPresetViews.size()};
  CyclingCounter start_counter_{kStartingSets.size()};
};

}  // namespace morvane
