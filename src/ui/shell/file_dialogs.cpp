#include "ui/shell/file_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "ui/shell/color_value.h"

namespace morvane {

std::filesystem::path PathOf(const QString& name) {
  return std::filesystem::path(QFile::encodeName(name).toStdString());
}

namespace {

QString Ask(const FileDialogRequest& request, QFileDialog::AcceptMode mode, int& filter_index) {
  QFileDialog dialog(QApplication::activeWindow(), request.title);
  PrepareFileDialog(dialog, request, mode);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  filter_index = static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1;
  return dialog.selectedFiles().first();
}

}  // namespace

void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request,
                       QFileDialog::AcceptMode mode) {
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  // The descriptions already name their patterns; the toolkit would name them a second time.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  const QStringList filters = QtNameFilters(request.filter);
  dialog.setNameFilters(filters);
  if (request.filter_index >= 1 && request.filter_index <= filters.size()) {
    dialog.selectNameFilter(filters[request.filter_index - 1]);
  }
  if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
  if (!request.initial_name.isEmpty()) dialog.selectFile(request.initial_name);
}

QString NativeFileDialogs::OpenFileName(const FileDialogRequest& request) {
  return Ask(request, QFileDialog::AcceptOpen, last_filter_index_);
}

QString NativeFileDialogs::SaveFileName(const FileDialogRequest& request) {
  return Ask(request, QFileDialog::AcceptSave, last_filter_index_);
}

QString NativeFileDialogs::FolderName(const FileDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), request.title);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (!request.folder.isEmpty()) {
    dialog.setDirectory(request.folder);
  } else if (!request.initial_name.isEmpty()) {
    dialog.setDirectory(QFileInfo(request.initial_name).absolutePath());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  QString folder = QDir::toNativeSeparators(dialog.selectedFiles().first());
  if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
  return folder;
}

std::optional<std::uint32_t> NativeColorDialogs::ChooseColor(std::uint32_t initial) {
  const QColor chosen =
      QColorDialog::getColor(ColorFromValue(initial), QApplication::activeWindow());
  if (!chosen.isValid()) return std::nullopt;
  return static_cast<std::uint32_t>(chosen.red()) |
         (static_cast<std::uint32_t>(chosen.green()) << 8) |
         (static_cast<std::uint32_t>(chosen.blue()) << 16);
}

QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << QString("%1 (%2)").arg(parts[i].trimmed(), patterns.trimmed());
  }
  return filters;
}

}  // namespace morvane
