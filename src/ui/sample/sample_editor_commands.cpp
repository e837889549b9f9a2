#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QToolButton>
#include <algorithm>

#include "core/sample/sample_editor_rules.h"
#include "core/settings/dialog_folders.h"
#include "core/wavetable/file_names.h"
#include "ui/controls/sample_edit.h"
#include "ui/controls/value_knob.h"
#include "ui/sample/sample_editor_window.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/shell/dialog_start.h"
#include "ui/shell/file_dialogs.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

namespace {

const char kOpenFilter[] =
    "Binary Files [bin,raw,rsf)|*.bin;*.raw;*.rsf|Wave Files (wav)|*.wav|All Files ( *.*)|*.*";
const char kSaveFilter[] = "Binary Files  (bin)|*.bin|Wave Files (wav)|*.wav|All Files (*.*)|*.*";
constexpr int kWaveFilter = 2;

QString NameWithoutFolder(const QString& path) {
  return QString::fromStdString(FileNameWithoutDirectory(path.toStdString()));
}

}  // namespace

QAction* SampleEditorWindow::AddAction(QMenu* menu, const char* name, const QString& caption,
                                       const QKeySequence& shortcut,
                                       const std::function<void()>& command) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  if (command) connect(action, &QAction::triggered, this, command);
  return action;
}

void SampleEditorWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  AddAction(file, "mnuNew", "New", QKeySequence(Qt::CTRL | Qt::Key_Delete),
            [this] { NewSample(); });
  AddAction(file, "mnuLoad", "Load ", QKeySequence(Qt::CTRL | Qt::Key_L),
            [this] { LoadCommand(); });
  AddAction(file, "mnuSave", "Save", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { SaveCommand(); });

  QMenu* edit = menuBar()->addMenu("&Edit");
  AddAction(edit, "mnuUndo", "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), {})->setEnabled(false);
  AddAction(edit, "mnuSelectAll", "Select All", QKeySequence(Qt::CTRL | Qt::Key_A),
            [this] { SelectAll(); });
  AddAction(edit, "mnuCut", "Cut", QKeySequence(Qt::CTRL | Qt::Key_X),
            [this] { view_->CutSelection(); });
  AddAction(edit, "mnuCopy", "Copy", QKeySequence(Qt::CTRL | Qt::Key_C),
            [this] { view_->CopySelection(); });
  AddAction(edit, "mnuPaste", "Paste To Locator", QKeySequence(Qt::CTRL | Qt::Key_V),
            [this] { view_->PasteAtLocator(); });
  AddAction(edit, "mnuCrop", "Crop", QKeySequence(Qt::CTRL | Qt::Key_W), [this] { CropCommand(); });
  AddAction(edit, "mnuMute", "Mute", QKeySequence(Qt::CTRL | Qt::Key_M),
            [this] { view_->MuteSelection(); });
  AddAction(edit, "mnuCopyToWavetable", "Copy to Wavetable", QKeySequence(Qt::Key_F4),
            [this] { CopyToWavetable(); });

  QMenu* process = menuBar()->addMenu("Process");
  AddAction(process, "mnuReverse", "Reverse", QKeySequence(Qt::CTRL | Qt::Key_R),
            [this] { view_->Reverse(); });
  AddAction(process, "mnuUnsigned", "Unsigned", QKeySequence(Qt::CTRL | Qt::Key_U),
            [this] { view_->FlipLowerHalf(false, true); });
  AddAction(process, "mnuLinToULaw", QString::fromUtf8("Lin to µLaw -8bits"),
            QKeySequence(Qt::ALT | Qt::Key_C), [this] { view_->LinToULaw(true); });
  AddAction(process, "mnuULawToLin", QString::fromUtf8("µLaw to Lin -8bits"),
            QKeySequence(Qt::ALT | Qt::Key_E), [this] {
              view_->ULawToLin(false);
              view_->Paint();
            });

  QMenu* audio = menuBar()->addMenu("Audio");
  AddAction(audio, "mnuLoop", "Loop            ",
            QKeySequence(Qt::KeypadModifier | Qt::Key_Asterisk),
            [this] { LoopButtonToggled(loop_button_->isChecked()); });
  AddAction(audio, "mnuGoToStart", "Go to Start", QKeySequence(Qt::Key_Home),
            [this] { GoToStart(); });
  AddAction(audio, "mnuGoToEnd", "Go to End", QKeySequence(Qt::Key_End), [this] { GoToEnd(); });
  AddAction(audio, "mnuFastForward", "Fast Foward", QKeySequence(Qt::CTRL | Qt::Key_Right),
            [this] { MoveLocatorBy(10 * view_->Zoom()); });
  AddAction(audio, "mnuForward", "Foward ", QKeySequence(Qt::Key_Right),
            [this] { MoveLocatorBy(view_->Zoom()); });
  AddAction(audio, "mnuBackward", "Backward", QKeySequence(Qt::Key_Left),
            [this] { MoveLocatorBy(-view_->Zoom()); });
  AddAction(audio, "mnuFastBackward", "Fast Backward", QKeySequence(Qt::CTRL | Qt::Key_Left),
            [this] { MoveLocatorBy(-10 * view_->Zoom()); });
  AddAction(audio, "mnuPlay", "Play        ", QKeySequence(Qt::Key_Space),
            [this] { btnPlayClick(); });

  QMenu* view = menuBar()->addMenu("&View");
  AddAction(view, "mnuZoomIn", "Zoom In ", QKeySequence(Qt::Key_F5),
            [this] { SetZoomKnob(zoom_knob_->State() - 1); });
  AddAction(view, "mnuZoomOut", "Zoom Out", QKeySequence(Qt::Key_F6),
            [this] { SetZoomKnob(zoom_knob_->State() + 1); });
  AddAction(view, "mnuMinimun", "Minimun ", QKeySequence(Qt::Key_F7), [this] { SetZoomKnob(1); });
  AddAction(view, "mnuFullSize", "Full Size ", QKeySequence(Qt::Key_F8), [this] { FullSize(); });
  QAction* follow = AddAction(view, "mnuFollowLocator", "Follow Locator",
                              QKeySequence(Qt::CTRL | Qt::Key_F8), {});
  follow->setCheckable(true);
  QAction* points = AddAction(view, "mnuShowPoints", "Show/Hide Points",
                              QKeySequence(Qt::CTRL | Qt::Key_F11), {});
  points->setCheckable(true);
  connect(points, &QAction::toggled, this, [this](bool on) { view_->SetMarkerSize(on ? 1 : 0); });
  QAction* bars =
      AddAction(view, "mnuShowBars", "Show/Hide Bars", QKeySequence(Qt::CTRL | Qt::Key_F12), {});
  bars->setCheckable(true);
  connect(bars, &QAction::toggled, this, [this](bool on) { view_->SetSpectrumMode(on); });
  AddAction(view, "mnuOptions", "Options", {}, [this] {
    if (OptionsDialog* options = app_.options_dialog()) {
      options->show();
      options->raise();
    }
  });
}

