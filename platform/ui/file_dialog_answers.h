#pragma once
// Answers for the next file dialogs, queued by tests and session scripts. A file dialog with no
// queued answer is cancelled when headless.

#include <optional>
#include <string>

namespace vetra::ui {

struct FileDialogAnswer {
  std::string path;    // code page 949; empty means Cancel
  std::string filter;  // the filter entry chosen (its pattern, e.g. "*.OSC"); empty for the first
};

void QueueFileDialogAnswer(FileDialogAnswer answer);
std::optional<FileDialogAnswer> TakeFileDialogAnswer();
bool HasFileDialogAnswer();
void ClearFileDialogAnswers();

}  // namespace vetra::ui
