#include "ui/message_reporter.h"

#include <QApplication>

namespace morvane {

QMessageBox::StandardButton DialogMessageReporter::Show(const QString& caption, const QString& text,
                                                        QMessageBox::StandardButtons buttons) {
  return QMessageBox::warning(QApplication::activeWindow(), caption, text, buttons);
}

}  // namespace morvane
