#pragma once

#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "core/wavetable/batch_operations.h"
#include "core/wavetable/main_window_settings.h"
#include "core/wavetable/mulaw_tables.h"
#include "ui/shell/file_dialogs.h"

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QTabBar;

namespace morvane {

class AppContext;
class SampleEditorWindow;
class ValueKnob;
class WaveGrid;

// "Wavetable": the main window. It shows the current slot of the wavetable store as a grid of
// waveform cells, one tab per slot, and holds the menus of the file, transfer, batch, find and
// calculation commands.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(AppContext& app);
  ~MainWindow() override;

  // The menu entry with the given object name (nullptr when there is none).
  QAction* MenuAction(const QString& object_name) const;
  WaveGrid* Grid() const { return grid_; }

  int CellWidth() const { return cell_width_; }
  int RowHeight() const { return cell_width_ * 3 / 4; }
  bool AutoSizeChecked() const;
  const CellColors& Colors() const { return colors_; }
  // Sets one of the grid's ten colours (a CellColor); the options dialog's swatch shows it too.
  void SetColor(int which, std::uint32_t value);
  const MuLawTables& MuLaw() const { return mu_law_; }

  // Sizes the client area so that all 64 columns and 32 rows fit, within the screen.
  void FitWindow();
  // Redraws one cell of the current slot, or all of them (each selected when it lies inside the
  // grid selection).
  void DrawWaveCell(int column, int row, bool selected);
  void RefreshGrid();
  // The zoom keys of the grid: "+", "-", "/" (AutoSize) and "0" (Minimun).
  void ZoomKey(QChar key);

  // The spectral map refresh after a change of the slot's waveforms: every spectrum of the slot
  // computed anew, then the map redrawn (only while it is shown).
  void SpectralMapRefresh();

  // The Find menu's scale pass: it analyses the slot only when run from its menu entry or while
  // the waveform editor's "Scale Detection" is checked; the counters and the grid follow always.
  void ScalePass(bool from_menu);
  // The waveform editor's scale detection was switched off and took every marker away: the grid
  // is redrawn and the scales list disabled.
  void ScaleDetectionOff();
  // Where the pass takes the scales window's step and preset lines from, and what a choice in
  // the scales list shows there: (mask, first sample of the working copy), mask -1 for an
  // irregular table. Until the scales window sets them: step 2, no presets, nothing shown.
  void SetScaleSeams(std::function<int()> step, std::function<std::vector<std::string>()> presets,
                     std::function<void(int mask, int first_sample)> show);

  // Reloads the eight slots from their slot paths (the options ask for it at start-up).
  void Autoload();

  // Copies the grid selection to the sample editor when "Copy to Sample" is checked, and plays
  // it when "AutoPlay" is too.
  void CopyToSample();
  // The loop button and the sample editor's go down and up together.
  void ConnectSampleEditor(SampleEditorWindow& editor);

  // The open dialog of "Load " and "Import ", which the options dialog borrows.
  FileDialogRequest OpenDialogRequest() const;
  // The save dialog of "Save", which the module control window borrows for its parameter files.
  FileDialogRequest SaveDialogRequest() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Life cycle and view (main_window.cpp).
  void FormCreate();
  void FormShow();
  void FormClose();
  void BuildMenus();
  void BuildCentralArea();
  void ApplySettings(const MainWindowSettings& settings);
  MainWindowSettings CurrentSettings() const;
  void ShowAbout();
  void ShowWaveformEditor();
  void ModuleControlToggled();
  // Ticks the menu entry and brings the window to the front.
  void ShowCheckedWindow(const char* entry, QWidget* window);
  void ShowSpectrumEditor();
  void ShowGenerators();
  void ShowScalesWindow();
  void ShowSpectralMap();
  void ShowSampleEditor();
  void ShowOptions();
  void ZoomKnobChanged();
  void SetCellWidth(int width);
  void ZoomBy(int delta);
  void MinimunToggled();
  void SelectAll();
  void SelectBankToggled();
  void CellReleased(int column, int row);
  void TabChanged(int tab);
  void ShowSlotName(bool with_directory);
  // The slot paths live in the options dialog.
  QString SlotPath(int slot) const;
  void SetSlotPath(int slot, const QString& path);

  // Transfers with the module (main_window_transfer_commands.cpp).
  void StopTimers();
  int EditorBank() const;
  void SendMidiCommand();
  void ReceiveMidiCommand();
  void SendSelectionCommand();
  void ReceiveSelectionCommand();
  void AfterReceive();

  // Batch commands of the Selection menu and "New" (main_window_batch_commands.cpp).
  CellRange SelectionCells() const;
  void RunWaveCommand(WaveCommand command);
  void LinearMorphingCommand();
  void TonalMorphingCommand();
  void RestoreOrderCommand();
  void NewCommand();

  // The Calcul menu (main_window_calcul_commands.cpp): every scale table from `first_number` on,
  // a slot of random steps, the window functions and two resyntheses through them.
  void ScaleSetsCommand(int first_number);
  void FastRandomCommand();
  void WindowFunctionsCommand();
  // Points the waveform editor's selectors at waveform k.
  void SelectEditorWave(int k);

  // Find commands (main_window_find_commands.cpp).
  void AfterFind();
  void FindBufferCommand();
  void FindRampCommand();
  void FindEmptyCommand();
  void FindDoubleCommand();
  void ClearMarkersCommand();
  void CompareCommand();
  void ScaleListChosen(int index);
  void ShowScaleCounters(int recognised, int irregular);

  // Toolbar (main_window_toolbar.cpp).
  void BuildToolBar();

  // File commands (main_window_file_commands.cpp).
  void LoadCommand();
  void ImportCommand();
  void SaveCommand();
  QString AskFileToOpen();
  void AfterRead(bool read, const QString& file, const QString& slot_path);

  AppContext& app_;
  CellColors colors_ = kDefaultCellColors;
  MuLawTables mu_law_{};
  int cell_width_ = 39;
  int saved_zoom_ = 39;
  QSize saved_client_size_;
  bool select_all_ = false;
  bool shown_once_ = false;
  ValueKnob* zoom_knob_ = nullptr;
  QLabel* name_label_ = nullptr;
  QComboBox* scales_list_ = nullptr;
  QLabel* scales_found_ = nullptr;
  QLabel* scales_irregular_ = nullptr;
  std::function<int()> scale_step_ = [] { return 2; };
  std::function<std::vector<std::string>()> scale_presets_ = [] {
    return std::vector<std::string>();
  };
  std::function<void(int, int)> show_scale_ = [](int, int) {};
  QTabBar* tabs_ = nullptr;
  QScrollArea* grid_area_ = nullptr;
  WaveGrid* grid_ = nullptr;
};

}  // namespace morvane
