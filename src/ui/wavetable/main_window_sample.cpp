#include <QCheckBox>
#include <QToolButton>

#include "core/sample/sample_editor_rules.h"
#include "ui/controls/wave_grid.h"
#include "ui/sample/sample_editor_window.h"
#include "ui/shell/app_context.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

void MainWindow::CopyToSample() {
  SampleEditorWindow* sample = app_.sample_editor();
  const auto* copy_to_sample = findChild<QCheckBox*>("CheckBox2");
  if (!sample || !copy_to_sample || !copy_to_sample->isChecked()) return;
  const int length =
      FillSampleFromCells(app_.wavetable(), SelectionCells(), sample->SizeKnob(), sample->Data());
  sample->SetSampleSize(length);
  sample->Paint();
  sample->SampleLoaded(false);
  if (sample->isVisible()) sample->raise();
  const auto* auto_play = findChild<QCheckBox*>("CheckBox1");
  if (auto_play && auto_play->isChecked()) sample->StartPlayback();
}

void MainWindow::ShowSampleEditor() {
  if (SampleEditorWindow* sample = app_.sample_editor()) {
    sample->show();
    sample->raise();
    sample->activateWindow();
  }
}

void MainWindow::ConnectSampleEditor(SampleEditorWindow& editor) {
  auto* looping = findChild<QToolButton*>("btnLooping");
  connect(looping, &QToolButton::toggled, &editor, &SampleEditorWindow::SetLooping);
  connect(&editor, &SampleEditorWindow::LoopingChanged, looping, [looping](bool on) {
    const QSignalBlocker quiet(looping);
    looping->setChecked(on);
  });
}

}  // namespace morvane
