#include "ui/waveform/waveform_value_grid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <algorithm>

namespace morvane {

// Edits a value cell: offers the sample in decimal, whatever the grid shows, and hands the
// entered text to the grid's owner instead of writing it into the cell.
class ValueCellDelegate : public QStyledItemDelegate {
 public:
  explicit ValueCellDelegate(WaveformValueGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      line->setText(QString::number(grid_->values_[static_cast<std::size_t>(index.row())]));
    }
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    Q_UNUSED(model);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      emit grid_->ValueEdited(index.row(), SampleFromCellText(line->text().toStdString()));
    }
  }

 private:
  WaveformValueGrid* grid_;
};

namespace {

constexpr int kRows = 256;

QTableWidgetItem* FixedItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

}  // namespace

WaveformValueGrid::WaveformValueGrid(QWidget* parent) : QTableWidget(kRows, 3, parent) {
  setObjectName("StringGrid1");
  setHorizontalHeaderLabels({"#", "Val", "Note"});
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(16);
  horizontalHeader()->setMinimumSectionSize(20);
  setColumnWidth(kIndexColumn, 28);
  setColumnWidth(kValueColumn, 28);
  setColumnWidth(kNoteColumn, 40);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setItemDelegateForColumn(kValueColumn, new ValueCellDelegate(this));
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  for (int row = 0; row < kRows; ++row) {
    setItem(row, kIndexColumn, FixedItem(QString::number(row)));
    auto* value = new QTableWidgetItem();
    value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    setItem(row, kValueColumn, value);
    setItem(row, kNoteColumn, FixedItem({}));
  }
  SetEditable(false);
  connect(this, &QTableWidget::cellClicked, this, [this](int row, int) { emit RowClicked(row); });
  connect(this, &QTableWidget::cellDoubleClicked, this, [this](int, int) { ToggleFormat(); });
}

void WaveformValueGrid::ShowValues(std::span<const std::uint8_t, 256> values, int step) {
  std::copy(values.begin(), values.end(), values_.begin());
  step_ = step;
  Refill();
}

void WaveformValueGrid::SetFormat(ValueFormat format) {
  format_ = format;
  Refill();
}

void WaveformValueGrid::ToggleFormat() {
  SetFormat(format_ == ValueFormat::kDecimal ? ValueFormat::kHexadecimal : ValueFormat::kDecimal);
}

void WaveformValueGrid::Refill() {
  for (int row = 0; row < kRows; ++row) {
    const std::uint8_t value = values_[static_cast<std::size_t>(row)];
    item(row, kValueColumn)->setText(QString::fromStdString(ValueText(value, format_)));
    item(row, kNoteColumn)->setText(QString::fromStdString(ValueNoteName(value, step_)));
  }
}

void WaveformValueGrid::SetEditable(bool on) {
  editable_ = on;
  if (on) {
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setSelectionBehavior(QAbstractItemView::SelectItems);
  } else {
    // An editor still open is dropped without taking its text.
    if (auto* editor = viewport()->findChild<QLineEdit*>()) {
      closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
  }
}

void WaveformValueGrid::HighlightRows(int start, int length) {
  clearSelection();
  const int top = std::clamp(start, 0, kRows - 1);
  const int bottom = std::min(start + length - 1, kRows - 1);
  if (length <= 0 || bottom < top) return;
  setRangeSelected(QTableWidgetSelectionRange(top, kIndexColumn, bottom, kNoteColumn), true);
}

void WaveformValueGrid::FollowRow(int row) {
  if (row < 0 || row >= kRows) return;
  const int column = currentColumn() < 0 ? kValueColumn : currentColumn();
  // Following the locator must not open an editor (and take the focus) on each step.
  const EditTriggers triggers = editTriggers();
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setCurrentCell(row, column, QItemSelectionModel::NoUpdate);
  setEditTriggers(triggers);
  scrollToItem(item(row, column));
}

void WaveformValueGrid::SetColors(const QColor& text, const QColor& back) {
  QPalette colours = palette();
  colours.setColor(QPalette::Text, text);
  colours.setColor(QPalette::Base, back);
  colours.setColor(QPalette::Window, back);
  setPalette(colours);
}

}  // namespace morvane
