#pragma once

#include <QMessageBox>
#include <QString>

namespace morvane {

// Where the windows send the messages a user must acknowledge. The program shows modal message
// boxes; tests record the messages instead of blocking on a dialog.
class MessageReporter {
 public:
  virtual ~MessageReporter() = default;
  virtual QMessageBox::StandardButton Show(
      const QString& caption, const QString& text,
      QMessageBox::StandardButtons buttons = QMessageBox::Ok) = 0;
};

class DialogMessageReporter : public MessageReporter {
 public:
  QMessageBox::StandardButton Show(const QString& caption, const QString& text,
                                   QMessageBox::StandardButtons buttons) override;
};

}  // namespace morvane
