#pragma once

#include <QString>
#include <QStringList>

namespace morvane {

// One open or save dialog as a window asks for it.
struct FileDialogRequest {
  QString title;
  // The filter list in the form "text|*.a;*.b|text|*.c", pairs of caption and patterns.
  QString filter;
  int filter_index = 1;  // 1-based entry selected when the dialog opens
  QString initial_name;
};

// The file dialogs the windows use; tests answer them instead of a user. An empty answer means
// the user cancelled.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual QString OpenFileName(const FileDialogRequest& request) = 0;
  virtual QString SaveFileName(const FileDialogRequest& request) = 0;
};

class NativeFileDialogs : public FileDialogs {
 public:
  QString OpenFileName(const FileDialogRequest& request) override;
  QString SaveFileName(const FileDialogRequest& request) override;
};

// "text|*.a;*.b|..." as Qt name filters, in the same order: "text (*.a *.b)".
QStringList QtNameFilters(const QString& filter);

}  // namespace morvane
