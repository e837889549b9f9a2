// The spectrum editor's analysis and synthesis, its knobs and views, and its menus and files.

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <algorithm>
#include <filesystem>

#include "core/settings/dialog_folders.h"
#include "core/spectral/spectrum_file.h"
#include "core/wavetable/file_names.h"
#include "ui/controls/click_panel.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/toggle_panel.h"
#include "ui/controls/value_knob.h"
#include "ui/shell/app_context.h"
#include "ui/shell/dialog_start.h"
#include "ui/shell/editor_file_filters.h"
#include "ui/shell/file_dialogs.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/spectral/window_kind_menu.h"
#include "ui/waveform/waveform_editor_window.h"

namespace morvane {
namespace {

HarmonicSpan Harmonics(SampleTank* view) { return view->Data().first<kHarmonicCount>(); }

}  // namespace

// --- Analysis and synthesis ------------------------------------------------------------------

void SpectrumEditorWindow::Analyse() {
  WaveformEditorWindow* editor = app_.waveform_editor();
  if (!editor) return;
  HarmonicValues values;
  AnalyseHarmonics(app_.fft_engine(), editor->WorkingCopy(), window_kind_, Scale(),
                   Harmonics(amplitude_view_), Harmonics(phase_view_), &values);
  amplitude_view_->Refresh();
  phase_view_->Refresh();
  ShowGridValues(values);
  ShowHarmonic(true);
}

void SpectrumEditorWindow::Synthesise() {
  WaveformEditorWindow* editor = app_.waveform_editor();
  if (!editor) return;
  HarmonicValues values;
  SynthesiseHarmonics(app_.fft_engine(), Harmonics(amplitude_view_), Harmonics(phase_view_),
                      window_kind_, Scale(), editor->WorkingCopy(), &values);
  ShowGridValues(values);
  // The table itself is written only by the editor's WRITE.
  editor->WaveformChangedQuietly();
}

void SpectrumEditorWindow::ShowGridValues(const HarmonicValues& values) {
  if (grid_panel_->isHidden()) return;
  for (int row = 0; row < kHarmonicCount; ++row) {
    const auto index = static_cast<std::size_t>(row);
    grid_->item(row, 1)->setText(QString::number(values.level[index], 'g', 8));
    grid_->item(row, 2)->setText(QString::number(values.angle[index], 'g', 5));
  }
}

void SpectrumEditorWindow::ShowHarmonic(bool move_row) {
  const int index = harmonic_knob_->State() - 1;
  const int amplitude = amplitude_view_->GetValue(index);
  const int phase = phase_view_->GetValue(index);
  amplitude_knob_->SetState(amplitude);
  amplitude_knob_->setText(QString::number(AmplitudePercentCaption(amplitude)));
  phase_knob_->SetState(phase);
  phase_knob_->setText(QString::number(ShownPhaseCaption(phase)));
  if (move_row) grid_->setCurrentCell(index, 0);
}

void SpectrumEditorWindow::ChooseWindowKind(int kind) {
  if (kind < 0 || kind >= kWindowKindCount) return;
  SetWindowKind(kind);
  Analyse();
}

void SpectrumEditorWindow::SetWindowKind(int kind) {
  if (kind < 0 || kind >= kWindowKindCount) return;
  window_kind_ = kind;
  window_panel_->setText(WindowPanelCaption(kind));
}

void SpectrumEditorWindow::SetScale(AmplitudeScale scale) {
  if (scale == Scale()) return;
  scale_toggle_->SetOn(scale == AmplitudeScale::kLin);
  ScaleClicked();
}

void SpectrumEditorWindow::ScaleClicked() {
  ShowScaleUnit();
  Analyse();
}

// --- Knobs and views -------------------------------------------------------------------------

void SpectrumEditorWindow::ConnectControls() {
  for (TogglePanel* toggle : {amplitude_markers_, amplitude_line_, amplitude_minimax_,
                              phase_markers_, phase_line_, phase_minimax_, shift_toggle_}) {
    connect(toggle, &TogglePanel::Clicked, this, &SpectrumEditorWindow::ApplyToggles);
  }
  connect(scale_toggle_, &TogglePanel::Clicked, this, &SpectrumEditorWindow::ScaleClicked);
  connect(window_panel_, &ClickPanel::Pressed, this,
          [this](Qt::MouseButton, QPoint global) { window_menu_->popup(global); });
  connect(harmonic_knob_, &ValueKnob::OnChange, this, [this] {
    MoveLocators(harmonic_knob_->State() - 1);
    ShowHarmonic(true);
  });
  connect(amplitude_knob_, &ValueKnob::OnChange, this,
          [this] { LevelKnobChanged(amplitude_view_, amplitude_knob_, false); });
  connect(phase_knob_, &ValueKnob::OnChange, this,
          [this] { LevelKnobChanged(phase_view_, phase_knob_, true); });
  connect(start_knob_, &ValueKnob::OnChange, this, &SpectrumEditorWindow::SelectionKnobsChanged);
  connect(length_knob_, &ValueKnob::OnChange, this, &SpectrumEditorWindow::SelectionKnobsChanged);
  connect(harmonics_knob_, &ValueKnob::OnChange, this, &SpectrumEditorWindow::ShowHarmonicsChoice);
  for (SampleTank* view : {amplitude_view_, phase_view_}) {
    connect(view, &SampleTank::OnChange, this, &SpectrumEditorWindow::Synthesise);
    connect(view, &SampleTank::OnLocatorChange, this, &SpectrumEditorWindow::ViewLocatorChanged);
    connect(view, &SampleTank::OnSelectorChange, this, &SpectrumEditorWindow::ViewSelectionChanged);
  }
  connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) { GridRowClicked(row); });
}

