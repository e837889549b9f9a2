#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace morvane {

// The file a dialog named, as the file functions of core take it.
std::filesystem::path PathOf(const QString& name);

// One open or save dialog as a window asks for it.
struct FileDialogRequest {
  FileDialogRequest() = default;
  FileDialogRequest(QString title_text, QString filter_list, int filter_entry, QString name,
                    std::string dialog_purpose = {})
      : title(std::move(title_text)),
        filter(std::move(filter_list)),
        filter_index(filter_entry),
        initial_name(std::move(name)),
        purpose(std::move(dialog_purpose)) {}

  QString title;
  // The filter list in the form "text|*.a;*.b|text|*.c", pairs of caption and patterns.
  QString filter;
  int filter_index = 1;  // 1-based entry selected when the dialog opens
  QString initial_name;
  // What the dialog is for, one of the keys of the dialog folders (e.g. "DirSample"): each keeps
  // its own starting folder. Empty for a dialog whose folder is kept elsewhere.
  std::string purpose;
  // The folder the dialog opens in; empty leaves it to the toolkit.
  QString folder;
};

// The file dialogs the windows use; tests answer them instead of a user. An empty answer means
// the user cancelled.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual QString OpenFileName(const FileDialogRequest& request) = 0;
  virtual QString SaveFileName(const FileDialogRequest& request) = 0;
  // Asks for a folder with the open dialog; answers a name inside the chosen folder (its folder
  // part is the folder, with its trailing separator). By default the open dialog is answered as
  // it is, so any file of the folder chooses it.
  virtual QString FolderName(const FileDialogRequest& request) { return OpenFileName(request); }
  // The 1-based filter entry selected when the last open or save dialog was answered; 0 when
  // not known (the caller keeps the one it asked for).
  virtual int LastFilterIndex() const { return 0; }
};

class NativeFileDialogs : public FileDialogs {
 public:
  QString OpenFileName(const FileDialogRequest& request) override;
  QString SaveFileName(const FileDialogRequest& request) override;
  // The toolkit's file dialog cannot accept a folder in its file modes: it asks for a folder
  // instead, and answers it with a trailing separator.
  QString FolderName(const FileDialogRequest& request) override;
  int LastFilterIndex() const override { return last_filter_index_; }

 private:
  int last_filter_index_ = 0;
};

// The system colour dialog; tests choose instead of a user.
class ColorDialogs {
 public:
  virtual ~ColorDialogs() = default;
  // The chosen colour as 0x00BBGGRR, starting from `initial` (a colour number or a system
  // colour code); nothing when the user cancelled.
  virtual std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) = 0;
};

class NativeColorDialogs : public ColorDialogs {
 public:
  std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) override;
};

// Sets up an open or save dialog as a request asks: mode, filters (each shown with its own
// description only), the preselected filter and the initial name.
void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request,
                       QFileDialog::AcceptMode mode);

// "text|*.a;*.b|..." as Qt name filters, in the same order: "text (*.a *.b)".
QStringList QtNameFilters(const QString& filter);

}  // namespace morvane
