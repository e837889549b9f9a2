#pragma once

#include <QMainWindow>
#include <array>
#include <cstdint>

#include "core/settings/options_dialog_settings.h"
#include "core/spectral/harmonic_image.h"
#include "core/spectral/spectrum_editor_settings.h"

class QAction;
class QLabel;
class QMenu;
class QTableWidget;
class QWidget;

namespace morvane {

class AppContext;
class ClickPanel;
class SampleTank;
class TogglePanel;
class ValueKnob;

// "Spectrum": the first 128 harmonics of the waveform editor's working copy as two rows of
// bars, amplitude (kvSampleTank2) above phase (kvSampleTank3). Every edit resynthesises the
// working copy by inverse FFT. Harmonic images are kept in ".msp" files.
class SpectrumEditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit SpectrumEditorWindow(AppContext& app, QWidget* parent = nullptr);
  ~SpectrumEditorWindow() override;

  // --- Operations of the other windows --------------------------------------------------------
  // Fills both views and the value grid from the waveform editor's working copy.
  void Analyse();
  // "Inverse FFT": builds a waveform from both views into the waveform editor's working copy.
  void Synthesise();
  // Sets the amplitude and phase knobs to the values at harmonic N; moves the grid's current
  // row there when asked.
  void ShowHarmonic(bool move_row);

  // The two views, which the generators and calculations fill before Synthesise.
  SampleTank* AmplitudeView() const { return amplitude_view_; }
  SampleTank* PhaseView() const { return phase_view_; }
  int WindowKind() const { return window_kind_; }
  // As choosing the kind from the window menu: the panel shows it and the analysis runs.
  void ChooseWindowKind(int kind);
  // The kind and its panel text only, for callers that fill the views and synthesise themselves;
  // a kind outside 0..15 is ignored.
  void SetWindowKind(int kind);
  AmplitudeScale Scale() const;
  // As clicking the "LOG"/"LIN" panel until it shows `scale`; the analysis runs on a change.
  void SetScale(AmplitudeScale scale);

  // Looks chosen in the options dialog: text and background of the panels, knobs, views and
  // grid; one drawn part of one view; the gradient layout of one view.
  void SetTextColors(std::uint32_t text, std::uint32_t back);
  void SetViewColor(EditorView view, EditorColor color, std::uint32_t value);
  void SetViewGradientType(EditorView view, GradientTypex type);
  // Puts the views at the size "Small window" asks for, with the options' band counts.
  void ApplySize();

  // Writes place, visibility, size and grid ticks and the window kind.
  void SaveSettings();

  // The menu entry with the given object name (nullptr when there is none).
  QAction* MenuAction(const QString& object_name) const;

 signals:
  // The window was closed, so the main window's "FFT editor" entry loses its tick.
  void Closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // --- Building and looks (spectrum_editor_window.cpp) ----------------------------------------
  QWidget* BuildViewRow(SampleTank*& view, const char* name, std::array<QLabel*, 5>& marks,
                        QLabel** unit);
  QWidget* BuildToggleRow();
  QWidget* BuildKnobRow();
  QWidget* BuildGridPanel();
  // Widens the grid panel to hold the three columns beside the vertical bar, and its caption.
  void FitGridPanel();
  // Brings the window to the size of what it shows.
  void FitWindow();
  TogglePanel* MakeToggle(const char* name, const QString& caption, const QString& hint, bool on,
                          bool phase);
  void FormCreate();
  void ApplySettings(const SpectrumEditorSettings& settings);
  void ApplyToggles();
  void ShowScaleUnit();
  void ShowHarmonicsChoice();
  SampleTank* ViewOf(EditorView view) const;

  // --- Analysis, edits and menus (spectrum_editor_edits.cpp) ----------------------------------
  void BuildMenus();
  void ConnectControls();
  void ShowGridValues(const HarmonicValues& values);
  void HighlightGridRows();
  void LevelKnobChanged(SampleTank* view, ValueKnob* knob, bool phase);
  void MoveLocators(int index);
  void ViewLocatorChanged(SampleTank* dragged);
  void ViewSelectionChanged(SampleTank* dragged);
  void SelectionKnobsChanged();
  void GridRowClicked(int row);
  void NewImage();
  void LoadSpectrum();
  void SaveSpectrum();
  void SelectAll();
  void SelectHalf();
  void CenterLocator();
  void CutBoth();
  void CopyBoth();
  void PasteBoth();
  void ScaleClicked();
  void ShowGrid(bool on);
  HarmonicChoice Choice() const;

  AppContext& app_;
  SampleTank* amplitude_view_ = nullptr;
  SampleTank* phase_view_ = nullptr;
  std::array<QLabel*, 5> amplitude_marks_{};  // top line first
  std::array<QLabel*, 5> phase_marks_{};
  QLabel* unit_label_ = nullptr;
  QWidget* left_panel_ = nullptr;
  QWidget* grid_panel_ = nullptr;
  QLabel* grid_caption_ = nullptr;
  QTableWidget* grid_ = nullptr;

  ValueKnob* harmonic_knob_ = nullptr;   // "N"
  ValueKnob* amplitude_knob_ = nullptr;  // value at N
  ValueKnob* phase_knob_ = nullptr;      // value at N
  ValueKnob* start_knob_ = nullptr;      // selection start harmonic
  ValueKnob* length_knob_ = nullptr;     // selection length
  ValueKnob* harmonics_knob_ = nullptr;  // BOTH / EVEN / ODD

  TogglePanel* amplitude_markers_ = nullptr;
  TogglePanel* amplitude_line_ = nullptr;
  TogglePanel* amplitude_minimax_ = nullptr;
  TogglePanel* phase_markers_ = nullptr;
  TogglePanel* phase_line_ = nullptr;
  TogglePanel* phase_minimax_ = nullptr;
  TogglePanel* shift_toggle_ = nullptr;
  TogglePanel* link_toggle_ = nullptr;
  TogglePanel* scale_toggle_ = nullptr;  // on = LIN
  ClickPanel* window_panel_ = nullptr;
  QMenu* window_menu_ = nullptr;

  // The alternating Edit entries: each use does the other half of its pair next time.
  bool select_all_ = false;
  bool select_half_ = false;
  bool center_locator_ = true;
  int window_kind_ = 0;
  int locator_ = 0;  // where both locators were after the last move
  std::uint32_t text_color_ = 0;
  std::uint32_t back_color_ = 0;
  std::uint32_t grid_text_color_ = 0;
};

}  // namespace morvane