void SpectrumEditorWindow::LevelKnobChanged(SampleTank* view, ValueKnob* knob, bool phase) {
  const int value = knob->State();
  const std::vector<int> targets =
      KnobTargets(Choice(), harmonic_knob_->State(), start_knob_->State(), length_knob_->State());
  for (int index : targets) view->SetValue(index, static_cast<std::uint8_t>(value));
  knob->setText(QString::number(phase ? PhaseKnobCaption(value) : AmplitudePercentCaption(value)));
  Synthesise();
}

void SpectrumEditorWindow::MoveLocators(int index) {
  locator_ = std::clamp(index, 0, kHarmonicCount - 1);
  amplitude_view_->SetLocatorPos(locator_);
  phase_view_->SetLocatorPos(locator_);
  harmonic_knob_->SetState(locator_ + 1);
}

void SpectrumEditorWindow::ViewLocatorChanged(SampleTank* dragged) {
  const int now = dragged->LocatorPos();
  if (shift_toggle_->On()) {
    // The dragged view turns with its locator: towards index 0 when it moved down.
    const int moved = now - locator_;
    for (SampleTank* view : {amplitude_view_, phase_view_}) {
      if (view != dragged && !link_toggle_->On()) continue;
      if (moved < 0) view->RotateLeft(-moved);
      if (moved > 0) view->RotateRight(moved);
    }
    MoveLocators(now);
    Synthesise();
  } else {
    MoveLocators(now);
  }
  ShowHarmonic(true);
}

void SpectrumEditorWindow::ViewSelectionChanged(SampleTank* dragged) {
  SampleTank* other = dragged == amplitude_view_ ? phase_view_ : amplitude_view_;
  other->SetSelectionPos(dragged->SelectionPos());
  other->SetSelectionLen(dragged->SelectionLen());
  start_knob_->SetState(dragged->SelectionPos() + 1);
  length_knob_->SetState(dragged->SelectionLen());
  HighlightGridRows();
}

void SpectrumEditorWindow::SelectionKnobsChanged() {
  for (SampleTank* view : {amplitude_view_, phase_view_}) {
    view->SetSelectionPos(start_knob_->State() - 1);
    view->SetSelectionLen(length_knob_->State());
  }
  HighlightGridRows();
}

void SpectrumEditorWindow::HighlightGridRows() {
  grid_->clearSelection();
  const int first = start_knob_->State() - 1;
  const int last = std::min(first + length_knob_->State() - 1, kHarmonicCount - 1);
  for (int row = 0; row < kHarmonicCount; ++row) {
    const bool selected = row >= first && row <= last;
    for (int column = 0; column < 3; ++column) grid_->item(row, column)->setSelected(selected);
  }
}

void SpectrumEditorWindow::GridRowClicked(int row) {
  MoveLocators(row);
  ShowHarmonic(false);
}

// --- Menus -----------------------------------------------------------------------------------

