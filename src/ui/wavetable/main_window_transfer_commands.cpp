// The main window's transfers with the module: the File menu's "Send to MIDI" and "Receive from
// MIDI" through the choice box, and the Selection menu's transfers of the selected cells.

#include <QString>

#include "core/wavetable/cell_drop.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/generators/generators_window.h"
#include "ui/midi/transfer_session.h"
#include "ui/module/module_control_window.h"
#include "ui/shell/app_context.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/choice_box.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
void MainWindow::StopTimers() {
  if (ModuleControlWindow* module = app_.module_control()) module->StopClock();
  if (GeneratorsWindow* generators = app_.generators()) generators->StopTimers();
}

int MainWindow::EditorBank() const { return app_.waveform_editor()->BankSelector()->State(); }

void MainWindow::SendMidiCommand() {
  StopTimers();
  switch (app_.choice_box()->Ask("Send to MIDI", true)) {
    case ChoiceBox::Choice::kOneBank:
      TransferSession::Run(app_, [this](TransferSession& s) { s.engine().SendBank(EditorBank()); });
      break;
    case ChoiceBox::Choice::kWaveTable:
      TransferSession::Run(app_, [](TransferSession& s) { s.engine().SendWavetable(); });
      break;
    case ChoiceBox::Choice::kSelected:
      SendSelectionCommand();
      break;
    case ChoiceBox::Choice::kCancel:
      break;
  }
}

void MainWindow::ReceiveMidiCommand() {
  StopTimers();
  const int slot = app_.wavetable().CurrentSlot();
  const QString channel = QString::number(app_.module_control()->Channel());
  switch (app_.choice_box()->Ask("Receive from MIDI", true)) {
    case ChoiceBox::Choice::kOneBank:
      TransferSession::Run(app_,
                           [this](TransferSession& s) { s.engine().ReceiveBank(EditorBank()); });
      // The slot now holds what came from the module, whether or not all of it came.
      SetSlotPath(slot, "MIDI Wavetable - Channel " + channel);
      break;
    case ChoiceBox::Choice::kWaveTable:
      TransferSession::Run(app_, [](TransferSession& s) { s.engine().ReceiveWavetable(); });
      SetSlotPath(slot, "RX MIDI Wavetable - Channel " + channel);
      break;
    case ChoiceBox::Choice::kSelected:
      ReceiveSelectionCommand();
      break;
    case ChoiceBox::Choice::kCancel:
      return;
  }
  AfterReceive();
}

void MainWindow::SendSelectionCommand() {
  const CellRange cells = SelectionCells();
  TransferSession::Run(app_, [&cells](TransferSession& s) { s.engine().SendSelected(cells); });
}

void MainWindow::ReceiveSelectionCommand() {
  const CellRange cells = SelectionCells();
  TransferSession::Run(app_, [&cells](TransferSession& s) { s.engine().ReceiveSelected(cells); });
}

void MainWindow::AfterReceive() {
  ScalePass(false);
  SpectralMapRefresh();
}

}  // namespace morvane
