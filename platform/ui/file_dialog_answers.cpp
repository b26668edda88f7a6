#include "platform/ui/file_dialog_answers.h"

#include <deque>

namespace vetra::ui {

namespace {
std::deque<FileDialogAnswer>& Answers()
{
  static std::deque<FileDialogAnswer> answers;
  return answers;
}
}  // namespace

void QueueFileDialogAnswer(FileDialogAnswer answer) { Answers().push_back(std::move(answer)); }

std::optional<FileDialogAnswer> TakeFileDialogAnswer()
{
  if (Answers().empty()) return std::nullopt;
  FileDialogAnswer answer = std::move(Answers().front());
  Answers().pop_front();
  return answer;
}

bool HasFileDialogAnswer() { return !Answers().empty(); }

void ClearFileDialogAnswers() { Answers().clear(); }

}  // namespace vetra::ui
