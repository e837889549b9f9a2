// The Find menu: analyses of the current slot that colour the grid through the markers, the
// comparison of two slots, and the scale pass with its list of scale tables.

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabBar>

#include "core/wavetable/find_operations.h"
#include "core/wavetable/scale_pass.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/shell/app_context.h"
#include "ui/spectral/spectral_map_window.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/compare_dialog.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

void MainWindow::SetScaleSeams(std::function<int()> step,
                               std::function<std::vector<std::string>()> presets,
                               std::function<void(int mask, int first_sample)> show) {
  if (step) scale_step_ = std::move(step);
  if (presets) scale_presets_ = std::move(presets);
  if (show) show_scale_ = std::move(show);
}

void MainWindow::AfterFind() {
  RefreshGrid();
  if (SpectralMapWindow* map = app_.spectral_map()) map->RedrawMap();
}

void MainWindow::FindBufferCommand() {
  if (WaveformEditorWindow* editor = app_.waveform_editor()) {
    MarkAllEqual(app_.wavetable(), editor->WorkingCopy());
  }
  AfterFind();
}

void MainWindow::FindRampCommand() {
  MarkAllRamps(app_.wavetable());
  AfterFind();
}

void MainWindow::FindEmptyCommand() {
  MarkAllEmpty(app_.wavetable());
  AfterFind();
}

void MainWindow::FindDoubleCommand() {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  MarkDoubles(app_.wavetable(), MenuAction("mnuMarkFirstDouble")->isChecked());
  QGuiApplication::restoreOverrideCursor();
  AfterFind();
}

void MainWindow::ClearMarkersCommand() {
  app_.wavetable().ClearMarkers();
  AfterFind();
}

void MainWindow::CompareCommand() {
  CompareDialog* dialog = app_.compare_dialog();
  WavetableStore& store = app_.wavetable();
  const int former = store.CurrentSlot();
  if (!dialog || !dialog->Ask(former + 1)) return;
  const int a = dialog->KnobA()->State() - 1;
  CompareSlots(store, a, dialog->KnobB()->State() - 1);
  // The tab follows the first-named slot, which the grid now shows; its own change handler would
  // run the scale pass and overwrite the comparison's markers.
  {
    const QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(store.CurrentSlot());
  }
  ShowSlotName(false);
  RefreshGrid();
  SpectralMapWindow* map = app_.spectral_map();
  if (a != former && map && map->isVisible()) SpectralMapRefresh();
}

void MainWindow::ShowScaleCounters(int recognised, int irregular) {
  scales_found_->setText("OK = " + QString::number(recognised));
  scales_irregular_->setText("NR = " + QString::number(irregular));
}

void MainWindow::ScalePass(bool from_menu) {
  const WaveformEditorWindow* editor = app_.waveform_editor();
  const QAction* detection = editor ? editor->MenuAction("mnuScaleDetection") : nullptr;
  int irregular = 0;
  if (from_menu || (detection && detection->isChecked())) {
    scales_list_->setEnabled(true);
    const QSignalBlocker quiet(scales_list_);
    scales_list_->clear();
    const ScalePassResult result = RunScalePass(app_.wavetable(), scale_step_(), scale_presets_());
    for (const std::string& line : result.lines)
      scales_list_->addItem(QString::fromStdString(line));
    irregular = result.irregular;
  }
  ShowScaleCounters(scales_list_->count() - irregular, irregular);
  RefreshGrid();
  {
    const QSignalBlocker quiet(scales_list_);
    scales_list_->setCurrentIndex(scales_list_->count() > 0 ? 0 : -1);
  }
  if (from_menu) {
    if (SpectralMapWindow* map = app_.spectral_map()) map->RedrawMap();
  }
}

void MainWindow::ScaleDetectionOff() {
  RefreshGrid();
  scales_list_->setEnabled(false);
}

void MainWindow::ScaleListChosen(int index) {
  if (index < 0) return;
  const std::optional<ScaleListChoice> choice =
      ParseScaleListLine(scales_list_->itemText(index).toStdString());
  if (!choice) return;
  const int k = choice->k;
  WaveformEditorWindow* editor = app_.waveform_editor();
  int first_sample = 0;
  if (editor) {
    editor->BankSelector()->SetState(k / kWavesPerBank);
    editor->WaveSelector()->SetState(k % kWavesPerBank);
    editor->LoadCurrentWaveform();
    first_sample = editor->WorkingCopy()[0];
  }
  grid_->SetSelection(QRect(k % kWavesPerBank, k / kWavesPerBank, 1, 1));
  show_scale_(choice->mask.value_or(-1), first_sample);
}

}  // namespace morvane