// --- File ------------------------------------------------------------------------------------

void SampleEditorWindow::NewSample() {
  const int n = view_->GetSampleSize();
  view_->ClearData(true);
  view_->SetViewOrigin(0);
  scroll_bar_->blockSignals(true);
  scroll_bar_->setValue(0);
  scroll_bar_->blockSignals(false);
  origin_knob_->SetState(0);
  SetUpperLimits(n);
  ShowMinMax();
  name_label_->setText("New");
  sample_file_.clear();
  play_button_->setEnabled(false);
  FullSize();
  PreparePlayback();
}

void SampleEditorWindow::LoadCommand() {
  FileDialogs& dialogs = app_.file_dialogs();
  const QString name = dialogs.OpenFileName(
      StartedRequest(app_, {" Load Audio File", kOpenFilter, open_filter_, {}, kSampleFolder}));
  if (name.isEmpty()) return;
  if (const int chosen = dialogs.LastFilterIndex(); chosen > 0) open_filter_ = chosen;
  if (QFileInfo(name).fileName().endsWith(".wav")) {
    if (!ConvertWaveFile(name)) return;
  } else {
    const RawLoadResult loaded = view_->LoadRawFile(name, false, 0);
    if (!loaded.loaded) {
      app_.messages().Show("File Error", "Read File Error - Abort Loading", QMessageBox::Ok,
                           QMessageBox::Critical);
      return;
    }
    PreparePlayback();
    TakeSampleFile(name);
    SampleLoaded(true);
    if (loaded.truncated) ShowSizeCaption(SizeCaption::kFirst512Ko);
    view_->update();
    return;
  }
  TakeSampleFile(name);
  view_->update();
}

void SampleEditorWindow::SaveCommand() {
  FileDialogs& dialogs = app_.file_dialogs();
  // The file the sample came from is offered in its own folder; else the name shown.
  QString name = dialogs.SaveFileName(
      StartedRequest(app_, {"Save 8 bits Audio File", kSaveFilter, save_filter_, {}, kSampleFolder},
                     sample_file_.isEmpty() ? name_label_->text() : sample_file_));
  if (name.isEmpty()) return;
  if (const int chosen = dialogs.LastFilterIndex(); chosen > 0) save_filter_ = chosen;
  bool saved = false;
  if (save_filter_ == kWaveFilter) {
    name = QString::fromStdString(ForceExtension(name.toStdString(), ".wav"));
    saved = ExportWave(name);
  } else {
    name = QString::fromStdString(ForceExtension(name.toStdString(), ".bin"));
    saved = view_->SaveRawFile(name);
  }
  if (!saved) {
    app_.messages().Show("File Error", "Write File Error - Abort Saving", QMessageBox::Ok,
                         QMessageBox::Critical);
    return;
  }
  TakeSampleFile(name);
}

