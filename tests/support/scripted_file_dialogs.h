#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "ui/shell/file_dialogs.h"

namespace morvane {

// Answers the program's file dialogs from a script and keeps what each dialog asked for.
class ScriptedFileDialogs : public FileDialogs {
 public:
  QString OpenFileName(const FileDialogRequest& request) override { return Answer(request); }
  QString SaveFileName(const FileDialogRequest& request) override { return Answer(request); }

  std::deque<QString> answers;  // an empty string cancels
  std::vector<FileDialogRequest> requests;

 private:
  QString Answer(const FileDialogRequest& request) {
    requests.push_back(request);
    if (answers.empty()) return {};
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace morvane
