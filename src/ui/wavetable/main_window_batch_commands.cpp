// The Selection menu's batch commands and the File menu's "New": core does the work on the
// current slot, the window redraws what changed and refreshes the spectral map.

#include <QComboBox>
#include <algorithm>

#include "core/settings/options_dialog_settings.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/shell/app_context.h"
#include "ui/spectral/spectral_map_window.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/choice_box.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

CellRange MainWindow::SelectionCells() const {
  const QRect cells = grid_->Selection();
  return {
      .left = cells.left(), .top = cells.top(), .right = cells.right(), .bottom = cells.bottom()};
}

void MainWindow::RunWaveCommand(WaveCommand command) {
  const CellRange selection = SelectionCells();
  const CellRange cells = CommandCells(command, selection);
  ApplyWaveCommand(app_.wavetable(), command, cells, mu_law_);
  // The whole slot is drawn unselected, a selection as selected.
  const bool whole_slot = IsSingleCell(selection) && SingleCellMeansWholeSlot(command);
  for (int row = cells.top; row <= cells.bottom; ++row) {
    for (int column = cells.left; column <= cells.right; ++column) {
      DrawWaveCell(column, row, !whole_slot);
    }
  }
  SpectralMapRefresh();
}

void MainWindow::LinearMorphingCommand() {
  LinearMorphing(app_.wavetable(), SelectionCells());
  RefreshGrid();
  ScalePass(false);
  SpectralMapRefresh();
}

void MainWindow::TonalMorphingCommand() {
  const SpectralMapWindow* map = app_.spectral_map();
  const int which = map && map->Source() == MapSource::kAngle ? 1 : 0;
  TonalMorphing(app_.wavetable(), SelectionCells(), which);
  RefreshGrid();
  SpectralMapRefresh();
}

void MainWindow::RestoreOrderCommand() {
  app_.wavetable().RestoreOrder();
  RefreshGrid();
  if (SpectralMapWindow* map = app_.spectral_map()) map->RedrawMap();
}

void MainWindow::NewCommand() {
  WavetableStore& store = app_.wavetable();
  WaveformEditorWindow* editor = app_.waveform_editor();
  const int bank = editor ? editor->BankSelector()->State() : 0;
  switch (app_.choice_box()->Ask("Delete ", true)) {
    case ChoiceBox::Choice::kOneBank:
      store.ClearBank(bank);
      if (editor) editor->WaveSelector()->SetState(0);
      RefreshGrid();
      break;
    case ChoiceBox::Choice::kSelected:
      RunWaveCommand(WaveCommand::kDelete);
      break;
    case ChoiceBox::Choice::kWaveTable:
      store.ClearSlot();
      RefreshGrid();
      SetSlotPath(store.CurrentSlot(), kNewSlotPath);
      ShowSlotName(false);
      scales_list_->clear();
      scales_list_->setEnabled(false);
      if (editor) {
        editor->BankSelector()->SetState(0);
        editor->WaveSelector()->SetState(0);
        const WaveSpan working_copy = editor->WorkingCopy();
        std::fill(working_copy.begin(), working_copy.end(), 0);
        editor->ShowValues(working_copy);
      }
      break;
    case ChoiceBox::Choice::kCancel:
      break;
  }
  SpectralMapRefresh();
  RefreshGrid();
}

}  // namespace morvane
