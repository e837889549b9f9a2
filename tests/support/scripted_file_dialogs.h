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
  int LastFilterIndex() const override { return chosen_filter; }

  std::deque<QString> answers;  // an empty string cancels
  std::vector<FileDialogRequest> requests;
  int chosen_filter = 0;  // the filter entry the "user" picks; 0 keeps the one asked for

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
