#include "ui/shell/dialog_start.h"

#include <QDir>
#include <QFileInfo>

#include "core/settings/dialog_folders.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/shell/message_reporter.h"

namespace morvane {

FileDialogRequest StartedRequest(AppContext& app, FileDialogRequest request,
                                 const QString& document) {
  const std::string remembered = request.folder.isEmpty()
                                     ? app.dialog_folders().Folder(request.purpose)
                                     : request.folder.toStdString();
  const OptionsDialog* options = app.options_dialog();
  const std::string slot_path =
      options ? options->SlotPath(app.wavetable().CurrentSlot()).toStdString() : std::string();
  const std::string home = QDir::homePath().toStdString();
  const std::string document_name = document.toStdString();
  const std::string name = request.initial_name.toStdString();
  const DialogStart start = ResolveDialogStart(
      {remembered, document_name, slot_path, home, name},
      [](const std::string& folder) { return QFileInfo(QString::fromStdString(folder)).isDir(); });
  request.folder = QString::fromStdString(start.folder);
  request.initial_name = QString::fromStdString(start.name);
  return request;
}

void RememberDialogFile(AppContext& app, std::string_view purpose, const QString& file) {
  app.dialog_folders().Remember(purpose, file.toStdString());
}

void ReadDialogFolders(AppContext& app) {
  SettingsReader reader = app.settings().OpenForReading();
  app.dialog_folders().Read(reader);
  ReportSettingsReadError(app.messages(), reader);
}

void WriteDialogFolders(AppContext& app) {
  SettingsWriter writer = app.settings().OpenForWriting();
  app.dialog_folders().Write(writer);
  writer.Close();
}

}  // namespace morvane
