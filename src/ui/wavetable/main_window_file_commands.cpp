#include <QTabBar>
#include <filesystem>
#include <fstream>

#include "core/settings/dialog_folders.h"
#include "core/wavetable/file_names.h"
#include "core/wavetable/wavetable_files.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/shell/app_context.h"
#include "ui/shell/dialog_start.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/choice_box.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

namespace {

const QString kOpenFilter =
    "8 bits sound files (bin,raw)|*.bin;*.raw|Morvane-8 config file (mrv)|*.mrv|All files "
    "(*.*)|*.*";
const QString kSaveFilter =
    "8 bits sound files (bin,raw)|*.bin;*.raw|Morvane-8 config fles (mrv)|*.mrv|All files "
    "(*.*)|*.*";

std::filesystem::path ToPath(const QString& name) { return name.toStdString(); }

}  // namespace

// Asks for the file to read; empty when the user cancelled.
QString MainWindow::AskFileToOpen() {
  return app_.file_dialogs().OpenFileName(StartedRequest(app_, OpenDialogRequest()));
}

FileDialogRequest MainWindow::OpenDialogRequest() const {
  return {"Open File", kOpenFilter, 1, {}, kWavetableFolder};
}

FileDialogRequest MainWindow::SaveDialogRequest() const {
  return {"Save File", kSaveFilter, 1, {}, kWavetableFolder};
}

// What Load and Import do once `file` is in the slot, or the message when it could not be.
void MainWindow::AfterRead(bool read, const QString& file, const QString& slot_path) {
  if (!read) {
    app_.messages().Show("File Error", "Read File Error - Abort Loading");
    return;
  }
  RememberDialogFile(app_, kWavetableFolder, file);
  SetSlotPath(app_.wavetable().CurrentSlot(), slot_path);
  ShowSlotName(false);
  ScalePass(false);
  // The editor shows the current waveform's new contents.
  if (WaveformEditorWindow* editor = app_.waveform_editor()) editor->ReloadWorkingCopy();
  SpectralMapRefresh();
}

void MainWindow::LoadCommand() {
  const QString name = AskFileToOpen();
  if (name.isEmpty()) return;
  AfterRead(LoadSlotFile(app_.wavetable(), ToPath(name)), name, name);
}

void MainWindow::ImportCommand() {
  WaveformEditorWindow* editor = app_.waveform_editor();
  const int bank = editor ? editor->BankSelector()->State() : 0;
  const QString name = AskFileToOpen();
  if (name.isEmpty()) return;
  // A document that has its own file keeps that name; a new or received one takes the file's.
  const QString slot_path = SlotPath(app_.wavetable().CurrentSlot());
  AfterRead(ImportBankFile(app_.wavetable(), ToPath(name), bank), name,
            HasDirectoryPart(slot_path.toStdString()) ? slot_path : name);
}

void MainWindow::SaveCommand() {
  WaveformEditorWindow* editor = app_.waveform_editor();
  const int bank = editor ? editor->BankSelector()->State() : 0;
  const ChoiceBox::Choice choice = app_.choice_box()->Ask("Save to FILE", false);
  if (choice != ChoiceBox::Choice::kOneBank && choice != ChoiceBox::Choice::kWaveTable) return;

  const int slot = app_.wavetable().CurrentSlot();
  const QString slot_path = SlotPath(slot);
  const QString initial = HasDirectoryPart(slot_path.toStdString()) ? slot_path : QString();
  // The document's own file is offered where it lies.
  const QString chosen =
      app_.file_dialogs().SaveFileName(StartedRequest(app_, SaveDialogRequest(), initial));
  if (chosen.isEmpty()) return;
  const QString name = QString::fromStdString(ForceExtension(chosen.toStdString(), ".bin"));
  const bool saved = choice == ChoiceBox::Choice::kOneBank
                         ? SaveBankFile(app_.wavetable(), ToPath(name), bank)
                         : SaveSlotFile(app_.wavetable(), ToPath(name));
  if (!saved) {
    app_.messages().Show("File Error", "Write File Error - Abort Saving");
    return;
  }
  RememberDialogFile(app_, kWavetableFolder, name);
  SetSlotPath(slot, name);
  ShowSlotName(true);
}

void MainWindow::Autoload() {
  WavetableStore& store = app_.wavetable();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    store.SetCurrentSlot(slot);
    const std::filesystem::path path = ToPath(SlotPath(slot));
    // A path that cannot be opened ("New" among them) loads nothing, silently.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || !std::ifstream(path).is_open()) continue;
    if (!LoadSlotFile(store, path)) {
      app_.messages().Show("File Error", "Read File Error - Abort Autoload ");
      break;
    }
  }
  // The tab and the current slot agree again, on the first slot, whatever happened above.
  store.SetCurrentSlot(0);
  if (tabs_->currentIndex() != 0) {
    tabs_->setCurrentIndex(0);  // runs the tab change
  } else {
    ShowSlotName(false);
    RefreshGrid();
  }
}

}  // namespace morvane
