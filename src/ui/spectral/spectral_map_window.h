#pragma once

#include <QMainWindow>

#include "core/spectral/spectral_map.h"

class QMenu;
class QScrollArea;
class QWidget;

namespace morvane {

class AppContext;
class ClickPanel;
class SpectralMapView;
class TogglePanel;
class ValueKnob;

// "Wavetable Spectral Map": the harmonic content of all 2048 waveforms of the current slot, one
// column per waveform and one pixel row per harmonic, drawn from the spectrum cache of the
// wavetable store. A click opens the waveform in the waveform editor.
class SpectralMapWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit SpectralMapWindow(AppContext& app, QWidget* parent = nullptr);
  ~SpectralMapWindow() override;

  // --- Operations of the other windows --------------------------------------------------------
  // Analyses waveform k of the current slot into the cache, with the map's window kind.
  void ComputeSpectrum(int k);
  // The same for every waveform of the slot; then RedrawMap when asked.
  void ComputeAllSpectra(bool redraw);
  // Redraws every cell from the cache, no transform; nothing while the window is hidden.
  void RedrawMap();
  // Draws the cell of waveform column + row·(column count) of the map.
  void DrawWaveformCell(int column, int row, bool selected);
  // Computes and draws waveform k alone, as the waveform editor's WRITE needs.
  void RefreshWaveform(int k);

  int WindowKind() const { return window_kind_; }
  // As choosing from the window menu: the panel shows it and all spectra are computed anew.
  void ChooseWindowKind(int kind);
  // Which array is shown: what "Tonal Morphing" sorts by.
  MapSource Source() const;
  SpectralMapView* View() const { return view_; }

  void SaveSettings();

 signals:
  void Closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildTopPanel();
  void FormCreate();
  void FitWindow();
  void ShowFormatCaption();
  void LayoutChanged();
  void SourceClicked();
  void CellReleased(int column, int row);
  // The main window's "Spectral Map" entry is ticked while the map is shown.
  void ShowMenuTick(bool on);

  AppContext& app_;
  QWidget* top_panel_ = nullptr;
  ValueKnob* thickness_knob_ = nullptr;
  ValueKnob* format_knob_ = nullptr;
  ValueKnob* rows_knob_ = nullptr;
  TogglePanel* source_toggle_ = nullptr;  // on = ANGLE
  ClickPanel* window_panel_ = nullptr;
  QMenu* window_menu_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  SpectralMapView* view_ = nullptr;
  int window_kind_ = 0;
};

}  // namespace morvane
