#pragma once

#include <QMessageBox>
#include <QString>
#include <string>

namespace morvane {

// Where the windows send the messages a user must acknowledge. The program shows modal message
// boxes; tests record the messages instead of blocking on a dialog.
class MessageReporter {
 public:
  virtual ~MessageReporter() = default;
  virtual QMessageBox::StandardButton Show(const QString& caption, const QString& text,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                           QMessageBox::Icon icon = QMessageBox::Critical) = 0;
};

class DialogMessageReporter : public MessageReporter {
 public:
  QMessageBox::StandardButton Show(const QString& caption, const QString& text,
                                   QMessageBox::StandardButtons buttons,
                                   QMessageBox::Icon icon) override;
};

class SettingsReader;

// Tells the user which stored value a window could not read, if any (a warning: the window
// goes on with its initial values).
void ReportSettingsReadError(MessageReporter& messages, const SettingsReader& reader);
void ReportSettingsProblem(MessageReporter& messages, const std::string& problem);

}  // namespace morvane
