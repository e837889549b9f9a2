// The waveform editor's menus: files, the Edit and Process commands and the View entries.

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>
#include <functional>

#include "core/settings/dialog_folders.h"
#include "core/waveform/waveform_sysex_file.h"
#include "core/wavetable/file_names.h"
#include "core/wavetable/scale_pass.h"
#include "ui/controls/sample_tank.h"
#include "ui/scales/scales_window.h"
#include "ui/shell/app_context.h"
#include "ui/shell/dialog_start.h"
#include "ui/shell/editor_file_filters.h"
#include "ui/shell/file_dialogs.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/scale_detection_label.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

const QString& kOpenFilter = kEditorOpenFilter;
const QString& kSaveFilter = kEditorSaveFilter;

const QString kFileErrorCaption = "File Error";
const QString kReadError = "Read File Error - Abort Loading";
const QString kWriteError = "Write File Error - Abort Saving";

QString WithExtension(const QString& name, const char* extension) {
  return QString::fromStdString(ForceExtension(name.toStdString(), extension));
}

}  // namespace

QAction* WaveformEditorWindow::AddAction(QMenu* menu, const char* name, const QString& caption,
                                         const QKeySequence& shortcut) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setShortcut(shortcut);
  return action;
}

void WaveformEditorWindow::AddEditCommand(QMenu* menu, const char* name, const QString& caption,
                                          const QKeySequence& shortcut,
                                          const std::function<void()>& edit) {
  connect(AddAction(menu, name, caption, shortcut), &QAction::triggered, this, [this, edit] {
    edit();
    WaveformChanged();
  });
}

QAction* WaveformEditorWindow::MenuAction(const QString& object_name) const {
  return menuBar()->findChild<QAction*>(object_name);
}

void WaveformEditorWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("File");
  AddEditCommand(file, "mnuNew", "New", QKeySequence(Qt::Key_Delete),
                 [this] { view_->Fill(kZeroLine, true); });
  connect(AddAction(file, "mnuLoad", "Load", QKeySequence(Qt::CTRL | Qt::Key_L)),
          &QAction::triggered, this, &WaveformEditorWindow::LoadRawFile);
  connect(AddAction(file, "mnuSave", "Save", QKeySequence(Qt::CTRL | Qt::Key_S)),
          &QAction::triggered, this, &WaveformEditorWindow::SaveRawFile);
  connect(AddAction(file, "mnuSaveSysex", "Save as Sysex", QKeySequence(Qt::CTRL | Qt::Key_Y)),
          &QAction::triggered, this, &WaveformEditorWindow::SaveSysexFile);
  file->addSeparator();
  connect(AddAction(file, "mnuSendMidi", "Send to MIDI", QKeySequence(Qt::Key_F9)),
          &QAction::triggered, this, &WaveformEditorWindow::SendBuffer);
  connect(AddAction(file, "mnuReceiveMidi", "Receive from MIDI", QKeySequence(Qt::Key_F10)),
          &QAction::triggered, this, &WaveformEditorWindow::ReceiveBuffer);

  QMenu* edit = menuBar()->addMenu("Edit");
  connect(AddAction(edit, "mnuSelectAll", "Select All", QKeySequence(Qt::CTRL | Qt::Key_A)),
          &QAction::triggered, this, &WaveformEditorWindow::SelectAll);
  connect(AddAction(edit, "mnuSelectHalf", "Select 1/2", QKeySequence(Qt::CTRL | Qt::Key_W)),
          &QAction::triggered, this, &WaveformEditorWindow::SelectHalf);
  connect(AddAction(edit, "mnuCenterLocator", "Center Locator", QKeySequence(Qt::CTRL | Qt::Key_M)),
          &QAction::triggered, this, &WaveformEditorWindow::CenterLocator);
  edit->addSeparator();
  AddEditCommand(edit, "mnuCut", "Cut", QKeySequence(Qt::CTRL | Qt::Key_X),
                 [this] { view_->CutSelection(); });
  connect(AddAction(edit, "mnuCopy", "Copy", QKeySequence(Qt::CTRL | Qt::Key_C)),
          &QAction::triggered, this, [this] { view_->CopySelection(); });
  AddEditCommand(edit, "mnuPaste", "Paste", QKeySequence(Qt::CTRL | Qt::Key_V),
                 [this] { view_->PasteAtLocator(); });

  QMenu* process = menuBar()->addMenu("Process");
  // On the working copy as it is.
  AddEditCommand(process, "mnuReverse", "Reverse", QKeySequence(Qt::CTRL | Qt::Key_R),
                 [this] { view_->Reverse(); });
  AddEditCommand(process, "mnuUnsigned", "Unsigned", QKeySequence(Qt::CTRL | Qt::Key_U),
                 [this] { view_->Unsigned(); });
  AddEditCommand(process, "mnuAlternateRight", "Alternate Right", {},
                 [this] { view_->AlternateRight(); });
  AddEditCommand(process, "mnuAlternateLeft", "Alternate Left", {},
                 [this] { view_->AlternateLeft(); });
  AddEditCommand(process, "mnuMirrorRight", "Mirror Right", {}, [this] { view_->MirrorRight(); });
  AddEditCommand(process, "mnuMirrorLeft", "Mirror Left", {}, [this] { view_->MirrorLeft(); });
  // With the waveform as stored as their source.
  AddEditCommand(process, "mnuCenter", "Center", {}, [this] { view_->Center(StoredWaveform()); });
  AddEditCommand(process, "mnuNormalise", "Normalise ", {},
                 [this] { view_->Normalise(StoredWaveform()); });
  process->addSeparator();
  // While ticked, every change here is analysed by the spectrum editor when it is shown.
  QAction* analysis = AddAction(process, "mnuFftAnalysis", "FFT Analysis");
  analysis->setCheckable(true);
  analysis->setChecked(true);
  connect(analysis, &QAction::triggered, this, &WaveformEditorWindow::FftAnalysisToggled);
  QAction* detection = AddAction(process, "mnuScaleDetection", "Scale Detection");
  detection->setCheckable(true);
  connect(detection, &QAction::triggered, this, &WaveformEditorWindow::ScaleDetectionToggled);

  QMenu* view = menuBar()->addMenu("View");
  QAction* grid = AddAction(view, "mnuGridEdit", "Grid Edit");
  grid->setCheckable(true);
  grid->setChecked(true);
  connect(grid, &QAction::toggled, this, &WaveformEditorWindow::ShowGridPanel);
  QAction* panel = AddAction(view, "mnuControlPanel", "Control Panel");
  panel->setCheckable(true);
  panel->setChecked(true);
  connect(panel, &QAction::toggled, this, &WaveformEditorWindow::ShowControlPanel);
}

