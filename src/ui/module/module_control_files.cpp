// The module control window's parameter files: ".mrv" images and the ".syx" export.

#include <QFile>
#include <filesystem>

#include "core/module/parameter_store.h"
#include "core/module/parameter_sysex_file.h"
#include "core/settings/dialog_folders.h"
#include "core/wavetable/file_names.h"
#include "ui/module/module_control_window.h"
#include "ui/shell/app_context.h"
#include "ui/shell/dialog_start.h"
#include "ui/shell/file_dialogs.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

namespace {

constexpr int kParameterFilterIndex = 2;
constexpr int kSysexFilterIndex = 4;

std::string NameOf(const QString& name) { return QFile::encodeName(name).toStdString(); }

}  // namespace

void ModuleControlWindow::ReportFileError(const char* text) {
  app_.messages().Show("File Error", text, QMessageBox::Ok, QMessageBox::Critical);
}

void ModuleControlWindow::LoadParameterFile() {
  FileDialogRequest request = app_.main_window()->OpenDialogRequest();
  request.title = "Open Morvane-8 Parameter File";
  request.filter_index = kParameterFilterIndex;
  request.purpose = kParameterFolder;
  const QString name = app_.file_dialogs().OpenFileName(StartedRequest(app_, request));
  if (name.isEmpty()) return;
  const int image = SelectedModule();
  if (!app_.parameters().LoadImage(image, PathOf(name))) {
    ReportFileError("Read File Error - Abort Loading");
    return;
  }
  RememberDialogFile(app_, kParameterFolder, name);
  // Nothing goes to the module: "Send to MIDI" or a flash write does that.
  ApplyImage(image);
}

void ModuleControlWindow::SaveParameterFile() {
  FileDialogRequest request = app_.main_window()->SaveDialogRequest();
  request.title = "Save Morvane-8 Parameter File";
  request.filter_index = kParameterFilterIndex;
  request.initial_name.clear();
  request.purpose = kParameterFolder;
  const QString name = app_.file_dialogs().SaveFileName(StartedRequest(app_, request));
  if (name.isEmpty()) return;
  const std::filesystem::path file = ForceExtension(NameOf(name), ".mrv");
  if (!app_.parameters().SaveImage(SelectedModule(), file)) {
    ReportFileError("Write File Error - Abort Saving");
    return;
  }
  RememberDialogFile(app_, kParameterFolder, name);
}

void ModuleControlWindow::SaveParameterSysex() {
  FileDialogRequest request = WaveformEditorWindow::SaveDialogRequest();
  request.title = "Save Sysex Parameters";
  request.filter_index = kSysexFilterIndex;
  request.initial_name.clear();
  request.purpose = kParameterSysexFolder;
  const QString name = app_.file_dialogs().SaveFileName(StartedRequest(app_, request));
  if (name.isEmpty()) return;
  FileWriter writer;
  if (!SaveSysexWithBackup(NameOf(name), BuildParameterSysex(CurrentControls()), writer)) {
    ReportFileError("Write File Error - Abort Saving");
    return;
  }
  RememberDialogFile(app_, kParameterSysexFolder, name);
}

}  // namespace morvane
