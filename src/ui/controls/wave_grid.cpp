#include "ui/controls/wave_grid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QStringView>
#include <algorithm>

#include "ui/shell/color_value.h"

namespace morvane {
namespace {

// Past this many dirty rectangles one picture of their bounding box is cheaper.
constexpr int kMaxSeparateAreas = 16;

int FloorDiv(int value, int divisor) {
  return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

}  // namespace

WaveGrid::WaveGrid(WavetableStore& store, QWidget* parent) : QWidget(parent), store_(store) {
  setObjectName("DrawGrid1");
  setFocusPolicy(Qt::StrongFocus);
  // Every pixel is painted by paintEvent, so Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  SetColors(kDefaultCellColors);
  setFixedSize(sizeHint());
}

QSize WaveGrid::sizeHint() const { return {kColumns * ColumnPitch(), kRows * RowPitch()}; }

void WaveGrid::SetCellSize(int width, int height) {
  cell_width_ = std::max(1, width);
  cell_height_ = std::max(1, height);
  setFixedSize(sizeHint());
  updateGeometry();
  update();
}

void WaveGrid::SetColors(const CellColors& colors) {
  for (std::size_t i = 0; i < colors.size(); ++i) colors_[i] = ColorFromValue(colors[i]).rgb();
  update();
}

void WaveGrid::SetSelection(const QRect& cells) {
  ApplySelection(cells);
  anchor_ = selection_.topLeft();
}

void WaveGrid::SetRowSelect(bool on) {
  row_select_ = on;
  if (on) ApplySelection(selection_);
}

QRect WaveGrid::LimitedSelection(const QRect& cells) const {
  // The corners may come in any order (a range dragged up or left); QRect::normalized would
  // shift them by one.
  const auto limit = [](int value, int count) { return std::clamp(value, 0, count - 1); };
  const int left = row_select_ ? 0 : limit(std::min(cells.left(), cells.right()), kColumns);
  const int right =
      row_select_ ? kColumns - 1 : limit(std::max(cells.left(), cells.right()), kColumns);
  const int top = limit(std::min(cells.top(), cells.bottom()), kRows);
  const int bottom = limit(std::max(cells.top(), cells.bottom()), kRows);
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

void WaveGrid::ApplySelection(const QRect& cells) {
  selection_ = LimitedSelection(cells);
  ForgetDrawnStates();
  update();
}

void WaveGrid::DrawWaveCell(int column, int row, bool selected) {
  if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return;
  drawn_as_[static_cast<std::size_t>(WaveIndex(row, column))] =
      selected ? DrawnAs::kSelected : DrawnAs::kPlain;
  update(CellRect(column, row));
}

void WaveGrid::RefreshGrid() {
  ForgetDrawnStates();
  update();
}

void WaveGrid::ForgetDrawnStates() { drawn_as_.fill(DrawnAs::kBySelection); }

QRect WaveGrid::CellRect(int column, int row) const {
  return {column * ColumnPitch(), row * RowPitch(), cell_width_, cell_height_};
}

std::optional<QPoint> WaveGrid::CellAt(QPoint pos) const {
  if (pos.x() < 0 || pos.y() < 0) return std::nullopt;
  const int column = pos.x() / ColumnPitch();
  const int row = pos.y() / RowPitch();
  if (column >= kColumns || row >= kRows) return std::nullopt;
  return QPoint(column, row);
}

// The cell under the position, or the nearest one when the mouse has left the table.
QPoint WaveGrid::NearestCell(QPoint pos) const {
  return {std::clamp(FloorDiv(pos.x(), ColumnPitch()), 0, kColumns - 1),
          std::clamp(FloorDiv(pos.y(), RowPitch()), 0, kRows - 1)};
}

CellInk WaveGrid::InkFor(int column, int row) const {
  const int k = WaveIndex(row, column);
  const DrawnAs drawn = drawn_as_[static_cast<std::size_t>(k)];
  const bool selected = drawn == DrawnAs::kBySelection ? selection_.contains(column, row)
                                                       : drawn == DrawnAs::kSelected;
  if (selected) return {colors_[kCellSelectedBack], colors_[kCellSelectedLine]};
  switch (store_.Marker(k)) {
    case kMarkerMark:
      return {colors_[kCellMarkBack], colors_[kCellMarkLine]};
    case kMarkerScale:
      return {colors_[kCellScaleBack], colors_[kCellScaleLine]};
    case kMarkerIrregularScale:
      return {colors_[kCellIrregularScaleBack], colors_[kCellIrregularScaleLine]};
    default:
      return {colors_[kCellBack], colors_[kCellLine]};
  }
}

void WaveGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const auto paint = [&](const QRect& area) {
    PaintArea(area);
    painter.drawImage(area.topLeft(), canvas_.Image(), QRect(QPoint(0, 0), area.size()));
  };
  const QRegion& region = event->region();
  if (region.rectCount() > kMaxSeparateAreas) {
    paint(region.boundingRect());
    return;
  }
  for (const QRect& area : region) paint(area);
}

void WaveGrid::PaintArea(const QRect& area) {
  canvas_.Reset(area);
  const QPoint first = NearestCell(area.topLeft());
  const QPoint last = NearestCell(area.bottomRight());
  // The grid lines and anything beyond the table show the background; the cells fill the rest.
  for (int row = first.y(); row <= last.y(); ++row) {
    canvas_.Fill(QRect(area.left(), (row + 1) * RowPitch() - 1, area.width(), 1), kBackground);
  }
  for (int column = first.x(); column <= last.x(); ++column) {
    canvas_.Fill(QRect((column + 1) * ColumnPitch() - 1, area.top(), 1, area.height()),
                 kBackground);
  }
  const QSize table = sizeHint();
  canvas_.Fill(QRect(table.width(), area.top(), std::max(0, area.right() + 1 - table.width()),
                     area.height()),
               kBackground);
  canvas_.Fill(QRect(area.left(), table.height(), area.width(),
                     std::max(0, area.bottom() + 1 - table.height())),
               kBackground);
  for (int row = first.y(); row <= last.y(); ++row) {
    for (int column = first.x(); column <= last.x(); ++column) {
      canvas_.PaintWaveCell(CellRect(column, row), store_.Wave(WaveIndex(row, column)),
                            InkFor(column, row));
    }
  }
  canvas_.InvertDottedFrame(drag_frame_);
}

void WaveGrid::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  // Every press starts afresh: only a right press chooses another mode and may start a drag.
  drag_mode_ = DragMode::kSwap;
  right_held_ = false;
  dragging_ = false;
  ShowDragFrame(QRect());
  if (event->button() == Qt::RightButton) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    drag_mode_ =
        DragModeFor(modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::AltModifier));
    right_held_ = true;
    drag_start_ = pos;
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  const std::optional<QPoint> cell = CellAt(pos);
  if (!cell) return;
  // Shift extends the selection from its anchor, as range-selecting grids do.
  if (!event->modifiers().testFlag(Qt::ShiftModifier)) anchor_ = *cell;
  selecting_ = true;
  ApplySelection(QRect(anchor_, *cell));
}

