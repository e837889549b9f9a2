#pragma once

#include <QTableWidget>
#include <array>
#include <cstdint>
#include <span>

#include "core/waveform/value_grid_text.h"

namespace morvane {

// The waveform editor's value grid "StringGrid1": one row per sample, columns index, value and
// note name. The header row stands for the grid's fixed top row. A double click switches the
// values between decimal and hexadecimal. While unlocked, the value cells can be edited: the
// editor offers the sample in decimal and the entered text, read as a decimal integer, gives the
// new sample's low eight bits.
class WaveformValueGrid : public QTableWidget {
  Q_OBJECT

 public:
  static constexpr int kIndexColumn = 0;
  static constexpr int kValueColumn = 1;
  static constexpr int kNoteColumn = 2;

  explicit WaveformValueGrid(QWidget* parent = nullptr);

  // Refills the value and note columns; `step` is the table units per semitone of the notes.
  void ShowValues(std::span<const std::uint8_t, 256> values, int step);

  ValueFormat Format() const { return format_; }
  void SetFormat(ValueFormat format);  // refills from the last values

  // Unlocked: value cells editable at once, single cells selected. Locked: whole rows selected.
  bool Editable() const { return editable_; }
  void SetEditable(bool on);

  // Marks rows start .. start + length - 1 (those within the grid) in all three columns.
  void HighlightRows(int start, int length);
  // Makes `row` the current row, keeping the column.
  void FollowRow(int row);

  void SetColors(const QColor& text, const QColor& back);

 signals:
  // The user clicked a cell of `row`.
  void RowClicked(int row);
  // The user entered a new value for the sample of `row`.
  void ValueEdited(int row, std::uint8_t value);

 private:
  friend class ValueCellDelegate;

  void Refill();
  void ToggleFormat();

  std::array<std::uint8_t, 256> values_{};
  int step_ = kDefaultSemitoneStep;
  ValueFormat format_ = ValueFormat::kDecimal;
  bool editable_ = false;
};

}  // namespace morvane
