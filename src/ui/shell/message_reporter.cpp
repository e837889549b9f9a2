#include "ui/shell/message_reporter.h"

#include <QApplication>

#include "core/settings/settings_store.h"

namespace morvane {

QMessageBox::StandardButton DialogMessageReporter::Show(const QString& caption, const QString& text,
                                                        QMessageBox::StandardButtons buttons,
                                                        QMessageBox::Icon icon) {
  QMessageBox box(icon, caption, text, buttons, QApplication::activeWindow());
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ReportSettingsReadError(MessageReporter& messages, const SettingsReader& reader) {
  if (reader.Failed()) ReportSettingsProblem(messages, reader.Error());
}

void ReportSettingsProblem(MessageReporter& messages, const std::string& problem) {
  messages.Show("Settings", QString::fromStdString(problem), QMessageBox::Ok, QMessageBox::Warning);
}

}  // namespace morvane