// --- Files -----------------------------------------------------------------------------------

void WaveformEditorWindow::LoadRawFile() {
  const QString name = app_.file_dialogs().OpenFileName(
      StartedRequest(app_, {"Load Waveform", kOpenFilter, 1, {}, kWaveformFolder}));
  if (name.isEmpty()) return;
  // A short file replaces only the samples it holds; a failed read keeps what was read.
  if (view_->LoadFromFile(name, true)) {
    RememberDialogFile(app_, kWaveformFolder, name);
  } else {
    app_.messages().Show(kFileErrorCaption, kReadError);
  }
  WaveformChanged();
}

FileDialogRequest WaveformEditorWindow::SaveDialogRequest() {
  return {"Save Waveform", kSaveFilter, 1, {}, kWaveformFolder};
}

// Both saves: the dialog, then `write` with the name given `extension`.
void WaveformEditorWindow::SaveThroughDialog(const FileDialogRequest& request,
                                             const char* extension,
                                             const std::function<bool(const QString&)>& write) {
  const QString chosen = app_.file_dialogs().SaveFileName(StartedRequest(app_, request));
  if (chosen.isEmpty()) return;
  const QString name = WithExtension(chosen, extension);
  if (!write(name)) {
    app_.messages().Show(kFileErrorCaption, kWriteError);
    return;
  }
  RememberDialogFile(app_, request.purpose, name);
}

void WaveformEditorWindow::SaveRawFile() {
  SaveThroughDialog(SaveDialogRequest(), ".bin",
                    [this](const QString& name) { return view_->SaveToFile(name); });
}

void WaveformEditorWindow::SaveSysexFile() {
  SaveThroughDialog(
      {"Save Sysex Waveform ", kSaveFilter, kSysexFilterIndex, {}, kWaveformSysexFolder}, ".syx",
      [this](const QString& name) {
        return SaveWaveformSysexFile(PathOf(name), view_->Data(), midi_channel_ - 1);
      });
}

// --- Edit ------------------------------------------------------------------------------------
// These set the view directly; the knobs stay where they are.

void WaveformEditorWindow::SelectAll() {
  const SelectionRange range = edit_toggles_.SelectAll();
  view_->SetSelectionPos(range.start);
  view_->SetSelectionLen(range.length);
}

void WaveformEditorWindow::SelectHalf() {
  const SelectionRange range = edit_toggles_.SelectHalf();
  view_->SetSelectionPos(range.start);
  view_->SetSelectionLen(range.length);
}

void WaveformEditorWindow::CenterLocator() { view_->SetLocatorPos(edit_toggles_.CenterLocator()); }

// --- Process and View ------------------------------------------------------------------------

void WaveformEditorWindow::ScaleDetectionToggled(bool on) {
  // Switching detection off takes every scale marker away, in every slot; switching it on lets
  // the main window's scale pass mark them again.
  if (!on) app_.wavetable().ClearAllMarkers();
  emit ScaleDetectionChanged(on);
}

void WaveformEditorWindow::ShowScaleDetection() {
  ScalesWindow* scales = app_.scales_window();
  if (!scales) return;
  const int detected = DetectScale(WorkingCopy(), scales->Inc());
  if (detected > 0) {
    scales->ShowDetectedTable(detected, WorkingCopy()[0]);
  } else {
    scales->ClearDetectionLabels();
  }
  scale_message_->ShowResult(detected);
}

void WaveformEditorWindow::FftAnalysisToggled(bool on) {
  SpectrumEditorWindow* spectrum = app_.spectrum_editor();
  if (!on || !spectrum) return;
  spectrum->show();
  if (MainWindow* main = app_.main_window()) main->MenuAction("mnuFftEditor")->setChecked(true);
  spectrum->Analyse();
}

void WaveformEditorWindow::ShowGridPanel(bool on) {
  grid_panel_->setVisible(on);
  // The grid is not refilled while hidden, so it catches up when shown.
  if (on) ShowValues(view_->Data());
}

void WaveformEditorWindow::ShowControlPanel(bool on) { control_panel_->setVisible(on); }

}  // namespace morvane
