#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "ui/shell/message_reporter.h"

namespace morvane {

// Keeps every message the program wanted to show, instead of blocking on a dialog.
class RecordingReporter : public MessageReporter {
 public:
  QMessageBox::StandardButton Show(const QString& caption, const QString& text,
                                   QMessageBox::StandardButtons, QMessageBox::Icon icon) override {
    messages.emplace_back(caption, text);
    icons.push_back(icon);
    return QMessageBox::Ok;
  }
  std::vector<std::pair<QString, QString>> messages;
  std::vector<QMessageBox::Icon> icons;
};

}  // namespace morvane
