#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "core/generators/generator_steps.h"
#include "core/generators/wave_function.h"

class QFrame;
class QRadioButton;
class QTabWidget;
class QTimer;
class QToolButton;

namespace morvane {

class AppContext;
class BitmapKnob;
class GraphicSwitch;
class ValueKnob;

// "Generators": waveforms by formula. The "Function" tab computes one of nine shapes into the
// waveform editor's working copy or into a view of the spectrum editor, sweeps its parameters
// over the grid selection, morphs towards a stored waveform and animates the editor's bank and
// wave selectors. The "Fractal" tab is filled by its own widget.
class GeneratorsWindow : public QWidget {
  Q_OBJECT

 public:
  explicit GeneratorsWindow(AppContext& app, QWidget* parent = nullptr);
  ~GeneratorsWindow() override;

  // The empty page of the "Fractal" tab.
  QWidget* FractalPage() const { return fractal_page_; }

  // "Compute Function", "Init Parameters" and "Write Parametric Function into the Wavetable
  // Selection Area".
  void Compute();
  void InitParameters();
  void WriteParametricFunction();
  // Blends the current waveform towards the morph target into the working copy.
  void CalcMorph();

  // One tick of the wave, bank and morph animations (Timer1, Timer2, Timer3).
  void WaveTick();
  void BankTick();
  void MorphTick();
  // Stops the three animations and turns their switches off.
  void StopTimers();
  const QTimer* WaveTimer() const { return wave_timer_; }
  const QTimer* BankTimer() const { return bank_timer_; }
  const QTimer* MorphTimer() const { return morph_timer_; }

  // The grid selection that the animations run through (a single cell: the whole table).
  void SetAnimationRange(int left, int top, int right, int bottom);
  const AnimationRange& Range() const { return range_; }

  // Turns the wave-type knob to `type` without computing.
  void SetWaveType(int type);
  // The Start (or End) column's parameter set.
  WaveParameters StartParameters() const;
  WaveParameters EndParameters() const;

  // Writes place and visibility (PX12, PY12, EN12).
  void SaveSettings();

 signals:
  // The window was closed, so the main window's "Functions" entry loses its tick.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  enum class Destination { kWaveform, kFftMagnitude, kFftPhase };

  QWidget* BuildFunctionTab();
  QWidget* BuildComputeGroup();
  QWidget* BuildMorphGroup();
  QWidget* BuildAnimateGroup();
  GraphicSwitch* AddSwitch(QWidget* parent, const char* name, QTimer* timer);
  void ConnectControls();
  void ReadSettings();
  void ShowTableToggle();
  Destination CurrentDestination() const;
  // Sets the waveform editor's Offset, Mask, Vertical and BitAvg knobs to 0, quietly.
  void ClearEditorTransforms();
  // Loads 256 bytes into the working copy and runs WaveformChanged.
  void LoadWorkingCopy(const std::uint8_t* bytes);
  // One step of the bank or wave animation on the given editor selector.
  void AnimateSelector(ValueKnob* selector, int lo, int hi, int& direction);

  AppContext& app_;
  QTabWidget* tabs_ = nullptr;
  QWidget* fractal_page_ = nullptr;

  // Start column (single computation) and End column (parametric write), in the order
  // Level, Freq, PW, Offset, Phase, Mask.
  std::array<ValueKnob*, 6> start_knobs_{};
  std::array<ValueKnob*, 6> end_knobs_{};
  BitmapKnob* wave_type_knob_ = nullptr;
  ValueKnob* table_toggle_ = nullptr;  // "+Table"
  QFrame* table_panel_ = nullptr;
  QRadioButton* waveform_button_ = nullptr;
  QRadioButton* magnitude_button_ = nullptr;
  QRadioButton* phase_button_ = nullptr;
  QToolButton* compute_button_ = nullptr;
  QToolButton* init_button_ = nullptr;
  QToolButton* write_button_ = nullptr;

  ValueKnob* morph_level_knob_ = nullptr;
  ValueKnob* morph_bank_knob_ = nullptr;
  ValueKnob* morph_wave_knob_ = nullptr;
  ValueKnob* morph_speed_knob_ = nullptr;
  GraphicSwitch* morph_switch_ = nullptr;
  ValueKnob* bank_speed_knob_ = nullptr;
  GraphicSwitch* bank_switch_ = nullptr;
  ValueKnob* wave_speed_knob_ = nullptr;
  GraphicSwitch* wave_switch_ = nullptr;

  QTimer* wave_timer_ = nullptr;   // Timer1
  QTimer* bank_timer_ = nullptr;   // Timer2
  QTimer* morph_timer_ = nullptr;  // Timer3

  AnimationRange range_;
  // Directions of the morph, wave and bank animations; kept for the whole run.
  int morph_direction_ = 1;
  int wave_direction_ = 1;
  int bank_direction_ = 1;
};

}  // namespace morvane
