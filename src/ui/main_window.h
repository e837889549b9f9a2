#pragma once

#include <QMainWindow>

#include "core/wavetable/main_window_settings.h"
#include "core/wavetable/mulaw_tables.h"

class QAction;
class QLabel;

namespace morvane {

class AppContext;
class ValueKnob;

// "Wavetable": the main window. It shows the current slot of the wavetable store and holds the
// menus of the file, transfer, batch, find and calculation commands.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(AppContext& app);
  ~MainWindow() override;

  // The menu entry with the given object name (nullptr when there is none).
  QAction* MenuAction(const QString& object_name) const;

  int CellWidth() const { return cell_width_; }
  int RowHeight() const { return cell_width_ * 3 / 4; }
  bool AutoSizeChecked() const;
  const CellColors& Colors() const { return colors_; }
  void SetColor(int which, std::uint32_t value);
  const MuLawTables& MuLaw() const { return mu_law_; }

  // Sizes the client area so that all 64 columns and 32 rows fit, within the screen.
  void FitWindow();
  // Redraws every cell, selected where it lies inside the grid selection.
  void RefreshGrid();
  // The zoom keys of the grid: "+", "-", "/" (AutoSize) and "0" (Minimun).
  void ZoomKey(QChar key);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void FormClose();
  void BuildMenus();
  void BuildToolBar();
  void ApplySettings(const MainWindowSettings& settings);
  MainWindowSettings CurrentSettings() const;

  void ShowAbout();
  void ZoomKnobChanged();
  void SetCellWidth(int width);
  void ApplyCellSize();
  void ZoomBy(int delta);
  void MinimunToggled();

  AppContext& app_;
  CellColors colors_ = kDefaultCellColors;
  MuLawTables mu_law_{};
  int cell_width_ = 39;
  int saved_zoom_ = 39;
  QSize saved_client_size_;
  bool shown_once_ = false;
  ValueKnob* zoom_knob_ = nullptr;
  QLabel* name_label_ = nullptr;
};

}  // namespace morvane
