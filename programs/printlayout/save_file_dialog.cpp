#include "programs/printlayout/save_file_dialog.h"

#include "platform/ui/file_dialog_answers.h"

namespace tolvex {

std::optional<SaveChoice> AskSavePicturePath(const std::string& startFolder, win::CWnd* parent)
{
  (void)startFolder;
  (void)parent;
  const auto answer = vetra::ui::TakeFileDialogAnswer();
  if (!answer || answer->path.empty()) return std::nullopt;
  SaveChoice choice;
  choice.path = answer->path;
  // The format follows the chosen filter, not the name's extension.
  choice.format = answer->filter == "*.BMP" ? SavedFormat::Bmp : SavedFormat::Jpg;
  return choice;
}

}  // namespace tolvex
