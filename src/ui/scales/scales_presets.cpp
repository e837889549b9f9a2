// The preset list (sp.kub) and the Scala scale files of the scales window.

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <string>
#include <system_error>
#include <vector>

#include "core/scales/preset_scales.h"
#include "core/scales/scala_file.h"
#include "core/settings/dialog_folders.h"
#include "core/util/whole_file_io.h"
#include "platform/user_folders.h"
#include "ui/scales/preset_name_dialog.h"
#include "ui/scales/scales_window.h"
#include "ui/shell/app_context.h"
#include "ui/shell/dialog_start.h"
#include "ui/shell/file_dialogs.h"
#include "ui/shell/message_reporter.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPresetFileName = "sp.kub";
const QString kScalaFilter = "Scala scale (*.scl) |*.scl|All files (*.*)|*.*";
const QString kErrorCaption = "Error";
const QString kFileErrorCaption = "File Error";

// The user's own copy when there is one, else the one installed beside the program.
fs::path PresetFileToRead() {
  const fs::path own = UserDataFolder() / kPresetFileName;
  std::error_code error;
  if (fs::exists(fs::symlink_status(own, error))) return own;
  return PathOf(QCoreApplication::applicationDirPath()) / kPresetFileName;
}

QString LineList(const std::vector<int>& lines) {
  QStringList numbers;
  for (int line : lines) numbers << QString::number(line);
  return numbers.join(", ");
}

}  // namespace

void ScalesWindow::LoadPresets() {
  presets_->clear();
  const fs::path file = PresetFileToRead();
  PresetFile read;
  switch (ReadPresetFile(file, read)) {
    case PresetReadResult::kMissing:
      break;  // a first start: no presets yet
    case PresetReadResult::kUnreadable:
      presets_writable_ = false;
      app_.messages().Show(kFileErrorCaption,
                           QString("Cannot read the preset scales file %1; the presets stay "
                                   "empty and the file is left as it is.")
                               .arg(QString::fromStdString(file.string())));
      break;
    case PresetReadResult::kRead:
      for (const std::string& entry : read.entries) {
        presets_->addItem(
            QString::fromLocal8Bit(entry.data(), static_cast<qsizetype>(entry.size())));
      }
      if (!read.malformed_lines.empty()) {
        presets_writable_ = false;
        app_.messages().Show(
            kFileErrorCaption,
            QString("The preset scales file %1 has lines without a scale number, which were left "
                    "out: line %2. The file is not rewritten until the presets are changed.")
                .arg(QString::fromStdString(file.string()), LineList(read.malformed_lines)));
      }
      break;
  }
  presets_->setCurrentIndex(-1);
  presets_->setEditText("Empty Scale");
}

void ScalesWindow::SavePresets() {
  if (!presets_writable_) return;
  const fs::path file = UserDataFolder() / kPresetFileName;
  std::vector<std::string> entries;
  for (const QString& entry : PresetEntries()) entries.push_back(entry.toLocal8Bit().toStdString());
  if (!WritePresetFile(file, entries)) {
    app_.messages().Show(kFileErrorCaption,
                         QString("Cannot write the preset scales file %1; the previous file is "
                                 "kept.")
                             .arg(QString::fromStdString(file.string())));
  }
}

QStringList ScalesWindow::PresetEntries() const {
  QStringList entries;
  for (int index = 0; index < presets_->count(); ++index) entries << presets_->itemText(index);
  return entries;
}

void ScalesWindow::PresetSelected(int index) {
  if (index < 0) return;
  const std::optional<int> number = ParsePresetNumber(presets_->itemText(index).toStdString());
  if (!number) {
    app_.messages().Show(kErrorCaption, QString("'%1' is not a valid integer value")
                                            .arg(presets_->itemText(index).section('-', 0, 0)));
    return;
  }
  SetScaleNotes(*number);
  CalcScalesAuto();
}

void ScalesWindow::AddPreset() {
  PresetNameDialog* dialog = app_.preset_name_dialog();
  if (!dialog) return;
  const std::optional<QString> name = dialog->AskName();
  if (!name) return;
  const std::string entry = FormatPresetEntry(GetScaleNotes(), name->toLocal8Bit().toStdString());
  presets_->addItem(QString::fromLocal8Bit(entry.data(), static_cast<qsizetype>(entry.size())));
  presets_->setCurrentIndex(presets_->count() - 1);
  presets_writable_ = true;
}

void ScalesWindow::RemovePreset() {
  const int index = presets_->currentIndex();
  if (index < 0) {
    app_.messages().Show(kErrorCaption, "No preset scale is selected.");
    return;
  }
  presets_->removeItem(index);
  presets_->setCurrentIndex(-1);
  presets_->setEditText("");
  presets_writable_ = true;
}

QString ScalesWindow::ScaleDescription() const {
  const int index = presets_->currentIndex();
  if (index >= 0) {
    const QString entry = presets_->itemText(index);
    const std::optional<int> number = ParsePresetNumber(entry.toStdString());
    const qsizetype dash = entry.indexOf("- ");
    if (number && *number == GetScaleNotes() && dash >= 0) {
      const QString name = entry.mid(dash + 2).trimmed();
      if (!name.isEmpty()) return name;
    }
  }
  return QString("Scale #%1").arg(GetScaleNotes());
}

void ScalesWindow::ImportScala() {
  const QString name = app_.file_dialogs().OpenFileName(
      StartedRequest(app_, {"Import Scala scale", kScalaFilter, 1, "*.scl", kScalaFolder}));
  if (name.isEmpty()) return;
  std::vector<std::uint8_t> bytes;
  if (!ReadFileStart(PathOf(name), kScalaFileLimit + 1, bytes)) {
    app_.messages().Show(kFileErrorCaption, "Read File Error - Abort Loading");
    return;
  }
  const ScalaImport scale = morvane::ImportScala(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (!scale.ok) {
    app_.messages().Show(
        kFileErrorCaption,
        QString("This Scala scale cannot be used: %1").arg(QString::fromStdString(scale.error)));
    return;
  }
  RememberDialogFile(app_, kScalaFolder, name);
  SetScaleNotes(scale.mask);
  CalcScalesAuto();
}

void ScalesWindow::ExportScala() {
  const QString name = app_.file_dialogs().SaveFileName(
      StartedRequest(app_, {"Export Scala scale", kScalaFilter, 1, "*.scl", kScalaFolder}));
  if (name.isEmpty()) return;
  const std::string text = morvane::ExportScala(GetScaleNotes(), ScaleDescription().toStdString());
  if (!ReplaceWholeFile(PathOf(name), text)) {
    app_.messages().Show(kFileErrorCaption, "Write File Error - Abort Saving");
    return;
  }
  RememberDialogFile(app_, kScalaFolder, name);
}

}  // namespace morvane
