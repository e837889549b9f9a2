#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "ui/message_reporter.h"

namespace morvane {

// Keeps every message the program wanted to show, instead of blocking on a dialog.
class RecordingReporter : public MessageReporter {
 public:
  QMessageBox::StandardButton Show(const QString& caption, const QString& text,
                                   QMessageBox::StandardButtons) override {
    messages.emplace_back(caption, text);
    return QMessageBox::Ok;
  }
  std::vector<std::pair<QString, QString>> messages;
};

}  // namespace morvane