void SpectrumEditorWindow::BuildMenus() {
  auto add = [this](QMenu* menu, const char* name, const QString& caption,
                    const QKeySequence& shortcut, auto slot) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  QMenu* files = menuBar()->addMenu("Files");
  add(files, "mnuNew", "New", QKeySequence(Qt::Key_Delete), &SpectrumEditorWindow::NewImage);
  add(files, "mnuLoad", "Load", QKeySequence(Qt::CTRL | Qt::Key_L),
      &SpectrumEditorWindow::LoadSpectrum);
  add(files, "mnuSave", "Save", QKeySequence(Qt::CTRL | Qt::Key_S),
      &SpectrumEditorWindow::SaveSpectrum);

  QMenu* edit = menuBar()->addMenu("Edit");
  add(edit, "mnuSelectAll", "Select All", QKeySequence(Qt::CTRL | Qt::Key_A),
      &SpectrumEditorWindow::SelectAll);
  add(edit, "mnuSelectHalf", "Select 1/2", QKeySequence(Qt::CTRL | Qt::Key_W),
      &SpectrumEditorWindow::SelectHalf);
  add(edit, "mnuCenterLocator", "Center Locator", QKeySequence(Qt::CTRL | Qt::Key_M),
      &SpectrumEditorWindow::CenterLocator);
  edit->addSeparator();
  add(edit, "mnuCut", "Cut", QKeySequence(Qt::CTRL | Qt::Key_X), &SpectrumEditorWindow::CutBoth);
  add(edit, "mnuCopy", "Copy", QKeySequence(Qt::CTRL | Qt::Key_C), &SpectrumEditorWindow::CopyBoth);
  add(edit, "mnuPaste", "Paste", QKeySequence(Qt::CTRL | Qt::Key_V),
      &SpectrumEditorWindow::PasteBoth);

  QMenu* process = menuBar()->addMenu("Process");
  add(process, "mnuInverseFft", "Inverse FFT", QKeySequence(Qt::Key_F12),
      &SpectrumEditorWindow::Synthesise);

  QMenu* view = menuBar()->addMenu("View");
  QAction* small = add(view, "mnuSmallWindow", "Small window", QKeySequence(Qt::Key_F5),
                       &SpectrumEditorWindow::ApplySize);
  small->setCheckable(true);
  small->setChecked(true);
  QAction* grid = view->addAction("Grid Edit");
  grid->setObjectName("mnuGridEdit");
  grid->setShortcut(QKeySequence(Qt::Key_F6));
  grid->setCheckable(true);
  connect(grid, &QAction::toggled, this, &SpectrumEditorWindow::ShowGrid);
}

void SpectrumEditorWindow::NewImage() {
  amplitude_view_->Fill(0, true);
  phase_view_->Fill(0, true);
  for (int row = 0; row < kHarmonicCount; ++row) {
    grid_->item(row, 1)->setText("0");
    grid_->item(row, 2)->setText("0");
  }
  ShowHarmonic(false);
}

// A short file replaces only the bytes it holds: the rest of the image stays as it was, as a
// short waveform file does in the waveform editor, so nothing the file does not hold is lost.
void SpectrumEditorWindow::LoadSpectrum() {
  const QString name = app_.file_dialogs().OpenFileName(StartedRequest(
      app_, {"Load Spectrum", kEditorOpenFilter, kSpectrumFilterIndex, {}, kSpectrumFolder}));
  if (name.isEmpty()) return;
  if (!LoadSpectrumFile(PathOf(name), Harmonics(amplitude_view_), Harmonics(phase_view_))) {
    app_.messages().Show("File Error", "Read File Error - Abort Loading");
    return;
  }
  RememberDialogFile(app_, kSpectrumFolder, name);
  amplitude_view_->Refresh();
  phase_view_->Refresh();
  ShowHarmonic(false);
  Synthesise();
}

void SpectrumEditorWindow::SaveSpectrum() {
  const QString chosen = app_.file_dialogs().SaveFileName(StartedRequest(
      app_, {"Save Spectrum", kEditorSaveFilter, kSpectrumFilterIndex, {}, kSpectrumFolder}));
  if (chosen.isEmpty()) return;
  const QString name = QString::fromStdString(ForceExtension(chosen.toStdString(), ".msp"));
  if (!SaveSpectrumFile(PathOf(name), Harmonics(amplitude_view_), Harmonics(phase_view_))) {
    app_.messages().Show("File Error", "Write File Error - Abort Saving");
    return;
  }
  RememberDialogFile(app_, kSpectrumFolder, name);
}

void SpectrumEditorWindow::SelectAll() {
  select_all_ = !select_all_;
  start_knob_->SetState(1);
  length_knob_->SetState(select_all_ ? kHarmonicCount : 0);
  SelectionKnobsChanged();
}

void SpectrumEditorWindow::SelectHalf() {
  select_half_ = !select_half_;
  start_knob_->SetState(select_half_ ? 1 : kHarmonicCount / 2 + 1);
  length_knob_->SetState(kHarmonicCount / 2);
  SelectionKnobsChanged();
}

void SpectrumEditorWindow::CenterLocator() {
  MoveLocators(center_locator_ ? kHarmonicCount / 2 : 0);
  center_locator_ = !center_locator_;
  ShowHarmonic(true);
}

void SpectrumEditorWindow::CutBoth() {
  amplitude_view_->CutSelection();
  phase_view_->CutSelection();
  ShowHarmonic(false);
  Synthesise();
}

void SpectrumEditorWindow::CopyBoth() {
  amplitude_view_->CopySelection();
  phase_view_->CopySelection();
}

void SpectrumEditorWindow::PasteBoth() {
  amplitude_view_->PasteAtLocator();
  phase_view_->PasteAtLocator();
  ShowHarmonic(false);
  Synthesise();
}

void SpectrumEditorWindow::ShowGrid(bool on) {
  grid_panel_->setVisible(on);
  FitWindow();
}

}  // namespace morvane