void WaveGrid::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (selecting_ && event->buttons().testFlag(Qt::LeftButton)) {
    const QRect range = LimitedSelection(QRect(anchor_, NearestCell(pos)));
    if (range != selection_) ApplySelection(range);
  }
  if (!right_held_ || !event->buttons().testFlag(Qt::RightButton)) return;
  if (!dragging_ && (pos - drag_start_).manhattanLength() >= QApplication::startDragDistance()) {
    dragging_ = true;
  }
  if (dragging_) ShowDragFrame(CellAt(pos) ? DragFrameAt(pos) : QRect());
}

void WaveGrid::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton && selecting_) {
    selecting_ = false;
    if (const std::optional<QPoint> cell = CellAt(pos)) emit CellReleased(cell->x(), cell->y());
    return;
  }
  if (event->button() != Qt::RightButton || !right_held_) return;
  right_held_ = false;
  const bool dropped = dragging_;
  dragging_ = false;
  ShowDragFrame(QRect());
  if (!dropped) return;
  // A drop released outside the table does nothing.
  if (const std::optional<QPoint> cell = CellAt(pos)) Drop(*cell);
}

void WaveGrid::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (text.size() == 1 && QStringView(u"+-/0").contains(text.front())) {
    emit ZoomKey(text.front());
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

// As large as the selected cells, from the first cell's top-left corner to the last cell's
// bottom-right corner, with its top-left corner at the mouse.
QRect WaveGrid::DragFrameAt(QPoint pos) const {
  const QRect first = CellRect(selection_.left(), selection_.top());
  const QRect last = CellRect(selection_.right(), selection_.bottom());
  return {pos, QRect(first.topLeft(), last.bottomRight()).size()};
}

void WaveGrid::ShowDragFrame(const QRect& frame) {
  if (frame == drag_frame_) return;
  // Repaint only the outlines: the old one disappears, the new one appears.
  for (const QRect& outline : {drag_frame_, frame}) {
    if (outline.isEmpty()) continue;
    update(QRegion(outline).subtracted(QRegion(outline.adjusted(1, 1, -1, -1))));
  }
  drag_frame_ = frame;
}

void WaveGrid::Drop(QPoint cell) {
  const CellRange source{selection_.left(), selection_.top(), selection_.right(),
                         selection_.bottom()};
  DropCells(store_, drag_mode_, source, cell.x(), cell.y(),
            [this](int source_column, int source_row, int target_column, int target_row) {
              DrawWaveCell(source_column, source_row, true);
              DrawWaveCell(target_column, target_row, false);
            });
  emit CellsDropped();
}

}  // namespace morvane
