#pragma once

#include <QChar>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

#include "core/wavetable/cell_colors.h"
#include "core/wavetable/cell_drop.h"
#include "core/wavetable/wavetable_store.h"
#include "ui/controls/grid_canvas.h"

namespace morvane {

// The wavetable grid: the current slot of the store as 64 columns (waves) by 32 rows (banks) of
// waveform pictures, with 1-pixel grid lines between the cells.
//
// The left button selects a cell or, dragged, a range of cells (whole rows in row-select mode).
// The right button drags the selected cells onto another place: copy with Ctrl, move with Alt,
// swap otherwise. The widget is exactly as large as the table (fixed size, follows the cell
// size); put it in a QScrollArea so it scrolls when the window is smaller.
class WaveGrid : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kColumns = kWavesPerBank;
  static constexpr int kRows = kBankCount;
  static constexpr int kDefaultCellWidth = 39;
  static constexpr int kDefaultCellHeight = 29;
  static constexpr QRgb kBackground = 0xFFC0C0C0;

  explicit WaveGrid(WavetableStore& store, QWidget* parent = nullptr);

  QSize sizeHint() const override;

  int CellWidth() const { return cell_width_; }
  int CellHeight() const { return cell_height_; }
  // Both at least 1; the widget takes the size of the whole table.
  void SetCellSize(int width, int height);

  void SetColors(const CellColors& colors);

  // The selected cells as columns left..right and rows top..bottom, always at least one cell.
  QRect Selection() const { return selection_; }
  // Normalised and limited to the table; widened to whole rows in row-select mode.
  void SetSelection(const QRect& cells);
  bool RowSelect() const { return row_select_; }
  void SetRowSelect(bool on);

  // Redraws one cell of the current slot in the selected or the plain colours; the cell keeps
  // that look until the whole grid is redrawn or the selection changes.
  void DrawWaveCell(int column, int row, bool selected);
  // Redraws every cell, each selected when it lies inside the selection.
  void RefreshGrid();

  // The cell's pixels, grid lines excluded.
  QRect CellRect(int column, int row) const;
  // The cell (column, row) under a widget position, or nothing outside the table.
  std::optional<QPoint> CellAt(QPoint pos) const;

 signals:
  // The left button was released over the cell, after a click or a range drag.
  void CellReleased(int column, int row);
  // A right-button drag was dropped on the grid and the store changed.
  void CellsDropped();
  // One of "+", "-", "/", "0" was typed in the grid.
  void ZoomKey(QChar key);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  enum class DrawnAs : std::int8_t { kBySelection, kSelected, kPlain };

  int ColumnPitch() const { return cell_width_ + 1; }
  int RowPitch() const { return cell_height_ + 1; }
  QPoint NearestCell(QPoint pos) const;
  QRect LimitedSelection(const QRect& cells) const;
  void ApplySelection(const QRect& cells);
  void ForgetDrawnStates();
  CellInk InkFor(int column, int row) const;
  void PaintArea(const QRect& area);

  QRect DragFrameAt(QPoint pos) const;
  void ShowDragFrame(const QRect& frame);
  void Drop(QPoint cell);

  WavetableStore& store_;
  int cell_width_ = kDefaultCellWidth;
  int cell_height_ = kDefaultCellHeight;
  std::array<QRgb, kCellColorCount> colors_{};
  QRect selection_{0, 0, 1, 1};
  bool row_select_ = false;
  std::array<DrawnAs, kWaveCount> drawn_as_{};

  // Left-button range selection.
  bool selecting_ = false;
  QPoint anchor_;

  // Right-button drag of cells.
  DragMode drag_mode_ = DragMode::kSwap;
  bool right_held_ = false;
  bool dragging_ = false;
  QPoint drag_start_;
  QRect drag_frame_;  // the dotted frame shown now; empty when none

  GridCanvas canvas_;
};

}  // namespace morvane