void SampleEditorWindow::TakeSampleFile(const QString& name) {
  name_label_->setText(NameWithoutFolder(name));
  sample_file_ = name;
  RememberDialogFile(app_, kSampleFolder, name);
}

// --- Edit ------------------------------------------------------------------------------------

void SampleEditorWindow::SelectAll() {
  const int size = view_->GetSampleSize();
  if (len_knob_->State() == size) {
    view_->SetSelectionLen(0);
    len_knob_->SetState(0);
    return;
  }
  pos_knob_->SetState(0);
  len_knob_->SetState(size);
  view_->SetSelectionPos(0);
  view_->SetSelectionLen(len_knob_->State() / view_->Zoom());
}

void SampleEditorWindow::CropCommand() {
  view_->CropToSelection();
  const int size = view_->GetSampleSize();
  size_knob_->SetState(size / 1024);
  size_knob_->SetSuffix("kB");
  SetUpperLimits(size);
  origin_knob_->SetState(0);
  locator_knob_->SetState(0);
  pos_knob_->SetState(0);
  len_knob_->SetState(view_->SelectionLen() * view_->Zoom());
  ZoomToSelection();
}

void SampleEditorWindow::CopyToWavetable() {
  WaveformEditorWindow* editor = app_.waveform_editor();
  if (!editor) return;
  const int bank = editor->BankSelector()->State();
  const int wave = editor->WaveSelector()->State();
  SampleEditModel& model = view_->Model();
  if (model.SelectionLen() <= 0) {
    app_.wavetable().CopyBufferToSlot(
        model.Data().data(), static_cast<std::size_t>(model.GetSampleSize()), 0, bank, wave);
    ShowSizeCaption(SizeCaption::kNewSample);
  } else {
    // The range is kept inside the buffer whatever the origin and zoom.
    const SampleRange range = model.SelectionRange(kSampleCapacity);
    app_.wavetable().CopyBufferToSlot(model.Data().data(), static_cast<std::size_t>(range.length),
                                      static_cast<std::size_t>(range.first), bank, wave);
  }
  if (MainWindow* main = app_.main_window()) main->ScalePass(false);
  editor->ReloadWorkingCopy();
}

// --- View ------------------------------------------------------------------------------------

void SampleEditorWindow::SetZoomKnob(int zoom) {
  zoom_knob_->SetState(zoom);
  view_->SetZoom(zoom_knob_->State());
  SyncView();
}

void SampleEditorWindow::FullSize() {
  SetZoomKnob(FullSizeZoom(view_->GetSampleSize(), view_->width()));
}

void SampleEditorWindow::ZoomToSelection() {
  view_->SetViewOrigin(view_->ViewOrigin() + view_->SelectionPos() * view_->Zoom());
  origin_knob_->SetState(view_->ViewOrigin());
  SetZoomKnob(FullSizeZoom(view_->SelectionLen() * view_->Zoom(), view_->width()));
}

void SampleEditorWindow::SwapZoom() {
  const int size = view_->GetSampleSize();
  zoom_knob_->SetState(FullSizeZoom(size, view_->width()));
  view_->SetZoom(zoom_knob_->State());
  scroll_bar_->blockSignals(true);
  scroll_bar_->setValue(
      size > 0 ? static_cast<int>(std::int64_t{origin_knob_->State()} * 100 / size) : 0);
  scroll_bar_->blockSignals(false);
  view_->SetViewOrigin(0);
  origin_knob_->SetState(0);
  SyncView();
}

// --- Audio menu: the locator ------------------------------------------------------------------

void SampleEditorWindow::MoveLocatorBy(int delta) {
  locator_knob_->SetState(locator_knob_->State() + delta);
  LocatorKnobChanged();
}

void SampleEditorWindow::GoToStart() {
  locator_knob_->SetState(0);
  view_->SetLocatorPos(0);
  ShowValueAtLocator();
}

void SampleEditorWindow::GoToEnd() {
  const int size = view_->GetSampleSize();
  locator_knob_->SetState(size);
  view_->SetLocatorPos(size / view_->Zoom());
  ShowValueAtLocator();
}

}  // namespace morvane
